#pragma once
// Interpreter state of curves, polygon mode and fill.

#include <cstdint>

namespace interp {

struct PolyState {
    double chordValue = 0.0;  // last chord parameter, then the computed chord angle
    int chordMode = 0;        // CT: 0 = angle in degrees, 1 = deviation in plotter units

    int mode = 2;                // 2 = off, 0 = after PM0, 1 = after PM1
    int32_t currentHeader = -1;  // polygon begun by the last PM0
    int64_t vertexCount = 0;
    bool savedPenUp = true;      // pen-up flag at PM0
    int32_t subPolygon = 0;
    bool lastItemCircle = false;

    uint8_t fillType = 1;
    int32_t hatchSpacing = 12;    // negative when given in user units
    double hatchAngle = 0.0;      // degrees
    int32_t defaultSolidSpacing = 12;
};

}  // namespace interp
