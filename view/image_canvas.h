#pragma once
// The canvas on a QImage (Format_RGB32): one-pixel lines through the own
// rasterizer, wider lines, polygons and text through QPainter with the
// matching composition mode, label texts decoded here. Its pixels are offered
// to the render pass as a pixel surface.

#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>

#include "render/canvas.h"
#include "render/thin_line.h"

namespace view {

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
            drawThinLine(surface_, penX_, penY_, x, y, penPixel_, penOp_);
        else
            wideLine(x, y);
        penX_ = x;
        penY_ = y;
    }
    void fillRect(int x, int y, int width, int height, uint32_t colour) override;
    void setPixel(int x, int y, uint32_t colour) override;
    void fillPolygon(const PointD* points, const int* partSizes, int parts, FillRule rule,
                     const CanvasBrush& brush, RasterOp op) override;
    void setClipRect(int x0, int y0, int x1, int y1) override;
    void clearClip() override;
    void drawText(const TextRun& run) override;
    double textWidth(const TextRun& run) override;
    PixelSurface* pixelSurface() override { return &surface_; }
    // The same pixels through a QImage of its own, every drawing clipped to
    // the rows; text is not drawn on another thread.
    std::unique_ptr<Canvas> band(int top, int bottom) override;

    // Called once, before the first text run is measured or drawn: fonts need
    // a QGuiApplication, which a headless tool starts only when a label asks
    // for a system font.
    void setBeforeFirstText(std::function<void()> prepare) { beforeText_ = std::move(prepare); }

  private:
    ImageCanvas(std::unique_ptr<QImage> own, const ClipBox& limit);
    // Takes the image's pixels as the surface, drawing limited to `limit`.
    void attachPixels(const ClipBox& limit);
    QPainter& painter();
    void applyPainterClip();
    void prepareText();
    void wideLine(int x, int y);

    std::unique_ptr<QImage> ownImage_; // a band's view of another canvas's pixels
    QImage& image_;
    ClipBox limit_; // all drawing stays inside
    int width_ = 0;
    int height_ = 0;
    PixelSurface surface_;
    std::unique_ptr<QPainter> painter_;
    std::function<void()> beforeText_;

    uint32_t penColour_ = 0;
    uint32_t penPixel_ = 0xFF000000u;
    int penWidth_ = 1;
    RasterOp penOp_ = RasterOp::Copy;
    int penX_ = 0;
    int penY_ = 0;
};

} // namespace view
