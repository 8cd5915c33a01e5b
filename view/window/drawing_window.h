#pragma once
// The drawing window: one view of the drawing inside the main window's
// multi-document area. It owns the view rectangle and its transform, the
// backing image every repaint is served from, the display undo list, the
// scroll bars and its menus, and turns menu commands, keys, the wheel and the
// mouse into view changes.

#include <QImage>
#include <QWidget>

#include "render/view_state.h"
#include "view/window/action_table.h"
#include "view/window/display_undo.h"
#include "view/window/navigation.h"
#include "view/window/window_modes.h"
#include "view/window/window_shared.h"

class QMenu;
class QScrollBar;

namespace view {

class DrawingSurface;

class DrawingWindow : public QWidget {
    Q_OBJECT
  public:
    // `number` is the window number 1..5 (caption " #" number).
    DrawingWindow(WindowShared& shared, int number, QWidget* parent = nullptr);
    ~DrawingWindow() override;

    int number() const { return number_; }
    const ViewState& viewState() const { return view_; }
    ViewRect viewRect() const { return {view_.X1, view_.Y1, view_.X2, view_.Y2}; }
    const DisplayUndo& undoList() const { return undo_; }
    // The picture shown (the backing image plus what is drawn over it in xor).
    const QImage& screenImage() const { return screen_; }
    const QImage& backingImage() const { return backing_; }
    QWidget* surface() const;
    QSize clientSize() const;
    QScrollBar* horizontalScrollBar() const { return hBar_; }
    QScrollBar* verticalScrollBar() const { return vBar_; }

    // The commands of the window by name, and the menus the main window shows
    // while this window is active.
    const ActionTable& actionTable() const { return actions_; }
    QList<QMenu*> menus() const;
    QMenu* popupMenu() const { return popup_; }
    QMenu* pageMenu() const { return pageMenu_; }

    // ---- view transform ----
    // Sets the view rectangle for the current client size; draws nothing.
    void setViewRect(const ViewRect& r);
    // Shows or hides the scroll bars for the rectangle about to be shown.
    void updateScrollBars(const ViewRect& r);
    // Full redisplay: the picture, the backing image, a display undo entry.
    void redraw();
    // Applies a view rectangle: scroll bars, view rectangle, redraw.
    void applyView(const ViewRect& r);
    // Pixel to plotter units, plain and mirror-aware.
    void pixelToPlotter(QPoint p, int32_t& x, int32_t& y) const;
    void pixelToPlotterMirrorAware(QPoint p, int32_t& x, int32_t& y) const;

    // ---- commands ----
    void displayAll();
    // Shows the shared zoom area.
    void zoomToArea();
    void zoomIn();
    void zoomOut();
    // Shifts by half the view: `right` and `up` are -1, 0 or +1.
    void shiftBy(int right, int up);
    // Shows the zoom area in drawing window `number` (or only raises it when
    // the zoom-icon option is off).
    void zoomOnWindow(int number);
    void setRotation(DisplayRotation rotation);
    void toggleMirror();
    // Draws the grid once over the picture.
    void overlayGrid();
    // Draws the zoom area's outline over the picture.
    void outlineZoomArea();
    void undoView();
    void redoView();
    void toggleScrollBars();
    void setLengthUnit(int unit);
    void toggleDragMode();
    void showPreviousPage();
    void showNextPage();
    void showFirstPage();
    void showLastPage();
    // The next drag marks an area whatever the drag mode; the mode comes back
    // at the next release, Esc or Backspace.
    void beginAreaDrag();
    void endAreaDrag();

    // ---- settings dialogs ("Set(&S)"): modal; each returns the dialog's result, 1 for
    // OK and 2 for Cancel (0 when no frame supplies the dialogs' services) ----
    int editPens();
    int editLineProperties();
    int editGrid();
    int editMouseOperations();
    int editText();

    // ---- state shown in the menus of every window ----
    void updateChecks();
    void updateUndoRedo();
    void setZoomWindowEnabled(int number, bool enabled);
    // Check mark of the visibility entry of toolbar `index` (0..11).
    void setToolBarChecked(int index, bool visible);
    // Longest dropped file name taken.
    static constexpr int kMaxDroppedNameLength = 260;
    void updateCursor();

    // ---- input (from the surface; also reachable for tests) ----
    void handleMousePress(Qt::MouseButton button, QPoint p);
    void handleMouseMove(Qt::MouseButtons held, QPoint p);
    void handleMouseRelease(Qt::MouseButton button);
    void handleKeyPress(int key, Qt::KeyboardModifiers mods);
    // Wheel turn of `delta` (eighths of a degree, 120 a notch) at pixel p of
    // the surface: one zoom step per whole notch, parts of notches added up.
    void handleWheel(int delta, QPoint p);
    // The window became the active one.
    void windowActivated();

    bool pressed() const { return pressed_; }

  signals:
    void closed(int number);
    // The window showed its picture on screen.
    void picturePainted();
    // A full redisplay composed the picture anew.
    void redrawn();

  protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    friend class DrawingSurface;
    void buildActions();
    void paintPicture(QPainter& painter);
    void layoutChildren(bool hBar, bool vBar);
    void scrollBarMoved();
    void fitScreenImage();
    void adaptToClientSize();
    void wheelStep(int notch, QPoint p);
    void composePicture();
    void stepView(bool (DisplayUndo::*step)(ViewRect&));
    void recordView();
    void drawXorRect(QPoint a, QPoint b);
    void restoreFromBacking();
    void clickAt(Qt::MouseButton button, QPoint p);
    void runClickOperation(int operation);
    void releaseDrag(QPoint p);
    void centreOnClick();
    void showPointer(QPoint p);
    uint32_t colourOfPen(int pen) const;

    WindowShared& sh_;
    int number_;
    ActionTable actions_;
    DrawingSurface* surface_ = nullptr;
    QScrollBar* hBar_ = nullptr;
    QScrollBar* vBar_ = nullptr;
    int hBarPos_ = 0, vBarPos_ = 0;
    bool settingBars_ = false;

    ViewState view_;
    QImage screen_;
    QImage backing_;
    DisplayUndo undo_;
    bool undoRecording_ = true;
    bool painted_ = false;
    QSize lastClient_;
    static constexpr int kWheelNotch = 120;
    int wheelRest_ = 0; // wheel turn not yet acted on
    bool pressed_ = false;
    bool zoomDrag_ = false;
    bool bandShown_ = false;
    bool areaDragOnly_ = false;
    DragState savedDragState_ = DragState::RubberBand;

    QMenu* displayMenu_ = nullptr;
    QMenu* pageMenu_ = nullptr;
    QMenu* unitMenu_ = nullptr;
    QMenu* settingsMenu_ = nullptr;
    QMenu* toolBarMenu_ = nullptr;
    QMenu* popup_ = nullptr;
};

// The client area of a drawing window: paints the picture and hands mouse,
// wheel and key input to the window.
class DrawingSurface : public QWidget {
    Q_OBJECT
  public:
    explicit DrawingSurface(DrawingWindow& window);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

  private:
    DrawingWindow& window_;
};

} // namespace view
