// Extracting one entry into a folder: only under its bare name, never outside the folder,
// never a link or device, and never leaving a partial file when anything goes wrong.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>

#include "archive/archive_error.h"
#include "archive/archive_file.h"
#include "archive_test_support.h"

using archive_test::fixture;
using archive_test::kDrawing;
using archive_test::readBytes;
using archive_test::TempFolder;
using archive_test::treeOf;
using archives::ArchiveEntry;
using archives::ArchiveFile;
using archives::ArchiverError;
using archives::ArchiverErrorKind;

namespace {

// The entry of `file` at `path`, whatever its kind.
ArchiveEntry entryAt(ArchiveFile& file, const std::string& path) {
    ArchiveEntry entry;
    for (bool found = file.findFirst("*", entry); found; found = file.findNext(entry))
        if (entry.path == path) return entry;
    ADD_FAILURE() << "no entry " << path;
    return entry;
}

// A sandbox: `outer` holds `dest`, the folder extracted into, two levels down, so that a
// name climbing out of `dest` would land somewhere inside `outer` where the test sees it.
struct Sandbox {
    TempFolder outer;
    std::string dest = outer.file("a/b/dest");
    Sandbox() { std::filesystem::create_directories(dest); }
};

// An entry as a listing made before the archive was damaged would give it.
ArchiveEntry listedEntry(std::size_t index, const std::string& path, int64_t size) {
    ArchiveEntry entry;
    entry.index = index;
    entry.path = path;
    entry.size = size;
    return entry;
}

// Extracts and expects a refusal of `kind` that leaves the whole sandbox as it was.
void expectRefused(const std::string& archive, const ArchiveEntry& entry, ArchiverErrorKind kind,
                   const std::string& reasonPart) {
    Sandbox box;
    auto before = treeOf(box.outer.path());
    ArchiveFile file(fixture(archive));
    const std::string& path = entry.path;
    try {
        file.extract(entry, box.dest);
        ADD_FAILURE() << path << " was extracted";
    } catch (const ArchiverError& e) {
        EXPECT_EQ(e.kind(), kind) << e.what();
        EXPECT_NE(std::string(e.what()).find(reasonPart), std::string::npos) << e.what();
    }
    EXPECT_EQ(treeOf(box.outer.path()), before) << archive << ": " << path;
}

void expectRefused(const std::string& archive, const std::string& path, ArchiverErrorKind kind,
                   const std::string& reasonPart) {
    ArchiveFile file(fixture(archive));
    expectRefused(archive, entryAt(file, path), kind, reasonPart);
}

} // namespace

TEST(Extraction, WritesUnderTheBareNameOnly) {
    Sandbox box;
    ArchiveFile file(fixture("two_drawings.lzh"));
    std::string written = file.extract(entryAt(file, "sub/deep/b.hgl"), box.dest);
    EXPECT_EQ(written, box.dest + "/b.hgl");
    EXPECT_EQ(readBytes(written), kDrawing);
    EXPECT_EQ(treeOf(box.outer.path()),
              (std::set<std::string>{"a", "a/b", "a/b/dest", "a/b/dest/b.hgl"}));
}

TEST(Extraction, ClimbingNamesLandInsideTheFolder) {
    struct Case {
        const char* archive;
        const char* entry;
        const char* lands;
    };
    const Case cases[] = {
        {"traversal.zip", "../../escape.hgl", "escape.hgl"},
        {"hostile_names.zip", "../../back.hgl", "back.hgl"}, // stored with "\" separators
        {"hostile_names.zip", "/tmp/absolute.hgl", "absolute.hgl"},
    };
    for (const Case& c : cases) {
        Sandbox box;
        ArchiveFile file(fixture(c.archive));
        std::string written = file.extract(entryAt(file, c.entry), box.dest);
        EXPECT_EQ(written, box.dest + "/" + c.lands);
        EXPECT_EQ(
            treeOf(box.outer.path()),
            (std::set<std::string>{"a", "a/b", "a/b/dest", std::string("a/b/dest/") + c.lands}))
            << c.entry;
    }
}

TEST(Extraction, RefusesNamesLinksDevicesAndEncryptedMembers) {
    const auto refused = ArchiverErrorKind::Extraction;
    expectRefused("hostile_names.zip", "bell\x07.hgl", refused, "bell\\x07.hgl");
    expectRefused("hostile_names.zip", "dir/..", refused, "not a usable file name");
    expectRefused("symlink.zip", "link.hgl", refused, "links and special files");
    expectRefused("links.tar", "evil.hgl", refused, "links and special files");
    expectRefused("links.tar", "hard.hgl", refused, "links and special files");
    expectRefused("links.tar", "device.hgl", refused, "links and special files");
    expectRefused("links.tar", "fifo.hgl", refused, "links and special files");
    expectRefused("nested.zip", "drawings/2020/", refused, "folder");
    expectRefused("encrypted.zip", "secret.hgl", refused, "encrypted");
}

TEST(Extraction, DamagedDataLeavesNoPartialFile) {
    const auto size = static_cast<int64_t>(kDrawing.size());
    expectRefused("truncated.lzh", listedEntry(1, "sub/deep/b.hgl", size),
                  ArchiverErrorKind::Extraction, "damaged or truncated");
    expectRefused("truncated.zip", listedEntry(0, "plot.hgl", size), ArchiverErrorKind::Extraction,
                  "damaged or truncated");
    // The member before the damage is whole and still comes out.
    Sandbox box;
    ArchiveFile file(fixture("truncated.lzh"));
    EXPECT_EQ(readBytes(file.extract(listedEntry(0, "a.hgl", size), box.dest)), kDrawing);
}

TEST(Extraction, AMemberLargerThanTheFreeSpaceIsRefusedBeforeWriting) {
    // The archive holds far less than its header claims, so it cannot be listed to its end;
    // the entry is the one its first header describes.
    expectRefused("huge_member.tar", listedEntry(0, "huge.hgl", int64_t{1} << 50),
                  ArchiverErrorKind::Extraction, "needs 1125899906842624 bytes");
}

TEST(Extraction, AFailedWriteLeavesNoPartialFileAndKeepsTheOldOne) {
    Sandbox box;
    archive_test::writeBytes(box.dest + "/big.hgl", "older copy");
    auto before = treeOf(box.outer.path());
    ArchiveFile file(fixture("big_drawing.zip"));
    ArchiveEntry entry = entryAt(file, "big.hgl");
    ASSERT_EQ(entry.size, 340000);

    // A file size limit makes the writes fail part way, as a full disk does.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 100000;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        file.extract(entry, box.dest);
    } catch (const ArchiverError& e) {
        message = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(message, "Cannot extract \"big.hgl\": the disk is full");
    EXPECT_EQ(treeOf(box.outer.path()), before);
    EXPECT_EQ(readBytes(box.dest + "/big.hgl"), "older copy");

    // Without the limit the same entry replaces the old file.
    EXPECT_EQ(readBytes(file.extract(entry, box.dest)).size(), 340000u);
}

TEST(Extraction, TheFolderMustBeARealFolder) {
    Sandbox box;
    std::filesystem::create_directory_symlink(box.dest, box.outer.file("link"));
    ArchiveFile file(fixture("one_drawing.zip"));
    ArchiveEntry entry = entryAt(file, "plot.hgl");
    for (const std::string& folder : {box.outer.file("link"), box.outer.file("missing")}) {
        try {
            file.extract(entry, folder);
            ADD_FAILURE() << "extracted into " << folder;
        } catch (const ArchiverError& e) {
            EXPECT_EQ(e.kind(), ArchiverErrorKind::Extraction);
            EXPECT_NE(std::string(e.what()).find("cannot be used"), std::string::npos);
        }
    }
    EXPECT_TRUE(std::filesystem::is_empty(box.dest));
}

TEST(Extraction, AnEntryThatChangedSinceListingIsNotWritten) {
    Sandbox box;
    ArchiveFile file(fixture("two_drawings.lzh"));
    ArchiveEntry entry = entryAt(file, "a.hgl");
    entry.index = 2; // now notes.txt in the archive
    EXPECT_THROW(file.extract(entry, box.dest), ArchiverError);
    entry.index = 7; // past the end
    EXPECT_THROW(file.extract(entry, box.dest), ArchiverError);
    EXPECT_TRUE(std::filesystem::is_empty(box.dest));
}
