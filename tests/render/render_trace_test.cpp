// What the render core asks of a canvas, read from the trace canvas: no
// pixels, the pass on its general path. Positions as in drawing_builder.h:
// plotter (x, y) at pixel (x / 10, 100 - y / 10).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "drawing_builder.h"

using rendertest::Drawing;
namespace rec = interp::rec;

namespace {

using Lines = std::vector<std::string>;

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

// Index of the first line at or after `from` that starts with `prefix`, or -1.
int find(const Lines& lines, const std::string& prefix, int from = 0) {
    for (int i = std::max(0, from); i < int(lines.size()); ++i)
        if (startsWith(lines[size_t(i)], prefix)) return i;
    return -1;
}

int count(const Lines& lines, const std::string& prefix) {
    return int(std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& l) { return startsWith(l, prefix); }));
}

} // namespace

TEST(ComposePicture, ClearsWithTheBackPenThenDrawsThePageAndLeavesAnXorPen) {
    Drawing d;
    d.penSelect(1);
    d.line(500, 500, 1500, 500);
    d.finish();
    const Lines lines = d.trace();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "fillRect 0 0 200 100 0x000000"); // pen 0, the back pen, is black
    EXPECT_EQ(lines[1], "setPen 0x000000 1 copy");
    EXPECT_EQ(count(lines, "setPixel"), 0); // no grid
    // The rubber band draws next: xor, the mark pen's colour, one pixel.
    const uint32_t mark = d.pens.colour[d.settings.pens.MarkPenNo];
    char last[40];
    std::snprintf(last, sizeof last, "setPen 0x%06X 1 xor", mark);
    EXPECT_EQ(lines.back(), last);
}

TEST(ComposePicture, GridDotsComeOverThePageWhenTheGridIsOn) {
    Drawing d;
    d.settings.grid.DisGrdMode = true;
    d.settings.grid.GridPitchX = d.settings.grid.GridPitchY = 500.0; // 50 pixels
    d.penSelect(1);
    d.line(500, 500, 1500, 500);
    d.finish();
    const Lines lines = d.trace();
    const int pageEnd = find(lines, "lineTo 150 50");
    const int firstDot = find(lines, "setPixel");
    ASSERT_GE(pageEnd, 0);
    ASSERT_GE(firstDot, 0);
    EXPECT_GT(firstDot, pageEnd);
    // Fine dots in red at every 50 pixels, the origin cross in yellow.
    EXPECT_GE(find(lines, "setPixel 50 50 0x0000FF"), 0);
    EXPECT_GE(find(lines, "setPen 0x00FFFF 1 copy", firstDot), 0);
}

TEST(RenderTrace, PolylineIsOneMoveAndALineToEveryNextVertex) {
    Drawing d;
    d.penSelect(1);
    d.line(500, 500, 1500, 500);
    d.point(1500, 900);
    d.finish();
    const Lines lines = d.trace();
    const int move = find(lines, "moveTo");
    ASSERT_GE(move, 0);
    ASSERT_LT(move + 2, int(lines.size()));
    EXPECT_EQ(lines[size_t(move) - 1], "setPen 0x00007F 1 copy"); // pen 1, one pixel
    EXPECT_EQ(lines[size_t(move)], "moveTo 50 50");
    EXPECT_EQ(lines[size_t(move) + 1], "lineTo 150 50");
    EXPECT_EQ(lines[size_t(move) + 2], "lineTo 150 10");
    EXPECT_EQ(count(lines, "moveTo"), 1);
}

TEST(RenderTrace, InputWindowClipsOnePixelWiderAndThePageEndClearsIt) {
    Drawing d;
    d.record(rec::InputWindow{500, 0, 1000, 1000}); // pixels 50..100 by 100..0
    d.penSelect(1);
    d.line(0, 500, 1900, 500);
    d.finish();
    const Lines lines = d.trace();
    const int clip = find(lines, "setClipRect");
    ASSERT_GE(clip, 0);
    // Widened by a pixel on each side, right and bottom edges exclusive:
    // x 49..100, y -1..100.
    EXPECT_EQ(lines[size_t(clip)], "setClipRect 49 -1 101 101");
    EXPECT_GT(find(lines, "lineTo", clip), clip);
    EXPECT_GT(find(lines, "clearClip", clip), find(lines, "lineTo", clip));
}

TEST(RenderTrace, SquareEndedWidePenIsAFilledOutline) {
    Drawing d;
    d.penWidth(1000, -1);                 // 1 mm: 40 plotter units, 4 pixels; the canvas pen 5
    d.record(rec::LineAttributes{50022}); // square ends and joins
    d.penSelect(3);
    d.line(200, 500, 1800, 500);
    d.finish();
    const Lines lines = d.trace();
    EXPECT_EQ(count(lines, "lineTo"), 0);
    // The body 2.5 pixels to each side of y 50 and a square cap at each end.
    EXPECT_GE(find(lines, "fillPolygon winding copy 0x007F7F | 20,47.5 180,47.5 180,52.5 20,52.5 "
                          "| 17.5,52.5 17.5,47.5 20,47.5 20,52.5 "
                          "| 182.5,47.5 182.5,52.5 180,52.5 180,47.5"),
              0);
}

TEST(RenderTrace, ShadedFillIsAPatternBrushMergedOnBlackPaper) {
    Drawing d;
    d.penSelect(1);
    d.fillType(10, 50, 0); // 50 %: density 8, a checkerboard
    d.fillRectangle(400, 200, 1600, 800);
    d.finish();
    const Lines lines = d.trace();
    EXPECT_GE(find(lines, "fillPolygon alternate merge 0x00007F pattern 0x000000 "
                          "AA 55 AA 55 AA 55 AA 55 | 40,80 160,80 160,20 40,20 40,80"),
              0);
}

TEST(RenderTrace, SystemFontLabelsCarryTheirBytesAndTheirEncoding) {
    struct Case {
        std::string text;
        int charSet;
        std::string face; // the TextFontName of the standard set
        std::string shown;
    };
    const std::string gothic = "\xEF\xBC\xAD\xEF\xBC\xB3 "
                               "\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
    const Case cases[] = {
        {"HH", 48, "", "\"HH\" single-byte face \"\""},
        // A two-byte set: Shift-JIS, drawn with the two-byte face.
        {"\x82\xA0", 152, "", "\"\\x82\\xA0\" shift-jis"},
        // Half-width katakana in a one-byte set.
        {"\xB1\xB2", 48, "", "\"\\xB1\\xB2\" shift-jis"},
        // A Japanese face reads every text as Shift-JIS.
        {"HH", 48, gothic, "\"HH\" shift-jis face \"\\xEF\\xBC\\xAD"},
    };
    for (const Case& c : cases) {
        Drawing d;
        d.settings.text.TextFontKind = 1;
        d.settings.text.TextFontName[0] = c.face;
        d.penSelect(1);
        d.penUp();
        d.point(200, 300);
        d.label(c.text, 0, 0, c.charSet);
        d.finish();
        const Lines lines = d.trace();
        const int text = find(lines, "drawText");
        ASSERT_GE(text, 0) << c.shown;
        EXPECT_NE(lines[size_t(text)].find(c.shown), std::string::npos) << lines[size_t(text)];
        EXPECT_NE(lines[size_t(text)].find("colour 0x00007F copy"), std::string::npos);
    }
}

TEST(RenderTrace, VectorFontLabelIsStrokedWithThePen) {
    Drawing d;
    d.penSelect(1);
    d.penUp();
    d.point(1000, 500);
    d.label("H");
    d.finish();
    const Lines lines = d.trace();
    EXPECT_EQ(count(lines, "drawText"), 0);
    // "H": two uprights and the bar, each a move and a line.
    EXPECT_EQ(count(lines, "lineTo"), 3);
}
