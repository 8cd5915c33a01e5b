#pragma once
// The one composer of a window's picture: background, the current page, and
// the grid when it is switched on, drawn into an image. The drawing window,
// the headless renderer and the tests all call it.

#include <QImage>

#include "view/render_pass.h"

namespace view {

// Display all: the view rectangle becomes the model's current extent for a
// client area of `width` x `height`.
void displayAll(ViewState& view, const interp::DrawingModel& model, int width, int height);

// Clears `image` with the back pen's colour and draws the current page with
// `view` (and the grid when DisGrdMode is on). `image` keeps its size.
void composeImage(QImage& image, const RenderInputs& in, ViewState& view);

} // namespace view
