#include "view/svg_export.h"

#include "render/compose_picture.h"
#include "view/vector_page.h"

namespace view {

std::string svgOfCurrentPage(const RenderInputs& in, SvgCanvas::TextMeasure measure) {
    int width = 0, height = 0;
    vectorCanvasSize(in.model.extents(), width, height);
    ViewState view;
    displayAll(view, in.model, width, height);
    SvgCanvas canvas(width, height, 1.0 / view.scale, std::move(measure));
    composePicture(canvas, in, view);
    return canvas.document();
}

WriteResult writeSvg(const std::string& path, const RenderInputs& in,
                     SvgCanvas::TextMeasure measure) {
    const std::string text = svgOfCurrentPage(in, std::move(measure));
    return writeFileAtomically(path, text.data(), text.size());
}

} // namespace view
