#include "tools/run_memory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace tools {

void preferHugePages() {
    constexpr uintptr_t kHugePage = uintptr_t(2) << 20;
    // Allocations up to 32 MB come from the heap, which grows by 64 MB at a
    // time and is not given back while the run lasts.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TOP_PAD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    // One allocation makes the heap grow now, so that its extent is known.
    void* probe = std::malloc(1 << 20);
    if (!probe) return;
    const uintptr_t from = (reinterpret_cast<uintptr_t>(probe) + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t to = reinterpret_cast<uintptr_t>(sbrk(0)) & ~(kHugePage - 1);
#ifdef MADV_HUGEPAGE
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
    std::free(probe);
}

} // namespace tools
