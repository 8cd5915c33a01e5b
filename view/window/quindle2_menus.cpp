// The menus of the drawing window ("Display", "Page(&P)", "Length unit
// system(&U)", the pop-up) and the check marks they carry.

#include <QActionGroup>
#include <QMenu>

#include "interp/length_units.h"
#include "view/window/quindle2_form.h"

namespace view {

namespace {
QAction* item(QMenu* menu, const QString& text, TQuindle2Form* form,
              void (TQuindle2Form::*slot)()) {
    QAction* a = menu->addAction(text);
    QObject::connect(a, &QAction::triggered, form, slot);
    return a;
}
} // namespace

void TQuindle2Form::buildMenus() {
    displayMenu_ = new QMenu(QStringLiteral("Display(&D)"), this);
    QMenu* m = displayMenu_;
    item(m, QStringLiteral("DisplayAll(&A)"), this, &TQuindle2Form::DisAllClick);
    item(m, QStringLiteral("DisplayAgain(&D)"), this, &TQuindle2Form::DisAgnClick);
    item(m, QStringLiteral("Zoom display(&Z)"), this, &TQuindle2Form::ZomWinClick);
    item(m, QStringLiteral("Zoom up(&U)"), this, &TQuindle2Form::ZomUpClick);
    item(m, QStringLiteral("Zoom down(&O)"), this, &TQuindle2Form::ZomDwnClick);
    QMenu* shift = m->addMenu(QStringLiteral("Shift display(&S)"));
    item(shift, QStringLiteral("Display shift right"), this, &TQuindle2Form::SftRgtClick);
    item(shift, QStringLiteral("Display shift left"), this, &TQuindle2Form::SftLftClick);
    item(shift, QStringLiteral("Display shift upper"), this, &TQuindle2Form::SftUpClick);
    item(shift, QStringLiteral("Display shift down"), this, &TQuindle2Form::SftDwnClick);
    item(shift, QStringLiteral("Display shift right upper"), this, &TQuindle2Form::SftRgtUpClick);
    item(shift, QStringLiteral("Display shift right down"), this, &TQuindle2Form::SftRgtDwnClick);
    item(shift, QStringLiteral("Display shift left upper"), this, &TQuindle2Form::SftLftUpClick);
    item(shift, QStringLiteral("Display shift left down"), this, &TQuindle2Form::SftLgtDwnClick);
    m->addSeparator();
    actUndo_ = item(m, QStringLiteral("Undo display(&B)"), this, &TQuindle2Form::DisplayUndoClick);
    actRedo_ = item(m, QStringLiteral("Redo display(&F)"), this, &TQuindle2Form::DisplayRedoClick);
    actUndo_->setEnabled(false);
    actRedo_->setEnabled(false);
    m->addSeparator();
    QMenu* rot = m->addMenu(QStringLiteral("Rotation display(&R)"));
    const char* rotCaptions[4] = {"   0 degree(&0)", " 90 degree(&1)", "180 degree(&2)",
                                  "270 degree(&3)"};
    auto* rotGroup = new QActionGroup(this);
    for (int k = 0; k < 4; ++k) {
        actRot_[k] = rot->addAction(QString::fromLatin1(rotCaptions[k]));
        actRot_[k]->setCheckable(true);
        rotGroup->addAction(actRot_[k]);
        connect(actRot_[k], &QAction::triggered, this, [this, k] { DisRotClick(k + 1); });
    }
    actMirror_ = item(m, QStringLiteral("DisplayMirror(&M)"), this, &TQuindle2Form::DisMirrClick);
    actMirror_->setCheckable(true);
    item(m, QStringLiteral("DisplayGrid(&G)"), this, &TQuindle2Form::DisGrdClick);
    item(m, QStringLiteral("Display zoom area(&E)"), this, &TQuindle2Form::DisZoomAreaClick);
    m->addSeparator();
    for (int k = 0; k < 5; ++k) {
        actZomWin_[k] = m->addAction(QStringLiteral("ZoomWindow%1(&%1)").arg(k + 1));
        actZomWin_[k]->setEnabled(false);
        connect(actZomWin_[k], &QAction::triggered, this, [this, k] { ZomWinNClick(k + 1); });
    }
    m->addSeparator();
    actDragMode_ = item(m, QStringLiteral("Display drag(&Y)"), this, &TQuindle2Form::DragModeClick);
    actDragMode_->setCheckable(true);
    actScrollBar_ =
        item(m, QStringLiteral("Use ScrollBar(&S)"), this, &TQuindle2Form::SetScrollBarClick);
    actScrollBar_->setCheckable(true);

    pageMenu_ = new QMenu(QStringLiteral("Page(&P)"), this);
    item(pageMenu_, QStringLiteral("ForwardPage(&F)"), this, &TQuindle2Form::PageForwardClick);
    item(pageMenu_, QStringLiteral("NextPage(&N)"), this, &TQuindle2Form::PageNextClick);
    item(pageMenu_, QStringLiteral("BeginPage(&B)"), this, &TQuindle2Form::PageBeginClick);
    item(pageMenu_, QStringLiteral("EndPage(&E)"), this, &TQuindle2Form::PageEndClick);
    pageMenu_->setEnabled(false);

    unitMenu_ = new QMenu(QStringLiteral("Length unit system(&U)"), this);
    const char* unitCaptions[6] = {"Millimeter mm (&L)", "Centimeter cm (&C)", "Meter m (&M)",
                                   "Inch in (&I)",       "Foot ft (&F)",       "Yard yd (&Y)"};
    auto* unitGroup = new QActionGroup(this);
    for (int k = 0; k < 6; ++k) {
        actUnit_[k] = unitMenu_->addAction(QString::fromLatin1(unitCaptions[k]));
        actUnit_[k]->setCheckable(true);
        unitGroup->addAction(actUnit_[k]);
        connect(actUnit_[k], &QAction::triggered, this, [this, k] { UnitClick(k); });
    }

    popup_ = new QMenu(this);
    item(popup_, QStringLiteral("DisplayAgain(&D)"), this, &TQuindle2Form::DisAgnClick);
    item(popup_, QStringLiteral("DisplayAll(&A)"), this, &TQuindle2Form::DisAllClick);
    item(popup_, QStringLiteral("ZoomWindow etc.(&Z)"), this, &TQuindle2Form::ZoomWindowEtcClick);
}

QList<QMenu*> TQuindle2Form::menus() const {
    return {displayMenu_, pageMenu_, unitMenu_};
}

void TQuindle2Form::updateChecks() {
    const auto& v = sh_.store.values.view;
    for (int k = 0; k < 4; ++k)
        actRot_[k]->setChecked(v.displayRotation == k + 1);
    for (int k = 0; k < 6; ++k)
        actUnit_[k]->setChecked(v.lengthUnit == k);
    actMirror_->setChecked(sh_.values.mirror);
    actDragMode_->setChecked(v.DragMode);
    actScrollBar_->setChecked(v.useScrollBar);
}

void TQuindle2Form::setZoomWindowEnabled(int number, bool enabled) {
    if (number >= 1 && number <= 5) actZomWin_[number - 1]->setEnabled(enabled);
}

} // namespace view
