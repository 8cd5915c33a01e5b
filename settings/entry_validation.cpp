#include "entry_validation.h"

#include <cmath>
#include <cstdio>

#include "interp/length_units.h"
#include "settings/text_lines.h"

namespace settings {

namespace {

constexpr double kPuPerMm = 40.0;

double mmPerUnit(int unit) {
    return interp::lengthUnit(unit).mmPerUnit;
}

// round(value × 40 × millimetres per unit), ties to even.
int32_t toPlotterUnits(double value, int unit) {
    return static_cast<int32_t>(std::nearbyint(value * kPuPerMm * mmPerUnit(unit)));
}

} // namespace

EntryLimits patternLengthLimits(int unit) {
    return {0.05 / mmPerUnit(unit), 1000.0 / mmPerUnit(unit)};
}

bool acceptPatternLength(std::string_view text, int unit, int32_t& storedPu) {
    std::optional<double> v = parseReal(text);
    EntryLimits lim = patternLengthLimits(unit);
    if (!v || *v < lim.lower || *v >= lim.upper) return false;
    storedPu = toPlotterUnits(*v, unit);
    return true;
}

bool acceptDspMinLinDot(std::string_view text, int32_t& storedDots) {
    std::optional<int32_t> v = parseInt32(text);
    if (!v || *v < 0 || *v > 10) return false;
    storedDots = *v;
    return true;
}

bool acceptPltMinLinDot(std::string_view text, int unit, int32_t& storedPu) {
    std::optional<double> v = parseReal(text);
    if (!v || *v < 0 || *v > 10.0 / mmPerUnit(unit)) return false;
    storedPu = toPlotterUnits(*v, unit);
    return true;
}

std::string showLength(double plotterUnits, int unit) {
    return interp::formatLength(plotterUnits / kPuPerMm, 2, unit);
}

std::string showDspMinLinDot(int32_t dots) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3d", static_cast<int>(dots));
    return buf;
}

bool acceptGridPitch(std::string_view text, int unit, double& storedPu) {
    std::optional<double> v = parseReal(text);
    if (!v) return false;
    double mm = *v * mmPerUnit(unit);
    if (mm < 0.025 || mm > 1000.0) return false;
    storedPu = *v * kPuPerMm * mmPerUnit(unit);
    return true;
}

bool acceptGridOrigin(std::string_view text, int unit, double& storedPu) {
    std::optional<double> v = parseReal(text);
    if (!v || std::fabs(*v) * mmPerUnit(unit) > 10000.0) return false;
    storedPu = *v * kPuPerMm * mmPerUnit(unit);
    return true;
}

int storeGridSettings(GridSettings& stored, const GridSettings& edited) {
    bool changed =
        stored.GridColorFine != edited.GridColorFine ||
        stored.GridColorRough != edited.GridColorRough ||
        stored.GridInterval != edited.GridInterval || stored.GridPitchX != edited.GridPitchX ||
        stored.GridPitchY != edited.GridPitchY || stored.GridOriginX != edited.GridOriginX ||
        stored.GridOriginY != edited.GridOriginY || stored.DisGrdMode != edited.DisGrdMode;
    stored = edited;
    return changed ? 1 : 2;
}

PenWidthEditor penWidthEditor(int unit) {
    double maximum = 10.0 / mmPerUnit(unit);
    return {maximum, maximum / 200.0, interp::lengthUnit(unit).extraDecimals + 2};
}

double penWidthInUnit(int32_t hundredthsMm, int unit) {
    return hundredthsMm * 0.01 / mmPerUnit(unit);
}

bool acceptPenWidth(double value, int unit, int32_t& storedHundredthsMm) {
    if (!std::isfinite(value) || value < 0 || value > penWidthEditor(unit).maximum) return false;
    storedHundredthsMm = static_cast<int32_t>(interp::toHundredthsMm(value, unit));
    return true;
}

int penWidthBarHeight(int32_t hundredthsMm) {
    int h = hundredthsMm / 10;
    return h < 0 ? 0 : (h > 15 ? 15 : h);
}

} // namespace settings
