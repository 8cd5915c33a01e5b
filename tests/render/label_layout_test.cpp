// Label layout without pixels: the text kind a label header selects, and the
// stroke font's glyph table.

#include <gtest/gtest.h>

#include "render/label_draw.h"
#include "render/vector_font.h"

using view::TextKind;

TEST(LabelLayout, TextKindFollowsTheSetTheWindowsCharSetAndTheFontSetting) {
    EXPECT_EQ(view::textKindOf(48, 0, 0), TextKind::VectorOneByte);
    EXPECT_EQ(view::textKindOf(80, 0, 0), TextKind::VectorTwoByte); // a two-byte set
    EXPECT_EQ(view::textKindOf(48, 0, 1), TextKind::SystemOneByte); // system font chosen
    EXPECT_EQ(view::textKindOf(152, 0, 1), TextKind::SystemTwoByte);
    EXPECT_EQ(view::textKindOf(48, 128, 0), TextKind::VectorOneByte);
    // Hangul, GB2312 and Big5 texts always take a system font.
    EXPECT_EQ(view::textKindOf(48, 129, 0), TextKind::SystemOneByte);
    EXPECT_EQ(view::textKindOf(153, 136, 0), TextKind::SystemTwoByte);
}

TEST(VectorFont, EveryPrintableCharacterHasAGlyphInTheCell) {
    const view::VectorFont& f = view::vectorFont();
    for (int c = 33; c < 127; ++c) {
        ASSERT_TRUE(f.has(c)) << c;
        EXPECT_GE(f.pointCount(c), 2) << c;
        EXPECT_EQ(f.advanceOf(c), 77);
        const uint8_t* p = f.glyph(c);
        EXPECT_GE(p[1], 128) << "a glyph starts with a move: " << c;
        for (int k = 0; k < f.pointCount(c); ++k)
            EXPECT_LE(p[2 * k], 77) << c;
    }
    EXPECT_EQ(f.pointCount(' '), 0);
}
