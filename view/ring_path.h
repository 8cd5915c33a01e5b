#pragma once
// The rings of a canvas polygon as one QPainterPath, for the Qt canvases that
// fill polygons through QPainter.

#include <QPainterPath>

#include "render/canvas.h"

namespace view {

// `parts` rings back to back in `points`, ring k holding partSizes[k] points;
// rings of fewer than two points are left out.
QPainterPath ringPath(const PointD* points, const int* partSizes, int parts, FillRule rule);

} // namespace view
