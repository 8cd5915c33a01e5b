#include "atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace settings {

namespace {

// Opens a fresh temporary file beside `path`; -1 when none could be created.
int createTemporary(const std::string& path, std::string& tmpPath) {
    std::random_device rd;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".tmp%ld.%08x", static_cast<long>(getpid()), rd());
        tmpPath = path + suffix;
        // 0666 lets the user's umask decide the permissions, as for any new file.
        int fd = ::open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) return -1;
    }
    return -1;
}

bool writeAll(int fd, const std::string& contents) {
    const char* p = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool writeFileAtomically(const std::string& path, const std::string& contents) {
    std::string tmpPath;
    int fd = createTemporary(path, tmpPath);
    if (fd < 0) return false;
    bool ok = writeAll(fd, contents) && ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (ok && ::rename(tmpPath.c_str(), path.c_str()) == 0) return true;
    ::unlink(tmpPath.c_str());
    return false;
}

} // namespace settings
