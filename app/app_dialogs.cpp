#include "app/app_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "app/data_error_dialog.h"

namespace app {

void AppDialogs::report(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("QuindleMini"), text);
}

void AppDialogs::dataError(QWidget* parent, int hpgl2Pieces, int rtlPieces) {
    DataErrorDialog dialog(parent);
    dialog.setCounts(hpgl2Pieces, rtlPieces);
    dialog.exec();
}

QString AppDialogs::chooseFile(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(
        parent, QString(), folder,
        QStringLiteral("HP-GL files (*.hgl *.plt *.hpg *.hp *.hpgl *.prn);;All files (*)"));
}

} // namespace app
