// The archive object over the fixtures: listing, find first / find next with masks, the full
// check, the formats read through libarchive, legacy names, and the archiver error texts.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "archive/archive_error.h"
#include "archive/archive_file.h"
#include "archive/archive_type.h"
#include "archive_test_support.h"

using archive_test::fixture;
using archives::ArchiveEntry;
using archives::ArchiveFile;
using archives::ArchiverError;
using archives::ArchiverErrorKind;
using archives::ArchiveType;
using archives::EntryKind;

namespace {

std::vector<std::string> pathsOf(ArchiveFile& file, const std::string& mask) {
    std::vector<std::string> paths;
    ArchiveEntry entry;
    for (bool found = file.findFirst(mask, entry); found; found = file.findNext(entry))
        paths.push_back(entry.path);
    return paths;
}

// The error an operation raises; fails the test when it raises none.
template <typename Op> ArchiverError errorOf(Op&& op) {
    try {
        op();
    } catch (const ArchiverError& e) {
        return e;
    }
    ADD_FAILURE() << "no archiver error raised";
    return ArchiverError(ArchiverErrorKind::Damaged, "");
}

// Runs the test body under a given process locale, and restores the old one.
class LocaleGuard {
  public:
    explicit LocaleGuard(const char* name) : old_(std::setlocale(LC_ALL, nullptr)) {
        std::setlocale(LC_ALL, name);
    }
    ~LocaleGuard() { std::setlocale(LC_ALL, old_.c_str()); }

  private:
    std::string old_;
};

} // namespace

TEST(ArchiveFile, ListsEveryEntryWithItsKindAndSize) {
    ArchiveFile file(fixture("two_drawings.lzh"));
    EXPECT_EQ(file.type(), ArchiveType::Lzh);
    ASSERT_TRUE(file.check());
    EXPECT_EQ(pathsOf(file, "*"),
              (std::vector<std::string>{"a.hgl", "sub/deep/b.hgl", "notes.txt"}));
    ArchiveEntry entry;
    ASSERT_TRUE(file.findFirst("notes.*", entry));
    EXPECT_EQ(entry.index, 2u);
    EXPECT_EQ(entry.kind, EntryKind::File);
    EXPECT_EQ(entry.size, 14);
    EXPECT_FALSE(entry.encrypted);
    EXPECT_FALSE(file.findNext(entry));
}

TEST(ArchiveFile, FindWalksOnlyTheMatchesOfTheMask) {
    ArchiveFile file(fixture("two_drawings.lzh"));
    EXPECT_EQ(pathsOf(file, "*.hgl"), (std::vector<std::string>{"a.hgl", "sub/deep/b.hgl"}));
    EXPECT_EQ(pathsOf(file, "*.HGL"), (std::vector<std::string>{"a.hgl", "sub/deep/b.hgl"}));
    EXPECT_EQ(pathsOf(file, "*.txt"), (std::vector<std::string>{"notes.txt"}));
    EXPECT_TRUE(pathsOf(file, "*.plt").empty());
    EXPECT_EQ(pathsOf(file, "*.*").size(), 3u);
    file.close();
    EXPECT_FALSE(file.isOpen());
    ArchiveEntry entry;
    EXPECT_FALSE(file.findNext(entry)); // closed: nothing more to find
}

TEST(ArchiveFile, NestedFolderAndItsEntries) {
    ArchiveFile file(fixture("nested.zip"));
    file.open();
    ArchiveEntry entry;
    ASSERT_TRUE(file.findFirst("*", entry));
    EXPECT_EQ(entry.path, "drawings/2020/");
    EXPECT_EQ(entry.kind, EntryKind::Directory);
    ASSERT_TRUE(file.findNext(entry));
    EXPECT_EQ(entry.path, "drawings/2020/plan.hgl");
    EXPECT_EQ(entry.kind, EntryKind::File);
}

TEST(ArchiveFile, LinksAndDevicesAreListedAsSuch) {
    ArchiveFile tar(fixture("links.tar"));
    ASSERT_TRUE(tar.check());
    tar.open();
    std::vector<EntryKind> kinds;
    ArchiveEntry entry;
    for (bool found = tar.findFirst("*.hgl", entry); found; found = tar.findNext(entry))
        kinds.push_back(entry.kind);
    EXPECT_EQ(kinds, (std::vector<EntryKind>{EntryKind::File, EntryKind::Link, EntryKind::Link,
                                             EntryKind::Special, EntryKind::Special}));

    ArchiveFile zip(fixture("symlink.zip"));
    ASSERT_TRUE(zip.findFirst("link.hgl", entry));
    EXPECT_EQ(entry.kind, EntryKind::Link);
}

TEST(ArchiveFile, ShiftJisNamesComeOutAsUtf8WhateverTheLocale) {
    for (const char* locale : {"C", "C.UTF-8"}) {
        LocaleGuard guard(locale);
        for (const char* name : {"sjis_name.lzh", "sjis_name.zip"}) {
            ArchiveFile file(fixture(name));
            EXPECT_TRUE(file.check()) << name << " in " << locale;
            EXPECT_EQ(pathsOf(file, "*.hgl"), std::vector<std::string>{"図面.hgl"})
                << name << " in " << locale;
        }
    }
}

TEST(ArchiveFile, EncryptedMembersAreFlaggedAndPassTheCheck) {
    ArchiveFile file(fixture("encrypted.zip"));
    EXPECT_TRUE(file.check());
    ArchiveEntry entry;
    ASSERT_TRUE(file.findFirst("*.hgl", entry));
    EXPECT_TRUE(entry.encrypted);
}

TEST(ArchiveFile, DamagedArchivesFailTheCheck) {
    for (const char* name : {"truncated.lzh", "truncated.zip"}) {
        ArchiveFile file(fixture(name));
        EXPECT_FALSE(file.check()) << name;
    }
    ArchiveFile missing(fixture("missing.zip"));
    EXPECT_FALSE(missing.check());
    EXPECT_EQ(errorOf([&] { missing.open(); }).kind(), ArchiverErrorKind::Damaged);

    // A ZIP by name that holds something else.
    ArchiveFile wrong(fixture("two_drawings.lzh"));
    wrong.setFileName(fixture("README.md"));
    EXPECT_EQ(wrong.type(), ArchiveType::Probe);
    EXPECT_EQ(errorOf([&] { wrong.archiver(); }).what(),
              std::string(archives::messages::kUnknownFormat));
}

TEST(ArchiveFile, ReadsTheTarFamilyAndSelfExtractingLzh) {
    struct Case {
        const char* name;
        ArchiveType type;
        std::vector<std::string> drawings;
    };
    const Case cases[] = {
        {"two_drawings.tar.gz", ArchiveType::Tgz, {"a.hgl", "b.hgl"}},
        {"one_drawing.tar.bz2", ArchiveType::Bz2, {"only.hgl"}},
        {"sfx_lzh.exe", ArchiveType::Lzh, {"a.hgl", "sub/deep/b.hgl"}},
    };
    for (const Case& c : cases) {
        ArchiveFile file(fixture(c.name));
        EXPECT_TRUE(file.check()) << c.name;
        EXPECT_EQ(file.type(), c.type) << c.name;
        EXPECT_EQ(pathsOf(file, "*.hgl"), c.drawings) << c.name;
    }
}

TEST(ArchiverErrors, CarryTheFixedTexts) {
    namespace msg = archives::messages;
    ArchiveFile arj("old.arj");
    ArchiverError unsupported = errorOf([&] { arj.archiver(); });
    EXPECT_EQ(unsupported.kind(), ArchiverErrorKind::UnsupportedFormat);
    EXPECT_STREQ(unsupported.what(), msg::kUnsupportedFormat);

    ArchiveFile unset;
    EXPECT_EQ(unset.type(), ArchiveType::Unset);
    EXPECT_STREQ(errorOf([&] { unset.archiver(); }).what(), msg::kUnknownFormat);

    ArchiveFile zip(fixture("one_drawing.zip"));
    archives::Archiver& archiver = zip.archiver();
    EXPECT_STREQ(errorOf([&] { archiver.add(zip.fileName(), {"a.hgl"}); }).what(), msg::kNoCreate);
    EXPECT_STREQ(errorOf([&] { archiver.remove(zip.fileName(), {"a.hgl"}); }).what(),
                 msg::kNoDelete);
    EXPECT_STREQ(errorOf([&] { archiver.update(zip.fileName(), {"a.hgl"}); }).what(),
                 msg::kNoUpdate);
    EXPECT_STREQ(errorOf([&] { archiver.makeSelfExtracting(zip.fileName(), "x.exe"); }).what(),
                 msg::kNoSelfExtracting);
    EXPECT_EQ(errorOf([&] { archiver.add(zip.fileName(), {}); }).kind(),
              ArchiverErrorKind::UnsupportedOperation);
}

TEST(ArchiveFile, FifosAndDevicesAreNeitherProbedNorRead) {
    // A FIFO without a writer or an endless device named as an archive fails at once.
    const std::string fifo = ::testing::TempDir() + "qm-archive-fifo.zip";
    std::remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(archives::probeArchiveFile(fifo), ArchiveType::Probe);
    EXPECT_EQ(archives::probeArchiveFile("/dev/zero"), ArchiveType::Probe);
    ArchiveFile file(fifo); // a ZIP by its name
    EXPECT_FALSE(file.check());
    EXPECT_EQ(errorOf([&] { file.open(); }).kind(), ArchiverErrorKind::Damaged);
    std::remove(fifo.c_str());
}
