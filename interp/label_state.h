#pragma once
// Interpreter state of labels: terminator, size, direction, slant, spacing,
// origin, character sets and the buffered label.

#include <cstdint>

namespace interp {

constexpr int kCharSetDefault = 48; // set "0", the code in force after a reset
constexpr int kBufferedLabelLimit = 150;

// DT: the terminator is printed with the label, or only ends it. The values
// are DT's mode parameter.
enum class TerminatorMode : uint8_t { Printed = 0, NotPrinted = 1 };
// How the character size was given: SI in centimetres, SR in per cent of
// P2 - P1, SU in user units.
enum class SizeMode : uint8_t { Absolute, Relative, User };
// How the label direction was given: DI as run and rise, DR relative to
// P2 - P1, DU in user units.
enum class DirectionMode : uint8_t { Absolute, Relative, User };
// DV: the text path along the direction, downwards, backwards or upwards.
// The values are DV's parameter.
enum class TextPath : uint8_t { Right = 0, Down = 1, Left = 2, Up = 3 };

struct CharacterSet {
    int code = kCharSetDefault;        // designated character set code
    uint8_t fontByte = 0;              // stroke weight and background mode (FontByte record)
    int32_t width = 114, height = 150; // size it was last used with
    double slant = 0.0;                // slant it was last used with
};

struct LabelState {
    uint8_t terminator = 3; // ETX; 0 disables LB
    TerminatorMode terminatorMode = TerminatorMode::NotPrinted;

    int32_t width = 114, height = 150; // character size, plotter units
    SizeMode sizeMode = SizeMode::Absolute;
    double relWidth = 0.75, relHeight = 1.5; // SR, per cent of P2 - P1

    // Direction as recorded (LabelDirection record): degrees, already turned by the
    // rotation and adjusted for the DV path.
    double direction = 0.0;
    DirectionMode directionMode = DirectionMode::Absolute;
    double run = 1.0, rise = 0.0; // the DI/DR/DU values, kept for recomputation
    TextPath path = TextPath::Right;
    // Vertical writing angle in degrees, recorded x 1000 as LabelVertical: 90 while
    // DV1 stacks the characters, otherwise 0.
    int verticalMode = 0;

    double slant = 0.0; // tangent of the slant angle
    double extraSpaces = 0.0, extraLines = 0.0;
    int origin = 1;

    CharacterSet sets[2]; // 0 standard, 1 alternate
    int selectedSet = 0;  // 0 standard, 1 alternate
    int codeInForce = kCharSetDefault;
    uint8_t fontByteInForce = 0; // last font byte given to the stream

    // Where the current label line started (a carriage return goes back there)
    // and the offsets reached from it: X along the direction, Y downwards
    // across it. Whole plotter units held as doubles so that long runs of text
    // cannot overflow.
    int32_t startX = 0, startY = 0;
    double offsetX = 0, offsetY = 0;

    uint8_t buffered[kBufferedLabelLimit] = {}; // BL text
    int bufferedLength = 0;
};

} // namespace interp
