#pragma once
// The pixels of a raster canvas as the render pass may write them directly:
// 32-bit pixels 0xFFRRGGBB, row by row, and the clip box in force. A canvas
// that offers such a surface lets runs of one-pixel lines bypass its calls.

#include <cstdint>

namespace view {

// Pixels x0 <= x < x1, y0 <= y < y1 may be written.
struct ClipBox {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct PixelSurface {
    uint32_t* bits = nullptr;
    int stride = 0; // pixels from one row to the next
    int width = 0, height = 0;
    ClipBox clip; // kept up to date by the canvas
};

// 0x00BBGGRR to the pixel value 0xFFRRGGBB.
inline uint32_t toPixel(uint32_t colour) {
    return 0xFF000000u | ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}
// Pixel value back to 0x00BBGGRR.
inline uint32_t fromPixel(uint32_t pixel) {
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

} // namespace view
