#include "pen_commands.h"

#include <cmath>
#include <numbers>

#include "interp/coord_commands.h"
#include "interp/dispatch.h"
#include "interp/interpreter.h"
#include "interp/label_commands.h"
#include "interp/rtl_pjl.h"

namespace interp {

namespace {

constexpr int kEsc = 27;

bool fits32(int64_t v) {
    return v >= INT32_MIN && v <= INT32_MAX;
}
bool fits32(double v) {
    return v >= -2147483648.0 && v <= 2147483647.0;
}

// One coordinate pair of PA/PR in plotter units (not yet rotated). False when
// the list ends or a value is bad (pending error set where that counts).
bool readPairUnscaled(Interpreter& in, int32_t& x, int32_t& y) {
    if (!in.tokenToIntOrReal(x)) return false;
    if (in.commandEnded()) {
        in.setPendingError(); // an odd number of coordinates
        return false;
    }
    in.readParam();
    return in.tokenToIntOrReal(y);
}

bool readPairReal(Interpreter& in, double& x, double& y) {
    if (!in.tokenToReal(x)) return false;
    if (in.commandEnded()) return false;
    in.readParam();
    return in.tokenToReal(y);
}

// The user-unit position that matches the current plotter position: the kept
// one when it still leads to the pen position, else derived back from it.
// Only while scaling is on (the factors are then never 0).
void syncUserPosition(Interpreter& in) {
    int32_t px, py;
    if (userToPlotter(in, in.userX, in.userY, px, py)) {
        rotatePoint(in.coord.rotation, px, py);
        if (px == in.posX && py == in.posY) return;
    }
    double x = in.posX, y = in.posY;
    rotatePoint((360 - in.coord.rotation) % 360, x, y);
    in.userX = x / in.coord.fX + in.coord.oX;
    in.userY = y / in.coord.fY + in.coord.oY;
}

// (x, y) turned by the rotation, as a 32-bit point; false (pending error set)
// when it does not fit.
bool rotatedPoint(Interpreter& in, double x, double y, int32_t& px, int32_t& py) {
    rotatePoint(in.coord.rotation, x, y);
    double rx = std::nearbyint(x), ry = std::nearbyint(y);
    if (!fits32(rx) || !fits32(ry)) {
        in.setPendingError();
        return false;
    }
    px = static_cast<int32_t>(rx);
    py = static_cast<int32_t>(ry);
    return true;
}

// The current position with the rotation taken back, in plotter units.
void unrotatedPosition(const Interpreter& in, double& x, double& y) {
    x = in.posX;
    y = in.posY;
    rotatePoint((360 - in.coord.rotation) % 360, x, y);
}

void writeLineType(Interpreter& in, int type, int32_t length) {
    in.model.write(rec::LineType{type, length});
}

int32_t defaultPatternLength(const Interpreter& in) {
    return Interpreter::roundSaturated(0.04 * in.p1p2Distance());
}

// Draws a tick through the current position: `along` is the unrotated
// direction of the tick (0, 1) or (1, 0), turned with the plot.
void drawTick(Interpreter& in, int64_t alongX, int64_t alongY) {
    const double distance = in.p1p2Distance();
    int32_t up, down;
    if (!in.roundToInt(in.pen.tickPositive * distance, up) ||
        !in.roundToInt(in.pen.tickNegative * distance, down))
        return;
    int64_t dx = alongX, dy = alongY;
    rotatePoint(in.coord.rotation, dx, dy);
    const int64_t upX = in.posX + dx * up, upY = in.posY + dy * up;
    const int64_t downX = in.posX - dx * down, downY = in.posY - dy * down;
    if (!fits32(upX) || !fits32(upY) || !fits32(downX) || !fits32(downY)) {
        in.setPendingError();
        return;
    }
    DrawingModel& m = in.model;
    m.write(rec::PenUp{});
    in.writePoint(static_cast<int32_t>(upX), static_cast<int32_t>(upY));
    m.write(rec::PenDown{});
    in.writePoint(static_cast<int32_t>(downX), static_cast<int32_t>(downY));
    m.write(rec::PenUp{});
    in.writePoint(in.posX, in.posY);
    if (!in.penUp) m.write(rec::PenDown{});
}

// Skips raw bytes through the closing double quote (or a single quote when
// `singleCloses`), or to the end of the file.
void skipQuotedText(Interpreter& in, bool singleCloses) {
    for (;;) {
        int c = in.readRaw();
        if (c < 0) {
            in.setCommandEnded();
            return;
        }
        if (c == '"' || (singleCloses && c == '\'')) return;
    }
}

// An optional quoted text as a command's first parameter (MG, CO): read
// unfiltered so that its letters never start commands.
void skipLeadingQuotedText(Interpreter& in, bool singleCloses) {
    int c = in.readChar(false);
    if (c == 0 || c == ';') {
        in.setCommandEnded();
        return;
    }
    if (c == '"') {
        skipQuotedText(in, singleCloses);
        return;
    }
    in.pushBack();
}

// Reads up to `max` numeric parameters without effect (a negative `max`
// reads them all). A value that is not a number counts as a data error.
void readPastValues(Interpreter& in, int max) {
    for (int k = 0; max < 0 || k < max; ++k) {
        if (in.commandEnded()) return;
        double v;
        if (in.realParam(v) == Param::Bad) return;
    }
}

// In a GR list, after the parameter reader stopped at a letter: takes "PU" or
// "PD" (recorded, then an optional ","), and returns true when the list goes
// on. Any other command that follows is run, as the main loop would.
bool takeGraphPenCode(Interpreter& in) {
    if (in.atEndOfFile()) return false;
    int end = in.paramEnd();
    if (end < 'A' || end == kEsc) return false; // ";", the end of the file
    int a = in.readChar(false);
    if (a != 'P') {
        if (a != 0) in.pushBack();
        return false;
    }
    int b = in.readChar(false);
    if (b == 'U' || b == 'D') {
        in.penUp = b == 'U';
        in.model.writePenState(in.penUp);
        int c = in.readChar(false);
        if (c == 0) return false;
        if (c != ',') in.pushBack();
        return true;
    }
    if (b == 0) return false;
    // "P" and another letter: the next command, run here as the main loop
    // would run it, since its letters are taken; the main loop then skips
    // what it leaves of its parameters.
    in.setCommandEnded(false);
    if (const DispatchEntry* e = lookupCommand(a, b)) e->handler(in, e->selector);
    return false;
}

void graph(Interpreter& in) {
    in.penUp = false;
    in.model.write(rec::PenDown{});
    const CoordState& c = in.coord;
    // X runs in user units while scaling is on, else in unrotated plotter units.
    double x;
    if (c.scaling) {
        syncUserPosition(in);
        x = in.userX;
    } else {
        double y;
        unrotatedPosition(in, x, y);
    }
    double dx;
    if (in.realParam(dx) != Param::Value || dx == 0.0) return;
    bool first = true;
    for (;;) {
        if (in.commandEnded() && !takeGraphPenCode(in)) return;
        double y;
        Param p = in.realParam(y);
        if (p == Param::Bad) return;
        if (p == Param::Omitted) continue;
        if (!first) x += dx;
        first = false;
        int32_t px, py;
        if (c.scaling) {
            if (!userToPlotter(in, x, y, px, py)) {
                in.setPendingError();
                return;
            }
            rotatePoint(c.rotation, px, py);
            in.userX = x;
            in.userY = y;
        } else if (!rotatedPoint(in, x, y, px, py)) {
            return;
        }
        in.posX = px;
        in.posY = py;
        in.writePoint(px, py);
    }
}

// The strokes of a user-defined character, from the current position.
void userCharacter(Interpreter& in) {
    DrawingModel& m = in.model;
    const LabelState& l = in.label;
    const int64_t startX = in.posX, startY = in.posY;
    double unitX = l.width / 4.0, unitY = l.height / 8.0;
    const double turn = l.direction * (std::numbers::pi / 180.0);
    const double cosA = std::cos(turn), sinA = std::sin(turn);
    bool penCodes = true;
    double sumX = 0, sumY = 0; // grid units; whole numbers, exact in a double
    while (!in.commandEnded()) {
        double v;
        Param p = in.realParam(v);
        if (p == Param::Bad) return;
        if (p == Param::Omitted) continue;
        int32_t vx;
        if (!in.roundToInt(v, vx)) return;
        if (penCodes) {
            if (vx <= -99 && vx > -9999) {
                m.write(rec::PenUp{});
                continue;
            }
            if (vx >= 99 && vx < 9999) {
                m.write(rec::PenDown{});
                continue;
            }
            if (vx >= 9999 || vx <= -9999) {
                unitX = l.width / 32.0;
                unitY = l.height / 32.0;
                penCodes = false;
                continue;
            }
        }
        if (in.commandEnded()) return; // an X step without its Y step
        int32_t vy;
        p = in.realParam(v);
        if (p != Param::Value || !in.roundToInt(v, vy)) return;
        sumX += vx;
        sumY += vy;
        double ox = std::nearbyint(sumX * unitX), oy = std::nearbyint(sumY * unitY);
        if (l.direction != 0.0) {
            double rx = ox * cosA - oy * sinA;
            oy = std::nearbyint(ox * sinA + oy * cosA);
            ox = std::nearbyint(rx);
        }
        double px = static_cast<double>(startX) + ox, py = static_cast<double>(startY) + oy;
        if (!fits32(px) || !fits32(py)) {
            in.setPendingError();
            return;
        }
        in.writePoint(static_cast<int32_t>(px), static_cast<int32_t>(py));
    }
}

} // namespace

void readCoordinatePairs(Interpreter& in, bool absolute) {
    for (;;) {
        in.readParam();
        if (in.tokenEmpty()) {
            if (in.commandEnded()) return;
            in.readParam(); // a single empty parameter between separators is skipped
            if (in.tokenEmpty()) return;
        }
        if (!in.coord.scaling) {
            int32_t x, y;
            if (!readPairUnscaled(in, x, y)) return;
            rotatePoint(in.coord.rotation, x, y);
            if (absolute) {
                in.posX = x;
                in.posY = y;
            } else {
                int64_t nx = static_cast<int64_t>(in.posX) + x;
                int64_t ny = static_cast<int64_t>(in.posY) + y;
                if (!fits32(nx) || !fits32(ny)) {
                    in.setPendingError();
                    return;
                }
                in.posX = static_cast<int32_t>(nx);
                in.posY = static_cast<int32_t>(ny);
            }
        } else {
            double ux, uy;
            if (!readPairReal(in, ux, uy)) return;
            if (!absolute) {
                syncUserPosition(in);
                ux += in.userX;
                uy += in.userY;
            }
            int32_t px, py;
            if (!userToPlotter(in, ux, uy, px, py)) {
                in.setPendingError();
                return;
            }
            rotatePoint(in.coord.rotation, px, py);
            in.userX = ux;
            in.userY = uy;
            in.posX = px;
            in.posY = py;
        }
        in.writePoint(in.posX, in.posY);
        if (in.pen.symbol) plotSymbol(in);
        in.resetLabelOrigin();
        if (in.commandEnded()) return;
    }
}

void cmdPA(Interpreter& in, int) {
    in.absoluteMode = true;
    readCoordinatePairs(in, true);
}

void cmdPR(Interpreter& in, int) {
    in.absoluteMode = false;
    readCoordinatePairs(in, false);
}

void cmdPU(Interpreter& in, int) {
    in.penUp = true;
    in.model.write(rec::PenUp{});
    readCoordinatePairs(in, in.absoluteMode);
}

void cmdPD(Interpreter& in, int) {
    in.penUp = false;
    in.model.write(rec::PenDown{});
    int c = in.readChar(false);
    if (c == 0) {
        in.setCommandEnded();
        return;
    }
    if (c != ',') in.pushBack();
    readCoordinatePairs(in, in.absoluteMode);
}

void cmdSP(Interpreter& in, int) {
    in.readParam();
    int32_t n = 1;
    if (in.tokenEmpty() || !in.tokenIsInt(n) || n < 0) n = 1;
    if (n > 255) n = (n - 1) % 255 + 1;
    if (in.options.penPenTableNo != 0) n = in.options.penPen[static_cast<size_t>(n)];
    DrawingModel& m = in.model;
    if (!in.penUp && n != 0) {
        // The line goes on from the same point in the new pen.
        m.write(rec::PenUp{});
        in.writePoint(in.posX, in.posY);
        m.writePenSelect(static_cast<uint8_t>(n));
        m.write(rec::PenDown{});
    } else {
        m.writePenSelect(static_cast<uint8_t>(n));
    }
    in.pen.currentPen = n;
    in.pen.penSelected = true;
}

void cmdLT(Interpreter& in, int) {
    PenState& p = in.pen;
    int32_t n;
    Param first = in.intParam(n);
    if (first == Param::Bad) return;
    if (first == Param::Omitted) {
        p.lineType = kSolidLine;
        writeLineType(in, p.lineType, p.patternLength);
        p.solidX = in.posX;
        p.solidY = in.posY;
        p.solidPlaceKnown = true;
        return;
    }
    if (n == 99) {
        // Back to the last pattern, as long as the pen has not moved since the
        // line became solid.
        if (p.lineType == kSolidLine && p.previousLineType != kSolidLine && p.solidPlaceKnown &&
            in.posX == p.solidX && in.posY == p.solidY) {
            p.lineType = p.previousLineType;
            p.patternLength = p.previousPatternLength;
            writeLineType(in, p.lineType, p.patternLength);
        }
        return;
    }
    if (n < -8 || n > 8) return;
    int32_t length = p.patternLength;
    if (!in.commandEnded()) {
        double l;
        Param second = in.realParam(l);
        if (second == Param::Bad) return;
        if (second == Param::Value) {
            if (l < 0.0) return;
            bool millimetres = false;
            if (!in.commandEnded()) {
                int32_t mode;
                Param third = in.intParam(mode);
                if (third == Param::Bad) return;
                if (third == Param::Value) {
                    if (mode != 0 && mode != 1) return;
                    in.countHpgl2();
                    millimetres = mode == 1;
                }
            }
            double units = millimetres ? l * 40.0 : l * 0.01 * in.p1p2Distance();
            if (!in.roundToInt(units, length)) return;
        }
    }
    p.lineType = n;
    p.patternLength = length;
    writeLineType(in, n, length);
    p.previousLineType = n;
    p.previousPatternLength = length;
}

void cmdSM(Interpreter& in, int) {
    int c = in.readRaw();
    if (c < 0 || c == ';') {
        in.pen.symbol = 0;
        in.setCommandEnded();
        return;
    }
    if (c == 'P') {
        // The next command follows at once.
        in.pen.symbol = 0;
        in.pushBack();
        in.setCommandEnded();
        return;
    }
    in.pen.symbol = static_cast<uint8_t>(c);
}

void cmdTL(Interpreter& in, int) {
    PenState& p = in.pen;
    double tp;
    Param first = in.realParam(tp);
    if (first == Param::Bad) return;
    if (first == Param::Omitted) {
        p.tickPositive = p.tickNegative = 0.005;
        return;
    }
    p.tickPositive = (tp < 0.0 ? 0.0 : tp) * 0.01;
    p.tickNegative = 0.0;
    if (in.commandEnded()) return;
    double tn;
    if (in.realParam(tn) == Param::Value) p.tickNegative = (tn < 0.0 ? 0.0 : tn) * 0.01;
}

void cmdTick(Interpreter& in, int axis) {
    if (axis == 0)
        drawTick(in, 0, 1);
    else
        drawTick(in, 1, 0);
}

void cmdTickVariant(Interpreter& in, int axis) {
    cmdTick(in, axis);
}

void cmdUC(Interpreter& in, int) {
    PenState& p = in.pen;
    DrawingModel& m = in.model;
    const bool patterned = p.lineType != kSolidLine;
    if (patterned) writeLineType(in, kSolidLine, p.patternLength);
    const int32_t startX = in.posX, startY = in.posY;
    userCharacter(in);
    // The pen goes on, raised, to the next character cell along the label
    // direction, so that later moves start from there.
    const LabelState& l = in.label;
    const double cell = std::nearbyint((1.0 + l.extraSpaces) * 1.5 * l.width);
    const double turn = l.direction * (std::numbers::pi / 180.0);
    const double nx = startX + std::nearbyint(cell * std::cos(turn));
    const double ny = startY + std::nearbyint(cell * std::sin(turn));
    if (fits32(nx) && fits32(ny)) {
        in.posX = static_cast<int32_t>(nx);
        in.posY = static_cast<int32_t>(ny);
    } else {
        in.setPendingError();
    }
    m.write(rec::PenUp{});
    in.writePoint(in.posX, in.posY);
    if (!in.penUp) m.write(rec::PenDown{});
    if (patterned) writeLineType(in, p.lineType, p.patternLength);
    in.resetLabelOrigin();
}

void cmdGR(Interpreter& in, int) {
    graph(in);
    in.resetLabelOrigin();
}

void cmdReset(Interpreter& in, int which) {
    // Before anything is recorded the reset writes nothing; its state changes
    // still take effect, so that settings made so far do not outlive it.
    const bool record = in.model.hasRecords();
    DrawingModel& m = in.model;
    PenState& p = in.pen;
    CoordState& c = in.coord;

    p.symbol = 0;
    in.poly.mode = PolygonMode::Off; // an unfinished polygon is dropped
    p.lineType = p.previousLineType = kSolidLine;
    p.patternLength = p.previousPatternLength = defaultPatternLength(in);
    if (record) {
        writeLineType(in, p.lineType, p.patternLength);
        resetLabelState(in);
    }
    in.absoluteMode = true;
    scalingOff(in);
    if (c.windowSet) clearInputWindow(in);

    if (which == 0) {
        m.pens.colourDefined.fill(false);
        m.pens.colour = in.options.defaultColours;
        if (record) {
            m.writeDefaultColours();
            if (in.options.multiPage) {
                // A page that does not count clears the pending error it would leave.
                if (!m.pageEnd(in.paperCorner())) in.pendingError = 0;
                rtlReset(in);
            }
        }
        in.penUp = true;
        if (record) m.write(rec::PenUp{});
        c.rotation = 0;
        setScalingPoints(in, 0, 0, c.defaultP2X, c.defaultP2Y);
        p.patternLength = p.previousPatternLength = defaultPatternLength(in);
        m.pens.width.fill(0.0f);
        m.pens.widthsSet = false;
        if (record) m.write(rec::PenWidth{-1, -1});
        in.posX = in.posY = 0;
        in.userX = in.userY = 0;
        if (record) in.writePoint(0, 0);
        updateFloatScales(in);
        in.poly.chordMode = ChordMode::Angle;
    }
    in.resetLabelOrigin();
}

// ---- read past, one ignored HP-GL/2 piece each ----

void cmdPW(Interpreter& in, int) {
    in.countHpgl2();
    double width;
    if (in.realParam(width) != Param::Value || width < 0.0 || in.commandEnded()) return;
    int32_t pen;
    in.intParam(pen);
}

void cmdPE(Interpreter& in, int) {
    in.countHpgl2();
    // The encoded data holds no ";", so the command runs up to it; an ESC
    // cannot be part of it and is left for the escape reader.
    for (;;) {
        int c = in.readRaw();
        if (c < 0 || c == ';') break;
        if (c == kEsc) {
            in.pushBack();
            break;
        }
    }
    in.setCommandEnded();
}

void cmdPC(Interpreter& in, int) {
    in.countHpgl2();
    int32_t pen;
    if (in.intParam(pen) != Param::Value || pen < 0 || pen > 255) return;
    readPastValues(in, 3);
}

void cmdCR(Interpreter& in, int) {
    in.countHpgl2();
    readPastValues(in, 6);
}

void cmdLA(Interpreter& in, int) {
    in.countHpgl2();
    for (int k = 0; k < 3 && !in.commandEnded(); ++k) {
        int32_t kind;
        if (in.intParam(kind) != Param::Value || kind < 1 || kind > 3) return;
        readPastValues(in, 1);
    }
}

void cmdMC(Interpreter& in, int) {
    in.countHpgl2();
    readPastValues(in, 2);
}

void cmdMG(Interpreter& in, int) {
    in.countHpgl2();
    skipLeadingQuotedText(in, /*singleCloses=*/true);
}

void cmdTR(Interpreter& in, int) {
    in.countHpgl2();
    readPastValues(in, 1);
}

void cmdBP(Interpreter& in, int) {
    in.countHpgl2();
    // Kind and value pairs; a title is a quoted text.
    for (;;) {
        int c = in.readChar(false);
        if (c == 0 || c == ';') break;
        if (c == '"') {
            skipQuotedText(in, false);
            if (in.commandEnded()) return;
            continue;
        }
        if (c >= 'A' || c == kEsc) {
            in.pushBack();
            break;
        }
    }
    in.setCommandEnded();
}

void cmdBezier(Interpreter& in, int) {
    in.countHpgl2();
    readPastValues(in, -1);
}

void cmdRF(Interpreter& in, int) {
    in.countHpgl2();
    readPastValues(in, -1);
}

void cmdCO(Interpreter& in, int) {
    in.countHpgl2();
    // The comment is skipped whole, however long, so that no word of it is
    // taken for a command.
    skipLeadingQuotedText(in, /*singleCloses=*/false);
}

} // namespace interp
