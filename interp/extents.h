#pragma once
// The running bounding box of the page being built, in plotter units.

#include <cstdint>

namespace interp {

struct Extents {
    static constexpr int32_t kResetMin = 2147483647;
    static constexpr int32_t kResetMax = -2147483647;
    static constexpr int32_t kSaneLimit = 214748364;

    int32_t xMin = kResetMin;
    int32_t yMin = kResetMin;
    int32_t xMax = kResetMax;
    int32_t yMax = kResetMax;

    void reset() { *this = Extents{}; }
    void grow(int32_t x, int32_t y) {
        if (x < xMin) xMin = x;
        if (x > xMax) xMax = x;
        if (y < yMin) yMin = y;
        if (y > yMax) yMax = y;
    }
    // Non-empty and every corner within +-214748364, so that widening and view
    // arithmetic cannot overflow.
    bool valid() const;
};

} // namespace interp
