#include "dialogs/colour_swatch.h"

#include <QPainter>
#include <QStyle>

namespace dialogs {

ColourSwatch::ColourSwatch(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ColourSwatch::setColour(uint32_t bgr) {
    colour_ = bgr & 0x00FFFFFFu;
    update();
}

QSize ColourSwatch::sizeHint() const {
    const int h = fontMetrics().height() + 4;
    return {2 * h, h};
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(isEnabled() ? palette().color(QPalette::WindowText)
                         : palette().color(QPalette::Disabled, QPalette::WindowText));
    p.setBrush(toQColor(colour_));
    p.drawRect(r);
    if (hasFocus()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        p.drawRect(r.adjusted(2, 2, -2, -2));
    }
}

} // namespace dialogs
