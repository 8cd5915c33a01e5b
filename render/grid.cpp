#include "render/grid.h"

#include <algorithm>
#include <cmath>

#include "render/clip_segment.h"
#include "render/round.h"

namespace view {

namespace {

// Snaps a view edge to the grid through `origin` with `pitch`.
double snapEdge(double edge, double origin, double pitch) {
    if (pitch == 0.0) return edge;
    const double d = edge - origin;
    const double q = std::fabs(d) / pitch;
    double k = std::trunc(q);
    if (std::fabs(d) - k * pitch > pitch * 0.5) k += 1.0;
    return d < 0.0 ? origin - k * pitch : origin + k * pitch;
}

void dotGrid(Canvas& canvas, const ViewState& v, double ox, double oy, double px, double py,
             uint32_t colour) {
    px = std::fabs(px);
    py = std::fabs(py);
    double x0 = snapEdge(v.rX1, ox, px), y0 = snapEdge(v.rY1, oy, py);
    double x1 = snapEdge(v.rX2, ox, px), y1 = snapEdge(v.rY2, oy, py);
    if (x0 + 0.001 < v.rX1) x0 += px;
    if (y0 + 0.001 < v.rY1) y0 += py;
    if (x1 - 0.001 > v.rX2) x1 -= px;
    if (y1 - 0.001 > v.rY2) y1 -= py;
    if (x0 > x1 || y0 > y1) return;
    // A zero pitch gives a single column or row.
    const double cols = px > 0.0 ? std::trunc((x1 - x0 + 0.001) / px) + 1.0 : 1.0;
    const double rows = py > 0.0 ? std::trunc((y1 - y0 + 0.001) / py) + 1.0 : 1.0;
    if (cols >= 100.0 || rows >= 80.0) return;
    for (int j = 0; j < int(rows); ++j)
        for (int i = 0; i < int(cols); ++i) {
            const PixelPos p = mapToPixel(v, x0 + i * px, y0 + j * py);
            if (p.onWindow()) canvas.setPixel(p.x, p.y, colour);
        }
}

} // namespace

void DrawGrid(Canvas& canvas, ViewState& v, const settings::GridSettings& grid,
              const ViewValues& values, const interp::Extents& extent) {
    v.activateMirror(false);
    const int rotation = std::clamp(values.displayRotation, 1, 4);
    double px = grid.GridPitchX, py = grid.GridPitchY;
    if (rotation == 2 || rotation == 4) std::swap(px, py);
    double ox = grid.GridOriginX, oy = grid.GridOriginY;
    switch (rotation) {
    case 2: {
        const double t = ox;
        ox = -oy;
        oy = t;
        break;
    }
    case 3:
        ox = -ox;
        oy = -oy;
        break;
    case 4: {
        const double t = ox;
        ox = oy;
        oy = -t;
        break;
    }
    default:
        break;
    }
    if (values.mirror) ox = (double(extent.xMax) + double(extent.xMin)) - ox;

    dotGrid(canvas, v, ox, oy, px, py, grid.GridColorFine);
    if (grid.GridInterval > 1)
        dotGrid(canvas, v, ox, oy, px * grid.GridInterval, py * grid.GridInterval,
                grid.GridColorRough);

    // Origin cross, five pixels to each side, with a one-pixel pen.
    const double r = std::nearbyint(5.0 / v.scale);
    canvas.setPen(grid.GridColorRough, 1, RasterOp::Copy);
    // An arm reaching out of the window is cut to it; the inside part shows.
    auto line = [&](double xa, double ya, double xb, double yb) {
        double ax, ay, bx, by;
        deviceOffset(v, xa, ya, ax, ay);
        deviceOffset(v, xb, yb, bx, by);
        double t0 = 0.0, t1 = 1.0;
        const double dx = bx - ax, dy = by - ay;
        if (!clipSegment(ax, ay, dx, dy, -v.hwLimit, -v.hhLimit, v.hwLimit, v.hhLimit, t0, t1))
            return;
        canvas.moveTo(v.hw + roundInt(ax + t0 * dx), v.hh - roundInt(ay + t0 * dy));
        canvas.lineTo(v.hw + roundInt(ax + t1 * dx), v.hh - roundInt(ay + t1 * dy));
    };
    line(ox - r, oy, ox + r, oy);
    line(ox, oy - r, ox, oy + r);
}

} // namespace view
