#pragma once
// The one composer of a window's picture on any canvas: background, the
// current page, and the grid when it is switched on. The Qt layer's
// composeImage, the trace tests and the fuzzer all draw through it.

#include "render/render_pass.h"

namespace view {

// Display all: the view rectangle becomes the model's current extent for a
// client area of `width` x `height`.
void displayAll(ViewState& view, const interp::DrawingModel& model, int width, int height);

// Clears the canvas with the back pen's colour and draws the current page
// with `view` (and the grid when DisGrdMode is on). The view's mirror slot is
// left as the grid leaves it: normal.
// How a picture is drawn; the pixels are the same either way.
enum class PassMode {
    Fast,      // runs of lines straight onto the pixels, hidden runs stepped over, and a
               // canvas that can be split drawn in two bands at once
    Bands,     // as Fast, split into two bands whenever the canvas and page allow it,
               // however small the drawing
    OneThread, // the same on the calling thread only
    Reference  // every record through its handler, on one thread
};

void composePicture(Canvas& canvas, const RenderInputs& in, ViewState& view,
                    PassMode mode = PassMode::Fast);

} // namespace view
