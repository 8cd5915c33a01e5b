#pragma once
// The main window: a multi-document frame holding up to five drawing windows,
// with the File, Window and Help menus, the page controls, the rotation and
// zoom buttons, the two-panel status bar, the start-up open and DoOpen.

#include <QMainWindow>
#include <array>

#include "app/app_dialogs.h"
#include "interp/loader.h"
#include "view/window/window_shared.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QSpinBox;
class QToolBar;

namespace view {
class TQuindle2Form;
}

namespace app {

// What the main window is started with.
struct StartUp {
    QString fileName;              // the command-line file, already expanded; may be empty
    bool keepSettingsFile = false; // never write the settings file at exit
};

class TQuindleMForm : public QMainWindow, public view::FrameHooks {
    Q_OBJECT
  public:
    TQuindleMForm(interp::DrawingModel& model, settings::SettingsStore& store,
                  view::ViewValues& values, AppDialogs& dialogs, const StartUp& startUp,
                  QWidget* parent = nullptr);
    ~TQuindleMForm() override;

    // Opens a drawing file in the active drawing window (a new one when none).
    void DoOpen(const QString& fileName);
    // A later start of the program handed over a file (empty: only come forward).
    void receiveHandOver(const QString& fileName);
    // New drawing window; nullptr (after "No More Open") when five are open.
    view::TQuindle2Form* newDrawingWindow();
    view::TQuindle2Form* activeDrawingWindow() const;
    // Page spin control change.
    void EditPageChange();
    // Main window zoom buttons (zoom up = true).
    void zoomButtonClick(bool zoomUp);
    // Rotation buttons 1..4.
    void rotationButtonClick(int rotation);
    // Runs the first-paint start-up now (normally the first paint does).
    void firstPaint();

    view::WindowShared& shared() { return shared_; }
    const QString& currentFileName() const { return currentFile_; }
    QSpinBox* pageSpin() const { return pageSpin_; }
    QLabel* pageLabel() const { return pageLabel_; }
    QLabel* statusPanel(int n) const { return n == 0 ? status0_ : status1_; }
    QAction* zoomUpButton() const { return zoomUpAct_; }
    QAction* zoomDownButton() const { return zoomDownAct_; }
    QAction* rotationButton(int rotation) const { return rotAct_[rotation - 1]; }
    QMdiArea* mdiArea() const { return mdi_; }

    // ---- FrameHooks ----
    void showStatusText(const QString& text) override;
    void showPointerText(const QString& text) override;
    int pageSpinPosition() const override;
    void setPageSpinPosition(int page) override;
    void zoomButtonsChanged(int cursorMode) override;
    void undoRedoChanged(const view::TQuindle2Form& window, bool canUndo, bool canRedo) override;
    void rotationChanged(int rotation) override;
    bool hasFile() const override { return !currentFile_.isEmpty(); }
    void report(const QString& text) override;

  signals:
    // A drawing window showed a picture of the open file for the first time.
    void firstPicture();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void buildMenus();
    void buildToolBars();
    void rebuildMenuBar();
    void refreshRecentCaptions();
    void openRecent(int n);
    void openClick();
    void FileOpenItem2Click();
    void subWindowActivated(QMdiSubWindow* w);
    void drawingWindowClosed(int number);
    void updateZoomWindowButtons();
    void loadFile(const QString& fileName);
    void applyPendingRotation();
    void setPageControls();
    void keepOnWorkArea();

    interp::DrawingModel& model_;
    settings::SettingsStore& store_;
    view::ViewValues& values_;
    AppDialogs& dialogs_;
    view::WindowShared shared_;
    QString currentFile_;
    bool keepSettingsFile_ = false;
    bool firstPaintPending_ = true;
    bool painted_ = false;
    bool firstPictureSent_ = false;

    QMdiArea* mdi_ = nullptr;
    QLabel* status0_ = nullptr;
    QLabel* status1_ = nullptr;
    QSpinBox* pageSpin_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    std::array<QAction*, 5> recentAct_{};
    std::array<QAction*, 4> rotAct_{};
    std::array<QAction*, 5> zoomWinAct_{};
    QAction* zoomUpAct_ = nullptr;
    QAction* zoomDownAct_ = nullptr;
    QAction* undoAct_ = nullptr;
    QAction* redoAct_ = nullptr;
    QList<QToolBar*> windowToolBars_;
    QList<QAction*> windowMenuArrange_;
};

} // namespace app
