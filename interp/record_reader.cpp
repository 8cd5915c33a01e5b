#include "record_reader.h"

#include <cstring>

namespace interp {

RecordReader::RecordReader(const DrawingModel& model, int page) : model_(model) {
    DrawingModel::PageStart s = model.pageStart(page);
    block_ = s.block;
    offset_ = s.offset;
}

RecordReader::RecordReader(const DrawingModel& model) : model_(model) {}

bool RecordReader::nextSlow(Record& r) {
    if (done_) return false;
    if (block_ >= model_.blockCount() || offset_ >= static_cast<uint32_t>(kBlockSize)) {
        done_ = true;
        return false;
    }
    const uint8_t* b = model_.block(block_) + offset_;
    const uint32_t available = static_cast<uint32_t>(kBlockSize) - offset_;
    r.isText = false;
    r.itemCount = 0;
    r.text = nullptr;
    r.textLength = 0;

    if (b[0] == uint8_t(Rec::ContinueBlock)) {
        r.code = Rec::ContinueBlock;
        uint32_t link = model_.blockLink(block_);
        if (link == 0 || link >= model_.blockCount() || link == block_) {
            done_ = true;
            return false;
        }
        block_ = link;
        offset_ = kFirstRecordOffset;
        return true;
    }
    if (b[0] == uint8_t(Rec::Label) && textExpected_) {
        textExpected_ = false;
        uint32_t len = textPending_;
        if (1 + len > available) {
            done_ = true;
            return false;
        }
        r.code = Rec::Label;
        r.isText = true;
        r.text = b + 1;
        r.textLength = len;
        offset_ += 1 + len;
        return true;
    }
    const RecordExtent e = recordExtent(b, available);
    if (e.bytes == 0) {
        done_ = true;
        return false;
    }
    r.code = static_cast<Rec>(b[0]);
    const uint8_t* pos = b + 1;
    int n = 0;
    for (const char* c = e.layout; *c; ++c, ++n) {
        int32_t v = 0;
        if (n < e.items) {
            switch (*c) {
            case 'b':
                v = *pos++;
                break;
            case 'w': {
                uint16_t w;
                std::memcpy(&w, pos, 2);
                v = w;
                pos += 2;
                break;
            }
            default:
                std::memcpy(&v, pos, 4);
                pos += 4;
                break;
            }
        }
        r.item[n] = v;
    }
    r.itemCount = e.items;
    offset_ += e.bytes;
    if (r.code == Rec::Label) {
        textExpected_ = true;
        textPending_ = static_cast<uint32_t>(r.item[0]);
    }
    if (r.code == Rec::EndOfDrawing) done_ = true;
    return true;
}

} // namespace interp
