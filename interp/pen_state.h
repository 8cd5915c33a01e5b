#pragma once
// Interpreter state of pen moves, pen selection, line types, symbol mode and ticks.

#include <cstdint>

namespace interp {

struct PenState {
    int currentPen = 0;        // 0 = none
    bool penSelected = false;  // a pen select has been recorded on this load

    int lineType = 255;             // 255 = solid
    int32_t patternLength = 0;      // plotter units
    int previousLineType = 255;     // last non-solid pattern, restored by LT99
    int32_t previousPatternLength = 0;
    int ucPatternMemory = 0;        // pattern in force for UC (0 = solid)
    int32_t solidX = 0, solidY = 0; // where the line last became solid
    bool solidPlaceKnown = false;

    uint8_t symbol = 0;             // symbol-mode character, 0 = off

    double tickPositive = 0.005;    // fractions of the P1-P2 distance
    double tickNegative = 0.005;
};

}  // namespace interp
