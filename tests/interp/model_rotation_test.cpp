// Turning the model in place: records of every kind, polygons, page boxes,
// and the walk across blocks and pages.

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "interp/drawing_model.h"
#include "interp/model_rotation.h"
#include "interp/record_reader.h"

using interp::DrawingModel;
using interp::Extents;
using interp::Record;
using interp::RecordReader;

namespace {

// A record in a form that compares whole.
struct Flat {
    interp::Rec code;
    bool text;
    std::vector<int32_t> items;
    std::string bytes;
    bool operator==(const Flat&) const = default;
};

std::vector<Flat> allRecords(const DrawingModel& m) {
    std::vector<Flat> out;
    RecordReader rd(m);
    Record r;
    while (rd.next(r)) {
        Flat x{r.code, r.isText, {}, {}};
        for (int k = 0; k < r.itemCount; ++k)
            x.items.push_back(r.item[k]);
        if (r.isText) x.bytes.assign(reinterpret_cast<const char*>(r.text), r.textLength);
        out.push_back(x);
    }
    return out;
}

std::vector<Flat> withCode(const std::vector<Flat>& all, interp::Rec code) {
    std::vector<Flat> out;
    for (const Flat& r : all)
        if (r.code == code && !r.text) out.push_back(r);
    return out;
}

int32_t fbits(float f) {
    return std::bit_cast<int32_t>(f);
}

const interp::PaperCorner kNoCorner{};

// Two pages; the first holds one of every record the rotation touches, a label
// whose text is made of point codes, and a polygon; the second is long enough
// to span several blocks.
void buildModel(DrawingModel& m) {
    namespace rec = interp::rec;
    m.writePenSelect(1);
    m.write(rec::PenUp{});
    m.appendPoint(100, 200);
    m.write(rec::PenDown{});
    m.appendPoint(300, 400);
    m.write(rec::Arc{1000, -2000, 90000, 20});
    m.write(rec::ArcScaled{2.0f, 0.5f, -5, 7, 45000, 30});
    m.write(rec::CircleScaled{3.0f, 1.0f, 50, 36});
    m.write(rec::LabelDirection{300000}); // 300 degrees
    const char text[] = "\x04\x04\x04\x04\x04\x04\x04\x04\x04";
    m.write(rec::Label{9, 9, 0, 0, 48, 0, 0});
    m.appendLabelText(reinterpret_cast<const uint8_t*>(text), 9);
    m.write(rec::FillType{3, 50, 35000});  // hatching at 350 degrees
    m.write(rec::FillType{10, 40, 35000}); // shading: its second value is not an angle
    m.write(rec::FillType{11, 2, 100});    // user pattern
    m.write(rec::InputWindow{10, 20, 3000, 4000});
    m.write(rec::InputWindow{interp::kNoInputWindow, interp::kNoInputWindow, interp::kNoInputWindow,
                             interp::kNoInputWindow}); // no window
    m.writeDefaultColours(); // all pens to their default colours: short form
    m.write(rec::PenColour{4, 4, 4, 4});

    int32_t h = m.polygons.addHeader();
    interp::PolygonVertex v;
    for (auto [x, y] : {std::pair{0, 0}, {100, 0}, {100, 50}}) {
        v.x = x;
        v.y = y;
        m.polygons.appendVertex(h, v);
    }
    auto& hd = m.polygons.header(h);
    hd.boxXMin = 0;
    hd.boxYMin = 0;
    hd.boxXMax = 100;
    hd.boxYMax = 50;
    hd.hatchAngle = 300.0;
    m.write(rec::FillPolygon{0, h, 1.5f, 2.5f});
    m.write(rec::EdgePolygon{h, 4.0f, 8.0f});
    m.pageEnd(kNoCorner);

    m.write(rec::PenDown{});
    for (int k = 0; k < 3000; ++k)
        m.appendPoint(k, 2 * k + 1);
    m.finishLoad(kNoCorner);
}

} // namespace

TEST(ModelRotation, StepsBetweenRotations) {
    // 270 degrees back to 0 is one counter-clockwise quarter turn.
    EXPECT_EQ(interp::rotationQuarterTurns(4, 1), 1);
    EXPECT_EQ(interp::rotationQuarterTurns(1, 4), 3);
    EXPECT_EQ(interp::rotationQuarterTurns(1, 3), 2);
    EXPECT_EQ(interp::rotationQuarterTurns(3, 1), 2);
    EXPECT_EQ(interp::rotationQuarterTurns(2, 2), 0);

    int32_t x = 3, y = 5;
    interp::rotatePoint(1, x, y);
    EXPECT_EQ(x, -5);
    EXPECT_EQ(y, 3);
    interp::rotatePoint(2, x, y);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, -3);
    interp::rotatePoint(3, x, y);
    EXPECT_EQ(x, -3);
    EXPECT_EQ(y, -5);
    // The one value without a negative saturates instead of wrapping.
    x = INT_MIN;
    y = 0;
    interp::rotatePoint(2, x, y);
    EXPECT_EQ(x, INT_MAX);
}

TEST(ModelRotation, QuarterTurnTurnsEveryRecordKind) {
    DrawingModel m;
    buildModel(m);
    ASSERT_EQ(m.pageCount(), 2);
    ASSERT_GT(m.blockCount(), 2u);
    std::vector<Flat> before = allRecords(m);
    interp::rotateModel(m, 1);
    std::vector<Flat> after = allRecords(m);
    ASSERT_EQ(before.size(), after.size());

    // Every point record turned, on both pages and across block changes.
    auto pb = withCode(before, interp::Rec::Point), pa = withCode(after, interp::Rec::Point);
    ASSERT_EQ(pb.size(), pa.size());
    ASSERT_EQ(pb.size(), 3002u);
    for (size_t k = 0; k < pb.size(); ++k) {
        EXPECT_EQ(pa[k].items[0], -pb[k].items[1]);
        EXPECT_EQ(pa[k].items[1], pb[k].items[0]);
    }

    auto arc = withCode(after, interp::Rec::Arc);
    ASSERT_EQ(arc.size(), 1u);
    EXPECT_EQ(arc[0].items, (std::vector<int32_t>{2000, 1000, 90000, 20}));

    auto sarc = withCode(after, interp::Rec::ArcScaled);
    ASSERT_EQ(sarc.size(), 1u);
    EXPECT_EQ(sarc[0].items, (std::vector<int32_t>{fbits(0.5f), fbits(2.0f), -7, -5, 45000, 30}));
    auto scirc = withCode(after, interp::Rec::CircleScaled);
    EXPECT_EQ(scirc[0].items, (std::vector<int32_t>{fbits(1.0f), fbits(3.0f), 50, 36}));

    // 300 + 90 degrees wraps to 30.
    EXPECT_EQ(withCode(after, interp::Rec::LabelDirection)[0].items[0], 30000);

    auto fills = withCode(after, interp::Rec::FillType);
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[0].items, (std::vector<int32_t>{3, 50, 8000}));   // 350 + 90 = 80 degrees
    EXPECT_EQ(fills[1].items, (std::vector<int32_t>{10, 40, 35000})); // shading untouched
    EXPECT_EQ(fills[2].items, (std::vector<int32_t>{11, 2, 100}));    // user pattern untouched

    auto windows = withCode(after, interp::Rec::InputWindow);
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0].items, (std::vector<int32_t>{-20, 10, -4000, 3000}));
    EXPECT_EQ(windows[1].items, std::vector<int32_t>(4, interp::kNoInputWindow));

    // The label text is read past, not taken for records.
    bool sawText = false;
    for (const Flat& r : after)
        if (r.text) {
            sawText = true;
            EXPECT_EQ(r.bytes, std::string(9, '\x04'));
        }
    EXPECT_TRUE(sawText);
    // Pen colours (both forms) and the rest are unchanged.
    EXPECT_EQ(withCode(after, interp::Rec::PenColour), withCode(before, interp::Rec::PenColour));

    EXPECT_EQ(withCode(after, interp::Rec::FillPolygon)[0].items,
              (std::vector<int32_t>{0, 0, fbits(2.5f), fbits(1.5f)}));
    EXPECT_EQ(withCode(after, interp::Rec::EdgePolygon)[0].items,
              (std::vector<int32_t>{0, fbits(8.0f), fbits(4.0f)}));

    // Polygon: vertices turned, box re-ordered, angle 300 + 90 = 30.
    const auto& h = m.polygons.header(0);
    EXPECT_EQ(h.boxXMin, -50);
    EXPECT_EQ(h.boxXMax, 0);
    EXPECT_EQ(h.boxYMin, 0);
    EXPECT_EQ(h.boxYMax, 100);
    EXPECT_DOUBLE_EQ(h.hatchAngle, 30.0);
    EXPECT_EQ(m.polygons.vertex(2).x, -50);
    EXPECT_EQ(m.polygons.vertex(2).y, 100);
}

TEST(ModelRotation, PageBoxesAndCurrentExtentTurnAndStayOrdered) {
    DrawingModel m;
    buildModel(m);
    Extents p1 = m.pageExtents(1), p2 = m.pageExtents(2);
    m.selectPage(2);
    interp::rotateModel(m, 1);
    Extents q1 = m.pageExtents(1), q2 = m.pageExtents(2);
    EXPECT_EQ(q1.xMin, -p1.yMax);
    EXPECT_EQ(q1.xMax, -p1.yMin);
    EXPECT_EQ(q1.yMin, p1.xMin);
    EXPECT_EQ(q1.yMax, p1.xMax);
    EXPECT_EQ(q2.xMin, -p2.yMax);
    EXPECT_EQ(q2.yMax, p2.xMax);
    const Extents& cur = m.extents();
    EXPECT_EQ(cur.xMin, q2.xMin);
    EXPECT_EQ(cur.yMin, q2.yMin);
    EXPECT_EQ(cur.xMax, q2.xMax);
    EXPECT_EQ(cur.yMax, q2.yMax);
    EXPECT_LE(cur.xMin, cur.xMax);
    EXPECT_LE(cur.yMin, cur.yMax);
}

TEST(ModelRotation, TurnsAddUpAndFourAreTheIdentity) {
    DrawingModel a, b;
    buildModel(a);
    buildModel(b);
    const std::vector<Flat> original = allRecords(a);
    const Extents e1 = a.pageExtents(1);

    // Half turn in one step equals two quarter turns; three quarters plus one
    // quarter gives the original back.
    interp::rotateModel(a, 2);
    interp::rotateModel(b, 1);
    interp::rotateModel(b, 1);
    EXPECT_EQ(allRecords(a), allRecords(b));
    interp::rotateModel(a, 3);
    interp::rotateModel(a, 3);
    EXPECT_EQ(allRecords(a), original);
    Extents back = a.pageExtents(1);
    EXPECT_EQ(back.xMin, e1.xMin);
    EXPECT_EQ(back.yMax, e1.yMax);
    EXPECT_DOUBLE_EQ(a.polygons.header(0).hatchAngle, 300.0);
}

TEST(ModelRotation, EmptyModelKeepsItsEmptyBox) {
    DrawingModel m; // never loaded: the current extent is the reset box
    interp::rotateModel(m, 1);
    EXPECT_GT(m.extents().xMin, m.extents().xMax);
    // A loaded empty file (no page counted) still turns its current box.
    m.finishLoad(kNoCorner);
    ASSERT_EQ(m.pageCount(), 0);
    interp::rotateModel(m, 1);
    EXPECT_EQ(m.extents().xMin, -1000);
    EXPECT_EQ(m.extents().xMax, 0);
    EXPECT_EQ(m.extents().yMax, 1000);
}

TEST(ModelRotation, DamagedListStopsTheWalk) {
    DrawingModel m;
    m.write(interp::rec::PenDown{});
    m.appendPoint(1, 2);
    m.write(interp::rec::PenUp{});
    m.appendPoint(5, 6);
    m.write(interp::rec::EndOfDrawing{});
    m.mutableBlock(0)[14] = 200; // the pen up becomes a code with no record
    interp::rotateModel(m, 1);
    // The first point turned; nothing behind the unknown code was touched.
    int32_t x, y;
    std::memcpy(&x, m.block(0) + 6, 4);
    std::memcpy(&y, m.block(0) + 10, 4);
    EXPECT_EQ(x, -2);
    EXPECT_EQ(y, 1);
    std::memcpy(&x, m.block(0) + 16, 4);
    EXPECT_EQ(x, 5);
}
