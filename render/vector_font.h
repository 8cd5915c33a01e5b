#pragma once
// The stroke font of vector-font labels. Glyphs for character codes from 32
// on, each a list of points in a cell 77 units wide: an X byte and a Y byte;
// a Y byte below 128 draws a line to (X, Y - 50), 128 or more moves to
// (X, (Y and 127) - 50). The baseline is at Y 50.

#include <cstdint>

namespace view {

struct VectorFont {
    int glyphCount;         // glyphs for codes 32 .. 32 + glyphCount - 1
    const uint16_t* first;  // index of the first point of each glyph; one more entry ends the last
    const uint8_t* advance; // advance width in the 77-unit cell
    const uint8_t* points;  // X, Y byte pairs

    bool has(int code) const { return code >= 32 && code < 32 + glyphCount; }
    int pointCount(int code) const { return first[code - 31] - first[code - 32]; }
    const uint8_t* glyph(int code) const { return points + 2 * first[code - 32]; }
    int advanceOf(int code) const { return has(code) ? advance[code - 32] : 77; }
};

const VectorFont& vectorFont();

} // namespace view
