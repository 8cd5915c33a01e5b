#pragma once
// Cutting a segment to an axis-aligned box (Liang-Barsky in doubles), as the
// render pass and the one-pixel rasterizer do before far coordinates could
// reach a canvas.

#include <algorithm>

namespace view {

// Narrows [t0, t1] to the part of the segment from (ax, ay) over (dx, dy)
// that lies in x0 <= x <= x1, y0 <= y <= y1. False when no part does.
inline bool clipSegment(double ax, double ay, double dx, double dy, double x0, double y0, double x1,
                        double y1, double& t0, double& t1) {
    const double lim[4] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
    const double dir[4] = {-dx, dx, -dy, dy};
    for (int k = 0; k < 4; ++k) {
        if (dir[k] == 0.0) {
            if (lim[k] < 0.0) return false;
            continue;
        }
        const double q = lim[k] / dir[k];
        if (dir[k] < 0.0)
            t0 = std::max(t0, q);
        else
            t1 = std::min(t1, q);
        if (t0 > t1) return false;
    }
    return true;
}

} // namespace view
