// Label drawing with the vector font: lines, line feeds and origins. Default
// size 114 x 150 plotter units; capitals are 0.9 x 150 = 135 units (13.5
// pixels) high; the line advance is 2 x 150 = 300 units (30 pixels).

#include <gtest/gtest.h>

#include "scene.h"

using viewtest::Scene;
namespace rec = interp::rec;

TEST(LabelDraw, CarriageReturnAndLineFeedStartTheNextLineBelowTheFirst) {
    Scene s;
    s.penSelect(1);
    s.penUp();
    s.point(200, 800);
    s.label("AB\r\nC", 1, 1);
    s.finish();
    s.render();
    const viewtest::InkBox first = s.ink(0, 0, 200, 22);
    const viewtest::InkBox second = s.ink(0, 22, 200, 100);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    // "C" one line advance (30 pixels) below the start of "AB".
    EXPECT_NEAR(second.y0 - first.y0, 30, 1);
    EXPECT_NEAR(second.x0, first.x0, 2);
    EXPECT_LT(second.x1, first.x0 + 14); // only one character wide
    EXPECT_TRUE(s.ink(0, 21, 200, 36).empty());
}

TEST(LabelDraw, OriginFiveCentresThePieceOnTheCurrentPoint) {
    Scene s;
    s.penSelect(1);
    s.record(rec::LabelOrigin{5});
    s.penUp();
    s.point(1000, 500);
    s.label("H");
    s.finish();
    s.render();
    const viewtest::InkBox b = s.ink();
    ASSERT_FALSE(b.empty());
    // The cell is 114 x 150 units; the glyph is centred in its cell's width
    // and 135 units high from the baseline, which lies 75 units below.
    EXPECT_NEAR((b.x0 + b.x1) / 2.0, 100.0, 1.5);
    EXPECT_NEAR(b.y1, 57.5, 1.5);
    EXPECT_NEAR(b.y0, 44.0, 1.5);
}

TEST(LabelDraw, OriginOneStartsAtTheCurrentPoint) {
    Scene s;
    s.penSelect(1);
    s.penUp();
    s.point(1000, 500);
    s.label("H");
    s.finish();
    s.render();
    const viewtest::InkBox b = s.ink();
    ASSERT_FALSE(b.empty());
    EXPECT_NEAR(b.y1, 50, 1); // baseline on the point
    EXPECT_GE(b.x0, 100);
    EXPECT_LT(b.x0, 105);
}

TEST(LabelDraw, ControlCharactersDrawAsQuestionMarks) {
    Scene a, b;
    for (Scene* s : {&a, &b}) {
        s->penSelect(1);
        s->penUp();
        s->point(1000, 500);
    }
    a.label(std::string("\x07", 1));
    b.label("?");
    a.finish();
    b.finish();
    a.render();
    b.render();
    EXPECT_FALSE(a.ink().empty());
    EXPECT_EQ(a.image, b.image);
}

TEST(LabelDraw, QuarterTurnDirectionTurnsExactly) {
    Scene s;
    s.penSelect(1);
    s.record(rec::LabelDirection{90000});
    s.penUp();
    s.point(1000, 200);
    s.label("HHH");
    s.finish();
    s.render();
    // Three advances of round(1.5 x 114) = 171 units straight up.
    const view::RenderState st = s.walkState();
    EXPECT_EQ(st.curX, 1000.0);
    EXPECT_EQ(st.curY, 200.0 + 3 * 171);
    const viewtest::InkBox b = s.ink();
    EXPECT_GT(b.y1 - b.y0, b.x1 - b.x0);
}

TEST(LabelDraw, SystemFontTextIsDrawnInThePenColour) {
    Scene s;
    s.settings.text.TextFontKind = 1;
    s.penSelect(1);
    s.record(rec::CharSize{300, 400});
    s.penUp();
    s.point(200, 300);
    s.label("HH");
    s.finish();
    s.render();
    const viewtest::InkBox b = s.ink();
    ASSERT_FALSE(b.empty());
    // The cell (0.9 x 1.4 x 400 units, 50 pixels) hangs from 50 pixels
    // above the point (pixel row 70) down to it; the glyphs lie inside.
    EXPECT_GE(b.y0, 19);
    EXPECT_LE(b.y1, 71);
    EXPECT_GT(b.y1 - b.y0, 20);
    EXPECT_GE(b.x0, 19);
    int penPixels = 0;
    for (int y = b.y0; y <= b.y1; ++y)
        for (int x = b.x0; x <= b.x1; ++x)
            penPixels += s.at(x, y) == viewtest::kPen1;
    EXPECT_GT(penPixels, 20);
}
