#pragma once
// The per-user settings folder: where it is, its creation on first run, the
// copy of the "Init" folder shipped beside the program into it, and loading
// the settings with the start-up rules for a missing or foreign file.

#include <QString>

#include "settings/settings_store.h"

namespace app {

// "<data root>/Kestrune/QuindleMini"; the data root is the user's XDG data folder.
QString userFolderPath(const QString& dataRoot);
// The "Init" folder beside the program file.
QString initFolderPath();

struct FolderResult {
    bool ok = true;
    bool created = false; // the user folder did not exist before
    QString message;      // the text to report when !ok
};

// Creates "<data root>/Kestrune" and the user folder in it as needed; when the
// user folder was created, copies `initFolder` into it: the copy is made in a
// temporary folder that is renamed into place once complete, so a failed copy
// leaves no user folder and the next start tries again. Removes what killed
// copies and saves left behind.
FolderResult prepareUserFolder(const QString& dataRoot, const QString& initFolder);

// Copies `from` into `to` recursively; subfolders are created as needed. With
// `overwrite` false, files already present in `to` are kept. Each file appears
// whole or not at all; only regular files are copied (anything else fails the
// copy). Stops at the first failure; false then.
bool copyFolder(const QString& from, const QString& to, bool overwrite);
QString copyFailedMessage(const QString& from, const QString& to);

struct SettingsStartUp {
    bool loaded = false;           // the settings file was read
    bool keepSettingsFile = false; // a file is there but could not be read: never overwrite it
    QString message;               // to report, empty when none
};

// Start-up load of the settings and pen tables. A missing or unreadable file
// leaves the defaults; a file of another version is kept beside as
// "<name>.old", the missing files of the Init folder are copied in again (the
// user's own files stay) and the load is tried once more.
SettingsStartUp loadSettingsAtStartUp(settings::SettingsStore& store, const QString& initFolder);

} // namespace app
