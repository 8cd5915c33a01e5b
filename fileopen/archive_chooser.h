#pragma once
// The chooser shown when an archive holds several drawings ("Open Archive File"): one entry
// is picked and extracted to the scratch folder. While the open dialog previews, each click
// on an entry extracts it and opens it at once, and "End" closes the chooser.

#include <QDialog>
#include <functional>
#include <vector>

#include "archive/archive_entry_info.h"
#include "fileopen/open_target.h"

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace fileopen {

class ArchiveChooser : public QDialog {
    Q_OBJECT
  public:
    ArchiveChooser(const QString& archivePath, std::vector<archives::ArchiveEntry> entries,
                   const QString& settingsFolder, QWidget* parent = nullptr);

    // Where extraction failures go (the shared message box).
    void setReporter(std::function<void(const QString&)> report);
    // Preview: "Extract" off, "End" on, a click on an entry opens it through `open`.
    void setPreview(std::function<void(const OpenTarget&)> open);

    // After "Extract": the extracted drawing; empty otherwise.
    QString extractedPath() const { return extracted_; }

    QListWidget* list() const { return list_; }
    QPushButton* extractButton() const { return extract_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* endButton() const { return end_; }

  private:
    void extractChosen();
    void itemClicked(QListWidgetItem* item);
    // Extracts entry `row` into the scratch folder; empty (reported) when that failed.
    QString extractRow(int row);

    QString archivePath_;
    std::vector<archives::ArchiveEntry> entries_;
    QString settingsFolder_;
    std::function<void(const QString&)> report_;
    std::function<void(const OpenTarget&)> preview_;
    QString extracted_;
    QListWidget* list_ = nullptr;
    QPushButton* extract_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* end_ = nullptr;
};

} // namespace fileopen
