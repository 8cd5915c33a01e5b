#include "entry_name.h"

#include <cstdio>

namespace archives {

namespace {

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Bytes of the UTF-8 character starting at `name[i]` (1 for a stray byte).
std::size_t charLength(std::string_view name, std::size_t i) {
    std::size_t n = 1;
    while (i + n < name.size() && (static_cast<unsigned char>(name[i + n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

bool matchFrom(std::string_view name, std::size_t ni, std::string_view mask, std::size_t mi) {
    // Classic wildcard walk with one remembered star: linear in practice, never recursive.
    std::size_t starMask = std::string_view::npos, starName = 0;
    while (ni < name.size()) {
        if (mi < mask.size() && mask[mi] == '*') {
            starMask = ++mi;
            starName = ni;
        } else if (mi < mask.size() && mask[mi] == '?') {
            ++mi;
            ni += charLength(name, ni);
        } else if (mi < mask.size() && lowerAscii(mask[mi]) == lowerAscii(name[ni])) {
            ++mi;
            ++ni;
        } else if (starMask != std::string_view::npos) {
            mi = starMask;
            starName += charLength(name, starName);
            ni = starName;
        } else {
            return false;
        }
    }
    while (mi < mask.size() && mask[mi] == '*')
        ++mi;
    return mi == mask.size();
}

} // namespace

std::string_view lastComponent(std::string_view path) {
    std::size_t cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::optional<std::string> safeFileName(std::string_view entryPath) {
    std::string_view name = lastComponent(entryPath);
    if (name.empty() || name == "." || name == ".." || name.size() > 255) return std::nullopt;
    for (unsigned char c : name)
        if (isControl(c)) return std::nullopt;
    return std::string(name);
}

bool matchesMask(std::string_view entryPath, std::string_view mask) {
    if (mask == "*.*") return true;
    return matchFrom(lastComponent(entryPath), 0, mask, 0);
}

std::string printableName(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (unsigned char c : path) {
        if (isControl(c)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace archives
