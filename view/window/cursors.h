#pragma once
// The cursors of the drawing window: the cross of normal operation, the two
// zoom cursors of armed zoom in and zoom out, and the drag cursor.

#include <QCursor>

#include "view/window/window_modes.h"

namespace view {

// The cursor of a drag that shifts or zooms the view.
QCursor dragCursor();
// The cursor a drawing window shows in `mode`.
QCursor cursorForMode(CursorMode mode);

} // namespace view
