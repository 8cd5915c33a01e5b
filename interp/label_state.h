#pragma once
// Interpreter state of labels: terminator, size, direction, slant, spacing,
// origin, character sets and the buffered label.

#include <cstdint>

namespace interp {

struct CharacterSet {
    int code = 48;         // designated character set code ("0")
    uint8_t fontByte = 0;
    int32_t width = 114, height = 150;  // size it was last used with
    double slant = 0.0;
};

struct LabelState {
    uint8_t terminator = 3;   // ETX
    int terminatorMode = 1;   // 1 = terminator not part of the text

    int32_t width = 114, height = 150;  // character size, plotter units
    int sizeMode = 1;                   // 1 SI, 2 SR, 3 SU
    double relWidth = 0.75, relHeight = 1.5;  // SR per cent

    double direction = 0.0;  // degrees
    int directionMode = 1;   // 1 DI, 2 DR, 3 DU
    double relRun = 1.0, relRise = 0.0;
    int verticalMode = 0;    // DV

    double slant = 0.0;      // tangent
    double extraSpaces = 0.0, extraLines = 0.0;
    int origin = 1;

    CharacterSet sets[2];
    int selectedSet = 0;      // 0 standard, 1 alternate
    int codeInForce = 48;

    // Where the next label line starts, and the offsets of the current line.
    int32_t startX = 0, startY = 0;
    int32_t offsetX = 0, offsetY = 0;

    uint8_t buffered[150] = {};
    int bufferedLength = 0;
};

}  // namespace interp
