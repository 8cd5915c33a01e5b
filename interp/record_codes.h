#pragma once
// The one table of drawing-list record codes and their payload layouts. The
// writer, the reader, the dump and the rotation walk all take it from here.
//
// Layout letters: b = unsigned 8-bit, w = 16-bit, i = signed 32-bit,
// f = 32-bit float, p = 32-bit polygon index.

#include <cstdint>

namespace interp {

#define QM_RECORD_TABLE(X)                                                                         \
    X(0, EndOfDrawing, "")                                                                         \
    X(1, PenSelect, "b")                                                                           \
    X(2, PenUp, "")                                                                                \
    X(3, PenDown, "")                                                                              \
    X(4, Point, "ii")                                                                              \
    X(6, Circle, "ib")                                                                             \
    X(7, Arc, "iiib")                                                                              \
    X(9, PenWidth, "ii")                                                                           \
    X(10, Label, "wwwwwbb")                                                                        \
    X(11, CharSize, "ii")                                                                          \
    X(12, LabelDirection, "i")                                                                     \
    X(13, CharSlant, "i")                                                                          \
    X(14, LabelOrigin, "b")                                                                        \
    X(15, ExtraSpace, "ii")                                                                        \
    X(16, CharMove, "ii")                                                                          \
    X(18, FillType, "bii")                                                                         \
    X(21, FillPolygon, "bpff")                                                                     \
    X(22, EdgePolygon, "pff")                                                                      \
    X(23, LineType, "ii")                                                                          \
    X(24, LabelVertical, "i")                                                                      \
    X(26, PenColour, "wwww")                                                                       \
    X(27, FontByte, "b")                                                                           \
    X(28, InputWindow, "iiii")                                                                     \
    X(29, CharSetSelect, "b")                                                                      \
    X(30, LineAttributes, "i")                                                                     \
    X(31, CircleScaled, "ffib")                                                                    \
    X(32, ArcScaled, "ffiiib")                                                                     \
    X(254, EndOfPage, "")                                                                          \
    X(255, ContinueBlock, "")

enum class Rec : uint8_t {
#define QM_REC_ENUM(code, name, layout) name = code,
    QM_RECORD_TABLE(QM_REC_ENUM)
#undef QM_REC_ENUM
};

// Payload layout of a code ("" for codes without payload), nullptr for a code
// that the table does not know.
const char* recordLayout(uint8_t code);
const char* recordName(uint8_t code);

// A label header is followed by a second code-10 record holding the text.
constexpr uint8_t kLabelCode = 10;
// Pen colour record whose only payload is this pen number: all default colours.
constexpr int kAllPensDefaultColour = 1000;
// Input window record with all four values at this: no window.
constexpr int32_t kNoInputWindow = 2147483647;

} // namespace interp
