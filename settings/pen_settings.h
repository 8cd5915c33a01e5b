#pragma once
// The pen-related switches kept in the settings record: which pen table and pen-to-pen
// table are in use, the back and mark pens, and the display and interpreter switches that
// the pen dialog edits and the render pass and interpreter obey.

#include <cstdint>

namespace settings {

// Indexes of the two draw modes packed into `DrawModes`.
enum class DrawMode : uint8_t { Copy = 0, Merge = 1, Xor = 2, CommandInData = 3 };

struct PenSettings {
    uint8_t PenTblNo = 0;              // pen table in use, 1..5; 0 until one was chosen
    uint8_t PenPenTblNo = 0;           // pen-to-pen table applied while a file is read; 0 = none
    bool ResetPenPenTBL = false;       // set PenPenTblNo back to 0 after every file open
    uint8_t BackPenNo = 0;             // pen whose colour is the window background
    uint8_t MarkPenNo = 15;            // pen whose colour draws rubber bands and marks (1..255)
    bool OutBackColor = false;         // the background colour is also used for output
    bool NotPC = false;                // ignore PC (pen colour) commands
    bool NotPW = false;                // ignore PW (pen width) commands
    bool NotFP = false;                // ignore FP, RA, RR, WG (polygon, rectangle, wedge fill)
    bool FTLebel100 = false;           // FT shading level is always taken as 100 %
    bool ChgColor_not_BackC = true;    // change a pen colour equal to the background colour
    bool BlackPenDisplay = false;      // black-and-white mode on the display
    bool BlackPenPrinter = false;      // black-and-white mode for printer and image output
    bool PenWidthPen16Display = false; // every line width from pen 16, on the display
    bool PenWidthPen16Printer = false; // every line width from pen 16, for output
    bool BitmapBack = false;           // "Turn down image" (not used by this viewer)
    uint8_t DrawModes = 0; // bits 0-1 line draw mode, bits 2-3 fill draw mode (DrawMode)
};

inline DrawMode lineDrawMode(uint8_t drawModes) {
    return DrawMode(drawModes & 3);
}
inline DrawMode fillDrawMode(uint8_t drawModes) {
    return DrawMode((drawModes >> 2) & 3);
}
inline uint8_t packDrawModes(DrawMode line, DrawMode fill) {
    return static_cast<uint8_t>(static_cast<int>(line) + 4 * static_cast<int>(fill));
}

} // namespace settings
