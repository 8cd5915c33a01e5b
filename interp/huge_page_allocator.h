#pragma once
// An allocator for the big arrays built beside the drawing list: allocations
// of a megabyte and more are aligned to huge pages and offered to the kernel
// as such, so that filling them does not fault in one small page at a time.

#include <cstddef>
#include <new>

namespace interp {

// Raw allocation and release (with the size allocated); throws std::bad_alloc.
void* allocateLarge(std::size_t bytes);
void releaseLarge(void* p, std::size_t bytes) noexcept;

template <class T> struct HugePageAllocator {
    using value_type = T;
    HugePageAllocator() = default;
    template <class U> HugePageAllocator(const HugePageAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) {
        if (n > std::size_t(-1) / sizeof(T)) throw std::bad_alloc();
        return static_cast<T*>(allocateLarge(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { releaseLarge(p, n * sizeof(T)); }
    template <class U> bool operator==(const HugePageAllocator<U>&) const noexcept { return true; }
};

} // namespace interp
