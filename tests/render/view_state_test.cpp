// View arithmetic: ZoomPnt and the pixel mapping.

#include <gtest/gtest.h>

#include "render/view_state.h"

namespace {

interp::Extents box(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    interp::Extents e;
    e.xMin = x0;
    e.yMin = y0;
    e.xMax = x1;
    e.yMax = y1;
    return e;
}

} // namespace

TEST(ZoomPnt, WideWindowGrowsTheRectangleToTheRight) {
    view::ViewState v;
    view::ZoomPnt(v, 0, 0, 1000, 1000, 400, 200, box(0, 0, 1000, 1000));
    EXPECT_EQ(v.X1, 0);
    EXPECT_EQ(v.Y1, 0);
    EXPECT_EQ(v.X2, 2000);
    EXPECT_EQ(v.Y2, 1000);
    EXPECT_DOUBLE_EQ(v.scale, 0.2);
    EXPECT_DOUBLE_EQ(v.snap, 25.0);
}

TEST(ZoomPnt, DegenerateAndReversedRectanglesAreRepaired) {
    view::ViewState v;
    view::ZoomPnt(v, 500, 700, 500, 100, 100, 100, box(0, 0, 1000, 1000));
    EXPECT_LT(v.X1, v.X2);
    EXPECT_EQ(v.Y1, 100);
    EXPECT_GT(v.scale, 0.0);
}

TEST(ZoomPnt, ExtremeRectangleDoesNotWrap) {
    view::ViewState v;
    view::ZoomPnt(v, -2147483647, -10, 2147483647, 10, 100, 1000, box(0, 0, 1, 1));
    EXPECT_LT(v.Y1, v.Y2);
    EXPECT_GT(v.scale, 0.0);
}

TEST(DeviceMapping, CentreCornersAndOffWindow) {
    view::ViewState v;
    view::ZoomPnt(v, 0, 0, 2000, 1000, 200, 100, box(0, 0, 2000, 1000));
    view::PixelPos p = view::mapToPixel(v, 1000, 500);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 50);
    p = view::mapToPixel(v, 0, 0);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 100);
    EXPECT_FALSE(view::mapToPixel(v, 2100, 500).onWindow());
    EXPECT_FALSE(view::mapToPixel(v, 1e12, 500).onWindow());
    int32_t x, y;
    view::pixelToPlotter(v, 100, 50, x, y);
    EXPECT_EQ(x, 1000);
    EXPECT_EQ(y, 500);
}

TEST(DeviceMapping, MirrorReflectsAboutTheExtentCentre) {
    view::ViewState v;
    view::ZoomPnt(v, 0, 0, 2000, 1000, 200, 100, box(0, 0, 2000, 1000));
    v.activateMirror(true);
    EXPECT_EQ(view::mapToPixel(v, 0, 500).x, 200);
    EXPECT_EQ(view::mapToPixel(v, 2000, 500).x, 0);
    int32_t x, y;
    view::pixelToPlotterMirrorAware(v, true, 200, 50, x, y);
    EXPECT_EQ(x, 0);
    v.activateMirror(false);
    EXPECT_EQ(view::mapToPixel(v, 0, 500).x, 0);
}
