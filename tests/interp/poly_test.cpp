// Circles, arcs and their segment counts, polygon mode and the polygon buffer,
// rectangles, wedges and fill types; bad and hostile input for all of them.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "interp/coord_commands.h"
#include "interp/interpreter.h"
#include "load_helper.h"

using testhelp::header;
using testhelp::load;
using testhelp::loadInto;
using testhelp::records;

namespace {

// The polygon part of a dump (after "polygons "), lines joined with "|".
std::string polys(const std::string& dump) {
    auto a = dump.find("polygons ");
    if (a == std::string::npos) return "?";
    std::string out;
    for (char c : dump.substr(a + 9))
        out += c == '\n' ? '|' : c;
    if (!out.empty() && out.back() == '|') out.pop_back();
    return out;
}

// Loads with user scaling switched on beforehand (fX, fY plotter units per
// user unit, user origin at 0), as SC would leave it, and dumps the result.
std::string loadScaled(const std::string& bytes, double fX, double fY) {
    interp::DrawingModel model;
    model.reset();
    interp::LoadOptions options;
    testhelp::CollectingReporter reporter;
    interp::Interpreter in{model, options, reporter};
    in.coord.scaling = true;
    in.coord.fX = fX;
    in.coord.fY = fY;
    interp::updateFloatScales(in);
    std::FILE* f = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    in.run(f);
    std::fclose(f);
    model.finishLoad(in.paperCorner());
    interp::LoadResult result;
    result.errorCount = in.errorCount;
    result.hpgl2Pieces = in.hpgl2Pieces;
    return interp::dumpDrawing(model, result);
}

} // namespace

// ---- segment counts, circles, arcs ----

TEST(ArcSegments, ChordAngleAndDeviationModes) {
    auto l = load("CI1000;");
    EXPECT_EQ(records(l.dump), "6 1000 72|0"); // 360 / 5 degrees
    EXPECT_EQ(header(l.dump), "pages 1|page 1 -1040 -1040 1040 1040|errors 0|hpgl2 0|rtl 0");
    EXPECT_EQ(records(load("CT1;CI100,200;").dump), "6 100 2|0");   // deviation > radius: 180
    EXPECT_EQ(records(load("CT1;CI1000,10;").dump), "6 1000 22|0"); // 2 acos(0.99) = 16.2
    EXPECT_EQ(records(load("CT0;CI1000,0.001;").dump), "6 1000 255|0");
    EXPECT_EQ(records(load("CI1000,500;CI1000,-3;").dump), "6 1000 2|6 1000 72|0");
    // CT2 is ignored, CT alone means angles again, CT1.5 is an error.
    EXPECT_EQ(records(load("CT1;CT2;CI100,200;CT;CI1000,10;").dump), "6 100 2|6 1000 36|0");
    EXPECT_EQ(load("CT1.5;").result.errorCount, 1);
}

TEST(ArcSegments, ZeroAndNegativeRadiiRecordNothing) {
    for (const char* s : {"CI0;", "CI-100;", "CI;", "CI-0.5,5;"}) {
        auto l = load(s);
        EXPECT_EQ(records(l.dump), "0") << s;
        EXPECT_EQ(l.result.errorCount, 0) << s;
    }
}

TEST(ArcSegments, ScaledRecordsCarryTheFloatScales) {
    // fX 10, fY 20: the radius grows by the larger factor; X is squeezed to 0.5.
    EXPECT_EQ(records(loadScaled("CI5;FP;EP;", 10, 20)),
              "31 0.5 1 100 72|21 0 #-1 0.5 1|22 #-1 0.5 1|0");
    // A deviation in user units is scaled too: 1 x 20 of a 200 radius.
    EXPECT_EQ(records(loadScaled("CT1;CI10,1;", 10, 20)), "31 0.5 1 200 7|0");
    // Mirrored axes (negative factors) still give a positive radius.
    EXPECT_EQ(records(loadScaled("CI5;", -10, -20)), "31 1 2 50 72|0");
    EXPECT_EQ(records(loadScaled("PA10,0;AA0,0,90;AR-1,0,90;", 10, 20)),
              "4 100 0|32 0.5 1 0 0 90000 18|32 0.5 1 -10 100 90000 18|0");
}

TEST(ArcCommands, EndPointBecomesThePosition) {
    EXPECT_EQ(records(load("PA100,0;AA0,0,90;PD;PR10,0;").dump),
              "4 100 0|7 0 0 90000 18|3|4 10 100|0");
    EXPECT_EQ(records(load("PA100,0;AR-100,0,-90,10;PD;PR0,0;").dump),
              "4 100 0|7 0 0 -90000 9|3|4 0 -100|0");
    EXPECT_EQ(records(load("PA100,0;AA0,0,360;PD;PR0,0;").dump),
              "4 100 0|7 0 0 360000 72|3|4 100 0|0");
}

TEST(ArcCommands, ExtentsFollowTheArcThroughItsQuadrants) {
    // From straight up, clockwise through 0 degrees to straight down, and back.
    EXPECT_EQ(header(load("PA0,100;AA0,0,-180;").dump),
              "pages 1|page 1 -40 -140 140 140|errors 0|hpgl2 0|rtl 0");
    EXPECT_EQ(header(load("PA0,100;AA0,0,180;").dump),
              "pages 1|page 1 -140 -140 40 140|errors 0|hpgl2 0|rtl 0");
}

TEST(ArcCommands, BadAndMissingParameters) {
    auto l = load("PA100,0;AA0,0;AA0,0,x;AA;AR5;AT1,2,3,4;RT1,2,3,4,5;");
    EXPECT_EQ(records(l.dump), "4 100 0|0");
    EXPECT_EQ(l.result.errorCount, 3);
    EXPECT_EQ(l.result.hpgl2Pieces, 2); // three-point arcs are read past
}

TEST(ArcCommands, HugeValuesAreErrorsNotOverflows) {
    // Sweep x 1000 beyond 32 bits: no record, the position stays.
    auto a = load("PA100,0;AA0,0,10000000;PD;PR0,0;");
    EXPECT_EQ(records(a.dump), "4 100 0|3|4 100 0|0");
    EXPECT_EQ(a.result.errorCount, 1);
    // Centre and end point beyond 32 bits; radii beyond 32 bits.
    EXPECT_EQ(load("PA2147483647,0;AR1,0,90;").result.errorCount, 1);
    EXPECT_EQ(load("PA2000000000,0;AA-2000000000,0,180;").result.errorCount, 1);
    auto d = load("CI3000000000;CI" + std::string(250, '9') + ";");
    EXPECT_EQ(records(d.dump), "0");
    EXPECT_EQ(d.result.errorCount, 2);
    // A radius just inside 32 bits is recorded; its page is absurd and dropped.
    auto e = load("CI2000000000;");
    EXPECT_EQ(records(e.dump), "6 2000000000 72|0");
    EXPECT_EQ(header(e.dump), "pages 0|errors 0|hpgl2 0|rtl 0");
}

// ---- polygon mode ----

TEST(PolyMode, TwoSubPathsAreClosedAndNumbered) {
    auto l = load("PU0,0;PM0;PD100,0,100,100;PM1;PU200,0;PD300,0,300,100,200,0;PM1;PM2;FP;PR10,0;");
    // Points go to the buffer; pen records stay in the list; PM2 puts the pen
    // back up and the position back on the first vertex.
    EXPECT_EQ(records(l.dump), "2|4 0 0|3|2|3|2|21 0 #0 1 1|4 10 0|0");
    // The second path ends on its start: that vertex closes it.
    EXPECT_EQ(polys(l.dump),
              "1|polygon #0"
              "|v 0 0 1 1 2 0 0|v 100 0 0 1 2 0 0|v 100 100 0 1 2 0 0|v 0 0 0 2 2 0 0"
              "|v 200 0 1 1 2 1 0|v 300 0 0 1 2 1 0|v 300 100 0 1 2 1 0|v 200 0 0 2 2 1 0");
    EXPECT_EQ(header(l.dump), "pages 1|page 1 -40 -40 340 140|errors 0|hpgl2 0|rtl 0");
}

TEST(PolyMode, AfterPm1ALonePenUpMoveGivesWayToTheNext) {
    auto l = load("PU50,50;PM0;PM1;PU500,500;PU0,0;PD100,0,0,100;PM2;");
    EXPECT_EQ(polys(l.dump),
              "1|polygon #0|v 0 0 1 1 2 0 0|v 100 0 0 1 2 0 0|v 0 100 0 1 2 0 0|v 0 0 0 2 2 0 0");
    // A drawn edge from it is kept.
    auto n = load("PU50,50;PM0;PM1;PD100,50,100,100;PM2;");
    EXPECT_EQ(
        polys(n.dump),
        "1|polygon #0|v 50 50 1 1 2 0 0|v 100 50 0 1 2 0 0|v 100 100 0 1 2 0 0|v 50 50 0 2 2 0 0");
}

TEST(PolyMode, CircleIsASubPathOfItsOwn) {
    auto l = load("PA500,500;PM0;CI100;PM2;FP;");
    EXPECT_EQ(records(l.dump), "4 500 500|21 0 #0 1 1|0");
    EXPECT_EQ(polys(l.dump),
              "1|polygon #0|v 600 500 1 1 2 0 0|v 500 500 0 1 1 0 72|v 600 500 0 2 2 0 0");
    EXPECT_EQ(header(l.dump), "pages 1|page 1 360 360 640 640|errors 0|hpgl2 0|rtl 0");
    // After a drawn path the path is closed first and the circle numbered next.
    auto m = load("PA0,0;PM0;PD100,0;CI10;PM2;");
    EXPECT_EQ(polys(m.dump), "1|polygon #0|v 0 0 1 1 2 0 0|v 100 0 0 1 2 0 0|v 0 0 0 2 2 0 0"
                             "|v 110 0 1 1 2 1 0|v 100 0 0 1 1 1 72|v 110 0 0 2 2 1 0");
}

TEST(PolyMode, ArcsEnterTheBufferAsItems) {
    auto l = load("PA100,0;PM0;PD;AA0,0,90;PM2;EP;PR0,0;");
    EXPECT_EQ(records(l.dump), "4 100 0|3|2|22 #0 1 1|4 100 0|0");
    EXPECT_EQ(
        polys(l.dump),
        "1|polygon #0|v 100 0 1 1 2 0 0|v 0 0 0 1 0 0 18|v 0 100 0 1 2 0 0|v 100 0 0 2 2 0 0");
    EXPECT_EQ(header(l.dump), "pages 1|page 1 -40 -40 140 140|errors 0|hpgl2 0|rtl 0");
    // Direction in the spare byte; a full turn is a circle item.
    interp::DrawingModel model;
    loadInto(model, "PA100,0;PM0;AA0,0,-90;AA0,0,360;PM2;");
    const auto& pb = model.polygons;
    ASSERT_EQ(pb.vertexCount(), 6);
    EXPECT_EQ(pb.vertex(1).kind, interp::kKindArcItem);
    EXPECT_EQ(pb.vertex(1).spare, 1);
    EXPECT_EQ(pb.vertex(3).kind, interp::kKindCircleItem);
}

TEST(PolyMode, HeaderTakesFillFlagHatchAngleAndBox) {
    interp::DrawingModel model;
    loadInto(model, "FT4,10,30;PA10,20;PM0;PD50,-5;PM2;FT1;PM0;PM2;");
    const auto& pb = model.polygons;
    ASSERT_EQ(pb.headerCount(), 2);
    const auto& h = pb.header(0);
    EXPECT_EQ(h.flag, 0);
    EXPECT_DOUBLE_EQ(h.hatchAngle, 30.0);
    EXPECT_EQ(std::vector<int32_t>({h.boxXMin, h.boxYMin, h.boxXMax, h.boxYMax}),
              std::vector<int32_t>({10, -5, 50, 20}));
    EXPECT_EQ(pb.header(1).flag, 1);
}

TEST(PolyMode, NestingAbuse) {
    // PM2 and PM1 without PM0 change nothing; bad modes are ignored.
    auto l = load("PA10,10;PM2;PM1;PM5;PM1.5;PA20,20;");
    EXPECT_EQ(records(l.dump), "4 10 10|4 20 20|0");
    EXPECT_EQ(l.result.errorCount, 1);
    EXPECT_EQ(polys(l.dump), "0");
    // A second PM0 starts a new polygon; PM2 restores the pen of the first.
    auto m = load("PU0,0;PM0;PD100,0;PM0;PD0,100;PM2;FP;");
    EXPECT_EQ(records(m.dump), "2|4 0 0|3|3|2|21 0 #1 1 1|0");
    EXPECT_EQ(polys(m.dump), "2|polygon #0|v 0 0 1 1 2 0 0|v 100 0 0 1 2 0 0"
                             "|polygon #1|v 100 0 0 1 2 0 0|v 0 100 0 1 2 0 0|v 100 0 0 2 2 0 0");
    // Left open at the end of the file.
    auto n = load("PM0;PD10,10;FP;PM0;PM1;PM1;");
    EXPECT_EQ(records(n.dump), "3|21 0 #0 1 1|0");
}

TEST(PolyMode, MillionVerticesTakeMemoryInProportion) {
    std::string s = "PM0;PD";
    for (int k = 0; k < 1'000'000; ++k)
        s += (k & 1) ? "1,1," : "2,2,";
    s += "0,0;PM2;FP;";
    interp::DrawingModel model;
    auto l = loadInto(model, s);
    EXPECT_EQ(l.result.errorCount, 0);
    EXPECT_EQ(model.polygons.vertexCount(), 1'000'002);
    EXPECT_LE(model.polygons.allVertices().capacity(), 2'100'000u);
    EXPECT_EQ(records(l.dump), "3|2|21 0 #0 1 1|0");
}

// ---- fill and edge records, rectangles, wedges ----

TEST(FillRecords, BeforeAnyPolygonAndWithFillMethods) {
    auto l = load("FP;EP;FP1;FP2;FP3;FP1.5;");
    EXPECT_EQ(records(l.dump), "21 0 #-1 1 1|22 #-1 1 1|21 0 #-1 1 1|21 0 #-1 1 1|0");
    EXPECT_EQ(l.result.hpgl2Pieces, 2);
    EXPECT_EQ(l.result.errorCount, 1);
}

TEST(FillRecords, Rectangles) {
    auto l = load("PA10,20;RA110,220;PD;RR-10,-20;");
    EXPECT_EQ(records(l.dump), "4 10 20|21 0 #0 1 1|2|4 10 20|3|21 0 #1 1 1|2|4 10 20|3|0");
    EXPECT_EQ(
        polys(l.dump),
        "2|polygon #0|v 10 20 1 1 2 0 0|v 110 20 0 1 2 0 0|v 110 220 0 1 2 0 0|v 10 220 0 1 2 0 0"
        "|v 10 20 0 2 2 0 0|polygon #1|v 10 20 1 1 2 0 0|v 0 20 0 1 2 0 0|v 0 0 0 1 2 0 0"
        "|v 10 0 0 1 2 0 0|v 10 20 0 2 2 0 0");
    EXPECT_EQ(header(l.dump), "pages 1|page 1 -40 -40 150 260|errors 0|hpgl2 0|rtl 0");
    EXPECT_EQ(records(load("PA10,20;PD;ER5,5;").dump),
              "4 10 20|3|3|4 15 20|4 15 25|4 10 25|4 10 20|2|4 10 20|3|0");
    auto bad = load("RA5;RA3000000000,0;PA2147483647,0;RR1,0;EA1.5.5,1;");
    EXPECT_EQ(records(bad.dump), "4 2147483647 0|0");
    EXPECT_EQ(bad.result.errorCount, 4);
}

TEST(FillRecords, Wedges) {
    auto l = load("PA1000,1000;WG100,0,90;");
    EXPECT_EQ(records(l.dump), "4 1000 1000|21 0 #0 1 1|2|4 1000 1000|0");
    EXPECT_EQ(polys(l.dump),
              "1|polygon #0|v 1000 1000 1 1 2 0 0|v 1100 1000 0 1 2 0 0|v 1000 1000 0 1 0 0 18"
              "|v 1000 1100 0 1 2 0 0|v 1000 1000 0 2 2 0 0");
    EXPECT_EQ(header(l.dump), "pages 1|page 1 960 960 1140 1140|errors 0|hpgl2 0|rtl 0");
    // Edged full turn with the pen down; a negative radius turns half way.
    auto m = load("PD;EW100,0,100000;");
    EXPECT_EQ(records(m.dump), "3|22 #0 1 1|2|4 0 0|3|0");
    EXPECT_EQ(polys(m.dump),
              "1|polygon #0|v 0 0 1 1 2 0 0|v 100 0 0 1 2 0 0|v 0 0 0 1 1 0 72|v 100 0 0 1 2 0 0"
              "|v 0 0 0 2 2 0 0");
    EXPECT_EQ(polys(load("WG-100,0,90,10;").dump),
              "1|polygon #0|v 0 0 1 1 2 0 0|v -100 0 0 1 2 0 0|v 0 0 0 1 0 0 9|v 0 -100 0 1 2 0 0"
              "|v 0 0 0 2 2 0 0");
    auto bad = load("WG100;WG100,0;WG1" + std::string(40, '0') + ",0,90;WG;");
    EXPECT_EQ(records(bad.dump), "0");
    EXPECT_EQ(bad.result.errorCount, 3);
}

// ---- fill types ----

TEST(FillTypes, SolidAndHatched) {
    EXPECT_EQ(records(load("FT;FT2,50,45;PT;").dump), "18 1 12 0|18 2 12 0|18 2 12 0|0");
    // Default hatch spacing: 1 % of distance(P1, P2) = 18558.
    EXPECT_EQ(records(load("FT3;FT4,,30;FT3,50,45.5;").dump),
              "18 3 186 0|18 4 186 3000|18 3 50 4550|0");
    EXPECT_EQ(records(load("FT3,0;FT4,-5,30;FT3,0.4;").dump), "18 1 0 0|18 2 0 0|18 1 0 0|0");
    EXPECT_EQ(records(loadScaled("FT3,2;FT4,0.4,10;", 10, 20)), "18 3 -40 0|18 4 -8 1000|0");
}

TEST(FillTypes, Hpgl2AndBadTypes) {
    auto l = load("FT10,50;FT11,2;FT22,1;FT7;FT-3;FT3,3000000000;FT1.5;FT3,5,1.2.3;PT;");
    EXPECT_EQ(records(l.dump), "18 1 12 0|0");
    EXPECT_EQ(l.result.hpgl2Pieces, 3);
    EXPECT_EQ(l.result.errorCount, 3);
    // Huge angles are taken modulo a full turn: 1e11 degrees is 280.
    EXPECT_EQ(records(load("FT3,5,100000000000;").dump), "18 3 5 28000|0");
}
