#include "drawing_model.h"

#include <bit>
#include <cstdlib>

static_assert(std::endian::native == std::endian::little,
              "the drawing list is written in host order, which must be little-endian");
static_assert(uint8_t(interp::Rec::EndOfDrawing) == 0, "a zeroed block reads as the end");

namespace interp {

bool Extents::valid() const {
    auto sane = [](int32_t v) { return v >= -kSaneLimit && v <= kSaneLimit; };
    return xMin <= xMax && yMin <= yMax && sane(xMin) && sane(yMin) && sane(xMax) && sane(yMax);
}

DrawingModel::DrawingModel() {
    firstBlock_ = std::make_unique<uint8_t[]>(kBlockSize);
    blocks_.push_back(firstBlock_.get());
    directory_.push_back(std::make_unique<std::array<int32_t, kDirectoryWords>>());
    reset();
}

void DrawingModel::reset() {
    blocks_.resize(1);
    blocks_.shrink_to_fit();
    arena_.clear();
    directory_.resize(1);
    cur_ = blocks_[0];
    curIndex_ = 0;
    std::memset(cur_, 0, kFirstRecordOffset + 1); // link 0, an end record first
    fill_ = kFirstRecordOffset;
    directory_[0]->fill(0);
    pageCount_ = 1;
    currentPage_ = 1;
    int32_t* w = slotWords(1);
    w[0] = 0;
    w[20] = kFirstRecordOffset;
    building_.reset();
    extents_.reset();
    windowSet_ = false;
    penUp_ = true;
    pendingUp_ = false;
    pens.used.fill(false);
    polygons.clear();
    chunks.clear();
}

void DrawingModel::nextBlock() {
    // Allocate first: should that fail, the old block is still intact and can
    // take an end record.
    if (blocks_.size() == blocks_.capacity()) blocks_.reserve(blocks_.size() * 2);
    uint8_t* fresh = arena_.allocate();
    uint32_t index = static_cast<uint32_t>(blocks_.size());
    blocks_.push_back(fresh);
    cur_[fill_] = uint8_t(Rec::ContinueBlock);
    std::memcpy(cur_, &index, 4);
    cur_ = blocks_.back();
    std::memset(cur_, 0, 4);
    curIndex_ = index;
    fill_ = kFirstRecordOffset;
}

void DrawingModel::writeEndMarker() {
    // Every record leaves at least three bytes free, so this always fits.
    cur_[fill_++] = uint8_t(Rec::EndOfDrawing);
}

bool DrawingModel::appendLabelText(const uint8_t* text, size_t length) {
    if (length > static_cast<size_t>(kMaxLabelText)) return false;
    if (fill_ + length + 2 > static_cast<size_t>(kBlockSize)) nextBlock();
    cur_[fill_++] = uint8_t(Rec::Label);
    if (length) std::memcpy(cur_ + fill_, text, length);
    fill_ += static_cast<uint32_t>(length); // at least one byte stays free
    return true;
}

void DrawingModel::setInputWindowClamp(bool set, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    windowSet_ = set;
    window_.xMin = x1 < x2 ? x1 : x2;
    window_.xMax = x1 < x2 ? x2 : x1;
    window_.yMin = y1 < y2 ? y1 : y2;
    window_.yMax = y1 < y2 ? y2 : y1;
}

int32_t* DrawingModel::slotWords(int page) {
    size_t dir = static_cast<size_t>(page - 1) / kPagesPerDirectory;
    int slot = (page - 1) % kPagesPerDirectory + 1;
    return directory_[dir]->data() + slot;
}

const int32_t* DrawingModel::slotWords(int page) const {
    size_t dir = static_cast<size_t>(page - 1) / kPagesPerDirectory;
    int slot = (page - 1) % kPagesPerDirectory + 1;
    return directory_[dir]->data() + slot;
}

bool DrawingModel::closePageExtents(const PaperCorner& corner) {
    Extents& e = building_;
    bool ok = e.valid();
    if (ok && corner.apply) {
        int32_t w = corner.width, h = corner.height;
        int32_t cx = w, cy = h;
        switch (corner.rotation) {
        case 90:
            cx = -w;
            cy = h;
            break;
        case 180:
            cx = -w;
            cy = -h;
            break;
        case 270:
            cx = w;
            cy = -h;
            break;
        default:
            break;
        }
        e.grow(0, 0);
        e.grow(cx, cy);
        ok = e.valid();
    }
    int32_t* w = slotWords(pageCount_);
    if (ok) {
        w[40] = e.xMin - 40;
        w[60] = e.yMin - 40;
        w[80] = e.xMax + 40;
        w[100] = e.yMax + 40;
    } else {
        e.xMin = 0;
        e.yMin = 0;
        e.xMax = 1000;
        e.yMax = 1000;
        w[40] = 0;
        w[60] = 0;
        w[80] = 1000;
        w[100] = 1000;
    }
    return ok;
}

bool DrawingModel::pageEnd(const PaperCorner& corner) {
    int s0 = (pageCount_ - 1) % kPagesPerDirectory;
    bool counts = closePageExtents(corner);
    if (counts) ++pageCount_;
    int s1 = (pageCount_ - 1) % kPagesPerDirectory;
    if (s1 < s0) {
        directory_.push_back(std::make_unique<std::array<int32_t, kDirectoryWords>>());
        directory_.back()->fill(0);
        int32_t link = static_cast<int32_t>(directory_.size() - 1);
        (*directory_[directory_.size() - 2])[0] = link;
    }
    put(rec::EndOfPage{});
    int32_t* w = slotWords(pageCount_);
    w[0] = static_cast<int32_t>(curIndex_);
    w[20] = static_cast<int32_t>(fill_);
    building_.reset();
    pendingUp_ = false;
    return counts;
}

bool DrawingModel::finishLoad(const PaperCorner& corner, bool endWritten) {
    if (!endWritten) put(rec::EndOfDrawing{});
    bool counts = closePageExtents(corner);
    if (!counts) --pageCount_;
    selectPage(1);
    chunks.build(*this);
    return counts;
}

uint32_t DrawingModel::blockLink(uint32_t index) const {
    uint32_t link;
    std::memcpy(&link, blocks_[index], 4);
    return link;
}

DrawingModel::PageStart DrawingModel::pageStart(int n) const {
    if (n < 1 || n > pageCount_) n = 1;
    const int32_t* w = slotWords(n);
    PageStart p;
    p.block = static_cast<uint32_t>(w[0]);
    p.offset = static_cast<uint32_t>(w[20]);
    if (p.block >= blocks_.size() || p.offset < kFirstRecordOffset || p.offset >= kBlockSize) {
        p.block = 0;
        p.offset = kFirstRecordOffset;
    }
    return p;
}

Extents DrawingModel::pageExtents(int n) const {
    if (n < 1 || n > pageCount_) n = 1;
    const int32_t* w = slotWords(n);
    Extents e;
    e.xMin = w[40];
    e.yMin = w[60];
    e.xMax = w[80];
    e.yMax = w[100];
    return e;
}

void DrawingModel::setPageExtents(int n, const Extents& e) {
    if (n < 1 || n > pageCount_) return;
    int32_t* w = slotWords(n);
    w[40] = e.xMin;
    w[60] = e.yMin;
    w[80] = e.xMax;
    w[100] = e.yMax;
    if (n == currentPage_) extents_ = e;
}

void DrawingModel::selectPage(int n) {
    if (n < 1 || n > pageCount_) n = 1;
    currentPage_ = n;
    extents_ = pageExtents(n);
}

} // namespace interp
