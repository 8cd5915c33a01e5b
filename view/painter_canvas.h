#pragma once
// A canvas on any QPainter that keeps vectors as vectors (a PDF page): pen
// strokes become polylines, fills paths, text glyph outlines. Raster
// operations draw as copy, except that a merged or masked pattern leaves its
// background bits clear.

#include <QPainter>
#include <QPainterPath>

#include "render/canvas.h"

namespace view {

class PainterCanvas final : public Canvas {
  public:
    // Draws through `painter`, which must be active and stay so while the
    // canvas is used. `width` x `height` canvas pixels; the painter's
    // transform maps them to the device. `patternPixel` is the size of one
    // pattern-brush pixel in canvas pixels.
    PainterCanvas(QPainter& painter, int width, int height, double patternPixel);
    ~PainterCanvas() override;

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

    // Draws the strokes still collected; the destructor does it too.
    void flush();

  private:
    QPainter& painter_;
    int width_;
    int height_;
    double patternPixel_;

    uint32_t penColour_ = 0;
    int penWidth_ = 1;
    int penX_ = 0, penY_ = 0;
    QPainterPath stroke_;
    bool strokeAtPen_ = false;
};

} // namespace view
