// The chunk index: how the list is cut into runs of line records, the boxes
// of what the runs can draw and the pen state they leave, and when the index
// no longer fits the list.

#include <gtest/gtest.h>

#include <algorithm>

#include "interp/chunk_index.h"
#include "interp/drawing_model.h"
#include "interp/model_rotation.h"
#include "load_helper.h"

namespace {

using interp::ChunkContinuing;
using interp::ChunkPen;
using interp::PointChunk;

void run(interp::DrawingModel& m, int32_t x, int32_t y, int points, int32_t step = 10) {
    m.writePenState(true);
    m.appendPoint(x, y);
    m.writePenState(false);
    for (int k = 1; k <= points; ++k)
        m.appendPoint(x + k * step, y);
}

} // namespace

TEST(ChunkIndex, PenUpMovesStayOutOfTheBoxes) {
    interp::DrawingModel m;
    m.writePenSelect(1);
    run(m, 1000, 1000, 10);  // 11 points, drawn from the second on
    run(m, 50000, 7000, 10); // far away: a chunk of its own
    m.finishLoad(interp::PaperCorner{});
    const auto& chunks = m.chunks.chunks();
    ASSERT_EQ(chunks.size(), 2u);
    const PointChunk& a = chunks[0];
    EXPECT_EQ(a.xMin, 1000);
    EXPECT_EQ(a.xMax, 1100);
    EXPECT_EQ(a.yMin, 1000);
    EXPECT_EQ(a.yMax, 1000);
    EXPECT_FALSE(a.fromEntry); // the first point is a pen-up move
    EXPECT_EQ(a.pen(), ChunkPen::Down);
    EXPECT_EQ(a.continuing(), ChunkContinuing::Yes);
    EXPECT_EQ(chunks[1].xMin, 50000);
    // The pen select before the first run is no line record.
    EXPECT_GT(a.begin, interp::kFirstRecordOffset);
    EXPECT_TRUE(m.chunks.matches(m));
}

TEST(ChunkIndex, ChunksAreCutAtPenUpsAfterEightPointsAtSixtyFourAndAtBlockEnds) {
    interp::DrawingModel m;
    for (int k = 0; k < 50; ++k)
        run(m, 100 * k, 0, 3); // runs of four points: two runs share a chunk
    run(m, 0, 5000, 1000);     // a long run: cut every 64 points and at block ends
    m.finishLoad(interp::PaperCorner{});
    ASSERT_GT(m.blockCount(), 1u);
    int maxPoints = 0;
    for (const PointChunk& c : m.chunks.chunks()) {
        ASSERT_LT(c.begin, c.end);
        ASSERT_LE(c.end, uint32_t(interp::kBlockSize));
        // Count the point records of the chunk straight from its block.
        const uint8_t* b = m.block(c.block);
        int points = 0;
        for (uint32_t o = c.begin; o < c.end;)
            if (b[o] == uint8_t(interp::Rec::Point)) {
                ++points;
                o += interp::kPointRecordBytes;
            } else {
                ++o;
            }
        maxPoints = std::max(maxPoints, points);
        EXPECT_LE(points, 64);
        if (c.yMin == 0) {
            EXPECT_LE(points, 8 + 4);
        }
    }
    EXPECT_EQ(maxPoints, 64);
}

TEST(ChunkIndex, EntryPenAndEntryPositionWhenNoPenRecordLeadsTheChunk) {
    interp::DrawingModel m;
    m.writePenState(true);
    m.appendPoint(0, 0);
    m.writePenState(false);
    m.write(interp::rec::LineType{2, 4}); // ends the chunk; the pen stays down
    m.appendPoint(500, 600);
    m.appendPoint(700, 800);
    m.finishLoad(interp::PaperCorner{});
    const auto& chunks = m.chunks.chunks();
    ASSERT_EQ(chunks.size(), 2u);
    const PointChunk& c = chunks[1];
    EXPECT_TRUE(c.fromEntry); // its first segment starts where the pass stands
    EXPECT_EQ(c.pen(), ChunkPen::Keep);
    EXPECT_EQ(c.continuing(), ChunkContinuing::EntryPen);
    EXPECT_EQ(c.xMin, 500);
    EXPECT_EQ(c.yMax, 800);
}

TEST(ChunkIndex, PagesWithLabelsAreMarked) {
    interp::DrawingModel m;
    interp::LoadOptions o;
    o.multiPage = true;
    testhelp::loadInto(m, "IN;PA0,0;PD100,100;PU;PG;PA0,0;LBabc\x03;PG;PA0,0;PD5,5;", o);
    ASSERT_EQ(m.pageCount(), 3);
    EXPECT_FALSE(m.chunks.pageHasLabels(1));
    EXPECT_TRUE(m.chunks.pageHasLabels(2));
    EXPECT_FALSE(m.chunks.pageHasLabels(3));
}

TEST(ChunkIndex, AnIndexThatNoLongerFitsTheListIsNotUsed) {
    interp::DrawingModel m;
    run(m, 0, 0, 20);
    m.finishLoad(interp::PaperCorner{});
    ASSERT_TRUE(m.chunks.matches(m));
    m.appendPoint(5, 5); // written after the index was built
    EXPECT_FALSE(m.chunks.matches(m));
    m.reset();
    EXPECT_FALSE(m.chunks.matches(m));
    EXPECT_TRUE(m.chunks.chunks().empty());
}

TEST(ChunkIndex, BoxesTurnWithTheDrawing) {
    interp::DrawingModel m;
    run(m, 1000, 2000, 10);
    m.finishLoad(interp::PaperCorner{});
    interp::rotateModel(m, 1);
    ASSERT_TRUE(m.chunks.matches(m));
    const PointChunk& c = m.chunks.chunks().at(0);
    // A quarter turn maps (x, y) to (-y, x): the run now goes up the y axis.
    EXPECT_EQ(c.xMin, c.xMax);
    EXPECT_EQ(c.yMax - c.yMin, 100);
}
