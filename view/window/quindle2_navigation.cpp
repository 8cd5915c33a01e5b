// The navigation commands of the drawing window: display all, zoom, shifts,
// zoom windows, display undo and redo, rotation, mirror, grid, scroll-bar
// option, length unit, pages, keys and the wheel.

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include "interp/length_units.h"
#include "interp/model_rotation.h"
#include "view/image_canvas.h"
#include "view/window/quindle2_form.h"

namespace view {

void TQuindle2Form::applyView(const ViewRect& r) {
    DispScrollBar(r);
    ZoomPnt(r);
    Redraw();
}

void TQuindle2Form::DisAllClick() {
    const interp::Extents& e = sh_.model.extents();
    applyView({e.xMin, e.yMin, e.xMax, e.yMax});
}

void TQuindle2Form::ZomWinClick() {
    if (parentWidget()) parentWidget()->raise();
    raise();
    sh_.zoomAreaSetting = false;
    const ZoomArea& a = sh_.values.zoomArea;
    applyView({a.X1, a.Y1, a.X2, a.Y2});
}

void TQuindle2Form::ZomUpClick() {
    applyView(zoomUpRect(viewRect()));
}
void TQuindle2Form::ZomDwnClick() {
    applyView(zoomDownRect(viewRect()));
}
void TQuindle2Form::DisAgnClick() {
    Redraw();
}
void TQuindle2Form::SftRgtClick() {
    applyView(shiftRect(viewRect(), 1, 0));
}
void TQuindle2Form::SftLftClick() {
    applyView(shiftRect(viewRect(), -1, 0));
}
void TQuindle2Form::SftUpClick() {
    applyView(shiftRect(viewRect(), 0, 1));
}
void TQuindle2Form::SftDwnClick() {
    applyView(shiftRect(viewRect(), 0, -1));
}
void TQuindle2Form::SftRgtUpClick() {
    applyView(shiftRect(viewRect(), 1, 1));
}
void TQuindle2Form::SftRgtDwnClick() {
    applyView(shiftRect(viewRect(), 1, -1));
}
void TQuindle2Form::SftLftUpClick() {
    applyView(shiftRect(viewRect(), -1, 1));
}
void TQuindle2Form::SftLgtDwnClick() {
    applyView(shiftRect(viewRect(), -1, -1));
}

void TQuindle2Form::ZomWinNClick(int n) {
    TQuindle2Form* target = sh_.window(n);
    if (!target) return;
    if (sh_.store.values.mouse.ZoomIconMode != 0) {
        sh_.zoomAreaSetting = true;
        target->ZomWinClick();
    } else {
        if (target->parentWidget()) target->parentWidget()->raise();
        target->raise();
    }
}

void TQuindle2Form::DisRotClick(int rotation) {
    if (rotation < 1 || rotation > 4) return;
    sh_.store.values.view.displayRotation = static_cast<uint8_t>(rotation);
    sh_.values.displayRotation = rotation;
    if (sh_.frame) sh_.frame->rotationChanged(rotation);
    sh_.forEachWindow([](TQuindle2Form& w) { w.updateChecks(); });
    const int turns = interp::rotationQuarterTurns(sh_.values.rotationApplied, rotation);
    if (turns != 0) {
        interp::rotateModel(sh_.model, turns);
        const interp::Extents& e = sh_.model.extents();
        sh_.values.zoomArea = {e.xMin, e.yMin, e.xMax, e.yMax};
        sh_.values.rotationApplied = rotation;
    }
    DisAllClick();
}

void TQuindle2Form::DisMirrClick() {
    sh_.values.mirror = !sh_.values.mirror;
    sh_.forEachWindow([](TQuindle2Form& w) { w.updateChecks(); });
    ZoomPnt(viewRect());
    DisAllClick();
}

void TQuindle2Form::DisGrdClick() {
    const bool mirror = sh_.values.mirror;
    sh_.values.mirror = false;
    drawGrid();
    sh_.values.mirror = mirror;
    backing_ = screen_;
    surface_->update();
}

void TQuindle2Form::DisZoomAreaClick() {
    const ZoomArea& a = sh_.values.zoomArea;
    // The outline is drawn with the mirror off.
    ViewState plain = view_;
    plain.activateMirror(false);
    PixelPos p1 = mapToPixel(plain, a.X1, a.Y1);
    PixelPos p2 = mapToPixel(plain, a.X2, a.Y2);
    double dx1, dy1, dx2, dy2;
    deviceOffset(plain, a.X1, a.Y1, dx1, dy1);
    deviceOffset(plain, a.X2, a.Y2, dx2, dy2);
    auto inRange = [](double d) { return d > -32767.0 && d < 32767.0; };
    if (!(inRange(dx1) && inRange(dy1) && inRange(dx2) && inRange(dy2))) return;
    QPoint c1(plain.hw + int(std::lround(dx1)), plain.hh - int(std::lround(dy1)));
    QPoint c2(plain.hw + int(std::lround(dx2)), plain.hh - int(std::lround(dy2)));
    (void)p1;
    (void)p2;
    drawXorRect(c1, c2);
    backing_ = screen_;
    zoomAreaShown_ = true;
    zoomAreaPixel1_ = c1;
    zoomAreaPixel2_ = c2;
    surface_->update();
}

void TQuindle2Form::DisplayUndoClick() {
    ViewRect r;
    if (!undo_.undo(r)) {
        if (sh_.frame) sh_.frame->report(QStringLiteral("Can not execute Display Undo/Redo !"));
        return;
    }
    sh_.values.zoomArea = {r.X1, r.Y1, r.X2, r.Y2};
    undoRecording_ = false;
    applyView(r);
    undoRecording_ = true;
}

void TQuindle2Form::DisplayRedoClick() {
    ViewRect r;
    if (!undo_.redo(r)) {
        if (sh_.frame) sh_.frame->report(QStringLiteral("Can not execute Display Undo/Redo !"));
        return;
    }
    sh_.values.zoomArea = {r.X1, r.Y1, r.X2, r.Y2};
    undoRecording_ = false;
    applyView(r);
    undoRecording_ = true;
}

void TQuindle2Form::SetScrollBarClick() {
    auto& on = sh_.store.values.view.useScrollBar;
    on = !on;
    sh_.forEachWindow([](TQuindle2Form& w) {
        w.updateChecks();
        w.applyView(w.viewRect());
    });
}

void TQuindle2Form::UnitClick(int unit) {
    if (unit < 0 || unit >= interp::kLengthUnitCount) return;
    sh_.store.values.view.lengthUnit = static_cast<uint8_t>(unit);
    sh_.forEachWindow([](TQuindle2Form& w) { w.updateChecks(); });
    if (sh_.frame) sh_.frame->lengthUnitChanged();
}

void TQuindle2Form::DragModeClick() {
    sh_.setDragMode(!sh_.store.values.view.DragMode);
}

void TQuindle2Form::PageForwardClick() {
    if (!sh_.frame) return;
    int p = sh_.frame->pageSpinPosition();
    if (p > 1) sh_.frame->setPageSpinPosition(p - 1);
}

void TQuindle2Form::PageNextClick() {
    if (!sh_.frame) return;
    int p = sh_.frame->pageSpinPosition();
    if (p < sh_.model.pageCount()) sh_.frame->setPageSpinPosition(p + 1);
}

void TQuindle2Form::PageBeginClick() {
    if (sh_.frame) sh_.frame->setPageSpinPosition(1);
}

void TQuindle2Form::PageEndClick() {
    if (sh_.frame) sh_.frame->setPageSpinPosition(sh_.model.pageCount());
}

void TQuindle2Form::FormKeyDown(int key, Qt::KeyboardModifiers mods) {
    if (zoomWindowEtc_ && (key == Qt::Key_Escape || key == Qt::Key_Backspace)) {
        if (bandShown_) restoreFromBacking();
        pressed_ = false;
        endZoomWindowEtc();
        return;
    }
    if (mods & Qt::ShiftModifier) {
        sh_.mouse.dragState = 1;
        if (!sh_.store.values.view.DragMode)
            sh_.setDragMode(true);
        else
            sh_.rebuildMouseHelp();
        return;
    }
    if (mods & Qt::ControlModifier) {
        const int state = sh_.zoomIconState();
        if (state == 3)
            sh_.setCursorMode(4);
        else if (state == 4)
            sh_.setCursorMode(3);
        else {
            sh_.setDragMode(false);
            sh_.mouse.dragState = 0;
        }
        return;
    }
    switch (key) {
    case Qt::Key_PageUp:
        ZomUpClick();
        break;
    case Qt::Key_PageDown:
        ZomDwnClick();
        break;
    case Qt::Key_Home:
        DisAllClick();
        break;
    case Qt::Key_Left:
        SftLftClick();
        break;
    case Qt::Key_Up:
        SftUpClick();
        break;
    case Qt::Key_Right:
        SftRgtClick();
        break;
    case Qt::Key_Down:
        SftDwnClick();
        break;
    default:
        break;
    }
}

void TQuindle2Form::FormMouseWheel(int delta, QPoint p) {
    if ((delta != 120 && delta != -120) || sh_.passRunning) return;
    const QSize s = clientSize();
    int32_t x, y;
    wheelPoint(viewRect(), p.x(), s.height() - p.y(), s.width(), s.height(), x, y);
    ViewRect r = wheelRect(viewRect(), delta > 0 ? 1 : -1, x, y);
    DispScrollBar(r);
    ZoomPnt(r);
    clearClient();
    DrawPage();
    if (sh_.store.values.grid.DisGrdMode) drawGrid();
    backing_ = screen_;
    sh_.values.zoomArea = {view_.X1, view_.Y1, view_.X2, view_.Y2};
    surface_->update();
}

void TQuindle2Form::ZoomWindowEtcClick() {
    // The next drag marks an area whatever the drag mode; the mode comes back
    // when a button is released or Esc or Backspace is typed.
    if (zoomWindowEtc_) return;
    savedDragState_ = sh_.mouse.dragState;
    sh_.mouse.dragState = 0;
    zoomWindowEtc_ = true;
}

void TQuindle2Form::endZoomWindowEtc() {
    if (!zoomWindowEtc_) return;
    zoomWindowEtc_ = false;
    sh_.mouse.dragState = savedDragState_;
}

} // namespace view
