#include "app/quindle_mform.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/command_line.h"
#include "app/recent_files.h"
#include "interp/model_rotation.h"
#include "view/window/quindle2_form.h"

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

TQuindleMForm::TQuindleMForm(interp::DrawingModel& model, settings::SettingsStore& store,
                             view::ViewValues& values, AppDialogs& dialogs, const StartUp& startUp,
                             QWidget* parent)
    : QMainWindow(parent), model_(model), store_(store), values_(values), dialogs_(dialogs),
      shared_(model, store, values), currentFile_(startUp.fileName),
      keepSettingsFile_(startUp.keepSettingsFile) {
    setObjectName(QStringLiteral("TQuindleMForm"));
    setWindowTitle(QStringLiteral("<< QuindleMini >>  ") + QLatin1String(kVersion));
    shared_.frame = this;
    values_.displayRotation = store_.values.view.displayRotation;
    shared_.restoreDragState();

    mdi_ = new QMdiArea(this);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &TQuindleMForm::subWindowActivated);

    status0_ = new QLabel(this);
    status0_->setMinimumWidth(455);
    status1_ = new QLabel(this);
    status1_->setMinimumWidth(100);
    statusBar()->addWidget(status0_);
    statusBar()->addWidget(status1_, 1);

    buildMenus();
    buildToolBars();
    rebuildMenuBar();
    refreshRecentCaptions();
    shared_.rebuildMouseHelp();

    const auto& w = store_.values.window;
    setGeometry(w.left, w.top, std::max(200, int(w.width)), std::max(150, int(w.height)));
    keepOnWorkArea();
}

TQuindleMForm::~TQuindleMForm() {
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

void TQuindleMForm::keepOnWorkArea() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    if (!area.contains(frameGeometry())) setGeometry(area);
}

void TQuindleMForm::buildMenus() {
    fileMenu_ = new QMenu(QStringLiteral("File(&F)"), this);
    connect(fileMenu_->addAction(QStringLiteral("Open(&O)")), &QAction::triggered, this,
            &TQuindleMForm::openClick);
    connect(fileMenu_->addAction(QStringLiteral("Start New QuindleMini and Open(&N)")),
            &QAction::triggered, this, &TQuindleMForm::FileOpenItem2Click);
    fileMenu_->addAction(QStringLiteral("Convert from PDF(&P)"))->setEnabled(false);
    fileMenu_->addSeparator();
    for (int k = 0; k < 5; ++k) {
        recentAct_[k] = fileMenu_->addAction(QString());
        connect(recentAct_[k], &QAction::triggered, this, [this, k] { openRecent(k + 1); });
    }
    fileMenu_->addSeparator();
    fileMenu_->addAction(QStringLiteral("Save comment as \"Drawing file name\".cmt(&S)"))
        ->setEnabled(false);
    fileMenu_->addAction(QStringLiteral("Save comment as new name(&A)"))->setEnabled(false);
    fileMenu_->addAction(QStringLiteral("Create e-male message(&C)"))->setEnabled(false);
    fileMenu_->addSeparator();
    connect(fileMenu_->addAction(QStringLiteral("Exit(&X)")), &QAction::triggered, this,
            &QWidget::close);

    windowMenu_ = new QMenu(QStringLiteral("Window(&W)"), this);
    connect(windowMenu_->addAction(QStringLiteral("CreateNewWindow(&N)")), &QAction::triggered,
            this, [this] {
                if (view::TQuindle2Form* w = newDrawingWindow()) w->DisAllClick();
            });
    QAction* a = windowMenu_->addAction(QStringLiteral("CascadeWindow(&C)"));
    connect(a, &QAction::triggered, mdi_, &QMdiArea::cascadeSubWindows);
    windowMenuArrange_ << a;
    a = windowMenu_->addAction(QStringLiteral("TiledWindow(&T)"));
    connect(a, &QAction::triggered, mdi_, &QMdiArea::tileSubWindows);
    windowMenuArrange_ << a;
    a = windowMenu_->addAction(QStringLiteral("ArrangeIcon(&A)"));
    connect(a, &QAction::triggered, mdi_, &QMdiArea::tileSubWindows);
    windowMenuArrange_ << a;
    a = windowMenu_->addAction(QStringLiteral("MinimizeWindow(&M)"));
    connect(a, &QAction::triggered, this, [this] {
        const auto list = mdi_->subWindowList();
        for (int k = int(list.size()) - 1; k >= 0; --k)
            list[k]->showMinimized();
    });
    windowMenuArrange_ << a;

    helpMenu_ = new QMenu(QStringLiteral("Help(&H)"), this);
    connect(helpMenu_->addAction(QStringLiteral("Index(&I)")), &QAction::triggered, this, [] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                                                      QStringLiteral("/help/QuindleMini.html")));
    });
    connect(helpMenu_->addAction(QStringLiteral("AboutVersion(&A)...")), &QAction::triggered, this,
            [this] {
                QMessageBox::about(this, QStringLiteral("QuindleMini"),
                                   QStringLiteral("QuindleMini\n") + QLatin1String(kVersion));
            });
}

void TQuindleMForm::buildToolBars() {
    QToolBar* file = addToolBar(QStringLiteral("File Tool"));
    file->setObjectName(QStringLiteral("FileTool"));
    QAction* open = file->addAction(QStringLiteral("Open"), this, &TQuindleMForm::openClick);
    open->setToolTip(QStringLiteral("Open"));
    pageLabel_ = new QLabel(QStringLiteral("/0"), this);
    pageLabel_->setObjectName(QStringLiteral("LabelPage97"));
    pageLabel_->setToolTip(QStringLiteral("All number of pages"));
    file->addWidget(pageLabel_);
    file->addAction(QStringLiteral("Mail"))->setEnabled(false);
    file->addAction(QStringLiteral("Exit"), this, &QWidget::close)
        ->setToolTip(QStringLiteral("Exit"));
    pageSpin_ = new QSpinBox(this);
    pageSpin_->setObjectName(QStringLiteral("UpDownPage97"));
    pageSpin_->setToolTip(QStringLiteral("Page change"));
    pageSpin_->setRange(0, 0);
    pageSpin_->setValue(0);
    pageSpin_->setWrapping(false);
    pageSpin_->setEnabled(false);
    file->addWidget(pageSpin_);
    connect(pageSpin_, &QSpinBox::valueChanged, this, &TQuindleMForm::EditPageChange);

    QToolBar* rot = addToolBar(QStringLiteral("Rotate Display Tool"));
    rot->setObjectName(QStringLiteral("RotateDisplayTool"));
    auto* group = new QActionGroup(this);
    const char* captions[4] = {"0", "90", "180", "270"};
    for (int k = 0; k < 4; ++k) {
        rotAct_[k] = rot->addAction(QString::fromLatin1(captions[k]));
        rotAct_[k]->setCheckable(true);
        group->addAction(rotAct_[k]);
        connect(rotAct_[k], &QAction::triggered, this, [this, k] { rotationButtonClick(k + 1); });
    }
    rotationChanged(store_.values.view.displayRotation);
    rot->addAction(QStringLiteral("Mirror display"), this, [this] {
        if (auto* w = activeDrawingWindow()) w->DisMirrClick();
    });
    rot->addAction(QStringLiteral("Grid display"), this, [this] {
        if (auto* w = activeDrawingWindow()) w->DisGrdClick();
    });

    QToolBar* basic = addToolBar(QStringLiteral("Basic Display Tool"));
    basic->setObjectName(QStringLiteral("BasicDisplayTool"));
    auto forward = [this](void (view::TQuindle2Form::*f)()) {
        return [this, f] {
            if (auto* w = activeDrawingWindow()) (w->*f)();
        };
    };
    undoAct_ = basic->addAction(QStringLiteral("Undo display"), this,
                                forward(&view::TQuindle2Form::DisplayUndoClick));
    redoAct_ = basic->addAction(QStringLiteral("Redo display"), this,
                                forward(&view::TQuindle2Form::DisplayRedoClick));
    undoAct_->setEnabled(false);
    redoAct_->setEnabled(false);
    basic->addAction(QStringLiteral("Display all"), this,
                     forward(&view::TQuindle2Form::DisAllClick));
    basic->addAction(QStringLiteral("Zoom display"), this,
                     forward(&view::TQuindle2Form::ZomWinClick));
    zoomUpAct_ = basic->addAction(QStringLiteral("Zoom up"));
    zoomUpAct_->setCheckable(true);
    connect(zoomUpAct_, &QAction::triggered, this, [this] { zoomButtonClick(true); });
    zoomDownAct_ = basic->addAction(QStringLiteral("Zoom down"));
    zoomDownAct_->setCheckable(true);
    connect(zoomDownAct_, &QAction::triggered, this, [this] { zoomButtonClick(false); });
    basic->addAction(QStringLiteral("Display again"), this,
                     forward(&view::TQuindle2Form::DisAgnClick));

    QToolBar* shift = addToolBar(QStringLiteral("Shift Display Tool"));
    shift->setObjectName(QStringLiteral("ShiftDisplayTool"));
    shift->addAction(QStringLiteral("Display shift right"), this,
                     forward(&view::TQuindle2Form::SftRgtClick));
    shift->addAction(QStringLiteral("Display shift left"), this,
                     forward(&view::TQuindle2Form::SftLftClick));
    shift->addAction(QStringLiteral("Display shift upper"), this,
                     forward(&view::TQuindle2Form::SftUpClick));
    shift->addAction(QStringLiteral("Display shift down"), this,
                     forward(&view::TQuindle2Form::SftDwnClick));

    QToolBar* zoomWin = addToolBar(QStringLiteral("Zoom Window 1..5 Tool"));
    zoomWin->setObjectName(QStringLiteral("ZoomWindowTool"));
    for (int k = 0; k < 5; ++k) {
        zoomWinAct_[k] = zoomWin->addAction(QString::number(k + 1), this, [this, k] {
            if (auto* w = activeDrawingWindow()) w->ZomWinNClick(k + 1);
        });
        zoomWinAct_[k]->setToolTip(QStringLiteral("Zoom display on the window %1").arg(k + 1));
        zoomWinAct_[k]->setEnabled(false);
    }
    windowToolBars_ = {rot, basic, shift, zoomWin};
    for (QToolBar* t : windowToolBars_)
        t->setEnabled(false);
}

void TQuindleMForm::rebuildMenuBar() {
    QMenuBar* bar = menuBar();
    bar->clear();
    bar->addMenu(fileMenu_);
    if (view::TQuindle2Form* w = activeDrawingWindow())
        for (QMenu* m : w->menus())
            bar->addMenu(m);
    bar->addMenu(windowMenu_);
    bar->addMenu(helpMenu_);
}

view::TQuindle2Form* TQuindleMForm::activeDrawingWindow() const {
    QMdiSubWindow* sub = mdi_->activeSubWindow();
    if (!sub) sub = mdi_->currentSubWindow();
    if (!sub) {
        // Without an active window (the frame is in the background) the last one serves.
        const auto list = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (!list.isEmpty()) sub = list.last();
    }
    return sub ? qobject_cast<view::TQuindle2Form*>(sub->widget()) : nullptr;
}

view::TQuindle2Form* TQuindleMForm::newDrawingWindow() {
    int number = 0;
    for (int k = 0; k < 5 && !number; ++k)
        if (!shared_.windowSlots[k]) number = k + 1;
    if (!number) {
        report(QStringLiteral("No More Open"));
        return nullptr;
    }
    auto* w = new view::TQuindle2Form(shared_, number);
    w->setWindowTitle(QStringLiteral(" #%1").arg(number));
    connect(w, &view::TQuindle2Form::closed, this, &TQuindleMForm::drawingWindowClosed);
    connect(w, &view::TQuindle2Form::picturePainted, this, [this] {
        if (!firstPictureSent_ && hasFile() && !shared_.passRunning) {
            firstPictureSent_ = true;
            emit firstPicture();
        }
    });
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

void TQuindleMForm::drawingWindowClosed(int) {
    // The slot is already free; refresh what depends on the set of windows.
    QTimer::singleShot(0, this, [this] {
        updateZoomWindowButtons();
        rebuildMenuBar();
    });
}

void TQuindleMForm::updateZoomWindowButtons() {
    bool any = false;
    for (int k = 0; k < 5; ++k) {
        const bool used = shared_.windowSlots[k] != nullptr;
        any = any || used;
        zoomWinAct_[k]->setEnabled(used);
        shared_.forEachWindow(
            [k, used](view::TQuindle2Form& w) { w.setZoomWindowEnabled(k + 1, used); });
    }
    for (QToolBar* t : windowToolBars_)
        t->setEnabled(any);
    for (QAction* a : windowMenuArrange_)
        a->setEnabled(any);
}

void TQuindleMForm::subWindowActivated(QMdiSubWindow* sub) {
    rebuildMenuBar();
    if (!sub) return;
    if (auto* w = qobject_cast<view::TQuindle2Form*>(sub->widget())) w->FormActivate();
}

// ---- FrameHooks ----

void TQuindleMForm::showStatusText(const QString& text) {
    status0_->setText(text);
}
void TQuindleMForm::showPointerText(const QString& text) {
    status1_->setText(text);
}
int TQuindleMForm::pageSpinPosition() const {
    return pageSpin_->value();
}
void TQuindleMForm::setPageSpinPosition(int page) {
    pageSpin_->setValue(page);
}

void TQuindleMForm::zoomButtonsChanged(int mode) {
    zoomUpAct_->setChecked(mode == 3);
    zoomDownAct_->setChecked(mode == 4);
}

void TQuindleMForm::undoRedoChanged(const view::TQuindle2Form& window, bool canUndo, bool canRedo) {
    if (&window != activeDrawingWindow()) return;
    undoAct_->setEnabled(canUndo);
    redoAct_->setEnabled(canRedo);
}

void TQuindleMForm::rotationChanged(int rotation) {
    for (int k = 0; k < 4; ++k)
        rotAct_[k]->setChecked(rotation == k + 1);
}

void TQuindleMForm::report(const QString& text) {
    dialogs_.report(this, text);
}

// ---- buttons ----

void TQuindleMForm::zoomButtonClick(bool zoomUp) {
    const int own = zoomUp ? 3 : 4, other = zoomUp ? 4 : 3;
    const int mode = shared_.cursorMode;
    if (store_.values.mouse.ZoomIconMode == 1 && mode == 2)
        shared_.setCursorMode(own);
    else if (mode == own)
        shared_.setCursorMode(2);
    else if (mode == other)
        shared_.setCursorMode(own);
    else {
        zoomButtonsChanged(mode);
        if (auto* w = activeDrawingWindow()) zoomUp ? w->ZomUpClick() : w->ZomDwnClick();
    }
}

void TQuindleMForm::rotationButtonClick(int rotation) {
    if (rotation == values_.rotationApplied && rotation == store_.values.view.displayRotation)
        return;
    if (auto* w = activeDrawingWindow())
        w->DisRotClick(rotation);
    else
        rotationChanged(store_.values.view.displayRotation);
}

// ---- pages ----

void TQuindleMForm::setPageControls() {
    const QSignalBlocker block(pageSpin_);
    const int count = model_.pageCount();
    pageSpin_->setRange(1, std::max(1, count));
    pageSpin_->setValue(1);
    pageSpin_->setEnabled(count >= 2);
    pageLabel_->setText(QStringLiteral("/%1").arg(count));
}

void TQuindleMForm::EditPageChange() {
    const int page = pageSpin_->value();
    if (page == model_.currentPage()) return;
    model_.selectPage(page);
    if (page != 0 && !shared_.loading) {
        if (auto* w = activeDrawingWindow()) w->DisAllClick();
    }
}

// ---- opening ----

void TQuindleMForm::refreshRecentCaptions() {
    const auto& recent = store_.values.window.recentFiles;
    for (int k = 0; k < 5; ++k) {
        const QString name = QString::fromStdString(recent[k]);
        recentAct_[k]->setText(name + QStringLiteral("(&%1)").arg(k + 1));
        recentAct_[k]->setVisible(!name.isEmpty());
    }
}

void TQuindleMForm::loadFile(const QString& fileName) {
    interp::LoadOptions options;
    const auto& v = store_.values;
    options.multiPage = v.open.MultiPage;
    options.drawSizePs = v.open.DrawSize == 1;
    options.penPenTableNo = v.pens.PenPenTblNo;
    options.penPen = store_.penPenTable.map;
    options.defaultColours = store_.penTable.colour;
    BoxReporter reporter(dialogs_, this);
    shared_.loading = true;
    const interp::LoadResult result =
        interp::LoadPlotFile(model_, fileName.toStdString(), options, reporter);
    if (result.opened) values_.rotationApplied = 1; // a fresh model is stored unturned
    setPageControls();
    shared_.loading = false;
    store_.afterFileOpen();
    if (result.errorCount >= 1 || result.hpgl2Pieces >= 1 || result.rtlPieces >= 1)
        dialogs_.dataError(this, result.hpgl2Pieces, result.rtlPieces);
}

void TQuindleMForm::applyPendingRotation() {
    const int want = store_.values.view.displayRotation;
    const int turns = interp::rotationQuarterTurns(values_.rotationApplied, want);
    if (turns != 0) interp::rotateModel(model_, turns);
    values_.rotationApplied = want;
    values_.displayRotation = want;
}

void TQuindleMForm::DoOpen(const QString& name) {
    const QString fileName = QFileInfo(name).absoluteFilePath();
    view::TQuindle2Form* w = activeDrawingWindow();
    if (!w) w = newDrawingWindow();
    shared_.setCursorMode(0);
    setWindowTitle(QStringLiteral("QuindleMini - [") + fileName + QStringLiteral("]"));
    pushRecentIfNew(store_.values.window.recentFiles, fileName.toStdString());
    currentFile_ = fileName;
    refreshRecentCaptions();
    firstPictureSent_ = false;
    loadFile(fileName);
    applyPendingRotation();
    const interp::Extents& e = model_.extents();
    values_.zoomArea = {e.xMin, e.yMin, e.xMax, e.yMax};
    if (w) w->DisAllClick();
    shared_.setCursorMode(2);
}

void TQuindleMForm::openClick() {
    QString folder = currentFile_.isEmpty()
                         ? QString::fromStdString(store_.values.window.recentFiles[0])
                         : currentFile_;
    folder = folder.isEmpty() ? QString() : QFileInfo(folder).absolutePath();
    const QString file = dialogs_.chooseFile(this, folder);
    if (file.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DoOpen(file);
    QApplication::restoreOverrideCursor();
}

void TQuindleMForm::openRecent(int n) {
    const QString file = QString::fromStdString(store_.values.window.recentFiles[n - 1]);
    if (file.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DoOpen(file);
    QApplication::restoreOverrideCursor();
}

void TQuindleMForm::FileOpenItem2Click() {
    QString folder = currentFile_.isEmpty()
                         ? QString::fromStdString(store_.values.window.recentFiles[0])
                         : currentFile_;
    folder = folder.isEmpty() ? QString() : QFileInfo(folder).absolutePath();
    const QString file = dialogs_.chooseFile(this, folder);
    if (file.isEmpty()) return;
    // The name goes unquoted; the new instance joins it back at the blanks.
    QStringList args{QStringLiteral("/n")};
    args += file.split(QLatin1Char(' '));
    QProcess::startDetached(QCoreApplication::applicationFilePath(), args);
}

void TQuindleMForm::receiveHandOver(const QString& fileName) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    if (!fileName.isEmpty()) DoOpen(fileName);
}

void TQuindleMForm::paintEvent(QPaintEvent* e) {
    QMainWindow::paintEvent(e);
    if (firstPaintPending_) QTimer::singleShot(0, this, &TQuindleMForm::firstPaint);
}

void TQuindleMForm::firstPaint() {
    if (!firstPaintPending_) return;
    firstPaintPending_ = false;
    painted_ = true;
    view::TQuindle2Form* w = nullptr;
    if (!currentFile_.isEmpty()) {
        setWindowTitle(QStringLiteral("QuindleMini - [") + currentFile_ + QStringLiteral("]"));
        pushRecent(store_.values.window.recentFiles, currentFile_.toStdString());
        refreshRecentCaptions();
        loadFile(currentFile_);
        w = newDrawingWindow();
        applyPendingRotation();
    } else {
        w = newDrawingWindow();
    }
    const interp::Extents& e = model_.extents();
    values_.zoomArea = {e.xMin, e.yMin, e.xMax, e.yMax};
    if (w) w->DisAllClick();
}

void TQuindleMForm::closeEvent(QCloseEvent* e) {
    if (painted_) {
        auto& w = store_.values.window;
        const QRect g = geometry();
        w.left = g.left();
        w.top = g.top();
        w.width = g.width();
        w.height = g.height();
        if (!keepSettingsFile_) store_.save();
    }
    mdi_->closeAllSubWindows();
    e->accept();
}

} // namespace app
