#pragma once
// Reads the drawing list back record by record, following block links. Every
// read is bounds-checked, so a damaged list ends the walk instead of reading
// outside a block.

#include <bit>
#include <cstdint>
#include <cstring>

#include "interp/drawing_model.h"

namespace interp {

struct Record {
    uint8_t code = 0;
    bool isText = false; // second form of code 10: the label text
    int itemCount = 0;
    int32_t item[8] = {}; // payload items in layout order; f items as raw bits
    const uint8_t* text = nullptr;
    uint32_t textLength = 0;

    int32_t i(int k) const { return item[k]; }
    float f(int k) const { return std::bit_cast<float>(item[k]); }
};

class RecordReader {
  public:
    // Starts at the first record of page `page` (1-based; out of range gives page 1).
    RecordReader(const DrawingModel& model, int page);
    // Starts at the first record of the first block (the whole list).
    explicit RecordReader(const DrawingModel& model);

    // Reads the next record, 255, 254 and 0 included (after 255 the walk goes on
    // in the next block). False after the end record or on a damaged list.
    bool next(Record& r) {
        // Point records, the bulk of every drawing, are decoded right here.
        if (!done_ && !textExpected_ && offset_ + 9 <= uint32_t(kBlockSize) &&
            block_ < model_.blockCount()) {
            const uint8_t* b = model_.block(block_) + offset_;
            if (b[0] == 4) {
                r.code = 4;
                r.isText = false;
                r.itemCount = 2;
                r.text = nullptr;
                r.textLength = 0;
                std::memcpy(&r.item[0], b + 1, 8);
                offset_ += 9;
                return true;
            }
        }
        return nextSlow(r);
    }

    // Reads the next drawable record of the page: skips 255, false at 254 or 0.
    bool nextOnPage(Record& r) {
        while (next(r)) {
            if (r.code == 255) continue;
            return r.code != 254 && r.code != 0;
        }
        return false;
    }

    uint32_t block() const { return block_; }
    uint32_t offset() const { return offset_; }

    // The bytes from the next record to the end of its block, for a caller
    // that reads a run of point records itself; nullptr when the next record
    // is a label text or the walk has ended. `skip` then steps over what the
    // caller read, which must be whole records.
    const uint8_t* rawRun(uint32_t& available) const {
        if (done_ || textExpected_ || block_ >= model_.blockCount() ||
            offset_ >= uint32_t(kBlockSize))
            return nullptr;
        available = uint32_t(kBlockSize) - offset_;
        return model_.block(block_) + offset_;
    }
    void skip(uint32_t bytes) { offset_ += bytes; }

  private:
    bool nextSlow(Record& r);

    const DrawingModel& model_;
    uint32_t block_ = 0;
    uint32_t offset_ = kFirstRecordOffset;
    uint32_t textPending_ = 0; // length announced by the last label header
    bool textExpected_ = false;
    bool done_ = false;
};

} // namespace interp
