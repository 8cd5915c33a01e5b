#include "poly_commands.h"

#include <algorithm>
#include <cmath>

#include "interp/coord_commands.h"
#include "interp/interpreter.h"

namespace interp {

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
// Vertex and header indices are 32-bit; the buffer stops short of that.
constexpr int64_t kMaxBufferItems = INT32_MAX - 16;

// A box in plotter units, kept in doubles until it is stored.
struct Box {
    double xMin = HUGE_VAL, yMin = HUGE_VAL, xMax = -HUGE_VAL, yMax = -HUGE_VAL;
    void grow(double x, double y) {
        xMin = std::min(xMin, x);
        yMin = std::min(yMin, y);
        xMax = std::max(xMax, x);
        yMax = std::max(yMax, y);
    }
};

// Box of the arc about (cx, cy) of radius r that leaves the start point at a0
// degrees and turns through sweep degrees to the end point.
Box arcBox(double cx, double cy, double r, double a0, double sweep, double sx, double sy, double ex,
           double ey) {
    Box b;
    b.grow(sx, sy);
    b.grow(ex, ey);
    for (int k = 0; k < 4; ++k) {
        double q = 90.0 * k;
        // How far the arc must turn, in its own direction, to reach angle q.
        double d = sweep >= 0 ? q - a0 : a0 - q;
        d = std::fmod(d, 360.0);
        if (d < 0) d += 360.0;
        if (std::fabs(sweep) >= 360.0 || d <= std::fabs(sweep)) {
            static const int kCos[4] = {1, 0, -1, 0};
            static const int kSin[4] = {0, 1, 0, -1};
            b.grow(cx + r * kCos[k], cy + r * kSin[k]);
        }
    }
    return b;
}

// Both corners of a box into the page extents, saturated to 32 bits (a box
// that far out makes the page invalid, which is what it deserves).
void growExtents(Interpreter& in, const Box& b) {
    in.model.extendExtents(Interpreter::roundSaturated(b.xMin),
                           Interpreter::roundSaturated(b.yMin));
    in.model.extendExtents(Interpreter::roundSaturated(b.xMax),
                           Interpreter::roundSaturated(b.yMax));
}

void growHeaderBox(PolygonHeader& h, const Box& b) {
    h.boxXMin = std::min(h.boxXMin, Interpreter::roundSaturated(b.xMin));
    h.boxYMin = std::min(h.boxYMin, Interpreter::roundSaturated(b.yMin));
    h.boxXMax = std::max(h.boxXMax, Interpreter::roundSaturated(b.xMax));
    h.boxYMax = std::max(h.boxYMax, Interpreter::roundSaturated(b.yMax));
}

void growHeaderBox(PolygonHeader& h, int32_t x, int32_t y) {
    h.boxXMin = std::min(h.boxXMin, x);
    h.boxYMin = std::min(h.boxYMin, y);
    h.boxXMax = std::max(h.boxXMax, x);
    h.boxYMax = std::max(h.boxYMax, y);
}

// Number of chords for a curve of radius r (plotter units) through sweep
// degrees, 1..255, from the chord value and the chord-tolerance mode. The
// chord angle used becomes the new chord value.
uint8_t segmentCount(Interpreter& in, double r, double sweep) {
    PolyState& p = in.poly;
    double chord = p.chordValue > 0 ? p.chordValue : 5.0;
    double angle;
    if (p.chordMode == ChordMode::Deviation) {
        double d = chord;
        if (in.coord.scaling) d *= std::fabs(std::max(in.coord.fX, in.coord.fY));
        if (r > 0 && d <= r) {
            angle = 2.0 * std::acos(std::clamp((r - d) / r, -1.0, 1.0)) / kDegToRad;
            if (!(angle >= 0.01)) angle = 0.01;
        } else {
            angle = 180.0;
        }
    } else {
        angle = std::clamp(chord, 0.01, 180.0);
    }
    p.chordValue = angle;
    double q = std::fabs(sweep) / angle;
    if (!(q < 1000.0)) return 255;
    double n = std::nearbyint(q);
    if (n < 1) return 1;
    if (n > 255) return 255;
    return static_cast<uint8_t>(n);
}

// The optional chord parameter (0 when omitted); false on a bad value.
bool readChord(Interpreter& in) {
    in.poly.chordValue = 0.0;
    if (in.commandEnded()) return true;
    double c = 0.0;
    Param r = in.realParam(c);
    if (r == Param::Bad) return false;
    if (r == Param::Value) in.poly.chordValue = c;
    return true;
}

// A real parameter the command cannot do without; false (pending error set)
// when it is missing or bad.
bool requiredReal(Interpreter& in, double& v) {
    if (in.commandEnded()) {
        in.setPendingError();
        return false;
    }
    Param r = in.realParam(v);
    if (r == Param::Omitted) in.setPendingError();
    return r == Param::Value;
}

// One coordinate pair read as PA and PR read theirs: through user scaling when
// it is on, turned by the rotation, and for a relative pair added to the
// current position. False when the command has no pair (nothing set) or a value
// is bad or out of range (pending error set).
bool readPoint(Interpreter& in, bool relative, int32_t& x, int32_t& y) {
    in.readParam();
    if (in.tokenEmpty()) return false;
    const CoordState& c = in.coord;
    double px, py;
    if (!c.scaling) {
        int32_t ix, iy;
        if (!in.tokenToIntOrReal(ix)) return false;
        if (in.commandEnded()) {
            in.setPendingError();
            return false;
        }
        in.readParam();
        if (!in.tokenToIntOrReal(iy)) return false;
        px = ix;
        py = iy;
    } else {
        double ux, uy;
        if (!in.tokenToReal(ux)) return false;
        if (in.commandEnded()) {
            in.setPendingError();
            return false;
        }
        in.readParam();
        if (!in.tokenToReal(uy)) return false;
        if (relative) {
            px = ux * c.fX;
            py = uy * c.fY;
        } else {
            int32_t ix, iy;
            if (!userToPlotter(in, ux, uy, ix, iy)) {
                in.setPendingError();
                return false;
            }
            px = ix;
            py = iy;
        }
    }
    rotatePoint(c.rotation, px, py);
    if (relative) {
        px += in.posX;
        py += in.posY;
    }
    return in.roundToInt(px, x) && in.roundToInt(py, y);
}

// True (pending error set) when `more` items would not fit into the buffer.
bool bufferFull(Interpreter& in, int64_t more) {
    const PolygonBuffer& pb = in.model.polygons;
    if (pb.vertexCount() + more <= kMaxBufferItems && pb.headerCount() < kMaxBufferItems)
        return false;
    in.setPendingError();
    return true;
}

PolygonVertex makeVertex(int32_t x, int32_t y, bool penUp, uint8_t mark, uint8_t kind,
                         int32_t subPolygon, uint16_t value = 0, uint8_t spare = 0) {
    PolygonVertex v;
    v.x = x;
    v.y = y;
    v.penUp = penUp ? 1 : 0;
    v.mark = mark;
    v.kind = kind;
    v.spare = spare;
    v.subPolygon = subPolygon;
    v.value = value;
    return v;
}

// Appends an item to the open sub-path of the current polygon.
void appendToSubPath(Interpreter& in, const PolygonVertex& v) {
    PolyState& p = in.poly;
    int32_t idx = in.model.polygons.appendVertex(p.currentHeader, v);
    if (p.subPathCount == 0) p.subPathFirst = idx;
    ++p.subPathCount;
    ++p.vertexCount;
}

// A straight vertex of the current polygon; the box grows by it.
void appendStraight(Interpreter& in, int32_t x, int32_t y, bool penUp) {
    if (bufferFull(in, 1)) return;
    PolyState& p = in.poly;
    appendToSubPath(in, makeVertex(x, y, penUp, kMarkOpen, kKindStraight, p.subPolygon));
    growHeaderBox(in.model.polygons.header(p.currentHeader), x, y);
    p.lastItemCircle = false;
}

// Closes the open sub-path when it has an edge: a closing vertex equal to its
// first vertex is appended unless the last one already equals it, and that
// vertex carries mark 2. The next vertex then opens a new sub-polygon.
void closeSubPath(Interpreter& in) {
    PolyState& p = in.poly;
    if (p.subPathCount < 2) return;
    PolygonBuffer& pb = in.model.polygons;
    const PolygonVertex first = pb.vertex(p.subPathFirst);
    PolygonVertex& last = pb.vertex(pb.header(p.currentHeader).last);
    if (last.x == first.x && last.y == first.y) {
        last.mark = kMarkClosing;
    } else if (!bufferFull(in, 1)) {
        pb.appendVertex(p.currentHeader, makeVertex(first.x, first.y, false, kMarkClosing,
                                                    kKindStraight, p.subPolygon));
        ++p.vertexCount;
    }
    if (p.subPolygon < INT32_MAX) ++p.subPolygon;
    p.subPathCount = 0;
    p.subPathFirst = kNoLink;
}

// A new header for a polygon built in one go (rectangles, wedges), with the
// fill-type flag and hatch angle of the moment. kNoLink when the buffer is full.
int32_t newHeader(Interpreter& in, int64_t vertices) {
    if (bufferFull(in, vertices)) return kNoLink;
    PolygonBuffer& pb = in.model.polygons;
    int32_t h = pb.addHeader();
    PolygonHeader& hd = pb.header(h);
    hd.flag = in.poly.fillType == FillKind::CrossHatch ? 0 : 1;
    hd.hatchAngle = in.poly.hatchAngle;
    return h;
}

void writeFillRecord(Interpreter& in, int32_t header) {
    in.model.write(rec::FillPolygon{0, header, in.coord.sX, in.coord.sY});
}

void writeEdgeRecord(Interpreter& in, int32_t header) {
    in.model.write(rec::EdgePolygon{header, in.coord.sX, in.coord.sY});
}

void writeFillType(Interpreter& in) {
    in.model.write(rec::FillType{uint8_t(in.poly.fillType), in.poly.hatchSpacing,
                                 Interpreter::roundSaturated(in.poly.hatchAngle * 100.0)});
}

// Pen up and a point at the current position after a rectangle or wedge, and
// the pen down again when it was down, so the list goes on as before.
void returnToPosition(Interpreter& in) {
    in.model.write(rec::PenUp{});
    in.writePoint(in.posX, in.posY);
    if (!in.penUp) in.model.write(rec::PenDown{});
}

// A circle of the given radius about the current position as a sub-path of its
// own in the current polygon.
void addCircleToPolygon(Interpreter& in, int32_t radius, uint8_t segments, const Box& box) {
    // The start on the rim: on the ellipse that unequal scales make of it.
    const double kx = in.coord.scaling ? std::fabs(in.coord.sX) : 1.0;
    int64_t rx = static_cast<int64_t>(in.posX) + static_cast<int64_t>(std::nearbyint(radius * kx));
    if (rx > INT32_MAX) {
        in.setPendingError();
        return;
    }
    if (bufferFull(in, 4)) return;
    PolyState& p = in.poly;
    PolygonBuffer& pb = in.model.polygons;
    if (p.subPathCount >= 2) {
        closeSubPath(in);
    } else if (p.subPathCount == 1) {
        // A lone vertex is only a move; the circle takes its place.
        pb.dropLastVertex(p.currentHeader);
        --p.vertexCount;
        p.subPathCount = 0;
        p.subPathFirst = kNoLink;
    }
    int32_t x = static_cast<int32_t>(rx);
    appendToSubPath(in, makeVertex(x, in.posY, true, kMarkOpen, kKindStraight, p.subPolygon));
    appendToSubPath(in, makeVertex(in.posX, in.posY, false, kMarkOpen, kKindCircleItem,
                                   p.subPolygon, segments));
    appendToSubPath(in, makeVertex(x, in.posY, false, kMarkClosing, kKindStraight, p.subPolygon));
    growHeaderBox(pb.header(p.currentHeader), box);
    if (p.subPolygon < INT32_MAX) ++p.subPolygon;
    p.subPathCount = 0;
    p.subPathFirst = kNoLink;
    p.lastItemCircle = true;
}

// An arc from the current position about (cx, cy) to (ex, ey) in the current
// polygon: the start (when the sub-path does not end there already), the arc
// item and the end point.
void addArcToPolygon(Interpreter& in, int32_t cx, int32_t cy, int32_t ex, int32_t ey, double sweep,
                     uint8_t segments, const Box& box) {
    PolyState& p = in.poly;
    PolygonBuffer& pb = in.model.polygons;
    int32_t last = pb.header(p.currentHeader).last;
    if (p.subPathCount == 0 || !pb.validVertex(last) || pb.vertex(last).x != in.posX ||
        pb.vertex(last).y != in.posY)
        addPolygonPoint(in, in.posX, in.posY);
    if (bufferFull(in, 2)) return;
    // An arc that comes back to its start after at least half a turn is a full
    // circle; its end point alone could not tell.
    bool full = ex == in.posX && ey == in.posY && std::fabs(sweep) >= 180.0;
    appendToSubPath(in,
                    makeVertex(cx, cy, in.penUp, kMarkOpen, full ? kKindCircleItem : kKindArcItem,
                               p.subPolygon, segments, sweep < 0 ? 1 : 0));
    appendToSubPath(in, makeVertex(ex, ey, in.penUp, kMarkOpen, kKindStraight, p.subPolygon));
    growHeaderBox(pb.header(p.currentHeader), box);
    p.lastItemCircle = false;
}

void arc(Interpreter& in, bool relative) {
    int32_t cx, cy;
    if (!readPoint(in, relative, cx, cy)) return;
    double sweep;
    if (!requiredReal(in, sweep)) return;
    if (!readChord(in)) return;

    double sx = in.posX, sy = in.posY;
    double vx = sx - cx, vy = sy - cy;
    double r = std::hypot(vx, vy);
    int32_t sweep1000;
    if (!in.roundToInt(sweep * 1000.0, sweep1000)) return;
    double turn = std::fmod(sweep, 360.0) * kDegToRad;
    double c = std::cos(turn), s = std::sin(turn);
    int32_t ex, ey;
    if (!in.roundToInt(cx + vx * c - vy * s, ex) || !in.roundToInt(cy + vx * s + vy * c, ey))
        return;
    uint8_t segments = segmentCount(in, r, sweep);
    double a0 = r > 0 ? std::atan2(vy, vx) / kDegToRad : 0.0;
    Box box = arcBox(cx, cy, r, a0, sweep, sx, sy, ex, ey);
    growExtents(in, box);

    if (in.poly.mode != PolygonMode::Off) {
        addArcToPolygon(in, cx, cy, ex, ey, sweep, segments, box);
    } else {
        if (in.coord.scaling)
            in.model.write(rec::ArcScaled{in.coord.sX, in.coord.sY, cx, cy, sweep1000, segments});
        else
            in.model.write(rec::Arc{cx, cy, sweep1000, segments});
    }
    in.posX = ex;
    in.posY = ey;
    in.resetLabelOrigin();
}

void beginPolygon(Interpreter& in) {
    if (bufferFull(in, 1)) return;
    PolyState& p = in.poly;
    // A second PM0 abandons the open polygon but keeps the pen state from
    // before polygon mode began, which PM2 restores.
    if (p.mode == PolygonMode::Off) p.savedPenUp = in.penUp;
    PolygonBuffer& pb = in.model.polygons;
    int32_t h = pb.addHeader();
    PolygonHeader& hd = pb.header(h);
    hd.boxXMin = hd.boxXMax = in.posX;
    hd.boxYMin = hd.boxYMax = in.posY;
    hd.flag = p.fillType == FillKind::CrossHatch ? 0 : 1;
    hd.hatchAngle = p.hatchAngle;
    p.currentHeader = h;
    p.vertexCount = 0;
    p.subPolygon = 0;
    p.subPathCount = 0;
    p.subPathFirst = kNoLink;
    p.mode = PolygonMode::Open;
    appendStraight(in, in.posX, in.posY, in.penUp);
}

void endPolygon(Interpreter& in) {
    PolyState& p = in.poly;
    if (p.mode == PolygonMode::Off) return;
    if (p.vertexCount > 0) {
        closeSubPath(in);
        PolygonBuffer& pb = in.model.polygons;
        const PolygonHeader& h = pb.header(p.currentHeader);
        in.model.extendExtents(h.boxXMin, h.boxYMin);
        in.model.extendExtents(h.boxXMax, h.boxYMax);
        if (!p.lastItemCircle && pb.validVertex(h.first)) {
            in.posX = pb.vertex(h.first).x;
            in.posY = pb.vertex(h.first).y;
            in.resetLabelOrigin();
        }
    }
    p.vertexCount = 0;
    p.subPathCount = 0;
    p.subPathFirst = kNoLink;
    p.lastItemCircle = false;
    p.mode = PolygonMode::Off;
    // The pen state from before PM0 returns, in the list as well, so that the
    // next move draws (or not) as the interpreter believes.
    if (in.penUp != p.savedPenUp) {
        in.penUp = p.savedPenUp;
        in.model.writePenState(in.penUp);
    }
}

} // namespace

void addPolygonPoint(Interpreter& in, int32_t x, int32_t y) {
    PolyState& p = in.poly;
    PolygonBuffer& pb = in.model.polygons;
    if (!pb.validHeader(p.currentHeader)) {
        in.model.appendPoint(x, y);
        return;
    }
    PolygonHeader& h = pb.header(p.currentHeader);
    // After PM1 a lone pen-up move that opens the sub-path gives way to the
    // next move: only the last move before drawing starts the sub-path.
    if (p.mode == PolygonMode::SubPathClosed && p.subPathCount == 1 && in.penUp &&
        pb.validVertex(h.last) && pb.vertex(h.last).penUp) {
        PolygonVertex& v = pb.vertex(h.last);
        v.x = x;
        v.y = y;
        growHeaderBox(h, x, y);
        p.lastItemCircle = false;
        return;
    }
    appendStraight(in, x, y, in.penUp);
}

void cmdCI(Interpreter& in, int) {
    double r;
    if (in.realParam(r) != Param::Value || !(r > 0)) return;
    if (in.coord.scaling) r = std::fabs(r * std::max(in.coord.fX, in.coord.fY));
    int32_t radius;
    if (!in.roundToInt(r, radius)) return;
    if (!readChord(in)) return;
    uint8_t segments = segmentCount(in, radius, 360.0);
    Box box;
    box.grow(static_cast<double>(in.posX) - radius, static_cast<double>(in.posY) - radius);
    box.grow(static_cast<double>(in.posX) + radius, static_cast<double>(in.posY) + radius);
    growExtents(in, box);
    if (in.poly.mode != PolygonMode::Off) {
        addCircleToPolygon(in, radius, segments, box);
        return;
    }
    if (in.coord.scaling)
        in.model.write(rec::CircleScaled{in.coord.sX, in.coord.sY, radius, segments});
    else
        in.model.write(rec::Circle{radius, segments});
}

void cmdAA(Interpreter& in, int) {
    arc(in, false);
}
void cmdAR(Interpreter& in, int) {
    arc(in, true);
}

void cmdArc3(Interpreter& in, int) {
    in.countHpgl2();
}

void cmdCT(Interpreter& in, int) {
    int32_t mode = 0;
    if (in.intParam(mode) == Param::Bad) return;
    if (mode == 0 || mode == 1)
        in.poly.chordMode = mode == 1 ? ChordMode::Deviation : ChordMode::Angle;
}

void cmdPM(Interpreter& in, int) {
    int32_t n = 0;
    if (in.intParam(n) == Param::Bad) return;
    PolyState& p = in.poly;
    switch (n) {
    case 0:
        beginPolygon(in);
        break;
    case 1:
        if (p.mode == PolygonMode::Off || p.vertexCount == 0) {
            p.mode = PolygonMode::Off;
            return;
        }
        closeSubPath(in);
        p.mode = PolygonMode::SubPathClosed;
        break;
    case 2:
        endPolygon(in);
        break;
    default:
        break;
    }
}

void cmdEP(Interpreter& in, int) {
    writeEdgeRecord(in, in.poly.currentHeader);
}

void cmdFP(Interpreter& in, int) {
    in.readParam();
    if (!in.tokenEmpty()) {
        int32_t method;
        if (!in.tokenToInt(method)) return;
        if (method < 0 || method > 2) return;
        in.countHpgl2(); // fill methods are HP-GL/2; all fill as method 0
    }
    writeFillRecord(in, in.poly.currentHeader);
}

void cmdRect(Interpreter& in, int selector) {
    const auto kind = static_cast<RectCommand>(selector);
    const bool fill = kind == RectCommand::FillAbsolute || kind == RectCommand::FillRelative;
    const bool relative = kind == RectCommand::FillRelative || kind == RectCommand::EdgeRelative;
    int32_t x1, y1;
    if (!readPoint(in, relative, x1, y1)) return;
    int32_t x0 = in.posX, y0 = in.posY;
    if (fill) {
        int32_t h = newHeader(in, 5);
        if (h == kNoLink) return;
        PolygonBuffer& pb = in.model.polygons;
        pb.appendVertex(h, makeVertex(x0, y0, true, kMarkOpen, kKindStraight, 0));
        pb.appendVertex(h, makeVertex(x1, y0, false, kMarkOpen, kKindStraight, 0));
        pb.appendVertex(h, makeVertex(x1, y1, false, kMarkOpen, kKindStraight, 0));
        pb.appendVertex(h, makeVertex(x0, y1, false, kMarkOpen, kKindStraight, 0));
        pb.appendVertex(h, makeVertex(x0, y0, false, kMarkClosing, kKindStraight, 0));
        PolygonHeader& hd = pb.header(h);
        hd.boxXMin = std::min(x0, x1);
        hd.boxYMin = std::min(y0, y1);
        hd.boxXMax = std::max(x0, x1);
        hd.boxYMax = std::max(y0, y1);
        in.model.extendExtents(hd.boxXMin, hd.boxYMin);
        in.model.extendExtents(hd.boxXMax, hd.boxYMax);
        writeFillRecord(in, h);
    } else {
        in.model.write(rec::PenDown{});
        in.writePoint(x1, y0);
        in.writePoint(x1, y1);
        in.writePoint(x0, y1);
        in.writePoint(x0, y0);
    }
    returnToPosition(in);
}

void cmdWedge(Interpreter& in, int selector) {
    double r;
    if (in.realParam(r) != Param::Value) return;
    double start, sweep;
    if (!requiredReal(in, start) || !requiredReal(in, sweep)) return;
    if (!readChord(in)) return;
    if (in.coord.scaling) r *= std::fabs(std::max(in.coord.fX, in.coord.fY));
    double a0 = rotateAngle(in, std::fmod(start, 360.0));
    if (r < 0) {
        // A negative radius puts the wedge on the opposite side of the centre.
        r = -r;
        a0 += 180.0;
    }
    sweep = std::clamp(sweep, -360.0, 360.0);
    double cx = in.posX, cy = in.posY;
    double a1 = (a0 + sweep) * kDegToRad;
    // The rim points lie on the ellipse that unequal scales make of the
    // circle; the render pass takes the factors out again to find the angles.
    const double kx = in.coord.scaling ? std::fabs(in.coord.sX) : 1.0;
    const double ky = in.coord.scaling ? std::fabs(in.coord.sY) : 1.0;
    int32_t sx, sy, ex, ey;
    if (!in.roundToInt(cx + r * kx * std::cos(a0 * kDegToRad), sx) ||
        !in.roundToInt(cy + r * ky * std::sin(a0 * kDegToRad), sy) ||
        !in.roundToInt(cx + r * kx * std::cos(a1), ex) ||
        !in.roundToInt(cy + r * ky * std::sin(a1), ey))
        return;
    int32_t h = newHeader(in, 5);
    if (h == kNoLink) return;
    uint8_t segments = segmentCount(in, r, sweep);
    bool full = std::fabs(sweep) >= 360.0;
    PolygonBuffer& pb = in.model.polygons;
    pb.appendVertex(h, makeVertex(in.posX, in.posY, true, kMarkOpen, kKindStraight, 0));
    pb.appendVertex(h, makeVertex(sx, sy, false, kMarkOpen, kKindStraight, 0));
    pb.appendVertex(h, makeVertex(in.posX, in.posY, false, kMarkOpen,
                                  full ? kKindCircleItem : kKindArcItem, 0, segments,
                                  sweep < 0 ? 1 : 0));
    pb.appendVertex(h, makeVertex(ex, ey, false, kMarkOpen, kKindStraight, 0));
    pb.appendVertex(h, makeVertex(in.posX, in.posY, false, kMarkClosing, kKindStraight, 0));
    Box box = arcBox(cx, cy, r, a0, sweep, sx, sy, ex, ey);
    box.grow(cx, cy);
    PolygonHeader& hd = pb.header(h);
    hd.boxXMin = hd.boxXMax = in.posX;
    hd.boxYMin = hd.boxYMax = in.posY;
    growHeaderBox(hd, box);
    growExtents(in, box);
    if (static_cast<WedgeCommand>(selector) == WedgeCommand::Fill)
        writeFillRecord(in, h);
    else
        writeEdgeRecord(in, h);
    returnToPosition(in);
}

void cmdFT(Interpreter& in, int) {
    int32_t t = 1;
    if (in.intParam(t) == Param::Bad) return;
    PolyState& p = in.poly;
    if (t == 1 || t == 2) {
        p.fillType = static_cast<FillKind>(t);
        p.hatchSpacing = p.defaultSolidSpacing;
        p.hatchAngle = rotateAngle(in, 0.0);
    } else if (t == 3 || t == 4) {
        const auto given = static_cast<FillKind>(t);
        FillKind type = given;
        int32_t spacing =
            std::max<int32_t>(4, Interpreter::roundSaturated(0.01 * in.p1p2Distance()));
        double angle = p.hatchAngle;
        double s = 0.0;
        Param ps = in.commandEnded() ? Param::Omitted : in.realParam(s);
        if (ps == Param::Bad) return;
        if (ps == Param::Value) {
            // In user units the spacing is scaled to plotter units and stored
            // negated, so that readers can tell.
            bool user = in.coord.scaling;
            int32_t rounded;
            if (!in.roundToInt(user ? s * std::fabs(in.coord.radiusFactor) : s, rounded)) return;
            if (rounded <= 0) {
                // No spacing: the solid fill of the same direction.
                type = given == FillKind::Hatch ? FillKind::SolidBidirectional : FillKind::Solid;
                spacing = 0;
                angle = 0.0;
            } else {
                spacing = user ? -rounded : rounded;
            }
        }
        if (type == given && !in.commandEnded()) {
            double a = 0.0;
            Param pa = in.realParam(a);
            if (pa == Param::Bad) return;
            if (pa == Param::Value) angle = rotateAngle(in, std::fmod(a, 360.0));
        }
        p.fillType = type;
        p.hatchSpacing = spacing;
        p.hatchAngle = angle;
    } else if (t == 10 || t == 11 || t == 22) {
        in.countHpgl2(); // shading and patterns are HP-GL/2; nothing changes
        return;
    } else {
        return;
    }
    writeFillType(in);
}

void cmdPT(Interpreter& in, int) {
    writeFillType(in);
}

} // namespace interp
