#pragma once
// The display rotation of the view values applied to the drawing model.

#include "interp/drawing_model.h"
#include "render/view_values.h"

namespace view {

// Sets the display rotation (1..4): turns the model from the rotation last
// applied to the new one and records it. The zoom area becomes the new extent.
void ApplyDisplayRotation(interp::DrawingModel& model, ViewValues& values, int rotation);

} // namespace view
