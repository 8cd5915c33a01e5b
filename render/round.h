#pragma once
// Rounding of reals to integers as the view does it everywhere: to the
// nearest integer, ties to even, without a library call on the hot path.

#include <cmath>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace view {

// For values known to lie well inside the 32-bit range.
inline int32_t roundInt(double v) {
#if defined(__SSE2__)
    return _mm_cvtsd_si32(_mm_set_sd(v));
#else
    return static_cast<int32_t>(std::nearbyint(v));
#endif
}

// For any value: clamped into the 32-bit range first (NaN gives 0).
inline int32_t roundClamped(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int32_t>(std::nearbyint(v));
}

} // namespace view
