// The open dialog: file kinds and masks, view styles, "Up", the start folder, preview mode
// (each click opens at once, the dialog stays), archives through it, OK with its options
// applied to the next load (the pen-to-pen table read before the drawing), Cancel.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

#include "fileopen/archive_chooser.h"
#include "fileopen/file_kinds.h"
#include "fileopen/open_file_dialog.h"
#include "fileopen_test_support.h"

using namespace fileopen_test;
using fileopen::OpenFileDialog;

namespace {
constexpr char kSquare[] = "SP1;PU0,0;PD1000,0,1000,1000,0,1000,0,0;";

fileopen::OpenDialogHooks hooksFor(Shell& sh) {
    fileopen::OpenDialogHooks h;
    h.report = [&sh](const QString& t) { sh.dialogs.messages << t; };
    h.openNow = [&sh](const fileopen::OpenTarget& t) { sh.window->openTarget(t); };
    h.drawingArea = [] { return QRect(); };
    return h;
}

// Waits until the dialog's file list shows `path`, then clicks it.
bool clickFile(OpenFileDialog& d, const QString& path) {
    if (!QTest::qWaitFor([&] { return d.fileIndex(path).isValid(); }, 5000)) return false;
    QAbstractItemView* v = d.fileView();
    const QModelIndex i = d.fileIndex(path);
    v->scrollTo(i);
    const QRect r = v->visualRect(i);
    if (!r.isValid()) return false;
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, r.center());
    return true;
}
} // namespace

class OpenFileDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void fileKindsGiveListAndEntryMasks();
    void controlsShowTheStoredOptions();
    void viewStylesAndUp();
    void previewOpensEachClickedFileAndStaysOpen();
    void archiveWithoutDrawingsIsReportedAndTheDialogStays();
    void archiveInPreviewGoesThroughTheChooser();
    void okAppliesPenToPenTableBeforeTheLoad();
    void cancelOpensNothing();
};

void OpenFileDialogTest::fileKindsGiveListAndEntryMasks() {
    using namespace fileopen;
    const auto kinds = parseFileKinds(QStringLiteral("HP-GL (*.hgl;*.plt)|.hgl;.plt|LZH|.lzh"
                                                     "|ZIP|.zip|All|.*|Broken"));
    QCOMPARE(kinds.size(), 5);
    QCOMPARE(fileListMasks(kinds[0]), (QStringList{"*.hgl", "*.plt"}));
    QCOMPARE(archiveEntryMask(kinds[0]), QStringLiteral("*.hgl"));
    QCOMPARE(archiveEntryMask(kinds[1]), QStringLiteral("*.*"));
    QCOMPARE(archiveEntryMask(kinds[2]), QStringLiteral("*.*"));
    QCOMPARE(fileListMasks(kinds[3]), QStringList{"*"});
    QCOMPARE(archiveEntryMask(kinds[3]), QStringLiteral("*.*"));
    QCOMPARE(kinds[4].patterns, QStringList{".*"});
    QCOMPARE(parseFileKinds(QString()).size(), 1);
}

void OpenFileDialogTest::controlsShowTheStoredOptions() {
    Shell sh;
    auto& o = sh.store.values.open;
    o.MultiPage = true;
    o.PreViewMode = true;
    o.DrawSize = 1;
    o.FileKindIndex = 1; // LZH archives
    o.FileViewStyle = 2;
    sh.store.values.pens.PenPenTblNo = 4;
    OpenFileDialog d(sh.store, hooksFor(sh), sh.dir.path());
    QCOMPARE(d.windowTitle(), QStringLiteral("OpenFile"));
    QVERIFY(d.multiPage()->isChecked());
    QVERIFY(d.previewMode()->isChecked());
    QVERIFY(d.drawSizeButton(1)->isChecked());
    QCOMPARE(d.fileKind()->currentIndex(), 1);
    QCOMPARE(d.fileMasks(), QStringList{"*.lzh"});
    QCOMPARE(d.entryMask(), QStringLiteral("*.*"));
    QCOMPARE(d.viewStyle()->currentText(), QStringLiteral("Small Icon"));
    QCOMPARE(d.penPenTable()->currentText(), QStringLiteral("4"));
    QCOMPARE(d.folder(), sh.dir.path());
    QCOMPARE(d.fileKind()->count(), 4);
    bool pdfDisabled = false;
    for (auto* g : d.findChildren<QGroupBox*>())
        if (g->title() == QStringLiteral("Setup when opening PDF file"))
            pdfDisabled = !g->isEnabled();
    QVERIFY(pdfDisabled);
    // The kind change clears the file name and sets the masks.
    d.fileName()->setText(QStringLiteral("x"));
    d.fileKind()->setCurrentIndex(0);
    QVERIFY(d.fileName()->text().isEmpty());
    QCOMPARE(d.entryMask(), QStringLiteral("*.hgl"));
    QVERIFY(d.fileMasks().contains(QStringLiteral("*.plt")));
}

void OpenFileDialogTest::viewStylesAndUp() {
    Shell sh;
    QDir(sh.dir.path()).mkpath(QStringLiteral("inner"));
    OpenFileDialog d(sh.store, hooksFor(sh), sh.path(QStringLiteral("inner")));
    d.viewStyle()->setCurrentIndex(0);
    QVERIFY(qobject_cast<QTreeView*>(d.fileView()));
    const QListView::ViewMode modes[] = {QListView::ListMode, QListView::IconMode,
                                         QListView::IconMode};
    for (int k = 1; k <= 3; ++k) {
        d.viewStyle()->setCurrentIndex(k);
        auto* list = qobject_cast<QListView*>(d.fileView());
        QVERIFY(list);
        QCOMPARE(list->viewMode(), modes[k - 1]);
    }
    QCOMPARE(qobject_cast<QListView*>(d.fileView())->iconSize(), QSize(48, 48));
    QTest::mouseClick(d.upButton(), Qt::LeftButton);
    QCOMPARE(d.folder(), sh.dir.path());
    QCOMPARE(d.address()->text(), QDir::toNativeSeparators(sh.dir.path()));
}

void OpenFileDialogTest::previewOpensEachClickedFileAndStaysOpen() {
    Shell sh;
    QStringList files;
    for (const char* name : {"one.hgl", "two.hgl", "three.plt"}) {
        files << sh.path(QString::fromLatin1(name));
        writeFile(files.last(), kSquare);
    }
    writeFile(sh.path(QStringLiteral("notes.txt")), "text");
    sh.store.values.open.PreViewMode = true;
    OpenFileDialog d(sh.store, hooksFor(sh), sh.dir.path());
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    for (const QString& f : files) {
        QVERIFY2(clickFile(d, f), qPrintable(f));
        QCOMPARE(sh.title(), QStringLiteral("QuindleMini - [") + f + QStringLiteral("]"));
        QVERIFY(d.isVisible());
    }
    QCOMPARE(sh.title(), QStringLiteral("QuindleMini - [") + files[2] + QStringLiteral("]"));
    QCOMPARE(QString::fromStdString(sh.store.values.window.recentFiles[2]), files[0]);
    QVERIFY(d.isVisible());
    QCOMPARE(d.result(), 0);
    // OK with preview on opens the named file too, and the dialog stays.
    d.fileName()->setText(files[0]);
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    QCOMPARE(sh.title(), QStringLiteral("QuindleMini - [") + files[0] + QStringLiteral("]"));
    QVERIFY(d.isVisible());
    QVERIFY(sh.dialogs.messages.isEmpty());
}

void OpenFileDialogTest::archiveWithoutDrawingsIsReportedAndTheDialogStays() {
    Shell sh;
    const QString zip = sh.path(QStringLiteral("empty.zip"));
    QFile::copy(fixture("no_drawing.zip"), zip);
    OpenFileDialog d(sh.store, hooksFor(sh), sh.dir.path());
    d.show();
    d.fileName()->setText(zip);
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    QCOMPARE(sh.dialogs.messages, QStringList{QStringLiteral(" File Not Exits！*.hgl")});
    QVERIFY(d.isVisible());
    QVERIFY(!d.chosen());
    // The same in preview mode.
    d.previewMode()->setChecked(true);
    d.fileName()->setText(zip);
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    QCOMPARE(sh.dialogs.messages.size(), 2);
    QVERIFY(d.isVisible());
    QVERIFY(!sh.window->hasFile());

    // One drawing: OK gives the scratch copy under the archive's name.
    d.previewMode()->setChecked(false);
    d.fileName()->setText(fixture("one_drawing.zip"));
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    QVERIFY(d.chosen());
    QVERIFY(d.chosen()->extracted);
    QCOMPARE(d.chosen()->displayName, fixture("one_drawing.zip"));
    sh.window->openTarget(*d.chosen());
    QVERIFY(sh.scratchFiles().isEmpty());
}

void OpenFileDialogTest::archiveInPreviewGoesThroughTheChooser() {
    Shell sh;
    const QString lzh = sh.path(QStringLiteral("two.lzh"));
    QFile::copy(fixture("two_drawings.lzh"), lzh);
    sh.store.values.open.PreViewMode = true;
    sh.store.values.open.FileKindIndex = 1; // LZH archives: every entry is offered
    OpenFileDialog d(sh.store, hooksFor(sh), sh.dir.path());
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    const QPoint home = d.pos();
    bool seen = false;
    int entries = 0;
    bool dialogAway = false;
    QString titleAfterClick;
    whenModal<fileopen::ArchiveChooser>(
        [&](fileopen::ArchiveChooser& c) {
            entries = c.list()->count();
            dialogAway = d.pos().x() == -1000;
            QVERIFY(!c.extractButton()->isEnabled());
            const QRect r = c.list()->visualItemRect(c.list()->item(0));
            QTest::mouseClick(c.list()->viewport(), Qt::LeftButton, {}, r.center());
            titleAfterClick = sh.title();
            c.endButton()->click();
        },
        &seen);
    QVERIFY(clickFile(d, lzh));
    QVERIFY(seen);
    QCOMPARE(entries, 3); // "*.*": the notes too
    QVERIFY(dialogAway);
    QCOMPARE(d.pos(), home);
    QCOMPARE(titleAfterClick, QStringLiteral("QuindleMini - [") + lzh + QStringLiteral("]"));
    QVERIFY(d.isVisible());
    QVERIFY(sh.scratchFiles().isEmpty());
}

void OpenFileDialogTest::okAppliesPenToPenTableBeforeTheLoad() {
    Shell sh;
    // Pen-to-pen table 3 sends pen 1 to pen 7.
    sh.store.penPenTable.map[1] = 7;
    QVERIFY(sh.store.writePenPenTable(3));
    sh.store.loadPenPenTable(0);
    QCOMPARE(int(sh.store.penPenTable.map[1]), 1);
    const QString plot = sh.path(QStringLiteral("pen1.plt"));
    writeFile(plot, kSquare);

    // Through "Open(&O)" of the main window.
    bool seen = false;
    whenModal<OpenFileDialog>(
        [&](OpenFileDialog& d) {
            QCOMPARE(d.folder(), QDir::homePath()); // no file open, no recent files
            d.penPenTable()->setCurrentIndex(3);
            d.multiPage()->setChecked(true);
            d.drawSizeButton(1)->setChecked(true);
            d.fileName()->setText(plot);
            d.okButton()->click();
        },
        &seen);
    sh.window->actionTable().action(QStringLiteral("open"))->trigger();
    QVERIFY(seen);
    QCOMPARE(sh.title(), QStringLiteral("QuindleMini - [") + plot + QStringLiteral("]"));
    QVERIFY(sh.model.pens.used[7]);
    QVERIFY(!sh.model.pens.used[1]);
    QCOMPARE(int(sh.store.values.pens.PenPenTblNo), 3);
    QVERIFY(sh.store.values.open.MultiPage);
    QCOMPARE(int(sh.store.values.open.DrawSize), 1);

    // The options are saved with the settings.
    QVERIFY(sh.store.save());
    settings::SettingsStore again(sh.dir.path().toStdString(), "QuindleMini");
    again.load();
    QCOMPARE(int(again.values.pens.PenPenTblNo), 3);
    QVERIFY(again.values.open.MultiPage);

    // The next "Open(&O)" starts in the folder of the open drawing.
    QString startFolder;
    whenModal<OpenFileDialog>(
        [&](OpenFileDialog& d) {
            startFolder = d.folder();
            d.cancelButton()->click();
        },
        &seen);
    sh.window->actionTable().action(QStringLiteral("open"))->trigger();
    QCOMPARE(startFolder, sh.dir.path());
}

void OpenFileDialogTest::cancelOpensNothing() {
    Shell sh;
    const QString plot = sh.path(QStringLiteral("a.hgl"));
    writeFile(plot, kSquare);
    OpenFileDialog d(sh.store, hooksFor(sh), sh.dir.path());
    d.show();
    d.fileName()->setText(plot);
    d.penPenTable()->setCurrentIndex(2);
    QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(!d.chosen());
    QCOMPARE(int(sh.store.values.pens.PenPenTblNo), 0);
    QVERIFY(!sh.window->hasFile());
}

QTEST_MAIN(OpenFileDialogTest)
#include "open_file_dialog_test.moc"
