#include "extract_entry.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/statvfs.h>
#include <unistd.h>

#include "archive/archive_error.h"
#include "archive/archive_reader.h"
#include "archive/entry_name.h"

namespace archives {

namespace {

[[noreturn]] void refuse(const ArchiveEntry& entry, const std::string& why) {
    throw ArchiverError(ArchiverErrorKind::Extraction,
                        "Cannot extract \"" + printableName(entry.path) + "\": " + why);
}

std::string systemError(int error) {
    if (error == ENOSPC || error == EDQUOT || error == EFBIG) return "the disk is full";
    return std::strerror(error);
}

// A folder opened for the *at() calls, closed again at scope exit.
class FolderHandle {
  public:
    explicit FolderHandle(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) {}
    ~FolderHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

// The temporary file the data goes to; removed at scope exit unless renamed into place.
class PartFile {
  public:
    explicit PartFile(int folder) : folder_(folder) {
        std::random_device rd;
        for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
            char name[64];
            std::snprintf(name, sizeof name, ".extract-%ld-%08x.part", static_cast<long>(getpid()),
                          rd());
            fd_ =
                ::openat(folder_, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd_ >= 0)
                name_ = name;
            else if (errno != EEXIST)
                break;
        }
    }
    ~PartFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!name_.empty()) ::unlinkat(folder_, name_.c_str(), 0);
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // 0, or the errno of the failed write.
    int write(const char* data, std::size_t size) {
        while (size > 0) {
            ssize_t n = ::write(fd_, data, size);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return n < 0 ? errno : ENOSPC;
            data += n;
            size -= static_cast<std::size_t>(n);
        }
        return 0;
    }

    // Closes the file and renames it to `finalName`; 0 or the errno of the failed step.
    int commit(const std::string& finalName) {
        int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) return errno;
        if (::renameat(folder_, name_.c_str(), folder_, finalName.c_str()) != 0) return errno;
        name_.clear();
        return 0;
    }

  private:
    int folder_;
    int fd_ = -1;
    std::string name_;
};

} // namespace

void checkExtractable(const ArchiveEntry& entry) {
    if (entry.kind == EntryKind::Link || entry.kind == EntryKind::Special)
        refuse(entry, "links and special files are never extracted");
    if (entry.kind != EntryKind::File) refuse(entry, "it is a folder");
    if (!safeFileName(entry.path)) refuse(entry, "its name is not a usable file name");
    if (entry.encrypted) refuse(entry, "it is encrypted");
}

std::string writeEntry(ReaderPass& pass, const ArchiveEntry& entry, const std::string& destFolder) {
    checkExtractable(entry);
    std::string name = *safeFileName(entry.path);

    FolderHandle folder(destFolder);
    if (folder.fd() < 0)
        refuse(entry,
               "the folder " + destFolder + " cannot be used (" + std::strerror(errno) + ")");
    struct statvfs fs {};
    if (entry.size > 0 && ::fstatvfs(folder.fd(), &fs) == 0) {
        unsigned long long available = static_cast<unsigned long long>(fs.f_bavail) *
                                       static_cast<unsigned long long>(fs.f_frsize);
        if (static_cast<unsigned long long>(entry.size) > available)
            refuse(entry, "it needs " + std::to_string(entry.size) + " bytes but only " +
                              std::to_string(available) + " are free in " + destFolder);
    }

    PartFile part(folder.fd());
    if (!part.isOpen())
        refuse(entry,
               "no file can be created in " + destFolder + " (" + std::strerror(errno) + ")");
    int64_t written = 0;
    try {
        pass.readData([&](const char* data, std::size_t size) {
            written += static_cast<int64_t>(size);
            if (entry.size >= 0 && written > entry.size)
                refuse(entry, "its data is longer than its header states");
            if (int error = part.write(data, size); error != 0) refuse(entry, systemError(error));
        });
    } catch (const ArchiverError& e) {
        if (e.kind() != ArchiverErrorKind::Damaged) throw;
        refuse(entry, std::string("the archive is damaged or truncated: ") + e.what());
    }
    if (entry.size >= 0 && written != entry.size)
        refuse(entry, "its data is shorter than its header states");
    if (int error = part.commit(name); error != 0) refuse(entry, systemError(error));
    return destFolder + "/" + name;
}

} // namespace archives
