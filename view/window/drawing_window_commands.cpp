// The commands of the drawing window: display all, zoom, shifts, zoom
// windows, display undo and redo, rotation, mirror, grid, scroll-bar option,
// length unit, pages, keys and the wheel.

#include <cmath>

#include "interp/length_units.h"
#include "interp/model_rotation.h"
#include "render/grid.h"
#include "view/image_canvas.h"
#include "view/window/drawing_window.h"
#include "view/window/scoped_state.h"

namespace view {

void DrawingWindow::displayAll() {
    const interp::Extents& e = sh_.model.extents();
    applyView({e.xMin, e.yMin, e.xMax, e.yMax});
}

void DrawingWindow::zoomToArea() {
    if (parentWidget()) parentWidget()->raise();
    raise();
    sh_.zoomAreaSetting = false;
    const ZoomArea& a = sh_.values.zoomArea;
    applyView({a.X1, a.Y1, a.X2, a.Y2});
}

void DrawingWindow::zoomIn() {
    applyView(zoomUpRect(viewRect()));
}

void DrawingWindow::zoomOut() {
    applyView(zoomDownRect(viewRect()));
}

void DrawingWindow::shiftBy(int right, int up) {
    applyView(shiftRect(viewRect(), right, up));
}

void DrawingWindow::zoomOnWindow(int n) {
    DrawingWindow* target = sh_.window(n);
    if (!target) return;
    if (sh_.store.values.mouse.ZoomIconMode != 0) {
        sh_.zoomAreaSetting = true;
        target->zoomToArea();
    } else {
        if (target->parentWidget()) target->parentWidget()->raise();
        target->raise();
    }
}

void DrawingWindow::setRotation(DisplayRotation rotation) {
    const int number = rotationNumber(rotation);
    sh_.store.values.view.displayRotation = static_cast<uint8_t>(number);
    sh_.values.displayRotation = number;
    if (sh_.frame) sh_.frame->rotationChanged(rotation);
    sh_.forEachWindow([](DrawingWindow& w) { w.updateChecks(); });
    const int turns = interp::rotationQuarterTurns(sh_.values.rotationApplied, number);
    if (turns != 0) {
        interp::rotateModel(sh_.model, turns);
        const interp::Extents& e = sh_.model.extents();
        sh_.values.zoomArea = {e.xMin, e.yMin, e.xMax, e.yMax};
        sh_.values.rotationApplied = number;
    }
    displayAll();
}

void DrawingWindow::toggleMirror() {
    sh_.values.mirror = !sh_.values.mirror;
    sh_.forEachWindow([](DrawingWindow& w) { w.updateChecks(); });
    setViewRect(viewRect());
    displayAll();
}

void DrawingWindow::overlayGrid() {
    // The grid is drawn with the mirror off.
    const bool mirror = sh_.values.mirror;
    sh_.values.mirror = false;
    {
        ImageCanvas canvas(screen_);
        DrawGrid(canvas, view_, sh_.store.values.grid, sh_.values, sh_.model.extents());
    }
    sh_.values.mirror = mirror;
    backing_ = screen_;
    surface_->update();
}

void DrawingWindow::outlineZoomArea() {
    const ZoomArea& a = sh_.values.zoomArea;
    // The outline is drawn with the mirror off.
    ViewState plain = view_;
    plain.activateMirror(false);
    double dx1, dy1, dx2, dy2;
    deviceOffset(plain, a.X1, a.Y1, dx1, dy1);
    deviceOffset(plain, a.X2, a.Y2, dx2, dy2);
    auto inRange = [](double d) { return d > -32767.0 && d < 32767.0; };
    if (!(inRange(dx1) && inRange(dy1) && inRange(dx2) && inRange(dy2))) return;
    drawXorRect(QPoint(plain.hw + int(std::lround(dx1)), plain.hh - int(std::lround(dy1))),
                QPoint(plain.hw + int(std::lround(dx2)), plain.hh - int(std::lround(dy2))));
    backing_ = screen_;
    surface_->update();
}

void DrawingWindow::stepView(bool (DisplayUndo::*step)(ViewRect&)) {
    ViewRect r;
    if (!(undo_.*step)(r)) {
        if (sh_.frame) sh_.frame->report(QStringLiteral("Can not execute Display Undo/Redo !"));
        return;
    }
    sh_.values.zoomArea = {r.X1, r.Y1, r.X2, r.Y2};
    const ScopedFlag notRecorded(undoRecording_, false);
    applyView(r);
}

void DrawingWindow::undoView() {
    stepView(&DisplayUndo::undo);
}

void DrawingWindow::redoView() {
    stepView(&DisplayUndo::redo);
}

void DrawingWindow::toggleScrollBars() {
    auto& on = sh_.store.values.view.useScrollBar;
    on = !on;
    sh_.forEachWindow([](DrawingWindow& w) {
        w.updateChecks();
        w.applyView(w.viewRect());
    });
}

void DrawingWindow::setLengthUnit(int unit) {
    if (unit < 0 || unit >= interp::kLengthUnitCount) return;
    sh_.store.values.view.lengthUnit = static_cast<uint8_t>(unit);
    sh_.forEachWindow([](DrawingWindow& w) { w.updateChecks(); });
    if (sh_.frame) sh_.frame->lengthUnitChanged();
}

void DrawingWindow::toggleDragMode() {
    sh_.setDragMode(!sh_.store.values.view.DragMode);
}

// The page commands only move the main window's page control; its change
// handler selects the page and shows it.

void DrawingWindow::showPreviousPage() {
    if (!sh_.frame) return;
    const int p = sh_.frame->pageSpinPosition();
    if (p > 1) sh_.frame->setPageSpinPosition(p - 1);
}

void DrawingWindow::showNextPage() {
    if (!sh_.frame) return;
    const int p = sh_.frame->pageSpinPosition();
    if (p < sh_.model.pageCount()) sh_.frame->setPageSpinPosition(p + 1);
}

void DrawingWindow::showFirstPage() {
    if (sh_.frame) sh_.frame->setPageSpinPosition(1);
}

void DrawingWindow::showLastPage() {
    if (sh_.frame) sh_.frame->setPageSpinPosition(sh_.model.pageCount());
}

void DrawingWindow::handleKeyPress(int key, Qt::KeyboardModifiers mods) {
    if (areaDragOnly_ && (key == Qt::Key_Escape || key == Qt::Key_Backspace)) {
        if (bandShown_) restoreFromBacking();
        pressed_ = false;
        endAreaDrag();
        return;
    }
    if (mods & Qt::ShiftModifier) {
        sh_.mouse.dragState = DragState::Shift;
        if (!sh_.store.values.view.DragMode)
            sh_.setDragMode(true);
        else
            sh_.rebuildMouseHelp();
        return;
    }
    if (mods & Qt::ControlModifier) {
        if (sh_.cursorMode == CursorMode::ZoomInArmed)
            sh_.setCursorMode(CursorMode::ZoomOutArmed);
        else if (sh_.cursorMode == CursorMode::ZoomOutArmed)
            sh_.setCursorMode(CursorMode::ZoomInArmed);
        else
            sh_.setDragMode(false);
        return;
    }
    switch (key) {
    case Qt::Key_PageUp:
        zoomIn();
        break;
    case Qt::Key_PageDown:
        zoomOut();
        break;
    case Qt::Key_Home:
        displayAll();
        break;
    case Qt::Key_Left:
        shiftBy(-1, 0);
        break;
    case Qt::Key_Up:
        shiftBy(0, 1);
        break;
    case Qt::Key_Right:
        shiftBy(1, 0);
        break;
    case Qt::Key_Down:
        shiftBy(0, -1);
        break;
    default:
        break;
    }
}

void DrawingWindow::handleWheel(int delta, QPoint p) {
    if (sh_.passRunning || delta == 0) return;
    // Fine-stepping wheels and touchpads send parts of a notch: they add up,
    // and a turn the other way starts afresh.
    if ((delta > 0) != (wheelRest_ > 0)) wheelRest_ = 0;
    wheelRest_ += delta;
    while (wheelRest_ >= kWheelNotch || wheelRest_ <= -kWheelNotch) {
        const int notch = wheelRest_ > 0 ? 1 : -1;
        wheelRest_ -= notch * kWheelNotch;
        wheelStep(notch, p);
    }
}

void DrawingWindow::wheelStep(int notch, QPoint p) {
    const QSize s = clientSize();
    int32_t x, y;
    wheelPoint(viewRect(), p.x(), s.height() - p.y(), s.width(), s.height(), x, y);
    const ViewRect r = wheelRect(viewRect(), notch, x, y);
    // The wheel adds no display undo entry: the picture is composed here,
    // not through redraw().
    updateScrollBars(r);
    setViewRect(r);
    composePicture();
    sh_.values.zoomArea = {view_.X1, view_.Y1, view_.X2, view_.Y2};
    surface_->update();
}

void DrawingWindow::beginAreaDrag() {
    if (areaDragOnly_) return;
    savedDragState_ = sh_.mouse.dragState;
    sh_.mouse.dragState = DragState::RubberBand;
    areaDragOnly_ = true;
}

void DrawingWindow::endAreaDrag() {
    if (!areaDragOnly_) return;
    areaDragOnly_ = false;
    sh_.mouse.dragState = savedDragState_;
}

} // namespace view
