#pragma once
// PNG files from 32-bit pixel rows, quickly: a picture of at most 256 colours
// becomes a palette PNG of 1, 2, 4 or 8 bits a pixel, any other an RGB (or
// RGBA) PNG, compressed with a fast zlib setting. No Qt.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "view/atomic_file.h"

namespace view {

// Rows of pixels 0xAARRGGBB (the layout of QImage::Format_RGB32 and
// Format_ARGB32), `stride` pixels apart. The alpha byte is ignored unless
// `keepAlpha` is set.
struct PixelRows {
    const uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    ptrdiff_t stride = 0;
    bool keepAlpha = false;
};

// The whole PNG file. Returns false (and leaves `out` empty) for a picture
// without pixels, wider or higher than 100000 pixels, or when the compressor
// runs out of memory.
bool encodePng(const PixelRows& rows, std::vector<uint8_t>& out);

// Encodes and writes `path` through writeFileAtomically. A picture that
// cannot be encoded gives WriteFailed with error 0.
WriteResult writePng(const std::string& path, const PixelRows& rows);

} // namespace view
