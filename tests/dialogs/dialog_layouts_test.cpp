// Every settings dialog, in mm and in inches, lays out so that no caption, label, check box,
// radio button or group title is cut off. Run at normal scale and with QT_SCALE_FACTOR=2.
// Each dialog's Help section exists in the shipped manual.

#include <QAbstractButton>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <memory>

#include "dialog_helpers.h"
#include "dialogs/grid_dialog.h"
#include "dialogs/line_property_dialog.h"
#include "dialogs/mouse_operation_dialog.h"
#include "dialogs/pen_dialog.h"
#include "dialogs/text_dialog.h"

class DialogLayoutsTest : public QObject {
    Q_OBJECT
  private slots:
    void noTextIsCutOff();
    void everyHelpSectionIsInTheManual();
};

namespace {

// The widgets whose text would be cut when they get less than they ask for.
QStringList cutTexts(QWidget& dialog) {
    QStringList cut;
    auto check = [&](QWidget* w, const QString& text) {
        if (!w->isVisible() || text.isEmpty()) return;
        const QSize need = w->minimumSizeHint();
        if (w->width() < need.width() || w->height() < need.height())
            cut << QStringLiteral("%1 \"%2\" %3x%4 < %5x%6")
                       .arg(QLatin1String(w->metaObject()->className()), text)
                       .arg(w->width())
                       .arg(w->height())
                       .arg(need.width())
                       .arg(need.height());
    };
    for (QLabel* l : dialog.findChildren<QLabel*>())
        check(l, l->text());
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
        check(b, b->text());
    for (QGroupBox* g : dialog.findChildren<QGroupBox*>())
        check(g, g->title());
    return cut;
}

} // namespace

void DialogLayoutsTest::noTextIsCutOff() {
    for (int unit : {0, 3}) {
        settings::SettingsStore store{"/nonexistent", "QuindleMini"};
        store.values.view.lengthUnit = static_cast<uint8_t>(unit);
        store.values.line.UserDefLT = true;
        dialogtest::RecordingServices sv;
        dialogs::DrawingFacts drawing;
        drawing.pageExtents.grow(0, 0);
        drawing.pageExtents.grow(400000, 300000);
        std::vector<std::unique_ptr<QDialog>> all;
        all.emplace_back(new dialogs::PenDialog(store, drawing, sv));
        all.emplace_back(new dialogs::LinePropertyDialog(store.values, sv));
        all.emplace_back(new dialogs::GridDialog(store.values, sv));
        all.emplace_back(new dialogs::MouseOperationDialog(store.values, sv));
        all.emplace_back(new dialogs::TextDialog(store.values, sv));
        for (auto& d : all) {
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d.get()));
            const QStringList cut = cutTexts(*d);
            QVERIFY2(cut.isEmpty(), qPrintable(d->windowTitle() + ": " + cut.join("; ")));
            d->hide();
        }
    }
}

void DialogLayoutsTest::everyHelpSectionIsInTheManual() {
    QFile manual(QStringLiteral(QM_HELP_FILE));
    QVERIFY(manual.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(manual.readAll());
    settings::SettingsStore store{"/nonexistent", "QuindleMini"};
    dialogtest::RecordingServices sv;
    dialogs::DrawingFacts drawing;
    dialogs::PenDialog pen(store, drawing, sv);
    dialogs::LinePropertyDialog line(store.values, sv);
    dialogs::GridDialog grid(store.values, sv);
    dialogs::MouseOperationDialog mouse(store.values, sv);
    dialogs::TextDialog textDialog(store.values, sv);
    for (const dialogs::SettingsDialog* d : std::initializer_list<const dialogs::SettingsDialog*>{
             &pen, &line, &grid, &mouse, &textDialog})
        QVERIFY2(text.contains(QStringLiteral("id=\"%1\"").arg(d->helpAnchor())),
                 qPrintable(d->helpAnchor()));
}

QTEST_MAIN(DialogLayoutsTest)
#include "dialog_layouts_test.moc"
