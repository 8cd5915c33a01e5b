#include "option_groups.h"

namespace settings {

int32_t LineSettings::gap(int kind) const {
    switch (kind) {
    case 1:
        return LT1Up;
    case 2:
        return LT2Up;
    case 3:
        return LT3Up;
    case 4:
        return LT4Up;
    case 5:
        return LT5Up;
    case 6:
        return LT6Up;
    default:
        return 0;
    }
}

int32_t LineSettings::longSolid(int kind) const {
    switch (kind) {
    case 1:
        return LT1Dwn1;
    case 2:
        return LT2Dwn1;
    case 3:
        return LT3Dwn1;
    case 4:
        return LT4Dwn1;
    case 5:
        return LT5Dwn1;
    case 6:
        return LT6Dwn1;
    default:
        return 0;
    }
}

int32_t LineSettings::shortSolid(int kind) const {
    switch (kind) {
    case 4:
        return LT4Dwn2;
    case 5:
        return LT5Dwn2;
    case 6:
        return LT6Dwn2;
    default:
        return 0;
    }
}

} // namespace settings
