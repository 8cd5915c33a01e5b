// Files read while the window goes on (offscreen platform): a load shows its progress,
// Esc or Cancel stops it with the previous drawing untouched, open requests made meanwhile
// wait for it, its messages come afterwards in order, and the window may be closed meanwhile.

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <QAction>

#include "app/load_progress.h"
#include "app/main_window.h"
#include "bench/plot_generator.h"
#include "tests/support/main_window_shell.h"
#include "view/window/drawing_window.h"

namespace {

using testshell::writeFile;

struct Shell : testshell::MainWindowShell {
    Shell() {
        store.values.open.MultiPage = true;
        start();
        // Progress shows at once, so that a test can act on it.
        window->setProgressDelay(0);
    }
    // A drawing that takes a good while to read.
    QString bigFile() {
        const QString file = path(QStringLiteral("big.plt"));
        const std::string plot = bench::generatePlot(3000000, 5);
        writeFile(file, QByteArray(plot.data(), qsizetype(plot.size())));
        return file;
    }
    // Runs `step` once, at the first progress the load shows.
    void atFirstProgress(std::function<void()> step) {
        auto once = std::make_shared<bool>(false);
        QObject::connect(window.get(), &app::MainWindow::loadProgressed, window.get(),
                         [once, step] {
                             if (*once) return;
                             *once = true;
                             step();
                         });
    }
    int windowCount() const {
        int n = 0;
        window->shared().forEachWindow([&n](view::DrawingWindow&) { ++n; });
        return n;
    }
};

} // namespace

class BackgroundLoadTest : public QObject {
    Q_OBJECT
  private slots:
    void cancelledLoadLeavesTheDrawingAsItWas_data();
    void cancelledLoadLeavesTheDrawingAsItWas();
    void openRequestsDuringALoadRunAfterIt();
    void openDialogAskedForDuringALoadComesAfterIt();
    void messagesOfALoadComeAfterItInOrder();
    void closingDuringALoadClosesAfterIt();
    void drawingWindowClosedDuringALoad();
};

void BackgroundLoadTest::cancelledLoadLeavesTheDrawingAsItWas_data() {
    QTest::addColumn<bool>("byButton");
    QTest::newRow("Esc in the drawing window") << false;
    QTest::newRow("Cancel button") << true;
}

void BackgroundLoadTest::cancelledLoadLeavesTheDrawingAsItWas() {
    QFETCH(bool, byButton);
    Shell sh;
    const QString two = sh.path(QStringLiteral("two.plt"));
    writeFile(two, "IN;SP1;PA0,0;PD2000,1000;PG;SP2;PA0,0;PD500,3000;");
    sh.window->openFile(two);
    QCOMPARE(sh.model.pageCount(), 2);
    sh.window->pageSpin()->setValue(2);
    QCOMPARE(sh.model.currentPage(), 2);
    const interp::Extents page2 = sh.model.extents();
    const auto recent = sh.store.values.window.recentFiles;
    view::DrawingWindow* w = sh.window->activeDrawingWindow();
    const auto view = w->viewRect();

    const QString big = sh.bigFile();
    bool progressShown = false;
    bool spinMoved = false;
    sh.atFirstProgress([&] {
        progressShown = sh.window->loadProgress()->isVisible();
        QVERIFY(sh.window->loadRunning());
        // Page changes wait for the new drawing: the page shown stays.
        sh.window->pageSpin()->setValue(1);
        spinMoved = sh.model.currentPage() != 2;
        if (byButton)
            sh.window->loadProgress()->cancelButton()->click();
        else
            QTest::keyClick(w, Qt::Key_Escape);
    });
    sh.window->openFile(big);
    QVERIFY(progressShown);
    QVERIFY(!spinMoved);
    QVERIFY(!sh.window->loadRunning());
    QVERIFY(!sh.window->loadProgress()->isVisible());
    QCOMPARE(sh.window->windowTitle(), sh.title(two));
    QCOMPARE(sh.store.values.window.recentFiles, recent);
    QCOMPARE(sh.model.pageCount(), 2);
    QCOMPARE(sh.model.currentPage(), 2);
    QCOMPARE(sh.model.extents().xMax, page2.xMax);
    QCOMPARE(sh.model.extents().yMax, page2.yMax);
    QCOMPARE(sh.window->pageSpin()->value(), 2);
    QCOMPARE(sh.window->pageSpin()->maximum(), 2);
    QVERIFY(sh.window->pageSpin()->isEnabled());
    QCOMPARE(sh.window->pageLabel()->text(), QStringLiteral("/2"));
    QCOMPARE(w->viewRect().width(), view.width());
    QVERIFY(sh.dialogs.log.isEmpty());
    // The drawing still works: the next load goes through.
    sh.window->openFile(two);
    QCOMPARE(sh.model.currentPage(), 1);
}

void BackgroundLoadTest::openRequestsDuringALoadRunAfterIt() {
    Shell sh;
    const QString big = sh.bigFile();
    const QString next = sh.path(QStringLiteral("next.plt"));
    const QString last = sh.path(QStringLiteral("last.plt"));
    writeFile(next, "IN;SP1;PA0,0;PD2000,1000;");
    writeFile(last, "IN;SP1;PA0,0;PD3000,1000;");
    QString titleInLoad;
    sh.atFirstProgress([&] {
        sh.window->openChosenFile(next);
        sh.window->receiveHandOver(last);
        QApplication::processEvents();
        titleInLoad = sh.window->windowTitle();
    });
    sh.window->openFile(big);
    // Neither ran inside the load; the load itself was complete.
    QVERIFY(!titleInLoad.contains(QStringLiteral("next.plt")));
    QCOMPARE(sh.window->windowTitle(), sh.title(big));
    QCOMPARE(sh.window->openQueue().pending(), (QStringList{next, last}));
    QVERIFY(sh.model.extents().xMax > 30000);
    QTRY_COMPARE(sh.window->windowTitle(), sh.title(last));
    QCOMPARE(QString::fromStdString(sh.store.values.window.recentFiles[0]), last);
    QCOMPARE(QString::fromStdString(sh.store.values.window.recentFiles[1]), next);
    QCOMPARE(QString::fromStdString(sh.store.values.window.recentFiles[2]), big);
    QCOMPARE(sh.model.extents().xMax, 3040);
}

void BackgroundLoadTest::openDialogAskedForDuringALoadComesAfterIt() {
    Shell sh;
    const QString big = sh.bigFile();
    bool modalInLoad = false;
    QString titleWithDialog;
    // The dialog runs its own loop: it is answered from a timer.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (sh.window->loadRunning()) modalInLoad = true;
        titleWithDialog = sh.window->windowTitle();
        modal->close();
    });
    watch.start(5);
    sh.atFirstProgress([&] { sh.window->actionTable().action(QStringLiteral("open"))->trigger(); });
    sh.window->openFile(big);
    QVERIFY(!modalInLoad);
    QCOMPARE(sh.window->windowTitle(), sh.title(big));
    QTRY_COMPARE(titleWithDialog, sh.title(big));
}

void BackgroundLoadTest::messagesOfALoadComeAfterItInOrder() {
    Shell sh;
    const QString good = sh.path(QStringLiteral("good.plt"));
    const QString bad = sh.path(QStringLiteral("bad.plt"));
    const QString missing = sh.path(QStringLiteral("missing.plt"));
    writeFile(good, "IN;SP1;PA0,0;PD2000,1000;");
    writeFile(bad, "IN;SP1;PA1,x;PD100,100;PA2,y;");
    sh.window->openFile(good);
    sh.window->openFile(missing);
    // An open error names the file and leaves the drawing and title as they were.
    QCOMPARE(sh.dialogs.log, QStringList{QStringLiteral("File=") + missing +
                                         QStringLiteral(" open error ! code=2")});
    QCOMPARE(sh.window->windowTitle(), sh.title(good));
    QCOMPARE(sh.model.extents().xMax, 2040);
    sh.dialogs.log.clear();
    sh.window->openFile(bad);
    QCOMPARE(sh.dialogs.log, (QStringList{QStringLiteral("HPGL Data Error Count=2"),
                                          QStringLiteral("data error 0 0")}));
    QCOMPARE(sh.window->windowTitle(), sh.title(bad));
}

void BackgroundLoadTest::closingDuringALoadClosesAfterIt() {
    Shell sh;
    const QString big = sh.bigFile();
    bool visibleInLoad = false;
    sh.atFirstProgress([&] {
        sh.window->close();
        visibleInLoad = sh.window->isVisible();
    });
    sh.window->openFile(big);
    QVERIFY(visibleInLoad); // the window waited for the load to stop
    QTRY_VERIFY(!sh.window->isVisible());
    QVERIFY(sh.dialogs.log.isEmpty());
    // Saved as File > Exit saves, without the file that was not read.
    QFile saved(QString::fromStdString(sh.store.settingsFilePath()));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(!saved.readAll().contains(QFile::encodeName(big)));
    sh.window.reset();
}

void BackgroundLoadTest::drawingWindowClosedDuringALoad() {
    Shell sh;
    const QString big = sh.bigFile();
    QPointer<view::DrawingWindow> first = sh.window->activeDrawingWindow();
    sh.atFirstProgress([&] {
        QVERIFY(first);
        first->parentWidget()->close();
        QTRY_VERIFY(!first);
    });
    sh.window->openFile(big);
    QCOMPARE(sh.window->windowTitle(), sh.title(big));
    // The drawing read shows in a window of its own.
    QCOMPARE(sh.windowCount(), 1);
    QVERIFY(sh.window->activeDrawingWindow());
}

QTEST_MAIN(BackgroundLoadTest)
#include "background_load_test.moc"
