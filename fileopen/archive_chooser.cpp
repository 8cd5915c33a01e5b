#include "fileopen/archive_chooser.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "archive/entry_name.h"
#include "archive/open_from_archive.h"

namespace fileopen {

ArchiveChooser::ArchiveChooser(const QString& archivePath,
                               std::vector<archives::ArchiveEntry> entries,
                               const QString& settingsFolder, QWidget* parent)
    : QDialog(parent), archivePath_(archivePath), entries_(std::move(entries)),
      settingsFolder_(settingsFolder) {
    setObjectName(QStringLiteral("ArchiveChooser"));
    setWindowTitle(QStringLiteral("Open Archive File"));

    auto* caption = new QLabel(QStringLiteral("File List:"), this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("fileList"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    caption->setBuddy(list_);
    for (const archives::ArchiveEntry& e : entries_)
        list_->addItem(QString::fromStdString(archives::printableName(e.path)));
    list_->setMinimumSize(360, 200);

    extract_ = new QPushButton(QStringLiteral("Extract"), this);
    extract_->setObjectName(QStringLiteral("extract"));
    extract_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    end_ = new QPushButton(QStringLiteral("End"), this);
    end_->setObjectName(QStringLiteral("end"));
    end_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(extract_);
    buttons->addWidget(cancel_);
    buttons->addWidget(end_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(extract_, &QPushButton::clicked, this, &ArchiveChooser::extractChosen);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(end_, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
        if (!preview_) extractChosen();
    });
    connect(list_, &QListWidget::itemClicked, this, &ArchiveChooser::itemClicked);
}

void ArchiveChooser::setReporter(std::function<void(const QString&)> report) {
    report_ = std::move(report);
}

void ArchiveChooser::setPreview(std::function<void(const OpenTarget&)> open) {
    preview_ = std::move(open);
    extract_->setEnabled(!preview_);
    end_->setEnabled(bool(preview_));
    (preview_ ? end_ : extract_)->setDefault(true);
}

QString ArchiveChooser::extractRow(int row) {
    if (row < 0 || row >= int(entries_.size())) return QString();
    const archives::Extraction x = archives::extractToScratch(
        QFile::encodeName(archivePath_).toStdString(), entries_[std::size_t(row)],
        QFile::encodeName(settingsFolder_).toStdString());
    if (!x.ok) {
        if (report_) report_(QString::fromStdString(x.message));
        return QString();
    }
    return QFile::decodeName(QByteArray::fromStdString(x.path));
}

void ArchiveChooser::extractChosen() {
    if (preview_) return;
    const QList<QListWidgetItem*> chosen = list_->selectedItems();
    if (chosen.isEmpty()) {
        reject();
        return;
    }
    extracted_ = extractRow(list_->row(chosen.first()));
    if (!extracted_.isEmpty()) accept(); // a failed extraction was reported; choose again
}

void ArchiveChooser::itemClicked(QListWidgetItem* item) {
    if (!preview_ || !item) return;
    const QString path = extractRow(list_->row(item));
    if (!path.isEmpty()) preview_(OpenTarget{path, archivePath_, true});
}

} // namespace fileopen
