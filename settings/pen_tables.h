#pragma once
// The pen table (colour, width and display switch per pen) and the pen-to-pen table, their
// defaults, and the two file formats they are kept in ("PenTable" n ".par" and
// "PenPenTable" n ".par" in the settings folder, lines ending CR LF).

#include <array>
#include <cstdint>
#include <string>

namespace settings {

constexpr int kPenCount = 256;
constexpr int kPenTableCount = 5; // table numbers 1..5

using PenColours = std::array<uint32_t, kPenCount>; // 0x00BBGGRR per pen
using PenWidths = std::array<int32_t, kPenCount>;   // hundredths of a millimetre per pen

// How each pen looks on screen.
struct PenTable {
    PenColours colour = defaultColours(); // screen colour of pen i, 0x00BBGGRR
    PenWidths width{};                    // line width of pen i, 1/100 mm (0 = thinnest)
    std::array<uint8_t, kPenCount> display = allShown(); // 1 = pen i is drawn, 0 = hidden
    std::string name;                                    // shown in menus and the dialog

    static PenColours defaultColours();
    static std::array<uint8_t, kPenCount> allShown();
};

// Renumbering of pens while a plot file is read.
struct PenPenTable {
    std::array<uint8_t, kPenCount> map = identity(); // destination pen of source pen i
    std::string name;

    static std::array<uint8_t, kPenCount> identity();
};

// Default pen colours: pen i takes entry i mod 16 of the fixed palette, then pen
// `backPenNo` becomes black and pen `markPenNo` cyan (0, 255, 255). Needs no file.
PenColours defaultPenColours(int backPenNo = 0, int markPenNo = 15);

// Paths of pen table n and pen-to-pen table n in `folder` ("<folder>/PenTable3.par").
std::string penTablePath(const std::string& folder, int n);
std::string penPenTablePath(const std::string& folder, int n);

// Reads a pen table file: 256 colours, 256 widths, then an optional name line (empty when
// the file ends after the widths). Returns false, changing nothing, when the file cannot be
// opened or any of the 512 values is missing or not a number. Colours keep their low 24
// bits; widths are kept within 0..1000 (10 mm).
bool readPenTableFile(const std::string& path, PenColours& colours, PenWidths& widths,
                      std::string& name);

// Writes a pen table file (513 lines), replacing the old one only when complete.
bool writePenTableFile(const std::string& path, const PenColours& colours, const PenWidths& widths,
                       const std::string& name);

// Only the name line of a pen table file (line 513); empty when the file is missing, ends
// earlier, or cannot be read.
std::string readPenTableName(const std::string& path);

// Reads a pen-to-pen table file: 256 destination pens (each kept to its low 8 bits, so 300
// gives 44) and an optional name line. Returns false, changing nothing, when the file cannot
// be opened or any of the 256 values is missing or not a number.
bool readPenPenTableFile(const std::string& path, std::array<uint8_t, 256>& pens,
                         std::string& name);

// Writes a pen-to-pen table file (257 lines), replacing the old one only when complete.
bool writePenPenTableFile(const std::string& path, const std::array<uint8_t, 256>& pens,
                          const std::string& name);

// Caption of entry n of the main window's pen table menu: "PenTable-" n " " name of file n.
std::string penTableMenuCaption(const std::string& folder, int n);

// Caption of the main window's pen table button: "P" followed by the table number.
std::string penTableButtonCaption(int penTblNo);

// Destination of `pen` (0..255) when a pen-to-pen table is active (`penPenTblNo` not 0);
// `pen` itself otherwise or when it lies outside 0..255.
int translatePen(const PenPenTable& table, int penPenTblNo, int pen);

} // namespace settings
