#pragma once
// Turning the drawing model in place by quarter turns for the display
// rotation: every record's coordinates and angles, the polygons, and the
// page extents.

#include "interp/drawing_model.h"
#include "view/view_values.h"

namespace view {

// Turns the whole model by `quarters` quarter turns counter-clockwise (any
// integer; taken modulo 4).
void RotateModel(interp::DrawingModel& model, int quarters);

// Sets the display rotation (1..4): turns the model from the rotation last
// applied to the new one and records it. The zoom area becomes the new extent.
void ApplyDisplayRotation(interp::DrawingModel& model, ViewValues& values, int rotation);

}  // namespace view
