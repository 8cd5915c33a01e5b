#include "view/window/navigation.h"

#include <algorithm>
#include <cmath>

namespace view {

int32_t clampToLimit(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, -kViewLimit, kViewLimit));
}

int32_t clampToLimit(double v) {
    if (!(v == v)) return 0;
    return int32_t(std::nearbyint(std::clamp(v, double(-kViewLimit), double(kViewLimit))));
}

ViewRect zoomUpRect(const ViewRect& r) {
    int64_t dx = r.width() / 4, dy = r.height() / 4;
    return {int32_t(r.X1 + dx), int32_t(r.Y1 + dy), int32_t(r.X2 - dx), int32_t(r.Y2 - dy)};
}

ViewRect zoomDownRect(const ViewRect& r) {
    int64_t dx = r.width() / 2, dy = r.height() / 2;
    return {clampToLimit(r.X1 - dx), clampToLimit(r.Y1 - dy), clampToLimit(r.X2 + dx),
            clampToLimit(r.Y2 + dy)};
}

namespace {
// Moves [lo, hi] by half its length in direction `dir`, stopping at the limit.
// A view already at or past the limit stays where it is: it never moves the
// other way, and both ends are kept within the limit.
void shiftAxis(int32_t& lo, int32_t& hi, int dir) {
    if (dir == 0) return;
    double d = (double(hi) - double(lo)) * 0.5;
    if (dir > 0)
        d = std::max(0.0, std::min(d, double(kViewLimit) - double(hi)));
    else
        d = -std::max(0.0, std::min(d, double(lo) + double(kViewLimit)));
    const int64_t step = int64_t(std::nearbyint(d));
    lo = clampToLimit(int64_t(lo) + step);
    hi = clampToLimit(int64_t(hi) + step);
}
} // namespace

ViewRect shiftRect(const ViewRect& r, int right, int up) {
    ViewRect n = r;
    shiftAxis(n.X1, n.X2, right);
    shiftAxis(n.Y1, n.Y2, up);
    return n;
}

void wheelPoint(const ViewRect& r, int px, int py, int clientWidth, int clientHeight, int32_t& x,
                int32_t& y) {
    double w = clientWidth > 0 ? clientWidth : 1, h = clientHeight > 0 ? clientHeight : 1;
    x = clampToLimit(int64_t(r.X1) + int64_t(std::nearbyint(px / w * double(r.width()))));
    y = clampToLimit(int64_t(r.Y1) + int64_t(std::nearbyint(py / h * double(r.height()))));
}

ViewRect wheelRect(const ViewRect& r, int notch, int32_t x, int32_t y) {
    int64_t a = (int64_t(x) - r.X1) / 4, b = (int64_t(r.X2) - x) / 4;
    int64_t c = (int64_t(y) - r.Y1) / 4, d = (int64_t(r.Y2) - y) / 4;
    if (notch > 0)
        return {clampToLimit(r.X1 + a), clampToLimit(r.Y1 + c), clampToLimit(r.X2 - b),
                clampToLimit(r.Y2 - d)};
    return {clampToLimit(r.X1 - a), clampToLimit(r.Y1 - c), clampToLimit(r.X2 + b),
            clampToLimit(r.Y2 + d)};
}

namespace {
// The part of a shift by `s` that keeps [lo, hi] within the limit, never of
// the opposite sign.
double allowedShift(int32_t lo, int32_t hi, double s) {
    if (s > 0) return std::max(0.0, std::min(s, double(kViewLimit) - double(hi)));
    if (s < 0) return std::min(0.0, std::max(s, -double(kViewLimit) - double(lo)));
    return 0.0;
}
} // namespace

ViewRect shiftRectBy(const ViewRect& r, double sx, double sy) {
    if (!(sx == sx)) sx = 0;
    if (!(sy == sy)) sy = 0;
    sx = allowedShift(r.X1, r.X2, sx);
    sy = allowedShift(r.Y1, r.Y2, sy);
    return {clampToLimit(r.X1 + sx), clampToLimit(r.Y1 + sy), clampToLimit(r.X2 + sx),
            clampToLimit(r.Y2 + sy)};
}

ViewRect clickZoomIn(const ViewRect& r, int32_t x, int32_t y) {
    int64_t w = r.width(), h = r.height();
    int32_t x1 = clampToLimit(x - w / 4), y1 = clampToLimit(y - h / 4);
    return {x1, y1, clampToLimit(x1 + w / 2), clampToLimit(y1 + h / 2)};
}

ViewRect clickZoomOut(const ViewRect& r, int32_t x, int32_t y) {
    int64_t w = r.width(), h = r.height();
    int64_t x1 = int64_t(x) - w, y1 = int64_t(y) - h;
    return {clampToLimit(x1), clampToLimit(y1), clampToLimit(x1 + 2 * w), clampToLimit(y1 + 2 * h)};
}

ViewRect dragZoomOut(const ViewRect& r, const ViewRect& area) {
    double w = double(r.width()), h = double(r.height());
    double aw = double(area.width()), ah = double(area.height());
    double sx = aw != 0 ? w / aw : double(kViewLimit);
    double sy = ah != 0 ? h / ah : double(kViewLimit);
    double s = std::min(sx, sy);
    double cx = double((int64_t(area.X1) + area.X2) / 2),
           cy = double((int64_t(area.Y1) + area.Y2) / 2);
    double hx = w * s / 2, hy = h * s / 2;
    return {clampToLimit(cx - hx), clampToLimit(cy - hy), clampToLimit(cx + hx),
            clampToLimit(cy + hy)};
}

ViewRect upDownZoom(const ViewRect& r, int dy) {
    int64_t d = r.width() / 16, e = r.height() / 16;
    if (dy < 1)
        return {clampToLimit(r.X1 - d), clampToLimit(r.Y1 - e), clampToLimit(r.X2 + d),
                clampToLimit(r.Y2 + e)};
    return {clampToLimit(r.X1 + d), clampToLimit(r.Y1 + e), clampToLimit(r.X2 - d),
            clampToLimit(r.Y2 - e)};
}

} // namespace view
