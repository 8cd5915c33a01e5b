// Every settings dialog, in mm and in inches, lays out so that no caption, label, check box,
// radio button or group title is cut off. Run at normal scale and with QT_SCALE_FACTOR=2.

#include <QAbstractButton>
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

QTEST_MAIN(DialogLayoutsTest)
#include "dialog_layouts_test.moc"
