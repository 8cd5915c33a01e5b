// Label characters the stroke font has no glyph for: katakana of set 8,
// two-byte Shift-JIS text in the vector setting and one-byte codes from 128
// come from a system font, each in its character cell, and the pen moves on
// by whole cells. Cells are 114 x 1.5 = 171 units (17.1 pixels) apart.

#include <QFontDatabase>
#include <gtest/gtest.h>

#include "scene.h"

using viewtest::Scene;
namespace rec = interp::rec;

namespace {

bool japaneseFontInstalled() {
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

// A label at plotter (500, 300), pixel (50, 70), with the header's character
// set and Windows character set bytes.
void labelAt(Scene& s, const std::string& text, int charSet, int windowsCharSet) {
    s.penSelect(1);
    s.penUp();
    s.point(500, 300);
    const uint16_t chars = uint16_t(charSet == 80 ? text.size() / 2 : text.size());
    s.record(rec::Label{uint16_t(text.size()), chars, 0, 0, uint16_t(charSet), 0,
                        uint8_t(windowsCharSet)});
    s.model.appendLabelText(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    s.finish();
    s.render();
}

// Ink in the cells of `count` characters from the label point; the glyphs
// stand on the baseline (y 70) and reach at most a cell height (15 pixels)
// above it.
void expectInkInCells(const Scene& s, int count) {
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        const int x0 = 50 + int(i * 17.1);
        EXPECT_GT(s.ink(x0, 50, x0 + 16, 74).count, 4);
    }
    const viewtest::InkBox all = s.ink();
    EXPECT_GE(all.x0, 49);
    EXPECT_LE(all.x1, 50 + int(count * 17.1) + 1);
    EXPECT_GE(all.y0, 53);
    EXPECT_LE(all.y1, 74);
}

} // namespace

TEST(LabelText, SetEightKatakanaIsDrawnAndAdvances) {
    if (!japaneseFontInstalled()) GTEST_SKIP() << "no Japanese font installed";
    Scene s;
    labelAt(s, "\xB1\xB2\xB3", 48, 128); // ｱｲｳ as set 8 records them
    expectInkInCells(s, 3);
    EXPECT_EQ(s.walkState().curX, 500.0 + 3 * 171.0);
}

TEST(LabelText, ShiftJisTextInTheVectorSettingIsDrawnAndAdvances) {
    if (!japaneseFontInstalled()) GTEST_SKIP() << "no Japanese font installed";
    for (int set : {80, 152, 153}) {
        SCOPED_TRACE(set);
        Scene s;
        labelAt(s, "\x83\x41\x8A\xBF\x8E\x9A", set, 128); // ア, 漢, 字
        expectInkInCells(s, 3);
        EXPECT_EQ(s.walkState().curX, 500.0 + 3 * 171.0);
    }
}

TEST(LabelText, HighBytesOfOneByteSetsAreDrawnAsLatinText) {
    Scene s;
    labelAt(s, "A\xE9\xFC", 48, 0); // A, e acute, u diaeresis
    expectInkInCells(s, 3);
    EXPECT_EQ(s.walkState().curX, 500.0 + 3 * 171.0);
}

TEST(LabelText, TwoByteLabelTurnsWithTheDirection) {
    if (!japaneseFontInstalled()) GTEST_SKIP() << "no Japanese font installed";
    Scene s;
    s.record(rec::LabelDirection{90000});
    labelAt(s, "\x83\x41\x83\x43", 80, 128);
    // Up the page from (50, 70): two cells, 34 pixels, to the left of the
    // point's column.
    const viewtest::InkBox b = s.ink();
    ASSERT_FALSE(b.empty());
    EXPECT_GE(b.y0, 70 - 35);
    EXPECT_LE(b.y1, 71);
    EXPECT_LE(b.x1, 51);
    EXPECT_GE(b.x0, 50 - 16);
    const view::RenderState st = s.walkState();
    EXPECT_EQ(st.curX, 500.0);
    EXPECT_EQ(st.curY, 300.0 + 2 * 171.0);
}
