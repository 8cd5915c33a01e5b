#include "view/svg_canvas.h"

#include "view/text_font.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace view {

namespace {

// A pattern brush's pixel in plotter units: about one screen pixel, so that
// the hatch looks in print as it does in the window.
constexpr double kPatternPixelUnits = 10.0;
// 0.13 mm.
constexpr double kThinnestPenUnits = 5.2;

void append(std::string& out, double v) {
    char buf[32];
    const double r = std::round(v * 100.0) / 100.0;
    const auto res = std::to_chars(buf, buf + sizeof buf, r == 0.0 ? 0.0 : r);
    out.append(buf, res.ptr);
}

// Shortest exact form, for scale factors.
void appendExact(std::string& out, double v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

void append(std::string& out, int v) {
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

// 0x00BBGGRR as "#rrggbb".
std::string colourText(uint32_t c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", unsigned(c & 0xFF), unsigned((c >> 8) & 0xFF),
                  unsigned((c >> 16) & 0xFF));
    return buf;
}

// Text for XML character data and attribute values; characters XML 1.0 does
// not allow are left out.
std::string escaped(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (c >= 0x20 || c == '\t') out += ch;
        }
    }
    return out;
}

} // namespace

SvgCanvas::SvgCanvas(int width, int height, double unitsPerPixel, TextMeasure measure)
    : width_(std::max(1, width)), height_(std::max(1, height)),
      unitsPerPixel_(unitsPerPixel > 0.0 ? unitsPerPixel : 1.0), measure_(std::move(measure)) {}

void SvgCanvas::setPen(uint32_t colour, int width, RasterOp) {
    colour &= 0xFFFFFFu;
    width = std::max(1, width);
    if (colour == penColour_ && width == penWidth_) return;
    flushStroke();
    penColour_ = colour;
    penWidth_ = width;
}

void SvgCanvas::moveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
    strokeAtPen_ = false;
}

void SvgCanvas::lineTo(int x, int y) {
    if (!strokeAtPen_) {
        stroke_ += 'M';
        append(stroke_, penX_);
        stroke_ += ' ';
        append(stroke_, penY_);
    }
    if (x == penX_ && y == penY_) {
        // A dot: a zero-length line shows as a round cap.
        stroke_ += 'h';
        stroke_ += '0';
    } else {
        stroke_ += 'L';
        append(stroke_, x);
        stroke_ += ' ';
        append(stroke_, y);
    }
    penX_ = x;
    penY_ = y;
    strokeAtPen_ = true;
}

void SvgCanvas::flushStroke() {
    if (stroke_.empty()) return;
    body_ += "<path stroke=\"" + colourText(penColour_) + "\"";
    // The thinnest pen, one pixel on the screen, becomes the thinnest
    // technical pen on paper.
    body_ += " stroke-width=\"";
    append(body_, penWidth_ <= 1 ? kThinnestPenUnits / unitsPerPixel_ : double(penWidth_));
    body_ += '"';
    body_ += " d=\"" + stroke_ + "\"/>\n";
    stroke_.clear();
    strokeAtPen_ = false;
}

void SvgCanvas::fillRect(int x, int y, int width, int height, uint32_t colour) {
    if (width <= 0 || height <= 0) return;
    flushStroke();
    body_ += "<rect x=\"";
    append(body_, x);
    body_ += "\" y=\"";
    append(body_, y);
    body_ += "\" width=\"";
    append(body_, width);
    body_ += "\" height=\"";
    append(body_, height);
    body_ += "\" fill=\"" + colourText(colour) + "\" stroke=\"none\"/>\n";
}

void SvgCanvas::setPixel(int x, int y, uint32_t colour) {
    fillRect(x, y, 1, 1, colour);
}

std::string SvgCanvas::patternFor(const CanvasBrush& brush, bool clearBackground) {
    std::string key = colourText(brush.colour) +
                      (clearBackground ? std::string("clear") : colourText(brush.background));
    for (const uint8_t row : brush.rows)
        append(key, int(row));
    const auto found = patterns_.find(key);
    if (found != patterns_.end()) return found->second;

    const std::string id = "p" + std::to_string(patterns_.size() + 1);
    patterns_.emplace(key, id);
    const double cell = kPatternPixelUnits / unitsPerPixel_;
    defs_ += "<pattern id=\"" + id + "\" patternUnits=\"userSpaceOnUse\" width=\"";
    append(defs_, 8 * cell);
    defs_ += "\" height=\"";
    append(defs_, 8 * cell);
    defs_ += "\">";
    if (!clearBackground)
        defs_ +=
            "<rect width=\"100%\" height=\"100%\" fill=\"" + colourText(brush.background) + "\"/>";
    defs_ += "<path fill=\"" + colourText(brush.colour) + "\" d=\"";
    // 0 bits show the brush colour, one run of them per rectangle.
    for (int row = 0; row < 8; ++row) {
        int col = 0;
        while (col < 8) {
            if ((brush.rows[size_t(row)] >> (7 - col)) & 1) {
                ++col;
                continue;
            }
            int end = col;
            while (end < 8 && !((brush.rows[size_t(row)] >> (7 - end)) & 1))
                ++end;
            defs_ += 'M';
            append(defs_, col * cell);
            defs_ += ' ';
            append(defs_, row * cell);
            defs_ += 'h';
            append(defs_, (end - col) * cell);
            defs_ += 'v';
            append(defs_, cell);
            defs_ += 'h';
            append(defs_, -(end - col) * cell);
            defs_ += 'z';
            col = end;
        }
    }
    defs_ += "\"/></pattern>\n";
    return id;
}

void SvgCanvas::fillPolygon(const PointD* points, const int* partSizes, int parts, FillRule rule,
                            const CanvasBrush& brush, RasterOp op) {
    std::string d;
    const PointD* ring = points;
    for (int k = 0; k < parts; ++k) {
        const int n = partSizes[k];
        if (n >= 2) {
            d += 'M';
            for (int i = 0; i < n; ++i) {
                if (i == 1) d += 'L';
                if (i > 1) d += ' ';
                append(d, ring[i].x);
                d += ' ';
                append(d, ring[i].y);
            }
            d += 'Z';
        }
        ring += std::max(0, n);
    }
    if (d.empty()) return;
    flushStroke();
    // A pattern merged onto dark paper or masked onto light paper leaves what
    // lies under its background bits as it was: those bits stay clear.
    const std::string fill = brush.pattern ? "url(#" + patternFor(brush, op != RasterOp::Copy) + ")"
                                           : colourText(brush.colour);
    body_ += "<path fill=\"" + fill + "\" stroke=\"none\"";
    if (rule == FillRule::Alternate) body_ += " fill-rule=\"evenodd\"";
    body_ += " d=\"" + d + "\"/>\n";
}

void SvgCanvas::closeClip() {
    if (!clipOpen_) return;
    body_ += "</g>\n";
    clipOpen_ = false;
}

void SvgCanvas::setClipRect(int x0, int y0, int x1, int y1) {
    flushStroke();
    closeClip();
    x0 = std::clamp(x0, 0, width_);
    y0 = std::clamp(y0, 0, height_);
    x1 = std::clamp(x1, x0, width_);
    y1 = std::clamp(y1, y0, height_);
    if (x0 == 0 && y0 == 0 && x1 == width_ && y1 == height_) return;
    const std::string id = "c" + std::to_string(++clipCount_);
    defs_ += "<clipPath id=\"" + id + "\"><rect x=\"";
    append(defs_, x0);
    defs_ += "\" y=\"";
    append(defs_, y0);
    defs_ += "\" width=\"";
    append(defs_, x1 - x0);
    defs_ += "\" height=\"";
    append(defs_, y1 - y0);
    defs_ += "\"/></clipPath>\n";
    body_ += "<g clip-path=\"url(#" + id + ")\">\n";
    clipOpen_ = true;
}

void SvgCanvas::clearClip() {
    flushStroke();
    closeClip();
}

SvgCanvas::TextMetrics SvgCanvas::metricsOf(const TextRun& run) {
    if (measure_) return measure_(run);
    // Without fonts at hand: the average width, or half the height, per
    // character, and the baseline at four fifths of the height.
    const double each = run.pixelWidth > 0.0 ? run.pixelWidth : 0.5 * run.pixelHeight;
    return {(each + run.extraSpacing) * double(run.text.size()), 0.8 * run.pixelHeight, 1.0};
}

double SvgCanvas::textWidth(const TextRun& run) {
    if (run.text.empty()) return 0.0;
    return metricsOf(run).width;
}

void SvgCanvas::drawText(const TextRun& run) {
    if (run.text.empty()) return;
    flushStroke();
    const TextMetrics m = metricsOf(run);
    const double stretch = m.stretch > 0.0 ? m.stretch : 1.0;
    std::string transform = "translate(";
    append(transform, run.origin.x);
    transform += ' ';
    append(transform, run.origin.y);
    transform += ')';
    if (run.mirrored) transform += " scale(-1 1)";
    if (run.escapement != 0.0) {
        transform += " rotate(";
        append(transform, -run.escapement);
        transform += ')';
    }
    body_ += "<g transform=\"" + transform + "\">";
    if (run.opaque) {
        body_ += "<rect width=\"";
        append(body_, m.width);
        body_ += "\" height=\"";
        append(body_, run.pixelHeight);
        body_ += "\" fill=\"" + colourText(run.background) + "\" stroke=\"none\"/>";
    }
    // The origin is the text's top-left; glyphs narrowed or widened to the
    // run's character width, the spacing after each character unscaled.
    body_ += "<text";
    if (stretch != 1.0) {
        body_ += " transform=\"scale(";
        appendExact(body_, stretch);
        body_ += " 1)\"";
    }
    body_ += " y=\"";
    append(body_, m.ascent);
    body_ += "\" font-family=\"" + escaped(run.face.empty() ? "sans-serif" : run.face) +
             "\" font-size=\"";
    append(body_, run.pixelHeight);
    body_ += '"';
    if (run.weight != 400) {
        body_ += " font-weight=\"";
        append(body_, std::clamp(run.weight, 100, 900));
        body_ += '"';
    }
    if (run.italic) body_ += " font-style=\"italic\"";
    if (run.extraSpacing != 0.0) {
        body_ += " letter-spacing=\"";
        append(body_, run.extraSpacing / stretch);
        body_ += '"';
    }
    body_ += " fill=\"" + colourText(run.colour) + "\" stroke=\"none\" xml:space=\"preserve\">" +
             escaped(textOfRun(run).toStdString()) + "</text></g>\n";
}

std::string SvgCanvas::document() {
    flushStroke();
    const double unitsWide = width_ * unitsPerPixel_, unitsHigh = height_ * unitsPerPixel_;
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
    // 40 plotter units to the millimetre.
    append(out, unitsWide / 40.0);
    out += "mm\" height=\"";
    append(out, unitsHigh / 40.0);
    out += "mm\" viewBox=\"0 0 ";
    append(out, unitsWide);
    out += ' ';
    append(out, unitsHigh);
    out += "\">\n";
    if (!defs_.empty()) out += "<defs>\n" + defs_ + "</defs>\n";
    out += "<g transform=\"scale(";
    appendExact(out, unitsPerPixel_);
    out += ")\" fill=\"none\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    out += body_;
    if (clipOpen_) out += "</g>\n";
    out += "</g>\n</svg>\n";
    return out;
}

} // namespace view
