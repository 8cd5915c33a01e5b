#pragma once
// Where the drawing list's runs of lines lie: the list cut into chunks of
// point, pen up and pen down records, each with the box of the points it can
// draw to and the pen state it leaves. A render pass steps over a chunk whose
// box lies outside what it draws, instead of reading its records. Built once
// the list is complete; rebuilt when the list's points change.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "interp/huge_page_allocator.h"

namespace interp {

class DrawingModel;

// How a chunk leaves the pen and the "continuing" flag of the pass (a point
// drawn with the pen down continues the line).
enum class ChunkPen : uint8_t { Keep, Up, Down };
enum class ChunkContinuing : uint8_t { Keep, No, Yes, EntryPen };

struct PointChunk {
    uint32_t block = 0;
    uint16_t begin = 0;     // offset of the first record in the block
    uint16_t end = 0;       // offset just after the last record
    uint16_t lastPoint = 0; // offset of the last point record, 0 when there is none
    uint8_t penBits : 2 = 0;
    uint8_t continuingBits : 2 = 0;
    // The first point may be drawn from the position the chunk is entered at.
    bool fromEntry : 1 = false;
    bool drawsAny : 1 = false; // some point may be drawn with the pen down
    // Box of every point that may end or start a drawn segment.
    int32_t xMin = 0, yMin = 0, xMax = 0, yMax = 0;

    ChunkPen pen() const { return ChunkPen(penBits); }
    ChunkContinuing continuing() const { return ChunkContinuing(continuingBits); }
    void setPen(ChunkPen p) { penBits = uint8_t(p) & 3; }
    void setContinuing(ChunkContinuing c) { continuingBits = uint8_t(c) & 3; }
};
static_assert(sizeof(PointChunk) == 28, "a chunk costs 28 bytes of index");

class ChunkIndex {
  public:
    // Cuts the whole list into chunks; a chunk ends before any other record,
    // at a block end, at a pen up after eight points and after 64 points.
    void build(const DrawingModel& model);
    void clear();

    // True when the index was built from the list as it stands now.
    bool matches(const DrawingModel& model) const;

    const std::vector<PointChunk, HugePageAllocator<PointChunk>>& chunks() const { return chunks_; }
    // Index of the first chunk of block `block` (chunks().size() when it has none).
    uint32_t firstInBlock(uint32_t block) const {
        return block < blockFirst_.size() ? blockFirst_[block] : uint32_t(chunks_.size());
    }
    // Pages holding label records, by page number.
    bool pageHasLabels(int page) const {
        return page >= 1 && std::size_t(page) <= pageLabels_.size() &&
               pageLabels_[std::size_t(page) - 1];
    }
    std::size_t memoryBytes() const {
        return chunks_.capacity() * sizeof(PointChunk) + blockFirst_.capacity() * 4 +
               pageLabels_.capacity();
    }

  private:
    std::vector<PointChunk, HugePageAllocator<PointChunk>> chunks_;
    std::vector<uint32_t> blockFirst_;
    std::vector<uint8_t> pageLabels_;
    // What the list looked like when the index was built.
    uint32_t builtBlocks_ = 0;
    std::size_t builtFill_ = 0;
    uint32_t builtFillBlock_ = 0;
    bool built_ = false;
};

} // namespace interp
