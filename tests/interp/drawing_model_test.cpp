// The drawing list's block rules, the extents rules and the reader.

#include <gtest/gtest.h>

#include "interp/drawing_model.h"
#include "interp/record_reader.h"
#include "load_helper.h"

using interp::DrawingModel;
using interp::Record;
using interp::RecordReader;

TEST(DrawingModel, RecordsNeverStraddleABlock) {
    DrawingModel m;
    m.write(interp::rec::PenDown{});
    // Points of 9 bytes until the next one would leave fewer than 25 bytes.
    int points = 0;
    while (m.fillBlock() == 0) {
        m.appendPoint(points, -points);
        ++points;
    }
    // The first block ended with the continuation byte where the record would have begun.
    const uint8_t* b0 = m.block(0);
    size_t lastFill = 4 + 1 + 9 * static_cast<size_t>(points - 1);
    EXPECT_LE(lastFill + 25, 8192u + 9);
    EXPECT_GT(lastFill + 25, 8192u);
    EXPECT_EQ(b0[lastFill], uint8_t(interp::Rec::ContinueBlock));
    EXPECT_EQ(m.blockLink(0), 1u);
    EXPECT_EQ(m.blockLink(1), 0u);
    m.write(interp::rec::EndOfDrawing{});

    RecordReader rd(m);
    Record r;
    int seen = 0, continues = 0;
    while (rd.next(r)) {
        if (r.code == interp::Rec::Point) {
            EXPECT_EQ(r.as<interp::rec::Point>().x, seen);
            EXPECT_EQ(r.as<interp::rec::Point>().y, -seen);
            ++seen;
        }
        if (r.code == interp::Rec::ContinueBlock) ++continues;
    }
    EXPECT_EQ(seen, points);
    EXPECT_EQ(continues, 1);
}

TEST(DrawingModel, LabelTextRecordsNeedOnlyTheirOwnLength) {
    DrawingModel m;
    std::string big(8186, 'A');
    EXPECT_TRUE(m.appendLabelText(reinterpret_cast<const uint8_t*>(big.data()), big.size()));
    EXPECT_FALSE(m.appendLabelText(reinterpret_cast<const uint8_t*>(big.data()), 8187));
}

TEST(DrawingModel, InputWindowClampsTheBoxButNotTheRecord) {
    DrawingModel m;
    m.setInputWindowClamp(true, 0, 0, 1000, 1000);
    m.write(interp::rec::PenDown{});
    m.appendPoint(500, 500);
    m.appendPoint(5000, -300);
    const interp::Extents& e = m.buildingExtents();
    EXPECT_EQ(e.xMin, 500);
    EXPECT_EQ(e.xMax, 1000);
    EXPECT_EQ(e.yMin, 0);
    EXPECT_EQ(e.yMax, 500);
    m.write(interp::rec::EndOfDrawing{});
    RecordReader rd(m);
    Record r;
    std::string pts;
    while (rd.next(r)) {
        if (r.code != interp::Rec::Point) continue;
        const interp::rec::Point p = r.as<interp::rec::Point>();
        pts += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
    }
    EXPECT_EQ(pts, "500,500 5000,-300 ");
}

TEST(DrawingModel, PaperCornerGrowsTheBoxByRotation) {
    struct Case {
        int rotation;
        int32_t xMin, yMin, xMax, yMax;
    } cases[] = {{0, 0, 0, 100, 50},
                 {90, -100, 0, 10, 50},
                 {180, -100, -50, 10, 10},
                 {270, 0, -50, 100, 10}};
    for (const Case& c : cases) {
        DrawingModel m;
        m.write(interp::rec::PenDown{});
        m.appendPoint(10, 10);
        interp::PaperCorner corner{true, c.rotation, 100, 50};
        ASSERT_TRUE(m.closePageExtents(corner));
        interp::Extents e = m.pageExtents(1);
        EXPECT_EQ(e.xMin, c.xMin - 40) << c.rotation;
        EXPECT_EQ(e.yMin, c.yMin - 40) << c.rotation;
        EXPECT_EQ(e.xMax, c.xMax + 40) << c.rotation;
        EXPECT_EQ(e.yMax, c.yMax + 40) << c.rotation;
    }
}

TEST(DrawingModel, DamagedListEndsTheWalk) {
    DrawingModel m;
    m.appendPoint(1, 2);
    m.mutableBlock(0)[13] = 99; // an unknown code
    RecordReader rd(m);
    Record r;
    EXPECT_TRUE(rd.next(r));
    EXPECT_FALSE(rd.next(r));
}
