#pragma once
// The picture of a full redisplay drawn into an image, without a window:
// background, the current page, and the grid when it is switched on. Used by
// the headless renderer and the tests; the drawing window does the same on
// its own canvas.

#include <QImage>

#include "view/render_pass.h"

namespace view {

// Display all: the view rectangle becomes the model's current extent for a
// client area of `width` x `height`.
void DisplayAll(ViewState& view, const interp::DrawingModel& model, int width, int height);

// Clears `image` with the back pen's colour and draws the current page with
// `view` (and the grid when DisGrdMode is on). `image` keeps its size.
void RedrawImage(QImage& image, const RenderInputs& in, ViewState& view);

}  // namespace view
