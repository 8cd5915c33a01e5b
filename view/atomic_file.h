#pragma once
// Writing a whole picture file safely through the settings layer's
// OutputFile: the bytes go to a temporary file beside the target, every write,
// the flush and the close are checked, and only then does the temporary file
// take the target's name. No Qt.

#include <cstddef>
#include <cstdint>
#include <string>

namespace view {

enum class WriteStatus : uint8_t {
    Ok,
    CannotCreate, // no temporary file could be made in the target's folder
    WriteFailed,  // a write or the close failed (disk full, I/O error)
    CannotRename, // the temporary file could not take the target's name
};

struct WriteResult {
    WriteStatus status = WriteStatus::Ok;
    int error = 0; // errno of the failing call, 0 on success

    bool ok() const { return status == WriteStatus::Ok; }
    // "cannot create a temporary file: Permission denied" and the like.
    std::string message() const;
};

// Writes `size` bytes to `path`. On any failure the temporary file is removed
// and the target is left as it was. A new file gets 0666 less the umask; an
// existing target's permission bits are kept; a pipe or device is written
// directly.
WriteResult writeFileAtomically(const std::string& path, const void* data, size_t size);

} // namespace view
