#include "archive_type.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <unistd.h>

#include "interp/regular_file.h"

namespace archives {

namespace {

uint8_t byteAt(std::string_view s, std::size_t i) {
    return static_cast<uint8_t>(s[i]);
}

uint32_t le16(std::string_view s, std::size_t i) {
    return byteAt(s, i) | byteAt(s, i + 1) << 8;
}

uint32_t le32(std::string_view s, std::size_t i) {
    return le16(s, i) | static_cast<uint32_t>(le16(s, i + 2)) << 16;
}

bool startsAt(std::string_view s, std::size_t pos, std::string_view magic) {
    return s.size() >= pos + magic.size() && s.compare(pos, magic.size(), magic) == 0;
}

std::string lowerExtension(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// A tar header block: the POSIX or GNU magic, or (old tar) a header checksum that adds up.
bool isTarHeader(std::string_view s) {
    if (s.size() < 512) return false;
    if (startsAt(s, 257, "ustar")) return true;
    uint32_t stored = 0;
    bool digits = false;
    for (std::size_t i = 148; i < 156; ++i) {
        char c = s[i];
        if (c >= '0' && c <= '7') {
            stored = stored * 8 + static_cast<uint32_t>(c - '0');
            digits = true;
        } else if (c != ' ' && c != '\0') {
            return false;
        }
    }
    uint32_t sum = 0;
    for (std::size_t i = 0; i < 512; ++i)
        sum += (i >= 148 && i < 156) ? ' ' : byteAt(s, i);
    return digits && sum == stored && s[0] != '\0';
}

uint32_t crc32(std::string_view s, std::size_t from, std::size_t count) {
    uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < from + count; ++i) {
        crc ^= byteAt(s, i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

bool isRarAt(std::string_view s, std::size_t pos) {
    using namespace std::string_view_literals;
    return startsAt(s, pos, "Rar!\x1a\x07\x00"sv) || startsAt(s, pos, "Rar!\x1a\x07\x01\x00"sv);
}

// An ARJ main header: its signature, a plausible size and a CRC-32 that matches.
bool isArjAt(std::string_view s, std::size_t pos) {
    if (!startsAt(s, pos, "\x60\xEA")) return false;
    if (s.size() < pos + 4) return false;
    uint32_t size = le16(s, pos + 2);
    if (size == 0 || size > 2600 || s.size() < pos + 4 + size + 4) return false;
    return crc32(s, pos + 4, size) == le32(s, pos + 4 + size);
}

bool isCabAt(std::string_view s, std::size_t pos) {
    using namespace std::string_view_literals;
    return startsAt(s, pos, "MSCF\0\0\0\0"sv) && s.size() >= pos + 26 && byteAt(s, pos + 24) == 3 &&
           byteAt(s, pos + 25) == 1;
}

bool isZipAt(std::string_view s, std::size_t pos) {
    if (startsAt(s, pos, "PK\x03\x04")) return s.size() >= pos + 6 && le16(s, pos + 4) < 100;
    return pos == 0 && startsAt(s, pos, "PK\x05\x06"); // an empty archive
}

// An LZH member header: the method name, a known header level, and for levels 0 and 1 the
// header checksum, for levels 2 and 3 the fixed attribute byte.
bool isLzhAt(std::string_view s, std::size_t pos) {
    if (s.size() < pos + 22 || s[pos + 2] != '-' || s[pos + 3] != 'l' || s[pos + 6] != '-')
        return false;
    char family = s[pos + 4];
    char method = s[pos + 5];
    bool known = (family == 'h' && ((method >= '0' && method <= '7') || method == 'd')) ||
                 (family == 'z' && (method == 's' || method == '4' || method == '5'));
    if (!known) return false;
    uint8_t level = byteAt(s, pos + 20);
    if (level == 2 || level == 3) return byteAt(s, pos + 19) == 0x20;
    if (level > 1) return false;
    std::size_t headerSize = byteAt(s, pos);
    if (headerSize < 20 || s.size() < pos + 2 + headerSize) return false;
    uint8_t sum = 0;
    for (std::size_t i = pos + 2; i < pos + 2 + headerSize; ++i)
        sum = static_cast<uint8_t>(sum + byteAt(s, i));
    return sum == byteAt(s, pos + 1);
}

bool foundIn(std::string_view s, bool searchAll, bool (*test)(std::string_view, std::size_t)) {
    if (!searchAll) return test(s, 0);
    for (std::size_t pos = 0; pos < s.size(); ++pos)
        if (test(s, pos)) return true;
    return false;
}

} // namespace

ArchiveType typeFromFileName(const std::string& path) {
    std::string ext = lowerExtension(path);
    if (ext == ".z" || ext == ".gz" || ext == ".tgz" || ext == ".taz") return ArchiveType::Tgz;
    if (ext == ".tar") return ArchiveType::Tar;
    if (ext == ".bz2") return ArchiveType::Bz2;
    if (ext == ".rar") return ArchiveType::Rar;
    if (ext == ".arj") return ArchiveType::Arj;
    if (ext == ".zip") return ArchiveType::Zip;
    if (ext == ".cab") return ArchiveType::Cab;
    if (ext == ".lzh") return ArchiveType::Lzh;
    return ArchiveType::Probe;
}

ArchiveType probeArchiveType(std::string_view head) {
    ArchiveType type = ArchiveType::Probe;
    if (startsAt(head, 0, "\x1f\x8b") || startsAt(head, 0, "\x1f\x9d"))
        type = ArchiveType::Tgz;
    else if (startsAt(head, 0, "BZh") && head.size() > 3 && head[3] >= '1' && head[3] <= '9')
        type = ArchiveType::Bz2;
    else if (isTarHeader(head))
        type = ArchiveType::Tar;

    bool program = startsAt(head, 0, "MZ");
    if (foundIn(head, program, isRarAt)) type = ArchiveType::Rar;
    if (foundIn(head, program, isArjAt)) type = ArchiveType::Arj;
    if (foundIn(head, program, isCabAt)) type = ArchiveType::Cab;
    if (foundIn(head, program, isZipAt)) type = ArchiveType::Zip;
    if (foundIn(head, program, isLzhAt)) type = ArchiveType::Lzh;
    return type;
}

ArchiveType probeArchiveFile(const std::string& path) {
    // Only a regular file is read: a FIFO or device would block or never end.
    int error = 0;
    const int fd = interp::openRegularFile(path, error);
    if (fd < 0) return ArchiveType::Probe;
    std::string head(kProbeBytes, '\0');
    std::size_t got = 0;
    while (got < head.size()) {
        const ssize_t n = ::read(fd, head.data() + got, head.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    head.resize(got);
    return probeArchiveType(head);
}

} // namespace archives
