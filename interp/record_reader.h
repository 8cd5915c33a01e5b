#pragma once
// Reads the drawing list back record by record, following block links. Every
// read is bounds-checked, so a damaged list ends the walk instead of reading
// outside a block. A record read comes back in the generic item form (for the
// dump) and, through as() and visitRecord(), as its typed payload.

#include <bit>
#include <cstdint>
#include <type_traits>

#include "interp/drawing_model.h"

namespace interp {

struct Record {
    Rec code = Rec::EndOfDrawing;
    bool isText = false;  // second form of a label: the label text
    int itemCount = 0;    // items the record holds (later items read as 0)
    int32_t item[8] = {}; // payload items in layout order; f items as raw bits
    const uint8_t* text = nullptr;
    uint32_t textLength = 0;

    int32_t i(int k) const { return item[k]; }
    float f(int k) const { return std::bit_cast<float>(item[k]); }

    // The payload as the struct of its code, which must be R's code.
    template <class R> R as() const {
        R r;
        int k = 0;
        rec::forEachField(r, [this, &k](auto& field) {
            using T = std::remove_reference_t<decltype(field)>;
            if constexpr (std::is_same_v<T, float>)
                field = std::bit_cast<float>(item[k++]);
            else
                field = static_cast<T>(item[k++]);
        });
        return r;
    }
};

// The text of a label, the record after its header.
struct LabelText {
    const uint8_t* bytes = nullptr;
    uint32_t length = 0;
};

// Calls fn with the typed payload of `r` (rec::Point, rec::PenSelect, ...),
// or with its LabelText when `r` is a label text.
template <class Fn> void visitRecord(const Record& r, Fn&& fn) {
    if (r.isText) {
        fn(LabelText{r.text, r.textLength});
        return;
    }
    switch (r.code) {
#define QM_REC_CASE(code, name, fields)                                                            \
    case Rec::name:                                                                                \
        fn(r.as<rec::name>());                                                                     \
        return;
        QM_RECORD_TABLE(QM_REC_CASE, QM_REC_NO_FIELDS)
#undef QM_REC_CASE
    }
}

class RecordReader {
  public:
    // Starts at the first record of page `page` (1-based; out of range gives page 1).
    RecordReader(const DrawingModel& model, int page);
    // Starts at the first record of the first block (the whole list).
    explicit RecordReader(const DrawingModel& model);

    // Reads the next record, ContinueBlock, EndOfPage and EndOfDrawing
    // included (after ContinueBlock the walk goes on in the next block).
    // False after the end record or on a damaged list.
    bool next(Record& r) {
        // Point records, the bulk of every drawing, are decoded right here.
        if (!done_ && !textExpected_ && offset_ + kPointRecordBytes <= uint32_t(kBlockSize) &&
            block_ < model_.blockCount()) {
            const uint8_t* b = model_.block(block_) + offset_;
            if (b[0] == uint8_t(Rec::Point)) {
                const rec::Point p = decodePayload<rec::Point>(b + 1);
                r.code = Rec::Point;
                r.isText = false;
                r.itemCount = 2;
                r.text = nullptr;
                r.textLength = 0;
                r.item[0] = p.x;
                r.item[1] = p.y;
                offset_ += kPointRecordBytes;
                return true;
            }
        }
        return nextSlow(r);
    }

    // Reads the next drawable record of the page: skips ContinueBlock, false
    // at EndOfPage or EndOfDrawing.
    bool nextOnPage(Record& r) {
        while (next(r)) {
            if (r.code == Rec::ContinueBlock) continue;
            return r.code != Rec::EndOfPage && r.code != Rec::EndOfDrawing;
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
