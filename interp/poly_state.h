#pragma once
// Interpreter state of curves, polygon mode and fill: the chord tolerance, the
// polygon being built and the fill type that fill records and polygons carry.

#include <cstdint>

namespace interp {

struct PolyState {
    double chordValue = 0.0; // last chord parameter, then the computed chord angle
    int chordMode = 0;       // CT: 0 = angle in degrees, 1 = deviation in plotter units

    int mode = 2;                // 2 = off, 0 = after PM0, 1 = after PM1
    int32_t currentHeader = -1;  // polygon begun by the last PM0, -1 before any
    int64_t vertexCount = 0;     // vertices of the polygon being built
    bool savedPenUp = true;      // pen-up flag before polygon mode began
    int32_t subPolygon = 0;      // number given to the vertices of the open sub-path
    bool lastItemCircle = false; // the last item added was a circle
    int32_t subPathFirst = -1;   // first vertex of the open sub-path, -1 while empty
    int64_t subPathCount = 0;    // vertices of the open sub-path

    uint8_t fillType = 1;
    int32_t hatchSpacing = 12; // plotter units; negative when given in user units
    double hatchAngle = 0.0;   // degrees
    int32_t defaultSolidSpacing = 12;
};

} // namespace interp
