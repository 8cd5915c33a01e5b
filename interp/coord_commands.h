#pragma once
// Handlers and helpers of scaling points, user scaling, rotation, the input
// window and the plot size.

#include <cstdint>

namespace interp {

class Interpreter;

void cmdIP(Interpreter& in, int);
void cmdIR(Interpreter& in, int);
void cmdSC(Interpreter& in, int);
void cmdIW(Interpreter& in, int);
void cmdRO(Interpreter& in, int);
void cmdPS(Interpreter& in, int);

// Turns (x, y) by the rotation (0, 90, 180, 270) about the origin.
template <typename T>
inline void rotatePoint(int rotation, T& x, T& y) {
    T ox = x, oy = y;
    switch (rotation) {
        case 90: x = -oy; y = ox; break;
        case 180: x = -ox; y = -oy; break;
        case 270: x = oy; y = -ox; break;
        default: break;
    }
}

// User units to plotter units (through the user window while scaling is on),
// rounded to nearest with ties to even. False when the result does not fit.
bool userToPlotter(Interpreter& in, double x, double y, int32_t& px, int32_t& py);

// An angle turned by the current rotation, reduced to -180..180.
double rotateAngle(const Interpreter& in, double degrees);

// Factors, offsets and float scales after a change of P1/P2 or rotation.
void recomputeScaling(Interpreter& in);
// Float scales and radius factor from fX, fY and the rotation.
void updateFloatScales(Interpreter& in);

}  // namespace interp
