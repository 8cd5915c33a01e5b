#include "dialogs/line_property_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/checked_edit.h"
#include "interp/length_units.h"
#include "settings/entry_validation.h"

namespace dialogs {

namespace {

constexpr const char* kKindNames[6] = {"A Dotted Line",    "A Dashed Line 1",
                                       "A Dashed Line 2",  "A Phantom Line 1",
                                       "A Phantom Line 2", "Double Phantom Line 2"};

QString unitCaption(const char* caption, int unit) {
    return QString::fromStdString(interp::swapCaptionUnit(caption, unit));
}

} // namespace

LinePropertyDialog::LinePropertyDialog(settings::SettingsRecord& record, DialogServices& services,
                                       QWidget* parent)
    : SettingsDialog(services, QStringLiteral("line-property-dialog"), parent),
      stored_(record.line), edited_(record.line), unit_(record.view.lengthUnit) {
    setWindowTitle(QStringLiteral("SetLineProperty"));
    auto* top = new QVBoxLayout(this);

    auto* pattern = new QGroupBox(QStringLiteral("Line pattern"));
    auto* pl = new QVBoxLayout(pattern);
    userDefined_ =
        new QCheckBox(QStringLiteral("Use this setting pattern length,ignore HPGL LT data"));
    userDefined_->setObjectName(QStringLiteral("UserDefLT"));
    userDefined_->setChecked(edited_.UserDefLT);
    pl->addWidget(userDefined_);
    pl->addWidget(
        new QLabel(QStringLiteral("LineKind              LongSolidLeng GapLeng ShortSolidLeng")));

    auto* grid = new QGridLayout;
    settings::LineSettings& l = edited_;
    int32_t* longSolids[6] = {&l.LT1Dwn1, &l.LT2Dwn1, &l.LT3Dwn1,
                              &l.LT4Dwn1, &l.LT5Dwn1, &l.LT6Dwn1};
    int32_t* gaps[6] = {&l.LT1Up, &l.LT2Up, &l.LT3Up, &l.LT4Up, &l.LT5Up, &l.LT6Up};
    int32_t* shortSolids[3] = {&l.LT4Dwn2, &l.LT5Dwn2, &l.LT6Dwn2};
    for (int k = 0; k < 6; ++k) {
        const int kind = k + 1;
        grid->addWidget(new QLabel(QString::fromLatin1(kKindNames[k])), k, 0);
        grid->addWidget(lengthField(*longSolids[k], QStringLiteral("LongSolid%1").arg(kind)), k, 1);
        grid->addWidget(lengthField(*gaps[k], QStringLiteral("Gap%1").arg(kind)), k, 2);
        if (kind >= 4)
            grid->addWidget(
                lengthField(*shortSolids[k - 3], QStringLiteral("ShortSolid%1").arg(kind)), k, 3);
    }
    grid->addWidget(new QLabel(unitCaption("Unit(mm)", unit_)), 6, 3, Qt::AlignRight);
    pl->addLayout(grid);
    top->addWidget(pattern);
    enablePatternFields(edited_.UserDefLT);
    connect(userDefined_, &QCheckBox::toggled, this, [this](bool on) {
        edited_.UserDefLT = on;
        enablePatternFields(on);
    });

    auto* minimum = new QFormLayout;
    CheckedEdit* dsp = checkedEdit(
        [this](const QString& t) {
            return settings::acceptDspMinLinDot(t.toStdString(), edited_.DspMinLinDot);
        },
        [this] {
            return QString::fromStdString(settings::showDspMinLinDot(edited_.DspMinLinDot));
        });
    dsp->setObjectName(QStringLiteral("DspMinLinDot"));
    dsp->showStored();
    minimum->addRow(QStringLiteral("Minimum solid length on the display (dot):"), dsp);
    CheckedEdit* plt = checkedEdit(
        [this](const QString& t) {
            return settings::acceptPltMinLinDot(t.toStdString(), unit_, edited_.PltMinLinDot);
        },
        [this] {
            return QString::fromStdString(settings::showLength(edited_.PltMinLinDot, unit_));
        });
    plt->setObjectName(QStringLiteral("PltMinLinDot"));
    plt->showStored();
    minimum->addRow(unitCaption("Minimum solid length on printer and plotter(mm)", unit_), plt);
    top->addLayout(minimum);

    auto* edge = new QGroupBox(QStringLiteral("Line end shape"));
    auto* el = new QVBoxLayout(edge);
    edgeRound_ = new QRadioButton(QStringLiteral("Round (display is quick)"));
    edgeSquare_ = new QRadioButton(QStringLiteral("Square(Initial of HPGL Standard)"));
    edgeRound_->setObjectName(QStringLiteral("EdgeRound"));
    edgeSquare_->setObjectName(QStringLiteral("EdgeSquare"));
    auto* edgeGroup = new QButtonGroup(this);
    edgeGroup->addButton(edgeRound_, 0);
    edgeGroup->addButton(edgeSquare_, 1);
    (edited_.LineAdgeAttrDef == 1 ? edgeSquare_ : edgeRound_)->setChecked(true);
    el->addWidget(edgeRound_);
    el->addWidget(edgeSquare_);
    top->addWidget(edge);

    top->addWidget(makeButtons());
}

CheckedEdit* LinePropertyDialog::lengthField(int32_t& value, const QString& name) {
    CheckedEdit* e = checkedEdit(
        [this, &value](const QString& t) {
            return settings::acceptPatternLength(t.toStdString(), unit_, value);
        },
        [this, &value] { return QString::fromStdString(settings::showLength(value, unit_)); });
    e->setObjectName(name);
    e->showStored();
    patternFields_ << e;
    return e;
}

void LinePropertyDialog::enablePatternFields(bool on) {
    for (CheckedEdit* e : patternFields_)
        e->setEnabled(on);
}

void LinePropertyDialog::okClicked() {
    edited_.LineAdgeAttrDef = edgeSquare_->isChecked() ? 1 : 0;
    stored_ = edited_;
    done(kResultOk);
}

} // namespace dialogs
