#include "dialogs/pen_rows.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include "dialogs/colour_swatch.h"
#include "interp/length_units.h"
#include "settings/entry_validation.h"

namespace dialogs {

WidthBar::WidthBar(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void WidthBar::setBarHeight(int pixels) {
    height_ = pixels;
    update();
}

void WidthBar::paintEvent(QPaintEvent*) {
    if (height_ <= 0) return;
    QPainter p(this);
    const int top = (height() - height_) / 2;
    p.fillRect(QRect(2, top, width() - 4, height_), palette().color(QPalette::WindowText));
}

PenRows::PenRows(const std::array<bool, settings::kPenCount>& penUsed, int unit, QWidget* parent)
    : QWidget(parent), penUsed_(penUsed), unit_(unit) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const QString header =
        QString::fromStdString(interp::swapCaptionUnit("Disp InsPen  Color   LineWidth(mm)", unit));
    const settings::PenWidthEditor editor = settings::penWidthEditor(unit);
    for (int half = 0; half < 2; ++half) {
        const int col = 6 * half;
        grid->addWidget(new QLabel(header), 0, col, 1, 5);
        for (int k = 0; k < 8; ++k) {
            const int r = 8 * half + k;
            Row& row = rows_[r];
            row.shown = new QCheckBox;
            row.label = new QLabel;
            row.swatch = new ColourSwatch;
            row.width = new QDoubleSpinBox;
            row.bar = new WidthBar;
            row.shown->setObjectName(QStringLiteral("PenShown%1").arg(r));
            row.label->setObjectName(QStringLiteral("PenLabel%1").arg(r));
            row.swatch->setObjectName(QStringLiteral("PenColour%1").arg(r));
            row.width->setObjectName(QStringLiteral("PenWidth%1").arg(r));
            row.bar->setObjectName(QStringLiteral("PenBar%1").arg(r));
            row.width->setDecimals(editor.decimals);
            row.width->setRange(0.0, editor.maximum);
            row.width->setSingleStep(editor.increment);
            // A width is taken when it is entered or the editor is left, not per keystroke.
            row.width->setKeyboardTracking(false);
            grid->addWidget(row.shown, k + 1, col);
            grid->addWidget(row.label, k + 1, col + 1);
            grid->addWidget(row.swatch, k + 1, col + 2);
            grid->addWidget(row.width, k + 1, col + 3);
            grid->addWidget(row.bar, k + 1, col + 4);
            connect(row.shown, &QCheckBox::toggled, this, [this, r](bool on) {
                if (!filling_) emit displayToggled(firstPen() + r, on);
            });
            connect(row.swatch, &ColourSwatch::clicked, this,
                    [this, r] { emit colourClicked(firstPen() + r); });
            connect(row.width, &QDoubleSpinBox::valueChanged, this, [this, r](double v) {
                int32_t w = 0;
                if (filling_ || !settings::acceptPenWidth(v, unit_, w)) return;
                rows_[r].bar->setBarHeight(settings::penWidthBarHeight(w));
                emit widthChanged(firstPen() + r, w);
            });
        }
    }
    grid->setColumnMinimumWidth(5, 16);
    scroll_ = new QScrollBar(Qt::Vertical);
    scroll_->setObjectName(QStringLiteral("PenScroll"));
    scroll_->setRange(0, 15);
    scroll_->setPageStep(1);
    grid->addWidget(scroll_, 1, 11, 8, 1);
    connect(scroll_, &QScrollBar::valueChanged, this, [this] {
        // A width still being typed belongs to the pens shown so far.
        enterPendingWidths();
        emit positionChanged();
    });
}

void PenRows::fill(const settings::PenColours& colours, const settings::PenWidths& widths,
                   const std::array<uint8_t, settings::kPenCount>& display) {
    filling_ = true;
    shown_ = scroll_->value();
    for (int r = 0; r < kPenRowCount; ++r) {
        const int p = firstPen() + r;
        Row& row = rows_[r];
        row.label->setText(QStringLiteral("Pen%1").arg(p));
        row.label->setEnabled(penUsed_[p]);
        row.shown->setChecked(display[p] != 0);
        row.swatch->setColour(colours[p]);
        row.width->setValue(settings::penWidthInUnit(widths[p], unit_));
        row.bar->setBarHeight(settings::penWidthBarHeight(widths[p]));
    }
    filling_ = false;
}

void PenRows::enterPendingWidths() {
    for (Row& row : rows_)
        row.width->interpretText();
}

} // namespace dialogs
