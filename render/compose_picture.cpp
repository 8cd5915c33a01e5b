#include "render/compose_picture.h"

#include "render/grid.h"

namespace view {

void displayAll(ViewState& view, const interp::DrawingModel& model, int width, int height) {
    const interp::Extents& e = model.extents();
    ZoomPnt(view, e.xMin, e.yMin, e.xMax, e.yMax, width, height, e);
}

void composePicture(Canvas& canvas, const RenderInputs& in, ViewState& view) {
    const uint32_t background = in.pens.colour[in.settings.pens.BackPenNo];
    canvas.fillRect(0, 0, canvas.width(), canvas.height(), background);
    canvas.setPen(0, 1, RasterOp::Copy);
    RenderPass pass(in, view, canvas);
    pass.DrawPage();
    if (in.settings.grid.DisGrdMode)
        DrawGrid(canvas, view, in.settings.grid, in.values, in.model.extents());
}

} // namespace view
