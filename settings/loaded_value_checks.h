#pragma once
// Range checks applied to values read from a settings file, so that a damaged or hand-edited
// file can never hand the render pass a zero grid pitch, an unknown unit index or the like.

#include "settings/settings_record.h"

namespace settings {

// Replaces every value outside the range its users accept by its default. Values inside
// their ranges are left exactly as they are.
void replaceUnusableValues(SettingsRecord& record);

} // namespace settings
