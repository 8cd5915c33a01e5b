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
#include "settings/settings_store.h"
#include "view/view_values.h"
#include "view/window/navigation.h"

namespace view {

class TQuindle2Form;

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
    virtual void zoomButtonsChanged(int cursorMode) = 0;
    // A window's undo and redo availability (the frame shows the active one's).
    virtual void undoRedoChanged(const TQuindle2Form& window, bool canUndo, bool canRedo) = 0;
    // The display rotation changed: press the matching rotation button.
    virtual void rotationChanged(int rotation) = 0;
    // The length unit changed: refresh unit captions.
    virtual void lengthUnitChanged() {}
    // A drawing file is open (its name is not empty).
    virtual bool hasFile() const = 0;
    // The shared message box with an OK button.
    virtual void report(const QString& text) = 0;
};

// Mouse interaction state of the process (one drawing window is active at a time).
struct InteractionState {
    int dragState = 0; // 0 rubber band, 1 drag shift, 2 up-down zoom
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
    // 0 busy, 1 and 2 the normal cursors, 3 zoom in armed, 4 zoom out armed.
    int cursorMode = 2;
    bool passRunning = false;
    bool zoomAreaSetting = false; // the zoom area is being set
    bool loading = false;         // a file is being read
    std::array<TQuindle2Form*, 5> windowSlots{};

    // The zoom-icon state (2 none, 3 zoom in, 4 zoom out) is the cursor mode 3 or 4.
    int zoomIconState() const { return cursorMode == 3 || cursorMode == 4 ? cursorMode : 2; }
    // Sets the cursor mode, the cursor of every drawing window, and the zoom buttons.
    void setCursorMode(int mode);
    // The drag state between drags: 1 with display drag on, else 0.
    void restoreDragState() { mouse.dragState = store.values.view.DragMode ? 1 : 0; }
    // Display drag on or off, with the check mark in every window and the help text.
    void setDragMode(bool on);
    void rebuildMouseHelp();

    void forEachWindow(const std::function<void(TQuindle2Form&)>& f);
    TQuindle2Form* window(int number) const {
        return number >= 1 && number <= 5 ? windowSlots[number - 1] : nullptr;
    }
};

} // namespace view
