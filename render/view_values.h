#pragma once
// The view values shared by every drawing window of the process: mirror,
// display rotation and the rotation last applied to the model, and the zoom
// area. One instance, owned by the application and passed by reference.

#include <cstdint>

namespace view {

struct ZoomArea {
    int32_t X1 = 0, Y1 = 0, X2 = 1000000, Y2 = 1000000;
};

struct ViewValues {
    bool mirror = false;
    int displayRotation = 1; // 1 = 0 degrees, 2 = 90, 3 = 180, 4 = 270
    int rotationApplied = 1; // the rotation the model is stored in
    ZoomArea zoomArea;
};

} // namespace view
