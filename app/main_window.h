#pragma once
// The main window: a multi-document frame holding up to five drawing windows,
// with the File, Window and Help menus, twelve toolbars, the page controls,
// the pen-table button, the two-panel status bar, the start-up open, openFile
// and file drops.

#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>

#include "app/app_dialogs.h"
#include "app/open_queue.h"
#include "fileopen/open_target.h"
#include "view/window/action_table.h"
#include "view/window/window_shared.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSpinBox;
class QToolBar;
class QToolButton;

namespace view {
class DrawingWindow;
}

namespace app {

class FileLoadJob;
class LoadProgress;

// What the main window is started with.
struct StartUp {
    QString fileName;              // the command-line file, already expanded; may be empty
    bool keepSettingsFile = false; // never write the settings file at exit
};

class MainWindow : public QMainWindow, public view::FrameHooks {
    Q_OBJECT
  public:
    MainWindow(interp::DrawingModel& model, settings::SettingsStore& store,
               view::ViewValues& values, AppDialogs& dialogs, const StartUp& startUp,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a drawing file in the active drawing window (a new one when none). Every open
    // comes here: an LZH or ZIP archive is first resolved to the drawing taken out of it.
    void openFile(const QString& fileName);
    // Opens a target already resolved (by the open dialog); a scratch copy is deleted after
    // it has been read.
    void openTarget(const fileopen::OpenTarget& target);
    // A file the user named (recent file, drop): opened through the open queue, with the
    // busy cursor, once no load runs.
    void openChosenFile(const QString& fileName);
    // A later start of the program handed over a file (empty: only come forward).
    // The file is opened later, through the open queue.
    void receiveHandOver(const QString& fileName);
    // Every open asked for from outside a load waits here while a load runs.
    OpenRequestQueue& openQueue() { return openQueue_; }
    // New drawing window; nullptr (after "No More Open") when five are open.
    view::DrawingWindow* newDrawingWindow();
    view::DrawingWindow* activeDrawingWindow() const;
    // The page spin control moved: select and show that page.
    void pageSpinChanged();
    // The zoom up (`zoomIn`) or zoom down button was pressed.
    void zoomButtonClicked(bool zoomIn);
    void rotationButtonClicked(view::DisplayRotation rotation);
    // Runs the first-paint start-up now (normally the first paint does).
    void firstPaint();

    // A drawing file is being read (the window goes on showing the previous drawing).
    bool loadRunning() const { return load_ != nullptr; }
    // Stops the file being read; the previous drawing stays. Nothing when none is read.
    void cancelLoad();
    // The status-bar progress bar with its Cancel button, shown while a long load runs.
    LoadProgress* loadProgress() const { return progress_; }
    // How long a load runs before its progress shows.
    void setProgressDelay(int ms) { progressDelayMs_ = ms; }

    view::WindowShared& shared() { return shared_; }
    const view::ActionTable& actionTable() const { return actions_; }
    QSpinBox* pageSpin() const { return pageSpin_; }
    QLabel* pageLabel() const { return pageLabel_; }
    QAction* zoomInButton() const;
    QAction* zoomOutButton() const;
    QAction* rotationButton(view::DisplayRotation rotation) const;
    static constexpr int kToolBarCount = 12;
    // Smallest stored size taken as the user's own; below it the first-start size is used.
    static constexpr int kMinimumWidth = 200;
    static constexpr int kMinimumHeight = 150;
    // The toolbars in the order of the persisted visibility line.
    const std::array<QToolBar*, kToolBarCount>& toolBars() const { return toolBars_; }
    QToolButton* penTableButton() const { return penTableButton_; }
    QMenu* penTableMenu() const { return penTableMenu_; }
    // Fills the pen-table pop-up with the names read from the table files now.
    void refreshPenTableMenu();
    // Pen table `n` chosen from the pop-up.
    void switchPenTable(int n);
    QString toolBarLayoutFile() const;

    // ---- FrameHooks ----
    void showStatusText(const QString& text) override;
    void showPointerText(const QString& text) override;
    int pageSpinPosition() const override;
    void setPageSpinPosition(int page) override;
    void zoomButtonsChanged(view::CursorMode mode) override;
    void undoRedoChanged(const view::DrawingWindow& window, bool canUndo, bool canRedo) override;
    void rotationChanged(view::DisplayRotation rotation) override;
    bool hasFile() const override { return !currentFile_.isEmpty(); }
    void toggleToolBar(int index) override;
    void penTableChanged() override;
    void openDroppedFile(const QString& fileName) override;
    void report(const QString& text) override;
    dialogs::DialogServices& dialogServices() override { return dialogs_; }

  signals:
    // A drawing window showed a picture of the open file for the first time.
    void firstPicture();
    // The progress of a load was shown or brought up to date.
    void loadProgressed(quint64 bytesRead);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    QMenu* createPopupMenu() override;

  private:
    void buildActions();
    void buildToolBarActions();
    void buildPenTableButton();
    void buildMenusAndToolBars();
    void buildToolBars();
    void applyToolBarVisibility();
    void placeOnScreen();
    void rebuildMenuBar();
    void refreshRecentCaptions();
    void openRecent(int n);
    QString startFolder() const;
    QString chooseDrawingFile();
    void openWithDialog();
    void openInNewInstance();
    void minimizeAll();
    void openWithBusyCursor(const QString& fileName);
    void subWindowActivated(QMdiSubWindow* w);
    void drawingWindowClosed(int number);
    void updateZoomWindowButtons();
    enum class LoadOutcome { Loaded, Failed, Cancelled };
    // Reads the file into a fresh model on a worker thread while the window goes on. Once
    // read, the drawing replaces the shown one, `replaced` runs, then the load's messages
    // and the data error box follow. Cancelled or not opened: nothing has changed.
    LoadOutcome loadFile(const QString& fileName, const std::function<void()>& replaced = {});
    // Runs the event loop until `job` has finished, with progress and Cancel in the status bar.
    void waitForLoad(FileLoadJob& job, const QString& fileName);
    // The archive step of every open; nullopt when nothing is to be opened.
    std::optional<fileopen::OpenTarget> resolveArchive(const QString& fileName);
    void applyPendingRotation();
    void setPageControls();
    void keepOnWorkArea();

    interp::DrawingModel& model_;
    settings::SettingsStore& store_;
    view::ViewValues& values_;
    AppDialogs& dialogs_;
    OpenRequestQueue openQueue_;
    // Requests wait for the start-up open of the first paint.
    std::optional<OpenRequestQueue::BusyScope> startUpBusy_;
    view::WindowShared shared_;
    view::ActionTable actions_;
    QString currentFile_;
    bool keepSettingsFile_ = false;
    bool firstPaintPending_ = true;
    bool painted_ = false;
    bool firstPictureSent_ = false;
    // The load being read, if any; a close asked for meanwhile waits for its end.
    FileLoadJob* load_ = nullptr;
    bool closeAfterLoad_ = false;
    int progressDelayMs_ = 300;
    LoadProgress* progress_ = nullptr;
    QAction* cancelLoadAction_ = nullptr;

    QMdiArea* mdi_ = nullptr;
    QLabel* status0_ = nullptr;
    QLabel* status1_ = nullptr;
    QSpinBox* pageSpin_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    std::array<QToolBar*, kToolBarCount> toolBars_{};
    // The toolbars that act on the active drawing window.
    QList<QToolBar*> windowToolBars_;
    QToolButton* penTableButton_ = nullptr;
    QMenu* penTableMenu_ = nullptr;
};

} // namespace app
