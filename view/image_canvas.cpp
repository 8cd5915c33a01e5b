#include "view/image_canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

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

// The font a run asks for, its average width stretched to the run's width.
QFont fontFor(const TextRun& run) {
    QFont font(run.face.isEmpty() ? QStringLiteral("Sans Serif") : run.face);
    font.setPixelSize(std::max(1, int(std::lround(std::min(run.pixelHeight, 100000.0)))));
    font.setWeight(QFont::Weight(std::clamp(run.weight, 100, 900)));
    font.setItalic(run.italic);
    font.setLetterSpacing(QFont::AbsoluteSpacing, run.extraSpacing);
    if (run.pixelWidth > 0.0) {
        const double natural = QFontMetricsF(font).averageCharWidth();
        if (natural > 0.0)
            font.setStretch(
                std::clamp(int(std::lround(run.pixelWidth / natural * 100.0)), 1, 4000));
    }
    return font;
}

} // namespace

ImageCanvas::ImageCanvas(QImage& image) : image_(image) {
    if (image_.format() != QImage::Format_RGB32)
        image_ = image_.convertToFormat(QImage::Format_RGB32);
    width_ = image_.width();
    height_ = image_.height();
    target_.bits = reinterpret_cast<uint32_t*>(image_.bits());
    target_.stride = int(image_.bytesPerLine() / 4);
    clip_ = ClipBox{0, 0, width_, height_};
}

ImageCanvas::~ImageCanvas() {
    if (painter_) painter_->end();
}

QPainter& ImageCanvas::painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        if (clip_.x0 != 0 || clip_.y0 != 0 || clip_.x1 != width_ || clip_.y1 != height_)
            painter_->setClipRect(
                QRect(clip_.x0, clip_.y0, clip_.x1 - clip_.x0, clip_.y1 - clip_.y0));
    }
    return *painter_;
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
    const int x0 = std::max(x, clip_.x0), y0 = std::max(y, clip_.y0);
    const int x1 = std::min(int64_t(x) + w, int64_t(clip_.x1)),
              y1 = std::min(int64_t(y) + h, int64_t(clip_.y1));
    const uint32_t px = toPixel(colour);
    for (int row = y0; row < y1; ++row)
        std::fill(target_.bits + int64_t(row) * target_.stride + x0,
                  target_.bits + int64_t(row) * target_.stride + x1, px);
}

void ImageCanvas::setPixel(int x, int y, uint32_t colour) {
    if (x >= clip_.x0 && x < clip_.x1 && y >= clip_.y0 && y < clip_.y1)
        target_.bits[int64_t(y) * target_.stride + x] = toPixel(colour);
}

void ImageCanvas::fillPolygon(const QPointF* points, const int* partSizes, int parts, FillRule rule,
                              const CanvasBrush& brush, RasterOp op) {
    if (parts <= 0) return;
    QPainterPath path;
    path.setFillRule(rule == FillRule::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    const QPointF* ring = points;
    for (int k = 0; k < parts; ++k) {
        const int n = partSizes[k];
        if (n >= 2) {
            path.moveTo(ring[0]);
            for (int i = 1; i < n; ++i)
                path.lineTo(ring[i]);
            path.closeSubpath();
        }
        ring += std::max(0, n);
    }
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
    clip_ = ClipBox{std::clamp(x0, 0, width_), std::clamp(y0, 0, height_),
                    std::clamp(x1, 0, width_), std::clamp(y1, 0, height_)};
    if (clip_.x1 < clip_.x0) clip_.x1 = clip_.x0;
    if (clip_.y1 < clip_.y0) clip_.y1 = clip_.y0;
    if (painter_)
        painter_->setClipRect(QRect(clip_.x0, clip_.y0, clip_.x1 - clip_.x0, clip_.y1 - clip_.y0));
}

void ImageCanvas::clearClip() {
    clip_ = ClipBox{0, 0, width_, height_};
    if (painter_) painter_->setClipping(false);
}

void ImageCanvas::drawText(const TextRun& run) {
    if (run.text.isEmpty()) return;
    const QFont font = fontFor(run);
    const QFontMetricsF metrics(font);
    QPainter& p = painter();
    p.save();
    p.translate(run.origin);
    if (run.mirrored) p.scale(-1.0, 1.0);
    p.rotate(-run.escapement);
    const QPointF baseline(0.0, metrics.ascent());
    if (run.opaque) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(QRectF(0.0, 0.0, metrics.horizontalAdvance(run.text), metrics.height()),
                   qcolour(run.background));
    }
    if (run.op == RasterOp::Copy) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setFont(font);
        p.setPen(qcolour(run.colour));
        p.drawText(baseline, run.text);
    } else {
        // Under a raster operation the glyphs go through a path so that the
        // operation applies to their pixels.
        QPainterPath path;
        path.addText(baseline, font, run.text);
        p.setCompositionMode(compositionOf(run.op));
        p.fillPath(path, QBrush(qcolour(run.colour)));
    }
    p.restore();
}

double ImageCanvas::textWidth(const TextRun& run) {
    if (run.text.isEmpty()) return 0.0;
    return QFontMetricsF(fontFor(run)).horizontalAdvance(run.text);
}

} // namespace view
