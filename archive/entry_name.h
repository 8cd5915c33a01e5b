#pragma once
// Entry names from inside an archive: matching them against a mask, reducing them to a name
// that is safe to create in the scratch folder, and showing them in messages.

#include <optional>
#include <string>
#include <string_view>

namespace archives {

// The last component of `path`, cut after both "/" and "\". Never empty for a file entry
// unless the path ends in a separator.
std::string_view lastComponent(std::string_view path);

// The name under which an entry is written: its last component. Refused (nullopt) when that
// is empty, ".", "..", longer than 255 bytes, or holds a control byte (below 0x20, or 0x7F).
std::optional<std::string> safeFileName(std::string_view entryPath);

// Whether the last component of `entryPath` matches `mask`: "*" stands for any run of
// characters, "?" for one character, letters compare without regard to ASCII case, and "*.*"
// matches every name (dot or not), as archivers on DOS and Windows have it.
bool matchesMask(std::string_view entryPath, std::string_view mask);

// `path` with every control byte written as "\xNN", for messages and lists.
std::string printableName(std::string_view path);

} // namespace archives
