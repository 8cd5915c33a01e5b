#include "dialogs/dialog_services.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace dialogs {

void DialogServices::report(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("QuindleMini"), text);
}

bool DialogServices::confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QStringLiteral("Confirmation"), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QColor> DialogServices::pickColour(QWidget* parent, const QColor& initial) {
    QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid()) return std::nullopt;
    return c;
}

void DialogServices::openHelp(const QString& anchor) {
    QUrl url = QUrl::fromLocalFile(helpFilePath());
    url.setFragment(anchor);
    QDesktopServices::openUrl(url);
}

QString helpFilePath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help/QuindleMini.html");
}

} // namespace dialogs
