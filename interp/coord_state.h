#pragma once
// Interpreter state of scaling points, user scaling, rotation, input window and plot size.

#include <cstdint>

namespace interp {

// SC's scaling type; the values are SC's type parameter.
enum class ScaleType : uint8_t { Anisotropic = 0, Isotropic = 1, PointFactor = 2 };

// The last accepted SC command as given, so that the scaling can be rebuilt
// the same way after P1/P2 or the paper change.
struct ScaleForm {
    ScaleType type = ScaleType::Anisotropic;
    double a = 0, b = 0;           // Xmin, Xmax (type 2: Xmin, fX)
    double c = 0, d = 0;           // Ymin, Ymax (type 2: Ymin, fY)
    double left = 50, bottom = 50; // isotropic placement, per cent
};

struct CoordState {
    int32_t hardClipW = 15120, hardClipH = 10760;   // plotter units
    int32_t defaultP2X = 15120, defaultP2Y = 10760; // the larger value in X
    int32_t p1x = 0, p1y = 0, p2x = 15120, p2y = 10760;
    int signX = 1, signY = 1; // -1 when P2 is not greater than P1 on that axis

    bool scaling = false;
    ScaleForm scale;                               // meaningful while scaling is on
    double fX = 1.0, fY = 1.0;                     // plotter units per user unit
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0; // user window
    double oX = 0, oY = 0;                         // user-unit offsets
    double radiusFactor = 1.0;
    float sX = 1.0f, sY = 1.0f; // float scales carried by circle, arc and polygon records

    int rotation = 0; // 0, 90, 180, 270

    bool windowSet = false;
    // Window as read (X1, Y1, X2, Y2), all 2147483647 while none is set.
    int32_t windowRaw[4] = {2147483647, 2147483647, 2147483647, 2147483647};
    // The window after rotation, ordered into minimum and maximum corner.
    int32_t windowMin[2] = {0, 0};
    int32_t windowMax[2] = {0, 0};

    int paperOrientation = 90;  // 90, or 180 when the paper is taller than wide
    bool plotSizeGiven = false; // PS with parameters seen during this load
};

} // namespace interp
