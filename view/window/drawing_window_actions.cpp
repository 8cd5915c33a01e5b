// The commands of the drawing window as one table, the menus built from it
// ("Display(&D)", "Page(&P)", "Length unit system(&U)", "ToolBar(&T)",
// "Set(&S)", the pop-up) and the check marks they carry.

#include <QAction>
#include <QMenu>

#include "view/window/drawing_window.h"

namespace view {

namespace {
const QString kRotationNames[4] = {QStringLiteral("rotation0"), QStringLiteral("rotation90"),
                                   QStringLiteral("rotation180"), QStringLiteral("rotation270")};
const QString kUnitNames[6] = {QStringLiteral("unitMillimetre"), QStringLiteral("unitCentimetre"),
                               QStringLiteral("unitMetre"),      QStringLiteral("unitInch"),
                               QStringLiteral("unitFoot"),       QStringLiteral("unitYard")};
// Visibility entries of the main window's toolbars, in the order of the
// persisted visibility line.
const char* const kToolBarCaptions[settings::kToolbarCount] = {
    "File(&F)",          "Set pen(&P)",       "Edit drawing file(&E)", "Rotation display(&R)",
    "Request(&Q)",       "Output(&O)",        "Edit comment(&D)",      "Comment(&C)",
    "Basic display(&B)", "Shift display(&S)", "Thumbnail display(&T)", "Zoom window 1..5(&W)"};
} // namespace

void DrawingWindow::buildActions() {
    ActionTable& t = actions_;
    t.add({
        {.name = "displayAll", .text = "DisplayAll(&A)", .slot = [this] { displayAll(); }},
        {.name = "displayAgain", .text = "DisplayAgain(&D)", .slot = [this] { redraw(); }},
        {.name = "zoomToArea", .text = "Zoom display(&Z)", .slot = [this] { zoomToArea(); }},
        {.name = "zoomIn", .text = "Zoom up(&U)", .slot = [this] { zoomIn(); }},
        {.name = "zoomOut", .text = "Zoom down(&O)", .slot = [this] { zoomOut(); }},
        {.name = "shiftRight", .text = "Display shift right", .slot = [this] { shiftBy(1, 0); }},
        {.name = "shiftLeft", .text = "Display shift left", .slot = [this] { shiftBy(-1, 0); }},
        {.name = "shiftUp", .text = "Display shift upper", .slot = [this] { shiftBy(0, 1); }},
        {.name = "shiftDown", .text = "Display shift down", .slot = [this] { shiftBy(0, -1); }},
        {.name = "shiftRightUp",
         .text = "Display shift right upper",
         .slot = [this] { shiftBy(1, 1); }},
        {.name = "shiftRightDown",
         .text = "Display shift right down",
         .slot = [this] { shiftBy(1, -1); }},
        {.name = "shiftLeftUp",
         .text = "Display shift left upper",
         .slot = [this] { shiftBy(-1, 1); }},
        {.name = "shiftLeftDown",
         .text = "Display shift left down",
         .slot = [this] { shiftBy(-1, -1); }},
        {.name = "undoView",
         .text = "Undo display(&B)",
         .enabled = false,
         .slot = [this] { undoView(); }},
        {.name = "redoView",
         .text = "Redo display(&F)",
         .enabled = false,
         .slot = [this] { redoView(); }},
        {.name = "toggleMirror",
         .text = "DisplayMirror(&M)",
         .checkable = true,
         .slot = [this] { toggleMirror(); }},
        {.name = "overlayGrid", .text = "DisplayGrid(&G)", .slot = [this] { overlayGrid(); }},
        {.name = "outlineZoomArea",
         .text = "Display zoom area(&E)",
         .slot = [this] { outlineZoomArea(); }},
        {.name = "toggleDragMode",
         .text = "DragMode(&C)",
         .checkable = true,
         .slot = [this] { toggleDragMode(); }},
        {.name = "toggleScrollBars",
         .text = "Use ScrollBar(&S)",
         .checkable = true,
         .slot = [this] { toggleScrollBars(); }},
        {.name = "showPreviousPage",
         .text = "ForwardPage(&F)",
         .slot = [this] { showPreviousPage(); }},
        {.name = "showNextPage", .text = "NextPage(&N)", .slot = [this] { showNextPage(); }},
        {.name = "showFirstPage", .text = "BeginPage(&B)", .slot = [this] { showFirstPage(); }},
        {.name = "showLastPage", .text = "EndPage(&E)", .slot = [this] { showLastPage(); }},
        {.name = "beginAreaDrag",
         .text = "ZoomWindow etc.(&Z)",
         .slot = [this] { beginAreaDrag(); }},
        {.name = "editPens", .text = "SetPen(&N)", .slot = [this] { editPens(); }},
        {.name = "editLineProperties",
         .text = "SetLineProperty(&L)",
         .slot = [this] { editLineProperties(); }},
        {.name = "editGrid", .text = "SetGrid(&G)", .slot = [this] { editGrid(); }},
        {.name = "editMouseOperations",
         .text = "SetMouseOperation(&M)",
         .slot = [this] { editMouseOperations(); }},
        {.name = "editText", .text = "SetText(&T)", .slot = [this] { editText(); }},
    });
    const char* rotationCaptions[4] = {"   0 degree(&0)", " 90 degree(&1)", "180 degree(&2)",
                                       "270 degree(&3)"};
    for (int k = 0; k < 4; ++k)
        t.add({.name = kRotationNames[k],
               .text = QString::fromLatin1(rotationCaptions[k]),
               .checkable = true,
               .group = QStringLiteral("rotation"),
               .slot = [this, k] { setRotation(rotationFromNumber(k + 1)); }});
    for (int n = 1; n <= 5; ++n)
        t.add({.name = QStringLiteral("zoomOnWindow%1").arg(n),
               .text = QStringLiteral("ZoomWindow%1(&%1)").arg(n),
               .enabled = false,
               .slot = [this, n] { zoomOnWindow(n); }});
    const char* unitCaptions[6] = {"Millimeter mm (&L)", "Centimeter cm (&C)", "Meter m (&M)",
                                   "Inch in (&I)",       "Foot ft (&F)",       "Yard yd (&Y)"};
    for (int k = 0; k < 6; ++k)
        t.add({.name = kUnitNames[k],
               .text = QString::fromLatin1(unitCaptions[k]),
               .checkable = true,
               .group = QStringLiteral("unit"),
               .slot = [this, k] { setLengthUnit(k); }});

    for (int k = 0; k < settings::kToolbarCount; ++k)
        t.add({.name = QStringLiteral("toolBar%1").arg(k + 1),
               .text = QString::fromLatin1(kToolBarCaptions[k]),
               .checkable = true,
               .slot = [this, k] {
                   if (sh_.frame) sh_.frame->toggleToolBar(k);
               }});

    t.menu(QStringLiteral("shiftMenu"), QStringLiteral("Shift display(&H)"),
           {"shiftRight", "shiftLeft", "shiftUp", "shiftDown", "shiftRightUp", "shiftRightDown",
            "shiftLeftUp", "shiftLeftDown"});
    t.menu(QStringLiteral("rotationMenu"), QStringLiteral("Rotation display(&R)"),
           QStringList(std::begin(kRotationNames), std::end(kRotationNames)));
    displayMenu_ = t.menu(QStringLiteral("displayMenu"), QStringLiteral("Display(&D)"),
                          QStringList{"displayAll", "displayAgain", "zoomToArea", "zoomIn",
                                      "zoomOut", "shiftMenu", kSeparator, "undoView", "redoView",
                                      kSeparator, "rotationMenu", "toggleMirror", "overlayGrid",
                                      "outlineZoomArea", kSeparator} +
                              numberedNames(QStringLiteral("zoomOnWindow"), 5) +
                              QStringList{kSeparator, "toggleDragMode", "toggleScrollBars"});
    pageMenu_ = t.menu(QStringLiteral("pageMenu"), QStringLiteral("Page(&P)"),
                       {"showPreviousPage", "showNextPage", "showFirstPage", "showLastPage"});
    pageMenu_->setEnabled(false);
    unitMenu_ = t.menu(QStringLiteral("unitMenu"), QStringLiteral("Length unit system(&U)"),
                       QStringList(std::begin(kUnitNames), std::end(kUnitNames)));
    settingsMenu_ =
        t.menu(QStringLiteral("settingsMenu"), QStringLiteral("Set(&S)"),
               {"editPens", "editLineProperties", "editGrid", "editMouseOperations", "editText"});
    toolBarMenu_ = t.menu(QStringLiteral("toolBarMenu"), QStringLiteral("ToolBar(&T)"),
                          numberedNames(QStringLiteral("toolBar"), settings::kToolbarCount));
    popup_ = t.menu(QStringLiteral("popupMenu"), QString(),
                    {"displayAgain", "displayAll", "beginAreaDrag"});
}

QList<QMenu*> DrawingWindow::menus() const {
    return {displayMenu_, pageMenu_, unitMenu_, toolBarMenu_, settingsMenu_};
}

void DrawingWindow::updateChecks() {
    const auto& v = sh_.store.values.view;
    for (int k = 0; k < 4; ++k)
        actions_.action(kRotationNames[k])->setChecked(v.displayRotation == k + 1);
    for (int k = 0; k < 6; ++k)
        actions_.action(kUnitNames[k])->setChecked(v.lengthUnit == k);
    actions_.action(QStringLiteral("toggleMirror"))->setChecked(sh_.values.mirror);
    actions_.action(QStringLiteral("toggleDragMode"))->setChecked(v.DragMode);
    actions_.action(QStringLiteral("toggleScrollBars"))->setChecked(v.useScrollBar);
    const auto& visible = sh_.store.values.window.toolbarVisible;
    for (int k = 0; k < settings::kToolbarCount; ++k)
        setToolBarChecked(k, visible[k]);
}

void DrawingWindow::setToolBarChecked(int index, bool visible) {
    if (index >= 0 && index < settings::kToolbarCount)
        actions_.action(QStringLiteral("toolBar%1").arg(index + 1))->setChecked(visible);
}

void DrawingWindow::setZoomWindowEnabled(int number, bool enabled) {
    if (number >= 1 && number <= 5)
        actions_.action(QStringLiteral("zoomOnWindow%1").arg(number))->setEnabled(enabled);
}

} // namespace view
