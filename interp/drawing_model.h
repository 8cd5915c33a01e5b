#pragma once
// The drawing model: the byte-coded drawing list in 8192-byte blocks, the page
// directory with each page's extents, the polygon buffer and the pen tables
// kept beside the list. Written once by the interpreter, replayed by readers.
//
// A "block address" is the block's index: block 0 is the first block, which
// lives as long as the model; a link of 0 means "no next block".

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "interp/block_arena.h"
#include "interp/chunk_index.h"
#include "interp/extents.h"
#include "interp/polygon_buffer.h"
#include "interp/record_codes.h"

namespace interp {

constexpr int kBlockSize = 8192;
constexpr int kRecordReserve = 25;    // free bytes needed before a record begins
constexpr int kFirstRecordOffset = 4; // records start after the 4-byte link
constexpr int kMaxLabelText = kBlockSize - kFirstRecordOffset - 2; // 8186
constexpr int kDirectoryWords = 121;
constexpr int kPagesPerDirectory = 20;

// Pen tables recorded while loading, indexed by pen 0..255.
struct PenTables {
    std::array<bool, 256> used{};          // a pen select record names the pen
    std::array<uint32_t, 256> colour{};    // 0x00BBGGRR
    std::array<bool, 256> colourDefined{}; // the file gave the pen a colour
    std::array<float, 256> width{};        // plotter units
    bool widthsSet = false;
};

// Growth of a page box by the paper corner (plot size given and the "PS(Plot
// Size) command area" choice made): rotation in degrees, hard-clip W x H.
struct PaperCorner {
    bool apply = false;
    int rotation = 0;
    int32_t width = 15120;
    int32_t height = 10760;
};

class DrawingModel {
  public:
    DrawingModel();
    DrawingModel(const DrawingModel&) = delete;
    DrawingModel& operator=(const DrawingModel&) = delete;
    // Moving hands the blocks over (they stay where they are, so the write position
    // stays valid); a model moved from may only be assigned to or destroyed.
    DrawingModel(DrawingModel&&) noexcept = default;
    DrawingModel& operator=(DrawingModel&&) noexcept = default;
    // Exchanges the whole content with `other` (a drawing read elsewhere comes in).
    void swap(DrawingModel& other) noexcept {
        if (&other == this) return;
        DrawingModel held(std::move(other));
        other = std::move(*this);
        *this = std::move(held);
    }

    // ---- writer side (the interpreter) ----

    // Frees every block but the first and every directory block but the first,
    // empties the list, the polygon buffer and the pen-used flags; one page.
    void reset();

    // Appends a record: applies the 25-byte rule, then writes the code and
    // the payload fields in table order. Points and pen selects go through
    // appendPoint and writePenSelect, which keep their bookkeeping.
    template <class R> void write(const R& record) {
        static_assert(!std::is_same_v<R, rec::Point> && !std::is_same_v<R, rec::PenSelect>);
        put(record);
    }

    // A pen up record when `up`, else a pen down record.
    void writePenState(bool up) {
        if (up)
            put(rec::PenUp{});
        else
            put(rec::PenDown{});
    }

    // The short pen colour record: every pen back to its default colour.
    void writeDefaultColours() {
        beginRecord(Rec::PenColour);
        putRaw(static_cast<uint16_t>(kAllPensDefaultColour));
    }

    // Pen select record; also sets the pen-used flag.
    void writePenSelect(uint8_t pen) {
        put(rec::PenSelect{pen});
        pens.used[pen] = true;
    }

    // Point record with the extents rule: a point written while the pen is up
    // is remembered and enters the box only with the next pen-down point.
    void appendPoint(int32_t x, int32_t y) {
        put(rec::Point{x, y});
        if (penUp_) {
            pendingUp_ = true;
            pendingX_ = x;
            pendingY_ = y;
        } else {
            if (pendingUp_) {
                extendExtents(pendingX_, pendingY_);
                pendingUp_ = false;
            }
            extendExtents(x, y);
        }
    }

    // Label text record; false (and nothing written) when the text cannot fit
    // even into a fresh block.
    bool appendLabelText(const uint8_t* text, size_t length);

    // Grows the page box by a point, clamped into the input window while one is set.
    void extendExtents(int32_t x, int32_t y) {
        if (windowSet_) {
            if (x < window_.xMin) x = window_.xMin;
            if (x > window_.xMax) x = window_.xMax;
            if (y < window_.yMin) y = window_.yMin;
            if (y > window_.yMax) y = window_.yMax;
        }
        building_.grow(x, y);
    }
    // Sets or clears the rectangle that clamps points entering the box
    // (minimum and maximum corner).
    void setInputWindowClamp(bool set, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    // True when a record has been written since the reset.
    bool hasRecords() const { return curIndex_ != 0 || fill_ > kFirstRecordOffset; }

    // Closes the box of the page being built into its directory slots. True when
    // the page counts; false (fixed box 0,0-1000,1000) when empty or absurd.
    bool closePageExtents(const PaperCorner& corner);
    // Page end of a page advance: close the box, count the page, write 254 and
    // make the next page begin right after it. Returns closePageExtents' result.
    bool pageEnd(const PaperCorner& corner);
    // End of the file: end record, last page closed (and uncounted when empty),
    // page 1 selected. Returns closePageExtents' result.
    bool finishLoad(const PaperCorner& corner, bool endWritten = false);
    // Writes the end record without any other bookkeeping (a load cut short).
    void writeEndMarker();

    Extents& buildingExtents() { return building_; }

    // ---- reader side ----

    int pageCount() const { return pageCount_; }
    int currentPage() const { return currentPage_; }
    // Selects page n (1..page count; anything else selects page 1) and loads its extents.
    void selectPage(int n);
    // The selected page's extents (the widened box of its directory slots).
    const Extents& extents() const { return extents_; }
    Extents& mutableExtents() { return extents_; }

    struct PageStart {
        uint32_t block = 0;
        uint32_t offset = kFirstRecordOffset;
    };
    // Where page n begins (page 1 for an n outside the directory).
    PageStart pageStart(int n) const;
    // Box slots of page n as stored in the directory.
    Extents pageExtents(int n) const;
    void setPageExtents(int n, const Extents& e);

    uint32_t blockCount() const { return static_cast<uint32_t>(blocks_.size()); }
    const uint8_t* block(uint32_t index) const { return blocks_[index]; }
    uint8_t* mutableBlock(uint32_t index) { return blocks_[index]; }
    // Link of a block: the index of the next block, 0 in the last.
    uint32_t blockLink(uint32_t index) const;
    // Bytes of drawing list in use (blocks times 8192).
    size_t streamBytes() const { return blocks_.size() * static_cast<size_t>(kBlockSize); }
    size_t fillOffset() const { return fill_; }
    uint32_t fillBlock() const { return curIndex_; }

    PolygonBuffer polygons;
    PenTables pens;
    // Where the runs of lines lie; built when the load finishes.
    ChunkIndex chunks;

  private:
    void beginRecord(Rec code) {
        if (fill_ + kRecordReserve > kBlockSize) nextBlock();
        cur_[fill_++] = static_cast<uint8_t>(code);
        if (code == Rec::PenUp)
            penUp_ = true;
        else if (code == Rec::PenDown)
            penUp_ = false;
    }
    template <class R> void put(const R& record) {
        beginRecord(R::kCode);
        rec::forEachField(record, [this](auto v) { putRaw(v); });
    }
    template <typename T> void putRaw(T v) {
        std::memcpy(cur_ + fill_, &v, sizeof v);
        fill_ += sizeof v;
    }
    void nextBlock();
    int32_t* slotWords(int page);
    const int32_t* slotWords(int page) const;

    // Block 0 has its own allocation and lives as long as the model; the
    // others come from the arena and go with a reset.
    std::unique_ptr<uint8_t[]> firstBlock_;
    BlockArena arena_{kBlockSize};
    std::vector<uint8_t*> blocks_;
    uint8_t* cur_ = nullptr;
    uint32_t curIndex_ = 0;
    uint32_t fill_ = kFirstRecordOffset;

    std::vector<std::unique_ptr<std::array<int32_t, kDirectoryWords>>> directory_;

    int pageCount_ = 1;
    int currentPage_ = 1;
    Extents building_;
    Extents extents_;
    Extents window_;
    bool windowSet_ = false;

    bool penUp_ = true;
    bool pendingUp_ = false;
    int32_t pendingX_ = 0;
    int32_t pendingY_ = 0;
};

} // namespace interp
