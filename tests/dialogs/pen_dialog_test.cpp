// The pen dialog driven as a user would: widths typed in mm and inches, colours picked,
// pen tables and pen-to-pen tables switched with the over-write question, OK writing only
// what changed, Cancel, and "Display" lending the dialog's values for one redraw.

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>

#include "dialog_helpers.h"
#include "dialogs/colour_swatch.h"
#include "dialogs/pen_dialog.h"
#include "dialogs/pen_rows.h"
#include "settings/text_lines.h"

using dialogtest::child;
using dialogtest::RecordingServices;

namespace {

constexpr int kInch = 3;

// A settings store in a fresh folder, pen table 1 in use and written as file 1.
struct PenSetup {
    QTemporaryDir dir;
    settings::SettingsStore store{dir.path().toStdString(), "QuindleMini"};
    dialogs::DrawingFacts drawing;
    RecordingServices sv;

    PenSetup() {
        store.values.pens.PenTblNo = 1;
        store.penTable.name = "one";
        store.penTable.width[2] = 50;
        settings::writePenTableFile(path(1), store.penTable.colour, store.penTable.width, "one");
    }
    std::string path(int n) const { return settings::penTablePath(store.folder(), n); }
    std::string mapPath(int n) const { return settings::penPenTablePath(store.folder(), n); }
    QByteArray contents(int n) const {
        QFile f(QString::fromStdString(path(n)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Line `line` (1-based) of pen table file n.
    std::string line(int n, int lineNo) const {
        auto lines = settings::readTextLines(path(n));
        return lines && int(lines->size()) >= lineNo ? (*lines)[lineNo - 1] : "<missing>";
    }
};

// Types a width into the editor of row r and leaves it.
void typeWidth(dialogs::PenDialog& d, int r, const QString& text) {
    auto* spin = child<QDoubleSpinBox>(d, QStringLiteral("PenWidth%1").arg(r));
    QTest::mouseClick(spin, Qt::LeftButton);
    spin->selectAll();
    QTest::keyClicks(spin, text);
    QTest::keyClick(spin, Qt::Key_Tab);
}

void clickSwatch(dialogs::PenDialog& d, int r) {
    QTest::mouseClick(child<QWidget>(d, QStringLiteral("PenColour%1").arg(r)), Qt::LeftButton);
}

// Picks entry `index` of a combo box as a choice from its list does.
void selectIn(QComboBox* box, int index) {
    box->setFocus(Qt::TabFocusReason);
    box->setCurrentIndex(index);
}

} // namespace

class PenDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void widthTypedInMillimetres();
    void widthEditorsInInches();
    void rowsPageThroughThePens();
    void colourPickedMarksTheTableChanged();
    void switchingToATableWithoutAFileThenOkWritesNothing();
    void switchingAChangedTableAsksToOverWrite();
    void nameAloneCountsAsAChange();
    void translationTable();
    void backAndMarkSwatchesFollowTheirPens();
    void switchesAreStoredOnOk();
    void cancelStoresNothing();
    void previewLendsTheValuesAndPutsEveryOneBack();
    void pageSizeLabels();
    void unwritableFolderIsReported();
};

void PenDialogTest::widthTypedInMillimetres() {
    PenSetup s;
    dialogs::PenDialog d(s.store, s.drawing, s.sv);
    QVERIFY(dialogtest::showActive(d));
    auto* spin = child<QDoubleSpinBox>(d, "PenWidth3");
    QCOMPARE(spin->maximum(), 10.0);
    QCOMPARE(spin->singleStep(), 0.05);
    QCOMPARE(spin->decimals(), 2);
    QCOMPARE(child<QDoubleSpinBox>(d, "PenWidth2")->value(), 0.5);
    typeWidth(d, 3, "0.35");
    QCOMPARE(d.workingCopy().widths()[3], 35);
    // One pixel of bar per 0.1 mm.
    QCOMPARE(child<dialogs::WidthBar>(d, "PenBar3")->barHeight(), 3);
    QCOMPARE(child<dialogs::WidthBar>(d, "PenBar2")->barHeight(), 5);
    typeWidth(d, 4, "2");
    QCOMPARE(child<dialogs::WidthBar>(d, "PenBar4")->barHeight(), 15); // 20, capped
    // Above the 10 mm maximum: the editor refuses the digit that would pass it.
    typeWidth(d, 5, "12");
    QCOMPARE(d.workingCopy().widths()[5], 100);
    dialogtest::pressOk(d);
    QCOMPARE(d.result(), dialogs::kResultOk);
    QCOMPARE(s.store.penTable.width[3], 35);
    QCOMPARE(s.line(1, 257 + 3), std::string("35"));
    QCOMPARE(s.line(1, 257 + 4), std::string("200"));
}

void PenDialogTest::widthEditorsInInches() {
    PenSetup s;
    s.store.values.view.lengthUnit = kInch;
    dialogs::PenDialog d(s.store, s.drawing, s.sv);
    QVERIFY(dialogtest::showActive(d));
    auto* spin = child<QDoubleSpinBox>(d, "PenWidth7");
    QCOMPARE(spin->decimals(), 4);
    QCOMPARE(spin->maximum(), 0.3937); // 10 mm held to the editor's 4 decimals
    QVERIFY(qAbs(spin->singleStep() - 10.0 / 25.4 / 200) < 1e-12);
    QCOMPARE(child<QDoubleSpinBox>(d, "PenWidth2")->text(), QStringLiteral("0.0197"));
    bool headerFound = false;
    for (QLabel* l : d.findChildren<QLabel*>())
        if (l->text() == QStringLiteral("Disp InsPen  Color   LineWidth(in)")) headerFound = true;
    QVERIFY(headerFound);
    // 0.0138 in = 0.35052 mm: stored as 35 hundredths.
    typeWidth(d, 7, "0.0138");
    QCOMPARE(d.workingCopy().widths()[7], 35);
    // Leaving pen 2 untouched keeps its 50 although the editor shows it rounded.
    dialogtest::pressOk(d);
    QCOMPARE(s.store.penTable.width[7], 35);
    QCOMPARE(s.store.penTable.width[2], 50);
}

void PenDialogTest::rowsPageThroughThePens() {
    PenSetup s;
    s.drawing.penUsed[1] = true;
    s.drawing.penUsed[33] = true;
    s.store.penTable.width[40] = 120;
    dialogs::PenDialog d(s.store, s.drawing, s.sv);
    QVERIFY(dialogtest::showActive(d));
    QCOMPARE(child<QLabel>(d, "PenLabel1")->text(), QStringLiteral("Pen1"));
    QVERIFY(child<QLabel>(d, "PenLabel1")->isEnabled());
    QVERIFY(!child<QLabel>(d, "PenLabel2")->isEnabled());
    auto* bar = child<QScrollBar>(d, "PenScroll");
    QCOMPARE(bar->maximum(), 15);
    // A width typed but not entered belongs to the page it was typed on.
    auto* spin = child<QDoubleSpinBox>(d, "PenWidth9");
    QTest::mouseClick(spin, Qt::LeftButton);
    spin->selectAll();
    QTest::keyClicks(spin, "0.7");
    bar->setValue(2);
    QCOMPARE(d.workingCopy().widths()[9], 70);
    QCOMPARE(d.workingCopy().widths()[41], 0);
    QCOMPARE(child<QLabel>(d, "PenLabel0")->text(), QStringLiteral("Pen32"));
    QCOMPARE(child<QLabel>(d, "PenLabel15")->text(), QStringLiteral("Pen47"));
    QVERIFY(child<QLabel>(d, "PenLabel1")->isEnabled()); // pen 33
    QVERIFY(!child<QLabel>(d, "PenLabel0")->isEnabled());
    QCOMPARE(child<QDoubleSpinBox>(d, "PenWidth8")->value(), 1.2);
    QCOMPARE(child<dialogs::WidthBar>(d, "PenBar8")->barHeight(), 12);
    // Pen 33 takes palette entry 1 like pen 1.
    QCOMPARE(child<dialogs::ColourSwatch>(d, "PenColour1")->colour(), 127u);
    // Display check boxes: unticking hides pen 34 but is no change to the table file.
    dialogtest::clickBox(child<QCheckBox>(d, "PenShown2"));
    QCOMPARE(d.workingCopy().display()[34], 0);
    bar->setValue(15);
    QCOMPARE(child<QLabel>(d, "PenLabel15")->text(), QStringLiteral("Pen255"));
    dialogtest::pressOk(d);
    QCOMPARE(s.store.penTable.display[34], 0);
    QCOMPARE(s.store.penTable.width[9], 70);
}

void PenDialogTest::colourPickedMarksTheTableChanged() {
    PenSetup s;
    const QByteArray before = s.contents(1);
    {
        // The chooser starts at the pen's colour; confirming the same colour is no change.
        dialogs::PenDialog d(s.store, s.drawing, s.sv);
        QVERIFY(dialogtest::showActive(d));
        s.sv.colours << QColor(127, 0, 0);
        clickSwatch(d, 1);
        QCOMPARE(s.sv.colourInitials, QList<QColor>{QColor(127, 0, 0)});
        dialogtest::clickBox(child<QCheckBox>(d, "PenShown1"));
        QVERIFY(!d.workingCopy().tableNeedsWriting());
        dialogtest::pressOk(d);
        QCOMPARE(s.contents(1), before);
    }
    dialogs::PenDialog d(s.store, s.drawing, s.sv);
    QVERIFY(dialogtest::showActive(d));
    s.sv.colours << QColor(10, 20, 30);
    clickSwatch(d, 6);
    QCOMPARE(child<dialogs::ColourSwatch>(d, "PenColour6")->colour(), 0x1E140Au);
    dialogtest::pressOk(d);
    QCOMPARE(s.store.penTable.colour[6], 0x1E140Au);
    QCOMPARE(s.line(1, 7), std::to_string(0x1E140A));
}

void PenDialogTest::switchingToATableWithoutAFileThenOkWritesNothing() {
    PenSetup s;
    s.store.penTable.colour[5] = 0x123456;
    const settings::PenColours colours = s.store.penTable.colour;
    const QByteArray file1 = s.contents(1);
    dialogs::PenDialog d(s.store, s.drawing, s.sv);
    QVERIFY(dialogtest::showActive(d));
    QCOMPARE(child<QComboBox>(d, "PenTblNo")->currentText(), QStringLiteral("1"));
    selectIn(child<QComboBox>(d, "PenTblNo"), 2);
    QCOMPARE(s.sv.questions, QStringList{}); // nothing was changed
    dialogtest::pressOk(d);
    QCOMPARE(d.result(), dialogs::kResultOk);
    QCOMPARE(s.store.values.pens.PenTblNo, 3);
    QCOMPARE(s.store.penTable.colour, colours);
    QVERIFY(!QFileInfo::exists(QString::fromStdString(s.path(3))));
    QCOMPARE(s.contents(1), file1);
}

void PenDialogTest::switchingAChangedTableAsksToOverWrite() {
    for (bool yes : {true, false}) {
        PenSetup s;
        settings::PenColours two = s.store.penTable.colour;
        two[4] = 0x00AA00;
        settings::writePenTableFile(s.path(2), two, s.store.penTable.width, "two");
        const QByteArray file1 = s.contents(1);
        dialogs::PenDialog d(s.store, s.drawing, s.sv);
        QVERIFY(dialogtest::showActive(d));
        typeWidth(d, 3, "0.25");
        s.sv.answers << yes;
        selectIn(child<QComboBox>(d, "PenTblNo"), 1);
        QCOMPARE(s.sv.questions, QStringList{"Pen-Table is changed. Do you over-write?"});
        if (yes)
            QCOMPARE(s.line(1, 257 + 3), std::string("25"));
        else
            QCOMPARE(s.contents(1), file1);
        // Table 2 is now shown, unchanged.
        QCOMPARE(child<QLineEdit>(d, "PenTableName")->text(), QStringLiteral("two"));
        QCOMPARE(child<dialogs::ColourSwatch>(d, "PenColour4")->colour(), 0x00AA00u);
        QCOMPARE(child<QDoubleSpinBox>(d, "PenWidth3")->value(), 0.0);
        QVERIFY(!d.workingCopy().tableNeedsWriting());
        const QByteArray file2 = s.contents(2);
        dialogtest::pressOk(d);
        QCOMPARE(s.store.values.pens.PenTblNo, 2);
        QCOMPARE(s.store.penTable.name, std::string("two"));
        QCOMPARE(s.store.penTable.colour[4], 0x00AA00u);
        QCOMPARE(s.contents(2), file2);
    }
}

void PenDialogTest::nameAloneCountsAsAChange() {
    PenSetup s;
    dialogs::PenDialog d(s.store, s.drawing, s.sv);
    QVERIFY(dialogtest::showActive(d));
    auto* name = child<QLineEdit>(d, "PenTableName");
    QCOMPARE(name->text(), QStringLiteral("one"));
    QTest::mouseClick(name, Qt::LeftButton);
    name->selectAll();
    QTest::keyClicks(name, "plotter A");
    dialogtest::pressOk(d);
    QCOMPARE(s.store.penTable.name, std::string("plotter A"));
    QCOMPARE(s.line(1, 513), std::string("plotter A"));
}

void PenDialogTest::translationTable() {
    PenSetup s;
    std::array<uint8_t, 256> map = settings::PenPenTable::identity();
    map[5] = 7;
    settings::writePenPenTableFile(s.mapPath(2), map, "swap");
    dialogs::PenDialog d(s.store, s.drawing, s.sv);
    QVERIFY(dialogtest::showActive(d));
    auto* number = child<QComboBox>(d, "PenPenTblNo");
    auto* origin = child<QSpinBox>(d, "OriginPen");
    auto* dest = child<QSpinBox>(d, "DestinationPen");
    auto* name = child<QLineEdit>(d, "PenPenTableName");
    QCOMPARE(number->currentText(), QStringLiteral("0"));
    QVERIFY(!origin->isEnabled() && !dest->isEnabled() && !name->isEnabled());

    selectIn(number, 2);
    QVERIFY(origin->isEnabled() && dest->isEnabled() && name->isEnabled());
    QCOMPARE(name->text(), QStringLiteral("swap"));
    QCOMPARE(origin->value(), 0);
    origin->setValue(5);
    QCOMPARE(dest->value(), 7);
    dest->setValue(9);
    QVERIFY(d.workingCopy().mapNeedsWriting());

    // Leaving the changed map for table 3 (no file): the question, answered No.
    s.sv.answers << false;
    selectIn(number, 3);
    QCOMPARE(s.sv.questions, QStringList{"PenNo-Table is changed. Do you over-write?"});
    QCOMPARE(name->text(), QString());
    QCOMPARE(origin->value(), 0);
    QCOMPARE(dest->value(), 0);
    // Back to 2: the file still holds 7; change it again and keep it.
    selectIn(number, 2);
    QCOMPARE(s.sv.questions.size(), 1); // map 3 was not changed
    origin->setValue(5);
    QCOMPARE(dest->value(), 7);
    dest->setValue(9);
    dialogtest::clickBox(child<QCheckBox>(d, "ResetPenPenTBL"));
    dialogtest::pressOk(d);
    QCOMPARE(s.store.values.pens.PenPenTblNo, 2);
    QVERIFY(s.store.values.pens.ResetPenPenTBL);
    QCOMPARE(s.store.penPenTable.map[5], 9);
    QCOMPARE(s.store.penPenTable.name, std::string("swap"));
    std::array<uint8_t, 256> read{};
    std::string readName;
    QVERIFY(settings::readPenPenTableFile(s.mapPath(2), read, readName));
    QCOMPARE(read[5], 9);
    QVERIFY(!QFileInfo::exists(QString::fromStdString(s.mapPath(3))));

    // Back to 0: the controls are disabled and show 0.
    dialogs::PenDialog d2(s.store, s.drawing, s.sv);
    QVERIFY(dialogtest::showActive(d2));
    selectIn(child<QComboBox>(d2, "PenPenTblNo"), 0);
    QVERIFY(!child<QSpinBox>(d2, "DestinationPen")->isEnabled());
    QCOMPARE(child<QSpinBox>(d2, "DestinationPen")->value(), 0);
    dialogtest::pressOk(d2);
    QCOMPARE(s.store.values.pens.PenPenTblNo, 0);
    QCOMPARE(s.store.penPenTable.map, settings::PenPenTable::identity());
}

void PenDialogTest::backAndMarkSwatchesFollowTheirPens() {
    PenSetup s;
    dialogs::PenDialog d(s.store, s.drawing, s.sv);
    QVERIFY(dialogtest::showActive(d));
    auto* back = child<dialogs::ColourSwatch>(d, "BackPenColour");
    auto* mark = child<dialogs::ColourSwatch>(d, "MarkPenColour");
    QCOMPARE(back->colour(), 0u);        // pen 0 black
    QCOMPARE(mark->colour(), 0xFFFF00u); // pen 15 cyan
    QCOMPARE(child<QSpinBox>(d, "MarkPenNo")->minimum(), 1);
    child<QSpinBox>(d, "BackPenNo")->setValue(9);
    QCOMPARE(back->colour(), 0x0000FFu); // palette entry 9, red
    s.sv.colours << QColor(1, 2, 3);
    clickSwatch(d, 15);
    QCOMPARE(mark->colour(), 0x030201u);
    dialogtest::pressOk(d);
    QCOMPARE(s.store.values.pens.BackPenNo, 9);
}

void PenDialogTest::switchesAreStoredOnOk() {
    PenSetup s;
    s.store.values.pens.DrawModes =
        settings::packDrawModes(settings::DrawMode::Xor, settings::DrawMode::Merge);
    dialogs::PenDialog d(s.store, s.drawing, s.sv);
    QVERIFY(dialogtest::showActive(d));
    QVERIFY(!child<QCheckBox>(d, "BitmapBack")->isEnabled());
    QVERIFY(!child<QComboBox>(d, "PenMode1")->isEnabled());
    QVERIFY(!child<QComboBox>(d, "PenMode2")->isEnabled());
    QCOMPARE(child<QComboBox>(d, "PenMode1")->currentText(), QStringLiteral("Xor"));
    QVERIFY(child<QCheckBox>(d, "ChgColor_not_BackC")->isChecked());
    const char* names[] = {"NotPC",
                           "NotPW",
                           "NotFP",
                           "FTLebel100",
                           "ChgColor_not_BackC",
                           "BlackPenDisplay",
                           "BlackPenPrinter",
                           "PenWidthPen16Display",
                           "PenWidthPen16Printer",
                           "OutBackColor"};
    for (const char* n : names)
        dialogtest::clickBox(child<QCheckBox>(d, n));
    dialogtest::pressOk(d);
    const settings::PenSettings& p = s.store.values.pens;
    QVERIFY(p.NotPC && p.NotPW && p.NotFP && p.FTLebel100 && !p.ChgColor_not_BackC);
    QVERIFY(p.BlackPenDisplay && p.BlackPenPrinter && p.PenWidthPen16Display);
    QVERIFY(p.PenWidthPen16Printer && p.OutBackColor && !p.BitmapBack);
    QCOMPARE(p.DrawModes, 2 + 4 * 1);
}

void PenDialogTest::cancelStoresNothing() {
    for (bool escape : {false, true}) {
        PenSetup s;
        const settings::PenTable table = s.store.penTable;
        const settings::PenSettings pens = s.store.values.pens;
        const QByteArray file1 = s.contents(1);
        dialogs::PenDialog d(s.store, s.drawing, s.sv);
        QVERIFY(dialogtest::showActive(d));
        typeWidth(d, 1, "3");
        dialogtest::clickBox(child<QCheckBox>(d, "NotPC"));
        s.sv.colours << QColor(9, 9, 9);
        clickSwatch(d, 2);
        if (escape)
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            dialogtest::pressCancel(d);
        QCOMPARE(d.result(), dialogs::kResultCancel);
        QCOMPARE(s.store.penTable.width, table.width);
        QCOMPARE(s.store.penTable.colour, table.colour);
        QCOMPARE(s.store.values.pens.NotPC, pens.NotPC);
        QCOMPARE(s.contents(1), file1);
    }
}

void PenDialogTest::previewLendsTheValuesAndPutsEveryOneBack() {
    PenSetup s;
    s.store.penTable.display[8] = 1;
    const settings::PenTable table = s.store.penTable;
    const settings::PenSettings pens = s.store.values.pens;
    dialogs::PenDialog d(s.store, s.drawing, s.sv);
    QVERIFY(dialogtest::showActive(d));
    QVERIFY(!child<QPushButton>(d, "PreviewButton")->isEnabled()); // no window to redraw

    settings::PenTable seenTable;
    settings::PenSettings seenPens;
    int redraws = 0;
    d.setPreview([&] {
        seenTable = s.store.penTable;
        seenPens = s.store.values.pens;
        ++redraws;
    });
    auto* button = child<QPushButton>(d, "PreviewButton");
    QVERIFY(button->isEnabled());
    QCOMPARE(button->text(), QStringLiteral("Display"));

    typeWidth(d, 1, "1.5");
    s.sv.colours << QColor(200, 100, 50);
    clickSwatch(d, 2);
    dialogtest::clickBox(child<QCheckBox>(d, "PenShown8"));
    for (const char* n : {"NotPC", "NotPW", "NotFP", "FTLebel100", "ChgColor_not_BackC",
                          "BlackPenDisplay", "PenWidthPen16Display", "OutBackColor",
                          "BlackPenPrinter", "PenWidthPen16Printer", "ResetPenPenTBL"})
        dialogtest::clickBox(child<QCheckBox>(d, n));
    child<QSpinBox>(d, "BackPenNo")->setValue(3);
    child<QSpinBox>(d, "MarkPenNo")->setValue(4);
    selectIn(child<QComboBox>(d, "PenTblNo"), 4); // table 5 has no file: values stay
    QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(redraws, 1);
    QVERIFY(d.isVisible());
    // During the redraw: the dialog's values.
    QCOMPARE(seenTable.width[1], 150);
    QCOMPARE(seenTable.colour[2], 0x3264C8u);
    QCOMPARE(seenTable.display[8], 0);
    QVERIFY(seenPens.NotPC && seenPens.NotPW && seenPens.NotFP && seenPens.FTLebel100);
    QVERIFY(!seenPens.ChgColor_not_BackC && seenPens.BlackPenDisplay);
    QVERIFY(seenPens.PenWidthPen16Display && seenPens.OutBackColor);
    QCOMPARE(seenPens.BackPenNo, 3);
    QCOMPARE(seenPens.MarkPenNo, 4);
    QCOMPARE(seenPens.PenTblNo, 5);
    // The output-side switches and the translation reset are not lent.
    QCOMPARE(seenPens.BlackPenPrinter, pens.BlackPenPrinter);
    QCOMPARE(seenPens.PenWidthPen16Printer, pens.PenWidthPen16Printer);
    QCOMPARE(seenPens.ResetPenPenTBL, pens.ResetPenPenTBL);

    // Afterwards: every in-use value as before.
    QCOMPARE(s.store.penTable.width, table.width);
    QCOMPARE(s.store.penTable.colour, table.colour);
    QCOMPARE(s.store.penTable.display, table.display);
    const settings::PenSettings& now = s.store.values.pens;
    QCOMPARE(now.PenTblNo, pens.PenTblNo);
    QCOMPARE(now.BackPenNo, pens.BackPenNo);
    QCOMPARE(now.MarkPenNo, pens.MarkPenNo);
    QCOMPARE(now.NotPC, pens.NotPC);
    QCOMPARE(now.NotPW, pens.NotPW);
    QCOMPARE(now.NotFP, pens.NotFP);
    QCOMPARE(now.FTLebel100, pens.FTLebel100);
    QCOMPARE(now.ChgColor_not_BackC, pens.ChgColor_not_BackC);
    QCOMPARE(now.BlackPenDisplay, pens.BlackPenDisplay);
    QCOMPARE(now.PenWidthPen16Display, pens.PenWidthPen16Display);
    QCOMPARE(now.OutBackColor, pens.OutBackColor);
    QCOMPARE(now.DrawModes, pens.DrawModes);
    // The dialog still holds its values: Cancel drops them, nothing was written.
    QCOMPARE(d.workingCopy().widths()[1], 150);
    dialogtest::pressCancel(d);
    QVERIFY(!QFileInfo::exists(QString::fromStdString(s.path(5))));
    QCOMPARE(s.store.penTable.width, table.width);
}

void PenDialogTest::pageSizeLabels() {
    PenSetup s;
    s.drawing.pageExtents.grow(-400, 0);
    s.drawing.pageExtents.grow(3600, 2000);
    {
        dialogs::PenDialog d(s.store, s.drawing, s.sv);
        QCOMPARE(child<QLabel>(d, "DrawWidthSize")->text(), QStringLiteral("100.00 mm"));
        QCOMPARE(child<QLabel>(d, "DrawHeightSize")->text(), QStringLiteral("50.00 mm"));
    }
    s.store.values.view.lengthUnit = kInch;
    {
        dialogs::PenDialog d(s.store, s.drawing, s.sv);
        QCOMPARE(child<QLabel>(d, "DrawWidthSize")->text(), QStringLiteral("3.9370 in"));
    }
    // No drawing: the empty box shows 0, not the distance between its reset corners.
    s.drawing.pageExtents.reset();
    s.store.values.view.lengthUnit = 0;
    dialogs::PenDialog d(s.store, s.drawing, s.sv);
    QCOMPARE(child<QLabel>(d, "DrawWidthSize")->text(), QStringLiteral("0.00 mm"));
    QCOMPARE(d.windowTitle(), QStringLiteral("SetPen"));
    QVERIFY(dialogtest::showActive(d));
    QTest::mouseClick(dialogtest::button(d, QDialogButtonBox::Help), Qt::LeftButton);
    QCOMPARE(s.sv.helpAnchors, QStringList{"pen-dialog"});
}

void PenDialogTest::unwritableFolderIsReported() {
    settings::SettingsStore store{"/nonexistent/QuindleMini-test", "QuindleMini"};
    store.values.pens.PenTblNo = 2;
    RecordingServices sv;
    dialogs::DrawingFacts drawing;
    dialogs::PenDialog d(store, drawing, sv);
    QVERIFY(dialogtest::showActive(d));
    typeWidth(d, 1, "0.5");
    dialogtest::pressOk(d);
    QCOMPARE(d.result(), dialogs::kResultOk);
    QCOMPARE(store.penTable.width[1], 50); // in use for this run all the same
    QCOMPARE(sv.reports,
             QStringList{QString::fromStdString(settings::penTablePath(store.folder(), 2)) +
                         " : Can not write file !"});
}

QTEST_MAIN(PenDialogTest)
#include "pen_dialog_test.moc"
