#include "fileopen/archive_step.h"

#include <QFile>
#include <QFileInfo>

#include "archive/open_from_archive.h"
#include "fileopen/archive_chooser.h"

namespace fileopen {

namespace {
std::string native(const QString& s) {
    return QFile::encodeName(s).toStdString();
}
QString fromNative(const std::string& s) {
    return QFile::decodeName(QByteArray::fromStdString(s));
}
} // namespace

std::optional<OpenTarget> resolveOpenTarget(const QString& path, const ArchiveStepContext& c) {
    const archives::ArchiveOpen open =
        archives::openFromArchive(native(path), native(c.settingsFolder), c.mask.toStdString());
    switch (open.outcome) {
    case archives::ArchiveOpenOutcome::NotAnArchive:
        return OpenTarget{path, path, false};
    case archives::ArchiveOpenOutcome::Failed:
        if (c.report) c.report(QString::fromStdString(open.message));
        return std::nullopt;
    case archives::ArchiveOpenOutcome::Extracted:
        return OpenTarget{fromNative(open.drawingPath), path, true};
    case archives::ArchiveOpenOutcome::ChooseEntry:
        break;
    }
    ArchiveChooser chooser(path, open.matches, c.settingsFolder, c.parent);
    chooser.setReporter(c.report);
    if (c.preview) chooser.setPreview(c.preview);
    if (c.chooserShown) c.chooserShown(true);
    const int result = chooser.exec();
    if (c.chooserShown) c.chooserShown(false);
    if (result != QDialog::Accepted || chooser.extractedPath().isEmpty()) return std::nullopt;
    return OpenTarget{chooser.extractedPath(), path, true};
}

void discardExtracted(const OpenTarget& target) {
    if (target.extracted) archives::removeExtracted(native(target.drawingPath));
}

} // namespace fileopen
