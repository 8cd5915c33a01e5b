// The "Set(&S)" menu of the drawing window: each entry opens its settings
// dialog modally from the keyboard or the menu, and after it closes the window
// redraws, the status bar's mouse help and the pen-table caption follow only
// what the dialog confirmed; what was confirmed is in the settings file after
// the program exits.

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/main_window.h"
#include "settings/mouse_help_text.h"
#include "window_fixture.h"

using testwin::Setup;

namespace {

// Runs `open`, which shows a modal dialog and waits for it to close, while
// `act` handles that dialog as soon as it is shown; returns what `open` returns.
// The watch ends with the call, so a dialog that never came cannot leave it
// behind for a later one.
template <class Open> auto withModal(const std::function<void(QDialog&)>& act, Open open) {
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&timer, &act] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible()) return;
        timer.stop();
        act(*d);
    });
    timer.start();
    return open();
}

QAbstractButton* dialogButton(QDialog& d, QDialogButtonBox::StandardButton which) {
    return d.findChild<QDialogButtonBox*>()->button(which);
}

void pressOk(QDialog& d) {
    QTest::mouseClick(dialogButton(d, QDialogButtonBox::Ok), Qt::LeftButton);
}

template <class W> W* child(QDialog& d, const char* name) {
    W* w = d.findChild<W*>(QString::fromLatin1(name));
    if (!w) qWarning("no child %s", name);
    return w;
}

// Clicks a check box or radio button on its indicator.
void clickBox(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, {},
                      QPoint(qMin(8, box->width() / 2), box->height() / 2));
}

// A square 10000 x 10000 drawn with pen 1.
void squareDrawing(Setup& s) {
    testwin::drawPolyline(s.model, {{0, 0}, {0, 10000}, {10000, 10000}, {10000, 0}, {0, 0}});
    s.model.finishLoad({});
}

int pixelsOf(const QImage& img, QRgb colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == colour) ++n;
    return n;
}

// Counts the full redisplays of a window from now on.
struct RedrawCounter {
    explicit RedrawCounter(view::DrawingWindow& w) {
        QObject::connect(&w, &view::DrawingWindow::redrawn, &w, [this] { ++count; });
    }
    int count = 0;
};

// The main window's dialogs: messages and help requests recorded.
class QuietDialogs : public app::AppDialogs {
  public:
    void report(QWidget*, const QString& t) override { messages << t; }
    void dataError(QWidget*, int, int) override {}
    QString chooseFile(QWidget*, const QString&) override { return QString(); }
    void openHelp(const QString& anchor) override { helpAnchors << anchor; }
    QStringList messages, helpAnchors;
};

// A main window with one drawing window, its settings folder a temporary one.
struct Shell {
    QTemporaryDir dir;
    interp::DrawingModel model;
    settings::SettingsStore store{dir.path().toStdString(), "QuindleMini"};
    view::ViewValues values;
    QuietDialogs dialogs;
    std::unique_ptr<app::MainWindow> window;

    Shell() {
        store.setDefaults();
        store.values.pens.PenTblNo = 1;
        window = std::make_unique<app::MainWindow>(model, store, values, dialogs, app::StartUp{});
        window->resize(800, 600);
        window->show();
        window->firstPaint();
        QApplication::processEvents();
    }
};

} // namespace

class SettingsMenuTest : public QObject {
    Q_OBJECT
  private slots:
    void altSThenALetterOpensEachDialog();
    void menuEntriesOpenModalDialogsWithHelpAndEscape();
    void gridOkWithoutChangeDoesNotRedraw();
    void lineOkWithChangeRedrawsOnce();
    void mouseDialogRebuildsTheHelpTextOnOk();
    void penPreviewLeavesNoForeignPictureAfterCancel();
    void confirmedValuesAreWrittenAtExit();
};

void SettingsMenuTest::altSThenALetterOpensEachDialog() {
    Shell s;
    QVERIFY(s.window->activeDrawingWindow());
    const struct {
        Qt::Key key;
        const char* title;
    } entries[] = {{Qt::Key_N, "SetPen"},
                   {Qt::Key_L, "SetLineProperty"},
                   {Qt::Key_G, "SetGrid"},
                   {Qt::Key_M, "SetMouseOperation"},
                   {Qt::Key_T, "Set Text"}};
    for (const auto& e : entries) {
        QString menuTitle, title;
        bool modal = false;
        s.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        withModal(
            [&](QDialog& d) {
                title = d.windowTitle();
                modal = d.isModal();
                QTest::keyClick(&d, Qt::Key_Escape);
            },
            [&] {
                QTest::keyClick(s.window.get(), Qt::Key_S, Qt::AltModifier);
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (!menu) return;
                menuTitle = menu->title();
                QTest::keyClick(menu, e.key);
            });
        QCOMPARE(menuTitle, QStringLiteral("Set(&S)"));
        QCOMPARE(title, QString::fromLatin1(e.title));
        QVERIFY(modal);
        QVERIFY(!QApplication::activeModalWidget());
    }
    QVERIFY(s.dialogs.messages.isEmpty());
}

void SettingsMenuTest::menuEntriesOpenModalDialogsWithHelpAndEscape() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(300, 300);
    QMenu* menu = w->menus().last();
    QCOMPARE(menu->title(), QStringLiteral("Set(&S)"));

    const settings::SettingsRecord before = s.store.values;
    RedrawCounter redraws(*w);
    QStringList titles;
    for (QAction* a : menu->actions())
        withModal(
            [&](QDialog& d) {
                titles << d.windowTitle();
                QTest::mouseClick(dialogButton(d, QDialogButtonBox::Help), Qt::LeftButton);
                QTest::keyClick(&d, Qt::Key_Escape);
            },
            [a] { a->trigger(); });
    QCOMPARE(titles, (QStringList{"SetPen", "SetLineProperty", "SetGrid", "SetMouseOperation",
                                  "Set Text"}));
    QCOMPARE(s.frame.services.helpAnchors,
             (QStringList{"pen-dialog", "line-property-dialog", "grid-dialog",
                          "mouse-operation-dialog", "text-dialog"}));
    // Escape is Cancel: nothing stored, nothing redrawn, no caption to refresh.
    QCOMPARE(redraws.count, 0);
    QCOMPARE(s.frame.penTableChanges, 0);
    QCOMPARE(s.store.values.line.LineAdgeAttrDef, before.line.LineAdgeAttrDef);
    QCOMPARE(s.store.values.grid.GridInterval, before.grid.GridInterval);
}

void SettingsMenuTest::gridOkWithoutChangeDoesNotRedraw() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(300, 300);
    RedrawCounter redraws(*w);
    QCOMPARE(withModal(pressOk, [&] { return w->editGrid(); }), 2);
    QCOMPARE(redraws.count, 0);

    // A changed interval is something the picture shows.
    auto changeInterval = [](QDialog& d) {
        child<QSpinBox>(d, "GridInterval")->setValue(5);
        pressOk(d);
    };
    QCOMPARE(withModal(changeInterval, [&] { return w->editGrid(); }), 1);
    QCOMPARE(s.store.values.grid.GridInterval, 5);
    QCOMPARE(redraws.count, 1);
}

void SettingsMenuTest::lineOkWithChangeRedrawsOnce() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(300, 300);
    RedrawCounter redraws(*w);
    auto squareEnds = [](QDialog& d) {
        clickBox(child<QAbstractButton>(d, "EdgeSquare"));
        pressOk(d);
    };
    QCOMPARE(withModal(squareEnds, [&] { return w->editLineProperties(); }), 1);
    QCOMPARE(s.store.values.line.LineAdgeAttrDef, 1);
    QCOMPARE(redraws.count, 1);

    // Cancel after a change: the setting and the picture stay.
    auto roundEndsCancelled = [](QDialog& d) {
        clickBox(child<QAbstractButton>(d, "EdgeRound"));
        QTest::mouseClick(dialogButton(d, QDialogButtonBox::Cancel), Qt::LeftButton);
    };
    QCOMPARE(withModal(roundEndsCancelled, [&] { return w->editLineProperties(); }), 2);
    QCOMPARE(s.store.values.line.LineAdgeAttrDef, 1);
    QCOMPARE(redraws.count, 1);

    // The text dialog follows the same rule.
    auto largerText = [](QDialog& d) {
        child<QSpinBox>(d, "TextRate3")->setValue(150);
        pressOk(d);
    };
    QCOMPARE(withModal(largerText, [&] { return w->editText(); }), 1);
    QCOMPARE(s.store.values.text.TextRate[3], 150);
    QCOMPARE(redraws.count, 2);
}

void SettingsMenuTest::mouseDialogRebuildsTheHelpTextOnOk() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(300, 300);
    s.shared.rebuildMouseHelp();
    const QString initial = QStringLiteral("LeftClick:NonOpe,Rightclick:NonOpe  |  "
                                           "LeftDrag:SetArea,RightDrag:SetArea");
    QCOMPARE(s.frame.status, initial);

    auto changeCancelled = [](QDialog& d) {
        clickBox(child<QAbstractButton>(d, "MouseOpeLClick1"));
        QTest::mouseClick(dialogButton(d, QDialogButtonBox::Cancel), Qt::LeftButton);
    };
    QCOMPARE(withModal(changeCancelled, [&] { return w->editMouseOperations(); }), 2);
    QCOMPARE(s.frame.status, initial);
    QCOMPARE(s.store.values.mouse.MouseOpeLClick, 0);

    RedrawCounter redraws(*w);
    auto change = [](QDialog& d) {
        clickBox(child<QAbstractButton>(d, "MouseOpeLClick1"));
        clickBox(child<QAbstractButton>(d, "MouseOpeOffRDrag1"));
        pressOk(d);
    };
    QCOMPARE(withModal(change, [&] { return w->editMouseOperations(); }), 1);
    QCOMPARE(s.frame.status, QStringLiteral("LeftClick:DisAll,Rightclick:NonOpe  |  "
                                            "LeftDrag:SetArea,RightDrag:DisZoom"));
    // Mouse operations change no picture.
    QCOMPARE(redraws.count, 0);
}

void SettingsMenuTest::penPreviewLeavesNoForeignPictureAfterCancel() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(300, 300);
    const QRgb pen1 = qRgb(127, 0, 0);
    const QRgb chosen = qRgb(0, 200, 0);
    QVERIFY(pixelsOf(w->screenImage(), pen1) > 100);
    QCOMPARE(pixelsOf(w->screenImage(), chosen), 0);

    // "Display" shows the dialog's pen colour; Cancel brings back the picture of the
    // pens in use.
    int previewed = -1;
    auto previewThenCancel = [&](QDialog& d) {
        s.frame.services.colours << QColor(chosen);
        QTest::mouseClick(child<QWidget>(d, "PenColour1"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(d, "PreviewButton"), Qt::LeftButton);
        previewed = pixelsOf(w->screenImage(), chosen);
        QTest::keyClick(&d, Qt::Key_Escape);
    };
    QCOMPARE(withModal(previewThenCancel, [&] { return w->editPens(); }), 2);
    QVERIFY(previewed > 100);
    QCOMPARE(s.store.penTable.colour[1], 0x00007Fu);
    QCOMPARE(pixelsOf(w->screenImage(), chosen), 0);
    QVERIFY(pixelsOf(w->screenImage(), pen1) > 100);
    QCOMPARE(s.frame.penTableChanges, 0);

    // OK: the pens are in use, the window shows them, the caption is refreshed.
    auto pickAndConfirm = [&](QDialog& d) {
        s.frame.services.colours << QColor(chosen);
        QTest::mouseClick(child<QWidget>(d, "PenColour1"), Qt::LeftButton);
        pressOk(d);
    };
    QCOMPARE(withModal(pickAndConfirm, [&] { return w->editPens(); }), 1);
    QCOMPARE(s.store.penTable.colour[1], 0x00C800u);
    QVERIFY(pixelsOf(w->screenImage(), chosen) > 100);
    QCOMPARE(pixelsOf(w->screenImage(), pen1), 0);
    QCOMPARE(s.frame.penTableChanges, 1);
}

void SettingsMenuTest::confirmedValuesAreWrittenAtExit() {
    Shell s;
    view::DrawingWindow* w = s.window->activeDrawingWindow();
    QVERIFY(w);
    auto pens = [](QDialog& d) {
        clickBox(child<QCheckBox>(d, "NotPC"));
        child<QSpinBox>(d, "MarkPenNo")->setValue(7);
        pressOk(d);
    };
    QCOMPARE(withModal(pens, [&] { return w->editPens(); }), 1);
    auto line = [](QDialog& d) {
        clickBox(child<QAbstractButton>(d, "EdgeSquare"));
        pressOk(d);
    };
    QCOMPARE(withModal(line, [&] { return w->editLineProperties(); }), 1);
    auto grid = [](QDialog& d) {
        child<QSpinBox>(d, "GridInterval")->setValue(7);
        clickBox(child<QCheckBox>(d, "DisGrdMode"));
        pressOk(d);
    };
    QCOMPARE(withModal(grid, [&] { return w->editGrid(); }), 1);
    auto mouse = [](QDialog& d) {
        clickBox(child<QAbstractButton>(d, "MouseOpeRClick2"));
        clickBox(child<QAbstractButton>(d, "ZoomIconMode0"));
        pressOk(d);
    };
    QCOMPARE(withModal(mouse, [&] { return w->editMouseOperations(); }), 1);
    auto text = [](QDialog& d) {
        child<QSpinBox>(d, "TextRate4")->setValue(60);
        pressOk(d);
    };
    QCOMPARE(withModal(text, [&] { return w->editText(); }), 1);

    QVERIFY(s.window->close());
    settings::SettingsStore reread(s.dir.path().toStdString(), "QuindleMini");
    reread.setDefaults();
    reread.load();
    const settings::SettingsRecord& r = reread.values;
    QVERIFY(r.pens.NotPC);
    QCOMPARE(r.pens.MarkPenNo, 7);
    QCOMPARE(r.line.LineAdgeAttrDef, 1);
    QCOMPARE(r.grid.GridInterval, 7);
    QVERIFY(r.grid.DisGrdMode);
    QCOMPARE(r.mouse.MouseOpeRClick, 2);
    QCOMPARE(r.mouse.ZoomIconMode, 0);
    QCOMPARE(r.text.TextRate[4], 60);
    QCOMPARE(r.pens.PenTblNo, 1);
    QVERIFY(s.dialogs.messages.isEmpty());
}

QTEST_MAIN(SettingsMenuTest)
#include "settings_menu_test.moc"
