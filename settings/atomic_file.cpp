#include "atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <random>

namespace settings {

namespace {

// Deepest chain of symbolic links followed, as the kernel's own limit.
constexpr int kMaxLinks = 40;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// `path` with symbolic links followed to the last one's target (which need not exist).
// Empty with `error` set on a loop or an unreadable link.
std::string followLinks(const std::string& path, int& error) {
    std::string p = path;
    for (int depth = 0; depth < kMaxLinks; ++depth) {
        struct stat st;
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(p.c_str(), buf, sizeof buf);
        if (n < 0 || n >= static_cast<ssize_t>(sizeof buf)) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return {};
        }
        std::string target(buf, static_cast<std::size_t>(n));
        p = target.front() == '/' ? target : folderOf(p) + "/" + target;
    }
    error = ELOOP;
    return {};
}

// Opens a fresh temporary file beside `target`; -1 with `error` set when none could be made.
int createTemporary(const std::string& target, std::string& tmpPath, int& error) {
    std::random_device rd;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".tmp%ld.%08x", static_cast<long>(::getpid()),
                      static_cast<unsigned>(rd()));
        tmpPath = target + suffix;
        // 0666 lets the user's umask decide the permissions, as for any new file.
        const int fd =
            ::open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) break;
    }
    error = errno ? errno : EIO;
    tmpPath.clear();
    return -1;
}

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

} // namespace

OutputFile::~OutputFile() {
    discard();
}

void OutputFile::fail(int error) {
    if (error_ == 0) error_ = error ? error : EIO;
}

void OutputFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

bool OutputFile::open(const std::string& path, SpecialFiles special) {
    discard();
    error_ = 0;
    direct_ = false;
    int error = 0;
    target_ = followLinks(path, error);
    if (target_.empty()) {
        fail(error);
        return false;
    }
    struct stat st;
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        if (special == SpecialFiles::Refuse || S_ISDIR(st.st_mode)) {
            fail(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
            return false;
        }
        do {
            fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        } while (fd_ < 0 && errno == EINTR);
        if (fd_ < 0) {
            fail(errno);
            return false;
        }
        direct_ = true;
        return true;
    }
    // A file the user made read-only stays as it is (root passes access(), hence the bits).
    if (exists && ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
                   ::access(target_.c_str(), W_OK) != 0)) {
        fail(EACCES);
        return false;
    }
    fd_ = createTemporary(target_, temp_, error);
    if (fd_ < 0) {
        fail(error);
        return false;
    }
    if (exists) {
        // The new file takes the old one's place: same permissions and, where allowed, owner.
        if (::fchmod(fd_, st.st_mode & 07777) != 0) {
            fail(errno);
            discard();
            return false;
        }
        if (::fchown(fd_, st.st_uid, st.st_gid) != 0) {
            // Only root may give a file away; the user's own file keeps its owner anyway.
        }
    }
    return true;
}

bool OutputFile::write(std::string_view data) {
    if (fd_ < 0 || error_ != 0) {
        fail(EBADF);
        return false;
    }
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            fail(n < 0 ? errno : EIO);
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool OutputFile::commit() {
    if (fd_ < 0) fail(EBADF);
    if (error_ != 0) {
        discard();
        return false;
    }
    if (!direct_ && ::fsync(fd_) != 0) fail(errno);
    if (::close(fd_) != 0 && error_ == 0) fail(errno);
    fd_ = -1;
    if (direct_) return error_ == 0;
    if (error_ != 0 || ::rename(temp_.c_str(), target_.c_str()) != 0) {
        fail(errno);
        discard();
        return false;
    }
    temp_.clear();
    // The rename itself reaches the disk only with its folder.
    const int dir = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool writeFileAtomically(const std::string& path, const std::string& contents) {
    OutputFile out;
    return out.open(path, SpecialFiles::Refuse) && out.write(contents) && out.commit();
}

bool isTemporaryName(std::string_view name, long& pid) {
    // "<name>.tmp<digits>.<8 hex digits>"
    if (name.size() < 14) return false;
    const std::string_view hex = name.substr(name.size() - 8);
    for (char c : hex)
        if (!isHex(c)) return false;
    if (name[name.size() - 9] != '.') return false;
    const std::string_view head = name.substr(0, name.size() - 9);
    std::size_t digits = 0;
    while (digits < head.size() && head[head.size() - 1 - digits] >= '0' &&
           head[head.size() - 1 - digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 9) return false;
    const std::string_view before = head.substr(0, head.size() - digits);
    if (before.size() < 5 || before.substr(before.size() - 4) != ".tmp") return false;
    long value = 0;
    for (char c : head.substr(head.size() - digits))
        value = value * 10 + (c - '0');
    pid = value;
    return true;
}

bool isStaleTemporaryName(std::string_view name) {
    long pid = 0;
    if (!isTemporaryName(name, pid) || pid <= 0 || pid == ::getpid()) return false;
    // A process that still runs may be in the middle of its save.
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

int removeStaleTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* e = ::readdir(dir)) {
        if (!isStaleTemporaryName(e->d_name)) continue;
        const std::string path = folder + "/" + e->d_name;
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        if (::unlink(path.c_str()) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

} // namespace settings
