// Pictures of the render pass: positions from the view arithmetic (0.1 pixel
// per plotter unit, see scene.h), colours from the pen table.

#include <gtest/gtest.h>

#include "render/model_rotation.h"
#include "scene.h"

using viewtest::kPen1;
using viewtest::Scene;
namespace rec = interp::rec;

TEST(RenderPass, LineDrawsFromItsStartPixelUpToItsEnd) {
    Scene s;
    s.penSelect(1);
    s.line(500, 500, 1500, 500);
    s.finish();
    s.render();
    // (500, 500) is pixel (50, 50), (1500, 500) pixel (150, 50); the end
    // pixel belongs to the next segment of a polyline and is left out.
    EXPECT_EQ(s.at(50, 50), kPen1);
    EXPECT_EQ(s.at(149, 50), kPen1);
    EXPECT_EQ(s.at(150, 50), 0u);
    EXPECT_EQ(s.at(49, 50), 0u);
    EXPECT_EQ(s.ink().count, 100);
}

TEST(RenderPass, ZeroLengthSegmentShowsOnePixel) {
    Scene s;
    s.penSelect(1);
    s.line(1000, 500, 1000, 500);
    s.finish();
    s.render();
    EXPECT_EQ(s.at(100, 50), kPen1);
    EXPECT_EQ(s.ink().count, 1);
}

TEST(RenderPass, SegmentWithBothEndsOutsideDrawsOnlyTheCrossingPiece) {
    Scene s;
    s.penSelect(1);
    s.line(-5000, 500, 5000, 500);     // crosses the whole window
    s.line(-5000, -5000, -4000, 5000); // passes left of it
    s.finish();
    s.render();
    const viewtest::InkBox b = s.ink();
    EXPECT_EQ(b.y0, 50);
    EXPECT_EQ(b.y1, 50);
    EXPECT_EQ(b.x0, 0);
    EXPECT_EQ(b.x1, 199);
    EXPECT_EQ(b.count, 200);
}

TEST(RenderPass, HugeCoordinatesDrawOnlyTheVisiblePiece) {
    Scene s;
    s.penSelect(1);
    s.line(1000, 500, 2000000000, 500);
    s.line(-2147483647, -2147483647, 2147483647, 2147483647); // the diagonal y = x
    s.line(2147483647, -2147483647, 2147483647, 2147483647);  // far right
    s.finish();
    s.render();
    EXPECT_EQ(s.at(100, 50), kPen1);
    EXPECT_EQ(s.at(199, 50), kPen1);
    EXPECT_EQ(s.at(99, 50), 0u);
    // Plotter (500, 500) on the diagonal.
    EXPECT_EQ(s.at(50, 50), kPen1);
    EXPECT_EQ(s.at(20, 80), kPen1);
}

TEST(RenderPass, PenColourRecordRecoloursTheCurrentPenAtOnce) {
    Scene s;
    s.penSelect(1);
    s.penUp();
    s.point(0, 500);
    s.penDown();
    s.point(1000, 500);
    s.penColour(1, 0, 255, 0);
    s.point(1900, 500);
    s.finish();
    s.render();
    EXPECT_EQ(s.at(50, 50), kPen1);
    EXPECT_EQ(s.at(150, 50), 0x00FF00u);
}

TEST(RenderPass, PenColourRecordIgnoredWithIgnorePc) {
    Scene s;
    s.settings.pens.NotPC = true;
    s.penSelect(1);
    s.penColour(1, 0, 255, 0);
    s.line(0, 500, 1900, 500);
    s.finish();
    s.render();
    EXPECT_EQ(s.at(150, 50), kPen1);
}

TEST(RenderPass, SameColourAsBackgroundIsChanged) {
    Scene s;
    s.penSelect(16); // pen 16 defaults to black, the background colour
    s.line(0, 500, 1900, 500);
    s.finish();
    s.render();
    EXPECT_EQ(s.at(100, 50), 0xFFFFFFu);
}

// PW 1 mm for all pens: 40 plotter units, 4 pixels; the canvas pen is
// round(4 + 0.6) = 5 pixels wide.
TEST(RenderPass, PenWidthRecordWidensEveryPen) {
    Scene s;
    s.penWidth(1000, -1);
    s.penSelect(3);
    s.line(200, 500, 1800, 500);
    s.finish();
    s.render();
    const viewtest::InkBox b = s.ink(90, 0, 110, 100);
    EXPECT_EQ(b.y0, 48);
    EXPECT_EQ(b.y1, 52);
}

TEST(RenderPass, PenWidthRecordIgnoredKeepsThePenTableWidth) {
    Scene s;
    s.settings.pens.NotPW = true;
    s.pens.width[3] = 50; // 0.5 mm = 20 plotter units = 2 pixels, canvas pen 3
    s.penWidth(1000, -1);
    s.penSelect(3);
    s.line(200, 500, 1800, 500);
    s.finish();
    s.render();
    const viewtest::InkBox b = s.ink(90, 0, 110, 100);
    EXPECT_EQ(b.y1 - b.y0 + 1, 3);
}

TEST(RenderPass, HiddenPenDrawsNothing) {
    Scene s;
    s.pens.display[2] = 0;
    s.penSelect(2);
    s.line(0, 500, 1900, 500);
    s.finish();
    s.render();
    EXPECT_TRUE(s.ink().empty());
}

TEST(RenderPass, InputWindowClipsTheDrawing) {
    Scene s;
    s.record(rec::InputWindow{500, 0, 1000, 1000});
    s.penSelect(1);
    s.line(0, 500, 1900, 500);
    s.finish();
    s.render();
    const viewtest::InkBox b = s.ink();
    // The window (pixels 50..100) is widened by one pixel on each side into
    // a rectangle whose right edge is exclusive: 49..100 show.
    EXPECT_EQ(b.x0, 49);
    EXPECT_EQ(b.x1, 100);
}

TEST(RenderPass, InputWindowKeepsNoExtraColumnOrRow) {
    // Corners at pixels (50, 80) and (150, 20): the rectangle (49, 19) to
    // (151, 81) with exclusive right and bottom edges shows 49..150 across
    // and 19..80 down.
    Scene s;
    s.record(rec::InputWindow{500, 200, 1500, 800});
    s.penSelect(1);
    s.fillType(1, 0, 0);
    s.penUp();
    s.point(0, 0);
    s.fillRectangle(0, 0, 1990, 990);
    s.finish();
    s.render();
    const viewtest::InkBox b = s.ink();
    EXPECT_EQ(b.x0, 49);
    EXPECT_EQ(b.x1, 150);
    EXPECT_EQ(b.y0, 19);
    EXPECT_EQ(b.y1, 80);
}

TEST(RenderPass, DashedLineLeavesGaps) {
    Scene s;
    s.record(rec::LineType{2, 400}); // 40 pixels: 20 on, 20 off
    s.penSelect(1);
    s.line(0, 500, 1990, 500);
    s.finish();
    s.render();
    const int inked = s.ink().count;
    EXPECT_GT(inked, 80);
    EXPECT_LT(inked, 120);
    EXPECT_EQ(s.at(5, 50), kPen1);
    EXPECT_EQ(s.at(25, 50), 0u);
}

TEST(RenderPass, DotsShowOnePixelUnderEveryLineType) {
    for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 8, -2, -5}) {
        SCOPED_TRACE(type);
        Scene s;
        s.record(rec::LineType{int16_t(type), 400});
        s.penSelect(1);
        s.line(1000, 500, 1000, 500);
        s.penUp();
        s.point(500, 500);
        s.record(rec::Circle{10, 72}); // one pixel across: drawn as a dot
        s.finish();
        s.render();
        EXPECT_EQ(s.at(100, 50), kPen1);
        EXPECT_EQ(s.at(50, 50), kPen1);
        EXPECT_EQ(s.ink().count, 2);
    }
}

TEST(RenderPass, ShortDashesAreStretchedToTheMinimumLength) {
    Scene s;
    s.settings.line.DspMinLinDot = 4;
    s.record(rec::LineType{2, 10}); // 1 pixel pattern: raised to 8 pixels, dashes of 4
    s.penSelect(1);
    s.line(0, 500, 1600, 500);
    s.finish();
    s.render();
    EXPECT_EQ(s.at(0, 50), kPen1);
    EXPECT_EQ(s.at(3, 50), kPen1);
    EXPECT_EQ(s.at(5, 50), 0u);
    EXPECT_EQ(s.at(8, 50), kPen1);
}

TEST(RenderPass, FullCircleArcEndsATenthOfADegreeShort) {
    Scene s;
    s.penSelect(1);
    s.penUp();
    s.point(2000, 500);
    s.penDown();
    s.record(rec::Arc{1000, 500, 360000, 72});
    s.finish();
    s.render();
    const view::RenderState st = s.walkState();
    EXPECT_EQ(st.curX, 2000.0); // 1000 + 1000 cos(359.9) = 1999.998
    EXPECT_EQ(st.curY, 498.0);  // 500 + 1000 sin(359.9) = 498.25
    // The circle shows at its left end.
    EXPECT_EQ(s.at(0, 50) == kPen1 || s.at(1, 50) == kPen1, true);
}

TEST(RenderPass, SmallFullCircleArcEndsOnItsStart) {
    Scene s;
    s.penSelect(1);
    s.penUp();
    s.point(1200, 500);
    s.penDown();
    s.record(rec::Arc{1000, 500, 360000, 72});
    s.finish();
    s.render();
    const view::RenderState st = s.walkState();
    EXPECT_EQ(st.curX, 1200.0);
    EXPECT_EQ(st.curY, 500.0);
}

TEST(RenderPass, CircleIsDrawnAroundTheCurrentPosition) {
    Scene s;
    s.penSelect(1);
    s.penUp();
    s.point(1000, 500);
    s.record(rec::Circle{300, 72});
    s.finish();
    s.render();
    const viewtest::InkBox b = s.ink();
    EXPECT_NEAR(b.x0, 70, 1);
    EXPECT_NEAR(b.x1, 130, 1);
    EXPECT_NEAR(b.y0, 20, 1);
    EXPECT_NEAR(b.y1, 80, 1);
    EXPECT_FALSE(s.inked(100, 50));
}

TEST(RenderPass, GridDotsAndOriginCross) {
    Scene s;
    s.settings.grid.DisGrdMode = true;
    s.settings.grid.GridPitchX = s.settings.grid.GridPitchY = 100.0; // 10 pixels
    s.settings.grid.GridInterval = 5;
    s.settings.grid.GridOriginX = 1000.0;
    s.settings.grid.GridOriginY = 500.0;
    s.finish();
    s.render();
    EXPECT_EQ(s.at(10, 40), 0x0000FFu);  // fine dot (red)
    EXPECT_EQ(s.at(50, 50), 0x00FFFFu);  // rough dot (yellow)
    EXPECT_EQ(s.at(103, 50), 0x00FFFFu); // origin cross
    EXPECT_EQ(s.at(100, 47), 0x00FFFFu);
    EXPECT_EQ(s.at(15, 45), 0u);
}

TEST(RenderPass, GridOriginCrossNearTheEdgeKeepsItsInsideArms) {
    Scene s;
    s.settings.grid.DisGrdMode = true;
    s.settings.grid.GridPitchX = s.settings.grid.GridPitchY = 1000.0;
    s.settings.grid.GridInterval = 1;
    s.settings.grid.GridOriginX = 20.0; // pixel (2, 98): arms reach past two edges
    s.settings.grid.GridOriginY = 20.0;
    s.finish();
    s.render();
    EXPECT_EQ(s.at(5, 98), 0x00FFFFu); // horizontal arm, right of the centre
    EXPECT_EQ(s.at(0, 98), 0x00FFFFu); // and its piece left of it
    EXPECT_EQ(s.at(2, 95), 0x00FFFFu); // vertical arm, above the centre
}

// ---- fills ----

namespace {

// Inked share of the pixels inside the rectangle (40, 20)-(160, 80).
double inkedShare(const Scene& s) {
    int inked = 0, all = 0;
    for (int y = 25; y < 75; ++y)
        for (int x = 45; x < 155; ++x) {
            ++all;
            if (s.at(x, y) != 0) ++inked;
        }
    return double(inked) / all;
}

void filled(Scene& s, int type, int32_t spacing, int32_t angle100) {
    s.penSelect(1);
    s.fillType(type, spacing, angle100);
    s.penUp();
    s.point(400, 200);
    s.fillRectangle(400, 200, 1600, 800);
    s.finish();
    s.render();
}

} // namespace

TEST(RenderFill, SolidTypesFillTheWholeRectangle) {
    for (int type : {1, 2}) {
        Scene s;
        filled(s, type, 0, 0);
        EXPECT_EQ(s.at(100, 50), kPen1) << type;
        EXPECT_DOUBLE_EQ(inkedShare(s), 1.0) << type;
        EXPECT_EQ(s.at(30, 50), 0u) << type;
    }
}

TEST(RenderFill, HatchingDrawsParallelLines) {
    Scene s;
    filled(s, 3, 100, 0); // horizontal lines every 10 pixels
    const double share = inkedShare(s);
    EXPECT_GT(share, 0.07);
    EXPECT_LT(share, 0.13);
    EXPECT_EQ(s.at(100, 50), kPen1); // y = 500 is a multiple of the spacing
    EXPECT_EQ(s.at(100, 55), 0u);
    EXPECT_EQ(s.at(30, 50), 0u); // clipped to the polygon
}

TEST(RenderFill, CrossHatchingAddsASecondSet) {
    Scene s;
    filled(s, 4, 100, 0);
    const double share = inkedShare(s);
    EXPECT_GT(share, 0.15);
    EXPECT_LT(share, 0.25);
    EXPECT_EQ(s.at(100, 55), kPen1); // x = 1000 is a multiple of the spacing
}

TEST(RenderFill, ShadingUsesTheDensityPattern) {
    Scene s;
    filled(s, 10, 50, 0); // 50 %: density 8, every other pixel
    EXPECT_NEAR(inkedShare(s), 0.5, 0.02);
}

TEST(RenderFill, ShadingLevelAlwaysFullWithTheHundredPercentOption) {
    Scene s;
    s.settings.pens.FTLebel100 = true;
    s.penSelect(1);
    s.fillType(10, 50, 0);
    s.fillRectangle(400, 200, 1600, 800);
    s.finish();
    s.render();
    EXPECT_DOUBLE_EQ(inkedShare(s), 1.0);
}

TEST(RenderFill, UserPatternWithoutPatternsIsSolid) {
    Scene s;
    filled(s, 11, 1, 0);
    EXPECT_DOUBLE_EQ(inkedShare(s), 1.0);
}

TEST(RenderFill, PredefinedPatternInksPartOfTheArea) {
    Scene s;
    filled(s, 22, 1, 0);
    const double share = inkedShare(s);
    EXPECT_GT(share, 0.1);
    EXPECT_LT(share, 0.5);
}

TEST(RenderFill, IgnoreFpDrawsTheOutlineOnly) {
    Scene s;
    s.settings.pens.NotFP = true;
    s.penSelect(1);
    s.fillRectangle(400, 200, 1600, 800);
    s.finish();
    s.render();
    EXPECT_EQ(s.at(100, 50), 0u);
    EXPECT_EQ(s.at(40, 50), kPen1);
    EXPECT_EQ(s.at(100, 20), kPen1);
}

TEST(RenderFill, LargePolygonStillFillsWhenZoomedIn) {
    Scene s;
    s.penSelect(1);
    s.fillRectangle(-200000000, -200000000, 200000000, 200000000);
    s.finish();
    s.render();
    EXPECT_EQ(s.at(0, 0), kPen1);
    EXPECT_EQ(s.at(199, 99), kPen1);
}

// ---- view: mirror and rotations ----

namespace {

// An "L": a long line to the right and a short one up from the corner (0, 0).
void elbow(Scene& s) {
    s.penSelect(1);
    s.line(0, 0, 1000, 0);
    s.line(0, 0, 0, 300);
    s.model.finishLoad(interp::PaperCorner{});
}

} // namespace

TEST(RenderView, RotationsTurnTheDrawing) {
    struct Case {
        int rotation;
        bool wide;       // the long line is horizontal
        bool cornerLeft; // the corner is at the left of the ink box
        bool cornerBottom;
    };
    for (const Case& c : {Case{1, true, true, true}, Case{2, false, false, true},
                          Case{3, true, false, false}, Case{4, false, true, false}}) {
        Scene s;
        elbow(s);
        view::ApplyDisplayRotation(s.model, s.values, c.rotation);
        s.render(200, 200, true);
        const viewtest::InkBox b = s.ink();
        ASSERT_FALSE(b.empty());
        EXPECT_EQ(b.x1 - b.x0 > b.y1 - b.y0, c.wide) << c.rotation;
        const int x = c.cornerLeft ? b.x0 : b.x1;
        const int y = c.cornerBottom ? b.y1 : b.y0;
        EXPECT_TRUE(s.inked(x, y)) << c.rotation;
        EXPECT_FALSE(s.inked(c.cornerLeft ? b.x1 : b.x0, c.cornerBottom ? b.y0 : b.y1))
            << c.rotation;
    }
}

TEST(RenderView, RotatingBackRestoresTheModel) {
    Scene s;
    elbow(s);
    view::ApplyDisplayRotation(s.model, s.values, 3);
    view::ApplyDisplayRotation(s.model, s.values, 1);
    s.render(200, 200, true);
    Scene t;
    elbow(t);
    t.render(200, 200, true);
    EXPECT_EQ(s.image, t.image);
}

TEST(RenderView, MirrorShowsTheLeftmostPointAtTheRight) {
    Scene s;
    elbow(s);
    s.values.mirror = true;
    s.render(200, 200, true);
    const viewtest::InkBox b = s.ink();
    EXPECT_TRUE(s.inked(b.x1, b.y1)); // the corner: bottom right
    EXPECT_FALSE(s.inked(b.x0, b.y0));
    EXPECT_GT(b.x1, 150);
}
