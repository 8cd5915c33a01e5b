#pragma once
// Interpreter state of scaling points, user scaling, rotation, input window and plot size.

#include <cstdint>

namespace interp {

struct CoordState {
    int32_t hardClipW = 15120, hardClipH = 10760;   // plotter units
    int32_t defaultP2X = 15120, defaultP2Y = 10760;
    int32_t p1x = 0, p1y = 0, p2x = 15120, p2y = 10760;
    int signX = 1, signY = 1;  // -1 when P2 is not greater than P1 on that axis

    bool scaling = false;
    double fX = 1.0, fY = 1.0;  // plotter units per user unit
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;  // user window
    double oX = 0, oY = 0;      // user-unit offsets
    double radiusFactor = 1.0;
    float sX = 1.0f, sY = 1.0f; // float scales carried by circle, arc and polygon records

    int rotation = 0;  // 0, 90, 180, 270

    bool windowSet = false;
    int32_t windowRaw[4] = {2147483647, 2147483647, 2147483647, 2147483647};
    int32_t windowMin[2] = {0, 0};
    int32_t windowMax[2] = {0, 0};

    int paperOrientation = 90;  // 90 or 180
    bool plotSizeGiven = false;
};

}  // namespace interp
