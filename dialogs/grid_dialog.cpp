#include "dialogs/grid_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/checked_edit.h"
#include "dialogs/colour_swatch.h"
#include "interp/length_units.h"
#include "settings/entry_validation.h"

namespace dialogs {

namespace {

QString unitName(int unit) {
    return QString::fromLatin1(interp::lengthUnit(unit).name).trimmed();
}

// A length (plotter units) in the current unit followed by a blank and the unit name.
QString lengthWithUnit(double pu, int unit) {
    return QString::fromStdString(settings::showLength(pu, unit)).trimmed() + QLatin1Char(' ') +
           unitName(unit);
}

} // namespace

GridDialog::GridDialog(settings::SettingsRecord& record, DialogServices& services, QWidget* parent)
    : SettingsDialog(services, QStringLiteral("grid-dialog"), parent), stored_(record.grid),
      edited_(record.grid), unit_(record.view.lengthUnit) {
    setWindowTitle(QStringLiteral("SetGrid"));
    auto* top = new QVBoxLayout(this);

    auto* lengths = new QGroupBox(QStringLiteral("Fine Grid"));
    auto* lg = new QGridLayout(lengths);
    struct Row {
        const char* caption;
        double* value;
        bool pitch;
        const char* name;
    } rows[4] = {{"Pitch X", &edited_.GridPitchX, true, "GridPitchX"},
                 {"Pitch Y", &edited_.GridPitchY, true, "GridPitchY"},
                 {"Origin X", &edited_.GridOriginX, false, "GridOriginX"},
                 {"Origin Y", &edited_.GridOriginY, false, "GridOriginY"}};
    for (int k = 0; k < 4; ++k) {
        lg->addWidget(new QLabel(QString::fromLatin1(rows[k].caption)), k, 0);
        lg->addWidget(lengthField(*rows[k].value, rows[k].pitch, QString::fromLatin1(rows[k].name)),
                      k, 1);
        lg->addWidget(new QLabel(unitName(unit_)), k, 2);
    }
    top->addWidget(lengths);

    auto* rough = new QHBoxLayout;
    rough->addWidget(new QLabel(QStringLiteral("Multiple of Fine Grid in a Rough Grid :")));
    interval_ = new QSpinBox;
    interval_->setObjectName(QStringLiteral("GridInterval"));
    interval_->setRange(1, 1000);
    interval_->setValue(edited_.GridInterval);
    rough->addWidget(interval_);
    rough->addStretch();
    top->addLayout(rough);

    auto* colours = new QGroupBox(QStringLiteral("Color"));
    auto* cl = new QGridLayout(colours);
    fine_ = colourButton(edited_.GridColorFine, QStringLiteral("GridColorFine"));
    rough_ = colourButton(edited_.GridColorRough, QStringLiteral("GridColorRough"));
    cl->addWidget(new QLabel(QStringLiteral("Fine Grid")), 0, 0);
    cl->addWidget(fine_, 0, 1);
    cl->addWidget(new QLabel(QStringLiteral("Rough Grid")), 1, 0);
    cl->addWidget(rough_, 1, 1);
    cl->setColumnStretch(2, 1);
    top->addWidget(colours);

    displayAfterDraw_ = new QCheckBox(QStringLiteral("Display Grid after Draw"));
    displayAfterDraw_->setObjectName(QStringLiteral("DisGrdMode"));
    displayAfterDraw_->setChecked(edited_.DisGrdMode);
    top->addWidget(displayAfterDraw_);

    auto* insert = new QGroupBox(QStringLiteral("Insert grid pitch"));
    auto* il = new QGridLayout(insert);
    auto* insertOn = new QCheckBox(QStringLiteral("Insert grid ON at insert comment"));
    insertOn->setChecked(edited_.InsGrdMode);
    insertOn->setEnabled(false);
    il->addWidget(insertOn, 0, 0, 1, 2);
    insertPitchX_ = new QLabel;
    insertPitchY_ = new QLabel;
    insertPitchX_->setObjectName(QStringLiteral("InsertPitchX"));
    insertPitchY_->setObjectName(QStringLiteral("InsertPitchY"));
    il->addWidget(new QLabel(QStringLiteral("X")), 1, 0);
    il->addWidget(insertPitchX_, 1, 1);
    il->addWidget(new QLabel(QStringLiteral("Y")), 2, 0);
    il->addWidget(insertPitchY_, 2, 1);
    il->setColumnStretch(1, 1);
    top->addWidget(insert);
    showInsertPitch();

    top->addWidget(makeButtons());
}

CheckedEdit* GridDialog::lengthField(double& value, bool pitch, const QString& name) {
    CheckedEdit* e = checkedEdit(
        [this, &value, pitch](const QString& t) {
            const std::string text = t.toStdString();
            return pitch ? settings::acceptGridPitch(text, unit_, value)
                         : settings::acceptGridOrigin(text, unit_, value);
        },
        [this, &value] { return QString::fromStdString(settings::showLength(value, unit_)); });
    e->setObjectName(name);
    e->showStored();
    if (pitch) connect(e, &CheckedEdit::taken, this, &GridDialog::showInsertPitch);
    return e;
}

ColourSwatch* GridDialog::colourButton(uint32_t colour, const QString& name) {
    auto* s = new ColourSwatch;
    s->setObjectName(name);
    s->setColour(colour);
    connect(s, &ColourSwatch::clicked, this, [this, s] {
        if (std::optional<QColor> c = services_.pickColour(this, toQColor(s->colour())))
            s->setColour(toBgr(*c));
    });
    return s;
}

void GridDialog::showInsertPitch() {
    insertPitchX_->setText(lengthWithUnit(settings::insertGridPitch(edited_.GridPitchX), unit_));
    insertPitchY_->setText(lengthWithUnit(settings::insertGridPitch(edited_.GridPitchY), unit_));
}

void GridDialog::okClicked() {
    edited_.GridInterval = interval_->value();
    edited_.GridColorFine = fine_->colour();
    edited_.GridColorRough = rough_->colour();
    edited_.DisGrdMode = displayAfterDraw_->isChecked();
    done(settings::storeGridSettings(stored_, edited_));
}

} // namespace dialogs
