#include "render/view_state.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "render/clip_segment.h"
#include "render/round.h"

namespace view {

void ViewState::activateMirror(bool on) {
    mirrorActive = on;
    if (on) {
        X1 = mirroredX1;
        X2 = mirroredX2;
        rX1 = rMirroredX1;
        rX2 = rMirroredX2;
        centreX = mirroredCentreX;
    } else {
        X1 = normalX1;
        X2 = normalX2;
        rX1 = rNormalX1;
        rX2 = rNormalX2;
        centreX = normalCentreX;
    }
}

void ZoomPnt(ViewState& v, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int width, int height,
             const interp::Extents& extent) {
    // 64-bit on the way so that the widening and the aspect step cannot wrap.
    int64_t x1 = X1, y1 = Y1, x2 = X2, y2 = Y2;
    if (x1 == x2) x2 += 1;
    if (y1 == y2) y2 += 1;
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    v.clientWidth = width;
    v.clientHeight = height;
    v.hw = width / 2;
    v.hh = height / 2;
    double ratio = v.hw != 0 ? double(v.hh) / double(v.hw) : 0.0;
    if (!(ratio > 0.0)) ratio = 1.0;
    if (double(y2 - y1) > double(x2 - x1) * ratio)
        x2 = roundClamped(double(y2 - y1) / ratio + double(x1));
    else
        y2 = roundClamped(double(x2 - x1) * ratio + double(y1));
    if (x2 <= x1) x2 = x1 + 1;
    if (y2 <= y1) y2 = y1 + 1;
    v.X1 = int32_t(x1);
    v.Y1 = int32_t(y1);
    v.X2 = int32_t(x2);
    v.Y2 = int32_t(y2);
    v.rX1 = double(x1);
    v.rY1 = double(y1);
    v.rX2 = double(x2);
    v.rY2 = double(y2);
    const double hw = v.hw > 0 ? double(v.hw) : 0.5;
    const double w = double(x2 - x1);
    v.scale = 2.0 * hw / w;
    v.centreX = double(x1 + x2) * hw / w;
    v.centreY = double(y1 + y2) * hw / w;
    v.snap = 5.0 / v.scale;
    v.hwLimit = v.hw + 0.5;
    v.hhLimit = v.hh + 0.5;
    // Mirror copies: the rectangle reflected about the extent's centre line.
    const int64_t sum = int64_t(extent.xMin) + int64_t(extent.xMax);
    v.mirroredX1 = int32_t(std::clamp<int64_t>(sum - x2, INT32_MIN, INT32_MAX));
    v.mirroredX2 = int32_t(std::clamp<int64_t>(sum - x1, INT32_MIN, INT32_MAX));
    v.normalX1 = v.X1;
    v.normalX2 = v.X2;
    v.rMirroredX1 = double(sum - x2);
    v.rMirroredX2 = double(sum - x1);
    v.rNormalX1 = v.rX1;
    v.rNormalX2 = v.rX2;
    v.mirroredCentreX = (v.rMirroredX1 + v.rMirroredX2) * hw / (v.rMirroredX2 - v.rMirroredX1);
    v.normalCentreX = v.centreX;
    v.mirrorActive = false;
}

PixelPos mapToPixel(const ViewState& v, double x, double y) {
    double dx, dy;
    deviceOffset(v, x, y, dx, dy);
    PixelPos p;
    if (std::fabs(dx) > v.hwLimit || std::fabs(dy) > v.hhLimit || dx != dx || dy != dy) return p;
    p.x = v.hw + roundInt(dx);
    p.y = v.hh - roundInt(dy);
    return p;
}

WindowPiece cutToWindow(const ViewState& v, double ax, double ay, double bx, double by) {
    WindowPiece piece;
    double t0 = 0.0, t1 = 1.0;
    const double ddx = bx - ax, ddy = by - ay;
    piece.visible =
        ax == ax && ay == ay && bx == bx && by == by &&
        clipSegment(ax, ay, ddx, ddy, -v.hwLimit, -v.hhLimit, v.hwLimit, v.hhLimit, t0, t1);
    if (!piece.visible) return piece;
    const double cax = std::clamp(ax + t0 * ddx, -v.hwLimit, v.hwLimit);
    const double cay = std::clamp(ay + t0 * ddy, -v.hhLimit, v.hhLimit);
    const double cbx = std::clamp(ax + t1 * ddx, -v.hwLimit, v.hwLimit);
    const double cby = std::clamp(ay + t1 * ddy, -v.hhLimit, v.hhLimit);
    piece.x0 = v.hw + roundInt(cax);
    piece.y0 = v.hh - roundInt(cay);
    piece.x1 = v.hw + roundInt(cbx);
    piece.y1 = v.hh - roundInt(cby);
    return piece;
}

void pixelToPlotter(const ViewState& v, int px, int py, int32_t& x, int32_t& y) {
    x = roundClamped((px - v.hw + v.centreX) / v.scale);
    y = roundClamped((v.hh - py + v.centreY) / v.scale);
}

void pixelToPlotterMirrorAware(const ViewState& v, bool mirror, int px, int py, int32_t& x,
                               int32_t& y) {
    if (mirror)
        x = roundClamped((v.hw - px + v.mirroredCentreX) / v.scale);
    else
        x = roundClamped((px - v.hw + v.normalCentreX) / v.scale);
    y = roundClamped((v.hh - py + v.centreY) / v.scale);
}

} // namespace view
