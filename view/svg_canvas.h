#pragma once
// A canvas that writes SVG: every pen stroke, fill, rectangle and text run of
// the render pass becomes an SVG element, in the order drawn. Raster
// operations draw as copy, except that a merged or masked pattern leaves its
// background bits clear. Canvas pixels
// are virtual: the caller picks a large canvas so that they are about one
// plotter unit each, and the document's viewBox is in plotter units, its
// width and height in millimetres.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "render/canvas.h"

namespace view {

class SvgCanvas final : public Canvas {
  public:
    // How a system font sets a text run, in canvas pixels: its advance width,
    // the ascent (top to baseline) and the horizontal stretch of the glyphs.
    struct TextMetrics {
        double width = 0.0;
        double ascent = 0.0;
        double stretch = 1.0;
    };
    using TextMeasure = std::function<TextMetrics(const TextRun&)>;

    // `width` x `height` canvas pixels; `unitsPerPixel` plotter units per
    // canvas pixel (the inverse of the view's scale).
    SvgCanvas(int width, int height, double unitsPerPixel, TextMeasure measure = {});

    int width() const override { return width_; }
    int height() const override { return height_; }

    void setPen(uint32_t colour, int width, RasterOp op) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void fillRect(int x, int y, int width, int height, uint32_t colour) override;
    void setPixel(int x, int y, uint32_t colour) override;
    void fillPolygon(const PointD* points, const int* partSizes, int parts, FillRule rule,
                     const CanvasBrush& brush, RasterOp op) override;
    void setClipRect(int x0, int y0, int x1, int y1) override;
    void clearClip() override;
    void drawText(const TextRun& run) override;
    double textWidth(const TextRun& run) override;

    // The complete document; the canvas can go on drawing afterwards.
    std::string document();

  private:
    void flushStroke();
    void closeClip();
    // Id of the pattern for `brush`, defined on first use; with
    // `clearBackground` its 1 bits are left transparent.
    std::string patternFor(const CanvasBrush& brush, bool clearBackground);
    TextMetrics metricsOf(const TextRun& run);

    int width_;
    int height_;
    double unitsPerPixel_;
    TextMeasure measure_;

    std::string defs_;
    std::string body_;
    std::map<std::string, std::string> patterns_; // brush key -> pattern id
    int clipCount_ = 0;
    bool clipOpen_ = false;

    uint32_t penColour_ = 0;
    int penWidth_ = 1;
    int penX_ = 0, penY_ = 0;
    std::string stroke_;       // path data of the pen's current run of lines
    bool strokeAtPen_ = false; // the run's last point is the pen position
};

} // namespace view
