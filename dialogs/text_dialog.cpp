#include "dialogs/text_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dialogs {

namespace {

constexpr const char* kFontCaptions[4] = {
    "Standard font (1 byte ASCII text):", "Standard font (2 byte text):",
    "Alternate font (1 byte ASCII text):", "Alternate font (2 byte text):"};

} // namespace

TextDialog::TextDialog(settings::SettingsRecord& record, DialogServices& services, QWidget* parent)
    : SettingsDialog(services, QStringLiteral("text-dialog"), parent), stored_(record.text) {
    setWindowTitle(QStringLiteral("Set Text"));
    const settings::TextSettings& t = stored_;
    auto* top = new QVBoxLayout(this);

    auto* kind = new QGroupBox(QStringLiteral("Font"));
    auto* kl = new QVBoxLayout(kind);
    vectorFont_ = new QRadioButton(QStringLiteral("Vector Font"));
    systemFont_ =
        new QRadioButton(QStringLiteral("Windows Font(Changes to Vector when use impossible)"));
    auto* kindGroup = new QButtonGroup(this);
    kindGroup->addButton(vectorFont_, 0);
    kindGroup->addButton(systemFont_, 1);
    (t.TextFontKind == 1 ? systemFont_ : vectorFont_)->setChecked(true);
    kl->addWidget(vectorFont_);
    kl->addWidget(systemFont_);
    kind->setEnabled(false);
    top->addWidget(kind);

    auto* rates = new QGroupBox(QStringLiteral("Correct Rate (%) of Text Size"));
    auto* rl = new QGridLayout(rates);
    const char* columns[3] = {"Width", "Height", "Space"};
    for (int c = 0; c < 3; ++c)
        rl->addWidget(new QLabel(QString::fromLatin1(columns[c])), 0, c + 1, Qt::AlignCenter);
    const char* rows[2] = {"Vector Font", "Windows Font"};
    for (int r = 0; r < 2; ++r) {
        auto* caption = new QLabel(QString::fromLatin1(rows[r]));
        caption->setEnabled(r == 1);
        rl->addWidget(caption, r + 1, 0);
        for (int c = 0; c < 3; ++c) {
            const int i = 3 * r + c;
            auto* spin = new QSpinBox;
            spin->setObjectName(QStringLiteral("TextRate%1").arg(i));
            spin->setRange(c == 2 ? 0 : 50, 200);
            spin->setValue(t.TextRate[i]);
            // The vector-font row is kept but not used by this viewer.
            spin->setEnabled(r == 1);
            rates_[i] = spin;
            rl->addWidget(spin, r + 1, c + 1);
        }
    }
    top->addWidget(rates);

    auto* names = new QGroupBox(QStringLiteral("Windows Font"));
    auto* nl = new QFormLayout(names);
    for (int k = 0; k < 4; ++k) {
        auto* box = new QFontComboBox;
        box->setObjectName(QStringLiteral("TextFontName%1").arg(k));
        box->setWritingSystem(QFontDatabase::Any);
        box->setMinimumContentsLength(24);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        // The name is shown as stored, even for a font not installed here, so that an
        // unchanged OK keeps it.
        box->setCurrentIndex(-1);
        box->setEditText(QString::fromStdString(t.TextFontName[k]));
        fonts_[k] = box;
        nl->addRow(QString::fromLatin1(kFontCaptions[k]), box);
    }
    top->addWidget(names);

    auto* pdf = new QGroupBox(QStringLiteral("Font recorded in PDF,EMF"));
    auto* pl = new QVBoxLayout(pdf);
    pdfFontUse_ = new QCheckBox(QStringLiteral("Priority is given"));
    pdfFontUse_->setChecked(t.PDFFontUse);
    pl->addWidget(pdfFontUse_);
    pdf->setEnabled(false);
    top->addWidget(pdf);

    top->addWidget(makeButtons());
}

void TextDialog::okClicked() {
    stored_.TextFontKind = systemFont_->isChecked() ? 1 : 0;
    for (int i = 0; i < 6; ++i)
        stored_.TextRate[i] = rates_[i]->value();
    for (int k = 0; k < 4; ++k)
        stored_.TextFontName[k] = fonts_[k]->currentText().toStdString();
    stored_.PDFFontUse = pdfFontUse_->isChecked();
    done(kResultOk);
}

} // namespace dialogs
