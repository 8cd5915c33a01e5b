// The table of actions: what a row makes of a QAction, how layouts build
// menus and toolbars, and that the drawing window's menus and pop-up and the
// main window's menus and toolbars come out of their tables as before.

#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>

#include "app/main_window.h"
#include "view/window/action_table.h"
#include "window_fixture.h"

using view::ActionRow;
using view::ActionTable;
using view::kSeparator;

namespace {

// The entries of a menu or toolbar as text: "-" for a separator, a submenu by
// its title, a widget as "[object name]", a toolbar button by its caption.
QStringList entries(QWidget* menuOrBar) {
    QStringList list;
    const bool bar = qobject_cast<QToolBar*>(menuOrBar) != nullptr;
    for (QAction* a : menuOrBar->actions()) {
        if (a->isSeparator())
            list << QStringLiteral("-");
        else if (auto* wa = qobject_cast<QWidgetAction*>(a))
            list << QLatin1Char('[') + wa->defaultWidget()->objectName() + QLatin1Char(']');
        else
            list << (bar ? a->iconText() : a->text());
    }
    return list;
}

class NoDialogs : public app::AppDialogs {
  public:
    void report(QWidget*, const QString&) override {}
    void dataError(QWidget*, int, int) override {}
};

} // namespace

class ActionTableTest : public QObject {
    Q_OBJECT
  private slots:
    void aRowMakesOneConfiguredAction();
    void layoutsBuildMenusSubmenusAndToolBars();
    void drawingWindowMenusAndPopupComeFromItsTable();
    void mainWindowMenusAndToolBarsComeFromItsTable();
};

void ActionTableTest::aRowMakesOneConfiguredAction() {
    QWidget owner;
    ActionTable t(&owner);
    int opened = 0;
    t.add({.name = "open",
           .text = "Open(&O)",
           .iconText = "Open",
           .hint = "Open|Open old file",
           .shortcut = QKeySequence(QStringLiteral("Ctrl+O")),
           .slot = [&opened] { ++opened; }});
    t.add({.name = "exit", .text = "Exit(&X)", .hint = "Exit"});
    t.add({.name = "mail", .text = "Mail", .enabled = false});
    for (int n = 1; n <= 3; ++n)
        t.add({.name = QStringLiteral("choice%1").arg(n),
               .text = QString::number(n),
               .checkable = true,
               .group = "choices"});

    QAction* open = t.action(QStringLiteral("open"));
    QCOMPARE(open->objectName(), QStringLiteral("open"));
    QCOMPARE(open->text(), QStringLiteral("Open(&O)"));
    QCOMPARE(open->iconText(), QStringLiteral("Open"));
    // The hint splits at "|" into the tool tip and the status text.
    QCOMPARE(open->toolTip(), QStringLiteral("Open"));
    QCOMPARE(open->statusTip(), QStringLiteral("Open old file"));
    QCOMPARE(open->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QVERIFY(open->isEnabled());
    QVERIFY(!open->isCheckable());
    open->trigger();
    QCOMPARE(opened, 1);
    // Without "|" the hint is a tool tip only.
    QCOMPARE(t.action(QStringLiteral("exit"))->toolTip(), QStringLiteral("Exit"));
    QVERIFY(t.action(QStringLiteral("exit"))->statusTip().isEmpty());
    QVERIFY(!t.action(QStringLiteral("mail"))->isEnabled());
    // Rows of one group check one another out.
    const QList<QAction*> choices = t.actions(view::numberedNames(QStringLiteral("choice"), 3));
    QCOMPARE(choices.size(), 3);
    choices[0]->trigger();
    choices[2]->trigger();
    QVERIFY(!choices[0]->isChecked());
    QVERIFY(choices[2]->isChecked());
}

void ActionTableTest::layoutsBuildMenusSubmenusAndToolBars() {
    QWidget owner;
    ActionTable t(&owner);
    for (const char* name : {"a", "b", "c"})
        t.add({.name = name, .text = QString::fromLatin1(name).toUpper()});
    auto* spin = new QLabel(&owner);
    spin->setObjectName(QStringLiteral("counter"));
    t.addWidget(QStringLiteral("counter"), spin);

    QMenu* sub = t.menu(QStringLiteral("sub"), QStringLiteral("Sub(&S)"), {"b", "c"});
    QMenu* top =
        t.menu(QStringLiteral("top"), QStringLiteral("Top"), {"a", kSeparator, "sub", "c"});
    QCOMPARE(entries(top), (QStringList{"A", "-", "Sub(&S)", "C"}));
    QCOMPARE(entries(sub), (QStringList{"B", "C"}));
    QCOMPARE(top->objectName(), QStringLiteral("top"));
    // The same action stands in both menus.
    QCOMPARE(top->actions().last(), sub->actions().last());

    QToolBar bar;
    t.fill(&bar, {"a", "counter", kSeparator, "b"});
    QCOMPARE(entries(&bar), (QStringList{"A", "[counter]", "-", "B"}));
}

void ActionTableTest::drawingWindowMenusAndPopupComeFromItsTable() {
    testwin::Setup s;
    testwin::drawPolyline(s.model, {{0, 0}, {1000, 1000}});
    s.model.finishLoad({});
    s.store.values.view.lengthUnit = 3; // inch
    auto w = s.window(300, 200);
    const QList<QMenu*> menus = w->menus();
    QCOMPARE(menus.size(), 5);
    QCOMPARE(menus[0]->title(), QStringLiteral("Display(&D)"));
    QCOMPARE(entries(menus[0]), (QStringList{"DisplayAll(&A)",
                                             "DisplayAgain(&D)",
                                             "Zoom display(&Z)",
                                             "Zoom up(&U)",
                                             "Zoom down(&O)",
                                             "Shift display(&H)",
                                             "-",
                                             "Undo display(&B)",
                                             "Redo display(&F)",
                                             "-",
                                             "Rotation display(&R)",
                                             "DisplayMirror(&M)",
                                             "DisplayGrid(&G)",
                                             "Display zoom area(&E)",
                                             "-",
                                             "ZoomWindow1(&1)",
                                             "ZoomWindow2(&2)",
                                             "ZoomWindow3(&3)",
                                             "ZoomWindow4(&4)",
                                             "ZoomWindow5(&5)",
                                             "-",
                                             "DragMode(&C)",
                                             "Use ScrollBar(&S)"}));
    QMenu* shift = menus[0]->actions()[5]->menu();
    QVERIFY(shift);
    QCOMPARE(entries(shift), (QStringList{"Display shift right", "Display shift left",
                                          "Display shift upper", "Display shift down",
                                          "Display shift right upper", "Display shift right down",
                                          "Display shift left upper", "Display shift left down"}));
    QMenu* rotation = menus[0]->actions()[10]->menu();
    QVERIFY(rotation);
    QCOMPARE(entries(rotation), (QStringList{"   0 degree(&0)", " 90 degree(&1)", "180 degree(&2)",
                                             "270 degree(&3)"}));
    QVERIFY(rotation->actions()[0]->isChecked());
    QCOMPARE(menus[1]->title(), QStringLiteral("Page(&P)"));
    QCOMPARE(entries(menus[1]),
             (QStringList{"ForwardPage(&F)", "NextPage(&N)", "BeginPage(&B)", "EndPage(&E)"}));
    QVERIFY(!menus[1]->isEnabled()); // one page
    QCOMPARE(menus[2]->title(), QStringLiteral("Length unit system(&U)"));
    QCOMPARE(entries(menus[2]),
             (QStringList{"Millimeter mm (&L)", "Centimeter cm (&C)", "Meter m (&M)",
                          "Inch in (&I)", "Foot ft (&F)", "Yard yd (&Y)"}));
    QVERIFY(menus[2]->actions()[3]->isChecked());
    QCOMPARE(menus[3]->title(), QStringLiteral("ToolBar(&T)"));
    QCOMPARE(menus[3]->actions().size(), 12);
    QCOMPARE(menus[4]->title(), QStringLiteral("Set(&S)"));
    QCOMPARE(entries(menus[4]), (QStringList{"SetPen(&N)", "SetLineProperty(&L)", "SetGrid(&G)",
                                             "SetMouseOperation(&M)", "SetText(&T)"}));

    // The pop-up offers the Display menu's own actions, and its own command.
    QMenu* popup = w->popupMenu();
    QCOMPARE(entries(popup),
             (QStringList{"DisplayAgain(&D)", "DisplayAll(&A)", "ZoomWindow etc.(&Z)"}));
    QCOMPARE(popup->actions()[0], menus[0]->actions()[1]);
    QCOMPARE(popup->actions()[1], menus[0]->actions()[0]);

    // Choosing entries runs the commands.
    const view::ViewRect all = w->viewRect();
    w->actionTable().action(QStringLiteral("zoomIn"))->trigger();
    QVERIFY(w->viewRect().width() < all.width());
    QVERIFY(w->actionTable().action(QStringLiteral("undoView"))->isEnabled());
    popup->actions()[1]->trigger();
    QCOMPARE(w->viewRect(), all);
    menus[2]->actions()[0]->trigger();
    QCOMPARE(int(s.store.values.view.lengthUnit), 0);
    QVERIFY(!menus[2]->actions()[3]->isChecked());
}

void ActionTableTest::mainWindowMenusAndToolBarsComeFromItsTable() {
    QTemporaryDir dir;
    interp::DrawingModel model;
    settings::SettingsStore store(dir.path().toStdString(), "QuindleMini");
    store.setDefaults();
    view::ViewValues values;
    NoDialogs dialogs;
    app::MainWindow main(model, store, values, dialogs, app::StartUp{});
    main.resize(800, 600);
    main.show();

    const auto& bars = main.toolBars();
    QStringList names;
    for (QToolBar* b : bars)
        names << b->objectName() + QLatin1Char(':') + b->windowTitle();
    QCOMPARE(names,
             (QStringList{"FileTool:File Tool", "SetPenTool:Set Pen Tool",
                          "EditDrawingFileTool:Edit Drawing File Tool",
                          "RotateDisplayTool:Rotate Display Tool", "RequestTool:Request Tool",
                          "OutputTool:Output Tool", "CommentEditTool:Comment Edit Tool",
                          "CommentTool:Comment Tool", "BasicDisplayTool:Basic Display Tool",
                          "ShiftDisplayTool:Shift Display Tool",
                          "ThumbnailDisplayTool:Thumbnail Display Tool",
                          "ZoomWindowTool:Zoom Window 1..5 Tool"}));
    QCOMPARE(entries(bars[0]), (QStringList{"Open", "[pageCount]", "Mail", "Exit", "[pageSpin]"}));
    QCOMPARE(entries(bars[1]), (QStringList{"SetPen", "[penTable]"}));
    QCOMPARE(entries(bars[2]), (QStringList{"ColorCopy", "MonochromeCopy"}));
    QCOMPARE(entries(bars[3]),
             (QStringList{"0", "90", "180", "270", "Mirror display", "Grid display"}));
    QCOMPARE(entries(bars[8]),
             (QStringList{"Undo display", "Redo display", "Display all", "Zoom display", "Zoom up",
                          "Zoom down", "Display again"}));
    QCOMPARE(entries(bars[9]), (QStringList{"Display shift right", "Display shift left",
                                            "Display shift upper", "Display shift down"}));
    QCOMPARE(entries(bars[10]),
             (QStringList{"Display page", "Display thumbnails", "Display thumbnails and page"}));
    QCOMPARE(bars[11]->actions()[0]->toolTip(), QStringLiteral("Zoom display on the window 1"));
    QCOMPARE(bars[11]->actions().size(), 5);
    // Without a drawing window the window toolbars are off.
    for (int k = 1; k < 12; ++k)
        QVERIFY(!bars[k]->isEnabled());

    const QList<QMenu*> menus = main.findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly);
    QStringList titles;
    for (QMenu* m : menus)
        titles << m->title();
    QCOMPARE(titles, (QStringList{"File(&F)", "Window(&W)", "Help(&H)"}));
    QCOMPARE(entries(menus[0]),
             (QStringList{"Open(&O)", "Start New QuindleMini and Open(&N)", "Convert from PDF(&P)",
                          "-", "(&1)", "(&2)", "(&3)", "(&4)", "(&5)", "-",
                          "Save comment as \"Drawing file name\".cmt(&S)",
                          "Save comment as new name(&A)", "Create e-male message(&C)", "-",
                          "Exit(&X)"}));
    QCOMPARE(entries(menus[1]),
             (QStringList{"CreateNewWindow(&N)", "CascadeWindow(&C)", "TiledWindow(&T)",
                          "ArrangeIcon(&A)", "MinimizeWindow(&M)"}));
    QCOMPARE(entries(menus[2]), (QStringList{"Index(&I)", "AboutVersion(&A)..."}));
    // The menu entry and the toolbar button of a command are one action.
    QCOMPARE(menus[0]->actions()[0], bars[0]->actions()[0]);
    QCOMPARE(menus[0]->actions().last(), bars[0]->actions()[3]);
    // Empty recent-file entries are hidden.
    QVERIFY(!menus[0]->actions()[4]->isVisible());
}

QTEST_MAIN(ActionTableTest)
#include "action_table_test.moc"
