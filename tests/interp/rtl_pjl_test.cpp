// The HP RTL / PCL escape reader and the PJL line reader: what they consume,
// what they count, and the RTL state they keep.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "interp/interpreter.h"
#include "interp/rtl_pjl.h"
#include "load_helper.h"

using testhelp::header;
using testhelp::load;
using testhelp::records;

namespace {

using namespace std::string_literals;

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kGreen = 0x00FF00;

// An interpreter set up as a load sets it up, so that tests can run bytes
// through it and look at its RTL state afterwards.
struct Machine {
    interp::DrawingModel model;
    interp::LoadOptions options;
    testhelp::CollectingReporter reporter;
    interp::Interpreter in{model, options, reporter};

    Machine() {
        model.reset();
        interp::rtlReset(in);
    }
    // Runs the main loop over `bytes` (not empty).
    Machine& run(const std::string& bytes) {
        std::FILE* f = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
        in.run(f);
        std::fclose(f);
        return *this;
    }
    const interp::RtlState& rtl() const { return in.rtl; }
};

int32_t resolutionAfter(const std::string& bytes) {
    return Machine().run(bytes).rtl().resolution;
}

} // namespace

// ---- what the escape reader consumes ----

TEST(RtlEscape, UniversalExitAndPjlEnvelopeAroundHpgl) {
    auto l = load("\x1b%-12345X@PJL ENTER LANGUAGE=HPGL2\r\nSP1;PU0,0;PD100,0;");
    EXPECT_EQ(records(l.dump), "1 1|2|4 0 0|3|4 100 0|0");
    EXPECT_EQ(header(l.dump), "pages 1|page 1 -40 -40 140 40|errors 0|hpgl2 0|rtl 1");
    EXPECT_TRUE(l.messages.empty());
}

TEST(RtlEscape, RowBytesThatReadLikeHpglAreSkipped) {
    auto l = load("\x1b*b5WPD1,1");
    EXPECT_EQ(records(l.dump), "0");
    EXPECT_EQ(l.result.rtlPieces, 1);
    EXPECT_EQ(l.result.errorCount, 0);
    // Binary rows holding ESC, "@", ";" and letters, then HP-GL again.
    auto m = load("\x1b*r2T\x1b*r1A\x1b*b6W\x1b@;\0PD\x1b*b3WIN;\x1b*rCPA5,5;"s);
    EXPECT_EQ(records(m.dump), "4 5 5|0");
    EXPECT_EQ(m.result.rtlPieces, 5);
    EXPECT_EQ(m.result.errorCount, 0);
}

TEST(RtlEscape, LowerCaseDataParameterSkipsItsBytesAndTheSequenceGoesOn) {
    // "3w" is followed by three data bytes, then the pairs continue to "0M".
    auto l = load("\x1b*b3wPD10M"
                  "PA5,5;");
    EXPECT_EQ(records(l.dump), "4 5 5|0");
    EXPECT_EQ(l.result.rtlPieces, 1);
}

// Where each form of sequence ends: the HP-GL after it is drawn.
TEST(RtlEscape, EachFormEndsWhereItsTextEnds) {
    for (const char* seq : {// data of the other "*" groups and the "%" count form
                            "\x1b*c4WPD1,", "\x1b*l4WPD1,", "\x1b*o4WPD1,", "\x1b*p4WPD1,",
                            "\x1b*v4WPD1,", "\x1b%b4WPD1,",
                            // "%", "&" and reset forms end at their letter
                            "\x1b%1B", "\x1b%-12345X", "\x1b&l1o0E",
                            "\x1b"
                            "E",
                            // device control ends after ":" or ";", or before an ESC
                            "\x1b.I81;;17:", "\x1b.(;", "\x1b.N;19:\x1b.(\x1b%0B",
                            // other forms take the bytes after them through ";" along
                            "\x1b(s1PPA1,1;", "\x1bZPA1,1;", "\x1b(8U\x1b.(;"}) {
        auto l = load(std::string(seq) + "PA5,5;");
        EXPECT_EQ(records(l.dump), "4 5 5|0") << seq;
        EXPECT_EQ(l.result.errorCount, 0) << seq;
    }
}

TEST(RtlEscape, EachSequenceCountsOnePiece) {
    auto l = load("\x1b"
                  "E\x1b*r1A\x1b*v5a3b4cP\x1b*b0W\x1b*rC\x1b&a0N\x1b.@;");
    EXPECT_EQ(l.result.rtlPieces, 7);
    EXPECT_EQ(l.result.errorCount, 0);
    EXPECT_TRUE(l.messages.empty());
}

// ---- bad counts, bad values, truncation ----

TEST(RtlBadInput, CountBeyondTheFileEndsTheLoadNormally) {
    auto l = load("PA5,5;\x1b*b1000WPD1,1;");
    EXPECT_EQ(records(l.dump), "4 5 5|0");
    EXPECT_EQ(l.result.errorCount, 0);
    EXPECT_EQ(records(load("PA5,5;\x1b*b2147483648WPD1,1;").dump), "4 5 5|0");
    EXPECT_EQ(records(load("PA5,5;\x1b*b99999999999999999999WPD1,1;").dump), "4 5 5|0");
    EXPECT_EQ(records(load("PA5,5;\x1b%b" + std::string(300, '9') + "WPD1,1;").dump), "4 5 5|0");
}

TEST(RtlBadInput, ValueRunStopsAfterTwentyCharacters) {
    // Twenty zeros are the value, the next "0" its (inert) parameter; then
    // "5W" announces five bytes.
    EXPECT_EQ(records(load("\x1b*b" + std::string(21, '0') + "5WPD1,1PA7,7;").dump), "4 7 7|0");
}

TEST(RtlBadInput, NegativeOrMalformedCountSkipsNothing) {
    auto l = load("\x1b*b-5WPA7,7;\x1b*b1.5WPA8,8;\x1b*b5-WPA9,9;");
    EXPECT_EQ(records(l.dump), "4 7 7|4 8 8|4 9 9|0");
    EXPECT_EQ(l.result.errorCount, 0);
    EXPECT_EQ(records(load("\x1b%b-5WPA7,7;\x1b%b1x2WPA8,8;").dump), "4 7 7|4 8 8|0");
}

TEST(RtlBadInput, WellFormedCountAfterAMalformedValueIsStillSkipped) {
    Machine m;
    m.run("\x1b*b1.5m4WPD1,PA7,7;");
    EXPECT_FALSE(m.rtl().rasterActive); // the sequence had no effect
    EXPECT_EQ(m.rtl().compression, 0);
    auto l = load("\x1b*b1.5m4WPD1,PA7,7;");
    EXPECT_EQ(records(l.dump), "4 7 7|0");
}

TEST(RtlBadInput, TruncatedSequencesEndTheLoadWithOneEndRecord) {
    for (const char* tail : {"\x1b",
                             "\x1b*",
                             "\x1b*b",
                             "\x1b*b5",
                             "\x1b*b5W",
                             "\x1b*b5WPD",
                             "\x1b%",
                             "\x1b%b",
                             "\x1b%b12",
                             "\x1b.",
                             "\x1b.I81",
                             "\x1b&l1",
                             "\x1b(s",
                             "\x1b*v6W\x01",
                             "\x1b*v30W\x01\x02\x03",
                             "@",
                             "@P",
                             "@PJL",
                             "@PJL SET RESOLUTION=600",
                             "@XY",
                             "@XYZ no line end"}) {
        auto l = load(std::string("PA5,5;") + tail);
        EXPECT_EQ(records(l.dump), "4 5 5|0") << tail;
        EXPECT_EQ(l.result.errorCount, 0) << tail;
        EXPECT_TRUE(l.messages.empty()) << tail;
    }
}

TEST(RtlBadInput, HugeSettingValuesAreIgnored) {
    EXPECT_EQ(resolutionAfter("\x1b*t3000000000R"), 300);
    EXPECT_EQ(resolutionAfter("\x1b*t-3000000000R"), 300);
    EXPECT_EQ(resolutionAfter("\x1b*t99999999999999999999R"), 300);
    EXPECT_EQ(resolutionAfter("\x1b*t2147483647R"), 2147483647);
}

// ---- RTL state ----

TEST(RtlState, ResolutionFromTheRasterGroupOnlyOutsideABlock) {
    EXPECT_EQ(resolutionAfter("\x1b*t600R"), 600);
    EXPECT_EQ(resolutionAfter("\x1b*r1A\x1b*t600R"), 300);
    EXPECT_EQ(resolutionAfter("\x1b*r1A\x1b*rC\x1b*t600R"), 600);
    // No digits means 0.
    EXPECT_EQ(resolutionAfter("\x1b*tR"), 0);
}

TEST(RtlState, RowsAreCountedUpToTheSourceHeight) {
    Machine m;
    m.run("\x1b*r3t100S\x1b*r1A\x1b*b2Wab\x1b*b1Vc\x1b*b1Wd");
    EXPECT_TRUE(m.rtl().rasterActive);
    EXPECT_EQ(m.rtl().sourceHeight, 3);
    EXPECT_EQ(m.rtl().sourceWidth, 100);
    EXPECT_EQ(m.rtl().rows, 2);
    EXPECT_EQ(m.rtl().plane, 1);
    m.run("\x1b*b1Ve\x1b*b1Wf\x1b*b1Wg\x1b*b1Vh"); // the third row, then more than the height
    EXPECT_EQ(m.rtl().rows, 3);
    EXPECT_EQ(m.rtl().plane, 1);
    // Size changes are refused inside a block.
    m.run("\x1b*r9T");
    EXPECT_EQ(m.rtl().sourceHeight, 3);
    m.run("\x1b*rC");
    EXPECT_FALSE(m.rtl().rasterActive);
    EXPECT_EQ(m.rtl().rows, 0);
    m.run("\x1b*r0T");
    EXPECT_EQ(m.rtl().sourceHeight, 0);
    EXPECT_FALSE(m.rtl().heightGiven);
}

TEST(RtlState, FirstRowOpensABlockAndAdaptiveCompressionCountsNoRows) {
    Machine m;
    m.run("\x1b*r2T\x1b*b5m3Wabc");
    EXPECT_TRUE(m.rtl().rasterActive);
    EXPECT_EQ(m.rtl().compression, 5);
    EXPECT_EQ(m.rtl().rows, 0);
}

TEST(RtlState, ConfigureImageDataLoadsThePresetOfItsBitsPerIndex) {
    Machine m;
    m.run("\x1b*v3W\x00\x01\x02"s);
    EXPECT_EQ(m.rtl().descriptorLength, 3);
    EXPECT_EQ(m.rtl().pixelEncoding, 1);
    EXPECT_EQ(m.rtl().bitsPerIndex, 2);
    EXPECT_EQ(m.rtl().palette[0], kBlack);
    EXPECT_EQ(m.rtl().palette[1], kRed);
    EXPECT_EQ(m.rtl().palette[2], kGreen);
    EXPECT_EQ(m.rtl().palette[3], kWhite);
    EXPECT_EQ(m.rtl().palette[4], kBlack);
    // Pixel encoding 3 forces 24: the eight basic colours repeated.
    m.run("\x1b*v6W\x00\x03\x08\x08\x08\x08PA1,1;"s);
    EXPECT_EQ(m.rtl().bitsPerIndex, 24);
    EXPECT_EQ(m.rtl().palette[1], kRed);
    EXPECT_EQ(m.rtl().palette[15], kWhite);
    // Bits per index 0 counts as 1; only 18 bytes are kept, the rest skipped.
    m.run("\x1b*v20W" + std::string(20, '\0') + "PA2,2;");
    EXPECT_EQ(m.rtl().descriptorLength, 18);
    EXPECT_EQ(m.rtl().bitsPerIndex, 1);
    EXPECT_EQ(m.rtl().palette[0], kWhite);
    // Inside a block the bytes are only skipped.
    m.run("\x1b*r1A\x1b*v3W\x00\x00\x02"s);
    EXPECT_EQ(m.rtl().bitsPerIndex, 1);
    EXPECT_EQ(m.rtl().descriptorLength, 18);
}

TEST(RtlState, ColourIndexAssignmentOutsideABlock) {
    Machine m;
    m.run("\x1b*v255a0b300c1I");
    EXPECT_EQ(m.rtl().palette[1], 0xFF00FFu); // components clamped to 0..255
    EXPECT_EQ(m.rtl().colourIndex, 1);
    m.run("\x1b*v256I\x1b*v-1I"); // out of range: no entry written
    EXPECT_EQ(m.rtl().colourIndex, 1);
    m.run("\x1b*r1A\x1b*v0I");
    EXPECT_EQ(m.rtl().palette[0], kWhite);
    EXPECT_EQ(m.rtl().colourIndex, 1);
}

TEST(RtlState, ResetRestoresEverythingAndEmptiesThePaletteStack) {
    Machine m;
    m.run("\x1b*t600R\x1b*r5T\x1b*v6W\x00\x03\x08\x08\x08\x08\x1b*r1A"s);
    EXPECT_TRUE(m.in.rtl.savePalette());
    EXPECT_TRUE(m.in.rtl.savePalette());
    m.in.coord.paperOrientation = 180;
    m.run("\x1b"
          "E");
    EXPECT_EQ(m.rtl().resolution, 300);
    EXPECT_EQ(m.in.coord.paperOrientation, 90);
    EXPECT_FALSE(m.rtl().rasterActive);
    EXPECT_EQ(m.rtl().sourceHeight, 0);
    EXPECT_EQ(m.rtl().bitsPerIndex, 1);
    EXPECT_TRUE(m.rtl().savedPalettes.empty());
    EXPECT_EQ(m.rtl().palette[0], kWhite);
    EXPECT_EQ(m.rtl().palette[1], kBlack);
}

TEST(RtlState, ResetMidFileLeavesTheHpglStateAlone) {
    // Pen, pen-down state, relative mode and position all survive ESC E.
    EXPECT_EQ(records(load("SP2;PD10,10;PR;\x1b"
                           "E;PR5,0;")
                          .dump),
              "1 2|3|4 10 10|4 15 10|0");
}

TEST(RtlState, PaletteStackIsBoundedAndRestoresInOrder) {
    Machine m;
    interp::RtlState& s = m.in.rtl;
    s.palette[0] = 1;
    ASSERT_TRUE(s.savePalette());
    s.palette[0] = 2;
    ASSERT_TRUE(s.savePalette());
    s.palette[0] = 3;
    ASSERT_TRUE(s.restorePalette());
    EXPECT_EQ(s.palette[0], 2u);
    ASSERT_TRUE(s.restorePalette());
    EXPECT_EQ(s.palette[0], 1u);
    EXPECT_FALSE(s.restorePalette());
    for (size_t i = 0; i < interp::RtlState::kMaxSavedPalettes; ++i)
        ASSERT_TRUE(s.savePalette());
    EXPECT_FALSE(s.savePalette());
    EXPECT_EQ(s.savedPalettes.size(), interp::RtlState::kMaxSavedPalettes);
}

TEST(RtlState, PalettePresets) {
    interp::RtlPalette p;
    interp::loadPalettePreset(p, -3);
    EXPECT_EQ(std::vector<uint32_t>(p.begin(), p.begin() + 9),
              (std::vector<uint32_t>{kWhite, 0xFFFF00, 0xFF00FF, 0xFF0000, 0x00FFFF, kGreen, kRed,
                                     kBlack, kBlack}));
    interp::loadPalettePreset(p, -4);
    EXPECT_EQ(p[1], 0x0F0F0Fu);
    EXPECT_EQ(p[13], 0x00000Fu);
    interp::loadPalettePreset(p, 7); // any other number: eight colours over all entries
    EXPECT_EQ(p[3], 0x00FFFFu);
    EXPECT_EQ(p[255], kWhite);
}

// ---- PJL lines ----

TEST(Pjl, ResolutionIsTakenOver) {
    EXPECT_EQ(resolutionAfter("@PJL SET RESOLUTION = 600\r\n"), 600);
    EXPECT_EQ(resolutionAfter("@pjl SET RESOLUTION=1200\n"), 1200);
    EXPECT_EQ(resolutionAfter("@PJL SET RESOLUTION=600"), 600); // line ended by the file end
    // RESOLUTION comes before LANGUAGE in the search order.
    EXPECT_EQ(resolutionAfter("@PJL ENTER LANGUAGE=HPGL2 RESOLUTION=400\n"), 400);
}

TEST(Pjl, PaperKeysStopTheSearch) {
    EXPECT_EQ(resolutionAfter("@PJL SET PAPERWIDTH=8400 RESOLUTION=600\n"), 300);
    EXPECT_EQ(resolutionAfter("@PJL SET RESOLUTION=600 PAPERLENGTH=1\n"), 300);
}

TEST(Pjl, MalformedValuesHaveNoEffect) {
    for (const char* line :
         {"@PJL SET RESOLUTION\n", "@PJL SET RESOLUTION=\n", "@PJL SET RESOLUTION=HIGH\n",
          "@PJL SET RESOLUTION=600.0\n", "@PJL SET RESOLUTION=99999999999\n",
          "@PJL SET RESOLUTION=-\n", "@PJX SET RESOLUTION=600\n"}) {
        Machine m;
        m.run(line);
        EXPECT_EQ(m.rtl().resolution, 300) << line;
        EXPECT_EQ(m.in.errorCount, 0) << line;
    }
}

TEST(Pjl, LineEndsAtCarriageReturnOrLineFeed) {
    auto l = load("@PJL JOB NAME=\"x\"\r\nSP1;PA5,5;@PJL EOJ\nPA6,6;");
    EXPECT_EQ(records(l.dump), "1 1|4 5 5|4 6 6|0");
    EXPECT_EQ(l.result.rtlPieces, 0);
    EXPECT_EQ(l.result.errorCount, 0);
}

TEST(Pjl, OtherAtLinesAreSkippedThroughTheirLineFeed) {
    EXPECT_EQ(records(load("@XYZ PA1,1;\nPA5,5;").dump), "4 5 5|0");
    // A bare "@" line does not take the next line with it.
    EXPECT_EQ(records(load("@\nPA5,5;").dump), "4 5 5|0");
    EXPECT_EQ(records(load("@P\nPA5,5;").dump), "4 5 5|0");
}

TEST(Pjl, VeryLongLineIsConsumedWhole) {
    auto l = load("@PJL COMMENT " + std::string(100000, 'x') + "\nPA5,5;");
    EXPECT_EQ(records(l.dump), "4 5 5|0");
}

// ---- a whole job ----

TEST(RtlMixed, EnvelopeResetHpgl2RasterAndVectorsRecordOnlyTheVectors) {
    std::string file = "\x1b%-12345X@PJL JOB\r\n"
                       "@PJL SET RESOLUTION=600\r\n"
                       "@PJL ENTER LANGUAGE=HPGL2\r\n"
                       "\x1b"
                       "E\x1b%0B"
                       "SP1;PW0.35,1;\x1b%1A"
                       "\x1b*v6W\x00\x03\x08\x08\x08\x08"
                       "\x1b*r2T\x1b*r8S\x1b*r1A"
                       "\x1b*b4WPD9,\x1b*b4W;PU;\x1b*rC"
                       "\x1b%0BPU0,0;PD100,0;"
                       "\x1b%-12345X@PJL EOJ\r\n"s;
    auto l = load(file);
    EXPECT_EQ(records(l.dump), "1 1|2|4 0 0|3|4 100 0|0");
    EXPECT_EQ(header(l.dump), "pages 1|page 1 -40 -40 140 40|errors 0|hpgl2 1|rtl 13");
    EXPECT_TRUE(l.messages.empty());
}

TEST(RtlMixed, CorpusJobCountsEachEscapeOnce) {
    std::string path = std::string(QM_CORPUS_DIR) + "/jemgreen__XANADU-PLT-test.plt";
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) GTEST_SKIP() << "sample not present";
    std::fclose(f);
    interp::DrawingModel model;
    testhelp::CollectingReporter rep;
    auto r = interp::LoadPlotFile(model, path, {}, rep);
    EXPECT_TRUE(r.opened);
    EXPECT_EQ(r.rtlPieces, 14);
}
