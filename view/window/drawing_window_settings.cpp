// The "Set(&S)" commands of the drawing window: each opens one settings dialog
// modally over the window and then brings the picture and the status bar up to
// date with what the dialog confirmed.

#include "dialogs/grid_dialog.h"
#include "dialogs/line_property_dialog.h"
#include "dialogs/mouse_operation_dialog.h"
#include "dialogs/pen_dialog.h"
#include "dialogs/text_dialog.h"
#include "view/window/drawing_window.h"

namespace view {

namespace {
// Shows `dialog` modally and redraws `window` when it closes with OK.
int runAndRedrawOnOk(QDialog& dialog, DrawingWindow& window) {
    const int result = dialog.exec();
    if (result == dialogs::kResultOk) window.redraw();
    return result;
}
} // namespace

int DrawingWindow::editPens() {
    // The pens of a file being read are set from the table in use when it began.
    if (!sh_.frame || sh_.loading) return 0;
    dialogs::DrawingFacts facts;
    facts.penUsed = sh_.model.pens.used;
    facts.pageExtents = sh_.model.extents();
    dialogs::PenDialog dialog(sh_.store, facts, sh_.frame->dialogServices(), this);
    bool previewed = false;
    dialog.setPreview([this, &previewed] {
        previewed = true;
        redraw();
    });
    const int result = dialog.exec();
    if (result == dialogs::kResultOk) {
        // The render pass reads the pen table in use, which OK has just filled.
        if (sh_.frame) sh_.frame->penTableChanged();
        redraw();
    } else if (previewed) {
        // The picture still shows the dialog's pens; the in-use ones are back.
        redraw();
    }
    return result;
}

int DrawingWindow::editLineProperties() {
    if (!sh_.frame) return 0;
    dialogs::LinePropertyDialog dialog(sh_.store.values, sh_.frame->dialogServices(), this);
    return runAndRedrawOnOk(dialog, *this);
}

int DrawingWindow::editGrid() {
    if (!sh_.frame) return 0;
    // An OK that changes nothing the picture shows also closes with Cancel's result.
    dialogs::GridDialog dialog(sh_.store.values, sh_.frame->dialogServices(), this);
    return runAndRedrawOnOk(dialog, *this);
}

int DrawingWindow::editMouseOperations() {
    if (!sh_.frame) return 0;
    dialogs::MouseOperationDialog dialog(sh_.store.values, sh_.frame->dialogServices(), this);
    const int result = dialog.exec();
    if (result == dialogs::kResultOk) sh_.rebuildMouseHelp();
    return result;
}

int DrawingWindow::editText() {
    if (!sh_.frame) return 0;
    dialogs::TextDialog dialog(sh_.store.values, sh_.frame->dialogServices(), this);
    return runAndRedrawOnOk(dialog, *this);
}

} // namespace view
