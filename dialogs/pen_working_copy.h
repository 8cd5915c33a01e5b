#pragma once
// What the pen dialog edits, apart from its widgets: copies of the in-use pen table and
// pen-to-pen table with their numbers and names, whether each copy was changed since it
// was loaded, switching either table to another number (with the over-write question),
// committing everything on OK, and the preview that lends the copies to the in-use values
// for one redraw.
//
// Plain C++: the questions are asked, and the files that could not be written are
// reported, by the caller.

#include <functional>
#include <string>
#include <vector>

#include "settings/settings_store.h"

namespace dialogs {

class PenWorkingCopy {
  public:
    // Asks the over-write question `text`; true for Yes.
    using AskOverwrite = std::function<bool(const std::string& text)>;

    // Copies the in-use tables. A pen table number of 0 (none chosen yet) counts as 1.
    explicit PenWorkingCopy(settings::SettingsStore& store);

    // Colour, width (hundredths of a mm) and display flag of each pen.
    const settings::PenColours& colours() const { return colour_; }
    const settings::PenWidths& widths() const { return width_; }
    const std::array<uint8_t, settings::kPenCount>& display() const { return display_; }
    int tableNo() const { return tableNo_; }
    const std::string& tableName() const { return tableName_; }
    // Pen-to-pen map, its number (0 = none) and name.
    const std::array<uint8_t, settings::kPenCount>& map() const { return map_; }
    int mapNo() const { return mapNo_; }
    const std::string& mapName() const { return mapName_; }

    // The pen table / the map differs from its file (or its name box from its name).
    bool tableNeedsWriting() const { return tableChanged_ || tableName_ != loadedTableName_; }
    bool mapNeedsWriting() const { return mapChanged_ || mapName_ != loadedMapName_; }

    // Edits. A colour or width that differs marks the table changed; display flags never
    // do, as they are not kept in the file.
    void setColour(int pen, uint32_t colour);
    void setWidth(int pen, int32_t hundredthsMm);
    void setDisplay(int pen, bool shown);
    void setTableName(const std::string& name) { tableName_ = name; }
    // Destination of `origin` in the map; marks the map changed when it differs.
    void setDestination(int origin, int destination);
    void setMapName(const std::string& name) { mapName_ = name; }

    // "Pen table No." becomes n (1..5): a changed table is first written as the previous
    // number's file when `ask` says Yes; then file n is read into the copies. When file n
    // cannot be read the copies keep their values and count as table n. Paths that could
    // not be written are added to `failedWrites`.
    void switchTable(int n, const AskOverwrite& ask, std::vector<std::string>& failedWrites);
    // The translation table becomes n (0..5): a changed map of a previous number other than
    // 0 is first written when `ask` says Yes; then map n is read (the identity with an
    // empty name when its file is missing, and for 0).
    void switchMap(int n, const AskOverwrite& ask, std::vector<std::string>& failedWrites);

    // OK: `switches` (every pen switch the dialog shows) and the copies become the in-use
    // values; the pen table file and, for a map number other than 0, the pen-to-pen table
    // file are written when they need it.
    void commit(const settings::PenSettings& switches, std::vector<std::string>& failedWrites);

  private:
    settings::SettingsStore& store_;
    settings::PenColours colour_;
    settings::PenWidths width_;
    std::array<uint8_t, settings::kPenCount> display_;
    std::string tableName_, loadedTableName_;
    int tableNo_;
    bool tableChanged_ = false;
    std::array<uint8_t, settings::kPenCount> map_;
    std::string mapName_, loadedMapName_;
    int mapNo_;
    bool mapChanged_ = false;
};

// The pen dialog's "Display": while it lives, the in-use pen switches that the display
// uses, the table number and the colours, widths and display flags are the dialog's; its
// destructor puts every one of them back. The printer-side switches are left alone.
class PenPreview {
  public:
    PenPreview(settings::SettingsStore& store, const PenWorkingCopy& copy,
               const settings::PenSettings& switches);
    ~PenPreview();
    PenPreview(const PenPreview&) = delete;
    PenPreview& operator=(const PenPreview&) = delete;

  private:
    settings::SettingsStore& store_;
    settings::PenSettings savedSwitches_;
    settings::PenColours savedColours_;
    settings::PenWidths savedWidths_;
    std::array<uint8_t, settings::kPenCount> savedDisplay_;
};

// Question asked before a changed pen table / pen-to-pen table is left.
inline constexpr const char* kPenTableOverwrite = "Pen-Table is changed. Do you over-write?";
inline constexpr const char* kPenPenTableOverwrite = "PenNo-Table is changed. Do you over-write?";

} // namespace dialogs
