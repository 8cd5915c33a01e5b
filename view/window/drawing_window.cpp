#include "view/window/drawing_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "view/compose_image.h"
#include "view/image_canvas.h"
#include "view/window/cursors.h"
#include "view/window/scoped_state.h"

namespace view {

DrawingWindow::DrawingWindow(WindowShared& shared, int number, QWidget* parent)
    : QWidget(parent), sh_(shared), number_(number), actions_(this) {
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(64, 48);
    setAcceptDrops(true);
    resize(480, 360);
    surface_ = new DrawingSurface(*this);
    hBar_ = new QScrollBar(Qt::Horizontal, this);
    vBar_ = new QScrollBar(Qt::Vertical, this);
    hBar_->hide();
    vBar_->hide();
    connect(hBar_, &QScrollBar::valueChanged, this, [this] { scrollBarMoved(); });
    connect(vBar_, &QScrollBar::valueChanged, this, [this] { scrollBarMoved(); });
    buildActions();

    layoutChildren(false, false);
    screen_ = QImage(clientSize().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    screen_.fill(Qt::white);
    backing_ = screen_;
    const interp::Extents& e = sh_.model.extents();
    setViewRect({e.xMin, e.yMin, e.xMax, e.yMax});
    sh_.values.zoomArea = {e.xMin, e.yMin, e.xMax, e.yMax};
    updateChecks();
    updateCursor();
    if (number_ >= 1 && number_ <= 5) sh_.windowSlots[number_ - 1] = this;
}

DrawingWindow::~DrawingWindow() {
    if (number_ >= 1 && number_ <= 5 && sh_.windowSlots[number_ - 1] == this)
        sh_.windowSlots[number_ - 1] = nullptr;
}

QWidget* DrawingWindow::surface() const {
    return surface_;
}

QSize DrawingWindow::clientSize() const {
    return surface_->size();
}

void DrawingWindow::layoutChildren(bool hBar, bool vBar) {
    const int t = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int w = std::max(1, width() - (vBar ? t : 0));
    const int h = std::max(1, height() - (hBar ? t : 0));
    surface_->setGeometry(0, 0, w, h);
    hBar_->setGeometry(0, h, w, t);
    vBar_->setGeometry(w, 0, t, h);
    hBar_->setVisible(hBar);
    vBar_->setVisible(vBar);
}

void DrawingWindow::setViewRect(const ViewRect& r) {
    const QSize s = clientSize();
    ZoomPnt(view_, r.X1, r.Y1, r.X2, r.Y2, s.width(), s.height(), sh_.model.extents());
}

void DrawingWindow::pixelToPlotter(QPoint p, int32_t& x, int32_t& y) const {
    view::pixelToPlotter(view_, p.x(), p.y(), x, y);
}

void DrawingWindow::pixelToPlotterMirrorAware(QPoint p, int32_t& x, int32_t& y) const {
    view::pixelToPlotterMirrorAware(view_, sh_.values.mirror, p.x(), p.y(), x, y);
}

uint32_t DrawingWindow::colourOfPen(int pen) const {
    return sh_.store.penTable.colour[static_cast<size_t>(std::clamp(pen, 0, 255))];
}

void DrawingWindow::updateScrollBars(const ViewRect& rect) {
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
    // The aspect rule of the view rectangle on the reduced client.
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
    {
        const ScopedFlag setting(settingBars_);
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
    }
    // The client shrank or grew with the bars: the next picture takes the new size.
    fitScreenImage();
    lastClient_ = clientSize();
}

void DrawingWindow::scrollBarMoved() {
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
    setViewRect(r);
    sh_.values.zoomArea = {view_.X1, view_.Y1, view_.X2, view_.Y2};
    composePicture();
    surface_->update();
}

void DrawingWindow::fitScreenImage() {
    const QSize s = clientSize().expandedTo(QSize(1, 1));
    if (screen_.size() == s) return;
    screen_ = QImage(s, QImage::Format_RGB32);
    screen_.fill(Qt::white);
}

void DrawingWindow::composePicture() {
    fitScreenImage();
    const RenderInputs in{sh_.model, sh_.store.values, sh_.store.penTable, sh_.values};
    composeImage(screen_, in, view_);
    backing_ = screen_;
    pageMenu_->setEnabled(sh_.model.pageCount() > 1);
}

void DrawingWindow::redraw() {
    if (sh_.passRunning || sh_.holdPictures) return;
    {
        const ScopedFlag running(sh_.passRunning);
        const BusyCursor busy;
        surface_->setCursor(cursorForMode(CursorMode::Busy));
        composePicture();
        hBarPos_ = hBar_->value();
        vBarPos_ = vBar_->value();
        sh_.mouse.down = sh_.mouse.last;
        bandShown_ = false;
    }
    recordView();
    updateCursor();
    painted_ = true;
    surface_->update();
    emit redrawn();
}

void DrawingWindow::applyView(const ViewRect& r) {
    updateScrollBars(r);
    setViewRect(r);
    redraw();
}

void DrawingWindow::recordView() {
    if (undoRecording_) undo_.add(viewRect());
    updateUndoRedo();
}

void DrawingWindow::updateUndoRedo() {
    actions_.action(QStringLiteral("undoView"))->setEnabled(undo_.canUndo());
    actions_.action(QStringLiteral("redoView"))->setEnabled(undo_.canRedo());
    if (sh_.frame) sh_.frame->undoRedoChanged(*this, undo_.canUndo(), undo_.canRedo());
}

void DrawingWindow::updateCursor() {
    if (sh_.passRunning) return;
    surface_->setCursor(cursorForMode(sh_.cursorMode));
}

void DrawingWindow::paintPicture(QPainter& painter) {
    if (!painted_) {
        // First paint: an empty picture; with no file open, a default view.
        painted_ = true;
        fitScreenImage();
        screen_.fill(toPixel(colourOfPen(sh_.store.values.pens.BackPenNo)));
        backing_ = screen_;
        if (!sh_.frame || !sh_.frame->hasFile()) setViewRect({0, 0, 1000000, 1000000});
        lastClient_ = clientSize();
    }
    painter.drawImage(0, 0, screen_);
    emit picturePainted();
}

void DrawingWindow::resizeEvent(QResizeEvent*) {
    layoutChildren(hBar_->isVisible(), vBar_->isVisible());
    adaptToClientSize();
}

void DrawingWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // The frame may have resized the window while it was hidden (maximise,
    // restore): the picture must follow the size it is shown at.
    adaptToClientSize();
}

void DrawingWindow::adaptToClientSize() {
    if (!isVisible() || sh_.passRunning || sh_.holdPictures || clientSize() == lastClient_) return;
    lastClient_ = clientSize();
    // The same rectangle, adapted to the new shape.
    applyView(viewRect());
}

void DrawingWindow::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void DrawingWindow::dropEvent(QDropEvent* e) {
    const QList<QUrl> urls = e->mimeData()->urls();
    e->acceptProposedAction();
    if (urls.isEmpty() || !sh_.frame) return;
    const QString name = urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
    if (name.isEmpty() || name.size() > kMaxDroppedNameLength) return;
    // Thumbnail images the program made itself are not drawings.
    if (name.contains(QStringLiteral("/QuindleThumb/"))) return;
    sh_.frame->openDroppedFile(name);
}

void DrawingWindow::closeEvent(QCloseEvent* e) {
    if (number_ >= 1 && number_ <= 5 && sh_.windowSlots[number_ - 1] == this)
        sh_.windowSlots[number_ - 1] = nullptr;
    emit closed(number_);
    e->accept();
}

void DrawingWindow::windowActivated() {
    if (!painted_)
        redraw();
    else
        updateUndoRedo();
}

// ---------------------------------------------------------------------------

DrawingSurface::DrawingSurface(DrawingWindow& window) : QWidget(&window), window_(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void DrawingSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    window_.paintPicture(p);
}

void DrawingSurface::mousePressEvent(QMouseEvent* e) {
    window_.handleMousePress(e->button(), e->position().toPoint());
}

void DrawingSurface::mouseMoveEvent(QMouseEvent* e) {
    window_.handleMouseMove(e->buttons(), e->position().toPoint());
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent* e) {
    window_.handleMouseRelease(e->button());
}

void DrawingSurface::wheelEvent(QWheelEvent* e) {
    window_.handleWheel(e->angleDelta().y(), e->position().toPoint());
    e->accept();
}

void DrawingSurface::keyPressEvent(QKeyEvent* e) {
    window_.handleKeyPress(e->key(), e->modifiers());
}

void DrawingSurface::contextMenuEvent(QContextMenuEvent* e) {
    e->accept();
}

} // namespace view
