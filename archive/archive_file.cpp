#include "archive_file.h"

#include "archive/archive_error.h"
#include "archive/archive_type.h"
#include "archive/entry_name.h"

namespace archives {

void ArchiveFile::setFileName(const std::string& path) {
    close();
    archiver_.reset();
    fileName_ = path;
    type_ = typeFromFileName(path);
}

Archiver& ArchiveFile::archiver() {
    if (!archiver_) {
        if (type_ == ArchiveType::Probe) type_ = probeArchiveFile(fileName_);
        archiver_ = createArchiver(type_);
    }
    return *archiver_;
}

bool ArchiveFile::check() {
    return archiver().check(fileName_);
}

void ArchiveFile::open() {
    entries_ = archiver().list(fileName_);
    open_ = true;
    cursor_ = 0;
}

bool ArchiveFile::findFirst(const std::string& mask, ArchiveEntry& entry) {
    if (!open_) open();
    mask_ = mask;
    cursor_ = 0;
    return findNext(entry);
}

bool ArchiveFile::findNext(ArchiveEntry& entry) {
    while (open_ && cursor_ < entries_.size()) {
        const ArchiveEntry& candidate = entries_[cursor_++];
        if (matchesMask(candidate.path, mask_)) {
            entry = candidate;
            return true;
        }
    }
    return false;
}

void ArchiveFile::close() {
    open_ = false;
    entries_.clear();
    cursor_ = 0;
}

std::string ArchiveFile::extract(const ArchiveEntry& entry, const std::string& destFolder) {
    return archiver().extract(fileName_, entry, destFolder);
}

} // namespace archives
