#pragma once
// The settings of one running program: the settings record, the pen table and pen-to-pen
// table in use, and the folder their files live in. The application owns one instance and
// hands it by reference to whatever reads or changes settings.

#include <string>

#include "settings/pen_tables.h"
#include "settings/settings_file.h"
#include "settings/settings_record.h"

namespace settings {

// Outcome of choosing a pen table from the main window's menu.
enum class PenTableSwitch {
    Unchanged, // the table chosen is already in use; nothing was read
    Switched,  // the file was read; colours, widths, name and PenTblNo changed
    Failed,    // the file is missing or unreadable; nothing changed
};

class SettingsStore {
  public:
    // `folder` is the per-user settings folder (no trailing "/"); `programBaseName` the
    // program's file name without folder, e.g. "QuindleMini".
    SettingsStore(std::string folder, std::string programBaseName);

    const std::string& folder() const { return folder_; }
    // "<folder>/<program base name>.PAR"
    std::string settingsFilePath() const;

    // Every setting to its default; the pen tables to their defaults, all pens shown.
    void setDefaults();
    // Reads the settings file (see loadSettingsFile). Does not touch the pen tables.
    LoadResult load();
    // Writes the settings file; false when it could not be written (the old file is kept).
    bool save() const;

    // Start-up: all pens shown; when `settingsLoaded`, pen table file PenTblNo gives the
    // colours, widths and name, else (or when that file is missing or unreadable) the
    // default colours with widths 0 are used. Then pen-to-pen table PenPenTblNo, if not 0.
    void loadPenTablesAtStartUp(bool settingsLoaded);

    // Pen-to-pen table n into penPenTable; the identity with an empty name when file n is
    // missing or unreadable. n = 0 also gives the identity.
    void loadPenPenTable(int n);

    // Pen table n (1..5) chosen from the main window: read file n straight into the in-use
    // colours, widths and name and make n the table in use. Display flags stay.
    PenTableSwitch PenTBLNoChange(int n);
    // Message shown when PenTBLNoChange(n) failed.
    std::string penTableReadError(int n) const;

    // Write the in-use pen table as file n / the in-use pen-to-pen table as file n.
    bool writePenTable(int n) const;
    bool writePenPenTable(int n) const;

    // Pen number read from a plot file, renumbered through the pen-to-pen table when
    // PenPenTblNo is not 0.
    int translatePen(int pen) const;

    // After every file open: PenPenTblNo back to 0 when ResetPenPenTBL is on.
    void afterFileOpen();

    // Label of entry n of the main window's pen table menu.
    std::string penTableMenuCaption(int n) const;

    SettingsRecord values;   // every persisted setting
    PenTable penTable;       // the pen table in use (colours, widths, display flags)
    PenPenTable penPenTable; // the pen-to-pen table in use

  private:
    std::string folder_;
    std::string programBaseName_;
};

} // namespace settings
