#pragma once
// The one reader over libarchive that every archiver uses: a single pass through an archive,
// header by header, with each entry's data read or skipped. Names come out as UTF-8 whatever
// the process locale is; legacy names (Shift-JIS in LZH and ZIP archives from Japanese
// systems) are converted from the code page the pass is opened with.

#include <cstddef>
#include <functional>
#include <locale.h>
#include <string>
#include <vector>

#include "archive/archive_entry_info.h"

struct archive;
struct archive_entry;

namespace archives {

// Which libarchive readers a format needs.
struct ReaderFormats {
    std::vector<int (*)(struct archive*)> formats;
    std::vector<int (*)(struct archive*)> filters;
};

// Whether libarchive offers every reader of `formats`.
bool readersAvailable(const ReaderFormats& formats);

class ReaderPass {
  public:
    // Opens `path` for one pass. `legacyCharset` (e.g. "CP932"), when not empty, is the code
    // page of names that the archive does not mark as Unicode. Throws ArchiverError (Damaged)
    // when the file cannot be opened or is not of the format.
    ReaderPass(const ReaderFormats& formats, const std::string& path,
               const std::string& legacyCharset);
    ~ReaderPass();
    ReaderPass(const ReaderPass&) = delete;
    ReaderPass& operator=(const ReaderPass&) = delete;

    // Reads the next header into `entry`; false at the end of the archive. Throws (Damaged)
    // when a header cannot be read or its name cannot be decoded.
    bool next(ArchiveEntry& entry);

    // Hands the data of the current entry to `sink` block by block (the sink may throw, and
    // the pass is then left unusable). Throws (Damaged) on a read, decompression or checksum
    // error.
    void readData(const std::function<void(const char* data, std::size_t size)>& sink);

  private:
    std::string failure(const char* what) const;
    void release();

    locale_t locale_ = nullptr; // the UTF-8 locale in use on this thread during the pass
    locale_t oldLocale_ = nullptr;
    struct archive* archive_ = nullptr;
    int fd_ = -1; // the archive file, read through archive_
    std::string path_;
    std::size_t nextIndex_ = 0;
};

} // namespace archives
