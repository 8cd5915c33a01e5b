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

// Bresenham from (x, y) over dx, dy pixels, the end pixel left out, with no
// checks: every pixel of the line must lie inside the target.
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
    int err = 2 * minor - steps;
    uint32_t* p = bits + y * stride + x;
    // Branch-free steps: the minor step of a short line of any slope is not
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
