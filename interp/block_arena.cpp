#include "interp/block_arena.h"
#include "interp/huge_page_allocator.h"

#include <cstring>
#include <new>
#include <utility>

namespace interp {

namespace {
constexpr size_t kHugePage = size_t(2) << 20;
// The first slabs are small, so that a small drawing stays small; they
// double up to a huge page.
constexpr size_t kFirstSlabBytes = size_t(64) << 10;
} // namespace

BlockArena::BlockArena(size_t blockSize) : blockSize_(blockSize) {}

BlockArena::~BlockArena() {
    release();
}

BlockArena::BlockArena(BlockArena&& other) noexcept
    : blockSize_(other.blockSize_), slabs_(std::move(other.slabs_)),
      usedInLast_(std::exchange(other.usedInLast_, 0)) {
    other.slabs_.clear();
}

BlockArena& BlockArena::operator=(BlockArena&& other) noexcept {
    if (this != &other) {
        release();
        blockSize_ = other.blockSize_;
        slabs_ = std::move(other.slabs_);
        other.slabs_.clear();
        usedInLast_ = std::exchange(other.usedInLast_, 0);
    }
    return *this;
}

uint8_t* BlockArena::allocate() {
    if (slabs_.empty() || usedInLast_ == slabs_.back().blocks) {
        size_t bytes = kFirstSlabBytes;
        if (!slabs_.empty()) {
            const size_t last = slabs_.back().blocks * blockSize_;
            bytes = last * 2 < kHugePage ? last * 2 : kHugePage;
        }
        if (bytes < blockSize_) bytes = blockSize_;
        // Room first, so that the push below cannot throw with a slab in hand.
        if (slabs_.size() == slabs_.capacity()) slabs_.reserve(slabs_.size() * 2 + 4);
        slabs_.push_back(Slab{static_cast<uint8_t*>(allocateLarge(bytes)), bytes / blockSize_});
        usedInLast_ = 0;
    }
    uint8_t* block = slabs_.back().bytes + usedInLast_ * blockSize_;
    ++usedInLast_;
    std::memset(block, 0, blockSize_);
    return block;
}

void BlockArena::clear() {
    release();
    slabs_.clear();
    slabs_.shrink_to_fit();
    usedInLast_ = 0;
}

void BlockArena::release() {
    for (Slab& s : slabs_)
        releaseLarge(s.bytes, s.blocks * blockSize_);
}

} // namespace interp
