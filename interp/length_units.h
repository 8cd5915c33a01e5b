#pragma once
// The six length units (mm, cm, m, in, ft, yd) that every displayed length uses,
// with the fixed-width formatter and the caption unit swap.

#include <cstdint>
#include <string>

namespace interp {

struct LengthUnit {
    const char* name; // two characters; "m " keeps its trailing blank
    double mmPerUnit;
    int extraDecimals;
};

constexpr int kLengthUnitCount = 6;
const LengthUnit& lengthUnit(int index); // an index outside 0..5 gives mm

// Text of a length given in millimetres, in the unit `unit`: "%*.*f" with
// width = decimals + extra decimals + 2 and precision = decimals + extra decimals.
std::string formatLength(double mm, int decimals, int unit);

// A value typed in unit `unit`, turned into hundredths of a millimetre (rounded).
int64_t toHundredthsMm(double value, int unit);

// A caption ending in a unit name and ")" gets the unit of `unit` instead:
// "Pitch X(mm)" -> "Pitch X(in)". Other captions come back unchanged.
std::string swapCaptionUnit(const std::string& caption, int unit);

} // namespace interp
