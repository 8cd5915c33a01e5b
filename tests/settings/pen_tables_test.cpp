// Pen tables: default colours, both file formats, start-up loading, switching tables from
// the main window, and pen translation.

#include <gtest/gtest.h>

#include "settings/pen_tables.h"
#include "settings/settings_store.h"
#include "temp_folder.h"

using namespace settings;
using settings_test::readBytes;
using settings_test::TempFolder;
using settings_test::writeBytes;

namespace {

constexpr uint32_t kCyan = 0x00FFFF00; // (0, 255, 255) as 0x00BBGGRR
constexpr uint32_t kWhite = 0x00FFFFFF;

// A pen table file text: colour i = 1000 + i, width i = i, then `tail` as is.
std::string penTableText(const std::string& tail) {
    std::string t;
    for (int i = 0; i < 256; ++i)
        t += std::to_string(1000 + i) + "\r\n";
    for (int i = 0; i < 256; ++i)
        t += std::to_string(i) + "\r\n";
    return t + tail;
}

int countLines(const std::string& text) {
    int n = 0;
    for (std::size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2))
        ++n;
    return n;
}

} // namespace

TEST(PenTables, DefaultColoursRepeatPaletteWithBackAndMarkPens) {
    PenColours c = defaultPenColours();
    EXPECT_EQ(c[0], 0u);
    EXPECT_EQ(c[1], 0x0000007Fu); // (127, 0, 0)
    EXPECT_EQ(c[17], c[1]);
    EXPECT_EQ(c[33], c[1]);
    EXPECT_EQ(c[14], kCyan);
    EXPECT_EQ(c[15], kCyan); // mark pen 15 instead of white
    EXPECT_EQ(c[31], kWhite);
    EXPECT_EQ(c[16], 0u); // palette entry 0, not the back pen

    PenColours moved = defaultPenColours(5, 3);
    EXPECT_EQ(moved[5], 0u);
    EXPECT_EQ(moved[3], kCyan);
    EXPECT_EQ(moved[15], kWhite);
    EXPECT_EQ(PenTable{}.colour, c);
    EXPECT_EQ(PenTable{}.display[255], 1);
}

TEST(PenTables, FileOf512LinesReadsEmptyNameAndWritesBack513) {
    TempFolder dir;
    std::string path = penTablePath(dir.path(), 2);
    EXPECT_EQ(path, dir.path() + "/PenTable2.par");
    writeBytes(path, penTableText(""));
    PenColours c{};
    PenWidths w{};
    std::string name = "stale";
    ASSERT_TRUE(readPenTableFile(path, c, w, name));
    EXPECT_EQ(name, "");
    EXPECT_EQ(c[255], 1255u);
    EXPECT_EQ(w[200], 200);

    ASSERT_TRUE(writePenTableFile(path, c, w, name));
    std::string back = readBytes(path);
    EXPECT_EQ(countLines(back), 513);
    EXPECT_EQ(back, penTableText("\r\n"));
}

TEST(PenTables, DamagedPenTableFileChangesNothing) {
    TempFolder dir;
    std::string path = dir.file("PenTable1.par");
    PenColours c = defaultPenColours();
    PenWidths w{};
    std::string name = "kept";
    std::string full = penTableText("Name\r\n");
    for (std::size_t cut : {std::size_t(0), std::size_t(5), full.size() / 2, full.size() - 16}) {
        writeBytes(path, full.substr(0, cut));
        EXPECT_FALSE(readPenTableFile(path, c, w, name)) << cut;
    }
    writeBytes(path, penTableText("").replace(0, 4, "red!"));
    EXPECT_FALSE(readPenTableFile(path, c, w, name));
    EXPECT_EQ(c, defaultPenColours());
    EXPECT_EQ(name, "kept");
}

TEST(PenTables, ValuesOutsideTheirRangeAreKeptUsable) {
    TempFolder dir;
    std::string path = dir.file("PenTable1.par");
    std::string t;
    for (int i = 0; i < 256; ++i)
        t += (i == 0 ? "-1" : "0") + std::string("\r\n");
    for (int i = 0; i < 256; ++i)
        t += (i == 0 ? "-50" : i == 1 ? "99999" : "35") + std::string("\r\n");
    writeBytes(path, t + "Wide\r\n");
    PenColours c{};
    PenWidths w{};
    std::string name;
    ASSERT_TRUE(readPenTableFile(path, c, w, name));
    EXPECT_EQ(c[0], kWhite); // top byte dropped
    EXPECT_EQ(w[0], 0);
    EXPECT_EQ(w[1], 1000); // 10 mm
    EXPECT_EQ(w[2], 35);
    EXPECT_EQ(name, "Wide");
}

TEST(PenTables, PenToPenValuesKeepLowEightBits) {
    TempFolder dir;
    std::string path = penPenTablePath(dir.path(), 3);
    EXPECT_EQ(path, dir.path() + "/PenPenTable3.par");
    std::string t;
    for (int i = 0; i < 256; ++i)
        t += std::to_string(i == 7 ? 300 : i == 8 ? -1 : 255 - i) + "\r\n";
    writeBytes(path, t + "Swap\r\n");
    std::array<uint8_t, 256> pens{};
    std::string name;
    ASSERT_TRUE(readPenPenTableFile(path, pens, name));
    EXPECT_EQ(pens[7], 44);
    EXPECT_EQ(pens[8], 255);
    EXPECT_EQ(pens[0], 255);
    EXPECT_EQ(name, "Swap");

    ASSERT_TRUE(writePenPenTableFile(path, pens, name));
    std::array<uint8_t, 256> again{};
    std::string againName;
    ASSERT_TRUE(readPenPenTableFile(path, again, againName));
    EXPECT_EQ(again, pens);
    EXPECT_EQ(countLines(readBytes(path)), 257);

    writeBytes(path, t.substr(0, t.size() / 2));
    EXPECT_FALSE(readPenPenTableFile(path, again, againName));
    EXPECT_EQ(again, pens);
}

TEST(PenTables, StartUpReadsTableOnlyAfterSettingsLoaded) {
    TempFolder dir;
    SettingsStore store(dir.path(), "QuindleMini");
    writeBytes(penTablePath(dir.path(), 2), penTableText("Second\r\n"));
    std::string map;
    for (int i = 0; i < 256; ++i)
        map += std::to_string((i + 1) % 256) + "\r\n";
    writeBytes(penPenTablePath(dir.path(), 4), map);

    store.values.pens.PenTblNo = 2;
    store.values.pens.PenPenTblNo = 4;
    store.penTable.display[9] = 0;
    store.loadPenTablesAtStartUp(true);
    EXPECT_EQ(store.penTable.colour[3], 1003u);
    EXPECT_EQ(store.penTable.width[3], 3);
    EXPECT_EQ(store.penTable.name, "Second");
    EXPECT_EQ(store.penTable.display[9], 1);
    EXPECT_EQ(store.translatePen(10), 11);
    EXPECT_EQ(store.penPenTable.name, "");

    store.loadPenTablesAtStartUp(false);
    EXPECT_EQ(store.penTable.colour, defaultPenColours());
    EXPECT_EQ(store.penTable.width[3], 0);

    store.values.pens.PenTblNo = 3; // no file
    store.loadPenTablesAtStartUp(true);
    EXPECT_EQ(store.penTable.colour, defaultPenColours());
    EXPECT_EQ(store.penTable.name, "");
}

TEST(PenTables, ChoosingTableFromMenu) {
    TempFolder dir;
    SettingsStore store(dir.path(), "QuindleMini");
    store.values.pens.PenTblNo = 1;
    store.penTable.display[4] = 0;
    EXPECT_EQ(store.penTableMenuCaption(5), "PenTable-5 ");

    EXPECT_EQ(store.PenTBLNoChange(5), PenTableSwitch::Failed);
    EXPECT_EQ(store.values.pens.PenTblNo, 1);
    EXPECT_EQ(store.penTable.colour, defaultPenColours());

    writeBytes(penTablePath(dir.path(), 5), penTableText("Fifth\r\n"));
    EXPECT_EQ(store.penTableMenuCaption(5), "PenTable-5 Fifth");
    EXPECT_EQ(store.PenTBLNoChange(5), PenTableSwitch::Switched);
    EXPECT_EQ(store.values.pens.PenTblNo, 5);
    EXPECT_EQ(store.penTable.colour[0], 1000u);
    EXPECT_EQ(store.penTable.name, "Fifth");
    EXPECT_EQ(store.penTable.display[4], 0);
    EXPECT_EQ(penTableButtonCaption(store.values.pens.PenTblNo), "P5");

    writeBytes(penTablePath(dir.path(), 5), "");
    EXPECT_EQ(store.PenTBLNoChange(5), PenTableSwitch::Unchanged);
    EXPECT_EQ(store.PenTBLNoChange(9), PenTableSwitch::Failed);
}

TEST(PenTables, TranslationOnlyWhileTableChosenAndResetAfterOpen) {
    TempFolder dir;
    SettingsStore store(dir.path(), "QuindleMini");
    store.penPenTable.map[12] = 3;
    EXPECT_EQ(store.translatePen(12), 12);
    store.values.pens.PenPenTblNo = 2;
    EXPECT_EQ(store.translatePen(12), 3);
    EXPECT_EQ(store.translatePen(400), 400);

    store.afterFileOpen();
    EXPECT_EQ(store.values.pens.PenPenTblNo, 2);
    store.values.pens.ResetPenPenTBL = true;
    store.afterFileOpen();
    EXPECT_EQ(store.values.pens.PenPenTblNo, 0);

    store.loadPenPenTable(2); // no file: identity
    EXPECT_EQ(store.penPenTable.map[12], 12);
    store.penPenTable.name = "Mine";
    ASSERT_TRUE(store.writePenPenTable(2));
    store.penPenTable = PenPenTable{};
    store.loadPenPenTable(2);
    EXPECT_EQ(store.penPenTable.name, "Mine");
}
