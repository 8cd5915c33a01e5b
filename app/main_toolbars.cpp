// The main window's twelve toolbars: the commands they offer on the active
// drawing window (with their icons, hints and groups), their default places,
// their visibility entries, the pen-table button and its pop-up.

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

#include "app/main_window.h"
#include "view/window/drawing_window.h"

namespace app {

namespace {
// A slot that runs `command` on the active drawing window, when there is one.
std::function<void()> onActive(const MainWindow* w, void (*command)(view::DrawingWindow&)) {
    return [w, command] {
        if (view::DrawingWindow* d = w->activeDrawingWindow()) command(*d);
    };
}

// A row of a button the program has no command for.
view::ActionRow inert(const char* name, const char* hint, const char* icon) {
    const QString h = QString::fromLatin1(hint);
    return {.name = QString::fromLatin1(name),
            .text = h.section(QLatin1Char('|'), 0, 0),
            .hint = h,
            .iconName = QString::fromLatin1(icon),
            .enabled = false};
}
} // namespace

void MainWindow::buildToolBarActions() {
    using view::DrawingWindow;
    view::ActionTable& t = actions_;
    t.add({
        // Rotate Display Tool
        {.name = "mirror",
         .text = "Mirror display",
         .hint = "Mirror display|Show the drawing mirrored left to right",
         .iconName = "object-flip-horizontal",
         .checkable = true,
         .slot = onActive(this, [](DrawingWindow& w) { w.toggleMirror(); })},
        {.name = "grid",
         .text = "Grid display",
         .hint = "Grid display|Draw the grid over the drawing",
         .iconName = "quindle-grid",
         .slot = onActive(this, [](DrawingWindow& w) { w.overlayGrid(); })},
        // Set Pen Tool
        {.name = "setPen",
         .text = "SetPen",
         .hint = "SetPen|Set pen of color,line width and on/off of use",
         .iconName = "quindle-pen",
         .slot = onActive(this, [](DrawingWindow& w) { w.editPens(); })},
        // Edit Drawing File Tool
        inert("colorCopy", "ColorCopy|Copy to clipboard at minimum line & color pen", "edit-copy"),
        inert("monochromeCopy",
              "MonochromeCopy|Copy to clipboard at different line width & black pen",
              "quindle-copy-mono"),
        // Request Tool
        inert("measureDistance", "Distance|Measure the distance between two points",
              "quindle-measure-distance"),
        inert("measureArea", "Area|Measure the area of a polygon", "quindle-measure-area"),
        inert("measurePoint", "Coordinate|Show the coordinate of a point", "quindle-measure-point"),
        // Output Tool
        inert("print", "Print|Print the drawing", "document-print"),
        inert("printPreview", "Print preview|Show the print preview", "document-print-preview"),
        inert("printSetup", "Printer setting|Choose the printer and paper", "document-page-setup"),
        inert("saveAs", "Save as|Save the drawing under a new name", "document-save-as"),
        inert("saveBitmap", "Save as bitmap|Save the view as a picture", "quindle-save-bitmap"),
        inert("saveDxf", "Save as DXF|Save the drawing as a DXF file", "quindle-save-dxf"),
        inert("saveHpgl", "Save as HP-GL|Save the drawing as an HP-GL file", "quindle-save-hpgl"),
        inert("savePdf", "Save as PDF|Save the drawing as a PDF file", "quindle-save-pdf"),
        // Comment Edit Tool, Comment Tool
        inert("commentAdd", "Add comment|Write a comment on the drawing", "quindle-comment-add"),
        inert("commentEdit", "Edit comment|Change a comment", "quindle-comment-edit"),
        inert("commentDelete", "Delete comment|Remove a comment", "quindle-comment-delete"),
        inert("commentShow", "Show comments|Show or hide the comments", "quindle-comment-show"),
        inert("commentList", "Comment list|List the comments of the drawing",
              "quindle-comment-list"),
        // Basic Display Tool
        {.name = "undoView",
         .text = "Undo display",
         .hint = "Undo display|Back to the previous view",
         .iconName = "edit-undo",
         .enabled = false,
         .slot = onActive(this, [](DrawingWindow& w) { w.undoView(); })},
        {.name = "redoView",
         .text = "Redo display",
         .hint = "Redo display|Forward to the next view",
         .iconName = "edit-redo",
         .enabled = false,
         .slot = onActive(this, [](DrawingWindow& w) { w.redoView(); })},
        {.name = "displayAll",
         .text = "Display all",
         .hint = "Display all|Show the whole drawing",
         .iconName = "zoom-fit-best",
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_0),
         .slot = onActive(this, [](DrawingWindow& w) { w.displayAll(); })},
        {.name = "zoomToArea",
         .text = "Zoom display",
         .hint = "Zoom display|Show the zoom area",
         .iconName = "quindle-zoom-area",
         .slot = onActive(this, [](DrawingWindow& w) { w.zoomToArea(); })},
        {.name = "zoomIn",
         .text = "Zoom up",
         .hint = "Zoom up|Zoom up at the window centre or at the next click",
         .iconName = "zoom-in",
         .checkable = true,
         .group = "zoomIcon",
         .slot = [this] { zoomButtonClicked(true); }},
        {.name = "zoomOut",
         .text = "Zoom down",
         .hint = "Zoom down|Zoom down at the window centre or at the next click",
         .iconName = "zoom-out",
         .checkable = true,
         .group = "zoomIcon",
         .slot = [this] { zoomButtonClicked(false); }},
        {.name = "displayAgain",
         .text = "Display again",
         .hint = "Display again|Draw the view again",
         .iconName = "view-refresh",
         .slot = onActive(this, [](DrawingWindow& w) { w.redraw(); })},
        // Keyboard zoom of the desktop convention: at once, about the centre.
        {.name = "zoomInKey",
         .text = "Zoom up",
         .shortcut = QKeySequence(QKeySequence::ZoomIn),
         .slot = onActive(this, [](DrawingWindow& w) { w.zoomIn(); })},
        {.name = "zoomOutKey",
         .text = "Zoom down",
         .shortcut = QKeySequence(QKeySequence::ZoomOut),
         .slot = onActive(this, [](DrawingWindow& w) { w.zoomOut(); })},
        {.name = "fullScreen",
         .text = "Full screen",
         .shortcut = QKeySequence(Qt::Key_F11),
         .slot = [this] { isFullScreen() ? showNormal() : showFullScreen(); }},
        // Shift Display Tool
        {.name = "shiftRight",
         .text = "Display shift right",
         .hint = "Display shift right|Move the view right by half its width",
         .iconName = "go-next",
         .slot = onActive(this, [](DrawingWindow& w) { w.shiftBy(1, 0); })},
        {.name = "shiftLeft",
         .text = "Display shift left",
         .hint = "Display shift left|Move the view left by half its width",
         .iconName = "go-previous",
         .slot = onActive(this, [](DrawingWindow& w) { w.shiftBy(-1, 0); })},
        {.name = "shiftUp",
         .text = "Display shift upper",
         .hint = "Display shift upper|Move the view up by half its height",
         .iconName = "go-up",
         .slot = onActive(this, [](DrawingWindow& w) { w.shiftBy(0, 1); })},
        {.name = "shiftDown",
         .text = "Display shift down",
         .hint = "Display shift down|Move the view down by half its height",
         .iconName = "go-down",
         .slot = onActive(this, [](DrawingWindow& w) { w.shiftBy(0, -1); })},
        // Thumbnail Display Tool
        {.name = "displayPage",
         .text = "Display page",
         .hint = "Display page|Show the current page",
         .iconName = "quindle-page",
         .checkable = true,
         .group = "thumbnail"},
        {.name = "thumbnails",
         .text = "Display thumbnails",
         .hint = "Display thumbnails|Show every page small",
         .iconName = "quindle-thumbnails",
         .checkable = true,
         .enabled = false,
         .group = "thumbnail"},
        {.name = "thumbnailsAndPage",
         .text = "Display thumbnails and page",
         .hint = "Display thumbnails and page|Show the pages small beside the current page",
         .iconName = "quindle-thumbnails-page",
         .checkable = true,
         .enabled = false,
         .group = "thumbnail"},
    });
    // Zoom up and zoom down exclude each other, and both may be up.
    zoomInButton()->actionGroup()->setExclusionPolicy(
        QActionGroup::ExclusionPolicy::ExclusiveOptional);
    actions_.action(QStringLiteral("displayPage"))->setChecked(true);
    actions_.action(QStringLiteral("zoomInKey"))
        ->setShortcuts(
            {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)});

    for (int n = 1; n <= 5; ++n)
        t.add({.name = QStringLiteral("zoomOnWindow%1").arg(n),
               .text = QStringLiteral("Zoom display on the window %1").arg(n),
               .hint = QStringLiteral("Zoom display on the window %1").arg(n),
               .iconName = QStringLiteral("quindle-zoom-window-%1").arg(n),
               .enabled = false,
               .slot = [this, n] {
                   if (view::DrawingWindow* w = activeDrawingWindow()) w->zoomOnWindow(n);
               }});
    const char* rotationCaptions[4] = {"0", "90", "180", "270"};
    for (int k = 0; k < 4; ++k) {
        const QString caption = QString::fromLatin1(rotationCaptions[k]);
        t.add({.name = QStringLiteral("rotation%1").arg(k + 1),
               .text = caption,
               .hint = caption + QStringLiteral("|Show the drawing turned by ") + caption +
                       QStringLiteral(" degrees"),
               .iconName = QStringLiteral("quindle-rotate-") + caption,
               .checkable = true,
               .group = QStringLiteral("rotation"),
               .slot = [this, k] { rotationButtonClicked(view::rotationFromNumber(k + 1)); }});
    }
    for (const char* name : {"zoomInKey", "zoomOutKey", "fullScreen", "displayAll"})
        addAction(actions_.action(QString::fromLatin1(name)));

    buildPenTableButton();
}

void MainWindow::buildPenTableButton() {
    penTableButton_ = new QToolButton(this);
    penTableButton_->setObjectName(QStringLiteral("penTable"));
    penTableMenu_ = new QMenu(penTableButton_);
    penTableMenu_->setObjectName(QStringLiteral("penTableMenu"));
    for (int n = 1; n <= 5; ++n)
        penTableMenu_->addAction(QString(), this, [this, n] { switchPenTable(n); });

    penTableButton_->setToolTip(QStringLiteral("Select Pen Table"));
    penTableButton_->setStatusTip(QStringLiteral("Select Pen Table"));
    penTableButton_->setIcon(
        QIcon::fromTheme(QStringLiteral("quindle-pen-table"),
                         QIcon(QStringLiteral(":/icons/quindle-pen-table.svg"))));
    penTableButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    penTableButton_->setPopupMode(QToolButton::InstantPopup);
    penTableButton_->setMenu(penTableMenu_);
    penTableButton_->setText(
        QString::fromStdString(settings::penTableButtonCaption(store_.values.pens.PenTblNo)));
    // The names are read again every time the pop-up opens.
    connect(penTableMenu_, &QMenu::aboutToShow, this, &MainWindow::refreshPenTableMenu);
    actions_.addWidget(QStringLiteral("penTable"), penTableButton_);
}

void MainWindow::refreshPenTableMenu() {
    const QList<QAction*> entries = penTableMenu_->actions();
    for (int n = 1; n <= 5 && n <= entries.size(); ++n) {
        QString caption = QString::fromStdString(store_.penTableMenuCaption(n));
        entries[n - 1]->setText(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
}

void MainWindow::switchPenTable(int n) {
    // The pens of a file being read are set from the table in use when it began.
    if (load_) return;
    if (store_.PenTBLNoChange(n) != settings::PenTableSwitch::Switched) return;
    penTableChanged();
    if (view::DrawingWindow* w = activeDrawingWindow()) w->redraw();
}

void MainWindow::penTableChanged() {
    penTableButton_->setText(
        QString::fromStdString(settings::penTableButtonCaption(store_.values.pens.PenTblNo)));
}

void MainWindow::buildToolBars() {
    using view::numberedNames;
    // In the order of the persisted visibility line.
    const struct {
        const char* name;
        const char* caption;
        QStringList items;
    } bars[kToolBarCount] = {
        {"FileTool", "File Tool", {"open", "pageCount", "mail", "exit", "pageSpin"}},
        {"SetPenTool", "Set Pen Tool", {"setPen", "penTable"}},
        {"EditDrawingFileTool", "Edit Drawing File Tool", {"colorCopy", "monochromeCopy"}},
        {"RotateDisplayTool", "Rotate Display Tool",
         numberedNames(QStringLiteral("rotation"), 4) + QStringList{"mirror", "grid"}},
        {"RequestTool", "Request Tool", {"measureDistance", "measureArea", "measurePoint"}},
        {"OutputTool",
         "Output Tool",
         {"print", "printPreview", "printSetup", "saveAs", "saveBitmap", "saveDxf", "saveHpgl",
          "savePdf"}},
        {"CommentEditTool", "Comment Edit Tool", {"commentAdd", "commentEdit", "commentDelete"}},
        {"CommentTool", "Comment Tool", {"commentShow", "commentList"}},
        {"BasicDisplayTool",
         "Basic Display Tool",
         {"undoView", "redoView", "displayAll", "zoomToArea", "zoomIn", "zoomOut", "displayAgain"}},
        {"ShiftDisplayTool",
         "Shift Display Tool",
         {"shiftRight", "shiftLeft", "shiftUp", "shiftDown"}},
        {"ThumbnailDisplayTool",
         "Thumbnail Display Tool",
         {"displayPage", "thumbnails", "thumbnailsAndPage"}},
        {"ZoomWindowTool", "Zoom Window 1..5 Tool", numberedNames("zoomOnWindow", 5)},
    };
    for (int k = 0; k < kToolBarCount; ++k) {
        auto* bar = new QToolBar(QString::fromLatin1(bars[k].caption), this);
        bar->setObjectName(QString::fromLatin1(bars[k].name));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        actions_.fill(bar, bars[k].items);
        toolBars_[k] = bar;
        if (k != 0) windowToolBars_ << bar;
    }
    // Default places: the everyday bars in the first row, the rest in a second.
    for (int k : {0, 1, 3, 8, 9})
        addToolBar(Qt::TopToolBarArea, toolBars_[k]);
    addToolBarBreak(Qt::TopToolBarArea);
    for (int k : {11, 10, 2, 4, 5, 6, 7})
        addToolBar(Qt::TopToolBarArea, toolBars_[k]);
    // The page spin keeps its size wherever the File bar is docked.
    connect(toolBars_[0], &QToolBar::topLevelChanged, this, [this] { pageSpin_->adjustSize(); });
    for (QToolBar* bar : windowToolBars_)
        bar->setEnabled(false);
    rotationChanged(view::rotationFromNumber(store_.values.view.displayRotation));
}

void MainWindow::applyToolBarVisibility() {
    const auto& visible = store_.values.window.toolbarVisible;
    for (int k = 0; k < kToolBarCount; ++k)
        toolBars_[k]->setVisible(visible[k]);
}

void MainWindow::toggleToolBar(int index) {
    if (index < 0 || index >= kToolBarCount) return;
    auto& visible = store_.values.window.toolbarVisible;
    visible[index] = !visible[index];
    toolBars_[index]->setVisible(visible[index]);
    const bool shown = visible[index];
    shared_.forEachWindow(
        [index, shown](view::DrawingWindow& w) { w.setToolBarChecked(index, shown); });
}

QMenu* MainWindow::createPopupMenu() {
    // Toolbars are shown and hidden from the drawing windows' menu only, so
    // that the check marks there stay true.
    return nullptr;
}

} // namespace app
