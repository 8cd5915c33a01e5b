#pragma once
// A text field whose entry is checked when the user leaves it: the check either takes the
// text (and the field shows the value it became) or rejects it, and then the field shows
// the last value taken again.

#include <QLineEdit>
#include <functional>

namespace dialogs {

// Buttons that may take the focus from a field without checking its entry (Cancel, Help)
// carry this property set to true; OK checks any entry left unchecked.
inline constexpr const char* kLeavesEntryUnchecked = "leavesEntryUnchecked";

class CheckedEdit : public QLineEdit {
    Q_OBJECT
  public:
    // Takes the text typed; returns false to reject it.
    using Check = std::function<bool(const QString& text)>;
    // Text of the value now stored.
    using Show = std::function<QString()>;

    CheckedEdit(Check check, Show show, QWidget* parent = nullptr);

    // Shows the stored value; the field counts as unedited afterwards.
    void showStored();
    // Checks an edited entry now. True when there was nothing to check or it was taken;
    // false when it was rejected (`rejected` has been emitted and the stored value is
    // shown again).
    bool commit();
    // No more checks (the dialog is closing).
    void suspend() { suspended_ = true; }

  signals:
    // An entry was rejected; the dialog reports it.
    void rejected();
    // An entry was taken.
    void taken();

  protected:
    void focusOutEvent(QFocusEvent* e) override;

  private:
    Check check_;
    Show show_;
    QString shown_;
    bool suspended_ = false;
    bool checking_ = false;
};

} // namespace dialogs
