// The own one-pixel rasterizer: raster operations, clipping, far coordinates.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
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

// The error recurrence of Bresenham's algorithm, pixel by pixel: what every
// line of the rasterizer must set.
std::vector<std::pair<int, int>> recurrencePixels(int x, int y, int dx, int dy) {
    std::vector<std::pair<int, int>> out;
    const int ax = std::abs(dx), ay = std::abs(dy);
    const bool xMajor = ax >= ay;
    const int steps = xMajor ? ax : ay, minor = xMajor ? ay : ax;
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    int err = 2 * minor - steps;
    for (int i = 0; i < steps; ++i) {
        out.emplace_back(x, y);
        if (err > 0) {
            (xMajor ? y : x) += xMajor ? sy : sx;
            err -= 2 * steps;
        }
        err += 2 * minor;
        (xMajor ? x : y) += xMajor ? sx : sy;
    }
    return out;
}

} // namespace

TEST(ThinLine, EveryLineSetsThePixelsOfTheErrorRecurrence) {
    // Short lines of every slope, and lines on both sides of the length where
    // the quotient form hands over to the recurrence.
    auto check = [](int dx, int dy) {
        const int origin = std::max(std::abs(dx), std::abs(dy)) + 1, size = 2 * origin + 1;
        std::vector<uint32_t> px(size_t(size) * size, 0);
        view::lineInside<view::OpCopy>(px.data(), size, origin, origin, dx, dy, 1u);
        int set = 0;
        for (const auto& [x, y] : recurrencePixels(origin, origin, dx, dy)) {
            uint32_t& p = px[size_t(y) * size + size_t(x)];
            EXPECT_EQ(p, 1u) << dx << "," << dy << " misses " << x << "," << y;
            set += p == 1u;
            p = 0;
        }
        // Nothing else was set: every pixel set is one of the recurrence's.
        int stray = 0;
        for (uint32_t p : px)
            stray += p != 0;
        EXPECT_EQ(stray, 0) << dx << "," << dy;
        return set;
    };
    for (int dx = -40; dx <= 40; ++dx)
        for (int dy = -40; dy <= 40; ++dy)
            check(dx, dy);
    for (int major : {1023, 1024, 1025, 1100})
        for (int minor : {0, 1, 7, 333, 511, 512, 1000, major})
            if (minor <= major) {
                EXPECT_EQ(check(major, minor), major);
                EXPECT_EQ(check(-minor, -major), major);
            }
}

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
