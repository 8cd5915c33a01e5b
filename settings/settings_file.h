#pragma once
// Reading and writing the settings file: the version tag line, then one value per line in
// the fixed order of the settings layout, lines ending in CR LF.

#include <string>

#include "settings/settings_record.h"

namespace settings {

inline constexpr const char* kVersionTag = "Version 8.04";

enum class LoadResult : int {
    Loaded = 0,       // the values were read (an unreadable line costs only its own value)
    CannotOpen = 1,   // the file is missing or cannot be opened; nothing changed
    OtherVersion = 2, // the first line is not kVersionTag; nothing changed
};

// Reads the settings file at `path` into `record`. Values the file does not give, or gives
// unreadably, keep what `record` held (normally the defaults); values outside the range
// their users can cope with are replaced by their defaults. Never throws.
LoadResult loadSettingsFile(const std::string& path, SettingsRecord& record);

// The complete text of a settings file for `record`.
std::string settingsFileText(const SettingsRecord& record);

// Writes the settings file at `path`, replacing the old one only when the new one was
// written completely. False when it could not be written. Never throws.
bool saveSettingsFile(const std::string& path, const SettingsRecord& record);

} // namespace settings
