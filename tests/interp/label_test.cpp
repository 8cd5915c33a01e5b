// Labels and the label state: LB segments, terminators, the buffered label,
// character size, direction, slant, spacing, origin and character sets.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "interp/interpreter.h"
#include "interp/label_commands.h"
#include "load_helper.h"

using testhelp::header;
using testhelp::load;
using testhelp::records;

namespace {

const std::string ETX = "\x03";
const std::string SO = "\x0E";
const std::string SI = "\x0F";

// An interpreter without a file, for the helpers other command groups call.
struct Direct {
    interp::DrawingModel model;
    interp::LoadOptions options;
    testhelp::CollectingReporter reporter;
    interp::Interpreter in{model, options, reporter};

    std::string recs() {
        model.finishLoad(interp::PaperCorner{});
        return records(interp::dumpDrawing(model, interp::LoadResult{}));
    }
};

} // namespace

// ---- LB ----

TEST(LabelText, OneLineGivesOneHeaderAndItsText) {
    auto l = load("LBABC" + ETX);
    EXPECT_EQ(records(l.dump), "2|4 0 0|10 3 3 0 0 48 0 0|10 \"ABC\"|0");
    EXPECT_EQ(l.result.errorCount, 0);
}

TEST(LabelText, PositionAdvancesByTheCharacterCells) {
    // 3 cells of 114 x 1.5 = 513; the next label continues there.
    EXPECT_EQ(
        records(load("LBABC" + ETX + "LBD" + ETX + "PD;PR0,0;").dump),
        "2|4 0 0|10 3 3 0 0 48 0 0|10 \"ABC\"|2|4 513 0|10 1 1 0 0 48 0 0|10 \"D\"|3|4 684 0|0");
}

TEST(LabelText, LabelBoxEntersThePageExtents) {
    // From the label point 513 along, 150 up and a quarter height (37.5) down;
    // the pen-up move to the label point alone would not count.
    auto l = load("PA1000,1000;LBABC" + ETX);
    EXPECT_EQ(header(l.dump), "pages 1|page 1 960 922 1553 1190|errors 0|hpgl2 0|rtl 0");
}

TEST(LabelText, CarriageReturnLineFeedAndBackspaces) {
    // "AB" CR LF "C": one header with both counts; the two backspaces are a
    // character move of -2 cells, and "D" lands two cells left of where "C"
    // ended, one line (300) down from the start.
    auto l = load("LBAB\r\nC\b\bD" + ETX + "PD;PR0,0;");
    EXPECT_EQ(records(l.dump), "2|4 0 0|10 5 2 1 1 48 0 0|10 \"AB\\x0D\\x0AC\"|16 -200000 0|"
                               "2|4 -171 -300|10 1 1 0 0 48 0 0|10 \"D\"|3|4 0 -300|0");
}

TEST(LabelText, LeadingBackspacesMoveBeforeTheText) {
    EXPECT_EQ(records(load("LB\b\bA" + ETX).dump),
              "16 -200000 0|2|4 -342 0|10 1 1 0 0 48 0 0|10 \"A\"|0");
}

TEST(LabelText, ControlBytesAreDroppedAndHighBytesKept) {
    EXPECT_EQ(records(load("LBA\x01\x07\x1B\xE9" + ETX).dump),
              "2|4 0 0|10 2 2 0 0 48 0 0|10 \"A\\xE9\"|0");
}

TEST(LabelText, TextIsNotTakenForCommands) {
    EXPECT_EQ(records(load("LBPD100,100;" + ETX + "PA5,5;").dump),
              "2|4 0 0|10 10 10 0 0 48 0 0|10 \"PD100,100;\"|4 5 5|0");
}

TEST(LabelText, UnterminatedLabelAtEndOfFileRecordsNothing) {
    auto l = load("PA10,10;LBABC");
    EXPECT_EQ(records(l.dump), "4 10 10|0");
    EXPECT_EQ(l.result.errorCount, 0);
    // Segments closed before the end stay.
    EXPECT_EQ(records(load("LBA" + SO + "B").dump), "2|4 0 0|10 1 1 0 0 48 0 0|10 \"A\"|29 1|0");
}

TEST(LabelText, TextLongerThanARecordIsAnErrorAndWritesNothing) {
    auto l = load("LB" + std::string(8187, 'X') + ETX + "PA5,5;");
    EXPECT_EQ(records(l.dump), "4 5 5|0");
    EXPECT_EQ(l.result.errorCount, 1);
    // The longest text that fits is recorded.
    auto fits = load("LB" + std::string(8186, 'X') + ETX);
    EXPECT_NE(fits.dump.find("10 8186 8186 0 0 48 0 0\n"), std::string::npos);
    EXPECT_EQ(fits.result.errorCount, 0);
}

TEST(LabelText, ManyMegabytesAreReadToTheTerminator) {
    auto l = load("LB" + std::string(5 << 20, 'X') + ETX + "PA5,5;");
    EXPECT_EQ(records(l.dump), "4 5 5|0");
    EXPECT_EQ(l.result.errorCount, 1);
    // Unterminated: the load simply ends.
    EXPECT_EQ(records(load("LB" + std::string(3 << 20, '\b')).dump), "0");
}

TEST(LabelText, ZeroTerminatorDisablesLabels) {
    EXPECT_EQ(records(load(std::string("DT\0;LBPA5,5;", 12)).dump), "4 5 5|0");
}

// ---- character sets in labels ----

TEST(LabelSets, ShiftOutAndInSwitchSetsMidLabel) {
    // The alternate set still has the default size; the standard one 200 x 200.
    auto l = load("SI0.5,0.5;LBA" + SO + "B" + SI + "C" + ETX);
    EXPECT_EQ(records(l.dump), "11 200 200|2|4 0 0|10 1 1 0 0 48 0 0|10 \"A\"|11 114 150|29 1|"
                               "2|4 300 0|10 1 1 0 0 48 0 0|10 \"B\"|11 200 200|29 0|"
                               "2|4 471 0|10 1 1 0 0 48 0 0|10 \"C\"|0");
}

TEST(LabelSets, TwoByteSetKeepsEveryByteAndHalvesCounts) {
    // Odd byte count: five bytes, two and a half characters, recorded as two.
    auto l = load("CS80;LB\x82\xA0\x05\x82\xA2" + ETX + "PD;PR0,0;");
    EXPECT_EQ(records(l.dump),
              "2|4 0 0|10 5 2 0 0 80 0 128|10 \"\\x82\\xA0\\x05\\x82\\xA2\"|3|4 342 0|0");
    EXPECT_EQ(l.result.errorCount, 0);
}

TEST(LabelSets, SetEightIsRecordedAsSetZeroWithKatakanaBytes) {
    // The header names Shift-JIS as the text's Windows character set, so
    // drawing shows the bytes as katakana.
    EXPECT_EQ(records(load("CA8;SA;LB!_a" + ETX).dump),
              "29 1|2|4 0 0|10 3 3 0 0 48 0 128|10 \"\\xA1\\xDFa\"|0");
}

TEST(LabelSets, SelectingASetRecordsWhatChanges) {
    EXPECT_EQ(records(load("SA;").dump), "29 1|0");
    EXPECT_EQ(records(load("SI1,1;SA;SS;").dump), "11 400 400|11 114 150|29 1|11 400 400|29 0|0");
    EXPECT_EQ(records(load("SL0.3;SA;SS;").dump), "13 300|13 0|29 1|13 300|29 0|0");
}

TEST(LabelSets, DesignationOutOfRangeIsIgnored) {
    EXPECT_EQ(records(load("CS300;LBA" + ETX).dump), "2|4 0 0|10 1 1 0 0 48 0 0|10 \"A\"|0");
    EXPECT_EQ(records(load("CS5;LBA" + ETX).dump), "2|4 0 0|10 1 1 0 0 5 0 0|10 \"A\"|0");
}

// ---- terminator and buffered label ----

TEST(LabelTerminator, ModeDecidesWhetherTheTerminatorIsPrinted) {
    auto plain = load("DT*;LBA*");
    EXPECT_EQ(records(plain.dump), "2|4 0 0|10 1 1 0 0 48 0 0|10 \"A\"|0");
    EXPECT_EQ(plain.result.hpgl2Pieces, 0);
    auto printed = load("DT*,0;LBA*");
    EXPECT_EQ(records(printed.dump), "2|4 0 0|10 2 2 0 0 48 0 0|10 \"A*\"|0");
    EXPECT_EQ(printed.result.hpgl2Pieces, 1);
}

TEST(LabelTerminator, SemicolonRestoresEtxAndBadModesAreIgnored) {
    EXPECT_EQ(records(load("DT*;DT;LBA*B" + ETX).dump), "2|4 0 0|10 3 3 0 0 48 0 0|10 \"A*B\"|0");
    EXPECT_EQ(records(load("DT*,0;DT;LBA*B" + ETX).dump), "2|4 0 0|10 3 3 0 0 48 0 0|10 \"A*B\"|0");
    EXPECT_EQ(records(load("DT*,5;LBA*").dump), "2|4 0 0|10 1 1 0 0 48 0 0|10 \"A\"|0");
    // ENQ keeps the terminator.
    EXPECT_EQ(records(load("DT\x05;LBA" + ETX).dump), "2|4 0 0|10 1 1 0 0 48 0 0|10 \"A\"|0");
}

TEST(LabelBuffer, BufferedTextIsCutAt150AndPrintedWithOriginOne) {
    auto l = load("LO5;BL" + std::string(200, 'A') + ETX + "PB;");
    EXPECT_EQ(records(l.dump), "14 5|14 1|2|4 0 0|10 150 150 0 0 48 0 0|10 \"" +
                                   std::string(150, 'A') + "\"|14 5|0");
    EXPECT_EQ(l.result.errorCount, 0);
}

TEST(LabelBuffer, EmptyBufferPrintsNothing) {
    EXPECT_EQ(records(load("PB;").dump), "0");
    EXPECT_EQ(records(load("BL" + ETX + "PB;").dump), "0");
}

// ---- character size ----

TEST(LabelSize, AbsoluteSizeInCentimetres) {
    EXPECT_EQ(records(load("SI0.285,0.375;").dump), "11 114 150|0");
    EXPECT_EQ(records(load("SI0,0.3;").dump), "0");
    EXPECT_EQ(records(load("SI0.3;").dump), "0");
    EXPECT_EQ(records(load("SI1,1;SI;").dump), "11 400 400|11 114 150|0");
}

TEST(LabelSize, RelativeSizeInPerCentOfTheScalingPoints) {
    EXPECT_EQ(records(load("SR2,3;").dump), "11 302 323|0");
    EXPECT_EQ(records(load("SR;").dump), "11 113 161|0");
}

TEST(LabelSize, UserSizeWithoutScalingIsInPlotterUnits) {
    EXPECT_EQ(records(load("SU100.5,200;").dump), "11 100 200|0");
}

TEST(LabelSize, SizeThatDoesNotFitIsAnError) {
    // Letters end a parameter, so large values are written out.
    auto l = load("SI10000000,1;SR100000000,1;");
    EXPECT_EQ(records(l.dump), "0");
    EXPECT_EQ(l.result.errorCount, 2);
    EXPECT_EQ(load("SIx;").result.errorCount, 0); // a letter ends the command
    EXPECT_EQ(load("SI1.2.3,1;").result.errorCount, 1);
}

TEST(LabelSize, RelativeSizeFollowsTheScalingPoints) {
    Direct d;
    d.in.coord.p2x = 20000;
    interp::recomputeRelativeSize(d.in); // absolute size in force: nothing
    d.in.label.sizeMode = interp::SizeMode::Relative;
    d.in.label.relWidth = 2;
    d.in.label.relHeight = 3;
    interp::recomputeRelativeSize(d.in);
    EXPECT_EQ(d.recs(), "11 400 323|0");
    EXPECT_EQ(d.in.label.sets[0].width, 400);
}

// ---- direction, slant, spacing, origin ----

TEST(LabelDirection, RunAndRiseGiveTheAngle) {
    EXPECT_EQ(records(load("DI0,1;DI1,1;DI-1,0;DI;").dump), "12 90000|12 45000|12 180000|12 0|0");
    // Relative to P2 - P1: atan(10760 / 15120).
    EXPECT_EQ(records(load("DR1,1;").dump), "12 35437|0");
    // User units need scaling.
    EXPECT_EQ(records(load("DU1,1;").dump), "0");
    EXPECT_EQ(records(load("DI1;").dump), "0");
}

TEST(LabelDirection, LabelsRunAlongTheDirection) {
    EXPECT_EQ(records(load("DI0,1;LBAB" + ETX + "PD;PR0,0;").dump),
              "12 90000|2|4 0 0|10 2 2 0 0 48 0 0|10 \"AB\"|3|4 0 342|0");
}

TEST(LabelDirection, VerticalPathTurnsAndRecordsTheVerticalAngle) {
    EXPECT_EQ(records(load("DV1;DV;DV2;DV7;").dump),
              "12 -90000|24 90000|12 0|24 0|12 180000|24 0|0");
}

TEST(LabelDirection, RotationTurnsTheDirection) {
    Direct d;
    d.in.coord.rotation = 90;
    interp::recomputeDirection(d.in);
    interp::recomputeDirection(d.in); // unchanged: recorded once
    EXPECT_EQ(d.recs(), "12 90000|0");
}

TEST(LabelDirection, RelativeDirectionFollowsTheScalingPoints) {
    Direct d;
    d.in.label.directionMode = interp::DirectionMode::Relative;
    d.in.label.run = 1;
    d.in.label.rise = 1;
    d.in.coord.p2x = 10760;
    interp::recomputeDirection(d.in);
    EXPECT_EQ(d.recs(), "12 45000|0");
}

TEST(LabelSlant, SlantIsRecordedTimesThousand) {
    EXPECT_EQ(records(load("SL0.5;SL;").dump), "13 500|13 0|0");
    EXPECT_EQ(load("SL10000000;").result.errorCount, 1);
}

TEST(LabelSpacing, ExtraSpaceAndCharacterMoves) {
    EXPECT_EQ(records(load("ES0.5,1;ES;ES2;").dump), "15 50000 100000|15 0 0|15 200000 0|0");
    EXPECT_EQ(load("ES100000;").result.errorCount, 1);
    // Two cells along and one line up.
    EXPECT_EQ(records(load("CP2,1;PD;PR0,0;").dump), "16 200000 100000|3|4 342 300|0");
}

TEST(LabelSpacing, ExtraSpaceWidensTheAdvance) {
    // (1 + 0.5) x 114 x 1.5 = 256.5 per cell: 2 cells = 513.
    EXPECT_EQ(records(load("ES0.5;LBAB" + ETX + "PD;PR0,0;").dump),
              "15 50000 0|2|4 0 0|10 2 2 0 0 48 0 0|10 \"AB\"|3|4 513 0|0");
}

TEST(LabelSpacing, BareCharacterMoveStartsTheNextLine) {
    EXPECT_EQ(records(load("LBABC" + ETX + "CP;LBD" + ETX).dump),
              "2|4 0 0|10 3 3 0 0 48 0 0|10 \"ABC\"|16 -300000 -100000|"
              "2|4 0 -300|10 1 1 0 0 48 0 0|10 \"D\"|0");
}

TEST(LabelOrigin, KnownCodesOnly) {
    EXPECT_EQ(records(load("LO5;LO10;LO22;LO;LO21;").dump), "14 5|14 1|14 21|0");
}

TEST(LabelOrigin, OriginShiftsTheBox) {
    // Centred: the 513 x 187.5 box moves half its width left and half the
    // height (75) down.
    auto l = load("PA1000,1000;LO5;LBABC" + ETX);
    EXPECT_EQ(header(l.dump), "pages 1|page 1 704 848 1296 1115|errors 0|hpgl2 0|rtl 0");
}

// ---- read past ----

TEST(LabelReadPast, FontDefinitionsAndLabelModeAreCounted) {
    auto l = load("SD1,21,2,1;AD1,21;LM1;");
    EXPECT_EQ(records(l.dump), "0");
    EXPECT_EQ(l.result.hpgl2Pieces, 3);
    EXPECT_EQ(l.result.errorCount, 0);
}

// ---- helpers other command groups call ----

TEST(LabelHelpers, ResetRecordsTheLabelDefaults) {
    Direct d;
    d.in.label.terminator = '*';
    d.in.label.terminatorMode = interp::TerminatorMode::Printed;
    d.in.label.sets[1].code = 80;
    d.in.label.selectedSet = 1;
    d.in.label.codeInForce = 80;
    d.in.poly.fillType = interp::FillKind::Hatch;
    interp::resetLabelState(d.in);
    EXPECT_EQ(d.recs(), "12 0|15 0 0|18 1 12 0|14 1|11 114 150|13 0|29 0|0");
    EXPECT_EQ(d.in.label.terminator, 3);
    EXPECT_EQ(d.in.label.terminatorMode, interp::TerminatorMode::NotPrinted);
    EXPECT_EQ(d.in.label.codeInForce, 48);
    EXPECT_EQ(d.in.label.selectedSet, 0);
    EXPECT_EQ(d.in.poly.fillType, interp::FillKind::SolidBidirectional);
}

TEST(LabelHelpers, ResetEndsAVerticalPath) {
    Direct d;
    d.in.label.path = interp::TextPath::Down;
    d.in.label.verticalMode = 90;
    interp::resetLabelState(d.in);
    EXPECT_EQ(d.recs().substr(0, 12), "12 0|24 0|15");
}

TEST(LabelHelpers, SymbolIsCentredOnThePoint) {
    Direct d;
    d.in.posX = d.in.posY = 1000;
    d.in.pen.symbol = '*';
    d.in.penUp = false;
    interp::plotSymbol(d.in);
    EXPECT_EQ(d.recs(), "2|4 943 925|10 1 1 0 0 48 0 0|10 \"*\"|4 1000 1000|3|0");
    EXPECT_FALSE(d.in.penUp);
}

TEST(LabelHelpers, SymbolWithPenUpAddsNoPenRecords) {
    Direct d;
    d.in.pen.symbol = 'X';
    interp::plotSymbol(d.in);
    EXPECT_EQ(d.recs(), "4 -57 -75|10 1 1 0 0 48 0 0|10 \"X\"|4 0 0|0");
}

// ---- hostile input ----

TEST(LabelHostile, PositionsBeyond32BitsAreErrorsNotOverflows) {
    auto l = load("PA2147483000,0;LBAAAAAAAA" + ETX + "LBB" + ETX);
    EXPECT_GE(l.result.errorCount, 1);
    auto huge =
        load("SI-1000000,1000000;ES1000,1000;LBAB\r\n\r\nC" + ETX + "CP20000,20000;LBD" + ETX);
    std::string r = records(huge.dump);
    EXPECT_EQ(r.substr(r.size() - 2), "|0");
    EXPECT_GE(huge.result.errorCount, 1);
}

TEST(LabelHostile, AnyBytesAfterLabelCommandsEndTheLoadNormally) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    for (const char* cmd : {"LB", "BL", "DT", "CS80;LB", "DT", "PB", "CP", "SI"}) {
        auto l = load(std::string(cmd) + bytes + bytes);
        EXPECT_NE(l.dump.find("records\n"), std::string::npos) << cmd;
    }
}

TEST(LabelHostile, RandomMixturesOfLabelPiecesLoad) {
    const char* pieces[] = {"LB",
                            "BL",
                            "PB;",
                            "DT",
                            "DT*,0;",
                            "CS80;",
                            "CA8;",
                            "SA;",
                            "SS;",
                            "CP;",
                            "CP-30000,30000;",
                            "DI0,-1;",
                            "DV1;",
                            "SR;",
                            "SI-900000,900000;",
                            "ES-1,-1;",
                            "LO19;",
                            "SL-5;",
                            "PA2147483000,-2147483000;",
                            "\b\b\b",
                            "\x0E",
                            "\x0F",
                            "\r\n",
                            "\x03",
                            "*",
                            "\x82\xA0",
                            "\x01",
                            ";"};
    std::mt19937 rng(4);
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        for (int k = 0; k < 40; ++k)
            bytes += pieces[rng() % std::size(pieces)];
        std::string r = records(load(bytes).dump);
        EXPECT_EQ(r.substr(r.size() - 1), "0") << round;
    }
}
