#pragma once
// The drawing window: one view of the drawing inside the main window's
// multi-document area. It owns the view rectangle and its transform, the
// backing bitmap every repaint is served from, the display undo list, the
// scroll bars and its menus, and turns menu commands, keys, the wheel and the
// mouse into view changes.

#include <QCursor>
#include <QImage>
#include <QWidget>
#include <array>

#include "view/view_state.h"
#include "view/window/display_undo.h"
#include "view/window/navigation.h"
#include "view/window/window_shared.h"

class QAction;
class QActionGroup;
class QMenu;
class QScrollBar;

namespace view {

class DrawingSurface;

class TQuindle2Form : public QWidget {
    Q_OBJECT
  public:
    // `number` is the window number 1..5 (caption " #" number).
    TQuindle2Form(WindowShared& shared, int number, QWidget* parent = nullptr);
    ~TQuindle2Form() override;

    int number() const { return number_; }
    const ViewState& viewState() const { return view_; }
    ViewRect viewRect() const { return {view_.X1, view_.Y1, view_.X2, view_.Y2}; }
    const DisplayUndo& undoList() const { return undo_; }
    // The picture shown (the backing bitmap plus what is drawn over it in xor).
    const QImage& screenImage() const { return screen_; }
    const QImage& backingImage() const { return backing_; }
    QWidget* surface() const;
    QSize clientSize() const;

    // The menus the main window shows while this window is active.
    QList<QMenu*> menus() const;
    QMenu* popupMenu() const { return popup_; }
    QMenu* pageMenu() const { return pageMenu_; }
    QAction* undoAction() const { return actUndo_; }
    QAction* redoAction() const { return actRedo_; }

    // ---- view transform ----
    void ZoomPnt(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
    void ZoomPnt(const ViewRect& r) { ZoomPnt(r.X1, r.Y1, r.X2, r.Y2); }
    void DispScrollBar(const ViewRect& r);
    // Full redisplay: clear, page, grid, backing bitmap, display undo entry.
    void Redraw();
    // Draws the current page over the picture with the current view.
    void DrawPage();
    void ZoomAreaAdd();
    // Pixel to plotter units, plain and mirror-aware.
    void pixelToPlotter(QPoint p, int32_t& x, int32_t& y) const;
    void pixelToPlotterMirrorAware(QPoint p, int32_t& x, int32_t& y) const;

    // ---- menu commands ----
    void DisAllClick();
    void ZomWinClick();
    void ZomUpClick();
    void ZomDwnClick();
    void DisAgnClick();
    void SftRgtClick();
    void SftLftClick();
    void SftUpClick();
    void SftDwnClick();
    void SftRgtUpClick();
    void SftRgtDwnClick();
    void SftLftUpClick();
    void SftLgtDwnClick();
    void ZomWinNClick(int n);       // ZomWin1Click .. ZomWin5Click
    void DisRotClick(int rotation); // DisRot1Click .. DisRot4Click
    void DisMirrClick();
    void DisGrdClick();
    void DisZoomAreaClick();
    void DisplayUndoClick();
    void DisplayRedoClick();
    void SetScrollBarClick();
    void UnitClick(int unit); // Unit_mmClick .. Unit_ydClick
    void DragModeClick();
    void PageForwardClick();
    void PageNextClick();
    void PageBeginClick();
    void PageEndClick();
    void ZoomWindowEtcClick();
    void endZoomWindowEtc();

    // Applies a view rectangle: scroll bars, ZoomPnt, Redraw.
    void applyView(const ViewRect& r);

    // ---- state shown in the menus of every window ----
    void updateChecks();
    void updateUndoRedo();
    void setZoomWindowEnabled(int number, bool enabled);
    void updateCursor();

    // ---- input events (also reachable for tests) ----
    void FormMouseDown(Qt::MouseButton button, Qt::MouseButtons held, Qt::KeyboardModifiers mods,
                       QPoint p);
    void FormMouseMove(Qt::MouseButtons held, Qt::KeyboardModifiers mods, QPoint p);
    void FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint p);
    void FormKeyDown(int key, Qt::KeyboardModifiers mods);
    // One wheel step of `delta` at pixel p of the surface; only +-120 act.
    void FormMouseWheel(int delta, QPoint p);
    void FormActivate();

    bool pressed() const { return pressed_; }
    bool zoomDrag() const { return zoomDrag_; }

  signals:
    void closed(int number);
    // The window showed its picture on screen.
    void picturePainted();

  protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    friend class DrawingSurface;
    void FormCreate();
    void FormPaint(QPainter& painter);
    void FormResize();
    void buildMenus();
    void layoutChildren(bool hBar, bool vBar);
    void scrollBarMoved();
    void clearClient();
    void drawGrid();
    void drawXorRect(QPoint a, QPoint b);
    void restoreFromBacking();
    void clickAt(Qt::MouseButton button, QPoint p);
    void releaseDrag(QPoint p);
    void centreOnClick();
    void showPointer(QPoint p);
    uint32_t colourOfPen(int pen) const;

    WindowShared& sh_;
    int number_;
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
    bool pressed_ = false;
    bool zoomDrag_ = false;
    bool bandShown_ = false;
    bool zoomWindowEtc_ = false;
    int savedDragState_ = 0;
    bool zoomAreaShown_ = false;
    QPoint zoomAreaPixel1_, zoomAreaPixel2_;

    QMenu* displayMenu_ = nullptr;
    QMenu* pageMenu_ = nullptr;
    QMenu* unitMenu_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* actUndo_ = nullptr;
    QAction* actRedo_ = nullptr;
    QAction* actMirror_ = nullptr;
    QAction* actDragMode_ = nullptr;
    QAction* actScrollBar_ = nullptr;
    QAction* actZoomIcon_ = nullptr;
    std::array<QAction*, 4> actRot_{};
    std::array<QAction*, 6> actUnit_{};
    std::array<QAction*, 5> actZomWin_{};
};

// The client area of a drawing window: paints the picture and hands mouse,
// wheel and key input to the form.
class DrawingSurface : public QWidget {
    Q_OBJECT
  public:
    explicit DrawingSurface(TQuindle2Form& form);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

  private:
    TQuindle2Form& form_;
};

} // namespace view
