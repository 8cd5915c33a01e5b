// The own one-pixel rasterizer: raster operations, clipping, far coordinates.

#include <gtest/gtest.h>

#include <vector>

#include "render/thin_line.h"

namespace {

struct Bits {
    std::vector<uint32_t> px = std::vector<uint32_t>(20 * 10, 0xFF000000u);
    view::PixelSurface surface{px.data(), 20, 20, 10, view::ClipBox{0, 0, 20, 10}};
    uint32_t at(int x, int y) const { return px[size_t(y) * 20 + size_t(x)]; }
    int count(uint32_t v) const {
        int n = 0;
        for (uint32_t p : px)
            n += p == v;
        return n;
    }
};

} // namespace

TEST(ThinLine, EndPixelIsLeftOut) {
    Bits b;
    view::drawThinLine(b.surface, 2, 3, 12, 3, 0xFF112233u, view::RasterOp::Copy);
    EXPECT_EQ(b.at(2, 3), 0xFF112233u);
    EXPECT_EQ(b.at(11, 3), 0xFF112233u);
    EXPECT_EQ(b.at(12, 3), 0xFF000000u);
    EXPECT_EQ(b.count(0xFF112233u), 10);
}

TEST(ThinLine, RasterOperations) {
    Bits b;
    for (uint32_t& p : b.px)
        p = 0xFF0F0F0Fu;
    view::drawThinLine(b.surface, 0, 0, 5, 0, 0xFFF0F000u, view::RasterOp::Merge);
    view::drawThinLine(b.surface, 0, 1, 5, 1, 0xFF00FF00u, view::RasterOp::Mask);
    view::drawThinLine(b.surface, 0, 2, 5, 2, 0xFFFFFFFFu, view::RasterOp::Xor);
    EXPECT_EQ(b.at(1, 0), 0xFFFFFF0Fu);
    EXPECT_EQ(b.at(1, 1), 0xFF000F00u);
    EXPECT_EQ(b.at(1, 2), 0xFFF0F0F0u);
}

TEST(ThinLine, ClippedAndFarLinesStayInside) {
    Bits b;
    b.surface.clip = view::ClipBox{5, 2, 15, 8};
    view::drawThinLine(b.surface, -100000000, 5, 100000000, 5, 0xFFFFFFFFu, view::RasterOp::Copy);
    view::drawThinLine(b.surface, 0, 0, 19, 9, 0xFFFFFFFFu, view::RasterOp::Copy);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            if (x < 5 || x >= 15 || y < 2 || y >= 8) {
                EXPECT_EQ(b.at(x, y), 0xFF000000u) << x << "," << y;
            }
        }
    EXPECT_EQ(b.at(5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(b.at(14, 5), 0xFFFFFFFFu);
}
