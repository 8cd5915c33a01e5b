// The record table: every record written through the typed writer reads back
// field for field, in the generic item form the dump uses as well, and the
// bytes of the drawing list keep their layout.

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "interp/drawing_model.h"
#include "interp/record_dump.h"
#include "interp/record_reader.h"

namespace rec = interp::rec;
using interp::Rec;

namespace {

// One of every record the typed writer takes, with values at the edges of
// their fields.
const auto kSamples = std::tuple{
    rec::PenUp{},
    rec::PenDown{},
    rec::Circle{-2147483647 - 1, 255},
    rec::Arc{1000, -2000, 360000, 1},
    rec::PenWidth{-1, 255},
    rec::CharSize{2147483647, -150},
    rec::LabelDirection{-90000},
    rec::CharSlant{577},
    rec::LabelOrigin{19},
    rec::ExtraSpace{-50000, 100000},
    rec::CharMove{-300000, 0},
    rec::FillType{22, 7, 35999},
    rec::FillPolygon{1, 3, -0.5f, 2.0e9f},
    rec::EdgePolygon{0, 1.0f, 1.0f},
    rec::LineType{-8, 400},
    rec::LabelVertical{90000},
    rec::PenColour{255, 65535, 0, 128},
    rec::FontByte{0x83},
    rec::InputWindow{interp::kNoInputWindow, 0, -5, 7},
    rec::CharSetSelect{1},
    rec::LineAttributes{50044},
    rec::CircleScaled{0.25f, 4.0f, 50, 36},
    rec::ArcScaled{2.0f, 0.5f, -5, 7, -45000, 30},
};

} // namespace

TEST(RecordTable, EveryRecordReadsBackAsWritten) {
    interp::DrawingModel m;
    std::apply([&m](const auto&... r) { (m.write(r), ...); }, kSamples);
    m.finishLoad(interp::PaperCorner{});

    interp::RecordReader reader(m);
    interp::Record r;
    std::apply(
        [&](const auto&... sample) {
            auto check = [&](const auto& expected) {
                using R = std::decay_t<decltype(expected)>;
                ASSERT_TRUE(reader.next(r));
                ASSERT_EQ(r.code, R::kCode);
                EXPECT_TRUE(r.as<R>() == expected) << interp::formatRecord(r, "");
                bool visited = false;
                interp::visitRecord(r, [&](const auto& typed) {
                    if constexpr (std::is_same_v<std::decay_t<decltype(typed)>, R>)
                        visited = typed == expected;
                });
                EXPECT_TRUE(visited) << int(R::kCode);
            };
            (check(sample), ...);
        },
        kSamples);
    ASSERT_TRUE(reader.next(r));
    EXPECT_EQ(r.code, Rec::EndOfDrawing);
    EXPECT_FALSE(reader.next(r));
}

TEST(RecordTable, PayloadsArePackedInTableOrder) {
    interp::DrawingModel m;
    m.write(rec::ArcScaled{2.0f, 0.5f, -5, 7, 45000, 30});
    const uint8_t* b = m.block(0) + interp::kFirstRecordOffset;
    EXPECT_EQ(b[0], uint8_t(Rec::ArcScaled));
    float f;
    std::memcpy(&f, b + 1, 4);
    EXPECT_EQ(f, 2.0f);
    std::memcpy(&f, b + 5, 4);
    EXPECT_EQ(f, 0.5f);
    int32_t i;
    std::memcpy(&i, b + 9, 4);
    EXPECT_EQ(i, -5);
    std::memcpy(&i, b + 17, 4);
    EXPECT_EQ(i, 45000);
    EXPECT_EQ(b[21], 30);
    EXPECT_EQ(interp::recordBytes<rec::ArcScaled>(), 22u);
    EXPECT_EQ(interp::kPointRecordBytes, 9u);
    EXPECT_EQ(interp::recordBytes<rec::Label>(), 13u);
}

TEST(RecordTable, DefaultColoursRecordIsThePenItemAlone) {
    interp::DrawingModel m;
    m.writeDefaultColours();
    m.write(rec::PenColour{3, 1, 2, 3});
    m.finishLoad(interp::PaperCorner{});
    EXPECT_EQ(interp::recordExtent(m.block(0) + interp::kFirstRecordOffset, 100).bytes, 3u);
    interp::RecordReader reader(m);
    interp::Record r;
    ASSERT_TRUE(reader.next(r));
    EXPECT_EQ(r.itemCount, 1);
    EXPECT_TRUE((r.as<rec::PenColour>() == rec::PenColour{interp::kAllPensDefaultColour, 0, 0, 0}));
    ASSERT_TRUE(reader.next(r));
    EXPECT_EQ(r.itemCount, 4);
    EXPECT_TRUE((r.as<rec::PenColour>() == rec::PenColour{3, 1, 2, 3}));
}
