#include "render/model_rotation.h"

#include <algorithm>

#include "interp/model_rotation.h"

namespace view {

void ApplyDisplayRotation(interp::DrawingModel& model, ViewValues& values, int rotation) {
    rotation = std::clamp(rotation, 1, 4);
    values.displayRotation = rotation;
    const int turns = interp::rotationQuarterTurns(values.rotationApplied, rotation);
    values.rotationApplied = rotation;
    if (turns == 0) return;
    interp::rotateModel(model, turns);
    const interp::Extents& e = model.extents();
    values.zoomArea = ZoomArea{e.xMin, e.yMin, e.xMax, e.yMax};
}

} // namespace view
