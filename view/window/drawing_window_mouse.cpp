// Mouse interaction of the drawing window: press, move and release turned
// into clicks (display all, centre, zoom at the point, pop-up) and drags
// (rubber band for an area or a zoom, drag shift, up-down zoom).

#include <QMenu>
#include <cstdlib>

#include "interp/length_units.h"
#include "view/image_canvas.h"
#include "view/window/cursors.h"
#include "view/window/drawing_window.h"

namespace view {

namespace {
constexpr int kClickSlop = 6; // a press and release closer than this is a click
constexpr int kStep = 5;      // pixels a drag step must exceed
} // namespace

void DrawingWindow::drawXorRect(QPoint a, QPoint b) {
    ImageCanvas canvas(screen_);
    canvas.setPen(colourOfPen(sh_.store.values.pens.MarkPenNo), 1, RasterOp::Xor);
    canvas.moveTo(a.x(), a.y());
    canvas.lineTo(b.x(), a.y());
    canvas.lineTo(b.x(), b.y());
    canvas.lineTo(a.x(), b.y());
    canvas.lineTo(a.x(), a.y());
}

void DrawingWindow::restoreFromBacking() {
    screen_ = backing_;
    bandShown_ = false;
    surface_->update();
}

void DrawingWindow::showPointer(QPoint p) {
    if (!sh_.frame) return;
    int32_t x, y;
    pixelToPlotterMirrorAware(p, x, y);
    const interp::LengthUnit& u = interp::lengthUnit(sh_.store.values.view.lengthUnit);
    const int width = u.extraDecimals + 5, precision = u.extraDecimals + 2;
    sh_.frame->showPointerText(QString::asprintf(" X:%*.*f%s, Y:%*.*f%s", width, precision,
                                                 x * 0.025 / u.mmPerUnit, u.name, width, precision,
                                                 y * 0.025 / u.mmPerUnit, u.name));
}

void DrawingWindow::handleMousePress(Qt::MouseButton button, QPoint p) {
    if (sh_.passRunning) return;
    InteractionState& m = sh_.mouse;
    const auto& mouse = sh_.store.values.mouse;
    m.button = button;
    pressed_ = true;
    zoomDrag_ = false;
    if (button == Qt::MiddleButton) {
        m.dragState = DragState::Shift;
        if (sh_.frame) sh_.frame->showStatusText(QStringLiteral("DispShift"));
        surface_->setCursor(dragCursor());
    } else if (m.dragState != DragState::RubberBand) {
        const int setting =
            button == Qt::LeftButton ? mouse.MouseOpeOnLDrag : mouse.MouseOpeOnRDrag;
        m.dragState = setting == 1 ? DragState::UpDownZoom : DragState::Shift;
        if (sh_.frame)
            sh_.frame->showStatusText(m.dragState == DragState::UpDownZoom
                                          ? QStringLiteral("DispZoomUp/Down")
                                          : QStringLiteral("DispShift"));
        surface_->setCursor(dragCursor());
    } else {
        if (button == Qt::LeftButton)
            zoomDrag_ = mouse.MouseOpeOffLDrag == 1 || sh_.zoomArmed();
        else if (button == Qt::RightButton)
            zoomDrag_ = mouse.MouseOpeOffRDrag == 1;
        if (sh_.frame)
            sh_.frame->showStatusText(QStringLiteral("Set Area of ZoomDisplay,Clipboard,PlotOut"));
    }
    m.down = p;
    m.last = p;
    bandShown_ = false;
}

void DrawingWindow::handleMouseMove(Qt::MouseButtons held, QPoint p) {
    showPointer(p);
    InteractionState& m = sh_.mouse;
    if (!pressed_ || m.step) return;
    if (!(held & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton))) {
        // The button came up outside the window.
        handleMouseRelease(m.button);
        return;
    }
    if (m.dragState == DragState::RubberBand) {
        if (bandShown_) drawXorRect(m.down, m.last);
        m.last = p;
        drawXorRect(m.down, m.last);
        bandShown_ = true;
        surface_->update();
        return;
    }
    const QSize s = clientSize();
    const ViewRect v = viewRect();
    if (m.dragState == DragState::Shift) {
        const int dx = m.last.x() - p.x(), dy = p.y() - m.last.y();
        if (std::abs(dx) <= kStep && std::abs(dy) <= kStep) return;
        m.step = true;
        const double sx = double(v.width()) * dx / std::max(1, s.width());
        const double sy = double(v.height()) * dy / std::max(1, s.height());
        setViewRect(shiftRectBy(v, sx, sy));
    } else {
        const int dy = m.last.y() - p.y();
        if (std::abs(dy) <= kStep) return;
        m.step = true;
        setViewRect(upDownZoom(v, dy));
    }
    redraw();
    m.last = p;
    m.requested = viewRect();
    m.step = false;
}

void DrawingWindow::handleMouseRelease(Qt::MouseButton button) {
    if (!pressed_) return;
    pressed_ = false;
    InteractionState& m = sh_.mouse;
    sh_.rebuildMouseHelp();
    if (m.dragState != DragState::RubberBand) updateCursor();
    // The last move point counts, not the release point.
    const bool click = std::abs(m.down.x() - m.last.x()) < kClickSlop &&
                       std::abs(m.down.y() - m.last.y()) < kClickSlop && !m.step;
    if (click) {
        if (bandShown_) restoreFromBacking();
        clickAt(button, m.last);
    } else if (m.dragState == DragState::RubberBand) {
        releaseDrag(m.last);
    } else if (!m.step) {
        restoreFromBacking();
        m.requested = viewRect();
        if (sh_.store.values.view.useScrollBar) applyView(m.requested);
    }
    if (button == Qt::MiddleButton) sh_.restoreDragState();
    endAreaDrag();
}

void DrawingWindow::clickAt(Qt::MouseButton button, QPoint p) {
    if (sh_.passRunning) return;
    InteractionState& m = sh_.mouse;
    const auto& mouse = sh_.store.values.mouse;
    const ViewRect v = viewRect();
    int32_t x, y;
    pixelToPlotter(p, x, y);
    if (button == Qt::LeftButton) {
        if (sh_.zoomArmed()) {
            m.requested = sh_.cursorMode == CursorMode::ZoomInArmed ? clickZoomIn(v, x, y)
                                                                    : clickZoomOut(v, x, y);
            applyView(m.requested);
            return;
        }
        runClickOperation(mouse.MouseOpeLClick);
        return;
    }
    if (mouse.MouseOpeRClick != 0) {
        runClickOperation(mouse.MouseOpeRClick);
    } else if (button == Qt::RightButton) {
        sh_.restoreDragState();
        popup_->popup(surface_->mapToGlobal(p));
    }
}

void DrawingWindow::runClickOperation(int operation) {
    // The click operations of the mouse settings: 0 none, 1 display all, 2 centre.
    if (operation == 1)
        displayAll();
    else if (operation == 2)
        centreOnClick();
}

void DrawingWindow::centreOnClick() {
    InteractionState& m = sh_.mouse;
    const ViewRect v = viewRect();
    const QRect c = surface_->rect();
    const int left = c.left(), top = c.top(), right = c.left() + c.width(),
              bottom = c.top() + c.height();
    const double sx =
        double(v.width()) * (m.last.x() - (left + right) / 2) / std::max(1, right - left);
    const double sy =
        double(v.height()) * ((top + bottom) / 2 - m.last.y()) / std::max(1, bottom - top);
    applyView(shiftRectBy(v, sx, sy));
    m.requested = viewRect();
}

void DrawingWindow::releaseDrag(QPoint p) {
    InteractionState& m = sh_.mouse;
    QPoint a(std::min(m.down.x(), p.x()), std::min(m.down.y(), p.y()));
    QPoint b(std::max(m.down.x(), p.x()), std::max(m.down.y(), p.y()));
    int32_t x1, y1, x2, y2;
    pixelToPlotter(a, x1, y1);
    pixelToPlotter(b, x2, y2);
    const ViewRect area{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    if (!zoomDrag_) {
        // "SetArea": the band goes, the area stays for the zoom-window commands.
        restoreFromBacking();
        m.requested = area;
        sh_.values.zoomArea = {area.X1, area.Y1, area.X2, area.Y2};
        sh_.zoomAreaSetting = true;
        return;
    }
    m.requested = sh_.cursorMode == CursorMode::ZoomOutArmed ? dragZoomOut(viewRect(), area) : area;
    applyView(m.requested);
}

} // namespace view
