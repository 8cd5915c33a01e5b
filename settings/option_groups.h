#pragma once
// The line, grid, mouse and text settings with their defaults: what the render pass, the
// mouse interaction and the status bar read, and what their settings dialogs edit.

#include <array>
#include <cstdint>
#include <string>

namespace settings {

// Line property settings. Pattern lengths are in plotter units (0.025 mm).
// Line kinds 1..6: "A Dotted Line", "A Dashed Line 1", "A Dashed Line 2",
// "A Phantom Line 1", "A Phantom Line 2", "Double Phantom Line 2".
struct LineSettings {
    int32_t DspMinLinDot = 2; // shortest solid piece of a reduced dash on screen, dots 0..10
    int32_t PltMinLinDot = 4; // the same for printer and plotter output, plotter units
    // Gap lengths of line kinds 1..6.
    int32_t LT1Up = 40, LT2Up = 40, LT3Up = 60, LT4Up = 40, LT5Up = 40, LT6Up = 40;
    // Long solid lengths of line kinds 1..6 (the dot of kind 1).
    int32_t LT1Dwn1 = 8, LT2Dwn1 = 120, LT3Dwn1 = 240, LT4Dwn1 = 320, LT5Dwn1 = 400, LT6Dwn1 = 480;
    // Short solid lengths of line kinds 4..6.
    int32_t LT4Dwn2 = 40, LT5Dwn2 = 40, LT6Dwn2 = 40;
    bool UserDefLT = false;      // use these lengths and ignore the pattern length of LT
    uint8_t LineAdgeAttrDef = 0; // initial line end: 0 round, 1 square

    // Pattern lengths by line kind 1..6 (plotter units); 0 for a kind outside 1..6 and
    // for the short solid of kinds 1..3, which have none.
    int32_t gap(int kind) const;
    int32_t longSolid(int kind) const;
    int32_t shortSolid(int kind) const;
};

// Grid settings. Lengths are in plotter units.
struct GridSettings {
    double GridPitchX = 40.0; // fine grid pitch in X (1 mm)
    double GridPitchY = 40.0; // fine grid pitch in Y
    double GridOriginX = 0.0;
    double GridOriginY = 0.0;
    int32_t GridInterval = 10;       // fine grid lines per rough grid line, 1..1000
    uint32_t GridColorFine = 255;    // 0x00BBGGRR, red
    uint32_t GridColorRough = 65535; // 0x00BBGGRR, yellow
    bool DisGrdMode = false;         // draw the grid after every redraw
    bool InsGrdMode = false;         // insert grid on when inserting a comment (unused)
};

// Mouse operation settings: each an index into the choices of its dialog group.
struct MouseSettings {
    uint8_t MouseOpeLClick = 0;   // 0 no operation, 1 display all, 2 display shift
    uint8_t MouseOpeRClick = 0;   // 0 pop-up menu, 1 display all, 2 display shift
    uint8_t MouseOpeOffLDrag = 0; // drag mode off: 0 set area, 1 zoom
    uint8_t MouseOpeOffRDrag = 0;
    uint8_t MouseOpeOnLDrag = 0; // drag mode on: 0 drag shift, 1 drag up-down zoom
    uint8_t MouseOpeOnRDrag = 0;
    uint8_t ZoomIconMode = 1; // 0 zoom at window centre, 1 at the left-click point
};

// Text settings.
struct TextSettings {
    uint8_t TextFontKind = 0; // 0 vector font, 1 system font
    // Correct rates in percent: vector font width, height, space, then system font width,
    // height, space. Widths and heights 50..200, spaces 0..200.
    std::array<int32_t, 6> TextRate{100, 100, 100, 100, 100, 100};
    // Standard 1-byte, standard 2-byte, alternate 1-byte, alternate 2-byte font names.
    std::array<std::string, 4> TextFontName{};
    bool PDFFontUse = false; // prefer fonts recorded in PDF or EMF sources (unused)
};

} // namespace settings
