// The application shell: command line, recent files, settings folder and
// start-up settings, and the main window's openFile, pages, windows and zoom
// buttons (offscreen platform, with recording dialogs).

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/recent_files.h"
#include "app/user_folder.h"
#include "tests/support/main_window_shell.h"
#include "view/window/drawing_window.h"

using view::CursorMode;
using view::DisplayRotation;

namespace {

using testshell::writeFile;

// Everything a main window needs, in a temporary settings folder.
struct Shell : testshell::MainWindowShell {
    explicit Shell(const QString& file = QString(), bool multiPage = false) {
        store.values.open.MultiPage = multiPage;
        start(file);
        QApplication::processEvents();
    }
};

} // namespace

class AppShellTest : public QObject {
    Q_OBJECT
  private slots:
    void commandLineJoinsUnquotedBlanks();
    void recentFileRules();
    void userFolderIsCreatedAndFilledFromInit();
    void foreignOrUnreadableSettingsKeepTheOldFile();
    void doOpenSetsTitleRecentFilesAndDataErrors();
    void startUpFileIsOpenedAtFirstPaint();
    void pageNextAndPreviousStopAtTheEnds();
    void sixthWindowIsRefusedAndSlotsAreReused();
    void zoomButtonsFollowTheIconMode();
    void rotationButtonsTurnTheModel();
};

void AppShellTest::commandLineJoinsUnquotedBlanks() {
    QTemporaryDir d;
    const QString spaced = d.filePath(QStringLiteral("a b  c.plt"));
    writeFile(spaced, "IN;");
    auto exists = [](const QString& f) { return QFileInfo::exists(f); };
    // "a b  c.plt" split at blanks: "…/a", "b", "", "c.plt" joined back.
    QStringList parts = spaced.split(QLatin1Char(' '));
    QCOMPARE(app::parseCommandLine(parts, exists).fileName, spaced);
    app::CommandLine n = app::parseCommandLine(QStringList{"/n"} + parts, exists);
    QVERIFY(n.newInstance);
    QCOMPARE(n.fileName, spaced);
    // A name that never exists is joined with single blanks all the same.
    QCOMPARE(app::parseCommandLine({"/none/x", "y", "z"}, exists).fileName,
             QStringLiteral("/none/x y z"));
    QVERIFY(app::parseCommandLine({"/n"}, exists).fileName.isEmpty());
    QVERIFY(app::parseCommandLine({}, exists).fileName.isEmpty());
    QCOMPARE(app::expandShortName(QStringLiteral("//server/share/LONGNAME~1.PLT")),
             QStringLiteral("//server/share/LONGNAME~1.PLT"));
}

void AppShellTest::recentFileRules() {
    app::RecentFiles r{};
    app::pushRecentIfNew(r, "A");
    app::pushRecentIfNew(r, "A");
    QCOMPARE(r[1], std::string());
    app::pushRecentIfNew(r, "B");
    app::pushRecentIfNew(r, "A");
    QCOMPARE(r[0], std::string("A"));
    QCOMPARE(r[1], std::string("B"));
    QCOMPARE(r[2], std::string("A"));
    app::pushRecent(r, "A"); // start-up: no comparison
    QCOMPARE(r[1], std::string("A"));
    for (const char* n : {"1", "2", "3", "4", "5"})
        app::pushRecentIfNew(r, n);
    QCOMPARE(r[0], std::string("5"));
    QCOMPARE(r[4], std::string("1"));
}

void AppShellTest::userFolderIsCreatedAndFilledFromInit() {
    QTemporaryDir d;
    const QString init = d.filePath(QStringLiteral("Init"));
    QDir().mkpath(init + QStringLiteral("/sub"));
    writeFile(init + QStringLiteral("/QuindleMini.PAR"), "x");
    writeFile(init + QStringLiteral("/sub/deep.par"), QByteArray(1500, 'z'));
    const QString root = d.filePath(QStringLiteral("data"));
    app::FolderResult r = app::prepareUserFolder(root, init);
    QVERIFY(r.ok);
    QVERIFY(r.created);
    const QString user = app::userFolderPath(root);
    QCOMPARE(QFileInfo(user + QStringLiteral("/sub/deep.par")).size(), 1500);
    // A second start finds the folder and copies nothing.
    QFile::remove(user + QStringLiteral("/QuindleMini.PAR"));
    r = app::prepareUserFolder(root, init);
    QVERIFY(r.ok && !r.created);
    QVERIFY(!QFileInfo::exists(user + QStringLiteral("/QuindleMini.PAR")));
    // A missing Init folder is a copy failure with both paths in the message.
    app::FolderResult bad =
        app::prepareUserFolder(d.filePath(QStringLiteral("other")), d.filePath("none"));
    QVERIFY(!bad.ok);
    QVERIFY(bad.message.startsWith(QStringLiteral("Can not copy folder !\nFrom:")));
    QVERIFY(bad.message.contains(QStringLiteral("\nTo  :")));
    // A folder that cannot be made.
    writeFile(d.filePath(QStringLiteral("file")), "x");
    bad = app::prepareUserFolder(d.filePath(QStringLiteral("file")), init);
    QVERIFY(bad.message.startsWith(QStringLiteral(": Can not create folder !\n")));
}

void AppShellTest::foreignOrUnreadableSettingsKeepTheOldFile() {
    QTemporaryDir d;
    const QString init = d.filePath(QStringLiteral("Init"));
    QDir().mkpath(init);
    settings::SettingsStore shipped(init.toStdString(), "QuindleMini");
    shipped.setDefaults();
    QVERIFY(shipped.save());
    const QString user = d.filePath(QStringLiteral("user"));
    QDir().mkpath(user);
    settings::SettingsStore store(user.toStdString(), "QuindleMini");
    const QString par = QString::fromStdString(store.settingsFilePath());

    // Another version: kept beside as ".old", the shipped file is loaded.
    writeFile(par, "Version 9.99\r\n7\r\n");
    app::SettingsStartUp s = app::loadSettingsAtStartUp(store, init);
    QVERIFY(s.loaded);
    QVERIFY(!s.keepSettingsFile);
    QFile old(par + QStringLiteral(".old"));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("Version 9.99\r\n7\r\n"));
    QCOMPARE(int(store.values.mouse.ZoomIconMode), 1);

    // Unreadable (a folder in its place): defaults, a message, never overwritten.
    QFile::remove(par);
    QDir().mkpath(par);
    store.values.view.lengthUnit = 3;
    s = app::loadSettingsAtStartUp(store, init);
    QVERIFY(!s.loaded);
    QVERIFY(s.keepSettingsFile);
    QCOMPARE(s.message, par + QStringLiteral(" : Can not open file !"));
    QCOMPARE(int(store.values.view.lengthUnit), 0);

    // Missing: defaults and a message, and the file may be written at exit.
    QDir(par).removeRecursively();
    s = app::loadSettingsAtStartUp(store, d.filePath(QStringLiteral("none")));
    QVERIFY(!s.loaded);
    QVERIFY(!s.keepSettingsFile);
}

void AppShellTest::doOpenSetsTitleRecentFilesAndDataErrors() {
    Shell sh;
    const QString a = sh.path(QStringLiteral("a.plt")), b = sh.path(QStringLiteral("b.plt"));
    writeFile(a, "SP1;PU0,0;PD1000,0,1000,1000;");
    writeFile(b, "SP1;PU0,0;PD500,500;PW0.5;");
    sh.window->openFile(a);
    QCOMPARE(sh.window->windowTitle(), QStringLiteral("QuindleMini - [") + a + QStringLiteral("]"));
    QVERIFY(sh.dialogs.dataErrors.isEmpty());
    view::DrawingWindow* w = sh.window->activeDrawingWindow();
    QVERIFY(w);
    QCOMPARE(w->viewRect().X1, -40);
    sh.window->openFile(a);
    sh.window->openFile(b);
    sh.window->openFile(a);
    const auto& r = sh.store.values.window.recentFiles;
    QCOMPARE(QString::fromStdString(r[0]), a);
    QCOMPARE(QString::fromStdString(r[1]), b);
    QCOMPARE(QString::fromStdString(r[2]), a);
    QCOMPARE(QString::fromStdString(r[3]), QString());
    // b holds an HP-GL/2 command: the data error dialog came once.
    QCOMPARE(sh.dialogs.dataErrors.size(), 1);
    QCOMPARE(sh.dialogs.dataErrors[0].first, 1);
    QCOMPARE(sh.window->pageLabel()->text(), QStringLiteral("/1"));
    // A missing file reports the loader's message and keeps the window.
    sh.window->openFile(sh.path(QStringLiteral("none.plt")));
    QVERIFY(!sh.dialogs.messages.isEmpty());
    QVERIFY(sh.dialogs.messages.last().contains(QStringLiteral("open error")));
}

void AppShellTest::startUpFileIsOpenedAtFirstPaint() {
    QTemporaryDir d;
    const QString a = d.filePath(QStringLiteral("start.plt"));
    writeFile(a, "SP1;PU0,0;PD2000,1000;");
    Shell sh(a);
    QCOMPARE(sh.window->windowTitle(), QStringLiteral("QuindleMini - [") + a + QStringLiteral("]"));
    QCOMPARE(QString::fromStdString(sh.store.values.window.recentFiles[0]), a);
    view::DrawingWindow* w = sh.window->activeDrawingWindow();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral(" #1"));
    QCOMPARE(w->viewRect().X1, -40);
    QCOMPARE(w->viewRect().Y1, -40);
}

void AppShellTest::pageNextAndPreviousStopAtTheEnds() {
    Shell sh(QString(), true);
    const QString f = sh.path(QStringLiteral("pages.plt"));
    writeFile(f, "SP1;PU0,0;PD100,100;PG;PU0,0;PD2000,2000;PG;PU0,0;PD30000,30000;");
    sh.window->openFile(f);
    QCOMPARE(sh.model.pageCount(), 3);
    QCOMPARE(sh.window->pageLabel()->text(), QStringLiteral("/3"));
    view::DrawingWindow* w = sh.window->activeDrawingWindow();
    QVERIFY(w->pageMenu()->isEnabled());
    w->showPreviousPage(); // on page 1: nothing
    QCOMPARE(sh.model.currentPage(), 1);
    w->showNextPage();
    QCOMPARE(sh.model.currentPage(), 2);
    QCOMPARE(w->viewRect().X1, -40); // display all of page 2
    QCOMPARE(w->viewRect().Y2, 2040);
    w->showLastPage();
    QCOMPARE(sh.model.currentPage(), 3);
    w->showNextPage(); // on the last page: nothing
    QCOMPARE(sh.model.currentPage(), 3);
    QCOMPARE(sh.window->pageSpin()->value(), 3);
    w->showFirstPage();
    QCOMPARE(sh.model.currentPage(), 1);
    // A single page keeps the menu off.
    const QString one = sh.path(QStringLiteral("one.plt"));
    writeFile(one, "SP1;PU0,0;PD100,100;");
    sh.window->openFile(one);
    QVERIFY(!w->pageMenu()->isEnabled());
    QVERIFY(!sh.window->pageSpin()->isEnabled());
}

void AppShellTest::sixthWindowIsRefusedAndSlotsAreReused() {
    Shell sh; // window #1 from the first paint
    for (int k = 0; k < 4; ++k)
        QVERIFY(sh.window->newDrawingWindow());
    QVERIFY(!sh.window->newDrawingWindow());
    QCOMPARE(sh.dialogs.messages, QStringList{QStringLiteral("No More Open")});
    view::DrawingWindow* two = sh.window->shared().window(2);
    QVERIFY(two);
    two->parentWidget()->close();
    QApplication::processEvents();
    QVERIFY(!sh.window->shared().window(2));
    view::DrawingWindow* again = sh.window->newDrawingWindow();
    QVERIFY(again);
    QCOMPARE(again->number(), 2);
    QCOMPARE(again->windowTitle(), QStringLiteral(" #2"));
}

void AppShellTest::zoomButtonsFollowTheIconMode() {
    Shell sh;
    sh.store.values.mouse.ZoomIconMode = 1;
    sh.window->zoomButtonClicked(true);
    QCOMPARE(sh.window->shared().cursorMode, CursorMode::ZoomInArmed);
    QVERIFY(sh.window->zoomInButton()->isChecked());
    sh.window->zoomButtonClicked(false);
    QCOMPARE(sh.window->shared().cursorMode, CursorMode::ZoomOutArmed);
    QVERIFY(!sh.window->zoomInButton()->isChecked());
    QVERIFY(sh.window->zoomOutButton()->isChecked());
    sh.window->zoomButtonClicked(true);
    sh.window->zoomButtonClicked(true);
    QCOMPARE(sh.window->shared().cursorMode, CursorMode::Normal);
    QVERIFY(!sh.window->zoomInButton()->isChecked());
    // Icon mode 0: the active window zooms at once, nothing stays pressed.
    sh.store.values.mouse.ZoomIconMode = 0;
    view::DrawingWindow* w = sh.window->activeDrawingWindow();
    const int64_t width = w->viewRect().width();
    sh.window->zoomButtonClicked(true);
    QCOMPARE(sh.window->shared().cursorMode, CursorMode::Normal);
    QVERIFY(!sh.window->zoomInButton()->isChecked());
    QVERIFY(w->viewRect().width() < width);
}

void AppShellTest::rotationButtonsTurnTheModel() {
    Shell sh;
    const QString f = sh.path(QStringLiteral("r.plt"));
    writeFile(f, "SP1;PU0,0;PD4000,1000;");
    sh.window->openFile(f);
    sh.window->rotationButtonClicked(DisplayRotation::Deg90);
    QVERIFY(sh.window->rotationButton(DisplayRotation::Deg90)->isChecked());
    QCOMPARE(sh.model.extents().xMin, -1040);
    QCOMPARE(sh.model.extents().yMax, 4040);
    // A file opened while 90 degrees are chosen comes up turned.
    sh.window->openFile(f);
    QCOMPARE(sh.model.extents().xMin, -1040);
    QCOMPARE(sh.values.rotationApplied, 2);
}

QTEST_MAIN(AppShellTest)
#include "app_shell_test.moc"
