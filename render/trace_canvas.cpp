#include "render/trace_canvas.h"

#include <cstdio>

namespace view {

namespace {

void appendf(std::string& out, const char* fmt, auto... args) {
    char buf[128];
    const int n = std::snprintf(buf, sizeof buf, fmt, args...);
    if (n > 0) out.append(buf, size_t(n) < sizeof buf ? size_t(n) : sizeof buf - 1);
}

const char* opName(RasterOp op) {
    switch (op) {
    case RasterOp::Merge:
        return "merge";
    case RasterOp::Mask:
        return "mask";
    case RasterOp::Xor:
        return "xor";
    default:
        return "copy";
    }
}

// Printable ASCII as it is, every other byte (and the quote) as \xHH.
void appendQuoted(std::string& out, const std::string& bytes) {
    out += '"';
    for (unsigned char c : bytes) {
        if (c >= 32 && c <= 126 && c != '"' && c != '\\')
            out += char(c);
        else
            appendf(out, "\\x%02X", c);
    }
    out += '"';
}

// Run fields as drawText and textWidth show them.
std::string describe(const TextRun& run) {
    std::string out;
    appendQuoted(out, run.text);
    out += run.encoding == TextEncoding::ShiftJis ? " shift-jis" : " single-byte";
    out += " face ";
    appendQuoted(out, run.face);
    appendf(out, " size %g x %g weight %d", run.pixelHeight, run.pixelWidth, run.weight);
    if (run.italic) out += " italic";
    appendf(out, " spacing %g", run.extraSpacing);
    return out;
}

} // namespace

void TraceCanvas::setPen(uint32_t colour, int width, RasterOp op) {
    std::string line;
    appendf(line, "setPen 0x%06X %d %s", colour, width, opName(op));
    add(std::move(line));
}

void TraceCanvas::moveTo(int x, int y) {
    std::string line;
    appendf(line, "moveTo %d %d", x, y);
    add(std::move(line));
}

void TraceCanvas::lineTo(int x, int y) {
    std::string line;
    appendf(line, "lineTo %d %d", x, y);
    add(std::move(line));
}

void TraceCanvas::fillRect(int x, int y, int width, int height, uint32_t colour) {
    std::string line;
    appendf(line, "fillRect %d %d %d %d 0x%06X", x, y, width, height, colour);
    add(std::move(line));
}

void TraceCanvas::setPixel(int x, int y, uint32_t colour) {
    std::string line;
    appendf(line, "setPixel %d %d 0x%06X", x, y, colour);
    add(std::move(line));
}

void TraceCanvas::fillPolygon(const PointD* points, const int* partSizes, int parts, FillRule rule,
                              const CanvasBrush& brush, RasterOp op) {
    std::string line;
    appendf(line, "fillPolygon %s %s 0x%06X", rule == FillRule::Winding ? "winding" : "alternate",
            opName(op), brush.colour);
    if (brush.pattern) {
        appendf(line, " pattern 0x%06X", brush.background);
        for (uint8_t row : brush.rows)
            appendf(line, " %02X", row);
    }
    for (int k = 0; k < parts; ++k) {
        line += " |";
        for (int i = 0; i < partSizes[k]; ++i, ++points)
            appendf(line, " %g,%g", points->x, points->y);
    }
    add(std::move(line));
}

void TraceCanvas::setClipRect(int x0, int y0, int x1, int y1) {
    std::string line;
    appendf(line, "setClipRect %d %d %d %d", x0, y0, x1, y1);
    add(std::move(line));
}

void TraceCanvas::clearClip() {
    add("clearClip");
}

void TraceCanvas::drawText(const TextRun& run) {
    std::string line;
    appendf(line, "drawText %g,%g ", run.origin.x, run.origin.y);
    line += describe(run);
    appendf(line, " escapement %g colour 0x%06X %s", run.escapement, run.colour, opName(run.op));
    if (run.mirrored) line += " mirrored";
    if (run.opaque) appendf(line, " opaque 0x%06X", run.background);
    add(std::move(line));
}

double TraceCanvas::textWidth(const TextRun& run) {
    const double width = run.pixelWidth * double(run.text.size());
    std::string line = "textWidth " + describe(run);
    appendf(line, " = %g", width);
    add(std::move(line));
    return width;
}

} // namespace view
