#include "regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace interp {

int openRegularFile(const std::string& path, int& error) {
    // Non-blocking so that opening a FIFO without a writer returns at once; the flag is
    // cleared again before anything is read.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = errno ? errno : EIO;
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        error = errno ? errno : EIO;
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        error = errno ? errno : EIO;
        ::close(fd);
        return -1;
    }
    return fd;
}

std::FILE* openRegularFileStream(const std::string& path, int& error) {
    const int fd = openRegularFile(path, error);
    if (fd < 0) return nullptr;
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        error = errno ? errno : EIO;
        ::close(fd);
    }
    return f;
}

} // namespace interp
