#include "interp/chunk_index.h"

#include <algorithm>

#include "interp/drawing_model.h"

namespace interp {

namespace {
constexpr int kMaxPoints = 64;
constexpr int kPointsBeforePenUpCut = 8;
constexpr uint32_t kNone = 0xFFFFFFFFu;
} // namespace

void ChunkIndex::clear() {
    chunks_.clear();
    chunks_.shrink_to_fit();
    blockFirst_.clear();
    blockFirst_.shrink_to_fit();
    pageLabels_.clear();
    built_ = false;
}

bool ChunkIndex::matches(const DrawingModel& model) const {
    return built_ && builtBlocks_ == model.blockCount() && builtFill_ == model.fillOffset() &&
           builtFillBlock_ == model.fillBlock();
}

void ChunkIndex::build(const DrawingModel& model) {
    clear();
    pageLabels_.assign(1, 0);
    // Room for about one chunk per 160 bytes of list; more grow the array. What
    // stays unused is never touched, so it takes no memory.
    chunks_.reserve(model.blockCount() * size_t(kBlockSize) / 160);

    // The chunk being cut, kept in locals: this loop runs once per record.
    bool open = false;
    uint32_t chunkBlock = 0, begin = 0, lastPoint = 0;
    int points = 0;
    bool penKnown = false, penDown = false; // a pen up or down came inside the chunk
    bool havePrevious = false;              // a point came inside the chunk
    int32_t prevX = 0, prevY = 0;
    bool drawsAny = false, fromEntry = false;
    int32_t xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    ChunkPen pen = ChunkPen::Keep;
    ChunkContinuing continuing = ChunkContinuing::Keep;

    uint32_t block = 0;
    uint32_t offset = kFirstRecordOffset;
    auto start = [&] {
        open = true;
        chunkBlock = block;
        begin = offset;
        lastPoint = 0;
        points = 0;
        penKnown = penDown = havePrevious = drawsAny = fromEntry = false;
        pen = ChunkPen::Keep;
        continuing = ChunkContinuing::Keep;
    };
    auto include = [&](int32_t x, int32_t y) {
        if (!drawsAny) {
            xMin = xMax = x;
            yMin = yMax = y;
            drawsAny = true;
            return;
        }
        xMin = std::min(xMin, x);
        xMax = std::max(xMax, x);
        yMin = std::min(yMin, y);
        yMax = std::max(yMax, y);
    };
    // `end`: the offset just after the chunk's last record.
    auto close = [&](uint32_t end) {
        if (open && end > begin) {
            PointChunk c;
            c.block = chunkBlock;
            c.begin = uint16_t(begin);
            c.end = uint16_t(end);
            c.lastPoint = uint16_t(lastPoint);
            c.setPen(pen);
            c.setContinuing(continuing);
            c.fromEntry = fromEntry;
            c.drawsAny = drawsAny;
            c.xMin = xMin;
            c.yMin = yMin;
            c.xMax = xMax;
            c.yMax = yMax;
            chunks_.push_back(c);
        }
        open = false;
    };

    // A walk over the raw bytes, as bounds-checked as the record reader but
    // without decoding what is not a line record.
    uint32_t blocksVisited = 1;
    uint32_t labelText = 0;
    bool textExpected = false;
    for (;;) {
        if (block >= model.blockCount() || offset >= uint32_t(kBlockSize)) break;
        const uint8_t* b = model.block(block);
        // The records of one block, line records handled right here.
        while (!textExpected && offset < uint32_t(kBlockSize)) {
            const uint8_t code = b[offset];
            if (code == uint8_t(Rec::Point) && offset + kPointRecordBytes <= uint32_t(kBlockSize)) {
                const rec::Point pt = decodePayload<rec::Point>(b + offset + 1);
                if (!open) start();
                if (!penKnown || penDown) {
                    if (havePrevious)
                        include(prevX, prevY);
                    else
                        fromEntry = true;
                    include(pt.x, pt.y);
                }
                lastPoint = offset;
                continuing = !penKnown ? ChunkContinuing::EntryPen
                             : penDown ? ChunkContinuing::Yes
                                       : ChunkContinuing::No;
                havePrevious = true;
                prevX = pt.x;
                prevY = pt.y;
                offset += kPointRecordBytes;
                if (++points >= kMaxPoints) close(offset);
            } else if (code == uint8_t(Rec::PenUp) || code == uint8_t(Rec::PenDown)) {
                const bool up = code == uint8_t(Rec::PenUp);
                if (up && open && points >= kPointsBeforePenUpCut) close(offset);
                if (!open) start();
                penKnown = true;
                penDown = !up;
                pen = up ? ChunkPen::Up : ChunkPen::Down;
                if (up) continuing = ChunkContinuing::No;
                ++offset;
            } else {
                break;
            }
        }
        if (offset >= uint32_t(kBlockSize)) break;
        const uint8_t code = b[offset];
        close(offset);
        if (code == uint8_t(Rec::EndOfDrawing)) break;
        if (code == uint8_t(Rec::ContinueBlock)) {
            const uint32_t link = model.blockLink(block);
            // A link back or a chain longer than the model is damage: stop.
            if (link == 0 || link >= model.blockCount() || ++blocksVisited > model.blockCount())
                break;
            block = link;
            offset = kFirstRecordOffset;
            continue;
        }
        if (code == uint8_t(Rec::Label)) pageLabels_.back() = 1;
        if (code == uint8_t(Rec::Label) && textExpected) {
            textExpected = false;
            if (offset + 1 + labelText > uint32_t(kBlockSize)) break;
            offset += 1 + labelText;
            continue;
        }
        if (code == uint8_t(Rec::EndOfPage)) pageLabels_.push_back(0);
        const RecordExtent e = recordExtent(b + offset, uint32_t(kBlockSize) - offset);
        if (e.bytes == 0) break;
        if (code == uint8_t(Rec::Label)) {
            labelText = decodePayload<rec::Label>(b + offset + 1).textLength;
            textExpected = true;
        }
        offset += e.bytes;
    }
    close(offset);
    blockFirst_.assign(model.blockCount(), kNone);
    for (size_t k = chunks_.size(); k-- > 0;)
        if (chunks_[k].block < blockFirst_.size()) blockFirst_[chunks_[k].block] = uint32_t(k);
    for (uint32_t& f : blockFirst_)
        if (f == kNone) f = uint32_t(chunks_.size());
    builtBlocks_ = model.blockCount();
    builtFill_ = model.fillOffset();
    builtFillBlock_ = model.fillBlock();
    built_ = true;
}

} // namespace interp
