#pragma once
// Replacing a file only once its new contents are safely on disk, so that a crash or a
// full disk in the middle of a save never leaves a half-written or empty file behind, and
// the clean-up of the temporaries that a killed save leaves.

#include <cstddef>
#include <string>
#include <string_view>

namespace settings {

// What OutputFile does with a name that exists but is no regular file (a FIFO, a device
// such as /dev/null or /dev/full, a terminal).
enum class SpecialFiles {
    Refuse,        // fail with EINVAL: settings and pen tables are only ever regular files
    WriteDirectly, // write into it as it is (the command-line tools, like any Unix tool)
};

// One output file. A regular file, or a name that does not exist yet, is written as a
// temporary file "<name>.tmp<pid>.<8 hex digits>" beside it that commit() flushes to disk
// and renames into place; without a successful commit() the temporary file is removed and
// any old file stays untouched. A symbolic link is followed: its final target is replaced
// and the link stays. An existing regular file with no write permission is left alone
// (open() fails with EACCES). A replaced file keeps its permissions. Never throws.
class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // False with error() set when the file cannot be started.
    bool open(const std::string& path, SpecialFiles special);
    // Writes all of `data`; false (and nothing more is written) after any failure.
    bool write(std::string_view data);
    // Flushes, closes and renames into place, then syncs the folder. False on any failure
    // of this or an earlier step, the old file untouched then.
    bool commit();

    // errno of the first failure; 0 when none.
    int error() const { return error_; }

  private:
    void fail(int error);
    void discard();

    int fd_ = -1;
    bool direct_ = false; // written in place (a special file)
    int error_ = 0;
    std::string target_; // the file replaced: `path` with its links followed
    std::string temp_;   // the temporary file; empty when written directly
};

// Writes `contents` to `path` through OutputFile (special files refused). Returns false
// (leaving any old `path` untouched) when any step fails.
bool writeFileAtomically(const std::string& path, const std::string& contents);

// True when `name` (without folder) is a temporary file name of OutputFile; `pid` is then
// the process that wrote it.
bool isTemporaryName(std::string_view name, long& pid);

// True when `name` is a temporary file name of OutputFile (or a folder named the same way)
// whose writing process no longer runs.
bool isStaleTemporaryName(std::string_view name);

// Removes from `folder` the temporary files of OutputFile whose writing process no longer
// runs (a save that was killed). Files of other users and of running processes stay.
// Returns how many were removed.
int removeStaleTemporaries(const std::string& folder);

} // namespace settings
