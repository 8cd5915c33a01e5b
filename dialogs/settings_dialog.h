#pragma once
// What every settings dialog shares: modal, OK gives the result 1 and Cancel (also Escape
// and the window's close button) the result 2, a Help button that opens the manual at the
// dialog's own section, and text fields checked when they are left.

#include <QDialog>

#include "dialogs/dialog_services.h"

class QDialogButtonBox;

namespace dialogs {

class CheckedEdit;

constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;

class SettingsDialog : public QDialog {
    Q_OBJECT
  public:
    SettingsDialog(DialogServices& services, QString helpAnchor, QWidget* parent);

    QString helpAnchor() const { return helpAnchor_; }
    void reject() override;
    void done(int result) override;

  protected:
    // OK, Cancel and Help in one row; OK runs okClicked().
    QDialogButtonBox* makeButtons();
    // A checked field reporting "Input Correct Numeric" when it rejects an entry.
    CheckedEdit* checkedEdit(std::function<bool(const QString&)> check,
                             std::function<QString()> show);
    // Called by OK once every checked field has taken its entry: store the values and
    // close with done().
    virtual void okClicked() = 0;

    DialogServices& services_;

  private:
    void onOk();
    QString helpAnchor_;
};

} // namespace dialogs
