#pragma once
// The one-pixel line rasterizer of the QImage canvas: integer Bresenham
// straight onto 32-bit pixels with copy, merge (OR), mask (AND) and xor.
// Thin lines are by far the most common drawing, so they bypass QPainter.

#include <cstdint>

#include "view/canvas.h"

namespace view {

// 32-bit pixels, `stride` pixels from one row to the next.
struct PixelTarget {
    uint32_t* bits = nullptr;
    int stride = 0;
};

// Pixels x0 <= x < x1, y0 <= y < y1 may be written.
struct ClipBox {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

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
    for (int i = 0; i < steps; ++i) {
        Op::apply(*p, c);
        if (err > 0) {
            p += minorStep;
            err -= 2 * steps;
        }
        err += 2 * minor;
        p += majorStep;
    }
}

// Line from (xa, ya) to (xb, yb), the end pixel left out (a zero-length line
// sets nothing). `rgb` is the pixel value 0xAARRGGBB; for merge, mask and xor
// only its colour bits act. Any coordinates are safe: a line reaching far
// outside the clip box is cut down first.
void drawThinLine(const PixelTarget& target, const ClipBox& clip, int xa, int ya, int xb, int yb,
                  uint32_t rgb, RasterOp op);

} // namespace view
