#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/file_load_job.h"
#include "app/load_progress.h"
#include "app/recent_files.h"
#include "app/toolbar_layout.h"
#include "fileopen/archive_step.h"
#include "fileopen/open_file_dialog.h"
#include "interp/loader.h"
#include "interp/model_rotation.h"
#include "view/window/drawing_window.h"
#include "view/window/scoped_state.h"

namespace app {

namespace {
constexpr char kVersion[] = "Version 8.04";

// Load messages go to the shared message box.
class BoxReporter : public interp::Reporter {
  public:
    BoxReporter(AppDialogs& d, QWidget* parent) : d_(d), parent_(parent) {}
    void report(const std::string& text) override {
        d_.report(parent_, QString::fromStdString(text));
    }

  private:
    AppDialogs& d_;
    QWidget* parent_;
};
} // namespace

MainWindow::MainWindow(interp::DrawingModel& model, settings::SettingsStore& store,
                       view::ViewValues& values, AppDialogs& dialogs, const StartUp& startUp,
                       QWidget* parent)
    : QMainWindow(parent), model_(model), store_(store), values_(values), dialogs_(dialogs),
      openQueue_([this](const QString& file) { openWithBusyCursor(file); }),
      shared_(model, store, values), actions_(this), currentFile_(startUp.fileName),
      keepSettingsFile_(startUp.keepSettingsFile) {
    setObjectName(QStringLiteral("MainWindow"));
    startUpBusy_.emplace(openQueue_);
    setWindowTitle(QStringLiteral("<< QuindleMini >>  ") + QLatin1String(kVersion));
    shared_.frame = this;
    values_.displayRotation = store_.values.view.displayRotation;
    shared_.restoreDragState();

    mdi_ = new QMdiArea(this);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &MainWindow::subWindowActivated);

    status0_ = new QLabel(this);
    status0_->setMinimumWidth(455);
    status1_ = new QLabel(this);
    status1_->setMinimumWidth(100);
    statusBar()->addWidget(status0_);
    statusBar()->addWidget(status1_, 1);
    progress_ = new LoadProgress(this);
    progress_->hide();
    statusBar()->addPermanentWidget(progress_);
    connect(progress_, &LoadProgress::cancelClicked, this, &MainWindow::cancelLoad);
    // Esc stops a load from the main window and from every drawing window in it; the
    // rest of the time the key is the drawing windows' own.
    cancelLoadAction_ = new QAction(QStringLiteral("Cancel loading"), this);
    cancelLoadAction_->setShortcut(QKeySequence(Qt::Key_Escape));
    cancelLoadAction_->setShortcutContext(Qt::WindowShortcut);
    cancelLoadAction_->setEnabled(false);
    connect(cancelLoadAction_, &QAction::triggered, this, &MainWindow::cancelLoad);
    addAction(cancelLoadAction_);

    buildActions();
    buildMenusAndToolBars();
    rebuildMenuBar();
    refreshRecentCaptions();
    shared_.rebuildMouseHelp();

    restoreToolBarLayout(*this, toolBarLayoutFile());
    // The visibility line decides which toolbars show, whatever the layout says.
    applyToolBarVisibility();
    placeOnScreen();
}

QString MainWindow::toolBarLayoutFile() const {
    return toolBarLayoutPath(QString::fromStdString(store_.folder()));
}

void MainWindow::placeOnScreen() {
    const auto& w = store_.values.window;
    // The placement a fresh settings file carries (the defaults) is nobody's
    // choice: a first start takes a good share of the screen instead.
    const settings::MainWindowSettings fresh;
    const bool chosen = w.left != fresh.left || w.top != fresh.top || w.width != fresh.width ||
                        w.height != fresh.height;
    if (chosen && w.width >= kMinimumWidth && w.height >= kMinimumHeight) {
        setGeometry(w.left, w.top, w.width, w.height);
        keepOnWorkArea();
        return;
    }
    // First start: a good share of the screen, centred.
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        resize(kMinimumWidth * 4, kMinimumHeight * 4);
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize size(area.width() * 4 / 5, area.height() * 4 / 5);
    setGeometry(QRect(area.topLeft() + QPoint((area.width() - size.width()) / 2,
                                              (area.height() - size.height()) / 2),
                      size));
}

MainWindow::~MainWindow() {
    if (painted_ && !keepSettingsFile_) saveToolBarLayout(*this, toolBarLayoutFile());
    // The drawing windows use shared_, a member: they go first, quietly.
    shared_.frame = nullptr;
    mdi_->disconnect(this);
    const auto subs = mdi_->subWindowList();
    for (QMdiSubWindow* sub : subs) {
        if (sub->widget()) sub->widget()->disconnect(this);
        delete sub;
    }
    shared_.windowSlots.fill(nullptr);
}

void MainWindow::keepOnWorkArea() {
    // A window whose middle lies on a screen stays where it was put; one off
    // every screen comes back onto the primary screen's work area.
    QRect g = geometry();
    if (QGuiApplication::screenAt(g.center())) return;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    g.setSize(g.size().boundedTo(area.size()));
    g.moveCenter(area.center());
    setGeometry(g);
}

void MainWindow::buildActions() {
    using view::DrawingWindow;
    view::ActionTable& t = actions_;
    t.add({
        // File
        {.name = "open",
         .text = "Open(&O)",
         .iconText = "Open",
         .hint = "Open|Open old file",
         .iconName = "document-open",
         .shortcut = QKeySequence(QKeySequence::Open),
         .slot = [this] { openWithDialog(); }},
        {.name = "openInNewInstance",
         .text = "Start New QuindleMini and Open(&N)",
         .slot = [this] { openInNewInstance(); }},
        {.name = "convertFromPdf", .text = "Convert from PDF(&P)", .enabled = false},
        {.name = "saveComment",
         .text = "Save comment as \"Drawing file name\".cmt(&S)",
         .enabled = false},
        {.name = "saveCommentAs", .text = "Save comment as new name(&A)", .enabled = false},
        {.name = "mail",
         .text = "Create e-male message(&C)",
         .iconText = "Mail",
         .hint = "Mail|Create an e-mail message with the drawing",
         .iconName = "mail-send",
         .enabled = false},
        {.name = "exit",
         .text = "Exit(&X)",
         .iconText = "Exit",
         .hint = "Exit|Exit Quindle",
         .iconName = "application-exit",
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_Q),
         .slot = [this] { close(); }},
        // Window
        {.name = "newWindow",
         .text = "CreateNewWindow(&N)",
         .slot =
             [this] {
                 if (DrawingWindow* w = newDrawingWindow()) w->displayAll();
             }},
        {.name = "cascade",
         .text = "CascadeWindow(&C)",
         .slot = [this] { mdi_->cascadeSubWindows(); }},
        {.name = "tile", .text = "TiledWindow(&T)", .slot = [this] { mdi_->tileSubWindows(); }},
        {.name = "arrangeIcons",
         .text = "ArrangeIcon(&A)",
         .slot = [this] { mdi_->tileSubWindows(); }},
        {.name = "minimizeAll", .text = "MinimizeWindow(&M)", .slot = [this] { minimizeAll(); }},
        // Help
        {.name = "helpIndex",
         .text = "Index(&I)",
         .slot =
             [] {
                 QDesktopServices::openUrl(
                     QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                                         QStringLiteral("/help/QuindleMini.html")));
             }},
        {.name = "about",
         .text = "AboutVersion(&A)...",
         .slot =
             [this] {
                 QMessageBox::about(this, QStringLiteral("QuindleMini"),
                                    QStringLiteral("QuindleMini\n") + QLatin1String(kVersion));
             }},
    });
    for (int n = 1; n <= 5; ++n)
        t.add({.name = QStringLiteral("recent%1").arg(n), .slot = [this, n] { openRecent(n); }});
    buildToolBarActions();

    pageLabel_ = new QLabel(QStringLiteral("/0"), this);
    pageLabel_->setObjectName(QStringLiteral("pageCount"));
    pageLabel_->setToolTip(QStringLiteral("All number of pages"));
    pageLabel_->setContentsMargins(4, 0, 2, 0);
    t.addWidget(QStringLiteral("pageCount"), pageLabel_);
    pageSpin_ = new QSpinBox(this);
    pageSpin_->setObjectName(QStringLiteral("pageSpin"));
    pageSpin_->setToolTip(QStringLiteral("Page change"));
    pageSpin_->setStatusTip(QStringLiteral("Page of multi-page is changed"));
    pageSpin_->setRange(0, 0);
    pageSpin_->setValue(0);
    pageSpin_->setWrapping(false);
    pageSpin_->setEnabled(false);
    connect(pageSpin_, &QSpinBox::valueChanged, this, &MainWindow::pageSpinChanged);
    t.addWidget(QStringLiteral("pageSpin"), pageSpin_);
}

void MainWindow::buildMenusAndToolBars() {
    view::ActionTable& t = actions_;
    using view::kSeparator;
    fileMenu_ = t.menu(
        QStringLiteral("fileMenu"), QStringLiteral("File(&F)"),
        QStringList{"open", "openInNewInstance", "convertFromPdf", kSeparator} +
            view::numberedNames(QStringLiteral("recent"), 5) +
            QStringList{kSeparator, "saveComment", "saveCommentAs", "mail", kSeparator, "exit"});
    windowMenu_ = t.menu(QStringLiteral("windowMenu"), QStringLiteral("Window(&W)"),
                         {"newWindow", "cascade", "tile", "arrangeIcons", "minimizeAll"});
    helpMenu_ =
        t.menu(QStringLiteral("helpMenu"), QStringLiteral("Help(&H)"), {"helpIndex", "about"});

    buildToolBars();
}

QAction* MainWindow::zoomInButton() const {
    return actions_.action(QStringLiteral("zoomIn"));
}

QAction* MainWindow::zoomOutButton() const {
    return actions_.action(QStringLiteral("zoomOut"));
}

QAction* MainWindow::rotationButton(view::DisplayRotation rotation) const {
    return actions_.action(QStringLiteral("rotation%1").arg(view::rotationNumber(rotation)));
}

void MainWindow::minimizeAll() {
    const auto list = mdi_->subWindowList();
    for (qsizetype k = list.size() - 1; k >= 0; --k)
        list[k]->showMinimized();
}

void MainWindow::rebuildMenuBar() {
    QMenuBar* bar = menuBar();
    bar->clear();
    bar->addMenu(fileMenu_);
    if (view::DrawingWindow* w = activeDrawingWindow())
        for (QMenu* m : w->menus())
            bar->addMenu(m);
    bar->addMenu(windowMenu_);
    bar->addMenu(helpMenu_);
}

view::DrawingWindow* MainWindow::activeDrawingWindow() const {
    QMdiSubWindow* sub = mdi_->activeSubWindow();
    if (!sub) sub = mdi_->currentSubWindow();
    if (!sub) {
        // Without an active window (the frame is in the background) the last one serves.
        const auto list = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (!list.isEmpty()) sub = list.last();
    }
    return sub ? qobject_cast<view::DrawingWindow*>(sub->widget()) : nullptr;
}

view::DrawingWindow* MainWindow::newDrawingWindow() {
    int number = 0;
    for (int k = 0; k < 5 && !number; ++k)
        if (!shared_.windowSlots[k]) number = k + 1;
    if (!number) {
        report(QStringLiteral("No More Open"));
        return nullptr;
    }
    auto* w = new view::DrawingWindow(shared_, number);
    w->setWindowTitle(QStringLiteral(" #%1").arg(number));
    connect(w, &view::DrawingWindow::closed, this, &MainWindow::drawingWindowClosed);
    connect(w, &view::DrawingWindow::picturePainted, this, [this] {
        if (!firstPictureSent_ && hasFile() && !shared_.passRunning) {
            firstPictureSent_ = true;
            emit firstPicture();
        }
    });
    // Every caller shows the drawing with display all once the window stands.
    const view::ScopedFlag hold(shared_.holdPictures);
    QMdiSubWindow* sub = mdi_->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    const QSize area = mdi_->viewport()->size();
    if (mdi_->subWindowList().size() == 1 && area.width() > 100 && area.height() > 100)
        sub->resize(area);
    else
        sub->resize(std::max(320, area.width() * 2 / 3), std::max(240, area.height() * 2 / 3));
    sub->show();
    mdi_->setActiveSubWindow(sub);
    shared_.setCursorMode(shared_.cursorMode);
    updateZoomWindowButtons();
    rebuildMenuBar();
    return w;
}

void MainWindow::drawingWindowClosed(int) {
    // The slot is already free; refresh what depends on the set of windows.
    QTimer::singleShot(0, this, [this] {
        updateZoomWindowButtons();
        rebuildMenuBar();
    });
}

void MainWindow::updateZoomWindowButtons() {
    bool any = false;
    for (int k = 0; k < 5; ++k) {
        const bool used = shared_.windowSlots[k] != nullptr;
        any = any || used;
        actions_.action(QStringLiteral("zoomOnWindow%1").arg(k + 1))->setEnabled(used);
        shared_.forEachWindow(
            [k, used](view::DrawingWindow& w) { w.setZoomWindowEnabled(k + 1, used); });
    }
    for (QToolBar* t : windowToolBars_)
        t->setEnabled(any);
    const QStringList arrange{"cascade", "tile", "arrangeIcons", "minimizeAll"};
    for (QAction* a : actions_.actions(arrange))
        a->setEnabled(any);
}

void MainWindow::subWindowActivated(QMdiSubWindow* sub) {
    rebuildMenuBar();
    if (!sub) return;
    if (auto* w = qobject_cast<view::DrawingWindow*>(sub->widget())) w->windowActivated();
}

// ---- FrameHooks ----

void MainWindow::showStatusText(const QString& text) {
    status0_->setText(text);
}
void MainWindow::showPointerText(const QString& text) {
    status1_->setText(text);
}
int MainWindow::pageSpinPosition() const {
    return pageSpin_->value();
}
void MainWindow::setPageSpinPosition(int page) {
    pageSpin_->setValue(page);
}

void MainWindow::zoomButtonsChanged(view::CursorMode mode) {
    zoomInButton()->setChecked(mode == view::CursorMode::ZoomInArmed);
    zoomOutButton()->setChecked(mode == view::CursorMode::ZoomOutArmed);
}

void MainWindow::undoRedoChanged(const view::DrawingWindow& window, bool canUndo, bool canRedo) {
    if (&window != activeDrawingWindow()) return;
    actions_.action(QStringLiteral("undoView"))->setEnabled(canUndo);
    actions_.action(QStringLiteral("redoView"))->setEnabled(canRedo);
}

void MainWindow::rotationChanged(view::DisplayRotation rotation) {
    rotationButton(rotation)->setChecked(true);
}

void MainWindow::report(const QString& text) {
    dialogs_.report(this, text);
}

// ---- buttons ----

void MainWindow::zoomButtonClicked(bool zoomIn) {
    using view::CursorMode;
    const CursorMode own = zoomIn ? CursorMode::ZoomInArmed : CursorMode::ZoomOutArmed;
    const CursorMode other = zoomIn ? CursorMode::ZoomOutArmed : CursorMode::ZoomInArmed;
    const CursorMode mode = shared_.cursorMode;
    if (store_.values.mouse.ZoomIconMode == 1 && mode == CursorMode::Normal)
        shared_.setCursorMode(own);
    else if (mode == own)
        shared_.setCursorMode(CursorMode::Normal);
    else if (mode == other)
        shared_.setCursorMode(own);
    else {
        zoomButtonsChanged(mode);
        if (auto* w = activeDrawingWindow()) zoomIn ? w->zoomIn() : w->zoomOut();
    }
}

void MainWindow::rotationButtonClicked(view::DisplayRotation rotation) {
    const int number = view::rotationNumber(rotation);
    if (number == values_.rotationApplied && number == store_.values.view.displayRotation) return;
    if (auto* w = activeDrawingWindow())
        w->setRotation(rotation);
    else
        rotationChanged(view::rotationFromNumber(store_.values.view.displayRotation));
}

// ---- pages ----

void MainWindow::setPageControls() {
    const QSignalBlocker block(pageSpin_);
    const int count = model_.pageCount();
    pageSpin_->setRange(1, std::max(1, count));
    pageSpin_->setValue(1);
    pageSpin_->setEnabled(count >= 2);
    pageLabel_->setText(QStringLiteral("/%1").arg(count));
}

void MainWindow::pageSpinChanged() {
    const int page = pageSpin_->value();
    if (page == model_.currentPage()) return;
    if (load_) {
        // The drawing is about to be replaced: its page stays.
        const QSignalBlocker block(pageSpin_);
        pageSpin_->setValue(model_.currentPage());
        return;
    }
    model_.selectPage(page);
    if (page != 0 && !shared_.loading) {
        if (auto* w = activeDrawingWindow()) w->displayAll();
    }
}

// ---- opening ----

void MainWindow::refreshRecentCaptions() {
    const auto& recent = store_.values.window.recentFiles;
    for (int k = 0; k < 5; ++k) {
        const QString name = QString::fromStdString(recent[k]);
        QAction* a = actions_.action(QStringLiteral("recent%1").arg(k + 1));
        // An "&" in a path is shown as it is, not taken as a mnemonic.
        QString caption = name;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        a->setText(caption + QStringLiteral("(&%1)").arg(k + 1));
        a->setVisible(!name.isEmpty());
    }
}

MainWindow::LoadOutcome MainWindow::loadFile(const QString& fileName,
                                             const std::function<void()>& replaced) {
    // Every open waits in the open queue while a load runs; this never nests.
    if (load_) return LoadOutcome::Cancelled;
    interp::LoadOptions options;
    const auto& v = store_.values;
    options.multiPage = v.open.MultiPage;
    options.drawSizePs = v.open.DrawSize == 1;
    options.penPenTableNo = v.pens.PenPenTblNo;
    options.penPen = store_.penPenTable.map;
    options.defaultColours = store_.penTable.colour;
    FileLoadJob job(fileName.toStdString(), options);
    waitForLoad(job, fileName);
    if (closeAfterLoad_) {
        // The window was asked to close meanwhile: it does so now that the load is over.
        closeAfterLoad_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
        return LoadOutcome::Cancelled;
    }
    // A cancelled load leaves everything as it was, whatever it had read.
    if (job.cancelRequested()) return LoadOutcome::Cancelled;

    const interp::LoadResult result = job.result();
    if (result.opened) {
        const view::ScopedFlag loading(shared_.loading);
        model_.swap(job.model());
        job.discardModel();          // the previous drawing
        values_.rotationApplied = 1; // a fresh model is stored unturned
        setPageControls();
        if (replaced) replaced();
    }
    // The messages of the load, in their order, once it is over.
    BoxReporter reporter(dialogs_, this);
    for (const std::string& text : job.messages())
        reporter.report(text);
    // A file that could not be opened leaves the drawing, its page and the page controls
    // as they were.
    if (!result.opened) return LoadOutcome::Failed;
    store_.afterFileOpen();
    if (result.errorCount >= 1 || result.hpgl2Pieces >= 1 || result.rtlPieces >= 1)
        dialogs_.dataError(this, result.hpgl2Pieces, result.rtlPieces);
    return LoadOutcome::Loaded;
}

void MainWindow::waitForLoad(FileLoadJob& job, const QString& fileName) {
    const QFileInfo info(fileName);
    const uint64_t size = info.isFile() ? static_cast<uint64_t>(info.size()) : 0;
    QEventLoop loop;
    connect(&job, &FileLoadJob::finished, &loop, &QEventLoop::quit);
    QTimer ticker;
    ticker.setInterval(50);
    connect(&ticker, &QTimer::timeout, this, [this, &job] {
        progress_->setBytesRead(job.bytesRead());
        emit loadProgressed(job.bytesRead());
    });
    // A short load never shows its progress.
    QTimer reveal;
    reveal.setSingleShot(true);
    connect(&reveal, &QTimer::timeout, this, [this, &job, &ticker, size] {
        progress_->begin(size);
        progress_->setBytesRead(job.bytesRead());
        progress_->show();
        ticker.start();
        emit loadProgressed(job.bytesRead());
    });

    load_ = &job;
    cancelLoadAction_->setEnabled(true);
    // The window stays usable while the file is read: a busy pointer, not an hourglass.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    {
        const view::ScopedFlag loading(shared_.loading);
        job.start();
        reveal.start(progressDelayMs_);
        loop.exec();
        if (!job.isFinished()) {
            // The loop was ended from outside (the application quits): stop the worker.
            job.cancel();
            job.waitUntilDone();
        }
    }
    QGuiApplication::restoreOverrideCursor();
    cancelLoadAction_->setEnabled(false);
    progress_->hide();
    load_ = nullptr;
}

void MainWindow::cancelLoad() {
    if (!load_) return;
    load_->cancel();
    progress_->cancelButton()->setEnabled(false);
}

void MainWindow::applyPendingRotation() {
    const int want = store_.values.view.displayRotation;
    const int turns = interp::rotationQuarterTurns(values_.rotationApplied, want);
    if (turns != 0) interp::rotateModel(model_, turns);
    values_.rotationApplied = want;
    values_.displayRotation = want;
}

std::optional<fileopen::OpenTarget> MainWindow::resolveArchive(const QString& fileName) {
    fileopen::ArchiveStepContext c;
    c.settingsFolder = QString::fromStdString(store_.folder());
    c.parent = this;
    c.report = [this](const QString& text) { report(text); };
    return fileopen::resolveOpenTarget(fileName, c);
}

void MainWindow::openFile(const QString& name) {
    // Requests that come while this open, its archive chooser or its boxes run wait for it.
    const OpenRequestQueue::BusyScope busy(openQueue_);
    const std::optional<fileopen::OpenTarget> target =
        resolveArchive(QFileInfo(name).absoluteFilePath());
    if (target) openTarget(*target);
}

void MainWindow::openTarget(const fileopen::OpenTarget& target) {
    const OpenRequestQueue::BusyScope busy(openQueue_);
    // Title, recent files and current file name the archive, not its scratch copy.
    const QString fileName = QFileInfo(target.displayName).absoluteFilePath();
    // The window may be closed while the file is read.
    QPointer<view::DrawingWindow> w = activeDrawingWindow();
    if (!w) w = newDrawingWindow();
    const LoadOutcome outcome = loadFile(target.drawingPath, [&] {
        shared_.setCursorMode(view::CursorMode::Busy);
        setWindowTitle(QStringLiteral("QuindleMini - [") + fileName + QStringLiteral("]"));
        pushRecentIfNew(store_.values.window.recentFiles, fileName.toStdString());
        currentFile_ = fileName;
        refreshRecentCaptions();
        firstPictureSent_ = false;
    });
    fileopen::discardExtracted(target);
    if (outcome == LoadOutcome::Cancelled) return;
    if (outcome == LoadOutcome::Failed) {
        shared_.setCursorMode(view::CursorMode::Normal);
        return;
    }
    applyPendingRotation();
    const interp::Extents& e = model_.extents();
    values_.zoomArea = {e.xMin, e.yMin, e.xMax, e.yMax};
    if (!w) w = activeDrawingWindow();
    if (!w) w = newDrawingWindow();
    if (w) w->displayAll();
    shared_.setCursorMode(view::CursorMode::Normal);
}

QString MainWindow::startFolder() const {
    // Choosers start in the folder of the open file, else of the newest recent file.
    const QString file = currentFile_.isEmpty()
                             ? QString::fromStdString(store_.values.window.recentFiles[0])
                             : currentFile_;
    return file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
}

QString MainWindow::chooseDrawingFile() {
    return dialogs_.chooseFile(this, startFolder());
}

void MainWindow::openChosenFile(const QString& fileName) {
    if (!fileName.isEmpty()) openQueue_.push(fileName);
}

void MainWindow::openWithBusyCursor(const QString& fileName) {
    const view::BusyCursor busy;
    openFile(fileName);
}

void MainWindow::openWithDialog() {
    if (load_) {
        // Asked for while a file is read: the dialog comes after it, in turn.
        openQueue_.pushTask([this] { openWithDialog(); });
        return;
    }
    // The dialog opens its choice itself (a scratch copy of an archive member lives only
    // that long): requests wait for the dialog and its opens.
    const OpenRequestQueue::BusyScope waiting(openQueue_);
    fileopen::OpenDialogHooks hooks;
    hooks.report = [this](const QString& text) { report(text); };
    hooks.openNow = [this](const fileopen::OpenTarget& t) { openTarget(t); };
    hooks.drawingArea = [this] {
        view::DrawingWindow* w = activeDrawingWindow();
        return w ? QRect(w->mapToGlobal(QPoint(0, 0)), w->size()) : QRect();
    };
    fileopen::OpenFileDialog dialog(store_, hooks, startFolder(), this);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return;
    const view::BusyCursor busy;
    openTarget(*dialog.chosen());
}

void MainWindow::openRecent(int n) {
    openChosenFile(QString::fromStdString(store_.values.window.recentFiles[n - 1]));
}

void MainWindow::openDroppedFile(const QString& fileName) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    openChosenFile(fileName);
}

void MainWindow::openInNewInstance() {
    const OpenRequestQueue::BusyScope waiting(openQueue_);
    const QString file = chooseDrawingFile();
    if (file.isEmpty()) return;
    // The name goes unquoted; the new instance joins it back at the blanks.
    QStringList args{QStringLiteral("/n")};
    args += file.split(QLatin1Char(' '));
    QProcess::startDetached(QCoreApplication::applicationFilePath(), args);
}

void MainWindow::receiveHandOver(const QString& fileName) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    // A box of a load still running stays in front: it has to be answered first.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
    if (!fileName.isEmpty()) openQueue_.push(fileName);
}

void MainWindow::paintEvent(QPaintEvent* e) {
    QMainWindow::paintEvent(e);
    if (firstPaintPending_) QTimer::singleShot(0, this, &MainWindow::firstPaint);
}

void MainWindow::firstPaint() {
    if (!firstPaintPending_) return;
    const OpenRequestQueue::BusyScope busy(openQueue_);
    firstPaintPending_ = false;
    painted_ = true;
    view::DrawingWindow* w = nullptr;
    const std::optional<fileopen::OpenTarget> target =
        currentFile_.isEmpty() ? std::nullopt : resolveArchive(currentFile_);
    if (!target) currentFile_.clear();
    if (target) {
        const LoadOutcome outcome = loadFile(target->drawingPath, [this] {
            setWindowTitle(QStringLiteral("QuindleMini - [") + currentFile_ + QStringLiteral("]"));
            pushRecent(store_.values.window.recentFiles, currentFile_.toStdString());
            refreshRecentCaptions();
        });
        fileopen::discardExtracted(*target);
        if (outcome != LoadOutcome::Loaded) currentFile_.clear();
        w = newDrawingWindow();
        applyPendingRotation();
    } else {
        w = newDrawingWindow();
    }
    const interp::Extents& e = model_.extents();
    values_.zoomArea = {e.xMin, e.yMin, e.xMax, e.yMax};
    if (w) w->displayAll();
    startUpBusy_.reset();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (load_) {
        // The load stops first; the window closes once it has unwound.
        closeAfterLoad_ = true;
        cancelLoad();
        e->ignore();
        return;
    }
    if (painted_) {
        auto& w = store_.values.window;
        const QRect g = geometry();
        w.left = g.left();
        w.top = g.top();
        w.width = g.width();
        w.height = g.height();
        if (!keepSettingsFile_) store_.save();
    }
    openQueue_.clear();
    mdi_->closeAllSubWindows();
    e->accept();
}

} // namespace app
