#pragma once
// An archiver: the reader (and, where a format offers it, the writer) of one archive format.
// Every operation raises ArchiverError on failure; the base versions of the operations a
// format does not offer raise the fixed "not supported" texts.

#include <memory>
#include <string>
#include <vector>

#include "archive/archive_entry_info.h"

namespace archives {

class Archiver {
  public:
    virtual ~Archiver() = default;

    virtual ArchiveType type() const = 0;

    // Every entry of the archive in order, read from the headers only. Throws (Damaged) when
    // the archive cannot be read to its end.
    virtual std::vector<ArchiveEntry> list(const std::string& archivePath) = 0;

    // Full check: every header is read and every readable entry's data decompressed and
    // verified. False when anything fails; never throws for a damaged archive.
    virtual bool check(const std::string& archivePath);

    // Writes the plain-file entry `entry` (as list() gave it) into `destFolder` under its bare
    // file name and returns the path written. Throws (Extraction, Damaged) when the entry
    // cannot be written; nothing is left behind then. Nothing is ever written outside
    // `destFolder`.
    virtual std::string extract(const std::string& archivePath, const ArchiveEntry& entry,
                                const std::string& destFolder) = 0;

    // Writing operations; no archiver of this build offers them.
    virtual void add(const std::string& archivePath, const std::vector<std::string>& files);
    virtual void remove(const std::string& archivePath, const std::vector<std::string>& names);
    virtual void update(const std::string& archivePath, const std::vector<std::string>& files);
    virtual void makeSelfExtracting(const std::string& archivePath, const std::string& program);
};

// The archiver for `type`, one per format, each reading through libarchive. Raises
// UnsupportedFormat for ARJ, UnknownFormat for Probe and Unset, and ReaderMissing (with the
// format's own text) when libarchive was built without the format's reader.
std::unique_ptr<Archiver> createArchiver(ArchiveType type);

} // namespace archives
