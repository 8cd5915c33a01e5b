#include "length_units.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace interp {

namespace {
constexpr LengthUnit kUnits[kLengthUnitCount] = {
    {"mm", 1.0, 0},  {"cm", 10.0, 1},  {"m ", 1000.0, 3},
    {"in", 25.4, 2}, {"ft", 304.8, 3}, {"yd", 914.4, 3},
};
}

const LengthUnit& lengthUnit(int index) {
    if (index < 0 || index >= kLengthUnitCount) index = 0;
    return kUnits[index];
}

std::string formatLength(double mm, int decimals, int unit) {
    const LengthUnit& u = lengthUnit(unit);
    int prec = decimals + u.extraDecimals;
    if (prec < 0) prec = 0;
    if (prec > 30) prec = 30;
    // "%*.*f" with "." as the decimal point whatever the process locale.
    char buf[512];
    auto res =
        std::to_chars(buf, buf + sizeof buf, mm / u.mmPerUnit, std::chars_format::fixed, prec);
    std::string text = res.ec == std::errc() ? std::string(buf, res.ptr) : std::string("0");
    int width = prec + 2;
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
    return text;
}

int64_t toHundredthsMm(double value, int unit) {
    double v = std::nearbyint(value * lengthUnit(unit).mmPerUnit * 100.0);
    if (!(v > -9.2e18 && v < 9.2e18)) return v < 0 ? INT64_MIN : INT64_MAX;
    return static_cast<int64_t>(v);
}

std::string swapCaptionUnit(const std::string& caption, int unit) {
    if (caption.size() < 3 || caption.back() != ')') return caption;
    std::string tail = caption.substr(caption.size() - 3, 2);
    bool known = false;
    for (const LengthUnit& u : kUnits)
        if (tail == u.name) known = true;
    if (!known) return caption;
    return caption.substr(0, caption.size() - 3) + lengthUnit(unit).name + ")";
}

} // namespace interp
