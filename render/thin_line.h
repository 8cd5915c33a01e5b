#pragma once
// The one-pixel line rasterizer of raster canvases: integer Bresenham
// straight onto 32-bit pixels with copy, merge (OR), mask (AND) and xor.
// Thin lines are by far the most common drawing, so they bypass any painter.

#include <cstdint>

#include "render/canvas.h"
#include "render/pixel_surface.h"

namespace view {

// Pixel operations of the raster modes.
struct OpCopy {
    static void apply(uint32_t& p, uint32_t c) { p = c; }
};
struct OpMerge {
    static void apply(uint32_t& p, uint32_t c) { p |= c; }
};
struct OpMask {
    static void apply(uint32_t& p, uint32_t c) { p &= c; }
};
struct OpXor {
    static void apply(uint32_t& p, uint32_t c) { p ^= c; }
};

// Lines up to this many steps take the minor coordinate of each pixel from a
// fixed-point quotient instead of the error recurrence.
constexpr int kQuotientSteps = 1024;

// Bresenham from (x, y) over dx, dy pixels, the end pixel left out, with no
// checks: every pixel of the line must lie inside the target.
//
// Pixel i (0-based) of a line with `steps` major and `minor` minor steps lies
// floor((2 minor i + steps - 1) / (2 steps)) minor steps off the major axis,
// which is where the error recurrence puts it (ties go back). Up to
// kQuotientSteps that quotient is exact as (n R) >> 34 with R = ceil(2^34 /
// (2 steps)), and the pixels no longer wait for each other.
template <class Op>
inline void lineInside(uint32_t* bits, long long stride, int x, int y, int dx, int dy, uint32_t c) {
    const int ax = dx < 0 ? -dx : dx;
    const int ay = dy < 0 ? -dy : dy;
    const bool xMajor = ax >= ay;
    const int steps = xMajor ? ax : ay;
    const int minor = xMajor ? ay : ax;
    const long long xStep = dx < 0 ? -1 : 1;
    const long long yStep = dy < 0 ? -stride : stride;
    const long long majorStep = xMajor ? xStep : yStep;
    const long long minorStep = xMajor ? yStep : xStep;
    if (steps == 0) return;
    uint32_t* p = bits + y * stride + x;
    if (steps <= kQuotientSteps) {
        const uint64_t r = ((uint64_t(1) << 34) + 2 * uint64_t(steps) - 1) / (2 * uint64_t(steps));
        uint64_t q = uint64_t(steps - 1) * r;
        const uint64_t step = 2 * uint64_t(minor) * r;
        for (int i = 0; i < steps; ++i) {
            Op::apply(p[i * majorStep + static_cast<long long>(q >> 34) * minorStep], c);
            q += step;
        }
        return;
    }
    int err = 2 * minor - steps;
    // Branch-free steps: the minor step of a line of any slope is not
    // predictable, and a mispredicted branch costs more than the pixel.
    const int back = 2 * steps;
    for (int i = 0; i < steps; ++i) {
        Op::apply(*p, c);
        const int take = -int(err > 0); // all ones when the minor coordinate steps
        p += majorStep + (minorStep & take);
        err += 2 * minor - (back & take);
    }
}

// Line from (xa, ya) to (xb, yb) within the surface's clip box, the end pixel
// left out (a zero-length line sets nothing). `rgb` is the pixel value
// 0xAARRGGBB; for merge, mask and xor only its colour bits act. Any
// coordinates are safe: a line reaching far outside the clip box is cut down
// first.
void drawThinLine(const PixelSurface& surface, int xa, int ya, int xb, int yb, uint32_t rgb,
                  RasterOp op);

} // namespace view
