#include "dialogs/checked_edit.h"

#include <QApplication>
#include <QFocusEvent>

namespace dialogs {

CheckedEdit::CheckedEdit(Check check, Show show, QWidget* parent)
    : QLineEdit(parent), check_(std::move(check)), show_(std::move(show)) {}

void CheckedEdit::showStored() {
    shown_ = show_();
    setText(shown_);
}

bool CheckedEdit::commit() {
    if (suspended_ || checking_ || text() == shown_) return true;
    checking_ = true;
    const bool ok = check_(text());
    showStored();
    checking_ = false;
    if (ok)
        emit taken();
    else
        emit rejected();
    return ok;
}

void CheckedEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // Focus lost to another window (a message box, another program) is not leaving the
    // field; the entry is checked when the user moves on inside the dialog.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    // Pressing Cancel or Help does not complain about an entry being dropped or kept.
    const QWidget* next = QApplication::focusWidget();
    if (next && next->property(kLeavesEntryUnchecked).toBool()) return;
    commit();
}

} // namespace dialogs
