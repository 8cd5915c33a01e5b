#include "view/compose_image.h"

#include "view/image_canvas.h"

namespace view {

void composeImage(QImage& image, const RenderInputs& in, ViewState& view) {
    ImageCanvas canvas(image);
    composePicture(canvas, in, view);
}

} // namespace view
