#include "coord_commands.h"

#include <cmath>

#include "interp/interpreter.h"

namespace interp {

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
        c.sX = static_cast<float>(c.fX / c.fY);
    } else {
        c.radiusFactor = c.fX;
        c.sX = 1.0f;
        c.sY = static_cast<float>(c.fY / c.fX);
    }
    if (c.rotation == 90 || c.rotation == 270) {
        std::swap(c.sX, c.sY);
        c.radiusFactor = std::min(c.fX, c.fY);
    }
}

void recomputeScaling(Interpreter&) {}

void cmdIP(Interpreter&, int) {}
void cmdIR(Interpreter& in, int) { in.countHpgl2(); }
void cmdSC(Interpreter&, int) {}
void cmdIW(Interpreter&, int) {}
void cmdRO(Interpreter&, int) {}
void cmdPS(Interpreter&, int) {}

}  // namespace interp
