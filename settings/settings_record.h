#pragma once
// The settings record: every user setting of the program with its default, as one value
// owned by the application. Values whose use this program does not define are kept as
// reserved values and written back unchanged.

#include <array>
#include <cstdint>
#include <string>

#include "settings/option_groups.h"
#include "settings/pen_settings.h"

namespace settings {

// File-type list of the open dialog: description and pattern-list pairs, "|"-separated,
// patterns ";"-separated. A pattern is an extension; "*" before the first one gives the
// mask for entries inside an archive (".hgl" -> "*.hgl").
inline constexpr const char* kDefaultFileFilter =
    "HP-GL files (*.hgl;*.plt;*.hpg;*.hp;*.hpgl;*.prn)|.hgl;.plt;.hpg;.hp;.hpgl;.prn"
    "|LZH archives (*.lzh)|.lzh|ZIP archives (*.zip)|.zip|All files (*.*)|.*";

inline constexpr const char* kDefaultImageEditor = "C:\\WINDOWS\\KODAKIMG.EXE";

constexpr int kRecentFileCount = 5;
constexpr int kToolbarCount = 12;

// Options of the open dialog.
struct OpenDialogSettings {
    uint8_t DrawSize = 0;      // 0 page box of the figure, 1 include the PS plot size
    bool MultiPage = false;    // page advance commands start a new page
    bool PreViewMode = false;  // a single click on a file opens it at once
    int32_t FileKindIndex = 0; // index of the pair chosen in fileFilter
    uint8_t FileViewStyle = 0; // 0 report, 1 list, 2 small icons, 3 large icons
    double pdfOpenScale = 1.0; // PDF open scale, 0.1..10 (the PDF options are unused)
    std::string fileFilter = kDefaultFileFilter;
};

// Process-wide view values kept between runs.
struct ViewSettings {
    uint8_t lengthUnit = 0;      // index into the length-unit table, 0 = mm
    uint8_t displayRotation = 1; // 1 = 0 degrees, 2 = 90, 3 = 180, 4 = 270
    bool DragMode = false;       // display drag on
    bool useScrollBar = false;   // drawing windows show scroll bars
    uint8_t zoomWindowIcon = 0;  // zoom-window icon option of the drawing window
};

// Main window placement (pixels), toolbar visibility and recent files.
struct MainWindowSettings {
    std::array<std::string, kRecentFileCount> recentFiles{}; // most recent first
    // File, Set pen, Edit drawing file, Rotation display, Request, Output, Edit comment,
    // Comment, Basic display, Shift display, Thumbnail display, Zoom window 1..5.
    std::array<bool, kToolbarCount> toolbarVisible{};
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 800;
    int32_t height = 600;
    std::string imageEditorPath = kDefaultImageEditor;
};

// Values read and written back unchanged, named by the file group that holds them.
struct ReservedValues {
    uint8_t g2Byte = 0;
    std::array<bool, 2> g2PdfFlags{};
    std::array<uint8_t, 2> g2Bytes{};
    std::array<std::string, 2> g2Texts{};
    std::array<uint8_t, 2> g4Bytes{};
    std::string g4Text;
    uint8_t g4WindowByte = 0;
    uint8_t g4PenDialogByte = 0;
    std::array<uint8_t, 8> g4WindowDigits{}; // each 0..9, kept as one line of digits
    uint8_t g5WindowByte = 0;
    std::array<uint8_t, 12> g6Bytes{};
    int32_t g6Integer = 0;
    std::array<double, 7> g6Reals{};
    std::string g6Text;
    uint8_t g7Byte = 0;
    std::array<int32_t, 2> g7Integers{};
    std::array<uint8_t, 4> g7BitOptions{}; // bits 8, 4, 2, 1 of one integer, each 0 or 1
    uint8_t g7PenDialogByte = 0;
    std::array<uint8_t, 2> g7DigitOptions{}; // tens and units of one integer, each 0..9
    std::array<int32_t, 2> g7MoreIntegers{};
    uint8_t g7LastByte = 0;
    std::array<std::string, 7> g8Texts{};
    int32_t g8Integer = 200;
    std::array<uint8_t, 6> g10Bytes{};
    double g10Real = 0.0;
    uint8_t g10LateByte = 0; // older files lack it
    uint8_t g12Byte = 0;
    std::array<int32_t, 4> g12Integers{};
    uint8_t g16Byte = 0;
};

struct SettingsRecord {
    MainWindowSettings window;
    ViewSettings view;
    OpenDialogSettings open;
    PenSettings pens;
    LineSettings line;
    GridSettings grid;
    MouseSettings mouse;
    TextSettings text;
    ReservedValues reserved;
};

// Gives every setting its default.
inline void setDefaults(SettingsRecord& record) {
    record = SettingsRecord{};
}

} // namespace settings
