// The archive chooser on its own, and the archive step of every open of the main window:
// one drawing taken out and deleted after the load, several offered in the chooser, the
// failures reported, upper-case names opened as plot files, the start-up file.

#include <QListWidget>
#include <QPushButton>

#include "archive/open_from_archive.h"
#include "fileopen/archive_chooser.h"
#include "fileopen_test_support.h"

using namespace fileopen_test;
using fileopen::ArchiveChooser;

namespace {
std::vector<archives::ArchiveEntry> twoDrawings(const QString& settings) {
    auto open = archives::openFromArchive(fixture("two_drawings.lzh").toStdString(),
                                          settings.toStdString());
    return open.matches;
}

void clickRow(QListWidget* list, int row) {
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}
} // namespace

class ArchiveOpenTest : public QObject {
    Q_OBJECT
  private slots:
    void chooserListsTheDrawingsAndExtractsTheChosenOne();
    void chooserWithoutChoiceOrCancelledGivesNothing();
    void chooserInPreviewOpensEachClickedEntry();
    void oneDrawingIsOpenedUnderTheArchiveNameAndDeleted();
    void severalDrawingsGoThroughTheChooser();
    void failuresAreReportedAndOpenNothing();
    void startUpArchiveIsOpenedAtFirstPaint();
};

void ArchiveOpenTest::chooserListsTheDrawingsAndExtractsTheChosenOne() {
    QTemporaryDir settings;
    const auto entries = twoDrawings(settings.path());
    ArchiveChooser chooser(fixture("two_drawings.lzh"), entries, settings.path());
    QCOMPARE(chooser.windowTitle(), QStringLiteral("Open Archive File"));
    QCOMPARE(chooser.list()->count(), 2); // notes.txt is not a drawing
    QCOMPARE(chooser.list()->item(0)->text(), QStringLiteral("a.hgl"));
    QCOMPARE(chooser.list()->item(1)->text(), QStringLiteral("sub/deep/b.hgl"));
    QCOMPARE(chooser.list()->selectionMode(), QAbstractItemView::SingleSelection);
    QVERIFY(chooser.extractButton()->isEnabled());
    QVERIFY(!chooser.endButton()->isEnabled());
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    clickRow(chooser.list(), 1);
    QTest::mouseClick(chooser.extractButton(), Qt::LeftButton);
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    // The entry in folders lands directly in TEMP under its bare name.
    QCOMPARE(chooser.extractedPath(), settings.filePath(QStringLiteral("TEMP/b.hgl")));
    QVERIFY(QFileInfo::exists(chooser.extractedPath()));

    // A double click extracts too.
    ArchiveChooser again(fixture("two_drawings.lzh"), entries, settings.path());
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    const QRect r = again.list()->visualItemRect(again.list()->item(0));
    QTest::mouseClick(again.list()->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(again.list()->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(again.result(), int(QDialog::Accepted));
    QCOMPARE(again.extractedPath(), settings.filePath(QStringLiteral("TEMP/a.hgl")));
}

void ArchiveOpenTest::chooserWithoutChoiceOrCancelledGivesNothing() {
    QTemporaryDir settings;
    const auto entries = twoDrawings(settings.path());
    ArchiveChooser none(fixture("two_drawings.lzh"), entries, settings.path());
    none.show();
    QTest::mouseClick(none.extractButton(), Qt::LeftButton);
    QCOMPARE(none.result(), int(QDialog::Rejected));
    QVERIFY(none.extractedPath().isEmpty());

    ArchiveChooser cancelled(fixture("two_drawings.lzh"), entries, settings.path());
    cancelled.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cancelled));
    clickRow(cancelled.list(), 0);
    QTest::mouseClick(cancelled.cancelButton(), Qt::LeftButton);
    QCOMPARE(cancelled.result(), int(QDialog::Rejected));
    QVERIFY(cancelled.extractedPath().isEmpty());
    QVERIFY(QDir(settings.filePath(QStringLiteral("TEMP"))).entryList(QDir::Files).isEmpty());
}

void ArchiveOpenTest::chooserInPreviewOpensEachClickedEntry() {
    QTemporaryDir settings;
    ArchiveChooser chooser(fixture("two_drawings.lzh"), twoDrawings(settings.path()),
                           settings.path());
    QStringList opened;
    chooser.setPreview([&](const fileopen::OpenTarget& t) {
        QVERIFY(t.extracted);
        QCOMPARE(t.displayName, fixture("two_drawings.lzh"));
        QVERIFY(QFileInfo::exists(t.drawingPath));
        opened << QFileInfo(t.drawingPath).fileName();
        QFile::remove(t.drawingPath);
    });
    QVERIFY(!chooser.extractButton()->isEnabled());
    QVERIFY(chooser.endButton()->isEnabled());
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    clickRow(chooser.list(), 0);
    clickRow(chooser.list(), 1);
    QCOMPARE(opened, (QStringList{"a.hgl", "b.hgl"}));
    QVERIFY(chooser.isVisible());
    QTest::mouseClick(chooser.endButton(), Qt::LeftButton);
    QVERIFY(!chooser.isVisible());
}

void ArchiveOpenTest::oneDrawingIsOpenedUnderTheArchiveNameAndDeleted() {
    Shell sh;
    const QString zip = fixture("one_drawing.zip");
    sh.window->openFile(zip);
    QVERIFY(sh.dialogs.messages.isEmpty());
    QCOMPARE(sh.title(), QStringLiteral("QuindleMini - [") + zip + QStringLiteral("]"));
    QCOMPARE(QString::fromStdString(sh.store.values.window.recentFiles[0]), zip);
    QVERIFY(sh.model.extents().xMax > sh.model.extents().xMin);
    QVERIFY2(sh.scratchFiles().isEmpty(), qPrintable(sh.scratchFiles().join(',')));

    // From the recent files the archive is taken apart again (the open runs from the event
    // loop).
    sh.model.reset();
    sh.window->actionTable().action(QStringLiteral("recent1"))->trigger();
    QTRY_VERIFY(sh.model.extents().xMax > sh.model.extents().xMin);
    QVERIFY(sh.scratchFiles().isEmpty());

    // A hand-over goes the same way.
    sh.window->receiveHandOver(fixture("sjis_name.lzh"));
    QTRY_COMPARE(sh.title(), QStringLiteral("QuindleMini - [") + fixture("sjis_name.lzh") +
                                 QStringLiteral("]"));
    QVERIFY(sh.scratchFiles().isEmpty());
}

void ArchiveOpenTest::severalDrawingsGoThroughTheChooser() {
    Shell sh;
    const QString lzh = fixture("two_drawings.lzh");
    bool seen = false;
    whenModal<ArchiveChooser>(
        [](ArchiveChooser& c) {
            c.list()->setCurrentRow(1);
            c.extractButton()->click();
        },
        &seen);
    sh.window->openFile(lzh);
    QVERIFY(seen);
    QCOMPARE(sh.title(), QStringLiteral("QuindleMini - [") + lzh + QStringLiteral("]"));
    QVERIFY(sh.scratchFiles().isEmpty());

    // Cancelled: nothing is opened, the title stays.
    const QString plot = sh.path(QStringLiteral("p.plt"));
    writeFile(plot, "SP1;PU0,0;PD100,100;");
    sh.window->openFile(plot);
    seen = false;
    whenModal<ArchiveChooser>([](ArchiveChooser& c) { c.cancelButton()->click(); }, &seen);
    sh.window->openFile(lzh);
    QVERIFY(seen);
    QCOMPARE(sh.title(), QStringLiteral("QuindleMini - [") + plot + QStringLiteral("]"));
    QVERIFY(sh.scratchFiles().isEmpty());
}

void ArchiveOpenTest::failuresAreReportedAndOpenNothing() {
    Shell sh;
    const QString before = sh.title();
    sh.window->openFile(fixture("no_drawing.zip"));
    QCOMPARE(sh.dialogs.messages, QStringList{QStringLiteral(" File Not Exits！*.hgl")});
    sh.window->openFile(fixture("truncated.zip"));
    QCOMPARE(sh.dialogs.messages.value(1), QStringLiteral("Archive File is Abnormal！"));
    QCOMPARE(sh.title(), before);
    QCOMPARE(sh.store.values.window.recentFiles[0], std::string());

    // Only ".zip" and ".lzh" as written are archives: "X.ZIP" is read as a plot file.
    const QString upper = sh.path(QStringLiteral("X.ZIP"));
    QFile::copy(fixture("one_drawing.zip"), upper);
    sh.window->openFile(upper);
    QCOMPARE(sh.title(), QStringLiteral("QuindleMini - [") + upper + QStringLiteral("]"));
    QVERIFY(sh.scratchFiles().isEmpty());
}

void ArchiveOpenTest::startUpArchiveIsOpenedAtFirstPaint() {
    const QString zip = fixture("nested.zip");
    Shell sh(zip);
    QCOMPARE(sh.title(), QStringLiteral("QuindleMini - [") + zip + QStringLiteral("]"));
    QCOMPARE(QString::fromStdString(sh.store.values.window.recentFiles[0]), zip);
    QVERIFY(sh.model.extents().xMax > sh.model.extents().xMin);
    QVERIFY(sh.scratchFiles().isEmpty());
    QVERIFY(sh.window->activeDrawingWindow());

    // An archive without drawings at start-up: reported, an empty window, no current file.
    Shell empty(fixture("no_drawing.zip"));
    QCOMPARE(empty.dialogs.messages, QStringList{QStringLiteral(" File Not Exits！*.hgl")});
    QVERIFY(empty.window->activeDrawingWindow());
    QVERIFY(!empty.window->hasFile());
}

QTEST_MAIN(ArchiveOpenTest)
#include "archive_open_test.moc"
