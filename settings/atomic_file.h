#pragma once
// Replacing a file only once its new contents are safely on disk, so that a crash or a
// full disk in the middle of a save never leaves a half-written or empty file behind.

#include <string>

namespace settings {

// Writes `contents` to a new temporary file in the folder of `path`, flushes it to disk and
// renames it over `path`. Returns false (and removes the temporary file, leaving any old
// `path` untouched) when any step fails. Never throws.
bool writeFileAtomically(const std::string& path, const std::string& contents);

} // namespace settings
