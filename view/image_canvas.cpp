#include "view/image_canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "view/ring_path.h"
#include "view/text_font.h"

namespace view {

namespace {

QPainter::CompositionMode compositionOf(RasterOp op) {
    switch (op) {
    case RasterOp::Merge:
        return QPainter::RasterOp_SourceOrDestination;
    case RasterOp::Mask:
        return QPainter::RasterOp_SourceAndDestination;
    case RasterOp::Xor:
        return QPainter::RasterOp_SourceXorDestination;
    default:
        return QPainter::CompositionMode_Source;
    }
}

QColor qcolour(uint32_t colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

} // namespace

ImageCanvas::ImageCanvas(QImage& image) : image_(image) {
    if (image_.format() != QImage::Format_RGB32)
        image_ = image_.convertToFormat(QImage::Format_RGB32);
    attachPixels(ClipBox{0, 0, image_.width(), image_.height()});
}

ImageCanvas::ImageCanvas(std::unique_ptr<QImage> own, const ClipBox& limit)
    : ownImage_(std::move(own)), image_(*ownImage_) {
    attachPixels(limit);
}

void ImageCanvas::attachPixels(const ClipBox& limit) {
    width_ = image_.width();
    height_ = image_.height();
    surface_.bits = reinterpret_cast<uint32_t*>(image_.bits());
    surface_.stride = int(image_.bytesPerLine() / 4);
    surface_.width = width_;
    surface_.height = height_;
    limit_ = limit;
    surface_.clip = limit_;
}

std::unique_ptr<Canvas> ImageCanvas::band(int top, int bottom) {
    top = std::clamp(top, limit_.y0, limit_.y1);
    bottom = std::clamp(bottom, top, limit_.y1);
    // A second QImage on the same bytes: each thread paints its own image.
    auto image = std::make_unique<QImage>(reinterpret_cast<uchar*>(surface_.bits), width_, height_,
                                          image_.bytesPerLine(), QImage::Format_RGB32);
    if (image->isNull()) return nullptr;
    return std::unique_ptr<Canvas>(
        new ImageCanvas(std::move(image), ClipBox{limit_.x0, top, limit_.x1, bottom}));
}

ImageCanvas::~ImageCanvas() {
    if (painter_) painter_->end();
}

QPainter& ImageCanvas::painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        applyPainterClip();
    }
    return *painter_;
}

void ImageCanvas::applyPainterClip() {
    const ClipBox& c = surface_.clip;
    if (c.x0 != 0 || c.y0 != 0 || c.x1 != width_ || c.y1 != height_)
        painter_->setClipRect(QRect(c.x0, c.y0, c.x1 - c.x0, c.y1 - c.y0));
    else
        painter_->setClipping(false);
}

void ImageCanvas::setPen(uint32_t colour, int width, RasterOp op) {
    penColour_ = colour & 0xFFFFFFu;
    penPixel_ = toPixel(colour);
    penWidth_ = std::max(1, width);
    penOp_ = op;
}

void ImageCanvas::wideLine(int x, int y) {
    QPainter& p = painter();
    p.setCompositionMode(compositionOf(penOp_));
    QPen pen(qcolour(penColour_));
    pen.setWidth(penWidth_);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    if (x == penX_ && y == penY_)
        p.drawPoint(x, y);
    else
        p.drawLine(penX_, penY_, x, y);
}

void ImageCanvas::fillRect(int x, int y, int w, int h, uint32_t colour) {
    const ClipBox& c = surface_.clip;
    const int x0 = std::max(x, c.x0), y0 = std::max(y, c.y0);
    const int x1 = std::min(int64_t(x) + w, int64_t(c.x1)),
              y1 = std::min(int64_t(y) + h, int64_t(c.y1));
    const uint32_t px = toPixel(colour);
    for (int row = y0; row < y1; ++row)
        std::fill(surface_.bits + int64_t(row) * surface_.stride + x0,
                  surface_.bits + int64_t(row) * surface_.stride + x1, px);
}

void ImageCanvas::setPixel(int x, int y, uint32_t colour) {
    const ClipBox& c = surface_.clip;
    if (x >= c.x0 && x < c.x1 && y >= c.y0 && y < c.y1)
        surface_.bits[int64_t(y) * surface_.stride + x] = toPixel(colour);
}

void ImageCanvas::fillPolygon(const PointD* points, const int* partSizes, int parts, FillRule rule,
                              const CanvasBrush& brush, RasterOp op) {
    if (parts <= 0) return;
    const QPainterPath path = ringPath(points, partSizes, parts, rule);
    QPainter& p = painter();
    p.setCompositionMode(compositionOf(op));
    if (brush.pattern) {
        QImage tile(8, 8, QImage::Format_RGB32);
        const uint32_t fg = toPixel(brush.colour), bg = toPixel(brush.background);
        for (int row = 0; row < 8; ++row)
            for (int col = 0; col < 8; ++col)
                tile.setPixel(col, row, (brush.rows[row] >> (7 - col)) & 1 ? bg : fg);
        QBrush b(tile);
        p.setBrushOrigin(0, 0);
        p.fillPath(path, b);
    } else {
        p.fillPath(path, QBrush(qcolour(brush.colour)));
    }
}

void ImageCanvas::setClipRect(int x0, int y0, int x1, int y1) {
    ClipBox& c = surface_.clip;
    c = ClipBox{std::clamp(x0, limit_.x0, limit_.x1), std::clamp(y0, limit_.y0, limit_.y1),
                std::clamp(x1, limit_.x0, limit_.x1), std::clamp(y1, limit_.y0, limit_.y1)};
    if (c.x1 < c.x0) c.x1 = c.x0;
    if (c.y1 < c.y0) c.y1 = c.y0;
    if (painter_) painter_->setClipRect(QRect(c.x0, c.y0, c.x1 - c.x0, c.y1 - c.y0));
}

void ImageCanvas::clearClip() {
    surface_.clip = limit_;
    if (painter_) applyPainterClip();
}

void ImageCanvas::prepareText() {
    if (!beforeText_) return;
    const std::function<void()> prepare = std::move(beforeText_);
    beforeText_ = nullptr;
    prepare();
}

void ImageCanvas::drawText(const TextRun& run) {
    const QString text = textOfRun(run);
    if (text.isEmpty()) return;
    prepareText();
    const QFont font = fontForRun(run);
    const QFontMetricsF metrics(font);
    QPainter& p = painter();
    p.save();
    p.translate(run.origin.x, run.origin.y);
    if (run.mirrored) p.scale(-1.0, 1.0);
    p.rotate(-run.escapement);
    const QPointF baseline(0.0, metrics.ascent());
    if (run.opaque) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(QRectF(0.0, 0.0, metrics.horizontalAdvance(text), metrics.height()),
                   qcolour(run.background));
    }
    if (run.op == RasterOp::Copy) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setFont(font);
        p.setPen(qcolour(run.colour));
        p.drawText(baseline, text);
    } else {
        // Under a raster operation the glyphs go through a path so that the
        // operation applies to their pixels.
        QPainterPath path;
        path.addText(baseline, font, text);
        p.setCompositionMode(compositionOf(run.op));
        p.fillPath(path, QBrush(qcolour(run.colour)));
    }
    p.restore();
}

double ImageCanvas::textWidth(const TextRun& run) {
    const QString text = textOfRun(run);
    if (text.isEmpty()) return 0.0;
    prepareText();
    return QFontMetricsF(fontForRun(run)).horizontalAdvance(text);
}

} // namespace view
