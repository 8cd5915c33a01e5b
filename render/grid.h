#pragma once
// The grid overlay of a drawing window: fine and rough dot grids in their two
// colours and a cross at the grid origin, drawn over the picture with the
// mirror switched off.

#include "interp/extents.h"
#include "render/canvas.h"
#include "render/view_state.h"
#include "render/view_values.h"
#include "settings/option_groups.h"

namespace view {

// Draws the grid of `grid` over the canvas for the view `v` (its normal,
// unmirrored slot is used and left active). `extent` is the drawing extent the
// mirror reflects the origin about.
void DrawGrid(Canvas& canvas, ViewState& v, const settings::GridSettings& grid,
              const ViewValues& values, const interp::Extents& extent);

} // namespace view
