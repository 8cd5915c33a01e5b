#include "render/label_draw.h"

#include <algorithm>
#include <cmath>

#include "render/round.h"
#include "render/vector_font.h"

namespace view {

namespace {

constexpr double kPi = 3.14159265358979323846;

bool twoByteSet(uint8_t charSet) {
    return charSet == 80 || charSet == 152 || charSet == 153;
}

// The label direction brought into (-180, 180].
double normalAngle(double a) {
    a = std::fmod(a, 360.0);
    if (a > 180.0) a -= 360.0;
    if (a <= -180.0) a += 360.0;
    return a;
}

} // namespace

TextKind textKindOf(uint8_t charSet, uint8_t windowsCharSet, int textFontKind) {
    const bool two = twoByteSet(charSet);
    const bool system = textFontKind == 1 || windowsCharSet == 129 || windowsCharSet == 134 ||
                        windowsCharSet == 136;
    if (system) return two ? TextKind::SystemTwoByte : TextKind::SystemOneByte;
    return two ? TextKind::VectorTwoByte : TextKind::VectorOneByte;
}

struct LabelDrawer::Metrics {
    TextKind kind = TextKind::VectorOneByte;
    double width = 0.0, height = 0.0; // corrected character size, plotter units
    double gap = 0.0;                 // corrected gap between characters
    double lineAdvance = 0.0;
    double halfWidth = 0.0, halfHeight = 0.0; // for vertical writing
};

LabelDrawer::LabelDrawer(RenderPass& pass) : pass_(pass), st_(pass.st_) {
    theta_ = normalAngle(st_.label.direction);
}

void LabelDrawer::turn(double x, double y, double& tx, double& ty) const {
    if (theta_ == 0.0) {
        tx = x;
        ty = y;
    } else if (theta_ == 90.0) {
        tx = -y;
        ty = x;
    } else if (theta_ == -90.0) {
        tx = y;
        ty = -x;
    } else if (theta_ == 180.0) {
        tx = -x;
        ty = -y;
    } else {
        const double a = theta_ * kPi / 180.0;
        tx = std::nearbyint(x * std::cos(a) - y * std::sin(a));
        ty = std::nearbyint(x * std::sin(a) + y * std::cos(a));
    }
}

void LabelDrawer::characterMove(double spaces, double lines) {
    const LabelState& l = st_.label;
    const double a = std::nearbyint((1.0 + l.extraSpaces) * l.width * 1.5);
    const double lf = std::nearbyint((1.0 + l.extraLines) * l.height * 2.0);
    double tx, ty;
    turn(std::nearbyint(spaces * a), std::nearbyint(lines * lf), tx, ty);
    st_.curX = std::clamp(st_.curX + tx, -2147483647.0, 2147483647.0);
    st_.curY = std::clamp(st_.curY + ty, -2147483647.0, 2147483647.0);
}

void LabelDrawer::draw(const uint8_t* text, size_t length) {
    const LabelState& l = st_.label;
    const auto& ts = pass_.in_.settings.text;
    Metrics m;
    m.kind = textKindOf(l.charSet, l.headerByte2, ts.TextFontKind);
    double w = l.width, h = l.height;
    const double a = std::nearbyint((1.0 + l.extraSpaces) * w * 1.5);
    double g = a - w;
    m.lineAdvance = std::nearbyint((1.0 + l.extraLines) * h * 2.0);
    const bool vectorKind = m.kind == TextKind::VectorOneByte || m.kind == TextKind::VectorTwoByte;
    if (vectorKind && l.vertical != 0.0) {
        m.halfHeight = std::trunc(h / 2.0);
        m.halfWidth = std::trunc(std::fabs(w) / 2.0);
    }
    const int row = vectorKind ? 0 : 3;
    double wr = ts.TextRate[row], hr = ts.TextRate[row + 1];
    const double sr = ts.TextRate[row + 2];
    if (m.kind == TextKind::SystemTwoByte && l.vertical == 90.0) std::swap(wr, hr);
    m.height = std::nearbyint(h * hr / 100.0);
    m.width = std::nearbyint(w * wr / 100.0);
    m.gap = std::nearbyint(g * sr / 100.0);

    // While a label is drawn the dash pattern rests and the stroke weight
    // widens the pen.
    const bool dashWas = st_.dash.suspended;
    st_.dash.suspended = true;
    const int widthWas = pass_.canvasWidth_;
    const uint8_t wb = l.fontByte;
    if (vectorKind && wb != 0 && wb != 128) {
        const double f = wb == 129 ? 1.5 : wb / 6.0 + 1.0;
        pass_.canvasWidth_ = std::max(1, roundInt(std::min(widthWas * f, 100000.0)));
        pass_.applyCanvasPen();
    }

    double lineX = st_.curX, lineY = st_.curY; // where a carriage return goes back to
    size_t begin = 0;
    // Pieces end at every carriage return and line feed; the last one at the end.
    for (int guard = 0; begin <= length && guard <= int(length) + 1; ++guard) {
        size_t end = begin;
        while (end < length && text[end] != 13 && text[end] != 10)
            ++end;
        const size_t n = end - begin;
        const uint8_t* piece = text + begin;
        double sx = st_.curX, sy = st_.curY;
        if (n > 0 && l.origin != 1) {
            const int c = l.origin, mm = c % 10;
            const double W = pieceWidth(m, piece, n);
            const double dx0 = c >= 10 ? m.width * 0.25 : 0.0,
                         dy0 = c >= 10 ? m.height * 0.25 : 0.0;
            double dx = 0.0, dy = 0.0;
            if (mm >= 1 && mm <= 3)
                dx = -dx0;
            else if (mm >= 4 && mm <= 6)
                dx = W * 0.5;
            else if (mm >= 7 && mm <= 9)
                dx = W + dx0;
            if (mm == 1 || mm == 4 || mm == 7)
                dy = -dy0;
            else if (mm == 2 || mm == 5 || mm == 8)
                dy = m.height * 0.5;
            else if (mm == 3 || mm == 6 || mm == 9)
                dy = m.height + dy0;
            double tx, ty;
            turn(-std::nearbyint(dx), -std::nearbyint(dy), tx, ty);
            sx += tx;
            sy += ty;
        }
        if (n > 0) {
            if (m.kind == TextKind::VectorOneByte)
                drawVector(m, piece, n, sx, sy);
            else if (m.kind == TextKind::VectorTwoByte)
                drawTwoByteCells(m, piece, n, sx, sy);
            else
                drawSystem(m, piece, n, sx, sy);
            {
                const bool two =
                    m.kind == TextKind::SystemTwoByte || m.kind == TextKind::VectorTwoByte;
                const double count = two ? double(n / 2) : double(n);
                double tx, ty;
                turn(count * (m.width + m.gap), 0.0, tx, ty);
                st_.curX = std::clamp(sx + tx, -2147483647.0, 2147483647.0);
                st_.curY = std::clamp(sy + ty, -2147483647.0, 2147483647.0);
            }
        }
        if (end >= length) break;
        if (text[end] == 10) {
            const double t = theta_ * kPi / 180.0;
            lineX = st_.curX + std::nearbyint(m.lineAdvance * std::sin(t));
            lineY = st_.curY - std::nearbyint(m.lineAdvance * std::cos(t));
            st_.curX = lineX;
            st_.curY = lineY;
        } else {
            st_.curX = lineX;
            st_.curY = lineY;
        }
        begin = end + 1;
    }

    if (pass_.canvasWidth_ != widthWas) {
        pass_.canvasWidth_ = widthWas;
        pass_.applyCanvasPen();
    }
    st_.dash.suspended = dashWas;
}

double LabelDrawer::pieceWidth(const Metrics& m, const uint8_t* text, size_t n) {
    if (m.kind == TextKind::VectorOneByte) {
        const VectorFont& font = vectorFont();
        double sum = 0.0;
        for (size_t i = 0; i < n; ++i)
            sum += font.advanceOf(text[i] < 32 ? '?' : text[i]);
        return sum * m.width / 77.0 + double(n - 1) * m.gap;
    }
    if (m.kind == TextKind::VectorTwoByte) {
        const double chars = double(n / 2);
        return chars * m.width + std::max(0.0, chars - 1.0) * m.gap;
    }
    const TextRun run = makeRun(m, text, n, true);
    const double px = pass_.canvas_.textWidth(run);
    const double pu = px / pass_.view_.scale;
    return st_.label.width < 0 ? -pu : pu;
}

void LabelDrawer::drawVector(const Metrics& m, const uint8_t* text, size_t n, double x, double y) {
    if (!st_.penVisible) return;
    const VectorFont& font = vectorFont();
    const LabelState& l = st_.label;
    const double kx = m.width / 77.0, ky = 0.9 * m.height / 77.0;
    const double va = l.vertical * kPi / 180.0;
    const double vc = std::cos(va), vs = std::sin(va);
    double ox = x, oy = y; // origin of the current character
    double stepX, stepY;
    turn(m.width + m.gap, 0.0, stepX, stepY);
    for (size_t i = 0; i < n; ++i) {
        int c = text[i];
        if (c < 32) c = '?';
        if (!font.has(c)) {
            // No stroke glyph (codes from 128): the system font draws it.
            const uint8_t byte = uint8_t(c);
            drawCellCharacter(m, &byte, 1, ox, oy);
        } else if (font.pointCount(c) >= 2) {
            const uint8_t* p = font.glyph(c);
            const int count = font.pointCount(c);
            for (int k = 0; k < count; ++k) {
                const int xb = p[2 * k], yb = p[2 * k + 1];
                double px = xb * kx;
                double py = ((yb & 127) - 50) * ky;
                if (l.slant != 0.0) px += py * l.slant;
                if (l.vertical != 0.0) {
                    const double cx = px - m.halfWidth, cy = py - m.halfHeight;
                    px = m.halfWidth + cx * vc - cy * vs;
                    py = m.halfHeight + cx * vs + cy * vc;
                }
                double tx, ty;
                if (theta_ == 0.0 || theta_ == 90.0 || theta_ == -90.0 || theta_ == 180.0) {
                    turn(px, py, tx, ty);
                } else {
                    const double a = theta_ * kPi / 180.0;
                    tx = px * std::cos(a) - py * std::sin(a);
                    ty = px * std::sin(a) + py * std::cos(a);
                }
                if (yb >= 128)
                    pass_.MoveTo(ox + tx, oy + ty);
                else
                    pass_.LineTo(ox + tx, oy + ty);
            }
        }
        ox += stepX;
        oy += stepY;
    }
}

TextRun LabelDrawer::makeRun(const Metrics& m, const uint8_t* text, size_t n,
                             bool forMeasure) const {
    const LabelState& l = st_.label;
    const auto& ts = pass_.in_.settings.text;
    const double scale = pass_.view_.scale;
    const bool two = m.kind == TextKind::SystemTwoByte;
    TextRun run;
    // Face: standard or alternate set, one- or two-byte text.
    const int faceIndex = (l.selectedSet ? 2 : 0) + (two ? 1 : 0);
    run.face = ts.TextFontName[faceIndex].c_str(); // UTF-8, as far as a NUL
    static const char* const kJapaneseFaces[] = {
        "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF",
        "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D",
        "HG\xE4\xB8\xB8\xEF\xBD\xBA\xEF\xBE\x9E\xEF\xBD\xBC\xEF\xBD\xAF\xEF\xBD\xB8M-PRO"};
    bool sjis = two || (n > 0 && text[0] >= 160);
    for (const char* f : kJapaneseFaces)
        if (run.face == f) sjis = true;
    run.text.assign(reinterpret_cast<const char*>(text), n);
    run.encoding = sjis ? TextEncoding::ShiftJis : TextEncoding::SingleByte;
    if (m.kind == TextKind::SystemOneByte) {
        run.pixelHeight = 0.9 * 1.4 * m.height * scale;
        run.pixelWidth = std::fabs(m.width) / 1.4 * scale;
    } else {
        run.pixelHeight = m.height * scale;
        run.pixelWidth = std::fabs(m.width) * scale / 2.0;
    }
    const int w7 = l.fontByte & 0x7F;
    run.weight =
        forMeasure ? (w7 == 0 ? 400 : 700) : std::min(900, roundInt((w7 + 7) / 14.0 * 800.0));
    run.italic = l.slant != 0.0;
    run.extraSpacing = std::fabs(m.gap) * scale;
    if (!forMeasure) {
        double esc = std::nearbyint(theta_ * 10.0) / 10.0;
        const bool negative = m.width < 0.0;
        if (negative) esc = -esc;
        run.escapement = esc;
        run.mirrored = negative != pass_.in_.values.mirror;
        run.opaque = (l.fontByte & 0x80) != 0;
        run.background = st_.paper;
        run.op = pass_.penOp_;
        const auto& ps = pass_.in_.settings.pens;
        if (ps.BlackPenDisplay) {
            run.colour = st_.ink;
        } else {
            const uint32_t c = st_.colour[st_.currentPen & 255];
            run.colour = (ps.ChgColor_not_BackC && c == st_.background)
                             ? (st_.background == 0 ? 0xFFFFFF : 0)
                             : c;
        }
    }
    return run;
}

void LabelDrawer::drawSystem(const Metrics& m, const uint8_t* text, size_t n, double x, double y) {
    if (!st_.penVisible) return;
    TextRun run = makeRun(m, text, n, false);
    if (!(run.pixelHeight >= 0.5) || !(run.pixelWidth >= 0.5) || run.text.empty()) return;
    const double shift = m.kind == TextKind::SystemOneByte ? 0.9 * 1.4 * m.height : m.height;
    drawRunAt(run, x, y, shift);
}

void LabelDrawer::drawRunAt(TextRun& run, double x, double y, double shift) {
    double tx, ty;
    turn(0.0, shift, tx, ty);
    double dx, dy;
    deviceOffset(pass_.view_, x + tx, y + ty, dx, dy);
    const double px = pass_.view_.hw + dx, py = pass_.view_.hh - dy;
    if (!(std::fabs(px) < 32767.0) || !(std::fabs(py) < 32767.0)) return;
    run.origin = PointD{px, py};
    pass_.canvas_.drawText(run);
}

void LabelDrawer::drawTwoByteCells(const Metrics& m, const uint8_t* text, size_t n, double x,
                                   double y) {
    if (!st_.penVisible) return;
    double stepX, stepY;
    turn(m.width + m.gap, 0.0, stepX, stepY);
    const size_t count = std::min<size_t>(n / 2, 50);
    for (size_t i = 0; i < count; ++i)
        drawCellCharacter(m, text + 2 * i, 2, x + double(i) * stepX, y + double(i) * stepY);
}

void LabelDrawer::drawCellCharacter(const Metrics& m, const uint8_t* bytes, size_t length, double x,
                                    double y) {
    const LabelState& l = st_.label;
    const double scale = pass_.view_.scale;
    // Text meant for Shift-JIS (the two-byte sets, and katakana recorded as
    // bytes A1..DF) decodes as such; other high bytes as Windows Latin-1.
    const bool shiftJis = length == 2 || l.headerByte2 == 128;
    TextRun run = makeRun(m, bytes, length, false);
    run.encoding = shiftJis ? TextEncoding::ShiftJis : TextEncoding::SingleByte;
    const int faceIndex = (l.selectedSet ? 2 : 0) + (length == 2 ? 1 : 0);
    run.face = pass_.in_.settings.text.TextFontName[faceIndex].c_str();
    // The glyph fills the cell: the average width of a system font is that
    // of a one-byte character, half a two-byte one.
    run.pixelHeight = m.height * scale;
    run.pixelWidth = std::fabs(m.width) * scale / double(length);
    run.extraSpacing = 0.0;
    if (!(run.pixelHeight >= 0.5) || !(run.pixelWidth >= 0.5)) return;
    drawRunAt(run, x, y, m.height);
}

} // namespace view
