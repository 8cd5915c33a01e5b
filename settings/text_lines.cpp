#include "text_lines.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>
#include <unistd.h>

#include "interp/regular_file.h"

namespace settings {

namespace {

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::optional<std::vector<std::string>> readTextLines(const std::string& path) {
    // Only a regular file counts: a FIFO or a device would block or never end.
    int error = 0;
    const int fd = interp::openRegularFile(path, error);
    if (fd < 0) return std::nullopt;
    std::string data;
    char chunk[16384];
    bool failed = false;
    while (data.size() < kMaxFileBytes) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            failed = got < 0;
            break;
        }
        data.append(chunk, std::min(static_cast<std::size_t>(got), kMaxFileBytes - data.size()));
    }
    ::close(fd);
    if (failed) return std::nullopt;

    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < data.size()) {
        std::size_t end = data.find('\n', pos);
        std::size_t next = end == std::string::npos ? data.size() : end + 1;
        std::size_t stop = end == std::string::npos ? data.size() : end;
        if (stop > pos && data[stop - 1] == '\r') --stop;
        std::size_t len = stop - pos;
        if (len > kMaxLineLength) len = kMaxLineLength;
        lines.emplace_back(data, pos, len);
        pos = next;
    }
    return lines;
}

std::optional<int64_t> parseInteger(std::string_view text) {
    std::string_view s = trimBlanks(text);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    int64_t v = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

std::optional<int32_t> parseInt32(std::string_view text) {
    std::optional<int64_t> v = parseInteger(text);
    if (!v || *v < std::numeric_limits<int32_t>::min() || *v > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(*v);
}

std::optional<double> parseReal(std::string_view text) {
    std::string_view s = trimBlanks(text);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    double v = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string formatFixed(double value, int width, int decimals) {
    if (!std::isfinite(value)) value = 0.0;
    char buf[400];
    auto [ptr, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string s = ec == std::errc() ? std::string(buf, ptr) : std::string("0");
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}

std::string singleLine(std::string_view text) {
    std::size_t cut = text.find_first_of("\r\n");
    return std::string(text.substr(0, cut));
}

void appendLine(std::string& out, std::string_view line) {
    out.append(line);
    out.append("\r\n");
}

} // namespace settings
