#include "view/window/cursors.h"

#include <QPainter>
#include <QPixmap>

namespace view {

namespace {
// A magnifier with a plus (zoom in) or a minus sign; hot spot in the lens.
QCursor magnifier(bool plus) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    for (int pass = 0; pass < 2; ++pass) {
        p.setPen(QPen(pass == 0 ? Qt::white : Qt::black, pass == 0 ? 4 : 2));
        p.drawEllipse(QPointF(12, 12), 8, 8);
        p.drawLine(QPointF(18, 18), QPointF(28, 28));
        p.drawLine(QPointF(8, 12), QPointF(16, 12));
        if (plus) p.drawLine(QPointF(12, 8), QPointF(12, 16));
    }
    return QCursor(pm, 12, 12);
}

QCursor zoomInCursor() {
    static const QCursor c = magnifier(true);
    return c;
}
QCursor zoomOutCursor() {
    static const QCursor c = magnifier(false);
    return c;
}
} // namespace

QCursor dragCursor() {
    return QCursor(Qt::SizeAllCursor);
}

QCursor cursorForMode(CursorMode mode) {
    switch (mode) {
    case CursorMode::Busy:
        return QCursor(Qt::WaitCursor);
    case CursorMode::ZoomInArmed:
        return zoomInCursor();
    case CursorMode::ZoomOutArmed:
        return zoomOutCursor();
    case CursorMode::Normal:
        break;
    }
    return QCursor(Qt::CrossCursor);
}

} // namespace view
