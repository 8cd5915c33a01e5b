#pragma once
// The five recent files, most recent first: the two ways a name is put on top.

#include <array>
#include <string>

namespace app {

using RecentFiles = std::array<std::string, 5>;

// Puts `name` on top unless it already is the first entry (entries further
// down are not searched, so a name can stand twice).
void pushRecentIfNew(RecentFiles& recent, const std::string& name);
// Puts `name` on top without comparing (the file opened at start-up).
void pushRecent(RecentFiles& recent, const std::string& name);

} // namespace app
