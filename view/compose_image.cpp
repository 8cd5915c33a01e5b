#include "view/compose_image.h"

#include "view/image_canvas.h"

namespace view {

void composeImage(QImage& image, const RenderInputs& in, ViewState& view, PassMode mode) {
    ImageCanvas canvas(image);
    composePicture(canvas, in, view, mode);
}

} // namespace view
