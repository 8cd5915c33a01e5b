#include "dialogs/settings_dialog.h"

#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>

#include "dialogs/checked_edit.h"
#include "settings/entry_validation.h"

namespace dialogs {

SettingsDialog::SettingsDialog(DialogServices& services, QString helpAnchor, QWidget* parent)
    : QDialog(parent), services_(services), helpAnchor_(std::move(helpAnchor)) {
    setModal(true);
    // Numbers are typed and shown with "." as in the settings files, whatever the locale.
    setLocale(QLocale::c());
}

void SettingsDialog::reject() {
    done(kResultCancel);
}

void SettingsDialog::done(int result) {
    for (CheckedEdit* e : findChildren<CheckedEdit*>())
        e->suspend();
    QDialog::done(result);
}

QDialogButtonBox* SettingsDialog::makeButtons() {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                     QDialogButtonBox::Help);
    box->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    box->button(QDialogButtonBox::Help)->setText(QStringLiteral("Help"));
    box->button(QDialogButtonBox::Cancel)->setProperty(kLeavesEntryUnchecked, true);
    box->button(QDialogButtonBox::Help)->setProperty(kLeavesEntryUnchecked, true);
    connect(box, &QDialogButtonBox::accepted, this, &SettingsDialog::onOk);
    connect(box, &QDialogButtonBox::rejected, this, &SettingsDialog::reject);
    connect(box, &QDialogButtonBox::helpRequested, this,
            [this] { services_.openHelp(helpAnchor_); });
    return box;
}

CheckedEdit* SettingsDialog::checkedEdit(std::function<bool(const QString&)> check,
                                         std::function<QString()> show) {
    auto* e = new CheckedEdit(std::move(check), std::move(show), this);
    connect(e, &CheckedEdit::rejected, this, [this] {
        services_.report(this, QString::fromLatin1(settings::kInputCorrectNumeric));
    });
    return e;
}

void SettingsDialog::onOk() {
    // Enter on OK leaves no field: check the one still being edited first, and stay open
    // when it is rejected so that the user sees the value put back.
    for (CheckedEdit* e : findChildren<CheckedEdit*>())
        if (!e->commit()) return;
    okClicked();
}

} // namespace dialogs
