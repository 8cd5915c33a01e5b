#pragma once
// The render pass's reader of one page of the drawing list: the same records
// as interp::RecordReader gives, with point records (the bulk of every
// drawing) decoded inline. Bounds-checked: a damaged list ends the page.

#include <cstdint>
#include <cstring>

#include "interp/drawing_model.h"
#include "interp/record_reader.h"

namespace view {

class PageCursor {
public:
    PageCursor(const interp::DrawingModel& model, int page);

    // The next record of the page (255 followed); false at 254, 0, or damage.
    bool next(interp::Record& r) {
        if (!done_ && offset_ + 9 <= uint32_t(interp::kBlockSize) && !textExpected_ && block_ < blockCount_) {
            const uint8_t* b = model_.block(block_) + offset_;
            // The list is read once, front to back: ask for the bytes a few
            // hundred records ahead (a prefetch never faults).
            __builtin_prefetch(b + 512);
            if (b[0] == 4) {
                r.code = 4;
                r.isText = false;
                r.itemCount = 2;
                // One 8-byte copy: the pair is read back as one, and split
                // stores would stall that load.
                std::memcpy(&r.item[0], b + 1, 8);
                offset_ += 9;
                return true;
            }
        }
        return nextSlow(r);
    }

    // The bytes from the next record to the end of its block, for a caller
    // that reads a run of point records itself; nullptr when the next record
    // is a label text or the walk has ended. `skip` then steps over what it read.
    const uint8_t* rawRun(uint32_t& available) const {
        if (done_ || textExpected_ || block_ >= blockCount_ || offset_ >= uint32_t(interp::kBlockSize))
            return nullptr;
        available = uint32_t(interp::kBlockSize) - offset_;
        return model_.block(block_) + offset_;
    }
    void skip(uint32_t bytes) { offset_ += bytes; }

private:
    bool nextSlow(interp::Record& r);

    const interp::DrawingModel& model_;
    uint32_t blockCount_ = 0;
    uint32_t block_ = 0;
    uint32_t offset_ = interp::kFirstRecordOffset;
    uint32_t textLength_ = 0;
    bool textExpected_ = false;
    bool done_ = false;
};

}  // namespace view
