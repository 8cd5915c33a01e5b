#include "view/window/quindle2_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "view/grid.h"
#include "view/image_canvas.h"
#include "view/render_pass.h"
#include "view/window/cursors.h"

namespace view {

TQuindle2Form::TQuindle2Form(WindowShared& shared, int number, QWidget* parent)
    : QWidget(parent), sh_(shared), number_(number) {
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(64, 48);
    resize(480, 360);
    surface_ = new DrawingSurface(*this);
    hBar_ = new QScrollBar(Qt::Horizontal, this);
    vBar_ = new QScrollBar(Qt::Vertical, this);
    hBar_->hide();
    vBar_->hide();
    connect(hBar_, &QScrollBar::valueChanged, this, [this] { scrollBarMoved(); });
    connect(vBar_, &QScrollBar::valueChanged, this, [this] { scrollBarMoved(); });
    buildMenus();
    FormCreate();
    if (number_ >= 1 && number_ <= 5) sh_.windowSlots[number_ - 1] = this;
}

TQuindle2Form::~TQuindle2Form() {
    if (number_ >= 1 && number_ <= 5 && sh_.windowSlots[number_ - 1] == this)
        sh_.windowSlots[number_ - 1] = nullptr;
}

QWidget* TQuindle2Form::surface() const {
    return surface_;
}

QSize TQuindle2Form::clientSize() const {
    return surface_->size();
}

void TQuindle2Form::FormCreate() {
    layoutChildren(false, false);
    QSize s = clientSize().expandedTo(QSize(1, 1));
    screen_ = QImage(s, QImage::Format_RGB32);
    screen_.fill(Qt::white);
    backing_ = screen_;
    const interp::Extents& e = sh_.model.extents();
    ZoomPnt(e.xMin, e.yMin, e.xMax, e.yMax);
    sh_.values.zoomArea = {e.xMin, e.yMin, e.xMax, e.yMax};
    undo_ = DisplayUndo();
    undoRecording_ = true;
    updateChecks();
    updateCursor();
}

void TQuindle2Form::layoutChildren(bool hBar, bool vBar) {
    const int t = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int w = std::max(1, width() - (vBar ? t : 0));
    const int h = std::max(1, height() - (hBar ? t : 0));
    surface_->setGeometry(0, 0, w, h);
    hBar_->setGeometry(0, h, w, t);
    vBar_->setGeometry(w, 0, t, h);
    hBar_->setVisible(hBar);
    vBar_->setVisible(vBar);
}

void TQuindle2Form::ZoomPnt(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    QSize s = clientSize();
    view::ZoomPnt(view_, X1, Y1, X2, Y2, s.width(), s.height(), sh_.model.extents());
}

void TQuindle2Form::pixelToPlotter(QPoint p, int32_t& x, int32_t& y) const {
    view::pixelToPlotter(view_, p.x(), p.y(), x, y);
}

void TQuindle2Form::pixelToPlotterMirrorAware(QPoint p, int32_t& x, int32_t& y) const {
    view::pixelToPlotterMirrorAware(view_, sh_.values.mirror, p.x(), p.y(), x, y);
}

uint32_t TQuindle2Form::colourOfPen(int pen) const {
    return sh_.store.penTable.colour[static_cast<size_t>(std::clamp(pen, 0, 255))];
}

void TQuindle2Form::DispScrollBar(const ViewRect& rect) {
    if (!sh_.store.values.view.useScrollBar) {
        if (hBar_->isVisible() || vBar_->isVisible()) layoutChildren(false, false);
        return;
    }
    const interp::Extents& e = sh_.model.extents();
    int64_t X1 = std::min(rect.X1, rect.X2), X2 = std::max(rect.X1, rect.X2);
    int64_t Y1 = std::min(rect.Y1, rect.Y2), Y2 = std::max(rect.Y1, rect.Y2);
    if (X1 == X2) ++X2;
    if (Y1 == Y2) ++Y2;
    const int t = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    bool wantH = e.xMin < X1 && X2 < e.xMax;
    bool wantV = e.yMin < Y1 && Y2 < e.yMax;
    int w = std::max(1, width() - (wantV ? t : 0));
    int h = std::max(1, height() - (wantH ? t : 0));
    // The aspect rule of ZoomPnt on the reduced client.
    double ratio = (w / 2) > 0 ? double(h / 2) / double(w / 2) : 1.0;
    if (!(ratio > 0.0)) ratio = 1.0;
    if (double(Y2 - Y1) > double(X2 - X1) * ratio)
        X2 = int64_t(std::nearbyint(double(Y2 - Y1) / ratio + double(X1)));
    else
        Y2 = int64_t(std::nearbyint(double(X2 - X1) * ratio + double(Y1)));
    if (X2 >= e.xMax) wantH = false;
    if (Y2 >= e.yMax) wantV = false;
    const double W = double(X2 - X1), H = double(Y2 - Y1);
    const double rangeH = double(w) * double(int64_t(e.xMax) - e.xMin) / W;
    const double rangeV = double(h) * double(int64_t(e.yMax) - e.yMin) / H;
    // A bar whose range in pixels would not fit stays hidden.
    if (rangeH > 32700.0) wantH = false;
    if (rangeV > 32700.0) wantV = false;
    settingBars_ = true;
    layoutChildren(wantH, wantV);
    if (wantH) {
        const double s = double(w) / W;
        hBar_->setRange(0, std::max(0, int(std::lround(rangeH)) - w));
        hBar_->setPageStep(w);
        hBar_->setSingleStep(std::max(1, w / 10));
        hBar_->setValue(int(std::lround(double(X1 - e.xMin) * s)));
        hBar_->setTracking(sh_.store.values.view.DragMode);
    }
    if (wantV) {
        const double s = double(h) / H;
        vBar_->setRange(0, std::max(0, int(std::lround(rangeV)) - h));
        vBar_->setPageStep(h);
        vBar_->setSingleStep(std::max(1, h / 10));
        vBar_->setValue(int(std::lround(double(e.yMax - Y2) * s)));
        vBar_->setTracking(sh_.store.values.view.DragMode);
    }
    hBarPos_ = hBar_->value();
    vBarPos_ = vBar_->value();
    settingBars_ = false;
    // The client shrank or grew with the bars: the next redraw uses the new size.
    if (screen_.size() != clientSize().expandedTo(QSize(1, 1))) {
        screen_ = QImage(clientSize().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        screen_.fill(Qt::white);
    }
    lastClient_ = clientSize();
}

void TQuindle2Form::scrollBarMoved() {
    if (settingBars_ || sh_.passRunning) return;
    const int h = hBar_->isVisible() ? hBar_->value() : hBarPos_;
    const int v = vBar_->isVisible() ? vBar_->value() : vBarPos_;
    if (h == hBarPos_ && v == vBarPos_) return;
    const interp::Extents& e = sh_.model.extents();
    ViewRect r = viewRect();
    const double s = view_.scale;
    if (h != hBarPos_ && s > 0) {
        int64_t w = r.width();
        r.X1 = clampToLimit(double(e.xMin) + h / s);
        r.X2 = clampToLimit(int64_t(r.X1) + w);
    }
    if (v != vBarPos_ && s > 0) {
        int64_t hh = r.height();
        r.Y2 = clampToLimit(double(e.yMax) - v / s);
        r.Y1 = clampToLimit(int64_t(r.Y2) - hh);
    }
    hBarPos_ = h;
    vBarPos_ = v;
    ZoomPnt(r);
    sh_.values.zoomArea = {view_.X1, view_.Y1, view_.X2, view_.Y2};
    clearClient();
    DrawPage();
    drawGrid();
    backing_ = screen_;
    surface_->update();
}

void TQuindle2Form::clearClient() {
    QSize s = clientSize().expandedTo(QSize(1, 1));
    if (screen_.size() != s) screen_ = QImage(s, QImage::Format_RGB32);
    screen_.fill(toPixel(colourOfPen(sh_.store.values.pens.BackPenNo)));
}

void TQuindle2Form::DrawPage() {
    {
        ImageCanvas canvas(screen_);
        RenderInputs in{sh_.model, sh_.store.values, sh_.store.penTable, sh_.values};
        RenderPass pass(in, view_, canvas);
        pass.DrawPage();
    }
    pageMenu_->setEnabled(sh_.model.pageCount() > 1);
}

void TQuindle2Form::drawGrid() {
    ImageCanvas canvas(screen_);
    DrawGrid(canvas, view_, sh_.store.values.grid, sh_.values, sh_.model.extents());
}

void TQuindle2Form::Redraw() {
    if (sh_.passRunning) return;
    sh_.passRunning = true;
    setCursor(QCursor(Qt::WaitCursor));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    clearClient();
    DrawPage();
    if (sh_.store.values.grid.DisGrdMode) drawGrid();
    hBarPos_ = hBar_->value();
    vBarPos_ = vBar_->value();
    backing_ = screen_;
    sh_.mouse.down = sh_.mouse.last;
    bandShown_ = false;
    zoomAreaShown_ = false;
    sh_.passRunning = false;
    ZoomAreaAdd();
    QApplication::restoreOverrideCursor();
    updateCursor();
    painted_ = true;
    surface_->update();
}

void TQuindle2Form::ZoomAreaAdd() {
    if (undoRecording_) undo_.add(viewRect());
    updateUndoRedo();
}

void TQuindle2Form::updateUndoRedo() {
    actUndo_->setEnabled(undo_.canUndo());
    actRedo_->setEnabled(undo_.canRedo());
    if (sh_.frame) sh_.frame->undoRedoChanged(*this, undo_.canUndo(), undo_.canRedo());
}

void TQuindle2Form::updateCursor() {
    if (sh_.passRunning) return;
    surface_->setCursor(cursorForMode(sh_.cursorMode));
}

void TQuindle2Form::FormPaint(QPainter& painter) {
    if (!painted_) {
        // First paint: an empty picture; with no file open, a default view.
        painted_ = true;
        clearClient();
        backing_ = screen_;
        if (!sh_.frame || !sh_.frame->hasFile()) ZoomPnt(0, 0, 1000000, 1000000);
        lastClient_ = clientSize();
    }
    painter.drawImage(0, 0, screen_);
    emit picturePainted();
}

void TQuindle2Form::resizeEvent(QResizeEvent*) {
    layoutChildren(hBar_->isVisible(), vBar_->isVisible());
    FormResize();
}

void TQuindle2Form::FormResize() {
    if (!isVisible() || sh_.passRunning || clientSize() == lastClient_) return;
    lastClient_ = clientSize();
    ViewRect r = viewRect();
    DispScrollBar(r);
    ZoomPnt(r);
    Redraw();
}

void TQuindle2Form::closeEvent(QCloseEvent* e) {
    if (number_ >= 1 && number_ <= 5 && sh_.windowSlots[number_ - 1] == this)
        sh_.windowSlots[number_ - 1] = nullptr;
    emit closed(number_);
    e->accept();
}

void TQuindle2Form::FormActivate() {
    if (!painted_)
        Redraw();
    else
        updateUndoRedo();
}

// ---------------------------------------------------------------------------

DrawingSurface::DrawingSurface(TQuindle2Form& form) : QWidget(&form), form_(form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void DrawingSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    form_.FormPaint(p);
}

void DrawingSurface::mousePressEvent(QMouseEvent* e) {
    form_.FormMouseDown(e->button(), e->buttons(), e->modifiers(), e->position().toPoint());
}

void DrawingSurface::mouseMoveEvent(QMouseEvent* e) {
    form_.FormMouseMove(e->buttons(), e->modifiers(), e->position().toPoint());
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent* e) {
    form_.FormMouseUp(e->button(), e->modifiers(), e->position().toPoint());
}

void DrawingSurface::wheelEvent(QWheelEvent* e) {
    form_.FormMouseWheel(e->angleDelta().y(), e->position().toPoint());
    e->accept();
}

void DrawingSurface::keyPressEvent(QKeyEvent* e) {
    form_.FormKeyDown(e->key(), e->modifiers());
}

void DrawingSurface::contextMenuEvent(QContextMenuEvent* e) {
    e->accept();
}

} // namespace view
