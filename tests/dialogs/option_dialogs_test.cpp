// The line property, grid, mouse operation and text dialogs driven as a user would:
// entries typed and left, rejected entries, OK, Cancel and Escape, and the results.

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

#include "dialog_helpers.h"
#include "dialogs/grid_dialog.h"
#include "dialogs/line_property_dialog.h"
#include "dialogs/mouse_operation_dialog.h"
#include "dialogs/text_dialog.h"
#include "settings/entry_validation.h"

using dialogtest::child;
using dialogtest::RecordingServices;
using dialogtest::typeAndLeave;

namespace {
constexpr int kInch = 3;
const QString kReject = QString::fromLatin1(settings::kInputCorrectNumeric);
} // namespace

class OptionDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void linePatternLengthsInInches();
    void lineMinimumDotsAndOutputMinimum();
    void lineCheckBoxEnablesTheFifteenFields();
    void lineCancelAndEscapeStoreNothing();
    void lineEnterOnABadEntryKeepsTheDialogOpen();
    void gridUnchangedOkReturnsTwo();
    void gridChangesReturnOneAndAreStored();
    void gridOriginLimits();
    void mouseGroupsShowAndStoreTheSevenChoices();
    void textRatesAndFontNames();
    void helpButtonsOpenTheirSections();
    void helpWithABadEntryPendingDoesNotComplain();
};

void OptionDialogsTest::linePatternLengthsInInches() {
    settings::SettingsRecord r;
    r.view.lengthUnit = kInch;
    r.line.UserDefLT = true;
    const int32_t oldGap = r.line.LT1Up;
    RecordingServices sv;
    dialogs::LinePropertyDialog d(r, sv);
    QVERIFY(dialogtest::showActive(d));
    auto* gap = child<QLineEdit>(d, "Gap1");
    const QString shown = gap->text();
    // 40 plotter units = 1 mm = 0.03937 in, shown with 2 + 2 decimals.
    QCOMPARE(shown, QStringLiteral("0.0394"));

    // 0.001 in = 0.0254 mm lies under 0.05 mm: rejected, the stored value comes back.
    typeAndLeave(gap, "0.001");
    QCOMPARE(sv.reports, QStringList{kReject});
    QCOMPARE(gap->text(), shown);
    QCOMPARE(d.edited().LT1Up, oldGap);

    // Not a number at all.
    typeAndLeave(gap, "1x");
    QCOMPARE(sv.reports.size(), 2);
    QCOMPARE(gap->text(), shown);

    // 1 in = 25.4 mm = 1016 plotter units.
    typeAndLeave(gap, "1");
    QCOMPARE(sv.reports.size(), 2);
    QCOMPARE(gap->text(), QStringLiteral("1.0000"));
    // Upper limit 1000 mm is excluded: 39.37 in is under it, 39.38 in over it.
    auto* longSolid = child<QLineEdit>(d, "LongSolid6");
    typeAndLeave(longSolid, "39.38");
    QCOMPARE(sv.reports.size(), 3);
    typeAndLeave(longSolid, "39.37");
    QCOMPARE(sv.reports.size(), 3);

    dialogtest::pressOk(d);
    QCOMPARE(d.result(), dialogs::kResultOk);
    QCOMPARE(r.line.LT1Up, 1016);
    QCOMPARE(r.line.LT6Dwn1, 40000); // 39.37 in = 999.998 mm
}

void OptionDialogsTest::lineMinimumDotsAndOutputMinimum() {
    settings::SettingsRecord r;
    RecordingServices sv;
    dialogs::LinePropertyDialog d(r, sv);
    QVERIFY(dialogtest::showActive(d));
    auto* dsp = child<QLineEdit>(d, "DspMinLinDot");
    QCOMPARE(dsp->text(), QStringLiteral("  2")); // an integer in a field of width 3
    typeAndLeave(dsp, "11");
    QCOMPARE(sv.reports, QStringList{kReject});
    QCOMPARE(dsp->text(), QStringLiteral("  2"));
    typeAndLeave(dsp, "10");
    QCOMPARE(sv.reports.size(), 1);
    QCOMPARE(dsp->text(), QStringLiteral(" 10"));
    typeAndLeave(dsp, "2.5");
    QCOMPARE(sv.reports.size(), 2);

    // Output minimum: 0 to 10 mm inclusive.
    auto* plt = child<QLineEdit>(d, "PltMinLinDot");
    typeAndLeave(plt, "10.01");
    QCOMPARE(sv.reports.size(), 3);
    typeAndLeave(plt, "10");
    typeAndLeave(child<QLineEdit>(d, "DspMinLinDot"), "0");
    QCOMPARE(sv.reports.size(), 3);
    dialogtest::pressOk(d);
    QCOMPARE(r.line.DspMinLinDot, 0);
    QCOMPARE(r.line.PltMinLinDot, 400);
}

void OptionDialogsTest::lineCheckBoxEnablesTheFifteenFields() {
    settings::SettingsRecord r;
    RecordingServices sv;
    dialogs::LinePropertyDialog d(r, sv);
    QVERIFY(dialogtest::showActive(d));
    QStringList names;
    for (int k = 1; k <= 6; ++k)
        names << QStringLiteral("Gap%1").arg(k) << QStringLiteral("LongSolid%1").arg(k);
    for (int k = 4; k <= 6; ++k)
        names << QStringLiteral("ShortSolid%1").arg(k);
    QCOMPARE(names.size(), 15);
    for (const QString& n : names)
        QVERIFY(!child<QLineEdit>(d, n)->isEnabled());
    QVERIFY(!d.findChild<QLineEdit*>("ShortSolid3")); // kinds 1..3 have no short solid
    auto* box = child<QCheckBox>(d, "UserDefLT");
    QCOMPARE(box->text(), QStringLiteral("Use this setting pattern length,ignore HPGL LT data"));
    dialogtest::clickBox(box);
    for (const QString& n : names)
        QVERIFY(child<QLineEdit>(d, n)->isEnabled());
    QVERIFY(child<QLineEdit>(d, "DspMinLinDot")->isEnabled());
    dialogtest::clickBox(box);
    QVERIFY(!child<QLineEdit>(d, "Gap3")->isEnabled());
    dialogtest::clickBox(box);
    dialogtest::clickBox(child<QRadioButton>(d, "EdgeSquare"));
    dialogtest::pressOk(d);
    QVERIFY(r.line.UserDefLT);
    QCOMPARE(r.line.LineAdgeAttrDef, 1);
}

void OptionDialogsTest::lineCancelAndEscapeStoreNothing() {
    for (bool escape : {false, true}) {
        settings::SettingsRecord r;
        r.line.UserDefLT = true;
        const settings::SettingsRecord before = r;
        RecordingServices sv;
        dialogs::LinePropertyDialog d(r, sv);
        QVERIFY(dialogtest::showActive(d));
        typeAndLeave(child<QLineEdit>(d, "Gap2"), "3");
        dialogtest::clickBox(child<QCheckBox>(d, "UserDefLT"));
        dialogtest::clickBox(child<QRadioButton>(d, "EdgeSquare"));
        // A bad entry left in the field is dropped with the dialog, without a message.
        auto* dsp = child<QLineEdit>(d, "DspMinLinDot");
        QTest::mouseClick(dsp, Qt::LeftButton);
        dsp->selectAll();
        QTest::keyClicks(dsp, "99");
        if (escape)
            QTest::keyClick(dsp, Qt::Key_Escape);
        else
            dialogtest::pressCancel(d);
        QCOMPARE(d.result(), dialogs::kResultCancel);
        QVERIFY(d.isHidden());
        QCOMPARE(sv.reports, QStringList{});
        QCOMPARE(r.line.LT2Up, before.line.LT2Up);
        QCOMPARE(r.line.UserDefLT, true);
        QCOMPARE(r.line.LineAdgeAttrDef, 0);
        QCOMPARE(r.line.DspMinLinDot, before.line.DspMinLinDot);
    }
}

void OptionDialogsTest::lineEnterOnABadEntryKeepsTheDialogOpen() {
    settings::SettingsRecord r;
    RecordingServices sv;
    dialogs::LinePropertyDialog d(r, sv);
    QVERIFY(dialogtest::showActive(d));
    auto* dsp = child<QLineEdit>(d, "DspMinLinDot");
    QTest::mouseClick(dsp, Qt::LeftButton);
    dsp->selectAll();
    QTest::keyClicks(dsp, "12");
    QTest::keyClick(dsp, Qt::Key_Return); // OK is the default button
    QCOMPARE(sv.reports, QStringList{kReject});
    QVERIFY(d.isVisible());
    QCOMPARE(dsp->text(), QStringLiteral("  2"));
    dsp->selectAll();
    QTest::keyClicks(dsp, "7");
    QTest::keyClick(dsp, Qt::Key_Return);
    QVERIFY(d.isHidden());
    QCOMPARE(d.result(), dialogs::kResultOk);
    QCOMPARE(r.line.DspMinLinDot, 7);
}

void OptionDialogsTest::gridUnchangedOkReturnsTwo() {
    settings::SettingsRecord r;
    r.grid.GridPitchX = 41.3; // shown rounded; an unchanged field must not round it
    RecordingServices sv;
    dialogs::GridDialog d(r, sv);
    QVERIFY(dialogtest::showActive(d));
    QCOMPARE(child<QLineEdit>(d, "GridPitchY")->text(), QStringLiteral("1.00"));
    QCOMPARE(child<QLabel>(d, "InsertPitchY")->text(), QStringLiteral("0.50 mm"));
    // Visiting fields and leaving them unchanged is no change.
    QTest::mouseClick(child<QLineEdit>(d, "GridPitchX"), Qt::LeftButton);
    QTest::keyClick(child<QLineEdit>(d, "GridPitchX"), Qt::Key_Tab);
    // Retyping the value shown is no change either.
    typeAndLeave(child<QLineEdit>(d, "GridPitchY"), "1");
    dialogtest::pressOk(d);
    QCOMPARE(d.result(), dialogs::kResultCancel);
    QCOMPARE(r.grid.GridPitchX, 41.3);
    QCOMPARE(sv.reports, QStringList{});
}

void OptionDialogsTest::gridChangesReturnOneAndAreStored() {
    struct Case {
        const char* what;
        std::function<void(QDialog&, RecordingServices&)> act;
        std::function<bool(const settings::GridSettings&)> check;
    };
    const Case cases[] = {
        {"fine colour",
         [](QDialog& d, RecordingServices& sv) {
             sv.colours << QColor(0, 0, 255);
             QTest::mouseClick(child<QWidget>(d, "GridColorFine"), Qt::LeftButton);
         },
         [](const settings::GridSettings& g) { return g.GridColorFine == 0xFF0000u; }},
        {"interval",
         [](QDialog& d, RecordingServices&) {
             auto* spin = child<QSpinBox>(d, "GridInterval");
             QTest::mouseClick(spin, Qt::LeftButton);
             spin->selectAll();
             QTest::keyClicks(spin, "5");
         },
         [](const settings::GridSettings& g) { return g.GridInterval == 5; }},
        {"pitch",
         [](QDialog& d, RecordingServices&) {
             typeAndLeave(child<QLineEdit>(d, "GridPitchX"), "2.5");
             QCOMPARE(child<QLabel>(d, "InsertPitchX")->text(), QStringLiteral("1.25 mm"));
         },
         [](const settings::GridSettings& g) { return g.GridPitchX == 100.0; }},
        {"display after draw",
         [](QDialog& d, RecordingServices&) {
             dialogtest::clickBox(child<QCheckBox>(d, "DisGrdMode"));
         },
         [](const settings::GridSettings& g) { return g.DisGrdMode; }},
    };
    for (const Case& c : cases) {
        settings::SettingsRecord r;
        RecordingServices sv;
        dialogs::GridDialog d(r, sv);
        QVERIFY(dialogtest::showActive(d));
        c.act(d, sv);
        dialogtest::pressOk(d);
        QVERIFY2(d.result() == dialogs::kResultOk, c.what);
        QVERIFY2(c.check(r.grid), c.what);
    }
    // The rough colour chooser starts at the stored yellow; a cancelled chooser changes
    // nothing.
    settings::SettingsRecord r;
    RecordingServices sv;
    dialogs::GridDialog d(r, sv);
    QVERIFY(dialogtest::showActive(d));
    QTest::mouseClick(child<QWidget>(d, "GridColorRough"), Qt::LeftButton);
    QCOMPARE(sv.colourInitials, QList<QColor>{QColor(255, 255, 0)});
    dialogtest::pressOk(d);
    QCOMPARE(d.result(), dialogs::kResultCancel);
}

void OptionDialogsTest::gridOriginLimits() {
    settings::SettingsRecord r;
    RecordingServices sv;
    dialogs::GridDialog d(r, sv);
    QVERIFY(dialogtest::showActive(d));
    auto* origin = child<QLineEdit>(d, "GridOriginX");
    typeAndLeave(origin, "-10000.1");
    QCOMPARE(sv.reports, QStringList{kReject});
    QCOMPARE(origin->text(), QStringLiteral("0.00"));
    typeAndLeave(origin, "-10000");
    QCOMPARE(sv.reports.size(), 1);
    auto* pitch = child<QLineEdit>(d, "GridPitchY");
    typeAndLeave(pitch, "0.02");
    typeAndLeave(pitch, "1000.5");
    QCOMPARE(sv.reports.size(), 3);
    typeAndLeave(pitch, "0.025");
    QCOMPARE(sv.reports.size(), 3);
    dialogtest::pressOk(d);
    QCOMPARE(d.result(), dialogs::kResultOk);
    QCOMPARE(r.grid.GridOriginX, -400000.0);
    QCOMPARE(r.grid.GridPitchY, 1.0);
    // Escape after an accepted entry keeps the stored values.
    settings::SettingsRecord r2;
    dialogs::GridDialog d2(r2, sv);
    QVERIFY(dialogtest::showActive(d2));
    typeAndLeave(child<QLineEdit>(d2, "GridOriginY"), "5");
    QTest::keyClick(&d2, Qt::Key_Escape);
    QCOMPARE(d2.result(), dialogs::kResultCancel);
    QCOMPARE(r2.grid.GridOriginY, 0.0);
}

void OptionDialogsTest::mouseGroupsShowAndStoreTheSevenChoices() {
    settings::SettingsRecord r;
    r.mouse.MouseOpeRClick = 2;
    r.mouse.MouseOpeOnLDrag = 1;
    RecordingServices sv;
    {
        // Cancel stores nothing.
        settings::SettingsRecord untouched = r;
        dialogs::MouseOperationDialog c(untouched, sv);
        QVERIFY(dialogtest::showActive(c));
        dialogtest::clickBox(child<QRadioButton>(c, "MouseOpeLClick2"));
        dialogtest::pressCancel(c);
        QCOMPARE(untouched.mouse.MouseOpeLClick, 0);
    }
    dialogs::MouseOperationDialog d(r, sv);
    QVERIFY(dialogtest::showActive(d));
    QVERIFY(child<QRadioButton>(d, "MouseOpeLClick0")->isChecked());
    QVERIFY(child<QRadioButton>(d, "MouseOpeRClick2")->isChecked());
    QVERIFY(child<QRadioButton>(d, "MouseOpeOnLDrag1")->isChecked());
    QVERIFY(child<QRadioButton>(d, "ZoomIconMode1")->isChecked());
    QCOMPARE(child<QRadioButton>(d, "MouseOpeRClick0")->text(), QStringLiteral("DisPopupMenu"));
    for (const char* name :
         {"MouseOpeLClick1", "MouseOpeRClick0", "MouseOpeOffLDrag1", "MouseOpeOffRDrag1",
          "MouseOpeOnLDrag0", "MouseOpeOnRDrag1", "ZoomIconMode0"})
        dialogtest::clickBox(child<QRadioButton>(d, name));
    dialogtest::pressOk(d);
    QCOMPARE(d.result(), dialogs::kResultOk);
    const settings::MouseSettings& m = r.mouse;
    QCOMPARE(m.MouseOpeLClick, 1);
    QCOMPARE(m.MouseOpeRClick, 0);
    QCOMPARE(m.MouseOpeOffLDrag, 1);
    QCOMPARE(m.MouseOpeOffRDrag, 1);
    QCOMPARE(m.MouseOpeOnLDrag, 0);
    QCOMPARE(m.MouseOpeOnRDrag, 1);
    QCOMPARE(m.ZoomIconMode, 0);
}

void OptionDialogsTest::textRatesAndFontNames() {
    settings::SettingsRecord r;
    r.text.TextFontName[2] = "Font Not Installed Here";
    r.text.TextRate[0] = 150;
    RecordingServices sv;
    {
        // An unchanged OK keeps every name, also one this machine lacks and the empty ones.
        settings::SettingsRecord copy = r;
        dialogs::TextDialog d(copy, sv);
        QVERIFY(dialogtest::showActive(d));
        QVERIFY(!child<QSpinBox>(d, "TextRate0")->isEnabled()); // vector-font row
        QVERIFY(child<QSpinBox>(d, "TextRate4")->isEnabled());
        dialogtest::pressOk(d);
        QCOMPARE(d.result(), dialogs::kResultOk);
        QCOMPARE(copy.text.TextFontName, r.text.TextFontName);
        QCOMPARE(copy.text.TextRate, r.text.TextRate);
    }
    dialogs::TextDialog d(r, sv);
    QVERIFY(dialogtest::showActive(d));
    auto* height = child<QSpinBox>(d, "TextRate4");
    QTest::mouseClick(height, Qt::LeftButton);
    height->selectAll();
    QTest::keyClicks(height, "180");
    auto* space = child<QSpinBox>(d, "TextRate5");
    QCOMPARE(space->minimum(), 0);
    QCOMPARE(height->minimum(), 50);
    QCOMPARE(height->maximum(), 200);
    auto* font = child<QFontComboBox>(d, "TextFontName0");
    QVERIFY(font->count() > 0);
    font->setCurrentIndex(0);
    const QString picked = font->currentText();
    dialogtest::pressOk(d);
    QCOMPARE(r.text.TextRate[4], 180);
    QCOMPARE(r.text.TextRate[0], 150);
    QCOMPARE(QString::fromStdString(r.text.TextFontName[0]), picked);
    QCOMPARE(r.text.TextFontName[2], std::string("Font Not Installed Here"));
}

void OptionDialogsTest::helpButtonsOpenTheirSections() {
    settings::SettingsRecord r;
    RecordingServices sv;
    dialogs::LinePropertyDialog line(r, sv);
    dialogs::GridDialog grid(r, sv);
    dialogs::MouseOperationDialog mouse(r, sv);
    dialogs::TextDialog text(r, sv);
    for (QDialog* d : std::initializer_list<QDialog*>{&line, &grid, &mouse, &text}) {
        QVERIFY(dialogtest::showActive(*d));
        QTest::mouseClick(dialogtest::button(*d, QDialogButtonBox::Help), Qt::LeftButton);
        QVERIFY(d->isVisible()); // help leaves the dialog open
        d->hide();
    }
    QCOMPARE(sv.helpAnchors, (QStringList{"line-property-dialog", "grid-dialog",
                                          "mouse-operation-dialog", "text-dialog"}));
    QCOMPARE(line.windowTitle(), QStringLiteral("SetLineProperty"));
    QCOMPARE(grid.windowTitle(), QStringLiteral("SetGrid"));
    QCOMPARE(mouse.windowTitle(), QStringLiteral("SetMouseOperation"));
    QCOMPARE(text.windowTitle(), QStringLiteral("Set Text"));
}

void OptionDialogsTest::helpWithABadEntryPendingDoesNotComplain() {
    settings::SettingsRecord r;
    RecordingServices sv;
    dialogs::LinePropertyDialog d(r, sv);
    QVERIFY(dialogtest::showActive(d));
    auto* dsp = child<QLineEdit>(d, "DspMinLinDot");
    QTest::mouseClick(dsp, Qt::LeftButton);
    dsp->selectAll();
    QTest::keyClicks(dsp, "99");
    QTest::mouseClick(dialogtest::button(d, QDialogButtonBox::Help), Qt::LeftButton);
    QCOMPARE(sv.helpAnchors.size(), 1);
    QCOMPARE(sv.reports, QStringList{});
    // OK still checks the entry left behind, and stays open to show the old value.
    dialogtest::pressOk(d);
    QCOMPARE(sv.reports, QStringList{kReject});
    QVERIFY(d.isVisible());
    QCOMPARE(dsp->text(), QStringLiteral("  2"));
    dialogtest::pressOk(d);
    QCOMPARE(d.result(), dialogs::kResultOk);
    QCOMPARE(r.line.DspMinLinDot, 2);
}

QTEST_MAIN(OptionDialogsTest)
#include "option_dialogs_test.moc"
