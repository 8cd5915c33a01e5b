// Entry rules of the line property, grid and pen dialogs, and the mouse help text.

#include <gtest/gtest.h>

#include "settings/entry_validation.h"
#include "settings/mouse_help_text.h"

using namespace settings;

namespace {
constexpr int kMm = 0, kCm = 1, kIn = 3;
}

TEST(EntryValidation, PatternLengthInInches) {
    int32_t stored = 123;
    EXPECT_FALSE(acceptPatternLength("0.001", kIn, stored)); // below 0.05 mm
    EXPECT_EQ(stored, 123);
    EXPECT_TRUE(acceptPatternLength("1", kIn, stored));
    EXPECT_EQ(stored, 1016);
    EXPECT_EQ(showLength(1016, kIn), "1.0000");
}

TEST(EntryValidation, PatternLengthLimitsAndBadText) {
    int32_t stored = 7;
    EXPECT_TRUE(acceptPatternLength("0.05", kMm, stored));
    EXPECT_EQ(stored, 2);
    EXPECT_FALSE(acceptPatternLength("1000", kMm, stored)); // upper limit is exclusive
    EXPECT_TRUE(acceptPatternLength("99.99", kCm, stored));
    EXPECT_EQ(stored, 39996);
    for (const char* bad : {"", "abc", "1,5", "2mm", "nan", "inf"})
        EXPECT_FALSE(acceptPatternLength(bad, kMm, stored)) << bad;
    EXPECT_EQ(stored, 39996);
}

TEST(EntryValidation, MinimumDotLengths) {
    int32_t dots = 3;
    EXPECT_FALSE(acceptDspMinLinDot("11", dots));
    EXPECT_FALSE(acceptDspMinLinDot("-1", dots));
    EXPECT_FALSE(acceptDspMinLinDot("2.5", dots));
    EXPECT_EQ(dots, 3);
    EXPECT_TRUE(acceptDspMinLinDot("10", dots));
    EXPECT_EQ(dots, 10);
    EXPECT_EQ(showDspMinLinDot(7), "  7");

    int32_t pu = 5;
    EXPECT_TRUE(acceptPltMinLinDot("10", kMm, pu)); // 10 mm inclusive
    EXPECT_EQ(pu, 400);
    EXPECT_FALSE(acceptPltMinLinDot("10.01", kMm, pu));
    EXPECT_TRUE(acceptPltMinLinDot("0", kMm, pu));
    EXPECT_EQ(pu, 0);
}

TEST(EntryValidation, GridPitchAndOrigin) {
    double v = 1.5;
    EXPECT_TRUE(acceptGridOrigin("-10000", kMm, v));
    EXPECT_DOUBLE_EQ(v, -400000.0);
    EXPECT_FALSE(acceptGridOrigin("-10000.1", kMm, v));
    EXPECT_DOUBLE_EQ(v, -400000.0);

    EXPECT_TRUE(acceptGridPitch("0.025", kMm, v));
    EXPECT_DOUBLE_EQ(v, 1.0);
    EXPECT_FALSE(acceptGridPitch("0.02", kMm, v));
    EXPECT_FALSE(acceptGridPitch("100.1", kCm, v)); // 1001 mm
    EXPECT_FALSE(acceptGridPitch("-1", kMm, v));
    EXPECT_TRUE(acceptGridPitch("0.5", kIn, v));
    EXPECT_DOUBLE_EQ(v, 508.0);
    EXPECT_DOUBLE_EQ(insertGridPitch(v), 254.0);
}

TEST(EntryValidation, GridOkReturnsOneOnlyWhenDrawingChanges) {
    GridSettings stored;
    GridSettings edited = stored;
    EXPECT_EQ(storeGridSettings(stored, edited), 2);

    edited.InsGrdMode = true; // stored, but does not change the picture
    EXPECT_EQ(storeGridSettings(stored, edited), 2);
    EXPECT_TRUE(stored.InsGrdMode);

    edited.GridOriginY = 4.0;
    EXPECT_EQ(storeGridSettings(stored, edited), 1);
    EXPECT_DOUBLE_EQ(stored.GridOriginY, 4.0);
    edited.DisGrdMode = true;
    EXPECT_EQ(storeGridSettings(stored, edited), 1);
}

TEST(EntryValidation, PenWidthEditor) {
    PenWidthEditor inch = penWidthEditor(kIn);
    EXPECT_NEAR(inch.maximum, 0.393700787, 1e-9);
    EXPECT_NEAR(inch.increment, inch.maximum / 200, 1e-12);
    EXPECT_EQ(inch.decimals, 4);

    int32_t width = 1;
    EXPECT_TRUE(acceptPenWidth(0.35, kMm, width));
    EXPECT_EQ(width, 35);
    EXPECT_FALSE(acceptPenWidth(10.5, kMm, width));
    EXPECT_FALSE(acceptPenWidth(-0.1, kMm, width));
    EXPECT_EQ(width, 35);
    EXPECT_TRUE(acceptPenWidth(inch.maximum, kIn, width));
    EXPECT_EQ(width, 1000);
    EXPECT_NEAR(penWidthInUnit(254, kIn), 0.1, 1e-12);

    EXPECT_EQ(penWidthBarHeight(200), 15);
    EXPECT_EQ(penWidthBarHeight(50), 5);
    EXPECT_EQ(penWidthBarHeight(-30), 0);
}

TEST(MouseHelpText, ShowsClickAndDragNames) {
    MouseSettings m;
    m.ZoomIconMode = 0;
    EXPECT_EQ(mouseHelpText(m, false),
              "LeftClick:NonOpe,Rightclick:NonOpe  |  LeftDrag:SetArea,RightDrag:SetArea");

    m.MouseOpeLClick = 1;
    m.MouseOpeRClick = 2;
    m.MouseOpeOffLDrag = 1;
    m.MouseOpeOnRDrag = 1;
    EXPECT_EQ(mouseHelpText(m, false),
              "LeftClick:DisAll,Rightclick:DisShift  |  LeftDrag:DisZoom,RightDrag:SetArea");
    EXPECT_EQ(mouseHelpText(m, true),
              "LeftClick:DisAll,Rightclick:DisShift  |  LeftDrag:DisShift,RightDrag:DisUpDown");

    m.MouseOpeLClick = 200; // never indexes past the names
    EXPECT_EQ(mouseHelpText(m, true).substr(0, 17), "LeftClick:NonOpe,");
}
