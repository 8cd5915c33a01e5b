#pragma once
// The entry rules of the line property, grid and pen dialogs as plain functions: lengths are
// typed in the current length unit and stored in plotter units (0.025 mm) or, for pen
// widths, hundredths of a millimetre.
//
// Every accept* function returns true and stores the converted value when the entry is
// valid. Otherwise it returns false and leaves the stored value untouched; the dialog then
// shows kInputCorrectNumeric and puts the stored value back into the field.

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/option_groups.h"

namespace settings {

inline constexpr const char* kInputCorrectNumeric = "Input Correct Numeric";

// Limits of a value typed in a given unit.
struct EntryLimits {
    double lower;
    double upper;
};

// Pattern lengths: at least 0.05 mm and less than 1000 mm, in unit `unit`.
EntryLimits patternLengthLimits(int unit);

// A pattern length (gap, long or short solid) typed in unit `unit`.
bool acceptPatternLength(std::string_view text, int unit, int32_t& storedPu);
// DspMinLinDot: an integer 0..10 (screen dots).
bool acceptDspMinLinDot(std::string_view text, int32_t& storedDots);
// PltMinLinDot: a real from 0 to 10 mm inclusive, typed in unit `unit`.
bool acceptPltMinLinDot(std::string_view text, int unit, int32_t& storedPu);

// Text of a plotter-unit length in unit `unit`, with 2 decimals more than the unit's own.
std::string showLength(double plotterUnits, int unit);
// DspMinLinDot as shown: an integer in a field of width 3.
std::string showDspMinLinDot(int32_t dots);

// Grid pitch: 0.025 mm to 1000 mm inclusive. Stored unrounded in plotter units.
bool acceptGridPitch(std::string_view text, int unit, double& storedPu);
// Grid origin: at most 10000 mm either side of 0. Stored unrounded in plotter units.
bool acceptGridOrigin(std::string_view text, int unit, double& storedPu);
// Insert grid pitch shown beside a fine pitch: half of it (plotter units).
inline double insertGridPitch(double finePitchPu) {
    return finePitchPu / 2;
}

// OK of the grid dialog: stores every value of `edited` into `stored` and returns the
// modal result, 1 when a colour, the interval, a pitch or origin, or DisGrdMode changed
// (the view must be redrawn), else 2.
int storeGridSettings(GridSettings& stored, const GridSettings& edited);

// Pen width editors: 0 up to 10 mm in unit `unit`, stepping by 1/200 of that maximum.
struct PenWidthEditor {
    double maximum;
    double increment;
    int decimals;
};
PenWidthEditor penWidthEditor(int unit);
// Width of a pen (hundredths of a mm) as the editor shows it, in unit `unit`.
double penWidthInUnit(int32_t hundredthsMm, int unit);
// A width typed in unit `unit`, within the editor's range; stored in hundredths of a mm.
bool acceptPenWidth(double value, int unit, int32_t& storedHundredthsMm);
// Height in pixels of the width bar beside a pen: one pixel per 0.1 mm, at most 15.
int penWidthBarHeight(int32_t hundredthsMm);

} // namespace settings
