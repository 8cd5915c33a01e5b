#pragma once
// The page of a vector export: a canvas of virtual pixels, about one plotter
// unit each, that the drawing's extent fills, so that the render pass keeps
// the plotter's resolution.

#include "interp/extents.h"

namespace view {

// Virtual canvas of the extent `e` with the extent's shape: one pixel a
// plotter unit, the long side kept within 4096 to 4194304 pixels.
void vectorCanvasSize(const interp::Extents& e, int& width, int& height);

} // namespace view
