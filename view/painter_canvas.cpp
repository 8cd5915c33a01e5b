#include "view/painter_canvas.h"

#include "view/ring_path.h"
#include "view/text_font.h"

#include <QFont>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace view {

namespace {

QColor qcolour(uint32_t colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

} // namespace

PainterCanvas::PainterCanvas(QPainter& painter, int width, int height, double patternPixel)
    : painter_(painter), width_(std::max(1, width)), height_(std::max(1, height)),
      patternPixel_(patternPixel > 0.0 ? patternPixel : 1.0) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
}

PainterCanvas::~PainterCanvas() {
    flush();
}

void PainterCanvas::flush() {
    if (stroke_.isEmpty()) return;
    QPen pen(qcolour(penColour_));
    // Width 0 is the device's thinnest line (a hairline in PDF).
    pen.setWidthF(penWidth_ <= 1 ? 0.0 : double(penWidth_));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(stroke_);
    stroke_.clear();
    strokeAtPen_ = false;
}

void PainterCanvas::setPen(uint32_t colour, int width, RasterOp) {
    colour &= 0xFFFFFFu;
    width = std::max(1, width);
    if (colour == penColour_ && width == penWidth_) return;
    flush();
    penColour_ = colour;
    penWidth_ = width;
}

void PainterCanvas::moveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
    strokeAtPen_ = false;
}

void PainterCanvas::lineTo(int x, int y) {
    if (!strokeAtPen_) stroke_.moveTo(penX_, penY_);
    stroke_.lineTo(x, y);
    penX_ = x;
    penY_ = y;
    strokeAtPen_ = true;
}

void PainterCanvas::fillRect(int x, int y, int width, int height, uint32_t colour) {
    if (width <= 0 || height <= 0) return;
    flush();
    painter_.fillRect(QRectF(x, y, width, height), qcolour(colour));
}

void PainterCanvas::setPixel(int x, int y, uint32_t colour) {
    fillRect(x, y, 1, 1, colour);
}

void PainterCanvas::fillPolygon(const PointD* points, const int* partSizes, int parts,
                                FillRule rule, const CanvasBrush& brush, RasterOp op) {
    const QPainterPath path = ringPath(points, partSizes, parts, rule);
    if (path.isEmpty()) return;
    flush();
    if (!brush.pattern) {
        painter_.fillPath(path, qcolour(brush.colour));
        return;
    }
    // A pattern merged onto dark paper or masked onto light paper leaves what
    // lies under its background bits as it was: those bits stay clear.
    QImage tile(8, 8, QImage::Format_ARGB32);
    const QRgb fg = qcolour(brush.colour).rgb();
    const QRgb bg = op == RasterOp::Copy ? qcolour(brush.background).rgb() : qRgba(0, 0, 0, 0);
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col)
            tile.setPixel(col, row, (brush.rows[size_t(row)] >> (7 - col)) & 1 ? bg : fg);
    QBrush b(tile);
    b.setTransform(QTransform::fromScale(patternPixel_, patternPixel_));
    painter_.fillPath(path, b);
}

void PainterCanvas::setClipRect(int x0, int y0, int x1, int y1) {
    flush();
    x0 = std::clamp(x0, 0, width_);
    y0 = std::clamp(y0, 0, height_);
    x1 = std::clamp(x1, x0, width_);
    y1 = std::clamp(y1, y0, height_);
    painter_.setClipRect(QRectF(x0, y0, x1 - x0, y1 - y0));
}

void PainterCanvas::clearClip() {
    flush();
    painter_.setClipping(false);
}

void PainterCanvas::drawText(const TextRun& run) {
    const QString text = textOfRun(run);
    if (text.isEmpty()) return;
    flush();
    const QFont font = fontForRun(run);
    const QFontMetricsF metrics(font);
    painter_.save();
    painter_.translate(run.origin.x, run.origin.y);
    if (run.mirrored) painter_.scale(-1.0, 1.0);
    painter_.rotate(-run.escapement);
    if (run.opaque)
        painter_.fillRect(QRectF(0.0, 0.0, metrics.horizontalAdvance(text), metrics.height()),
                          qcolour(run.background));
    // Glyph outlines, laid out as the window lays them out: a PDF device of
    // high resolution would otherwise space the characters by its own metrics.
    QPainterPath glyphs;
    glyphs.addText(QPointF(0.0, metrics.ascent()), font, text);
    painter_.fillPath(glyphs, qcolour(run.colour));
    painter_.restore();
}

double PainterCanvas::textWidth(const TextRun& run) {
    return measureTextRun(run).width;
}

} // namespace view
