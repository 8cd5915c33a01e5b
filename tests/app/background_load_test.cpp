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
#include "view/window/drawing_window.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Dialogs that record what they were asked to show, in one list.
class LogDialogs : public app::AppDialogs {
  public:
    void report(QWidget*, const QString& t) override { log << t; }
    void dataError(QWidget*, int h, int r) override {
        log << QStringLiteral("data error %1 %2").arg(h).arg(r);
    }
    QString chooseFile(QWidget*, const QString&) override { return QString(); }
    QStringList log;
};

struct Shell {
    QTemporaryDir dir;
    interp::DrawingModel model;
    settings::SettingsStore store{dir.path().toStdString(), "QuindleMini"};
    view::ViewValues values;
    LogDialogs dialogs;
    std::unique_ptr<app::MainWindow> form;

    Shell() {
        store.setDefaults();
        store.values.open.MultiPage = true;
        form = std::make_unique<app::MainWindow>(model, store, values, dialogs, app::StartUp{});
        form->resize(800, 600);
        form->show();
        form->firstPaint();
        // Progress shows at once, so that a test can act on it.
        form->setProgressDelay(0);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString title(const QString& file) const {
        return QStringLiteral("QuindleMini - [") + file + QStringLiteral("]");
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
        QObject::connect(form.get(), &app::MainWindow::loadProgressed, form.get(), [once, step] {
            if (*once) return;
            *once = true;
            step();
        });
    }
    int windowCount() const {
        int n = 0;
        form->shared().forEachWindow([&n](view::DrawingWindow&) { ++n; });
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
    sh.form->openFile(two);
    QCOMPARE(sh.model.pageCount(), 2);
    sh.form->pageSpin()->setValue(2);
    QCOMPARE(sh.model.currentPage(), 2);
    const interp::Extents page2 = sh.model.extents();
    const auto recent = sh.store.values.window.recentFiles;
    view::DrawingWindow* w = sh.form->activeDrawingWindow();
    const auto view = w->viewRect();

    const QString big = sh.bigFile();
    bool progressShown = false;
    bool spinMoved = false;
    sh.atFirstProgress([&] {
        progressShown = sh.form->loadProgress()->isVisible();
        QVERIFY(sh.form->loadRunning());
        // Page changes wait for the new drawing: the page shown stays.
        sh.form->pageSpin()->setValue(1);
        spinMoved = sh.model.currentPage() != 2;
        if (byButton)
            sh.form->loadProgress()->cancelButton()->click();
        else
            QTest::keyClick(w, Qt::Key_Escape);
    });
    sh.form->openFile(big);
    QVERIFY(progressShown);
    QVERIFY(!spinMoved);
    QVERIFY(!sh.form->loadRunning());
    QVERIFY(!sh.form->loadProgress()->isVisible());
    QCOMPARE(sh.form->windowTitle(), sh.title(two));
    QCOMPARE(sh.store.values.window.recentFiles, recent);
    QCOMPARE(sh.model.pageCount(), 2);
    QCOMPARE(sh.model.currentPage(), 2);
    QCOMPARE(sh.model.extents().xMax, page2.xMax);
    QCOMPARE(sh.model.extents().yMax, page2.yMax);
    QCOMPARE(sh.form->pageSpin()->value(), 2);
    QCOMPARE(sh.form->pageSpin()->maximum(), 2);
    QVERIFY(sh.form->pageSpin()->isEnabled());
    QCOMPARE(sh.form->pageLabel()->text(), QStringLiteral("/2"));
    QCOMPARE(w->viewRect().width(), view.width());
    QVERIFY(sh.dialogs.log.isEmpty());
    // The drawing still works: the next load goes through.
    sh.form->openFile(two);
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
        sh.form->openChosenFile(next);
        sh.form->receiveHandOver(last);
        QApplication::processEvents();
        titleInLoad = sh.form->windowTitle();
    });
    sh.form->openFile(big);
    // Neither ran inside the load; the load itself was complete.
    QVERIFY(!titleInLoad.contains(QStringLiteral("next.plt")));
    QCOMPARE(sh.form->windowTitle(), sh.title(big));
    QCOMPARE(sh.form->openQueue().pending(), (QStringList{next, last}));
    QVERIFY(sh.model.extents().xMax > 30000);
    QTRY_COMPARE(sh.form->windowTitle(), sh.title(last));
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
        if (sh.form->loadRunning()) modalInLoad = true;
        titleWithDialog = sh.form->windowTitle();
        modal->close();
    });
    watch.start(5);
    sh.atFirstProgress([&] { sh.form->actionTable().action(QStringLiteral("open"))->trigger(); });
    sh.form->openFile(big);
    QVERIFY(!modalInLoad);
    QCOMPARE(sh.form->windowTitle(), sh.title(big));
    QTRY_COMPARE(titleWithDialog, sh.title(big));
}

void BackgroundLoadTest::messagesOfALoadComeAfterItInOrder() {
    Shell sh;
    const QString good = sh.path(QStringLiteral("good.plt"));
    const QString bad = sh.path(QStringLiteral("bad.plt"));
    const QString missing = sh.path(QStringLiteral("missing.plt"));
    writeFile(good, "IN;SP1;PA0,0;PD2000,1000;");
    writeFile(bad, "IN;SP1;PA1,x;PD100,100;PA2,y;");
    sh.form->openFile(good);
    sh.form->openFile(missing);
    // An open error names the file and leaves the drawing and title as they were.
    QCOMPARE(sh.dialogs.log, QStringList{QStringLiteral("File=") + missing +
                                         QStringLiteral(" open error ! code=2")});
    QCOMPARE(sh.form->windowTitle(), sh.title(good));
    QCOMPARE(sh.model.extents().xMax, 2040);
    sh.dialogs.log.clear();
    sh.form->openFile(bad);
    QCOMPARE(sh.dialogs.log, (QStringList{QStringLiteral("HPGL Data Error Count=2"),
                                          QStringLiteral("data error 0 0")}));
    QCOMPARE(sh.form->windowTitle(), sh.title(bad));
}

void BackgroundLoadTest::closingDuringALoadClosesAfterIt() {
    Shell sh;
    const QString big = sh.bigFile();
    bool visibleInLoad = false;
    sh.atFirstProgress([&] {
        sh.form->close();
        visibleInLoad = sh.form->isVisible();
    });
    sh.form->openFile(big);
    QVERIFY(visibleInLoad); // the window waited for the load to stop
    QTRY_VERIFY(!sh.form->isVisible());
    QVERIFY(sh.dialogs.log.isEmpty());
    // Saved as File > Exit saves, without the file that was not read.
    QFile saved(QString::fromStdString(sh.store.settingsFilePath()));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(!saved.readAll().contains(QFile::encodeName(big)));
    sh.form.reset();
}

void BackgroundLoadTest::drawingWindowClosedDuringALoad() {
    Shell sh;
    const QString big = sh.bigFile();
    QPointer<view::DrawingWindow> first = sh.form->activeDrawingWindow();
    sh.atFirstProgress([&] {
        QVERIFY(first);
        first->parentWidget()->close();
        QTRY_VERIFY(!first);
    });
    sh.form->openFile(big);
    QCOMPARE(sh.form->windowTitle(), sh.title(big));
    // The drawing read shows in a window of its own.
    QCOMPARE(sh.windowCount(), 1);
    QVERIFY(sh.form->activeDrawingWindow());
}

QTEST_MAIN(BackgroundLoadTest)
#include "background_load_test.moc"
