#pragma once
// Telling an archive's format: first from the file name, and when the name does not tell (or
// names a program, which may be a self-extracting archive) from the leading bytes.

#include <string>
#include <string_view>

#include "archive/archive_entry_info.h"

namespace archives {

// The type a file name gives, its extension compared without regard to case: ".z", ".gz",
// ".tgz", ".taz" Tgz; ".tar" Tar; ".bz2" Bz2; ".rar" Rar; ".arj" Arj; ".zip" Zip; ".cab" Cab;
// ".lzh" Lzh; anything else (".exe" included) Probe.
ArchiveType typeFromFileName(const std::string& path);

// The type the leading bytes of a file show; Probe when they show none. Compression and tar
// signatures are looked for first, then RAR, ARJ, CAB, ZIP and LZH, each found one overriding
// the previous result, so that LZH wins over all. At the start of the bytes every signature
// is looked for; in a program ("MZ") the whole of `head` is searched, for the archive that a
// self-extracting program carries behind its code.
ArchiveType probeArchiveType(std::string_view head);

// How many leading bytes of a file probeArchiveType() is given.
inline constexpr std::size_t kProbeBytes = 1024 * 1024;

// probeArchiveType() on the first kProbeBytes of the file; Probe when it cannot be read.
ArchiveType probeArchiveFile(const std::string& path);

} // namespace archives
