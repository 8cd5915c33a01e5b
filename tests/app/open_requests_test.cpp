// Open requests and termination signals (offscreen platform): requests wait while a load
// or its boxes run and then run in order; a termination signal closes the main window as
// File > Exit does, only once no box is open any more.

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "app/main_window.h"
#include "app/open_queue.h"
#include "app/termination_signals.h"
#include "tests/support/main_window_shell.h"
#include "view/window/drawing_window.h"

namespace {

using testshell::writeFile;

struct Shell : testshell::MainWindowShell {
    int windowCount() const {
        int n = 0;
        window->shared().forEachWindow([&n](view::DrawingWindow&) { ++n; });
        return n;
    }
};

} // namespace

class OpenRequestsTest : public QObject {
    Q_OBJECT
  private slots:
    void queueRunsAfterTheBusyScopesInOrder();
    void handOverDuringALoadWaitsForIt();
    void handOverDuringTheStartUpLoadWaitsForIt();
    void terminationSignalClosesTheMainWindowAndSaves();
    void terminationSignalInsideABoxClosesTheBoxFirst();
};

void OpenRequestsTest::queueRunsAfterTheBusyScopesInOrder() {
    QStringList opened;
    app::OpenRequestQueue queue([&](const QString& f) {
        opened << f;
        // A request made by an open runs after it, not inside it.
        if (f == QLatin1String("a")) {
            queue.push(QStringLiteral("c"));
            QVERIFY(queue.busy());
        }
    });
    queue.push(QStringLiteral("a"));
    QVERIFY(opened.isEmpty()); // never inside the caller
    {
        app::OpenRequestQueue::BusyScope outer(queue);
        {
            app::OpenRequestQueue::BusyScope inner(queue);
            queue.push(QStringLiteral("b"));
        }
        QApplication::processEvents();
        QVERIFY(opened.isEmpty());
    }
    QTRY_COMPARE(opened, (QStringList{"a", "b", "c"}));
    QVERIFY(!queue.busy());
    queue.push(QStringLiteral("d"));
    queue.clear();
    QApplication::processEvents();
    QCOMPARE(opened.size(), 3);
}

void OpenRequestsTest::handOverDuringALoadWaitsForIt() {
    Shell sh;
    sh.start();
    const QString bad = sh.path(QStringLiteral("bad.plt"));
    const QString next = sh.path(QStringLiteral("next.plt"));
    writeFile(bad, "IN;SP1;PA1,x;PD100,100;");
    writeFile(next, "IN;SP1;PA0,0;PD2000,1000;");
    QStringList titlesInBox;
    sh.dialogs.onReport = [&] {
        // The "HPGL Data Error Count=" box is up: a later start hands a file over.
        sh.window->receiveHandOver(next);
        titlesInBox << sh.window->windowTitle();
    };
    sh.window->openFile(bad);
    QCOMPARE(sh.dialogs.messages, QStringList{QStringLiteral("HPGL Data Error Count=1")});
    QCOMPARE(titlesInBox, QStringList{sh.title(bad)});
    // The whole load, its data error dialog included, came first.
    QCOMPARE(sh.window->windowTitle(), sh.title(bad));
    QCOMPARE(sh.dialogs.dataErrors.size(), 1);
    QCOMPARE(sh.window->openQueue().pending(), QStringList{next});
    sh.dialogs.onReport = nullptr;
    QTRY_COMPARE(sh.window->windowTitle(), sh.title(next));
    QCOMPARE(sh.windowCount(), 1);
    QCOMPARE(sh.model.extents().xMax, 2040);
    QCOMPARE(QString::fromStdString(sh.store.values.window.recentFiles[0]), next);
    QCOMPARE(QString::fromStdString(sh.store.values.window.recentFiles[1]), bad);
}

void OpenRequestsTest::handOverDuringTheStartUpLoadWaitsForIt() {
    Shell sh;
    const QString bad = sh.path(QStringLiteral("bad.plt"));
    const QString next = sh.path(QStringLiteral("next.plt"));
    const QString last = sh.path(QStringLiteral("last.plt"));
    writeFile(bad, "IN;SP1;PA1,x;PD100,100;");
    writeFile(next, "IN;SP1;PA0,0;PD2000,1000;");
    writeFile(last, "IN;SP1;PA0,0;PD3000,1000;");
    bool handedOver = false;
    sh.dialogs.onReport = [&] {
        if (handedOver) return;
        handedOver = true;
        sh.window->receiveHandOver(next);
        sh.window->receiveHandOver(last);
    };
    sh.start(bad);
    QCOMPARE(sh.window->windowTitle(), sh.title(bad));
    QCOMPARE(sh.windowCount(), 1);
    QTRY_COMPARE(sh.window->windowTitle(), sh.title(last));
    QCOMPARE(sh.windowCount(), 1);
    QCOMPARE(QString::fromStdString(sh.store.values.window.recentFiles[1]), next);
}

void OpenRequestsTest::terminationSignalClosesTheMainWindowAndSaves() {
    Shell sh;
    const QString f = sh.path(QStringLiteral("f.plt"));
    writeFile(f, "IN;SP1;PA0,0;PD2000,1000;");
    sh.start(f);
    app::TerminationSignals termination;
    QObject::connect(&termination, &app::TerminationSignals::requested, sh.window.get(),
                     [&sh] { app::closeWhenIdle(sh.window.get()); });
    QVERIFY(!QFile::exists(QString::fromStdString(sh.store.settingsFilePath())));
    std::raise(SIGTERM);
    QTRY_VERIFY(!sh.window->isVisible());
    QCOMPARE(termination.received(), SIGTERM);
    // Saved as File > Exit saves.
    QFile saved(QString::fromStdString(sh.store.settingsFilePath()));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains(QFile::encodeName(f)));
}

void OpenRequestsTest::terminationSignalInsideABoxClosesTheBoxFirst() {
    Shell sh;
    sh.start();
    app::TerminationSignals termination;
    QObject::connect(&termination, &app::TerminationSignals::requested, sh.window.get(),
                     [&sh] { app::closeWhenIdle(sh.window.get()); });
    bool visibleAfterBox = false;
    QTimer::singleShot(0, [] { std::raise(SIGHUP); });
    // A handler that shows a box and uses the window afterwards.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("QuindleMini"), QStringLiteral("text"),
                    QMessageBox::Ok, sh.window.get());
    box.exec();
    visibleAfterBox = sh.window->isVisible();
    QVERIFY(visibleAfterBox); // the window outlived the box it was still inside
    QTRY_VERIFY(!sh.window->isVisible());
    QCOMPARE(termination.received(), SIGHUP);
}

QTEST_MAIN(OpenRequestsTest)
#include "open_requests_test.moc"
