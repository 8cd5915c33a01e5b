#pragma once
// What all drawing windows of the process share: the drawing model, the
// settings, the view values, the mouse interaction state, the cursor mode, the
// five window slots and the frame (main window) they report to. The
// application owns one and hands it to every window by reference.

#include <QPoint>
#include <QString>
#include <array>
#include <functional>

#include "interp/drawing_model.h"
#include "render/view_values.h"
#include "settings/settings_store.h"
#include "view/window/navigation.h"
#include "view/window/window_modes.h"

namespace dialogs {
class DialogServices;
}

namespace view {

class DrawingWindow;

// What a drawing window asks of the main window.
class FrameHooks {
  public:
    virtual ~FrameHooks() = default;
    // First status panel (mode texts and the mouse help text).
    virtual void showStatusText(const QString& text) = 0;
    // Second status panel (the pointer position).
    virtual void showPointerText(const QString& text) = 0;
    // Position and maximum of the page spin control.
    virtual int pageSpinPosition() const = 0;
    virtual void setPageSpinPosition(int page) = 0;
    // The cursor mode changed: show the zoom buttons pressed or released.
    virtual void zoomButtonsChanged(CursorMode mode) = 0;
    // A window's undo and redo availability (the frame shows the active one's).
    virtual void undoRedoChanged(const DrawingWindow& window, bool canUndo, bool canRedo) = 0;
    // The display rotation changed: press the matching rotation button.
    virtual void rotationChanged(DisplayRotation rotation) = 0;
    // The length unit changed: refresh unit captions.
    virtual void lengthUnitChanged() {}
    // Shows or hides toolbar `index` (0..11, in the order of the visibility
    // line) and sets the check mark in every window.
    virtual void toggleToolBar(int index) { (void)index; }
    // A file was dropped on a drawing window: open it in the active one.
    virtual void openDroppedFile(const QString& fileName) { (void)fileName; }
    // A drawing file is open (its name is not empty).
    virtual bool hasFile() const = 0;
    // The shared message box with an OK button.
    virtual void report(const QString& text) = 0;
    // What the settings dialogs use for messages, questions, colours and the manual.
    virtual dialogs::DialogServices& dialogServices() = 0;
    // The pen dialog confirmed its pens: refresh what shows the pen table in use.
    virtual void penTableChanged() {}
};

// Mouse interaction state of the process (one drawing window is active at a time).
struct InteractionState {
    DragState dragState = DragState::RubberBand;
    Qt::MouseButton button = Qt::NoButton;
    QPoint down, last;  // window pixels
    bool step = false;  // a drag step is redrawing
    ViewRect requested; // the window handed to the zoom-window commands
};

class WindowShared {
  public:
    WindowShared(interp::DrawingModel& model, settings::SettingsStore& store, ViewValues& values)
        : model(model), store(store), values(values) {}

    interp::DrawingModel& model;
    settings::SettingsStore& store;
    ViewValues& values;
    FrameHooks* frame = nullptr;

    InteractionState mouse;
    CursorMode cursorMode = CursorMode::Normal;
    bool passRunning = false;
    bool zoomAreaSetting = false; // the zoom area is being set
    bool loading = false;         // a file is being read
    // A new window is being set up: its first picture is composed once, by
    // the caller's display all, not by every show, resize and activation.
    bool holdPictures = false;
    std::array<DrawingWindow*, 5> windowSlots{};

    // A left click zooms in or out (the main window's zoom buttons armed it).
    bool zoomArmed() const {
        return cursorMode == CursorMode::ZoomInArmed || cursorMode == CursorMode::ZoomOutArmed;
    }
    // Sets the cursor mode, the cursor of every drawing window, and the zoom buttons.
    void setCursorMode(CursorMode mode);
    // The drag state between drags: drag shift with display drag on, else the rubber band.
    void restoreDragState() {
        mouse.dragState = store.values.view.DragMode ? DragState::Shift : DragState::RubberBand;
    }
    // Display drag on or off, with the check mark in every window and the help text.
    void setDragMode(bool on);
    void rebuildMouseHelp();

    void forEachWindow(const std::function<void(DrawingWindow&)>& f);
    DrawingWindow* window(int number) const {
        return number >= 1 && number <= 5 ? windowSlots[number - 1] : nullptr;
    }
};

} // namespace view
