// Pen moves, pen selection, line types, symbol mode, ticks, UC, GR, the reset
// commands and the HP-GL/2 commands that are read past.

#include <gtest/gtest.h>

#include <random>

#include "load_helper.h"

using testhelp::header;
using testhelp::load;
using testhelp::records;

namespace {

interp::LoadOptions multiPage() {
    interp::LoadOptions o;
    o.multiPage = true;
    return o;
}

// The label defaults a reset writes, between its line type and what follows.
const std::string kLabelDefaults = "12 0|15 0 0|18 1 12 0|14 1|11 114 150|13 0|29 0";

} // namespace

// ---- pen moves and pen selection ----

TEST(PenMoves, PenUpAndDownWithoutParametersOnlyChangeThePen) {
    EXPECT_EQ(records(load("PU;PD;").dump), "2|3|0");
    EXPECT_EQ(records(load("PU;PD,10,20;").dump), "2|3|4 10 20|0");
}

TEST(PenMoves, RelativeMovesFollowTheModeOfTheLastPaOrPr) {
    EXPECT_EQ(records(load("PA10,10;PR5,5,5,5;PU1,1;PA0,0;PD3,3;").dump),
              "4 10 10|4 15 15|4 20 20|2|4 21 21|4 0 0|3|4 3 3|0");
}

TEST(PenMoves, EmptyParametersAndOddCounts) {
    // A single empty parameter is skipped; two end the list.
    EXPECT_EQ(records(load("PA1,1,,2,2;PA3,3,,,4,4;").dump), "4 1 1|4 2 2|4 3 3|0");
    auto l = load("PA1,1,2;");
    EXPECT_EQ(records(l.dump), "4 1 1|0");
    EXPECT_EQ(l.result.errorCount, 1);
}

TEST(PenMoves, RelativeMoveBeyond32BitsIsAnError) {
    auto l = load("PA2147483000,0;PR1000,0;PA1,1;");
    EXPECT_EQ(records(l.dump), "4 2147483000 0|4 1 1|0");
    EXPECT_EQ(l.result.errorCount, 1);
}

TEST(PenSelect, NumbersFoldIntoThePenRange) {
    EXPECT_EQ(records(load("SP0;SP256;SP-3;SP510;SP;SPx;SP2.5;").dump),
              "1 0|1 1|1 1|1 255|1 1|1 1|1 1|0");
}

TEST(PenSelect, PenChangeWhileDownContinuesTheLine) {
    EXPECT_EQ(records(load("PD10,0;SP2;PA20,0;").dump), "3|4 10 0|2|4 10 0|1 2|3|4 20 0|0");
}

TEST(PenSelect, PenToPenTableRenumbers) {
    interp::LoadOptions o;
    o.penPenTableNo = 1;
    o.penPen[3] = 7;
    o.penPen[1] = 9;
    EXPECT_EQ(records(load("SP3;SP256;", o).dump), "1 7|1 9|0");
}

// ---- line types ----

TEST(LineType, PatternsPercentAndMillimetreLengths) {
    // 4 % of the default diagonal (18558) is 742; 2 % is 371; 5 mm is 200.
    auto l = load("LT3;LT-2,2;LT4,5,1;LT5,5,0;");
    EXPECT_EQ(records(l.dump), "23 3 742|23 -2 371|23 4 200|23 5 928|0");
    // The millimetre flag is an HP-GL/2 piece.
    EXPECT_EQ(l.result.hpgl2Pieces, 2);
}

TEST(LineType, OutOfRangeValuesChangeNothing) {
    auto l = load("LT9;LT-9;LT2,-1;LT2,3,2;LT99;");
    EXPECT_EQ(records(l.dump), "0");
    EXPECT_EQ(l.result.errorCount, 0);
    EXPECT_EQ(load("LTa;LT2.5;").result.errorCount, 1);
}

TEST(LineType, Lt99RestoresOnlyWhenThePenHasNotMoved) {
    EXPECT_EQ(records(load("LT2;LT;LT99;").dump), "23 2 742|23 255 742|23 2 742|0");
    EXPECT_EQ(records(load("LT2;LT;PR10,0;LT99;").dump), "23 2 742|23 255 742|4 10 0|0");
    // Back at the same place counts as not moved. A solid line keeps the length.
    EXPECT_EQ(records(load("LT2,1;LT;PR10,0,-10,0;LT99;").dump),
              "23 2 186|23 255 186|4 10 0|4 0 0|23 2 186|0");
}

// ---- symbol mode and ticks ----

TEST(SymbolMode, ByteAfterTheMnemonicIsTheSymbol) {
    // "SMP" ends symbol mode and leaves the P for the next command.
    EXPECT_EQ(records(load("SMPA1,1;").dump), "4 1 1|0");
    EXPECT_EQ(records(load("SM;PA1,1;").dump), "4 1 1|0");
    // While a symbol is set each point is followed by the symbol label.
    std::string withSymbol = records(load("SM*PA1,1;").dump);
    EXPECT_NE(withSymbol.find("10 \"*\""), std::string::npos) << withSymbol;
}

TEST(Ticks, TickLengthsArePartsOfTheP1P2Distance) {
    // TL1,2 of 18558: 186 up, 371 down.
    EXPECT_EQ(records(load("PA100,100;TL1,2;XT;").dump),
              "4 100 100|2|4 100 286|3|4 100 -271|2|4 100 100|0");
    EXPECT_EQ(records(load("PD;TL1,0;YT;").dump), "3|2|4 186 0|3|4 0 0|2|4 0 0|3|0");
    // Default 0.5 % each way, and TL without parameters returns to it.
    EXPECT_EQ(records(load("TL5;TL;XA;").dump), "2|4 0 93|3|4 0 -93|2|4 0 0|0");
}

TEST(Ticks, TicksTurnWithThePlot) {
    // Under RO90 an X tick runs across the page like the turned X axis.
    std::string r = records(load("RO90;TL1,0;XT;").dump);
    EXPECT_EQ(r.substr(r.find("|2|")), "|2|4 -186 0|3|4 0 0|2|4 0 0|0");
}

TEST(Ticks, HugeTickLengthIsAnErrorAndDrawsNothing) {
    auto l = load("TL" + std::string(40, '9') + ";XT;");
    EXPECT_EQ(records(l.dump), "0");
    EXPECT_EQ(l.result.errorCount, 1);
}

// ---- UC and GR ----

TEST(UserCharacter, StrokesOnTheCharacterGridThenTheNextCell) {
    // Grid 114/4 x 150/8; the pen then moves on 1.5 character widths (171).
    EXPECT_EQ(records(load("PA100,100;UC99,4,8,-99,4,0;").dump),
              "4 100 100|3|4 214 250|2|4 328 250|2|4 271 100|0");
}

TEST(UserCharacter, PatternIsSuspendedAndPenRestored) {
    EXPECT_EQ(records(load("LT1;PD;UC99,4,8;").dump),
              "23 1 742|3|23 255 742|3|4 114 150|2|4 171 0|3|23 1 742|0");
}

TEST(UserCharacter, FineGridEndsPenCodes) {
    // After 9999 the grid is size / 32 and 99 is a step.
    EXPECT_EQ(records(load("UC9999,99,32;").dump), "4 353 150|2|4 171 0|0");
}

TEST(Graph, StepsInXWithPenCodesInTheList) {
    EXPECT_EQ(records(load("GR10,0,5,PU,7,PD10;").dump), "3|4 0 0|4 10 5|2|4 20 7|3|4 30 10|0");
    EXPECT_EQ(records(load("GR0,5,6;").dump), "3|0");
}

TEST(Graph, CommandRightAfterTheListIsStillRun) {
    EXPECT_EQ(records(load("PA100,100;GR10,1,2PA5,5;").dump),
              "4 100 100|3|4 100 1|4 110 2|4 5 5|0");
    EXPECT_EQ(records(load("GR10,1SP2;").dump), "3|4 0 1|2|4 0 1|1 2|3|0");
    // After ";" a PU is a command of its own, with its own coordinates.
    EXPECT_EQ(records(load("GR10,1;PU5,5;").dump), "3|4 0 1|2|4 5 5|0");
}

// ---- IN and DF ----

TEST(Reset, NothingIsWrittenBeforeTheFirstRecord) {
    EXPECT_EQ(records(load("IN;").dump), "0");
    EXPECT_EQ(header(load("IN;").dump), "pages 0|errors 0|hpgl2 0|rtl 0");
    // The state is reset all the same: scaling and rotation do not survive.
    EXPECT_EQ(records(load("SC0,10,0,10;IP0,0,10,10;IN;PA5,5;").dump), "4 5 5|0");
}

TEST(Reset, InWritesTheResetRecords) {
    EXPECT_EQ(records(load("PA1,1;IN;").dump),
              "4 1 1|23 255 742|" + kLabelDefaults + "|26 1000|2|9 -1 -1|4 0 0|0");
    EXPECT_EQ(records(load("PA1,1;DF;").dump), "4 1 1|23 255 742|" + kLabelDefaults + "|0");
}

TEST(Reset, ClearsWindowLineTypeAndAbsoluteMode) {
    EXPECT_EQ(records(load("IW0,0,10,10;LT2;PR5,5;DF;PA7,7;LT99;").dump),
              "28 0 0 10 10|23 2 742|4 5 5|23 255 742|" + kLabelDefaults +
                  "|28 2147483647 2147483647 2147483647 2147483647|4 7 7|0");
}

TEST(Reset, InStartsANewPageWithMultiPage) {
    auto l = load("SP1;PD100,0;IN;PD50,50;", multiPage());
    EXPECT_EQ(records(l.dump), "1 1|3|4 100 0|23 255 742|" + kLabelDefaults +
                                   "|26 1000|254|2|9 -1 -1|4 0 0|3|4 50 50|0");
    EXPECT_EQ(header(l.dump),
              "pages 2|page 1 60 -40 140 40|page 2 -40 -40 90 90|errors 0|hpgl2 0|rtl 0");
    // DF never splits.
    EXPECT_EQ(load("PD100,0;DF;PD50,50;", multiPage()).result.errorCount, 0);
    EXPECT_EQ(header(load("PD100,0;DF;PD50,50;", multiPage()).dump).substr(0, 7), "pages 1");
}

TEST(Reset, InReturnsToTheRotationAndScalingPointsOfThePaper) {
    // The solid line record still takes its length from the old P1/P2 (4 % of 141).
    EXPECT_EQ(records(load("RO90;IP0,0,100,100;PA1,1;IN;SC0,1,0,1;PA1,1;").dump),
              "12 90000|4 -1 1|23 255 6|" + kLabelDefaults +
                  "|26 1000|2|9 -1 -1|4 0 0|4 15120 10760|0");
}

// ---- read past ----

TEST(ReadPast, EachCommandIsOneHpgl2Piece) {
    auto l = load("PW0.5,1;PC1,255,0,0;CR0,255,0,255,0,255;LA1,4,2,6;MC1,252;TR0;"
                  "BR0,0,10,10,20,20;BZ0,0,1,1,2,2;RF1,2,2,1,1,1,1;IR10,10;PA1,1;");
    EXPECT_EQ(records(l.dump), "4 1 1|0");
    EXPECT_EQ(l.result.hpgl2Pieces, 10);
    EXPECT_EQ(l.result.errorCount, 0);
}

TEST(ReadPast, QuotedTextsAndEncodedDataAreNeverTakenForCommands) {
    auto l =
        load("MG\"PD100,100 don't\";CO\"PD1,1 SP5\";BP1,\"PD PA title\",2,1;PE<=_p_p:?;PA5,5;");
    EXPECT_EQ(records(l.dump), "4 5 5|0");
    EXPECT_EQ(l.result.hpgl2Pieces, 4);
    // A comment longer than 255 characters is still skipped whole.
    std::string longText(400, 'X');
    EXPECT_EQ(records(load("CO\"" + longText + "PD9,9\";PA6,6;").dump), "4 6 6|0");
    // An escape sequence right after unterminated PE data is read as one.
    auto m = load("PE7<=abc\x1b%-12345X;PA6,6;");
    EXPECT_EQ(records(m.dump), "4 6 6|0");
    EXPECT_EQ(m.result.rtlPieces, 1);
}

TEST(ReadPast, UnterminatedQuotesEndTheLoadNormally) {
    for (const char* text : {"MG\"PD1,1", "CO\"abc", "BP1,\"x", "PE<=abc"}) {
        auto l = load(std::string("PA1,1;") + text);
        EXPECT_EQ(records(l.dump), "4 1 1|0") << text;
        EXPECT_EQ(l.result.errorCount, 0) << text;
    }
}

// ---- bad input ----

TEST(BadInput, RandomParametersNeverBreakTheLoad) {
    const char* commands[] = {"PA", "PR", "PU", "PD", "SP", "LT", "SM", "TL", "XT",
                              "YT", "XA", "UC", "GR", "IN", "DF", "PW", "PE", "MG",
                              "CO", "BP", "LA", "IP", "SC", "IW", "RO", "PS", "IR"};
    const char* params[] = {
        "",     "0",   "-1", "1e5",        "99999999999999999999", ",",   ";",   "\"",
        ".",    "-.",  "+",  "2147483647", "-2147483648",          "1.5", "NaN", "PU",
        "9999", "-99", "99", "1000000000", "0.0000000000000001",   "100", "@",   " "};
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int k = 0; k < 30; ++k) {
            text += commands[rng() % std::size(commands)];
            int n = static_cast<int>(rng() % 6);
            for (int p = 0; p < n; ++p) {
                if (p) text += ',';
                text += params[rng() % std::size(params)];
            }
            if (rng() % 2) text += ';';
        }
        auto l = load(text);
        ASSERT_EQ(records(l.dump).substr(records(l.dump).size() - 1), "0") << text;
    }
}
