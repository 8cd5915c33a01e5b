#pragma once
// Interpreter state of curves, polygon mode and fill: the chord tolerance, the
// polygon being built and the fill type that fill records and polygons carry.

#include <cstdint>

#include "interp/record_codes.h"

namespace interp {

// CT: the chord value is an angle in degrees, or the largest deviation of a
// chord from the curve in plotter units.
enum class ChordMode : uint8_t { Angle, Deviation };

// Polygon mode: off, building after PM0, or after PM1 closed a sub-polygon.
enum class PolygonMode : uint8_t { Off, Open, SubPathClosed };

struct PolyState {
    double chordValue = 0.0; // last chord parameter, then the computed chord angle
    ChordMode chordMode = ChordMode::Angle;

    PolygonMode mode = PolygonMode::Off;
    int32_t currentHeader = -1;  // polygon begun by the last PM0, -1 before any
    int64_t vertexCount = 0;     // vertices of the polygon being built
    bool savedPenUp = true;      // pen-up flag before polygon mode began
    int32_t subPolygon = 0;      // number given to the vertices of the open sub-path
    bool lastItemCircle = false; // the last item added was a circle
    int32_t subPathFirst = -1;   // first vertex of the open sub-path, -1 while empty
    int64_t subPathCount = 0;    // vertices of the open sub-path

    FillKind fillType = FillKind::SolidBidirectional;
    int32_t hatchSpacing = 12; // plotter units; negative when given in user units
    double hatchAngle = 0.0;   // degrees
    int32_t defaultSolidSpacing = 12;
};

} // namespace interp
