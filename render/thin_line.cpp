#include "render/thin_line.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "render/clip_segment.h"

namespace view {

namespace {

// Bresenham over the pixels from (x, y) towards (x + dx, y + dy), end left
// out, every pixel checked against the clip box.
template <class Op>
void runChecked(const PixelSurface& t, const ClipBox& clip, int x, int y, int dx, int dy,
                uint32_t c) {
    const int sx = dx < 0 ? -1 : 1;
    const int sy = dy < 0 ? -1 : 1;
    const int ax = std::abs(dx);
    const int ay = std::abs(dy);
    const long long stride = t.stride;
    const bool xMajor = ax >= ay;
    const int steps = xMajor ? ax : ay;
    const int minor = xMajor ? ay : ax;
    int err = 2 * minor - steps;
    int& ma = xMajor ? x : y;
    int& mi = xMajor ? y : x;
    const int maStep = xMajor ? sx : sy;
    const int miStep = xMajor ? sy : sx;
    for (int i = 0; i < steps; ++i) {
        if (x >= clip.x0 && x < clip.x1 && y >= clip.y0 && y < clip.y1)
            Op::apply(t.bits[y * stride + x], c);
        if (err > 0) {
            mi += miStep;
            err -= 2 * steps;
        }
        err += 2 * minor;
        ma += maStep;
    }
}

template <class Op>
void dispatch(const PixelSurface& t, const ClipBox& clip, int xa, int ya, int xb, int yb,
              uint32_t c) {
    const bool inside = std::min(xa, xb) >= clip.x0 && std::max(xa, xb) < clip.x1 &&
                        std::min(ya, yb) >= clip.y0 && std::max(ya, yb) < clip.y1;
    if (inside)
        lineInside<Op>(t.bits, t.stride, xa, ya, xb - xa, yb - ya, c);
    else
        runChecked<Op>(t, clip, xa, ya, xb - xa, yb - ya, c);
}

// Cuts the segment down to the box widened by `margin` (Liang-Barsky in
// doubles). False when nothing of it is near the box.
bool cutToBox(const ClipBox& clip, int margin, int& xa, int& ya, int& xb, int& yb) {
    const double x0 = xa, y0 = ya, ddx = double(xb) - xa, ddy = double(yb) - ya;
    double t0 = 0.0, t1 = 1.0;
    if (!clipSegment(x0, y0, ddx, ddy, clip.x0 - margin, clip.y0 - margin, clip.x1 + margin,
                     clip.y1 + margin, t0, t1))
        return false;
    const int nxa = int(std::lround(x0 + t0 * ddx)), nya = int(std::lround(y0 + t0 * ddy));
    const int nxb = int(std::lround(x0 + t1 * ddx)), nyb = int(std::lround(y0 + t1 * ddy));
    xa = nxa;
    ya = nya;
    xb = nxb;
    yb = nyb;
    return true;
}

} // namespace

void drawThinLine(const PixelSurface& t, int xa, int ya, int xb, int yb, uint32_t rgb,
                  RasterOp op) {
    const ClipBox& clip = t.clip;
    if (clip.x0 >= clip.x1 || clip.y0 >= clip.y1 || !t.bits) return;
    constexpr int kFar = 4096;
    if (std::min(xa, xb) < clip.x0 - kFar || std::max(xa, xb) > clip.x1 + kFar ||
        std::min(ya, yb) < clip.y0 - kFar || std::max(ya, yb) > clip.y1 + kFar) {
        // Keep the end exclusive only when the end itself survives the cut.
        if (!cutToBox(clip, 2, xa, ya, xb, yb)) return;
    }
    switch (op) {
    case RasterOp::Copy:
        dispatch<OpCopy>(t, clip, xa, ya, xb, yb, rgb);
        break;
    case RasterOp::Merge:
        dispatch<OpMerge>(t, clip, xa, ya, xb, yb, rgb & 0x00FFFFFFu);
        break;
    case RasterOp::Mask:
        dispatch<OpMask>(t, clip, xa, ya, xb, yb, rgb | 0xFF000000u);
        break;
    case RasterOp::Xor:
        dispatch<OpXor>(t, clip, xa, ya, xb, yb, rgb & 0x00FFFFFFu);
        break;
    }
}

} // namespace view
