#pragma once
// Opening a drawing out of an LZH or ZIP archive: the public entry points of the archive
// layer, for the main window, the open dialog and the archive chooser. None of them throws;
// failures come back as the messages to report.
//
// The usual call sequence of the GUI:
//   clearScratchFolder(settings) once at start-up;
//   auto open = openFromArchive(path, settings);
//   NotAnArchive: open `path` itself.  Failed: report open.message, open nothing.
//   ChooseEntry: offer open.matches (printableName(entry.path)) in the chooser; on a choice
//     extractToScratch(path, chosen, settings), report its message when !ok.
//   Extracted (or a chooser extraction): open drawingPath, then removeExtracted(drawingPath).

#include <string>
#include <vector>

#include "archive/archive_entry_info.h"

namespace archives {

// The mask for drawings inside an archive.
inline constexpr const char* kDrawingMask = "*.hgl";
// The scratch folder inside the settings folder that extracted drawings go to.
inline constexpr const char* kScratchFolderName = "TEMP";

namespace messages {
inline constexpr const char* kNotReady = "ArchiveDLL is not ready！";
inline constexpr const char* kAbnormal = "Archive File is Abnormal！";
inline constexpr const char* kNoMatch = " File Not Exits！"; // followed by the mask
} // namespace messages

// True only for an existing file whose name ends in ".lzh" or ".zip" exactly as written
// (lower case): "PLOT.ZIP" is opened as a plot file, not as an archive.
bool isArchivePath(const std::string& path) noexcept;

enum class ListStatus {
    Listed,   // `matches` holds at least one entry
    NotReady, // the archive's type or reader is not available
    Abnormal, // the archive failed its check or could not be read
    NoMatch,  // readable, but no plain file matches the mask
};

struct ArchiveListing {
    ListStatus status = ListStatus::Listed;
    std::string message;               // the text to report; empty when Listed
    std::string detail;                // the layer's own reason behind the message, for logs
    std::vector<ArchiveEntry> matches; // plain files whose names match, in archive order
};

// Types and checks the archive, then lists its plain-file entries whose last name component
// matches `mask`. Links, devices and folders are never listed.
ArchiveListing listArchiveDrawings(const std::string& archivePath,
                                   const std::string& mask) noexcept;

// "<settingsFolder>/TEMP".
std::string scratchFolder(const std::string& settingsFolder);

struct Extraction {
    bool ok = false;
    std::string path;    // the extracted file: "<settingsFolder>/TEMP/<bare name>"
    std::string message; // why not, when !ok
};

// Extracts `entry` (from listArchiveDrawings() of the same archive) into the scratch folder,
// created when missing, under the entry's bare name, replacing a file of that name.
Extraction extractToScratch(const std::string& archivePath, const ArchiveEntry& entry,
                            const std::string& settingsFolder) noexcept;

enum class ArchiveOpenOutcome {
    NotAnArchive, // open the path itself
    Extracted,    // exactly one match, extracted to drawingPath
    ChooseEntry,  // several matches: let the user choose among `matches`
    Failed,       // report `message`; nothing is opened
};

struct ArchiveOpen {
    ArchiveOpenOutcome outcome = ArchiveOpenOutcome::NotAnArchive;
    std::string message;               // Failed: the text to report
    std::string detail;                // Failed: the layer's own reason, for logs
    std::vector<ArchiveEntry> matches; // the matching entries (Extracted: the one)
    std::string drawingPath;           // Extracted: the file to open
};

// The whole open-from-archive step for a path about to be opened: not an archive, or typed,
// checked, listed with `mask`, and with exactly one match extracted to the scratch folder.
ArchiveOpen openFromArchive(const std::string& path, const std::string& settingsFolder,
                            const std::string& mask = kDrawingMask) noexcept;

// Deletes an extracted drawing once it has been read; false when it could not be deleted.
bool removeExtracted(const std::string& drawingPath) noexcept;

// Empties the scratch folder of what an earlier run left behind (extracted drawings, partial
// files); returns how many entries were removed. The folder itself stays.
std::size_t clearScratchFolder(const std::string& settingsFolder) noexcept;

} // namespace archives
