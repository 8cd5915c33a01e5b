#pragma once
// The program's own open dialog ("OpenFile"): folder tree, file list in four view styles,
// address field, file kinds, and the options the next load uses (drawing size, pen-to-pen
// table, multi-page). In preview mode a single click on a file opens it at once while the
// dialog stays open. Archives are taken apart here with the entry mask of the file kind.

#include <QDialog>
#include <QRect>
#include <functional>
#include <optional>

#include "fileopen/file_kinds.h"
#include "fileopen/open_target.h"

class QAbstractItemView;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QModelIndex;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeView;

namespace settings {
class SettingsStore;
}

namespace fileopen {

// What the dialog needs from the main window.
struct OpenDialogHooks {
    std::function<void(const QString&)> report;     // the shared message box
    std::function<void(const OpenTarget&)> openNow; // preview: open in the main window now
    std::function<QRect()> drawingArea;             // screen rectangle of the active drawing window
};

class OpenFileDialog : public QDialog {
    Q_OBJECT
  public:
    // Shows `startFolder` (the folder of the open drawing or of the newest recent file); the
    // options come from and go to `store`.
    OpenFileDialog(settings::SettingsStore& store, OpenDialogHooks hooks,
                   const QString& startFolder, QWidget* parent = nullptr);
    ~OpenFileDialog() override;

    // After OK outside preview mode: the file to open (a scratch copy for an archive).
    std::optional<OpenTarget> chosen() const { return chosen_; }

    void setFolder(const QString& folder);
    QString folder() const { return folder_; }
    // The file list's index of `path`, once the folder has been read; invalid before.
    QModelIndex fileIndex(const QString& path) const;
    // The entry mask for archives under the current file kind.
    QString entryMask() const { return entryMask_; }
    QStringList fileMasks() const;

    QAbstractItemView* fileView() const; // the view of the current style
    QTreeView* folderTree() const { return folderTree_; }
    QLineEdit* address() const { return address_; }
    QLineEdit* fileName() const { return fileName_; }
    QComboBox* fileKind() const { return fileKind_; }
    QComboBox* viewStyle() const { return viewStyle_; }
    QComboBox* penPenTable() const { return penPen_; }
    QCheckBox* multiPage() const { return multiPage_; }
    QCheckBox* previewMode() const { return preview_; }
    QRadioButton* drawSizeButton(int n) const { return n == 1 ? drawSizePs_ : drawSizeMax_; }
    QPushButton* upButton() const { return up_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    void buildControls();
    void loadOptions();
    void storeOptions();
    void kindChanged(int index);
    void viewStyleChanged(int index);
    void fileClicked(const QModelIndex& index);
    void fileDoubleClicked(const QModelIndex& index);
    void folderClicked(const QModelIndex& index);
    void showFolderInTree();
    void addressEntered();
    void okClicked();
    void preview(const QString& path);
    void openNow(const OpenTarget& target);
    QString typedPath() const;

    settings::SettingsStore& store_;
    OpenDialogHooks hooks_;
    QVector<FileKind> kinds_;
    QString folder_;
    QString entryMask_ = QStringLiteral("*.hgl");
    std::optional<OpenTarget> chosen_;

    QFileSystemModel* folders_ = nullptr;
    QFileSystemModel* files_ = nullptr;
    QTreeView* folderTree_ = nullptr;
    QStackedWidget* fileViews_ = nullptr;
    QTreeView* reportView_ = nullptr;
    QListView* listView_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLineEdit* fileName_ = nullptr;
    QComboBox* fileKind_ = nullptr;
    QComboBox* viewStyle_ = nullptr;
    QComboBox* penPen_ = nullptr;
    QCheckBox* multiPage_ = nullptr;
    QCheckBox* preview_ = nullptr;
    QRadioButton* drawSizeMax_ = nullptr;
    QRadioButton* drawSizePs_ = nullptr;
    QDoubleSpinBox* pdfScale_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace fileopen
