#include "app/app_dialogs.h"

#include <QFileDialog>

#include "app/data_error_dialog.h"

namespace app {

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
