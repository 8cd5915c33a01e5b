#pragma once
// The 8 x 8 monochrome patterns of area fills: the 15 shading densities and
// the eight predefined patterns. Row bytes, most significant bit leftmost; a
// 1 bit shows the paper, a 0 bit the pen colour.

#include <array>
#include <cstdint>

namespace view {

using Pattern8 = std::array<uint8_t, 8>;

// Shading pattern of density k (1..15); k 16 and above is solid (nullptr).
const Pattern8* shadingPattern(int k);

// Predefined pattern 1..8 (numbers outside are folded into that range).
const Pattern8& predefinedPattern(int number);

} // namespace view
