#pragma once
// Line-by-line text of the small configuration files (settings, pen tables):
// reading a file into lines, strict number parsing, fixed-notation output, CR LF joining.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// Longest line kept; the rest of a longer line is dropped. Bounds memory on garbage input.
constexpr std::size_t kMaxLineLength = 8192;
// Largest part of a file that is read; anything beyond is treated as absent.
constexpr std::size_t kMaxFileBytes = 4u << 20;

// The lines of a text file with LF or CR LF ends (the CR is removed), or nothing when the
// file cannot be opened or is no regular file (a folder, FIFO or device). A last line without an
// end still counts; an empty file has no lines.
std::optional<std::vector<std::string>> readTextLines(const std::string& path);

// A whole line as a decimal integer: optional blanks around, optional sign, digits only.
// Nothing on empty text, other characters, or a value outside the 64-bit range.
std::optional<int64_t> parseInteger(std::string_view text);

// parseInteger narrowed to the signed 32-bit range (nothing outside it).
std::optional<int32_t> parseInt32(std::string_view text);

// A whole line as a finite real ("1.5", "-2", "3e2", " 40.000"); nothing otherwise.
// Always uses "." as decimal point, whatever the process locale.
std::optional<double> parseReal(std::string_view text);

// "%*.*f" of `value` with the decimal point ".", independent of the process locale.
std::string formatFixed(double value, int width, int decimals);

// `text` cut at its first CR or LF, so that it can never spill over into a second line.
std::string singleLine(std::string_view text);

// Appends `line` and CR LF to `out`.
void appendLine(std::string& out, std::string_view line);

} // namespace settings
