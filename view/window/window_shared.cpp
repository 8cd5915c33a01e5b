#include "view/window/window_shared.h"

#include "settings/mouse_help_text.h"
#include "view/window/drawing_window.h"

namespace view {

void WindowShared::forEachWindow(const std::function<void(DrawingWindow&)>& f) {
    for (DrawingWindow* w : windowSlots)
        if (w) f(*w);
}

void WindowShared::setCursorMode(CursorMode mode) {
    cursorMode = mode;
    forEachWindow([](DrawingWindow& w) { w.updateCursor(); });
    if (frame) frame->zoomButtonsChanged(mode);
}

void WindowShared::setDragMode(bool on) {
    store.values.view.DragMode = on;
    restoreDragState();
    forEachWindow([](DrawingWindow& w) { w.updateChecks(); });
    rebuildMouseHelp();
}

void WindowShared::rebuildMouseHelp() {
    if (frame)
        frame->showStatusText(QString::fromStdString(
            settings::mouseHelpText(store.values.mouse, store.values.view.DragMode)));
}

} // namespace view
