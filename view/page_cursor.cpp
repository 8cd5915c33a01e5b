#include "view/page_cursor.h"

namespace view {

PageCursor::PageCursor(const interp::DrawingModel& model, int page) : model_(model) {
    const interp::DrawingModel::PageStart s = model.pageStart(page);
    blockCount_ = model.blockCount();
    block_ = s.block;
    offset_ = s.offset;
}

bool PageCursor::nextSlow(interp::Record& r) {
    constexpr uint32_t kSize = uint32_t(interp::kBlockSize);
    for (int hops = 0; !done_; ++hops) {
        if (block_ >= blockCount_ || offset_ >= kSize || hops > int(blockCount_)) break;
        const uint8_t* b = model_.block(block_);
        const uint8_t code = b[offset_];
        r.code = code;
        r.isText = false;
        r.itemCount = 0;
        r.text = nullptr;
        r.textLength = 0;
        if (code == 255) {
            const uint32_t link = model_.blockLink(block_);
            if (link == 0 || link >= blockCount_ || link == block_) break;
            block_ = link;
            offset_ = interp::kFirstRecordOffset;
            continue;
        }
        if (code == interp::kLabelCode && textExpected_) {
            textExpected_ = false;
            if (offset_ + 1 + textLength_ > kSize) break;
            r.isText = true;
            r.text = b + offset_ + 1;
            r.textLength = textLength_;
            offset_ += 1 + textLength_;
            return true;
        }
        if (code == 254 || code == 0) break;
        const char* layout = interp::recordLayout(code);
        if (!layout) break;
        uint32_t pos = offset_ + 1;
        int n = 0;
        bool cut = false;
        for (const char* c = layout; *c; ++c) {
            const uint32_t width = *c == 'b' ? 1 : *c == 'w' ? 2 : 4;
            if (pos + width > kSize) {
                cut = true;
                break;
            }
            int32_t v = 0;
            if (width == 1) {
                v = b[pos];
            } else if (width == 2) {
                uint16_t w;
                std::memcpy(&w, b + pos, 2);
                v = w;
            } else {
                std::memcpy(&v, b + pos, 4);
            }
            r.item[n++] = v;
            pos += width;
            if (code == 26 && n == 1 && v == interp::kAllPensDefaultColour) break;
        }
        if (cut) break;
        r.itemCount = n;
        offset_ = pos;
        if (code == interp::kLabelCode) {
            textExpected_ = true;
            textLength_ = uint32_t(r.item[0]);
        }
        return true;
    }
    done_ = true;
    return false;
}

}  // namespace view
