// Program entry: single instance, the per-user settings folder, the settings,
// the command line and the main window.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/app_dialogs.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/user_folder.h"
#include "archive/open_from_archive.h"
#include "interp/drawing_model.h"
#include "render/view_values.h"
#include "settings/settings_store.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuindleMini"));

    QStringList params = QApplication::arguments();
    params.removeFirst();
    app::CommandLine cmd =
        app::parseCommandLine(params, [](const QString& f) { return QFileInfo::exists(f); });
    // Resolved here: the working folder changes to the settings folder below.
    if (!cmd.fileName.isEmpty())
        cmd.fileName = QFileInfo(app::expandShortName(cmd.fileName)).absoluteFilePath();

    app::SingleInstance instance;
    if (!cmd.newInstance) {
        // A running instance opens the file when exactly one parameter named it.
        const QString handed = params.size() == 1 ? cmd.fileName : QString();
        if (instance.handOver(handed)) return 0;
        instance.listen();
    }

    app::AppDialogs dialogs;
    const QString dataRoot = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString initFolder = app::initFolderPath();
    const app::FolderResult folder = app::prepareUserFolder(dataRoot, initFolder);
    if (!folder.ok) {
        dialogs.report(nullptr, folder.message);
        return 1;
    }
    const QString userFolder = app::userFolderPath(dataRoot);
    settings::SettingsStore store(userFolder.toStdString(), "QuindleMini");
    const app::SettingsStartUp loaded = app::loadSettingsAtStartUp(store, initFolder);
    if (!loaded.message.isEmpty()) dialogs.report(nullptr, loaded.message);
    QDir::setCurrent(userFolder);
    // Drawings an earlier run took out of archives. A "/n" start leaves them: a running
    // instance may have just extracted the one it is about to read.
    if (!cmd.newInstance) archives::clearScratchFolder(QFile::encodeName(userFolder).toStdString());

    interp::DrawingModel model;
    view::ViewValues values;
    app::StartUp startUp{cmd.fileName, loaded.keepSettingsFile};
    app::MainWindow mainWindow(model, store, values, dialogs, startUp);
    QObject::connect(&instance, &app::SingleInstance::handedOver, &mainWindow,
                     &app::MainWindow::receiveHandOver);
    mainWindow.show();
    return application.exec();
}
