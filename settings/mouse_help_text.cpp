#include "mouse_help_text.h"

namespace settings {

namespace {

template <std::size_t N> const char* choice(const char* const (&names)[N], unsigned index) {
    return index < N ? names[index] : names[0];
}

constexpr const char* kClickNames[] = {"NonOpe", "DisAll", "DisShift"};
constexpr const char* kDragOffNames[] = {"SetArea", "DisZoom"};
constexpr const char* kDragOnNames[] = {"DisShift", "DisUpDown"};

} // namespace

std::string mouseHelpText(const MouseSettings& m, bool dragMode) {
    const char* left = dragMode ? choice(kDragOnNames, m.MouseOpeOnLDrag)
                                : choice(kDragOffNames, m.MouseOpeOffLDrag);
    const char* right = dragMode ? choice(kDragOnNames, m.MouseOpeOnRDrag)
                                 : choice(kDragOffNames, m.MouseOpeOffRDrag);
    return std::string("LeftClick:") + choice(kClickNames, m.MouseOpeLClick) +
           ",Rightclick:" + choice(kClickNames, m.MouseOpeRClick) + "  |  LeftDrag:" + left +
           ",RightDrag:" + right;
}

} // namespace settings
