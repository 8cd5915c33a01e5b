#pragma once
// The archive object: one archive file, its type, and the archiver for that type, with the
// operations in the order the open flow uses them: check, open, find first / find next,
// close, extract. Raises ArchiverError; the functions of open_from_archive.h catch it.

#include <memory>
#include <string>
#include <vector>

#include "archive/archive_entry_info.h"
#include "archive/archiver.h"

namespace archives {

class ArchiveFile {
  public:
    ArchiveFile() = default;
    explicit ArchiveFile(const std::string& path) { setFileName(path); }

    // Names the archive file and types it from the name (see typeFromFileName()); the
    // archiver of an earlier name is dropped.
    void setFileName(const std::string& path);
    const std::string& fileName() const { return fileName_; }
    // Unset before a file name is set; Probe until the contents were looked at.
    ArchiveType type() const { return type_; }

    // The archiver for the type, created on first use; a Probe type is first settled from the
    // file's contents. Raises UnknownFormat, UnsupportedFormat or ReaderMissing.
    Archiver& archiver();

    // Full check of the archive; false when it is damaged or cannot be read.
    bool check();

    // Reads the entry list; raises Damaged when the archive cannot be read to its end.
    void open();
    bool isOpen() const { return open_; }
    // The first entry (any kind) whose name matches `mask` (see matchesMask()); false when
    // there is none. Opens the archive first when it is not open.
    bool findFirst(const std::string& mask, ArchiveEntry& entry);
    // The next matching entry after the last one found; false when there is none.
    bool findNext(ArchiveEntry& entry);
    void close();

    // Extracts `entry` (as found above) into `destFolder` under its bare file name and
    // returns the path written; raises Extraction or Damaged, leaving nothing behind.
    std::string extract(const ArchiveEntry& entry, const std::string& destFolder);

  private:
    std::string fileName_;
    ArchiveType type_ = ArchiveType::Unset;
    std::unique_ptr<Archiver> archiver_;
    bool open_ = false;
    std::vector<ArchiveEntry> entries_;
    std::string mask_;
    std::size_t cursor_ = 0; // the entry findNext() looks at first
};

} // namespace archives
