// Circles and arcs of the render pass, drawn as chords.

#include <algorithm>
#include <cmath>

#include "render/render_pass.h"
#include "render/round.h"

namespace view {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

void RenderPass::drawCircle(int32_t radius, int segments) {
    const double fx = st_.ellipse ? st_.ellipseX : 1.0, fy = st_.ellipse ? st_.ellipseY : 1.0;
    const double r = radius;
    const double X = st_.curX, Y = st_.curY;
    const double ex = std::fabs(r * fx), ey = std::fabs(r * fy);
    if (!boxTouchesView(X - ex, Y - ey, X + ex, Y + ey)) return;
    if (std::fabs(r) * view_.scale < 2.0) {
        MoveTo(X, Y);
        LineTo(X, Y);
        return;
    }
    const double n0 = std::nearbyint(2.0 * kPi * std::fabs(r) / view_.snap);
    int n = n0 > 180.0 ? 180 : n0 < 4.0 ? 4 : int(n0);
    n = std::min(n, std::max(segments, 1));
    const double step = 2.0 * kPi / n;
    const double cs = std::cos(step), sn = std::sin(step);
    std::vector<PointD> pts;
    pts.reserve(size_t(n) + 1);
    pts.push_back({X, Y + r * fy});
    double s = 0.0, c = 1.0;
    for (int k = 1; k <= n; ++k) {
        const double ns = s * cs + c * sn;
        const double nc = c * cs - s * sn;
        s = ns;
        c = nc;
        pts.push_back({X + r * fx * s, Y + r * fy * c});
    }
    drawPolylinePu(pts);
}

void RenderPass::drawArc(int32_t cx, int32_t cy, int32_t sweep1000, int segments) {
    double sweep = sweep1000 * 0.001;
    if (sweep == 360.0) sweep = 359.9;
    if (sweep == -360.0) sweep = -359.9;
    double fx = st_.ellipse ? st_.ellipseX : 1.0, fy = st_.ellipse ? st_.ellipseY : 1.0;
    if (fx == 0.0 || !std::isfinite(fx)) fx = 1.0;
    if (fy == 0.0 || !std::isfinite(fy)) fy = 1.0;
    // The start angle and radius of the unscaled arc: the offset to the
    // current position with the factors taken out.
    const double ox = (st_.curX - cx) / fx, oy = (st_.curY - cy) / fy;
    const double radius = std::hypot(ox, oy);
    const double start = std::atan2(oy, ox) * 180.0 / kPi;
    auto at = [&](double deg) {
        const double a = deg * kPi / 180.0;
        return PointD{cx + fx * radius * std::cos(a), cy + fy * radius * std::sin(a)};
    };
    if (st_.penVisible && st_.penDown && radius * view_.scale >= 1.0) {
        MoveTo(st_.curX, st_.curY);
        const double ex = std::fabs(radius * fx), ey = std::fabs(radius * fy);
        if (!boxTouchesView(cx - ex, cy - ey, cx + ex, cy + ey)) {
            const PointD e = at(start + sweep);
            MoveTo(e.x, e.y);
        } else {
            auto wrap = [](double a) {
                a = std::fmod(a, 360.0);
                if (a > 180.0) a -= 360.0;
                if (a < -180.0) a += 360.0;
                return a;
            };
            const double a0 = wrap(start);
            double a1 = wrap(start + sweep);
            if (a0 == a1) {
                LineTo(st_.curX, st_.curY);
            } else {
                if (sweep > 0.0 && a1 < a0) a1 += 360.0;
                if (sweep < 0.0 && a1 > a0) a1 -= 360.0;
                const double phi = std::clamp(view_.snap / radius, 0.0314159, 1.57);
                int n = int(std::nearbyint(std::fabs(a1 - a0) * kPi / 180.0 / phi));
                n = std::max(n, 2);
                n = std::max(1, std::min(n, segments));
                std::vector<PointD> pts;
                pts.reserve(size_t(n) + 1);
                pts.push_back({st_.curX, st_.curY});
                for (int k = 1; k <= n; ++k)
                    pts.push_back(at(a0 + (a1 - a0) * k / n));
                drawPolylinePu(pts);
            }
        }
    }
    const PointD e = at(start + sweep);
    st_.curX = st_.prevX = roundClamped(e.x);
    st_.curY = st_.prevY = roundClamped(e.y);
}

} // namespace view
