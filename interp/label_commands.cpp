#include "label_commands.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "interp/coord_commands.h"
#include "interp/interpreter.h"

namespace interp {

namespace {

constexpr int kBackspace = 8;
constexpr int kLineFeed = 10;
constexpr int kCarriageReturn = 13;
constexpr int kShiftOut = 14; // select the alternate set
constexpr int kShiftIn = 15;  // select the standard set
constexpr int kEtx = 3;
constexpr int kEnq = 5;
constexpr int kEsc = 27;

// Sets whose texts hold two bytes per character (Shift-JIS).
bool isTwoByteSet(int code) {
    return code == 80 || code == 152 || code == 153;
}

// Turns (x, y) about the origin by `degrees`; quarter turns are exact.
void turn(double degrees, double& x, double& y) {
    double a = std::fmod(degrees, 360.0);
    if (a < 0) a += 360.0;
    double ox = x, oy = y;
    if (a == 0.0) return;
    if (a == 90.0) {
        x = -oy;
        y = ox;
    } else if (a == 180.0) {
        x = -ox;
        y = -oy;
    } else if (a == 270.0) {
        x = oy;
        y = -ox;
    } else {
        double r = a * (std::numbers::pi / 180.0);
        double c = std::cos(r), s = std::sin(r);
        x = ox * c - oy * s;
        y = ox * s + oy * c;
    }
}

// Advance of n character cells along the line, plotter units (whole).
double charAdvance(const LabelState& l, double n) {
    return std::nearbyint((1.0 + l.extraSpaces) * l.width * 1.5 * n);
}
// Advance of n lines across the line, plotter units (whole).
double lineAdvance(const LabelState& l, double n) {
    return std::nearbyint((1.0 + l.extraLines) * l.height * 2.0 * n);
}

// The label start point moved by the offsets (X along the direction, Y down
// across it). False, with the pending error set, when it leaves 32 bits.
bool offsetPoint(Interpreter& in, int32_t& x, int32_t& y) {
    const LabelState& l = in.label;
    double dx = l.offsetX, dy = -l.offsetY;
    if (dx != 0.0 || dy != 0.0) turn(l.direction, dx, dy);
    return in.roundToInt(l.startX + dx, x) && in.roundToInt(l.startY + dy, y);
}

// The current position follows the offsets; an unreachable point leaves it.
void followOffsets(Interpreter& in) {
    int32_t x, y;
    if (!offsetPoint(in, x, y)) return;
    in.posX = x;
    in.posY = y;
}

void writeCharSize(Interpreter& in) {
    in.model.write(rec::CharSize{in.label.width, in.label.height});
}

void writeDirection(Interpreter& in) {
    in.model.write(rec::LabelDirection{Interpreter::roundSaturated(in.label.direction * 1000.0)});
}

void writeSlant(Interpreter& in) {
    in.model.write(rec::CharSlant{Interpreter::roundSaturated(in.label.slant * 1000.0)});
}

void writeOrigin(Interpreter& in, int origin) {
    in.model.write(rec::LabelOrigin{static_cast<uint8_t>(origin)});
}

void writeExtraSpace(Interpreter& in) {
    in.model.write(rec::ExtraSpace{Interpreter::roundSaturated(in.label.extraSpaces * 100000.0),
                                   Interpreter::roundSaturated(in.label.extraLines * 100000.0)});
}

// A label header and its text. The header carries the character set in force
// (set 8 recorded as set "0", see convertSet8) and two state bytes: the font
// index (0: no font list is filled by this program) and the Windows character
// set the text is meant for (128, Shift-JIS, for the two-byte sets and for
// set 8, whose katakana sit at the one-byte katakana of Shift-JIS; else 0).
void writeLabelRecords(DrawingModel& m, int code, const std::vector<uint8_t>& text, int64_t longest,
                       int64_t lineFeeds, int64_t carriageReturns) {
    m.write(rec::Label{static_cast<uint16_t>(text.size()), static_cast<uint16_t>(longest),
                       static_cast<uint16_t>(lineFeeds), static_cast<uint16_t>(carriageReturns),
                       static_cast<uint16_t>(code == 8 ? kCharSetDefault : code), 0,
                       static_cast<uint8_t>(isTwoByteSet(code) || code == 8 ? 128 : 0)});
    m.appendLabelText(text.data(), text.size());
}

// Makes (w, h) the character size of the selected set and records it.
void setCharSize(Interpreter& in, int32_t w, int32_t h, SizeMode mode) {
    LabelState& l = in.label;
    l.width = w;
    l.height = h;
    l.sizeMode = mode;
    l.sets[l.selectedSet].width = w;
    l.sets[l.selectedSet].height = h;
    writeCharSize(in);
}

// Angle in degrees of the stored run and rise under the direction mode,
// before rotation and path.
double baseDirection(const Interpreter& in) {
    const LabelState& l = in.label;
    double run = l.run, rise = l.rise;
    if (l.directionMode == DirectionMode::Relative) {
        run *= static_cast<double>(in.coord.p2x) - in.coord.p1x;
        rise *= static_cast<double>(in.coord.p2y) - in.coord.p1y;
    } else if (l.directionMode == DirectionMode::User) {
        run *= in.coord.fX;
        rise *= in.coord.fY;
    }
    double a = std::atan2(rise, run) * (180.0 / std::numbers::pi);
    return std::isfinite(a) ? a : 0.0;
}

// The recorded direction from the stored values, the rotation and the path.
double deriveDirection(const Interpreter& in) {
    double a = rotateAngle(in, baseDirection(in));
    switch (in.label.path) {
    case TextPath::Down:
        a -= 90.0;
        break;
    case TextPath::Left:
        a += 180.0;
        break;
    case TextPath::Up:
        a += 90.0;
        break;
    default:
        break;
    }
    return a;
}

// SS/SA and SO/SI: makes set `s` current, recording what changes.
void selectSet(Interpreter& in, int s) {
    LabelState& l = in.label;
    const CharacterSet& set = l.sets[s];
    if (set.width != l.width || set.height != l.height) {
        l.width = set.width;
        l.height = set.height;
        writeCharSize(in);
    }
    if (set.slant != l.slant) {
        l.slant = set.slant;
        writeSlant(in);
    }
    l.codeInForce = set.code;
    if (set.fontByte != l.fontByteInForce) {
        l.fontByteInForce = set.fontByte;
        in.model.write(rec::FontByte{set.fontByte});
    }
    l.selectedSet = s;
    in.model.write(rec::CharSetSelect{static_cast<uint8_t>(s)});
}

// Set 8 (katakana) is recorded as set "0": its katakana positions move to
// the single-byte katakana range of Shift-JIS, which label drawing shows.
void convertSet8(std::vector<uint8_t>& text) {
    for (uint8_t& c : text)
        if (c >= 0x21 && c <= 0x5F) c = static_cast<uint8_t>(c + 0x80);
}

// Grows the page extents by the box of a label recorded at (px, py).
// The box, in the label's own frame (X along the direction, Y up across it):
// from the label point to `longest` character cells along the line, and from
// the full character height above the first baseline to a quarter height below
// the baseline of the last line (room for descenders). A segment with a
// carriage return also reaches back to the start of the line. The box is
// shifted for the label origin as label drawing places the text, sheared by
// the slant and turned by the direction.
void growByLabelBox(Interpreter& in, int32_t px, int32_t py, double longest, double lineFeeds,
                    bool hadCarriageReturn) {
    const LabelState& l = in.label;
    double w = l.width, h = l.height;
    double cell = (1.0 + l.extraSpaces) * w * 1.5;
    double span = longest * cell;
    double x0 = std::min(0.0, span), x1 = std::max(0.0, span);
    if (hadCarriageReturn) x0 = std::min(x0, -l.offsetX);
    double top = std::max(h, 0.0);
    double bottom = -lineFeeds * (1.0 + l.extraLines) * h * 2.0 - std::fabs(h) * 0.25;
    int c = l.origin;
    int m = c % 10;
    if (m >= 1 && m <= 9) {
        double dx0 = c >= 10 ? w * 0.25 : 0.0, dy0 = c >= 10 ? h * 0.25 : 0.0;
        double dx = m <= 3 ? -dx0 : m <= 6 ? span * 0.5 : span + dx0;
        int across = (m - 1) % 3;
        double dy = across == 0 ? -dy0 : across == 1 ? h * 0.5 : h + dy0;
        x0 -= dx;
        x1 -= dx;
        top -= dy;
        bottom -= dy;
    }
    const double cx[4] = {x0, x1, x1, x0};
    const double cy[4] = {bottom, bottom, top, top};
    for (int k = 0; k < 4; ++k) {
        double x = cx[k] + l.slant * cy[k], y = cy[k];
        turn(l.direction, x, y);
        in.model.extendExtents(Interpreter::roundSaturated(px + x),
                               Interpreter::roundSaturated(py + y));
    }
}

// Writes a label header and its text at (x, y): pen up, point, header, text.
// The point goes to the list even in polygon mode: labels are no vertices.
// `longest` is in characters as recorded.
void writeLabel(Interpreter& in, int32_t x, int32_t y, const std::vector<uint8_t>& text,
                int64_t longest, int64_t lineFeeds, int64_t carriageReturns) {
    DrawingModel& m = in.model;
    m.write(rec::PenUp{});
    in.penUp = true;
    m.appendPoint(x, y);
    writeLabelRecords(m, in.label.codeInForce, text, longest, lineFeeds, carriageReturns);
}

// Builds the text segments of one label (LB, PB) byte by byte and records
// them. The text is bounded: past the longest text a record can hold, bytes
// are only counted and the segment becomes a data error.
class LabelWriter {
  public:
    explicit LabelWriter(Interpreter& in) : in_(in) { text_.reserve(64); }

    // One byte of label text (the terminator already taken out).
    void feed(int c) {
        if (c == kBackspace) {
            if (backspaces_ == 0) recordSegment();
            ++backspaces_;
            return;
        }
        flushBackspaces();
        if (c == kShiftOut || c == kShiftIn) {
            recordSegment();
            selectSet(in_, c == kShiftOut ? 1 : 0);
            return;
        }
        if (c == 1) return;
        bool twoByte = isTwoByteSet(in_.label.codeInForce);
        if (c < 32 && c != kCarriageReturn && c != kLineFeed && !twoByte) return;
        append(c);
        if (c == kCarriageReturn) {
            ++carriageReturns_;
            hadCarriageReturn_ = true;
            longest_ = std::max(longest_, lineChars_);
            lineChars_ = 0;
        } else if (c == kLineFeed) {
            ++lineFeeds_;
        } else {
            ++lineChars_;
        }
    }

    // The terminator of mode 0: part of the text, one character.
    void feedPrintedTerminator(int c) {
        flushBackspaces();
        append(c);
        ++lineChars_;
    }

    // Records what is pending: a backspace run, then the text.
    void finish() {
        flushBackspaces();
        recordSegment();
    }

  private:
    void append(int c) {
        if (text_.size() < static_cast<size_t>(kMaxLabelText))
            text_.push_back(static_cast<uint8_t>(c));
        else
            tooLong_ = true;
    }

    void clearSegment() {
        text_.clear();
        tooLong_ = false;
        lineChars_ = longest_ = lineFeeds_ = carriageReturns_ = 0;
        hadCarriageReturn_ = false;
    }

    // A run of n backspaces: a character move of -n cells (a CharMove record).
    void flushBackspaces() {
        if (backspaces_ == 0) return;
        int64_t n = backspaces_;
        backspaces_ = 0;
        if (n * 100000 > INT32_MAX) {
            in_.setPendingError();
            return;
        }
        in_.model.write(rec::CharMove{static_cast<int32_t>(-n * 100000), 0});
        LabelState& l = in_.label;
        l.offsetX -= charAdvance(l, static_cast<double>(n));
        followOffsets(in_);
    }

    void recordSegment() {
        if (text_.empty() && !tooLong_) return;
        if (tooLong_) {
            in_.setPendingError(); // no record can hold the text
            clearSegment();
            return;
        }
        LabelState& l = in_.label;
        int64_t longest = std::max(longest_, lineChars_);
        int64_t lastLine = lineChars_;
        if (isTwoByteSet(l.codeInForce)) {
            longest /= 2;
            lastLine /= 2;
        }
        if (l.codeInForce == 8) convertSet8(text_);
        int32_t x, y;
        if (!offsetPoint(in_, x, y)) {
            clearSegment();
            return;
        }
        writeLabel(in_, x, y, text_, longest, lineFeeds_, carriageReturns_);
        growByLabelBox(in_, x, y, static_cast<double>(longest), static_cast<double>(lineFeeds_),
                       hadCarriageReturn_);
        double a = charAdvance(l, static_cast<double>(lastLine));
        l.offsetX = hadCarriageReturn_ ? a : l.offsetX + a;
        l.offsetY += lineAdvance(l, static_cast<double>(lineFeeds_));
        in_.posX = x;
        in_.posY = y;
        followOffsets(in_);
        clearSegment();
    }

    Interpreter& in_;
    std::vector<uint8_t> text_;
    bool tooLong_ = false;
    int64_t lineChars_ = 0, longest_ = 0, lineFeeds_ = 0, carriageReturns_ = 0;
    bool hadCarriageReturn_ = false;
    int64_t backspaces_ = 0;
};

// Two reals given together. None: no parameter at all; Stop: one missing or
// bad (a bad one has set the pending error).
enum class Pair { None, Both, Stop };

Pair readRealPair(Interpreter& in, double& a, double& b) {
    Param p = in.realParam(a);
    if (p == Param::Bad) return Pair::Stop;
    if (p == Param::Omitted) return in.commandEnded() ? Pair::None : Pair::Stop;
    if (in.commandEnded()) return Pair::Stop;
    return in.realParam(b) == Param::Value ? Pair::Both : Pair::Stop;
}

// Reads "spaces[, lines]" (cells); false when nothing is to change.
// `given` tells whether any parameter came.
bool readCells(Interpreter& in, double& spaces, double& lines, bool& given) {
    spaces = lines = 0.0;
    given = false;
    Param p = in.realParam(spaces);
    if (p == Param::Bad) return false;
    if (p == Param::Omitted) return in.commandEnded();
    given = true;
    if (!in.commandEnded()) {
        Param q = in.realParam(lines);
        if (q == Param::Bad) return false;
        if (q == Param::Omitted) lines = 0.0;
    }
    int32_t check;
    return in.roundToInt(spaces * 100000.0, check) && in.roundToInt(lines * 100000.0, check);
}

} // namespace

void cmdLB(Interpreter& in, int) {
    const uint8_t terminator = in.label.terminator;
    if (terminator == 0) return;
    LabelWriter writer(in);
    for (;;) {
        int c = in.readRaw();
        if (c < 0) break; // end of file: the pending text is dropped
        if (c == terminator) {
            if (in.label.terminatorMode == TerminatorMode::Printed) writer.feedPrintedTerminator(c);
            writer.finish();
            break;
        }
        writer.feed(c);
    }
    in.setCommandEnded();
}

void cmdDT(Interpreter& in, int) {
    int c = in.readRaw();
    if (c < 0) {
        in.setCommandEnded();
        return;
    }
    if (c == kEsc) {
        in.pushBack(); // an escape sequence follows
        in.setCommandEnded();
        return;
    }
    if (c == ';') {
        // The default terminator, which is never printed.
        in.label.terminator = kEtx;
        in.label.terminatorMode = TerminatorMode::NotPrinted;
        in.setCommandEnded();
        return;
    }
    if (c != kEnq) in.label.terminator = static_cast<uint8_t>(c);
    int d = in.readRaw();
    if (d != ',') {
        if (d >= 0) in.pushBack();
        return;
    }
    in.countHpgl2();
    int32_t mode;
    if (in.intParam(mode) == Param::Value && (mode == 0 || mode == 1))
        in.label.terminatorMode = static_cast<TerminatorMode>(mode);
}

void cmdBL(Interpreter& in, int) {
    LabelState& l = in.label;
    if (l.terminator == 0) return;
    l.bufferedLength = 0;
    for (;;) {
        int c = in.readRaw();
        if (c < 0) break;
        bool end = c == l.terminator;
        if (end && l.terminatorMode != TerminatorMode::Printed) break;
        // Past the buffer the text is still read to its end, so that it is
        // not taken for commands.
        if (l.bufferedLength < kBufferedLabelLimit)
            l.buffered[l.bufferedLength++] = static_cast<uint8_t>(c);
        if (end) break;
    }
    in.setCommandEnded();
}

void cmdPB(Interpreter& in, int) {
    LabelState& l = in.label;
    if (l.bufferedLength == 0 || l.terminator == kShiftOut) return;
    int previous = l.origin;
    l.origin = 1;
    writeOrigin(in, 1);
    LabelWriter writer(in);
    for (int k = 0; k < l.bufferedLength; ++k)
        writer.feed(l.buffered[k]);
    writer.finish();
    l.origin = previous;
    writeOrigin(in, previous);
}

void cmdCharSize(Interpreter& in, int selector) {
    const auto mode = static_cast<SizeMode>(selector);
    double w = 0, h = 0;
    Pair p = readRealPair(in, w, h);
    if (p == Pair::Stop) return;
    LabelState& l = in.label;
    if (p == Pair::None) {
        if (mode == SizeMode::Relative) {
            l.relWidth = 0.75;
            l.relHeight = 1.5;
            l.sizeMode = SizeMode::Relative;
            recomputeRelativeSize(in);
        } else {
            setCharSize(in, 114, 150, SizeMode::Absolute);
        }
        return;
    }
    double sw = w, sh = h;
    switch (mode) {
    case SizeMode::Absolute:
        if (w == 0.0 || h == 0.0) return;
        sw = w / 0.0025;
        sh = h / 0.0025;
        break;
    case SizeMode::Relative:
        sw = (static_cast<double>(in.coord.p2x) - in.coord.p1x) * w * 0.01;
        sh = (static_cast<double>(in.coord.p2y) - in.coord.p1y) * h * 0.01;
        break;
    default:
        if (in.coord.scaling) {
            sw = w * in.coord.fX;
            sh = h * in.coord.fY;
        }
        break;
    }
    int32_t iw, ih;
    if (!in.roundToInt(sw, iw) || !in.roundToInt(sh, ih)) return;
    if (mode == SizeMode::Relative) {
        l.relWidth = w;
        l.relHeight = h;
    }
    setCharSize(in, iw, ih, mode);
}

void cmdDirection(Interpreter& in, int selector) {
    const auto mode = static_cast<DirectionMode>(selector);
    double run = 1.0, rise = 0.0;
    Pair p = readRealPair(in, run, rise);
    if (p == Pair::Stop) return;
    if (mode == DirectionMode::User && !in.coord.scaling) return; // user units only with scaling
    if (p == Pair::None) {
        run = 1.0;
        rise = 0.0;
    }
    LabelState& l = in.label;
    l.directionMode = mode;
    l.run = run;
    l.rise = rise;
    l.direction = deriveDirection(in);
    writeDirection(in);
}

void cmdDV(Interpreter& in, int) {
    int32_t n = 0;
    Param p = in.intParam(n);
    if (p == Param::Bad) return;
    if (p == Param::Omitted) n = 0;
    if (n < 0 || n > 3) return;
    LabelState& l = in.label;
    l.path = static_cast<TextPath>(n);
    l.verticalMode = l.path == TextPath::Down ? 90 : 0;
    l.direction = deriveDirection(in);
    writeDirection(in);
    in.model.write(rec::LabelVertical{l.verticalMode * 1000});
}

void cmdSL(Interpreter& in, int) {
    double s = 0.0;
    Param p = in.realParam(s);
    if (p == Param::Bad) return;
    int32_t check;
    if (!in.roundToInt(s * 1000.0, check)) return;
    LabelState& l = in.label;
    l.slant = s;
    l.sets[l.selectedSet].slant = s;
    writeSlant(in);
}

void cmdLO(Interpreter& in, int) {
    int32_t n = 1;
    Param p = in.intParam(n);
    if (p == Param::Bad) return;
    if (p == Param::Omitted) n = 1;
    bool known = (n >= 1 && n <= 9) || (n >= 11 && n <= 19) || n == 21;
    if (!known) return;
    in.label.origin = n;
    writeOrigin(in, n);
}

void cmdCP(Interpreter& in, int) {
    double spaces, lines;
    bool given;
    if (!readCells(in, spaces, lines, given)) return;
    LabelState& l = in.label;
    if (!given) {
        // Without parameters: back to the start of the line and one line down.
        double cell = charAdvance(l, 1.0);
        spaces = cell != 0.0 ? -l.offsetX / cell : 0.0;
        lines = -1.0;
        int32_t check;
        if (!in.roundToInt(spaces * 100000.0, check)) return;
    }
    in.model.write(rec::CharMove{Interpreter::roundSaturated(spaces * 100000.0),
                                 Interpreter::roundSaturated(lines * 100000.0)});
    if (given)
        l.offsetX += charAdvance(l, spaces);
    else
        l.offsetX = 0.0;
    l.offsetY -= lineAdvance(l, lines);
    followOffsets(in);
}

void cmdES(Interpreter& in, int) {
    double spaces, lines;
    bool given;
    if (!readCells(in, spaces, lines, given)) return;
    in.label.extraSpaces = spaces;
    in.label.extraLines = lines;
    writeExtraSpace(in);
}

void cmdDesignateSet(Interpreter& in, int set) {
    int32_t code = kCharSetDefault;
    Param p = in.intParam(code);
    if (p == Param::Bad) return;
    if (p == Param::Omitted) code = kCharSetDefault;
    if (code < 0 || code > 255) return;
    LabelState& l = in.label;
    l.sets[set].code = code;
    // The designation of the set in use takes effect at once.
    if (l.selectedSet == set) l.codeInForce = code;
}

void cmdSelectSet(Interpreter& in, int set) {
    selectSet(in, set & 1);
}

void cmdFontDefinition(Interpreter& in, int) {
    in.countHpgl2();
}
void cmdLM(Interpreter& in, int) {
    in.countHpgl2();
}

void plotSymbol(Interpreter& in) {
    const LabelState& l = in.label;
    int64_t sx = static_cast<int64_t>(in.posX) - Interpreter::roundSaturated(l.width / 2.0);
    int64_t sy = static_cast<int64_t>(in.posY) - Interpreter::roundSaturated(l.height / 2.0);
    if (sx < INT32_MIN || sx > INT32_MAX || sy < INT32_MIN || sy > INT32_MAX) {
        in.setPendingError();
        return;
    }
    std::vector<uint8_t> text(1, in.pen.symbol);
    if (l.codeInForce == 8) convertSet8(text);
    bool wasDown = !in.penUp;
    DrawingModel& m = in.model;
    if (wasDown) m.write(rec::PenUp{});
    m.appendPoint(static_cast<int32_t>(sx), static_cast<int32_t>(sy));
    writeLabelRecords(m, l.codeInForce, text, 1, 0, 0);
    // The symbol's cell, from its lower left corner.
    m.extendExtents(static_cast<int32_t>(sx), static_cast<int32_t>(sy));
    m.extendExtents(Interpreter::roundSaturated(sx + static_cast<double>(l.width)),
                    Interpreter::roundSaturated(sy + static_cast<double>(l.height)));
    m.appendPoint(in.posX, in.posY);
    if (wasDown) m.write(rec::PenDown{});
}

void recomputeRelativeSize(Interpreter& in) {
    LabelState& l = in.label;
    if (l.sizeMode != SizeMode::Relative) return;
    double w = (static_cast<double>(in.coord.p2x) - in.coord.p1x) * l.relWidth * 0.01;
    double h = (static_cast<double>(in.coord.p2y) - in.coord.p1y) * l.relHeight * 0.01;
    int32_t iw, ih;
    if (!in.roundToInt(w, iw) || !in.roundToInt(h, ih)) return;
    setCharSize(in, iw, ih, SizeMode::Relative);
}

void recomputeDirection(Interpreter& in) {
    LabelState& l = in.label;
    double before = l.direction;
    l.direction = deriveDirection(in);
    if (Interpreter::roundSaturated(before * 1000.0) !=
        Interpreter::roundSaturated(l.direction * 1000.0))
        writeDirection(in);
}

void resetLabelState(Interpreter& in) {
    LabelState& l = in.label;
    PolyState& poly = in.poly;
    DrawingModel& m = in.model;

    l.directionMode = DirectionMode::Absolute;
    l.run = 1.0;
    l.rise = 0.0;
    l.direction = 0.0;
    writeDirection(in);
    if (l.path != TextPath::Right || l.verticalMode != 0) {
        // The path goes back to the line direction with the direction itself.
        l.path = TextPath::Right;
        l.verticalMode = 0;
        m.write(rec::LabelVertical{0});
    }

    for (CharacterSet& s : l.sets) {
        s.code = kCharSetDefault;
        s.width = 114;
        s.height = 150;
        s.slant = 0.0;
    }
    l.selectedSet = 0;
    l.codeInForce = kCharSetDefault;

    l.extraSpaces = l.extraLines = 0.0;
    writeExtraSpace(in);

    l.terminator = kEtx;
    l.terminatorMode = TerminatorMode::NotPrinted;

    poly.fillType = FillKind::SolidBidirectional;
    poly.defaultSolidSpacing = 12;
    poly.hatchSpacing = 12;
    poly.hatchAngle = 0.0;
    m.write(rec::FillType{uint8_t(FillKind::SolidBidirectional), 12, 0});

    l.origin = 1;
    writeOrigin(in, 1);

    l.sizeMode = SizeMode::Absolute;
    l.relWidth = 0.75;
    l.relHeight = 1.5;
    l.width = 114;
    l.height = 150;
    writeCharSize(in);

    l.slant = 0.0;
    writeSlant(in);

    m.write(rec::CharSetSelect{0});
}

} // namespace interp
