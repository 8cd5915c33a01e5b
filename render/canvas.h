#pragma once
// The drawing surface the render pass draws on: a GDI-like pen with raster
// operation, move/line, rectangles, polygons with pattern brushes, a clip
// rectangle and text. Coordinates are pixels; colours are 0x00BBGGRR. A
// raster canvas may also hand out its pixels for the render pass's fast path.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "render/pixel_surface.h"
#include "render/point.h"

namespace view {

// Raster operations of pens and fills: copy, merge (OR), mask (AND), xor.
enum class RasterOp : uint8_t { Copy, Merge, Mask, Xor };

enum class FillRule : uint8_t { Alternate, Winding };

// A solid brush, or an 8 x 8 monochrome pattern whose 0 bits show `colour` and
// 1 bits `background` (row bytes, most significant bit leftmost).
struct CanvasBrush {
    bool pattern = false;
    uint32_t colour = 0;
    uint32_t background = 0xFFFFFF;
    std::array<uint8_t, 8> rows{};
};

// How the bytes of a label text read: Windows Latin-1 or Shift-JIS.
enum class TextEncoding : uint8_t { SingleByte, ShiftJis };

// One run of text in a system font. Sizes in pixels, angles in degrees
// counter-clockwise; `origin` is the text's top-left before turning.
struct TextRun {
    std::string text; // the label bytes as stored; the canvas decodes them
    TextEncoding encoding = TextEncoding::SingleByte;
    std::string face; // UTF-8; empty = the canvas's default face
    double pixelHeight = 0.0;
    double pixelWidth = 0.0; // average character width; 0 = the face's own
    double escapement = 0.0;
    int weight = 400; // 100..900
    bool italic = false;
    bool mirrored = false; // reflected left to right about `origin` after turning
    bool opaque = false;   // fill the text's background box
    uint32_t colour = 0;
    uint32_t background = 0xFFFFFF;
    double extraSpacing = 0.0; // added after every character
    PointD origin;
    RasterOp op = RasterOp::Copy;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    // Pen for moveTo/lineTo; a width below 1 draws one pixel wide.
    virtual void setPen(uint32_t colour, int width, RasterOp op) = 0;
    virtual void moveTo(int x, int y) = 0;
    // Line from the pen position to (x, y); the end pixel is left out for
    // one-pixel pens, so joined lines set every vertex once. Moves the pen.
    virtual void lineTo(int x, int y) = 0;
    // Width x height pixels from (x, y), plain copy, ignoring the pen.
    virtual void fillRect(int x, int y, int width, int height, uint32_t colour) = 0;
    virtual void setPixel(int x, int y, uint32_t colour) = 0;
    // Polygon of `parts` rings, ring k holding partSizes[k] points, all points
    // back to back in `points`.
    virtual void fillPolygon(const PointD* points, const int* partSizes, int parts, FillRule rule,
                             const CanvasBrush& brush, RasterOp op) = 0;
    // Limits all drawing to x0 <= x < x1, y0 <= y < y1 (within the canvas).
    virtual void setClipRect(int x0, int y0, int x1, int y1) = 0;
    virtual void clearClip() = 0;

    virtual void drawText(const TextRun& run) = 0;
    // Advance width of the run in pixels (escapement ignored); 0 when the
    // face cannot be used.
    virtual double textWidth(const TextRun& run) = 0;

    // The canvas's pixels for direct writing, or nullptr when it has none.
    // The surface lives as long as the canvas; pen calls still go through
    // the canvas, and a caller that wrote pixels itself tells it the pen
    // position it left with moveTo.
    virtual PixelSurface* pixelSurface() { return nullptr; }

    // A canvas on the same pixels limited to rows top <= y < bottom, which
    // another thread may draw on while this one draws other rows; nullptr
    // when the canvas cannot be split so.
    virtual std::unique_ptr<Canvas> band(int top, int bottom) {
        (void)top;
        (void)bottom;
        return nullptr;
    }
};

} // namespace view
