#pragma once
// The canvas on a QImage (Format_RGB32): one-pixel lines through the own
// rasterizer, wider lines, polygons and text through QPainter with the
// matching composition mode.

#include <QImage>
#include <QPainter>
#include <memory>

#include "view/canvas.h"
#include "view/thin_line.h"

namespace view {

// 0x00BBGGRR to the pixel value 0xFFRRGGBB.
inline uint32_t toPixel(uint32_t colour) {
    return 0xFF000000u | ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}
// Pixel value back to 0x00BBGGRR.
inline uint32_t fromPixel(uint32_t pixel) {
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

class ImageCanvas final : public Canvas {
  public:
    // Draws into `image`, which must stay alive and keep its size; it is
    // converted to Format_RGB32 when it has another format.
    explicit ImageCanvas(QImage& image);
    ~ImageCanvas() override;

    int width() const override { return width_; }
    int height() const override { return height_; }

    void setPen(uint32_t colour, int width, RasterOp op) override;
    void moveTo(int x, int y) override {
        penX_ = x;
        penY_ = y;
    }
    void lineTo(int x, int y) override {
        if (penWidth_ <= 1)
            drawThinLine(target_, clip_, penX_, penY_, x, y, penPixel_, penOp_);
        else
            wideLine(x, y);
        penX_ = x;
        penY_ = y;
    }
    void fillRect(int x, int y, int width, int height, uint32_t colour) override;
    void setPixel(int x, int y, uint32_t colour) override;
    void fillPolygon(const QPointF* points, const int* partSizes, int parts, FillRule rule,
                     const CanvasBrush& brush, RasterOp op) override;
    void setClipRect(int x0, int y0, int x1, int y1) override;
    void clearClip() override;
    void drawText(const TextRun& run) override;
    double textWidth(const TextRun& run) override;

    // The pixels, clip box and pen as the one-pixel rasterizer sees them, for
    // callers that run it over many segments themselves.
    const PixelTarget& target() const { return target_; }
    const ClipBox& clip() const { return clip_; }
    uint32_t penPixel() const { return penPixel_; }
    RasterOp penOp() const { return penOp_; }
    int penWidth() const { return penWidth_; }

  private:
    QPainter& painter();
    void wideLine(int x, int y);

    QImage& image_;
    int width_ = 0;
    int height_ = 0;
    PixelTarget target_;
    ClipBox clip_;
    std::unique_ptr<QPainter> painter_;

    uint32_t penColour_ = 0;
    uint32_t penPixel_ = 0xFF000000u;
    int penWidth_ = 1;
    RasterOp penOp_ = RasterOp::Copy;
    int penX_ = 0;
    int penY_ = 0;
};

} // namespace view
