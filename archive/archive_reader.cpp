#include "archive_reader.h"

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>
#include <unistd.h>

#include <cstring>

#include "archive/archive_error.h"
#include "interp/regular_file.h"

namespace archives {

namespace {

// libarchive converts names into the character set of the current locale. A UTF-8 locale
// for this thread only, for the life of a pass, makes that UTF-8 whatever the program's
// locale is (the C locale would turn every non-ASCII name into an error).
locale_t utf8Locale() {
    for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
        locale_t l = newlocale(LC_ALL_MASK, name, nullptr);
        if (l != nullptr) return l;
    }
    return nullptr;
}

bool isValidUtf8(const char* s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    while (*p) {
        unsigned char c = *p;
        int follow = c < 0x80         ? 0
                     : (c >> 5) == 6  ? 1
                     : (c >> 4) == 14 ? 2
                     : (c >> 3) == 30 ? 3
                                      : -1;
        if (follow < 0 || (follow == 1 && c < 0xC2)) return false;
        ++p;
        for (int i = 0; i < follow; ++i, ++p)
            if ((*p & 0xC0) != 0x80) return false;
    }
    return true;
}

EntryKind kindOf(struct archive_entry* e) {
    if (archive_entry_hardlink(e) != nullptr) return EntryKind::Link;
    switch (archive_entry_filetype(e)) {
    case AE_IFREG:
        return EntryKind::File;
    case AE_IFDIR:
        return EntryKind::Directory;
    case AE_IFLNK:
        return EntryKind::Link;
    default:
        return EntryKind::Special;
    }
}

} // namespace

bool readersAvailable(const ReaderFormats& formats) {
    struct archive* a = archive_read_new();
    if (a == nullptr) return false;
    bool ok = true;
    for (auto enable : formats.formats)
        ok = ok && enable(a) == ARCHIVE_OK;
    // A filter that falls back to an external program still reads (ARCHIVE_WARN).
    for (auto enable : formats.filters)
        ok = ok && enable(a) >= ARCHIVE_WARN;
    archive_read_free(a);
    return ok;
}

ReaderPass::ReaderPass(const ReaderFormats& formats, const std::string& path,
                       const std::string& legacyCharset)
    : path_(path) {
    locale_ = utf8Locale();
    if (locale_ != nullptr) oldLocale_ = uselocale(locale_);
    archive_ = archive_read_new();
    if (archive_ == nullptr) {
        release();
        throw ArchiverError(ArchiverErrorKind::Damaged, path + ": out of memory");
    }
    for (auto enable : formats.formats)
        enable(archive_);
    for (auto enable : formats.filters)
        enable(archive_);
    if (!legacyCharset.empty())
        archive_read_set_options(archive_, ("hdrcharset=" + legacyCharset).c_str());
    // Only a regular file: a FIFO or device named as the archive would block or never end.
    int error = 0;
    const int fd = interp::openRegularFile(path, error);
    if (fd < 0) {
        release();
        throw ArchiverError(ArchiverErrorKind::Damaged,
                            path + ": cannot be opened (" + std::strerror(error) + ")");
    }
    fd_ = fd;
    if (archive_read_open_fd(archive_, fd, 64 * 1024) != ARCHIVE_OK) {
        std::string why = failure("cannot be opened");
        release();
        throw ArchiverError(ArchiverErrorKind::Damaged, why);
    }
}

ReaderPass::~ReaderPass() {
    release();
}

void ReaderPass::release() {
    if (archive_ != nullptr) archive_read_free(archive_);
    archive_ = nullptr;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (locale_ != nullptr) {
        uselocale(oldLocale_);
        freelocale(locale_);
    }
    locale_ = nullptr;
}

std::string ReaderPass::failure(const char* what) const {
    const char* detail = archive_ != nullptr ? archive_error_string(archive_) : nullptr;
    std::string text = what;
    if (detail != nullptr && *detail != '\0') text += std::string(" (") + detail + ")";
    return text;
}

bool ReaderPass::next(ArchiveEntry& entry) {
    struct archive_entry* e = nullptr;
    int r = archive_read_next_header(archive_, &e);
    if (r == ARCHIVE_EOF) return false;
    if (r < ARCHIVE_WARN) throw ArchiverError(ArchiverErrorKind::Damaged, failure("bad header"));
    const char* name = archive_entry_pathname_utf8(e);
    if (name == nullptr || !isValidUtf8(name))
        throw ArchiverError(ArchiverErrorKind::Damaged, failure("an entry name cannot be read"));
    entry.index = nextIndex_++;
    entry.path = name;
    entry.kind = kindOf(e);
    entry.size = archive_entry_size_is_set(e) ? archive_entry_size(e) : -1;
    entry.encrypted = archive_entry_is_data_encrypted(e) != 0;
    return true;
}

void ReaderPass::readData(const std::function<void(const char*, std::size_t)>& sink) {
    // archive_read_data() fills the holes of sparse entries with zeros, so the sink sees the
    // whole file in order.
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        la_ssize_t n = archive_read_data(archive_, buffer.data(), buffer.size());
        if (n == 0) return;
        if (n < 0) throw ArchiverError(ArchiverErrorKind::Damaged, failure("bad data"));
        sink(buffer.data(), static_cast<std::size_t>(n));
    }
}

} // namespace archives
