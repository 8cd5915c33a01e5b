#include "open_from_archive.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#include "archive/archive_error.h"
#include "archive/archive_file.h"

namespace archives {

namespace fs = std::filesystem;

namespace {

bool endsWith(const std::string& s, const char* tail) {
    std::size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

} // namespace

bool isArchivePath(const std::string& path) noexcept {
    if (!endsWith(path, ".lzh") && !endsWith(path, ".zip")) return false;
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

ArchiveListing listArchiveDrawings(const std::string& archivePath,
                                   const std::string& mask) noexcept {
    ArchiveListing listing;
    try {
        ArchiveFile file(archivePath);
        try {
            file.archiver();
        } catch (const ArchiverError& e) {
            listing.status = ListStatus::NotReady;
            listing.message = messages::kNotReady;
            listing.detail = e.what();
            return listing;
        }
        if (!file.check()) {
            listing.status = ListStatus::Abnormal;
            listing.message = messages::kAbnormal;
            listing.detail = archivePath + ": the archive failed its check";
            return listing;
        }
        ArchiveEntry entry;
        for (bool found = file.findFirst(mask, entry); found; found = file.findNext(entry))
            if (entry.kind == EntryKind::File) listing.matches.push_back(entry);
        file.close();
    } catch (const std::exception& e) {
        listing.status = ListStatus::Abnormal;
        listing.message = messages::kAbnormal;
        listing.detail = e.what();
        listing.matches.clear();
        return listing;
    }
    if (listing.matches.empty()) {
        listing.status = ListStatus::NoMatch;
        listing.message = std::string(messages::kNoMatch) + mask;
    }
    return listing;
}

std::string scratchFolder(const std::string& settingsFolder) {
    return (fs::path(settingsFolder) / kScratchFolderName).string();
}

Extraction extractToScratch(const std::string& archivePath, const ArchiveEntry& entry,
                            const std::string& settingsFolder) noexcept {
    Extraction result;
    try {
        std::string folder = scratchFolder(settingsFolder);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            result.message =
                "Cannot create the folder " + folder + " (" + std::strerror(errno) + ")";
            return result;
        }
        ArchiveFile file(archivePath);
        result.path = file.extract(entry, folder);
        result.ok = true;
    } catch (const std::exception& e) {
        result.path.clear();
        result.message = e.what();
    }
    return result;
}

ArchiveOpen openFromArchive(const std::string& path, const std::string& settingsFolder,
                            const std::string& mask) noexcept {
    ArchiveOpen open;
    if (!isArchivePath(path)) return open;
    ArchiveListing listing = listArchiveDrawings(path, mask);
    open.matches = std::move(listing.matches);
    if (listing.status != ListStatus::Listed) {
        open.outcome = ArchiveOpenOutcome::Failed;
        open.message = std::move(listing.message);
        open.detail = std::move(listing.detail);
        return open;
    }
    if (open.matches.size() > 1) {
        open.outcome = ArchiveOpenOutcome::ChooseEntry;
        return open;
    }
    Extraction extraction = extractToScratch(path, open.matches.front(), settingsFolder);
    if (!extraction.ok) {
        open.outcome = ArchiveOpenOutcome::Failed;
        open.message = std::move(extraction.message);
        return open;
    }
    open.outcome = ArchiveOpenOutcome::Extracted;
    open.drawingPath = std::move(extraction.path);
    return open;
}

bool removeExtracted(const std::string& drawingPath) noexcept {
    std::error_code ec;
    return fs::remove(drawingPath, ec) && !ec;
}

std::size_t clearScratchFolder(const std::string& settingsFolder) noexcept {
    std::size_t removed = 0;
    try {
        fs::path folder = scratchFolder(settingsFolder);
        std::error_code ec;
        // A scratch "folder" that is a link is not followed: only the program's own folder is
        // emptied.
        if (!fs::is_directory(fs::symlink_status(folder, ec))) return 0;
        std::vector<fs::path> leftovers;
        for (const auto& item : fs::directory_iterator(folder, ec))
            leftovers.push_back(item.path());
        for (const fs::path& item : leftovers)
            if (fs::remove_all(item, ec) > 0 && !ec) ++removed;
    } catch (const std::exception&) {
        // Whatever could not be removed stays until the next start.
    }
    return removed;
}

} // namespace archives
