#include "view/ring_path.h"

#include <algorithm>

namespace view {

QPainterPath ringPath(const PointD* points, const int* partSizes, int parts, FillRule rule) {
    QPainterPath path;
    path.setFillRule(rule == FillRule::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    const PointD* ring = points;
    for (int k = 0; k < parts; ++k) {
        const int n = partSizes[k];
        if (n >= 2) {
            path.moveTo(ring[0].x, ring[0].y);
            for (int i = 1; i < n; ++i)
                path.lineTo(ring[i].x, ring[i].y);
            path.closeSubpath();
        }
        ring += std::max(0, n);
    }
    return path;
}

} // namespace view
