#pragma once
// Helpers of the dialog tests: a DialogServices that records what the dialogs ask and
// answers from prepared lists, and the user's actions (type into a field and leave it,
// press a dialog button).

#include <QAbstractButton>
#include <QColor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <optional>

#include "dialogs/dialog_services.h"

namespace dialogtest {

class RecordingServices : public dialogs::DialogServices {
  public:
    void report(QWidget*, const QString& text) override { reports << text; }
    bool confirm(QWidget*, const QString& text) override {
        questions << text;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    std::optional<QColor> pickColour(QWidget*, const QColor& initial) override {
        colourInitials << initial;
        if (colours.isEmpty()) return std::nullopt;
        return colours.takeFirst();
    }
    void openHelp(const QString& anchor) override { helpAnchors << anchor; }

    QStringList reports, questions, helpAnchors;
    QList<bool> answers;          // Yes/No, in the order the questions come
    QList<QColor> colours;        // colours the chooser confirms, in order
    QList<QColor> colourInitials; // what the chooser was preset to
};

// Shows the dialog (not modal, so that the test goes on) and waits until it has the focus.
inline bool showActive(QDialog& d) {
    d.show();
    return QTest::qWaitForWindowActive(&d);
}

template <class W> W* child(QWidget& parent, const QString& name) {
    W* w = parent.findChild<W*>(name);
    if (!w) qWarning("no child %s", qPrintable(name));
    return w;
}

// Clicks into a field, replaces its text by typing, and leaves it with Tab.
inline void typeAndLeave(QLineEdit* field, const QString& text) {
    QTest::mouseClick(field, Qt::LeftButton);
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

// Clicks a check box or radio button on its indicator (a layout may make the widget much
// wider than its indicator and text, and only those take clicks).
inline void clickBox(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, {},
                      QPoint(qMin(8, box->width() / 2), box->height() / 2));
}

inline QPushButton* button(QDialog& d, QDialogButtonBox::StandardButton which) {
    return d.findChild<QDialogButtonBox*>()->button(which);
}

inline void pressOk(QDialog& d) {
    QTest::mouseClick(button(d, QDialogButtonBox::Ok), Qt::LeftButton);
}

inline void pressCancel(QDialog& d) {
    QTest::mouseClick(button(d, QDialogButtonBox::Cancel), Qt::LeftButton);
}

} // namespace dialogtest
