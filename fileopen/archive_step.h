#pragma once
// The archive step every open goes through: a path naming an LZH or ZIP archive becomes the
// drawing extracted from it (the chooser decides among several), any other path is opened
// as it is. Failures are reported and give no target.

#include <QString>
#include <functional>
#include <optional>

#include "fileopen/open_target.h"

class QWidget;

namespace fileopen {

struct ArchiveStepContext {
    QString settingsFolder;                     // the scratch folder "TEMP" lies in it
    QString mask = QStringLiteral("*.hgl");     // which entries are drawings
    QWidget* parent = nullptr;                  // owner of the chooser
    std::function<void(const QString&)> report; // the shared message box
    // Set while the open dialog previews: the chooser opens each clicked entry through this
    // at once instead of returning one.
    std::function<void(const OpenTarget&)> preview;
    // Told before the chooser shows (true) and after it closed (false).
    std::function<void(bool)> chooserShown;
};

// The target for `path`; nullopt when the archive could not be used (reported), when the
// chooser was cancelled, or when the chooser previewed its entries itself.
std::optional<OpenTarget> resolveOpenTarget(const QString& path, const ArchiveStepContext& c);

// Deletes a scratch copy once it has been read; other targets are left alone.
void discardExtracted(const OpenTarget& target);

} // namespace fileopen
