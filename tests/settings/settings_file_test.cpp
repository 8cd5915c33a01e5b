// The settings file: round trip, version tag, damaged files (one unreadable line costs one
// value), line breaks in strings, and that a failed save leaves the old file in place.

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/resource.h>
#include <vector>

#include "settings/settings_file.h"
#include "settings/settings_layout.h"
#include "settings/settings_store.h"
#include "temp_folder.h"

using namespace settings;
using settings_test::readBytes;
using settings_test::TempFolder;
using settings_test::writeBytes;

namespace {

const std::string kFixture = std::string(QM_TEST_DATA_DIR) + "/settings/full.PAR";

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines)
        out += l + "\r\n";
    return out;
}

// The fixture with line `number` (1-based) replaced by `text`.
std::string fixtureWithLine(int number, const std::string& text) {
    std::vector<std::string> lines = splitCrLf(readBytes(kFixture));
    lines.at(number - 1) = text;
    return joinCrLf(lines);
}

std::string defaultText() {
    return settingsFileText(SettingsRecord{});
}

// Which lines of the file take any text as their value (names, paths, the file-type list);
// every other line holds a number or a line of digits and can be unreadable.
std::vector<bool> freeTextLines() {
    class Kinds final : public SettingsFieldIo {
      public:
        std::vector<bool> free{false}; // line 1: the version tag
        void byte(uint8_t&) override { free.push_back(false); }
        void flag(bool&) override { free.push_back(false); }
        void integer(int32_t&) override { free.push_back(false); }
        void real(double&, int, int) override { free.push_back(false); }
        void text(std::string&) override { free.push_back(true); }
        void digits(std::string&, std::size_t, char) override { free.push_back(false); }
        void lateByte(uint8_t&) override { free.push_back(false); }
        void trailingText(std::string&) override {}
    } kinds;
    SettingsRecord r;
    walkSettingsFile(r, kinds);
    return kinds.free;
}

// First line of each group of the fixture (group 1 starts at line 2, group 17 at 154).
constexpr int kGroupStart[] = {2,  7,   16,  17,  28,  41,  62,  75, 86,
                               93, 101, 119, 126, 136, 140, 149, 154};

int groupOfLine(int line) {
    int group = 0;
    for (int start : kGroupStart)
        if (line >= start) ++group;
    return group;
}

} // namespace

TEST(SettingsFile, FullFileRoundTripsByteForByte) {
    TempFolder dir;
    SettingsRecord r;
    ASSERT_EQ(loadSettingsFile(kFixture, r), LoadResult::Loaded);
    EXPECT_EQ(r.view.lengthUnit, 3);
    EXPECT_EQ(r.pens.PenTblNo, 4);
    EXPECT_EQ(r.pens.MarkPenNo, 200);
    EXPECT_FALSE(r.pens.ChgColor_not_BackC);
    EXPECT_EQ(r.line.LT6Dwn2, 33);
    EXPECT_DOUBLE_EQ(r.grid.GridPitchX, 101.6);
    EXPECT_EQ(r.grid.GridColorFine, 0x00FF8040u);
    EXPECT_EQ(r.window.width, 1280);
    // The file-type list is spread over three lines and read back as one text.
    EXPECT_NE(r.open.fileFilter.find("*.hpgl;*.gl2)|"), std::string::npos);
    EXPECT_NE(r.open.fileFilter.find("(*.zip)|.zip|All"), std::string::npos);

    ASSERT_TRUE(saveSettingsFile(dir.file("QuindleMini.PAR"), r));
    EXPECT_EQ(readBytes(dir.file("QuindleMini.PAR")), readBytes(kFixture));
}

TEST(SettingsFile, DefaultsSurviveSaveAndLoad) {
    TempFolder dir;
    SettingsStore store(dir.path(), "QuindleMini");
    EXPECT_EQ(store.settingsFilePath(), dir.path() + "/QuindleMini.PAR");
    EXPECT_EQ(store.load(), LoadResult::CannotOpen);
    std::filesystem::create_directory(store.settingsFilePath());
    EXPECT_EQ(store.load(), LoadResult::CannotOpen);
    std::filesystem::remove(store.settingsFilePath());
    ASSERT_TRUE(store.save());
    store.values.grid.GridInterval = 77;
    ASSERT_EQ(store.load(), LoadResult::Loaded);
    EXPECT_EQ(store.values.grid.GridInterval, 10);
    EXPECT_EQ(settingsFileText(store.values), defaultText());
    EXPECT_EQ(readBytes(store.settingsFilePath()), defaultText());
}

TEST(SettingsFile, OtherVersionTagIgnoresWholeFile) {
    TempFolder dir;
    std::string path = dir.file("QuindleMini.PAR");
    writeBytes(path, fixtureWithLine(1, "Version 8.03"));
    SettingsRecord r;
    EXPECT_EQ(loadSettingsFile(path, r), LoadResult::OtherVersion);
    EXPECT_EQ(settingsFileText(r), defaultText());

    writeBytes(path, "");
    EXPECT_EQ(loadSettingsFile(path, r), LoadResult::OtherVersion);
}

TEST(SettingsFile, BooleanReadsAnyNonZeroAsTrueAndWritesOne) {
    TempFolder dir;
    std::string path = dir.file("s.PAR");
    std::string text = fixtureWithLine(124, "0");
    writeBytes(path, text);
    SettingsRecord r;
    ASSERT_EQ(loadSettingsFile(path, r), LoadResult::Loaded);
    EXPECT_FALSE(r.view.DragMode);

    writeBytes(path, fixtureWithLine(124, "2"));
    ASSERT_EQ(loadSettingsFile(path, r), LoadResult::Loaded);
    EXPECT_TRUE(r.view.DragMode);
    EXPECT_EQ(splitCrLf(settingsFileText(r)).at(123), "1");
}

TEST(SettingsFile, UnreadableLineCostsOnlyItsOwnValue) {
    TempFolder dir;
    const std::string path = dir.file("s.PAR");
    const std::vector<std::string> fixture = splitCrLf(readBytes(kFixture));
    const std::vector<std::string> defaults = splitCrLf(defaultText());
    const std::vector<bool> free = freeTextLines();
    ASSERT_EQ(free.size(), 153u); // the version tag and groups 1 to 16
    ASSERT_EQ(fixture.size(), 156u);

    std::vector<int> checkedPerGroup(18, 0);
    for (int line = 2; line <= 153; ++line) {
        if (free[line - 1]) continue;
        ++checkedPerGroup[groupOfLine(line)];
        for (const char* bad : {"abc", "7x", "1.5.2"}) {
            SCOPED_TRACE("group " + std::to_string(groupOfLine(line)) + ", line " +
                         std::to_string(line) + " = \"" + bad + "\"");
            std::vector<std::string> lines = fixture;
            lines[line - 1] = bad;
            writeBytes(path, joinCrLf(lines));
            SettingsRecord r;
            ASSERT_EQ(loadSettingsFile(path, r), LoadResult::Loaded);
            // Saved again, the file is the fixture except that one value, now its default.
            std::vector<std::string> expected = fixture;
            expected[line - 1] = defaults[line - 1];
            ASSERT_EQ(splitCrLf(settingsFileText(r)), expected);
        }
    }
    // Groups 1 and 17 hold only free text; every other group had lines made unreadable.
    for (int group = 2; group <= 16; ++group)
        EXPECT_GT(checkedPerGroup[group], 0) << "group " << group;
}

TEST(SettingsFile, BadLineTenKeepsTheRestOfTheFile) {
    TempFolder dir;
    const std::string path = dir.file("QuindleMini.PAR");
    writeBytes(path, fixtureWithLine(10, "abc")); // the PDF open scale
    SettingsStore store(dir.path(), "QuindleMini");
    store.setDefaults();
    ASSERT_EQ(store.load(), LoadResult::Loaded);
    const SettingsRecord& r = store.values;
    EXPECT_DOUBLE_EQ(r.open.pdfOpenScale, 1.0);
    EXPECT_EQ(r.reserved.g2Bytes[0], 7); // line 11
    EXPECT_EQ(r.view.lengthUnit, 3);
    EXPECT_EQ(r.pens.PenTblNo, 4);
    EXPECT_TRUE(r.window.toolbarVisible[0]);
    EXPECT_FALSE(r.window.toolbarVisible[2]);
    EXPECT_EQ(r.mouse.MouseOpeLClick, 2);
    EXPECT_EQ(r.line.DspMinLinDot, 5);
    EXPECT_EQ(r.line.PltMinLinDot, 12);
    EXPECT_EQ(r.view.displayRotation, 3);
    EXPECT_EQ(r.pens.MarkPenNo, 200);
    EXPECT_DOUBLE_EQ(r.grid.GridPitchX, 101.6);
    EXPECT_EQ(r.text.TextFontName[0], "DejaVu Sans");
    EXPECT_EQ(r.window.width, 1280);
    EXPECT_NE(r.open.fileFilter.find("*.hpgl;*.gl2)|"), std::string::npos);

    // What is written at exit differs from what was read in that one line only.
    ASSERT_TRUE(store.save());
    const std::vector<std::string> before = splitCrLf(fixtureWithLine(10, "abc"));
    const std::vector<std::string> after = splitCrLf(readBytes(path));
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i], i == 9 ? std::string("1.00000") : before[i]) << "line " << i + 1;
}

TEST(SettingsFile, LateByteAndShortFilesKeepPositions) {
    TempFolder dir;
    const std::string path = dir.file("s.PAR");
    // The byte at the end of group 10 reads as 0 when unreadable; group 11 follows it.
    writeBytes(path, fixtureWithLine(100, "x"));
    SettingsRecord r;
    r.reserved.g10LateByte = 9;
    ASSERT_EQ(loadSettingsFile(path, r), LoadResult::Loaded);
    EXPECT_EQ(r.reserved.g10LateByte, 0);
    EXPECT_DOUBLE_EQ(r.reserved.g10Real, 12.345);
    EXPECT_EQ(r.line.DspMinLinDot, 5);

    // Toolbar and option-digit lines: shorter lines are padded, foreign characters make the
    // line unreadable.
    writeBytes(path, fixtureWithLine(16, "11"));
    ASSERT_EQ(loadSettingsFile(path, r), LoadResult::Loaded);
    EXPECT_EQ(splitCrLf(settingsFileText(r)).at(15), "110000000000");
    writeBytes(path, fixtureWithLine(16, "1101001011012"));
    ASSERT_EQ(loadSettingsFile(path, r), LoadResult::Loaded);
    EXPECT_EQ(splitCrLf(settingsFileText(r)).at(15), "110000000000");

    // A file cut after group 9: what it holds is read, the rest keeps its defaults.
    std::vector<std::string> lines = splitCrLf(readBytes(kFixture));
    lines.resize(92);
    writeBytes(path, joinCrLf(lines));
    SettingsRecord cut;
    cut.reserved.g10LateByte = 9;
    ASSERT_EQ(loadSettingsFile(path, cut), LoadResult::Loaded);
    EXPECT_EQ(cut.mouse.MouseOpeOnRDrag, 1);
    EXPECT_EQ(cut.reserved.g10LateByte, 0);
    EXPECT_EQ(cut.line.LT1Up, LineSettings{}.LT1Up);
    EXPECT_EQ(cut.open.fileFilter, kDefaultFileFilter);
}

TEST(SettingsFile, EveryTruncationAndRandomGarbageLoadsSafely) {
    TempFolder dir;
    std::string path = dir.file("s.PAR");
    const std::string full = readBytes(kFixture);
    for (std::size_t n = 0; n <= full.size(); n += 7) {
        writeBytes(path, full.substr(0, n));
        SettingsRecord r;
        loadSettingsFile(path, r);
        // Whatever was read, saving and reading back must agree with itself.
        ASSERT_EQ(settingsFileText(r).substr(0, 14), "Version 8.04\r\n");
    }
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round) {
        std::string text = "Version 8.04\r\n";
        std::size_t len = rng() % 3000;
        for (std::size_t i = 0; i < len; ++i) {
            unsigned pick = rng() % 8;
            text += pick == 0   ? '\n'
                    : pick == 1 ? '\r'
                    : pick < 5  ? char('0' + rng() % 10)
                                : char(rng() % 256);
        }
        writeBytes(path, text);
        SettingsRecord r;
        ASSERT_EQ(loadSettingsFile(path, r), LoadResult::Loaded);
        EXPECT_GE(r.grid.GridPitchX, 1.0);
        EXPECT_GE(r.grid.GridInterval, 1);
        EXPECT_LE(r.view.lengthUnit, 5);
    }
}

TEST(SettingsFile, UnusableValuesFallBackToDefaults) {
    TempFolder dir;
    std::string path = dir.file("s.PAR");
    std::vector<std::string> lines = splitCrLf(readBytes(kFixture));
    lines[136 - 1] = "9";     // display rotation
    lines[140 - 1] = "0.000"; // GridPitchX: a zero pitch would never finish drawing
    lines[144 - 1] = "0";     // GridInterval
    lines[21 - 1] = "17";     // length unit index
    lines[103 - 1] = "-5";    // LT1Up
    lines[145 - 1] = "-1";    // GridColorFine with the top byte set
    writeBytes(path, joinCrLf(lines));
    SettingsRecord r;
    ASSERT_EQ(loadSettingsFile(path, r), LoadResult::Loaded);
    EXPECT_EQ(r.view.displayRotation, 1);
    EXPECT_DOUBLE_EQ(r.grid.GridPitchX, 40.0);
    EXPECT_DOUBLE_EQ(r.grid.GridPitchY, 13.333);
    EXPECT_EQ(r.grid.GridInterval, 10);
    EXPECT_EQ(r.view.lengthUnit, 0);
    EXPECT_EQ(r.line.LT1Up, LineSettings{}.LT1Up);
    EXPECT_EQ(r.line.LT2Up, 42);
    EXPECT_EQ(r.grid.GridColorFine, 0x00FFFFFFu);
}

TEST(SettingsFile, LineBreakInsideTextCannotShiftLaterValues) {
    TempFolder dir;
    std::string path = dir.file("s.PAR");
    SettingsRecord r;
    r.window.recentFiles[0] = "/tmp/odd\r\nname.hgl";
    r.open.fileFilter = "All files\n(*.*)|.*";
    r.grid.GridInterval = 3;
    ASSERT_TRUE(saveSettingsFile(path, r));
    SettingsRecord back;
    ASSERT_EQ(loadSettingsFile(path, back), LoadResult::Loaded);
    EXPECT_EQ(back.window.recentFiles[0], "/tmp/odd");
    EXPECT_EQ(back.window.recentFiles[1], "");
    EXPECT_EQ(back.grid.GridInterval, 3);
    EXPECT_EQ(back.open.fileFilter, "All files(*.*)|.*");
}

TEST(SettingsFile, FailedSaveKeepsOldFileAndLeavesNoTemporary) {
    TempFolder dir;
    std::string path = dir.file("QuindleMini.PAR");
    writeBytes(path, "old contents\r\n");

    // Simulate a full disk: writes beyond 64 bytes fail with EFBIG.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool saved = saveSettingsFile(path, SettingsRecord{});
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(readBytes(path), "old contents\r\n");
    EXPECT_EQ(dir.entryCount(), 1u);

    EXPECT_FALSE(saveSettingsFile(dir.file("no-such-folder/QuindleMini.PAR"), SettingsRecord{}));
}
