#pragma once
// Interpreter state of pen moves, pen selection, line types, symbol mode and ticks.

#include <cstdint>

namespace interp {

constexpr int kSolidLine = 255; // line type number of a solid line

struct PenState {
    int currentPen = 0;       // 0 = none
    bool penSelected = false; // a pen select has been recorded on this load

    int lineType = kSolidLine;         // -8..8, or 255 = solid
    int32_t patternLength = 0;         // plotter units
    int previousLineType = kSolidLine; // last patterned line type, restored by LT99
    int32_t previousPatternLength = 0;
    int32_t solidX = 0, solidY = 0; // where the line last became solid (LT without parameters)
    bool solidPlaceKnown = false;

    uint8_t symbol = 0; // symbol-mode character, 0 = off

    double tickPositive = 0.005; // fractions of the P1-P2 distance
    double tickNegative = 0.005;
};

} // namespace interp
