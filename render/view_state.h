#pragma once
// The view arithmetic of one drawing window: the rectangle of the drawing it
// shows (plotter units), the uniform scale into the client area, the mirror
// copies, and the mapping of plotter units to pixels and back.

#include <cstdint>

#include "interp/extents.h"

namespace view {

// Marks a point that maps outside the window.
constexpr int32_t kOffWindow = 2147483647;

struct ViewState {
    // Active view rectangle, X1 < X2, Y1 < Y2 (plotter units).
    int32_t X1 = 0, Y1 = 0, X2 = 1, Y2 = 1;
    int32_t mirroredX1 = 0, mirroredX2 = 1;
    int32_t normalX1 = 0, normalX2 = 1;
    double rX1 = 0.0, rY1 = 0.0, rX2 = 1.0, rY2 = 1.0;
    double rMirroredX1 = 0.0, rMirroredX2 = 1.0, rNormalX1 = 0.0, rNormalX2 = 1.0;
    double scale = 1.0;   // pixels per plotter unit
    double centreX = 0.0; // pixel offsets of the rectangle's centre
    double centreY = 0.0;
    double mirroredCentreX = 0.0;
    double normalCentreX = 0.0;
    double snap = 5.0;                   // five pixels in plotter units
    int32_t hw = 0, hh = 0;              // half the client width and height
    double hwLimit = 0.5, hhLimit = 0.5; // cull limits hw + 0.5, hh + 0.5
    int32_t clientWidth = 0, clientHeight = 0;
    bool mirrorActive = false; // the mirrored copies are the active ones

    // Makes the mirrored (true) or the normal (false) copies of X1, X2 and the
    // centre the active ones.
    void activateMirror(bool on);
};

// Sets the view rectangle for a client area of `width` x `height` pixels:
// orders and widens a degenerate rectangle, grows it on the right or at the
// top to the client's shape, and derives scale, centre and mirror copies
// (`extent` is the drawing extent that the mirror reflects about).
void ZoomPnt(ViewState& v, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int width, int height,
             const interp::Extents& extent);

// A pixel position; x is kOffWindow when the point is off-window.
struct PixelPos {
    int32_t x = kOffWindow;
    int32_t y = kOffWindow;
    bool onWindow() const { return x != kOffWindow; }
};

// Offsets of a plotter point from the window centre in pixels (real, y up),
// the horizontal one negated while the mirror is active.
inline void deviceOffset(const ViewState& v, double x, double y, double& dx, double& dy) {
    dx = x * v.scale - v.centreX;
    if (v.mirrorActive) dx = -dx;
    dy = y * v.scale - v.centreY;
}

// The pixel of a plotter point, or off-window.
PixelPos mapToPixel(const ViewState& v, double x, double y);

// A segment between two device offsets cut to the window in real
// coordinates, then rounded to the pixels of its ends.
struct WindowPiece {
    bool visible = false;
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
WindowPiece cutToWindow(const ViewState& v, double ax, double ay, double bx, double by);

// Pixel to plotter units, plain form and mirror-aware form (`mirror` is the
// process-wide mirror switch).
void pixelToPlotter(const ViewState& v, int px, int py, int32_t& x, int32_t& y);
void pixelToPlotterMirrorAware(const ViewState& v, bool mirror, int px, int py, int32_t& x,
                               int32_t& y);

} // namespace view
