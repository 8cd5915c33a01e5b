#include "view/window/window_shared.h"

#include "settings/mouse_help_text.h"
#include "view/window/quindle2_form.h"

namespace view {

void WindowShared::forEachWindow(const std::function<void(TQuindle2Form&)>& f) {
    for (TQuindle2Form* w : windowSlots)
        if (w) f(*w);
}

void WindowShared::setCursorMode(int mode) {
    cursorMode = mode;
    forEachWindow([](TQuindle2Form& w) { w.updateCursor(); });
    if (frame) frame->zoomButtonsChanged(mode);
}

void WindowShared::setDragMode(bool on) {
    store.values.view.DragMode = on;
    mouse.dragState = on ? 1 : 0;
    forEachWindow([](TQuindle2Form& w) { w.updateChecks(); });
    rebuildMouseHelp();
}

void WindowShared::rebuildMouseHelp() {
    if (frame)
        frame->showStatusText(QString::fromStdString(
            settings::mouseHelpText(store.values.mouse, store.values.view.DragMode)));
}

} // namespace view
