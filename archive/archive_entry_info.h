#pragma once
// What the archive layer knows about an archive's format and about one of its entries.

#include <cstddef>
#include <cstdint>
#include <string>

namespace archives {

// The archive format; the numbers are the persisted type byte of an archive object.
enum class ArchiveType : uint8_t {
    Lzh = 0,
    Zip = 1,
    Cab = 2,
    Arj = 3,
    Tar = 4,
    Tgz = 5, // gzip or compress filtered tar (.gz, .z, .tgz, .taz)
    Bz2 = 6, // bzip2 filtered tar
    Rar = 7,
    Probe = 8, // not told by the name: the contents decide at first use
    Unset = 9, // a new archive object before a file name is set
};

enum class EntryKind {
    File,      // a plain file: the only kind that is ever extracted
    Directory, // a folder entry
    Link,      // a symbolic or hard link
    Special,   // a device, pipe or socket
};

struct ArchiveEntry {
    std::size_t index = 0; // position in the archive, every entry counted from 0
    std::string path;      // path inside the archive, UTF-8 (legacy Shift-JIS names converted)
    EntryKind kind = EntryKind::File;
    int64_t size = -1;      // uncompressed size in bytes as the header states it; -1 unknown
    bool encrypted = false; // the data needs a password
};

} // namespace archives
