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

// Line from (xa, ya) to (xb, yb), the end pixel left out (a zero-length line
// sets nothing). `rgb` is the pixel value 0xAARRGGBB; for merge, mask and xor
// only its colour bits act. Any coordinates are safe: a line reaching far
// outside the clip box is cut down first.
void drawThinLine(const PixelTarget& target, const ClipBox& clip, int xa, int ya, int xb, int yb,
                  uint32_t rgb, RasterOp op);

}  // namespace view
