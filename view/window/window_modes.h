#pragma once
// The modes of the drawing windows as named values: the process-wide cursor
// mode, the drag state of the mouse interaction and the display rotation.
// Each keeps the number the rest of the program and the settings file use.

#include <cstdint>

namespace view {

// What the cursor of every drawing window shows, and what a left click does.
enum class CursorMode : uint8_t {
    Busy = 0,         // hourglass while a file is read
    Normal = 2,       // the cross of normal operation
    ZoomInArmed = 3,  // a left click zooms in around the click
    ZoomOutArmed = 4, // a left click zooms out around the click
};

// What a drag with a button held does.
enum class DragState : uint8_t {
    RubberBand = 0, // a band marks an area (or zooms to it)
    Shift = 1,      // the view follows the pointer
    UpDownZoom = 2, // moving up zooms in, moving down zooms out
};

// The display rotation; the settings store it as its number 1..4.
enum class DisplayRotation : uint8_t { Deg0 = 1, Deg90 = 2, Deg180 = 3, Deg270 = 4 };

constexpr int rotationNumber(DisplayRotation r) {
    return int(r);
}
// The rotation of a stored number; a number outside 1..4 gives 0 degrees.
constexpr DisplayRotation rotationFromNumber(int n) {
    return n >= 1 && n <= 4 ? DisplayRotation(n) : DisplayRotation::Deg0;
}

} // namespace view
