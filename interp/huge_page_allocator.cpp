#include "interp/huge_page_allocator.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace interp {

namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kLarge = std::size_t(1) << 20;

std::size_t roundedUp(std::size_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}
} // namespace

#if defined(__linux__)

// Large blocks are mapped straight from the kernel, aligned to a huge page, and
// unmapped when released: the C library's heap would keep them, and cut them
// from a heap that grows at every load.
void* allocateLarge(std::size_t bytes) {
    if (bytes < kLarge) {
        void* p = std::malloc(bytes ? bytes : 1);
        if (!p) throw std::bad_alloc();
        return p;
    }
    const std::size_t size = roundedUp(bytes);
    const std::size_t span = size + kHugePage;
    void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~std::uintptr_t(kHugePage - 1);
    if (aligned > start) munmap(raw, aligned - start);
    const std::uintptr_t tail = start + span - (aligned + size);
    if (tail > 0) munmap(reinterpret_cast<void*>(aligned + size), tail);
    void* p = reinterpret_cast<void*>(aligned);
#if defined(MADV_HUGEPAGE)
    madvise(p, size, MADV_HUGEPAGE); // a hint: without huge pages it still works
#endif
    return p;
}

void releaseLarge(void* p, std::size_t bytes) noexcept {
    if (!p) return;
    if (bytes < kLarge)
        std::free(p);
    else
        munmap(p, roundedUp(bytes));
}

#else

void* allocateLarge(std::size_t bytes) {
    void* p = std::malloc(bytes ? bytes : 1);
    if (!p) throw std::bad_alloc();
    return p;
}

void releaseLarge(void* p, std::size_t) noexcept {
    std::free(p);
}

#endif

} // namespace interp
