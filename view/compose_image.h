#pragma once
// The picture of a window drawn into a QImage: the one composer of the render
// core on the QImage canvas. The drawing window, the headless renderer and
// the tests call it.

#include <QImage>

#include "render/compose_picture.h"

namespace view {

// Clears `image` with the back pen's colour and draws the current page with
// `view` (and the grid when DisGrdMode is on). `image` keeps its size.
void composeImage(QImage& image, const RenderInputs& in, ViewState& view,
                  PassMode mode = PassMode::Fast);

} // namespace view
