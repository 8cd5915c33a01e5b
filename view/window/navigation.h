#pragma once
// The arithmetic of the view commands: new view rectangles (plotter units) for
// zoom, shift, wheel, clicks and drags. Plain functions without windows, so the
// rules can be checked on their own.

#include <cstdint>

namespace view {

// Every coordinate a command computes stays within +-kViewLimit plotter units.
constexpr int32_t kViewLimit = 400000000;

struct ViewRect {
    int32_t X1 = 0, Y1 = 0, X2 = 1, Y2 = 1;
    int64_t width() const { return int64_t(X2) - X1; }
    int64_t height() const { return int64_t(Y2) - Y1; }
    bool operator==(const ViewRect&) const = default;
};

int32_t clampToLimit(int64_t v);
int32_t clampToLimit(double v); // rounded, ties to even

// Twice the magnification: each side moves in by a quarter of the extent.
ViewRect zoomUpRect(const ViewRect& r);
// Half the magnification: each side moves out by half the extent, clamped.
ViewRect zoomDownRect(const ViewRect& r);
// Shift by half the extent; `right` and `up` are -1, 0 or +1. Each axis is
// reduced so that it stops at the limit.
ViewRect shiftRect(const ViewRect& r, int right, int up);

// The wheel point (plotter units) of a pointer at (px, py) pixels from the
// client's bottom-left corner.
void wheelPoint(const ViewRect& r, int px, int py, int clientWidth, int clientHeight, int32_t& x,
                int32_t& y);
// One wheel notch at (x, y): +1 zooms in, -1 out (clamped).
ViewRect wheelRect(const ViewRect& r, int notch, int32_t x, int32_t y);

// Shift by (sx, sy) plotter units, each reduced so that no edge passes the
// limit; the four edges rounded.
ViewRect shiftRectBy(const ViewRect& r, double sx, double sy);

// Click with zoom-in armed: half the width and height around the point.
ViewRect clickZoomIn(const ViewRect& r, int32_t x, int32_t y);
// Click with zoom-out armed: twice the width and height around the point.
ViewRect clickZoomOut(const ViewRect& r, int32_t x, int32_t y);
// Rubber band with zoom-out armed: the view shrunk so that it would fit into
// `area`, centred on the area.
ViewRect dragZoomOut(const ViewRect& r, const ViewRect& area);
// Up-down drag: `dy` > 5 pixels up narrows by 1/16 per side, down widens.
ViewRect upDownZoom(const ViewRect& r, int dy);

} // namespace view
