#pragma once
// The state of one render pass: what the records of the page set (pen, line
// type, fill, label state, input window), reset at the start of every page.

#include <array>
#include <cstdint>

#include "interp/record_codes.h"

namespace view {

// The dash pattern families of the line types: solid, a dot at the start of
// every segment (type 0), short dashes (types 1 to 3), long and short (4, 5),
// long and two short (6, 7), long and three short (8).
enum class DashFamily : uint8_t {
    Solid,
    DotPerSegment,
    Dash,
    LongShort,
    LongShortShort,
    LongShort3
};

// Line ends and joins as the line attributes number them; other numbers
// draw like none of these.
enum class LineEnd : uint8_t { Butt = 1, Square = 2, Triangular = 3, Round = 4 };
enum class LineJoin : uint8_t {
    Mitered = 1,
    MiteredBeveled = 2,
    Triangular = 3,
    Round = 4,
    Beveled = 5,
    None = 6,
};

// One element of a dash cycle: its length in pixels and whether it is drawn.
struct DashElement {
    double length = 0.0;
    bool drawn = false;
};

struct DashState {
    DashFamily family = DashFamily::Solid;
    int type = 255; // line type number n of the last line type record
    bool adaptive = false;
    double gap = 0.0, shortDash = 0.0, longDash = 0.0, shortDash2 = 0.0; // pixels
    std::array<DashElement, 8> cycle{};
    int cycleCount = 0;
    double cycleLength = 0.0;
    int element = 0;        // position in the cycle
    double used = 0.0;      // distance already used of that element
    bool suspended = false; // while a label is drawn
    bool active() const { return family != DashFamily::Solid && !suspended; }
};

// The label state the label records set (Label, CharSize to CharMove,
// LabelVertical, FontByte, CharSetSelect).
struct LabelState {
    int32_t width = 114, height = 150; // character size, plotter units
    double direction = 0.0;            // degrees
    double slant = 0.0;
    double vertical = 0.0;
    uint8_t origin = 1;
    double extraSpaces = 0.0, extraLines = 0.0;
    uint8_t charSet = 48;    // character set code of the header (low byte)
    uint8_t headerByte1 = 0; // the two label-state bytes of the header
    uint8_t headerByte2 = 0;
    uint8_t fontByte = 0;    // FontByte: bit 7 opaque background, low 7 bits stroke weight
    uint8_t selectedSet = 0; // CharSetSelect: 0 standard, 1 alternate
    int longestLine = 0, lineFeeds = 0, carriageReturns = 0;
};

struct RenderState {
    int currentPen = 0;
    bool forceReselect = true;
    bool penVisible = true;
    bool penDown = false;
    bool continuing = false;
    double curX = 0.0, curY = 0.0;   // current position, plotter units
    double prevX = 0.0, prevY = 0.0; // position before the last point record
    int32_t widthPx = 1;
    double widthPu = 1.0;
    bool pwSet = false;
    std::array<float, 256> pwWidth{}; // millimetres
    std::array<uint32_t, 256> colour{};
    LineEnd lineEnd = LineEnd::Round;
    LineJoin lineJoin = LineJoin::Round;
    double miterLimit = 5.0;
    DashState dash;
    double userLengthFactor = 1.0;
    bool ellipse = false;
    double ellipseX = 1.0, ellipseY = 1.0;
    interp::FillKind fillType = interp::FillKind::SolidBidirectional;
    int32_t hatchSpacing = 186;
    double hatchAngle = 0.0;
    bool fillOn = false;
    int shadingLevel = 100;
    int shadingDensity = 16;
    int patternNumber = 0;
    LabelState label;
    int32_t clipX1 = 2147483647, clipY1 = 2147483647, clipX2 = 2147483647, clipY2 = 2147483647;
    bool clipActive = false;
    uint8_t mergeControl = 252;
    uint32_t paper = 0xFFFFFF, ink = 0; // contrast pair
    uint32_t background = 0xFFFFFF;     // pen-table colour of the back pen
    // Where the canvas pen logically is (plotter units) after MoveTo/LineTo.
    double logicalX = 0.0, logicalY = 0.0;
};

} // namespace view
