// Program entry: single instance, the per-user settings folder, the settings,
// the command line and the main window.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

#include "app/app_dialogs.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"
#include "app/user_folder.h"
#include "archive/open_from_archive.h"
#include "interp/drawing_model.h"
#include "render/view_values.h"
#include "settings/settings_store.h"

namespace {

void printProblem(const QString& text) {
    std::fprintf(stderr, "QuindleMini: %s\n", qUtf8Printable(QString(text).replace(u'\n', u' ')));
}

// Runs the program; `endSignal` is set when a termination signal ended it.
int run(int argc, char** argv, int& endSignal) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuindleMini"));

    QStringList params = QApplication::arguments();
    params.removeFirst();
    app::CommandLine cmd =
        app::parseCommandLine(params, [](const QString& f) { return QFileInfo::exists(f); });
    // Resolved here: the working folder changes to the settings folder below.
    if (!cmd.fileName.isEmpty())
        cmd.fileName = QFileInfo(app::expandShortName(cmd.fileName)).absoluteFilePath();

    const app::SingleInstance::Location where = app::SingleInstance::locate(
        app::SingleInstance::desktopName(), qgetenv("XDG_RUNTIME_DIR"), QDir::tempPath());
    app::SingleInstance instance(where.socketPath);
    QString instanceProblem = where.error;
    if (!cmd.newInstance && instanceProblem.isEmpty()) {
        // A running instance opens the file when exactly one parameter named it.
        const QByteArray handed =
            params.size() == 1 ? QFile::encodeName(cmd.fileName) : QByteArray();
        switch (instance.handOver(handed)) {
        case app::SingleInstance::HandOver::Received:
            return 0;
        case app::SingleInstance::HandOver::NoAnswer:
            printProblem(QStringLiteral("the running instance did not acknowledge the file "
                                        "within 10 seconds (") +
                         where.socketPath + QStringLiteral(")"));
            return 1;
        case app::SingleInstance::HandOver::Foreign:
            printProblem(QStringLiteral("a program of another user listened on ") +
                         where.socketPath +
                         QStringLiteral("; it was told nothing and is replaced"));
            break;
        case app::SingleInstance::HandOver::NoInstance:
            break;
        }
    }
    // From here on a termination signal closes the program as File > Exit does. Before the
    // main window exists it only closes the box on the screen.
    app::TerminationSignals termination;
    auto closeBoxes = [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    };
    QObject::connect(&termination, &app::TerminationSignals::requested, closeBoxes);
    auto finish = [&](int status) {
        endSignal = termination.received();
        return status;
    };
    if (!cmd.newInstance && instanceProblem.isEmpty()) instance.listen(instanceProblem);

    app::AppDialogs dialogs;
    if (!instanceProblem.isEmpty()) {
        // The program still works; later starts just open windows of their own.
        instanceProblem += QStringLiteral("\nLater starts open windows of their own.");
        printProblem(instanceProblem);
        dialogs.report(nullptr, instanceProblem);
    }
    const QString dataRoot = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString initFolder = app::initFolderPath();
    const app::FolderResult folder = app::prepareUserFolder(dataRoot, initFolder);
    if (!folder.ok) {
        dialogs.report(nullptr, folder.message);
        return finish(1);
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
    QObject::connect(&instance, &app::SingleInstance::requested, &mainWindow,
                     [&mainWindow](const QByteArray& name) {
                         mainWindow.receiveHandOver(name.isEmpty() ? QString()
                                                                   : QFile::decodeName(name));
                     });
    QObject::connect(&termination, &app::TerminationSignals::requested, &mainWindow, [&mainWindow] {
        // A file being read stops first; the window closes after it.
        mainWindow.cancelLoad();
        app::closeWhenIdle(&mainWindow);
    });
    mainWindow.show();
    if (termination.received()) app::closeWhenIdle(&mainWindow);
    return finish(application.exec());
}

} // namespace

int main(int argc, char** argv) {
    // Answered before any window system is needed.
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(app::kSynopsis, stdout);
        return 0;
    }
    int endSignal = 0;
    const int status = run(argc, argv, endSignal);
    if (endSignal != 0) {
        // Everything is saved and cleaned up: end the way the signal asked, so that the
        // shell or session manager sees why.
        std::signal(endSignal, SIG_DFL);
        std::raise(endSignal);
    }
    return status;
}
