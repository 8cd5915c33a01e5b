// The open-from-archive flow: which paths are archives, the messages for archives that
// cannot be used, one match extracted into TEMP, several left to the chooser, clean-up.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "archive/open_from_archive.h"
#include "archive_test_support.h"

namespace fs = std::filesystem;
using archive_test::fixture;
using archive_test::kDrawing;
using archive_test::readBytes;
using archive_test::TempFolder;
using archives::ArchiveOpenOutcome;
using archives::ListStatus;
using archives::openFromArchive;

TEST(ArchivePath, OnlyExistingLowerCaseLzhAndZipFiles) {
    TempFolder folder;
    for (const char* name : {"a.lzh", "b.zip", "C.ZIP", "d.Lzh", "e.tar.gz", "f.hgl"})
        fs::copy_file(fixture("one_drawing.zip"), folder.file(name));
    fs::create_directory(folder.file("folder.zip"));
    EXPECT_TRUE(archives::isArchivePath(folder.file("a.lzh")));
    EXPECT_TRUE(archives::isArchivePath(folder.file("b.zip")));
    EXPECT_FALSE(archives::isArchivePath(folder.file("C.ZIP")));
    EXPECT_FALSE(archives::isArchivePath(folder.file("d.Lzh")));
    EXPECT_FALSE(archives::isArchivePath(folder.file("e.tar.gz")));
    EXPECT_FALSE(archives::isArchivePath(folder.file("f.hgl")));
    EXPECT_FALSE(archives::isArchivePath(folder.file("missing.zip")));
    EXPECT_FALSE(archives::isArchivePath(folder.file("folder.zip")));

    // Not archives: handed back untouched, nothing extracted.
    auto open = openFromArchive(folder.file("C.ZIP"), folder.path());
    EXPECT_EQ(open.outcome, ArchiveOpenOutcome::NotAnArchive);
    EXPECT_FALSE(fs::exists(archives::scratchFolder(folder.path())));
}

TEST(OpenFromArchive, OneMatchIsExtractedIntoTempUnderItsBareName) {
    struct Case {
        const char* archive;
        const char* drawing;
    };
    const Case cases[] = {
        {"one_drawing.zip", "plot.hgl"},
        {"nested.zip", "plan.hgl"},
        {"traversal.zip", "escape.hgl"},
        {"sjis_name.lzh", "図面.hgl"},
        {"sjis_name.zip", "図面.hgl"},
        {"symlink.zip", "real.hgl"}, // the link named *.hgl is not a match
    };
    for (const Case& c : cases) {
        TempFolder settings;
        auto open = openFromArchive(fixture(c.archive), settings.path());
        ASSERT_EQ(open.outcome, ArchiveOpenOutcome::Extracted) << c.archive << ": " << open.message;
        EXPECT_EQ(open.drawingPath, settings.path() + "/TEMP/" + c.drawing);
        EXPECT_EQ(readBytes(open.drawingPath), kDrawing);
        ASSERT_EQ(open.matches.size(), 1u);
        // Nothing else anywhere in the settings folder.
        EXPECT_EQ(archive_test::treeOf(settings.path()),
                  (std::set<std::string>{"TEMP", std::string("TEMP/") + c.drawing}));

        EXPECT_TRUE(archives::removeExtracted(open.drawingPath));
        EXPECT_FALSE(fs::exists(open.drawingPath));
    }
}

TEST(OpenFromArchive, SeveralMatchesGoToTheChooserWithDrawingsOnly) {
    TempFolder settings;
    auto open = openFromArchive(fixture("two_drawings.lzh"), settings.path());
    ASSERT_EQ(open.outcome, ArchiveOpenOutcome::ChooseEntry);
    ASSERT_EQ(open.matches.size(), 2u);
    EXPECT_EQ(open.matches[0].path, "a.hgl");
    EXPECT_EQ(open.matches[1].path, "sub/deep/b.hgl");
    EXPECT_FALSE(fs::exists(archives::scratchFolder(settings.path())));

    // The chooser's pick is extracted the same way.
    auto chosen =
        archives::extractToScratch(fixture("two_drawings.lzh"), open.matches[1], settings.path());
    ASSERT_TRUE(chosen.ok) << chosen.message;
    EXPECT_EQ(chosen.path, settings.path() + "/TEMP/b.hgl");
    EXPECT_EQ(readBytes(chosen.path), kDrawing);
}

TEST(OpenFromArchive, TheEntryMaskDecidesWhatMatches) {
    auto all = archives::listArchiveDrawings(fixture("two_drawings.lzh"), "*.*");
    EXPECT_EQ(all.matches.size(), 3u);
    auto texts = archives::listArchiveDrawings(fixture("two_drawings.lzh"), "*.txt");
    ASSERT_EQ(texts.matches.size(), 1u);
    EXPECT_EQ(texts.matches[0].path, "notes.txt");
    // Links and devices are never offered, whatever the mask.
    auto links = archives::listArchiveDrawings(fixture("links.tar"), "*");
    ASSERT_EQ(links.status, ListStatus::Listed);
    ASSERT_EQ(links.matches.size(), 1u);
    EXPECT_EQ(links.matches[0].path, "ok.hgl");
}

TEST(OpenFromArchive, ArchivesThatCannotBeUsedReportTheFixedTexts) {
    TempFolder folder;
    fs::copy_file(fixture("README.md"), folder.file("not_really.zip"));
    fs::copy_file(fixture("two_drawings.lzh"), folder.file("lzh_named.zip"));
    struct Case {
        std::string path;
        std::string message;
    };
    const Case cases[] = {
        {fixture("no_drawing.zip"), " File Not Exits！*.hgl"},
        {fixture("truncated.zip"), "Archive File is Abnormal！"},
        {fixture("truncated.lzh"), "Archive File is Abnormal！"},
        {folder.file("not_really.zip"), "Archive File is Abnormal！"},
        {folder.file("lzh_named.zip"), "Archive File is Abnormal！"},
    };
    for (const Case& c : cases) {
        auto open = openFromArchive(c.path, folder.path());
        EXPECT_EQ(open.outcome, ArchiveOpenOutcome::Failed) << c.path;
        EXPECT_EQ(open.message, c.message) << c.path;
        EXPECT_TRUE(open.drawingPath.empty());
    }
    EXPECT_FALSE(fs::exists(archives::scratchFolder(folder.path())));

    auto other = openFromArchive(fixture("no_drawing.zip"), folder.path(), "*.dxf");
    EXPECT_EQ(other.message, " File Not Exits！*.dxf");
}

TEST(OpenFromArchive, ExtractionFailuresComeBackAsMessages) {
    TempFolder settings;
    auto listing = archives::listArchiveDrawings(fixture("encrypted.zip"), "*.hgl");
    ASSERT_EQ(listing.status, ListStatus::Listed);
    auto open = openFromArchive(fixture("encrypted.zip"), settings.path());
    EXPECT_EQ(open.outcome, ArchiveOpenOutcome::Failed);
    EXPECT_EQ(open.message, "Cannot extract \"secret.hgl\": it is encrypted");
    EXPECT_TRUE(fs::is_empty(archives::scratchFolder(settings.path())));

    // A settings folder that does not exist.
    auto nowhere = openFromArchive(fixture("one_drawing.zip"), settings.file("missing"));
    EXPECT_EQ(nowhere.outcome, ArchiveOpenOutcome::Failed);
    EXPECT_NE(nowhere.message.find("Cannot create the folder"), std::string::npos);
}

TEST(ScratchFolder, LeftOversOfAnEarlierRunAreRemovedAtStart) {
    TempFolder settings;
    TempFolder elsewhere;
    std::string temp = archives::scratchFolder(settings.path());
    fs::create_directories(temp + "/stray/deeper");
    archive_test::writeBytes(temp + "/plot.hgl", kDrawing);
    archive_test::writeBytes(temp + "/.extract-1-0000.part", "half");
    archive_test::writeBytes(elsewhere.file("keep.hgl"), kDrawing);
    fs::create_symlink(elsewhere.path(), temp + "/link");

    EXPECT_EQ(archives::clearScratchFolder(settings.path()), 4u);
    EXPECT_TRUE(fs::is_empty(temp));
    EXPECT_TRUE(fs::exists(elsewhere.file("keep.hgl"))); // a link's target is never touched

    // A scratch folder that is itself a link is left alone.
    fs::remove(temp);
    fs::create_directory_symlink(elsewhere.path(), temp);
    EXPECT_EQ(archives::clearScratchFolder(settings.path()), 0u);
    EXPECT_TRUE(fs::exists(elsewhere.file("keep.hgl")));
    EXPECT_EQ(archives::clearScratchFolder(settings.file("missing")), 0u);
}

TEST(ScratchFolder, ALinkInPlaceOfTempIsNotWrittenThrough) {
    TempFolder settings;
    TempFolder elsewhere;
    fs::create_directory_symlink(elsewhere.path(), archives::scratchFolder(settings.path()));
    auto open = openFromArchive(fixture("one_drawing.zip"), settings.path());
    EXPECT_EQ(open.outcome, ArchiveOpenOutcome::Failed);
    EXPECT_TRUE(fs::is_empty(elsewhere.path()));
}
