#pragma once
// SVG export of the current page: the render pass on an SvgCanvas of the
// page's extent, written through a temporary file.

#include <string>

#include "render/render_pass.h"
#include "view/atomic_file.h"
#include "view/svg_canvas.h"

namespace view {

// The SVG document of `in.model`'s current page. `measure` gives the width
// of system-font text (an estimate is used without it).
std::string svgOfCurrentPage(const RenderInputs& in, SvgCanvas::TextMeasure measure = {});

WriteResult writeSvg(const std::string& path, const RenderInputs& in,
                     SvgCanvas::TextMeasure measure = {});

} // namespace view
