// The main window's toolbars, pen-table button, toolbar visibility entries,
// toolbar layout file, window slots, zoom-icon buttons, file drops, failed
// opens and first-start placement (offscreen platform, recording dialogs).

#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWidgetAction>

#include "app/main_window.h"
#include "app/toolbar_layout.h"
#include "tests/support/main_window_shell.h"
#include "view/window/drawing_window.h"

using view::CursorMode;

namespace {

using testshell::writeFile;

// A pen table file: pen i coloured `colour`, width 0, then `lines` more lines
// of name (0: the file ends after the 512 values).
QByteArray penTableText(uint32_t colour, const QByteArray& name, bool withName = true) {
    QByteArray t;
    for (int i = 0; i < 256; ++i)
        t += QByteArray::number(colour) + "\r\n";
    for (int i = 0; i < 256; ++i)
        t += "0\r\n";
    if (withName) t += name + "\r\n";
    return t;
}

// A main window over a settings folder of its own, at the size it picks itself.
struct Shell : testshell::MainWindowShell {
    app::MainWindow& start(bool multiPage = false) {
        store.values.open.MultiPage = multiPage;
        MainWindowShell::start(QString(), QSize());
        QApplication::processEvents();
        return *window;
    }
};

QAction* windowAction(view::DrawingWindow* w, const QString& name) {
    return w->actionTable().action(name);
}

// Drops `urls` on `target` as a file manager would, and lets the event loop run the open
// the drop asked for (opens never run inside the drop itself).
void dropOn(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QApplication::processEvents();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void twelveToolBarsWithIconsHintsAndStates();
    void penTableSwitchAndPopUp();
    void toolBarVisibilityEntriesStayInStep();
    void closedSlotIsReusedWithItsCaption();
    void zoomIconButtonsThroughTheirActions();
    void droppedFileOpensInTheActiveWindow();
    void toolBarLayoutRoundTripAndDamagedFile();
    void failedOpenKeepsPageAndControls();
    void recentFileCaptionsShowAmpersands();
    void firstStartTakesAShareOfTheScreen();
    void newWindowLeavesItsPictureToItsCaller();
};

void MainWindowTest::twelveToolBarsWithIconsHintsAndStates() {
    Shell sh;
    sh.store.values.pens.PenTblNo = 1;
    app::MainWindow& m = sh.start();
    QStringList captions;
    for (QToolBar* b : m.toolBars())
        captions << b->windowTitle();
    QCOMPARE(captions,
             (QStringList{"File Tool", "Set Pen Tool", "Edit Drawing File Tool",
                          "Rotate Display Tool", "Request Tool", "Output Tool", "Comment Edit Tool",
                          "Comment Tool", "Basic Display Tool", "Shift Display Tool",
                          "Thumbnail Display Tool", "Zoom Window 1..5 Tool"}));
    int buttons = 0;
    for (QToolBar* b : m.toolBars())
        for (QAction* a : b->actions()) {
            if (a->isSeparator() || qobject_cast<QWidgetAction*>(a)) continue;
            ++buttons;
            QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
            QVERIFY2(!a->icon().pixmap(48, 48).isNull(), qPrintable(a->objectName()));
            QVERIFY2(!a->toolTip().contains(QLatin1Char('|')), qPrintable(a->objectName()));
        }
    QCOMPARE(buttons, 3 + 1 + 2 + 6 + 3 + 8 + 3 + 2 + 7 + 4 + 3 + 5);
    const view::ActionTable& t = m.actionTable();
    QCOMPARE(t.action("open")->toolTip(), QStringLiteral("Open"));
    QCOMPARE(t.action("open")->statusTip(), QStringLiteral("Open old file"));
    QCOMPARE(t.action("exit")->statusTip(), QStringLiteral("Exit Quindle"));
    QCOMPARE(t.action("colorCopy")->toolTip(), QStringLiteral("ColorCopy"));
    // Desktop keys beside the program's own.
    QCOMPARE(t.action("open")->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(t.action("exit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QCOMPARE(t.action("displayAll")->shortcut(), QKeySequence(QStringLiteral("Ctrl+0")));
    QVERIFY(t.action("zoomInKey")->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl++"))));
    QCOMPARE(t.action("zoomOutKey")->shortcut(), QKeySequence(QStringLiteral("Ctrl+-")));
    QCOMPARE(t.action("fullScreen")->shortcut(), QKeySequence(QStringLiteral("F11")));
    const int64_t before = m.activeDrawingWindow()->viewRect().width();
    t.action("zoomInKey")->trigger();
    QVERIFY(m.activeDrawingWindow()->viewRect().width() < before);
    QVERIFY(!t.action("zoomIn")->isChecked()); // zooms at once, arms nothing
    // Buttons without a command behind them stay off even with a window open.
    for (const char* off : {"mail", "colorCopy", "monochromeCopy", "measureArea", "savePdf",
                            "commentList", "thumbnails", "thumbnailsAndPage"})
        QVERIFY2(!t.action(off)->isEnabled(), off);
    QVERIFY(t.action("mirror")->isCheckable());
    QVERIFY(t.action("displayPage")->isChecked());
    QCOMPARE(m.penTableButton()->text(), QStringLiteral("P1"));
    QCOMPARE(m.penTableButton()->toolTip(), QStringLiteral("Select Pen Table"));
    // The window toolbars follow the number of drawing windows.
    QVERIFY(m.toolBars()[8]->isEnabled());
    m.activeDrawingWindow()->parentWidget()->close();
    QApplication::processEvents();
    QVERIFY(!m.toolBars()[8]->isEnabled());
    QVERIFY(m.toolBars()[0]->isEnabled());
    t.action("displayAll")->trigger(); // nothing to act on: nothing happens
    QVERIFY(!t.action("cascade")->isEnabled());
}

void MainWindowTest::penTableSwitchAndPopUp() {
    Shell sh;
    for (int n = 1; n <= 5; ++n)
        writeFile(sh.path(QStringLiteral("PenTable%1.par").arg(n)),
                  penTableText(n * 100, "Table " + QByteArray::number(n)));
    writeFile(sh.path("PenTable3.par"), penTableText(300, "", false)); // 512 lines
    QFile::remove(sh.path("PenTable4.par"));
    sh.store.values.pens.PenTblNo = 1;
    app::MainWindow& m = sh.start();

    // The pop-up names are read again on every press.
    m.refreshPenTableMenu();
    QStringList names;
    for (QAction* a : m.penTableMenu()->actions())
        names << a->text();
    QCOMPARE(names, (QStringList{"PenTable-1 Table 1", "PenTable-2 Table 2", "PenTable-3 ",
                                 "PenTable-4 ", "PenTable-5 Table 5"}));
    writeFile(sh.path("PenTable5.par"), penTableText(500, "Fine & bold"));
    QMetaObject::invokeMethod(m.penTableMenu(), "aboutToShow");
    QCOMPARE(m.penTableMenu()->actions()[4]->text(), QStringLiteral("PenTable-5 Fine && bold"));

    // The table in use again: nothing, not even a read.
    writeFile(sh.path("PenTable1.par"), penTableText(111, "Changed"));
    const uint32_t before = sh.store.penTable.colour[7];
    m.penTableMenu()->actions()[0]->trigger();
    QCOMPARE(sh.store.penTable.colour[7], before);
    QCOMPARE(m.penTableButton()->text(), QStringLiteral("P1"));
    // A file that cannot be read: nothing changes.
    m.penTableMenu()->actions()[3]->trigger();
    QCOMPARE(int(sh.store.values.pens.PenTblNo), 1);
    QCOMPARE(m.penTableButton()->text(), QStringLiteral("P1"));
    QVERIFY(sh.dialogs.messages.isEmpty());
    // 512 lines: switched, with an empty name.
    m.penTableMenu()->actions()[2]->trigger();
    QCOMPARE(int(sh.store.values.pens.PenTblNo), 3);
    QCOMPARE(m.penTableButton()->text(), QStringLiteral("P3"));
    QCOMPARE(sh.store.penTable.colour[7], 300u);
    QVERIFY(sh.store.penTable.name.empty());
    m.switchPenTable(2);
    QCOMPARE(sh.store.penTable.name, std::string("Table 2"));
    QCOMPARE(m.penTableButton()->text(), QStringLiteral("P2"));
}

void MainWindowTest::toolBarVisibilityEntriesStayInStep() {
    Shell sh;
    sh.store.values.window.toolbarVisible = {true,  true,  false, true, false, false,
                                             false, false, true,  true, false, true};
    app::MainWindow& m = sh.start();
    view::DrawingWindow* one = m.activeDrawingWindow();
    view::DrawingWindow* two = m.newDrawingWindow();
    QVERIFY(two);
    QMenu* menu = one->findChild<QMenu*>(QStringLiteral("toolBarMenu"));
    QVERIFY(menu);
    QVERIFY(one->menus().contains(menu));
    QCOMPARE(menu->title(), QStringLiteral("ToolBar(&T)"));
    QStringList captions;
    for (QAction* a : menu->actions())
        captions << a->text();
    QCOMPARE(captions,
             (QStringList{"File(&F)", "Set pen(&P)", "Edit drawing file(&E)",
                          "Rotation display(&R)", "Request(&Q)", "Output(&O)", "Edit comment(&D)",
                          "Comment(&C)", "Basic display(&B)", "Shift display(&S)",
                          "Thumbnail display(&T)", "Zoom window 1..5(&W)"}));
    for (int k = 0; k < 12; ++k) {
        QCOMPARE(m.toolBars()[k]->isVisible(), sh.store.values.window.toolbarVisible[k]);
        QCOMPARE(menu->actions()[k]->isChecked(), sh.store.values.window.toolbarVisible[k]);
    }
    // Shown from one window: checked in both, flag set.
    windowAction(one, "toolBar6")->trigger();
    QVERIFY(m.toolBars()[5]->isVisible());
    QVERIFY(sh.store.values.window.toolbarVisible[5]);
    QVERIFY(windowAction(two, "toolBar6")->isChecked());
    // Hidden from the other.
    windowAction(two, "toolBar1")->trigger();
    QVERIFY(!m.toolBars()[0]->isVisible());
    QVERIFY(!sh.store.values.window.toolbarVisible[0]);
    QVERIFY(!windowAction(one, "toolBar1")->isChecked());
    // A window opened later starts with the same marks.
    view::DrawingWindow* three = m.newDrawingWindow();
    QVERIFY(!windowAction(three, "toolBar1")->isChecked());
    QVERIFY(windowAction(three, "toolBar6")->isChecked());
}

void MainWindowTest::closedSlotIsReusedWithItsCaption() {
    Shell sh;
    app::MainWindow& m = sh.start(); // window #1
    QVERIFY(m.newDrawingWindow());
    QVERIFY(m.newDrawingWindow());
    const view::ActionTable& t = m.actionTable();
    QVERIFY(t.action("zoomOnWindow3")->isEnabled());
    QVERIFY(!t.action("zoomOnWindow4")->isEnabled());
    m.shared().window(2)->parentWidget()->close();
    QApplication::processEvents();
    QVERIFY(!t.action("zoomOnWindow2")->isEnabled());
    QVERIFY(!windowAction(m.shared().window(1), "zoomOnWindow2")->isEnabled());
    t.action("newWindow")->trigger();
    view::DrawingWindow* again = m.shared().window(2);
    QVERIFY(again);
    QCOMPARE(again->windowTitle(), QStringLiteral(" #2"));
    QVERIFY(t.action("zoomOnWindow2")->isEnabled());
    QVERIFY(windowAction(m.shared().window(3), "zoomOnWindow2")->isEnabled());
}

void MainWindowTest::zoomIconButtonsThroughTheirActions() {
    Shell sh;
    sh.store.values.mouse.ZoomIconMode = 1;
    app::MainWindow& m = sh.start();
    writeFile(sh.path("z.plt"), "SP1;PU0,0;PD4000,3000;");
    m.openFile(sh.path("z.plt"));
    QAction* up = m.zoomInButton();
    QAction* down = m.zoomOutButton();
    up->trigger();
    QVERIFY(up->isChecked());
    QCOMPARE(m.shared().cursorMode, CursorMode::ZoomInArmed);
    down->trigger();
    QVERIFY(!up->isChecked());
    QVERIFY(down->isChecked());
    QCOMPARE(m.shared().cursorMode, CursorMode::ZoomOutArmed);
    down->trigger();
    QVERIFY(!up->isChecked());
    QVERIFY(!down->isChecked());
    QCOMPARE(m.shared().cursorMode, CursorMode::Normal);
    up->trigger();
    up->trigger();
    QVERIFY(!up->isChecked());
    QCOMPARE(m.shared().cursorMode, CursorMode::Normal);
    // Icon mode 0: the button pops up and the window zooms at once.
    sh.store.values.mouse.ZoomIconMode = 0;
    view::DrawingWindow* w = m.activeDrawingWindow();
    const int64_t width = w->viewRect().width();
    up->trigger();
    QVERIFY(!up->isChecked());
    QCOMPARE(m.shared().cursorMode, CursorMode::Normal);
    QVERIFY(w->viewRect().width() < width);
    down->trigger();
    QVERIFY(!down->isChecked());
    QCOMPARE(w->viewRect().width(), width);
}

void MainWindowTest::droppedFileOpensInTheActiveWindow() {
    Shell sh;
    app::MainWindow& m = sh.start();
    view::DrawingWindow* one = m.activeDrawingWindow();
    view::DrawingWindow* two = m.newDrawingWindow();
    QVERIFY(two);
    QCOMPARE(m.activeDrawingWindow(), two);
    QVERIFY(one->acceptDrops());

    const QString plot = sh.path("drop.plt");
    writeFile(plot, "SP1;PU0,0;PD5000,3000;");
    dropOn(one, {QUrl::fromLocalFile(plot), QUrl::fromLocalFile(sh.path("second.plt"))});
    QVERIFY(m.windowTitle().contains(plot));
    QCOMPARE(sh.model.extents().xMax, 5040);
    QCOMPARE(m.activeDrawingWindow(), two); // the active window shows it
    QCOMPARE(QString::fromStdString(sh.store.values.window.recentFiles[0]), plot);

    // The program's own thumbnails are not opened.
    const QString thumbDir = sh.path("QuindleThumb");
    QDir().mkpath(thumbDir);
    writeFile(thumbDir + "/t.plt", "SP1;PU0,0;PD100,100;");
    dropOn(one, {QUrl::fromLocalFile(thumbDir + "/t.plt")});
    QCOMPARE(sh.model.extents().xMax, 5040);
    // No names, or a name that is not a local file: nothing.
    dropOn(one, {});
    dropOn(one, {QUrl(QStringLiteral("https://example.invalid/a.plt"))});
    QVERIFY(sh.dialogs.messages.isEmpty());

    // Not a drawing: read like any file (what it holds is no command), then a
    // missing file: the open error.
    const QString png = sh.path("picture.png");
    writeFile(png, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + QByteArray(200, '\xff'));
    dropOn(two, {QUrl::fromLocalFile(png)});
    QVERIFY(m.windowTitle().contains(png));
    dropOn(two, {QUrl::fromLocalFile(sh.path("missing.plt"))});
    QCOMPARE(sh.dialogs.messages.size(), 1);
    QVERIFY(sh.dialogs.messages[0].contains(QStringLiteral("open error")));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void MainWindowTest::toolBarLayoutRoundTripAndDamagedFile() {
    Shell sh;
    sh.store.values.window.toolbarVisible.fill(true);
    const QString file = app::toolBarLayoutPath(sh.dir.path());
    {
        app::MainWindow& m = sh.start();
        QCOMPARE(m.toolBarArea(m.toolBars()[9]), Qt::TopToolBarArea);
        m.addToolBar(Qt::LeftToolBarArea, m.toolBars()[9]);
        m.addToolBar(Qt::BottomToolBarArea, m.toolBars()[3]);
        sh.window.reset();
    }
    QVERIFY(QFile::exists(file));
    {
        app::MainWindow& m = sh.start();
        QCOMPARE(m.toolBarArea(m.toolBars()[9]), Qt::LeftToolBarArea);
        QCOMPARE(m.toolBarArea(m.toolBars()[3]), Qt::BottomToolBarArea);
        QCOMPARE(m.toolBarArea(m.toolBars()[0]), Qt::TopToolBarArea);
        sh.window.reset();
    }
    // The text form keeps the state exactly; anything else reads as nothing.
    const QByteArray state("\x00\x01 state \xff", 11);
    QCOMPARE(app::toolBarStateFromText(app::toolBarLayoutText(state)), state);
    QVERIFY(app::toolBarStateFromText("[Other]\r\nFormat=1\r\nState=AAAA\r\n").isEmpty());
    QVERIFY(
        app::toolBarStateFromText("[QuindleMini ToolBar]\r\nFormat=9\r\nState=AAAA\r\n").isEmpty());
    QVERIFY(
        app::toolBarStateFromText("[QuindleMini ToolBar]\r\nFormat=1\r\nState=*!*\r\n").isEmpty());
    // A damaged file: the default layout, and a good file again at exit.
    for (const QByteArray& damaged : {QByteArray("[QuindleMini ToolBar]\r\nFormat=1\r\nState=") +
                                          QByteArray(300, '\x07').toBase64() + "\r\n",
                                      QByteArray(5000, '\0'), QByteArray("garbage")}) {
        writeFile(file, damaged);
        app::MainWindow& m = sh.start();
        QCOMPARE(m.toolBarArea(m.toolBars()[9]), Qt::TopToolBarArea);
        QVERIFY(m.toolBars()[9]->isVisible());
        sh.window.reset();
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(!app::toolBarStateFromText(f.readAll()).isEmpty());
    }
}

void MainWindowTest::failedOpenKeepsPageAndControls() {
    Shell sh;
    app::MainWindow& m = sh.start(true);
    const QString f = sh.path("pages.plt");
    writeFile(f, "SP1;PU0,0;PD100,100;PG;PU0,0;PD2000,2000;PG;PU0,0;PD30000,30000;");
    m.openFile(f);
    view::DrawingWindow* w = m.activeDrawingWindow();
    w->showLastPage();
    QCOMPARE(sh.model.currentPage(), 3);
    const view::ViewRect shown = w->viewRect();
    const QString title = m.windowTitle();
    m.openFile(sh.path("missing.plt"));
    QCOMPARE(sh.dialogs.messages.size(), 1);
    QCOMPARE(sh.model.pageCount(), 3);
    QCOMPARE(sh.model.currentPage(), 3);
    QCOMPARE(m.pageSpin()->value(), 3);
    QCOMPARE(m.pageLabel()->text(), QStringLiteral("/3"));
    QCOMPARE(w->viewRect(), shown);
    QCOMPARE(m.windowTitle(), title);
    QVERIFY(m.hasFile());
    // The page commands still work from there.
    windowAction(w, "showFirstPage")->trigger();
    QCOMPARE(sh.model.currentPage(), 1);
    QCOMPARE(m.pageSpin()->value(), 1);
}

void MainWindowTest::recentFileCaptionsShowAmpersands() {
    Shell sh;
    sh.store.values.window.recentFiles[0] = "/tmp/R&D/a.plt";
    app::MainWindow& m = sh.start();
    QAction* first = m.actionTable().action("recent1");
    QCOMPARE(first->text(), QStringLiteral("/tmp/R&&D/a.plt(&1)"));
    QVERIFY(first->isVisible());
}

void MainWindowTest::firstStartTakesAShareOfTheScreen() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    {
        Shell sh; // the placement of a fresh settings file
        app::MainWindow& m = sh.start();
        QVERIFY(m.width() >= area.width() * 3 / 4);
        QVERIFY(m.height() >= area.height() * 3 / 4);
        QVERIFY(area.contains(m.geometry().center()));
    }
    {
        Shell sh; // a stored placement far off every screen
        sh.store.values.window.left = 30000;
        sh.store.values.window.top = -20000;
        sh.store.values.window.width = 500;
        sh.store.values.window.height = 400;
        app::MainWindow& m = sh.start();
        QVERIFY(area.contains(m.geometry().center()));
        QCOMPARE(m.size(), QSize(500, 400));
    }
    {
        Shell sh; // a stored placement on the screen is kept
        sh.store.values.window.left = 10;
        sh.store.values.window.top = 20;
        sh.store.values.window.width = 500;
        sh.store.values.window.height = 400;
        app::MainWindow& m = sh.start();
        QCOMPARE(m.geometry(), QRect(10, 20, 500, 400));
    }
}

void MainWindowTest::newWindowLeavesItsPictureToItsCaller() {
    // Showing, sizing and activating a new window compose no picture: its caller's
    // display all composes the one picture (a big drawing took three before).
    Shell sh;
    writeFile(sh.path("lines.plt"), "IN;SP1;PA0,0;PD4000,3000,0,3000;");
    app::MainWindow& m = sh.start();
    m.openFile(sh.path("lines.plt"));
    view::DrawingWindow* w = m.newDrawingWindow();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    // Sized but not drawn: still the blank the window starts with, not the back pen.
    const QImage& blank = w->screenImage();
    QVERIFY(blank.isNull() || blank.pixel(0, 0) == qRgb(255, 255, 255));
    int pictures = 0;
    QObject::connect(w, &view::DrawingWindow::redrawn, [&pictures] { ++pictures; });
    w->displayAll();
    QCOMPARE(pictures, 1);
    QCOMPARE(w->screenImage().size(), w->clientSize());
    QVERIFY(w->screenImage().pixel(0, 0) != qRgb(255, 255, 255));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
