#include "coord_commands.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "interp/interpreter.h"
#include "interp/label_commands.h"

namespace interp {

namespace {

constexpr int32_t kDefaultWidth = 15120; // plotter units, hard clip and P2
constexpr int32_t kDefaultHeight = 10760;

bool fits32(int64_t v) {
    return v >= INT32_MIN && v <= INT32_MAX;
}

// A double as a 32-bit float, held inside the float range so that huge
// factor ratios never make an out-of-range conversion.
float toFloat(double v) {
    if (std::isnan(v)) return 0.0f;
    return static_cast<float>(
        std::clamp(v, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

// Reads up to `max` real parameters. Returns how many were read, or -1 when a
// value was bad (pending error set) or an empty parameter stood before the
// command's end. Never reads past the command's end.
int readReals(Interpreter& in, double* v, int max) {
    int n = 0;
    while (n < max) {
        Param p = in.realParam(v[n]);
        if (p == Param::Bad) return -1;
        if (p == Param::Omitted) return in.commandEnded() ? n : -1;
        ++n;
        if (in.commandEnded()) break;
    }
    return n;
}

// Factors and user window of an SC form under the current P1/P2. False, with
// nothing changed, when the form is degenerate.
bool applyScaleForm(CoordState& c, const ScaleForm& f) {
    const double spanX = static_cast<double>(c.p2x) - c.p1x;
    const double spanY = static_cast<double>(c.p2y) - c.p1y;
    double xMin = f.a, yMin = f.c, xMax, yMax, fx, fy;
    if (f.type == ScaleType::PointFactor) {
        fx = f.b;
        fy = f.d;
        if (fx == 0.0 || fy == 0.0) return false;
        xMax = spanX / fx + xMin;
        yMax = spanY / fy + yMin;
    } else {
        xMax = f.b;
        yMax = f.d;
        if (xMin == xMax || yMin == yMax || spanX == 0.0 || spanY == 0.0) return false;
        fx = spanX / (xMax - xMin);
        fy = spanY / (yMax - yMin);
        if (f.type == ScaleType::Isotropic) {
            // The smaller factor (by size; each axis keeps its direction) serves
            // both axes; the other axis's range is placed inside the spare room
            // by the left or bottom per cent.
            if (std::fabs(fx) < std::fabs(fy)) {
                fy = std::copysign(std::fabs(fx), fy);
                if (fy == 0.0) return false;
                double d = (spanY / fy - (yMax - yMin)) * f.bottom * 0.01;
                yMin -= d;
                yMax -= d;
            } else {
                fx = std::copysign(std::fabs(fy), fx);
                if (fx == 0.0) return false;
                double d = (spanX / fx - (xMax - xMin)) * f.left * 0.01;
                xMin -= d;
                xMax -= d;
            }
        }
    }
    if (!std::isfinite(fx) || !std::isfinite(fy) || !std::isfinite(xMax) || !std::isfinite(yMax) ||
        !std::isfinite(xMin) || !std::isfinite(yMin))
        return false;
    c.fX = fx;
    c.fY = fy;
    c.xMin = xMin;
    c.xMax = xMax;
    c.yMin = yMin;
    c.yMax = yMax;
    return true;
}

void updateOffsets(CoordState& c) {
    // The factors are never 0 while scaling is on.
    c.oX = c.xMin - c.p1x / c.fX;
    c.oY = c.yMin - c.p1y / c.fY;
}

// The raw window turned by the rotation and ordered into its corners; the
// clamp of the page box follows.
void placeWindow(Interpreter& in) {
    CoordState& c = in.coord;
    int32_t x1 = c.windowRaw[0], y1 = c.windowRaw[1], x2 = c.windowRaw[2], y2 = c.windowRaw[3];
    rotatePoint(c.rotation, x1, y1);
    rotatePoint(c.rotation, x2, y2);
    c.windowMin[0] = std::min(x1, x2);
    c.windowMin[1] = std::min(y1, y2);
    c.windowMax[0] = std::max(x1, x2);
    c.windowMax[1] = std::max(y1, y2);
    in.model.setInputWindowClamp(c.windowSet, c.windowMin[0], c.windowMin[1], c.windowMax[0],
                                 c.windowMax[1]);
}

void writeWindowRecord(Interpreter& in) {
    const CoordState& c = in.coord;
    if (c.windowSet)
        in.model.write(
            rec::InputWindow{c.windowMin[0], c.windowMin[1], c.windowMax[0], c.windowMax[1]});
    else
        in.model.write(
            rec::InputWindow{kNoInputWindow, kNoInputWindow, kNoInputWindow, kNoInputWindow});
}

// A plot size of length x width: hard clip, default P2 (larger value in X),
// P1/P2, the label size and direction, the paper orientation and the flag.
void applyPlotSize(Interpreter& in, int32_t length, int32_t width) {
    CoordState& c = in.coord;
    c.hardClipW = length;
    c.hardClipH = width;
    c.defaultP2X = std::max(length, width);
    c.defaultP2Y = std::min(length, width);
    setScalingPoints(in, 0, 0, c.defaultP2X, c.defaultP2Y);
    recomputeDirection(in);
    c.paperOrientation = length < width ? 180 : 90;
    c.plotSizeGiven = true;
}

} // namespace

bool userToPlotter(Interpreter& in, double x, double y, int32_t& px, int32_t& py) {
    const CoordState& c = in.coord;
    double fx = x, fy = y;
    if (c.scaling) {
        fx = (x - c.oX) * c.fX;
        fy = (y - c.oY) * c.fY;
    }
    double rx = std::nearbyint(fx), ry = std::nearbyint(fy);
    if (!(rx >= -2147483648.0 && rx <= 2147483647.0 && ry >= -2147483648.0 && ry <= 2147483647.0))
        return false;
    px = static_cast<int32_t>(rx);
    py = static_cast<int32_t>(ry);
    return true;
}

double rotateAngle(const Interpreter& in, double a) {
    if (in.coord.rotation == 0) return a;
    a += in.coord.rotation;
    a = std::fmod(a, 360.0);
    if (a > 180.0) a -= 360.0;
    if (a < -180.0) a += 360.0;
    return a;
}

void updateFloatScales(Interpreter& in) {
    CoordState& c = in.coord;
    if (c.fX <= c.fY) {
        c.radiusFactor = c.fY;
        c.sY = 1.0f;
        c.sX = toFloat(c.fX / c.fY);
    } else {
        c.radiusFactor = c.fX;
        c.sX = 1.0f;
        c.sY = toFloat(c.fY / c.fX);
    }
    if (c.rotation == 90 || c.rotation == 270) {
        std::swap(c.sX, c.sY);
        c.radiusFactor = std::min(c.fX, c.fY);
    }
}

void recomputeScaling(Interpreter& in) {
    CoordState& c = in.coord;
    if (!c.scaling) return;
    applyScaleForm(c, c.scale);
    updateOffsets(c);
    updateFloatScales(in);
}

void scalingOff(Interpreter& in) {
    CoordState& c = in.coord;
    c.scaling = false;
    c.fX = c.fY = 1.0;
    c.oX = c.oY = 0.0;
    c.radiusFactor = 1.0;
    c.sX = c.sY = 1.0f;
}

void setScalingPoints(Interpreter& in, int32_t p1x, int32_t p1y, int32_t p2x, int32_t p2y) {
    CoordState& c = in.coord;
    c.p1x = p1x;
    c.p1y = p1y;
    c.p2x = p2x;
    c.p2y = p2y;
    c.signX = p2x <= p1x ? -1 : 1;
    c.signY = p2y <= p1y ? -1 : 1;
    recomputeScaling(in);
    recomputeRelativeSize(in);
}

void clearInputWindow(Interpreter& in) {
    CoordState& c = in.coord;
    c.windowSet = false;
    for (int32_t& v : c.windowRaw)
        v = kNoInputWindow;
    in.model.setInputWindowClamp(false, 0, 0, 0, 0);
    writeWindowRecord(in);
}

void cmdIP(Interpreter& in, int) {
    double v[4];
    int n = readReals(in, v, 4);
    if (n < 0) return;
    CoordState& c = in.coord;
    if (n == 0) {
        setScalingPoints(in, 0, 0, c.defaultP2X, c.defaultP2Y);
        return;
    }
    if (n != 2 && n != 4) return; // a lone X: no change
    int32_t r[4];
    for (int k = 0; k < n; ++k)
        if (!in.roundToInt(v[k], r[k])) return;
    if (n == 2) {
        // P2 keeps its place relative to P1.
        int64_t p2x = static_cast<int64_t>(c.p2x) + r[0] - c.p1x;
        int64_t p2y = static_cast<int64_t>(c.p2y) + r[1] - c.p1y;
        if (!fits32(p2x) || !fits32(p2y)) {
            in.setPendingError();
            return;
        }
        setScalingPoints(in, r[0], r[1], static_cast<int32_t>(p2x), static_cast<int32_t>(p2y));
        return;
    }
    setScalingPoints(in, r[0], r[1], r[2], r[3]);
}

void cmdIR(Interpreter& in, int) {
    in.countHpgl2();
}

void cmdSC(Interpreter& in, int) {
    ScaleForm f;
    double v[4];
    int n = readReals(in, v, 4);
    if (n < 0) return;
    if (n == 0) {
        scalingOff(in);
        return;
    }
    if (n < 4) return;
    f.a = v[0];
    f.b = v[1];
    f.c = v[2];
    f.d = v[3];
    if (!in.commandEnded()) {
        int32_t type;
        Param p = in.intParam(type);
        if (p == Param::Bad) return;
        if (p == Param::Value) {
            if (type < 0 || type > 2) return;
            f.type = static_cast<ScaleType>(type);
        }
        if (f.type == ScaleType::Isotropic && p == Param::Value) {
            double* place[2] = {&f.left, &f.bottom};
            for (double* q : place) {
                if (in.commandEnded()) break;
                double pc;
                Param pp = in.realParam(pc);
                if (pp == Param::Bad) return;
                if (pp == Param::Value) {
                    if (!(pc >= 0.0 && pc <= 100.0)) return;
                    *q = pc;
                }
            }
        }
    }
    CoordState& c = in.coord;
    if (!applyScaleForm(c, f)) return;
    c.scale = f;
    c.scaling = true;
    updateOffsets(c);
    updateFloatScales(in);
}

void cmdIW(Interpreter& in, int) {
    double v[4];
    int n = readReals(in, v, 4);
    if (n < 0) return;
    if (n == 0) {
        clearInputWindow(in);
        return;
    }
    if (n < 4) return;
    int32_t r[4];
    for (int k = 0; k < 4; ++k)
        if (!in.roundToInt(v[k], r[k])) return;
    CoordState& c = in.coord;
    std::copy(r, r + 4, c.windowRaw);
    c.windowSet = true;
    placeWindow(in);
    writeWindowRecord(in);
}

void cmdRO(Interpreter& in, int) {
    int32_t r = 0;
    Param p = in.intOrRealParam(r);
    if (p == Param::Bad) return;
    if (p == Param::Omitted) r = 0;
    if (r != 0 && r != 90 && r != 180 && r != 270) return;
    CoordState& c = in.coord;
    if (r == c.rotation) return;
    c.rotation = r;
    recomputeDirection(in);
    if (c.windowSet) {
        placeWindow(in);
        writeWindowRecord(in);
    }
    // With the paper shown, the page box takes in the paper corner of the new
    // turn; an empty box stays empty so that a page without drawing does not count.
    PaperCorner corner = in.paperCorner();
    Extents& box = in.model.buildingExtents();
    if (corner.apply && box.xMin <= box.xMax && box.yMin <= box.yMax) {
        int32_t cx = corner.width, cy = corner.height;
        if (r == 90 || r == 180) cx = negateSaturated(cx);
        if (r == 180 || r == 270) cy = negateSaturated(cy);
        box.grow(cx, cy);
    }
    // Between upright and sideways the float scales change places.
    updateFloatScales(in);
}

void cmdPS(Interpreter& in, int) {
    int32_t n;
    Param p = in.intOrRealParam(n);
    if (p == Param::Bad) return;
    CoordState& c = in.coord;
    if (p == Param::Omitted) {
        c.hardClipW = c.defaultP2X = kDefaultWidth;
        c.hardClipH = c.defaultP2Y = kDefaultHeight;
        c.paperOrientation = 90;
        setScalingPoints(in, 0, 0, kDefaultWidth, kDefaultHeight);
        return;
    }
    if (n < 0) return;
    int32_t length, width;
    int32_t w = 0;
    Param pw = in.commandEnded() ? Param::Omitted : in.intOrRealParam(w);
    if (pw == Param::Bad) return;
    if (pw == Param::Value) {
        if (w <= 0) return;
        length = n;
        width = w;
    } else if (n <= 3) {
        length = 16800;
        width = 11880;
    } else if (n <= 127) {
        length = 11880;
        width = 8400;
    } else {
        length = n;
        width = kDefaultHeight;
    }
    applyPlotSize(in, length, width);
}

} // namespace interp
