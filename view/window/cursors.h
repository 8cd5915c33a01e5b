#pragma once
// The cursors of the drawing window: the cross of normal operation, the two
// zoom cursors of armed zoom in and zoom out, and the drag cursor.

#include <QCursor>

namespace view {

QCursor crossCursor();
QCursor zoomInCursor();
QCursor zoomOutCursor();
QCursor dragCursor();
// The cursor of cursor mode 0..4 (0 busy, 3 zoom in, 4 zoom out, else cross).
QCursor cursorForMode(int mode);

} // namespace view
