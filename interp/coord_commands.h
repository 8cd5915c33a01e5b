#pragma once
// Handlers and helpers of scaling points, user scaling, rotation, the input
// window and the plot size.

#include <cstdint>
#include <limits>
#include <type_traits>

namespace interp {

class Interpreter;

void cmdIP(Interpreter& in, int);
void cmdIR(Interpreter& in, int);
void cmdSC(Interpreter& in, int);
void cmdIW(Interpreter& in, int);
void cmdRO(Interpreter& in, int);
void cmdPS(Interpreter& in, int);

// -v; for integers the lowest value saturates to the highest instead of overflowing.
template <typename T> inline T negateSaturated(T v) {
    if constexpr (std::is_integral_v<T>) {
        if (v == std::numeric_limits<T>::min()) return std::numeric_limits<T>::max();
    }
    return -v;
}

// Turns (x, y) by the rotation (0, 90, 180, 270) about the origin. Integer
// values at the lowest 32-bit value saturate (see negateSaturated).
template <typename T> inline void rotatePoint(int rotation, T& x, T& y) {
    T ox = x, oy = y;
    switch (rotation) {
    case 90:
        x = negateSaturated(oy);
        y = ox;
        break;
    case 180:
        x = negateSaturated(ox);
        y = negateSaturated(oy);
        break;
    case 270:
        x = oy;
        y = negateSaturated(ox);
        break;
    default:
        break;
    }
}

// User units to plotter units (through the user window while scaling is on),
// rounded to nearest with ties to even. False when the result does not fit.
bool userToPlotter(Interpreter& in, double x, double y, int32_t& px, int32_t& py);

// An angle turned by the current rotation, reduced to -180..180.
double rotateAngle(const Interpreter& in, double degrees);

// Factors, offsets and float scales after a change of P1/P2 or rotation. The
// last SC is applied anew to the new P1/P2, so isotropic and point-factor
// scaling keep their kind; when it no longer fits (P1 and P2 met on an
// axis) the factors stay and only the offsets follow P1.
void recomputeScaling(Interpreter& in);
// Float scales and radius factor from fX, fY and the rotation.
void updateFloatScales(Interpreter& in);

// User scaling off: factors, float scales and radius factor 1.0 (IN, DF, SC).
void scalingOff(Interpreter& in);
// P1 and P2 take the given values (plotter units); the axis signs, the
// scaling and a relative character size follow.
void setScalingPoints(Interpreter& in, int32_t p1x, int32_t p1y, int32_t p2x, int32_t p2y);
// Clears the input window and writes the cleared input window record (IN, DF).
void clearInputWindow(Interpreter& in);

} // namespace interp
