// The settings and pen tables shipped in the Init folder, as a new user meets them: the
// settings select a pen table, the five tables are named, in the exact file format, and
// their pens stand out from the background pen.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "settings/pen_tables.h"
#include "settings/settings_store.h"
#include "temp_folder.h"

using namespace settings;
using settings_test::readBytes;
using settings_test::TempFolder;

namespace {

const std::string kInit = QM_INIT_DIR;

// WCAG relative luminance of a 0x00BBGGRR colour.
double luminance(uint32_t colour) {
    auto channel = [](uint32_t v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour & 0xFF) + 0.7152 * channel((colour >> 8) & 0xFF) +
           0.0722 * channel((colour >> 16) & 0xFF);
}

// WCAG contrast ratio of two colours, 1 to 21.
double contrast(uint32_t a, uint32_t b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct ShippedTable {
    PenColours colour{};
    PenWidths width{};
    std::string name;
};

ShippedTable readShipped(int n) {
    ShippedTable t;
    EXPECT_TRUE(readPenTableFile(penTablePath(kInit, n), t.colour, t.width, t.name)) << n;
    return t;
}

SettingsRecord shippedSettings() {
    SettingsRecord r;
    EXPECT_EQ(loadSettingsFile(kInit + "/QuindleMini.PAR", r), LoadResult::Loaded);
    return r;
}

} // namespace

TEST(ShippedFiles, ContrastFormulaMatchesKnownRatios) {
    EXPECT_NEAR(contrast(0x000000, 0xFFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(contrast(0xFFFFFF, 0x000000), 21.0, 1e-9);
    EXPECT_NEAR(contrast(0x123456, 0x123456), 1.0, 1e-9);
    // The built-in palette on black: dark red 1.9:1, dark blue 1.3:1, blue 2.4:1.
    const PenColours builtIn = defaultPenColours();
    EXPECT_NEAR(contrast(builtIn[1], 0), 1.90, 0.01);
    EXPECT_NEAR(contrast(builtIn[4], 0), 1.31, 0.01);
    EXPECT_NEAR(contrast(builtIn[12], 0), 2.44, 0.01);
}

TEST(ShippedFiles, SettingsSelectPenTableOneAndKeepTheirFormat) {
    const SettingsRecord r = shippedSettings();
    EXPECT_EQ(r.pens.PenTblNo, 1);
    EXPECT_EQ(r.pens.PenPenTblNo, 0);
    EXPECT_EQ(r.pens.BackPenNo, 0);
    EXPECT_EQ(readBytes(kInit + "/QuindleMini.PAR"), settingsFileText(r));

    // Start-up with the shipped folder takes table 1's colours, not the built-in palette.
    SettingsStore store(kInit, "QuindleMini");
    store.setDefaults();
    ASSERT_EQ(store.load(), LoadResult::Loaded);
    store.loadPenTablesAtStartUp(true);
    const ShippedTable one = readShipped(1);
    EXPECT_EQ(store.penTable.colour, one.colour);
    EXPECT_EQ(store.penTable.name, one.name);
    EXPECT_NE(store.penTable.colour, defaultPenColours());
}

TEST(ShippedFiles, PenTablesAreNamedAndWrittenInTheFileFormat) {
    TempFolder dir;
    std::set<std::string> names;
    for (int n = 1; n <= kPenTableCount; ++n) {
        SCOPED_TRACE("PenTable" + std::to_string(n));
        const ShippedTable t = readShipped(n);
        EXPECT_FALSE(t.name.empty());
        names.insert(t.name);
        // Written again by the program, each file comes out byte for byte the same.
        const std::string copy = dir.file("copy.par");
        ASSERT_TRUE(writePenTableFile(copy, t.colour, t.width, t.name));
        EXPECT_EQ(readBytes(copy), readBytes(penTablePath(kInit, n)));
    }
    EXPECT_EQ(names.size(), 5u);
}

TEST(ShippedFiles, PenTablesStandOutFromTheirBackground) {
    const SettingsRecord r = shippedSettings();
    const int back = r.pens.BackPenNo;
    int builtInCopies = 0;
    for (int n = 1; n <= kPenTableCount; ++n) {
        const ShippedTable t = readShipped(n);
        double lowest = 21.0;
        int lowestPen = -1;
        for (int pen = 0; pen < kPenCount; ++pen) {
            if (pen == back) continue;
            const double c = contrast(t.colour[pen], t.colour[back]);
            if (c < lowest) {
                lowest = c;
                lowestPen = pen;
            }
        }
        // One table keeps the built-in palette for those who want it as it is; every other
        // table gives every pen at least 4.5:1 against the background.
        if (t.colour == defaultPenColours(back, r.pens.MarkPenNo)) {
            ++builtInCopies;
            continue;
        }
        EXPECT_GE(lowest, 4.5) << "PenTable" << n << " (" << t.name << "), pen " << lowestPen;
    }
    EXPECT_EQ(builtInCopies, 1);
    // The table selected for a new user is one of the readable ones.
    EXPECT_NE(readShipped(r.pens.PenTblNo).colour, defaultPenColours(back, r.pens.MarkPenNo));
}
