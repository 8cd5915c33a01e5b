#include "view/vector_page.h"

#include <algorithm>
#include <cmath>

namespace view {

void vectorCanvasSize(const interp::Extents& e, int& width, int& height) {
    constexpr double kMinSide = 4096.0, kMaxSide = 4194304.0;
    const double w = e.valid() ? std::max(1.0, double(e.xMax) - double(e.xMin)) : 1.0;
    const double h = e.valid() ? std::max(1.0, double(e.yMax) - double(e.yMin)) : 1.0;
    const double longSide = std::max(w, h);
    const double f = std::clamp(longSide, kMinSide, kMaxSide) / longSide;
    // Even sizes keep the view's centre on a whole pixel.
    width = std::max(2, 2 * int(std::lround(w * f / 2.0)));
    height = std::max(2, 2 * int(std::lround(h * f / 2.0)));
}

} // namespace view
