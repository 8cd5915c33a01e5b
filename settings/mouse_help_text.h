#pragma once
// The mouse help text of the main window's status bar, built from the mouse operation
// settings and the display drag switch.

#include <string>

#include "settings/option_groups.h"

namespace settings {

// "LeftClick:<name>,Rightclick:<name>  |  LeftDrag:<name>,RightDrag:<name>", the drag names
// taken from the "drag on" settings when `dragMode` is set, else from the "drag off" ones.
// An index outside its choices is shown as the first choice.
std::string mouseHelpText(const MouseSettings& mouse, bool dragMode);

} // namespace settings
