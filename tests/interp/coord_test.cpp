// Scaling points, user scaling, rotation, the input window and the plot size,
// seen through the points and records they lead to.

#include <gtest/gtest.h>

#include "load_helper.h"

using testhelp::header;
using testhelp::load;
using testhelp::records;

namespace {

interp::LoadOptions drawSizePs() {
    interp::LoadOptions o;
    o.drawSizePs = true;
    return o;
}

} // namespace

// ---- IP ----

TEST(ScalingPoints, TwoParametersMoveP2Along) {
    // P2 goes from (15120, 10760) to (16120, 11760): SC0,1,0,1 maps (1, 1) to P2.
    EXPECT_EQ(records(load("IP1000,1000;SC0,1,0,1;PA1,1;PA0,0;").dump),
              "4 16120 11760|4 1000 1000|0");
}

TEST(ScalingPoints, FourParametersAndTheDefault) {
    EXPECT_EQ(records(load("IP100,200,300,600;SC0,1,0,1;PA1,1;IP;PA1,1;").dump),
              "4 300 600|4 15120 10760|0");
}

TEST(ScalingPoints, OddCountsAndBadValuesChangeNothing) {
    auto l = load("IP5;IP1,2,3;IP,5,5;IP1,\"2\";IP" + std::string(30, '9') + ",0;SC0,1,0,1;PA1,1;");
    EXPECT_EQ(records(l.dump), "4 15120 10760|0");
    EXPECT_EQ(l.result.errorCount, 2);
}

TEST(ScalingPoints, MovingP1KeepsTheScaledPictureOnIt) {
    EXPECT_EQ(records(load("IP0,0,1000,1000;SC0,10,0,10;IP5000,5000;PA0,0;PA10,10;").dump),
              "4 5000 5000|4 6000 6000|0");
}

// ---- SC ----

TEST(UserScaling, AnisotropicFactors) {
    // fX = 151.2, fY = 107.6.
    EXPECT_EQ(records(load("SC0,100,0,100;PA50,50;").dump), "4 7560 5380|0");
    EXPECT_EQ(records(load("SC0,100,0,100,0;PR10,10;PR10,10;").dump), "4 1512 1076|4 3024 2152|0");
    // SC without parameters ends scaling.
    EXPECT_EQ(records(load("SC0,100,0,100;SC;PA50,50;").dump), "4 50 50|0");
}

TEST(UserScaling, IsotropicCentresTheWiderRange) {
    // Both factors 107.6; X is centred: Xmin = -(15120 / 107.6 - 100) / 2 = -20.26.
    EXPECT_EQ(records(load("SC0,100,0,100,1;PA0,0;PA100,100;").dump), "4 2180 0|4 12940 10760|0");
    // Left 0 puts the range at P1, left 100 against P2.
    EXPECT_EQ(records(load("SC0,100,0,100,1,0,50;PA0,0;").dump), "4 0 0|0");
    EXPECT_EQ(records(load("SC0,100,0,100,1,100,50;PA100,0;").dump), "4 15120 0|0");
}

TEST(UserScaling, IsotropicWithAMirroredAxisKeepsItsDirection) {
    // Y runs downwards: the isotropic factor keeps Y's sign and the range is
    // still centred inside P1-P2.
    EXPECT_EQ(records(load("IP0,0,1000,2000;SC0,10,10,0,1;PA0,10;PA10,0;").dump),
              "4 0 500|4 1000 1500|0");
}

TEST(UserScaling, PointFactorForm) {
    EXPECT_EQ(records(load("SC-10,2,-20,4,2;PA0,0;PA1,1;").dump), "4 20 80|4 22 84|0");
}

TEST(UserScaling, DegenerateFormsAreIgnored) {
    auto l = load("SC0,0,0,100;SC0,100,5,5;SC0,1,0,1,3;SC0,1,0,1,1,101;SC0,0,0,1,2;SC0,1,0;"
                  "IP5,5,5,100;SC0,1,0,1;PA50,50;");
    EXPECT_EQ(records(l.dump), "4 50 50|0");
    EXPECT_EQ(l.result.errorCount, 0);
}

TEST(UserScaling, IsotropicScalingSurvivesANewP2) {
    // After IP the last SC is applied anew: still one factor for both axes.
    EXPECT_EQ(records(load("IP0,0,1000,1000;SC0,10,0,10,1;IP0,0,2000,1000;PA10,10;").dump),
              "4 1500 1000|0");
}

TEST(UserScaling, HugeResultsAreErrorsNotOverflows) {
    auto l = load("SC0,0.000000001,0,1;PA1000,0;PA0,1;PR" + std::string(200, '9') + ",0;");
    EXPECT_EQ(records(l.dump), "4 0 10760|0");
    EXPECT_EQ(l.result.errorCount, 2);
}

TEST(UserScaling, CircleRecordsCarryFloatScales) {
    // 151.2 x 107.6: Y is the smaller; under RO90 the two change places.
    EXPECT_EQ(records(load("SC0,100,0,100;CI1;").dump).substr(0, 16), "31 1 0.711640239");
    EXPECT_EQ(records(load("SC0,100,0,100;RO90;CI1;").dump).substr(0, 24),
              "12 90000|31 0.711640239 ");
}

// ---- RO ----

TEST(Rotation, PointsTurnAboutTheOrigin) {
    EXPECT_EQ(records(load("RO90;PA100,0;").dump), "12 90000|4 0 100|0");
    EXPECT_EQ(records(load("RO180;PA100,50;").dump), "12 180000|4 -100 -50|0");
    EXPECT_EQ(records(load("RO270;PA100,50;PR10,0;").dump), "12 -90000|4 50 -100|4 50 -110|0");
    // Rotated scaling: user (50, 50) lands at (-5380, 7560).
    EXPECT_EQ(records(load("RO90;SC0,100,0,100;PA50,50;").dump), "12 90000|4 -5380 7560|0");
}

TEST(Rotation, OnlyQuarterTurnsAreTaken) {
    EXPECT_EQ(records(load("RO45;PA100,0;RO-90;PA100,0;RO90.0;RO;PA100,0;").dump),
              "4 100 0|4 100 0|12 90000|12 0|4 100 0|0");
}

TEST(Rotation, LowestCoordinateSaturatesInsteadOfOverflowing) {
    auto l = load("RO180;PA-2147483648,5;");
    EXPECT_EQ(records(l.dump), "12 180000|4 2147483647 -5|0");
}

TEST(Rotation, PaperCornerJoinsAPageThatHasADrawing) {
    // PS4 (11880 x 8400) shown: the RO90 corner enters the box of the drawn
    // page; the final RO0 corner is added when the page closes.
    auto l = load("PS4;PD10,10;RO90;RO0;", drawSizePs());
    EXPECT_EQ(header(l.dump), "pages 1|page 1 -11920 -40 11920 8440|errors 0|hpgl2 0|rtl 0");
    // Without a drawing the page still does not count.
    EXPECT_EQ(header(load("PS4;RO90;", drawSizePs()).dump).substr(0, 7), "pages 0");
}

// ---- IW ----

TEST(InputWindow, ClampsTheBoxButNotThePoints) {
    auto l = load("IW0,0,100,100;PD;PA500,500;");
    EXPECT_EQ(records(l.dump), "28 0 0 100 100|3|4 500 500|0");
    EXPECT_EQ(header(l.dump), "pages 1|page 1 60 60 140 140|errors 0|hpgl2 0|rtl 0");
}

TEST(InputWindow, RotationTurnsTheWindowAndClearingWritesTheEmptyForm) {
    EXPECT_EQ(records(load("IW10,20,100,200;RO90;IW;").dump),
              "28 10 20 100 200|12 90000|28 -200 10 -20 100|28 2147483647 2147483647 2147483647 "
              "2147483647|0");
    // Corners given in any order; a short list changes nothing.
    EXPECT_EQ(records(load("IW100,0,0,100;IW1,2,3;").dump), "28 0 0 100 100|0");
}

// ---- PS ----

TEST(PlotSize, FormsOfThePaper) {
    // PS4: 11880 x 8400, P2 there.
    EXPECT_EQ(records(load("PS4;SC0,1,0,1;PA1,1;").dump), "4 11880 8400|0");
    EXPECT_EQ(records(load("PS0;SC0,1,0,1;PA1,1;").dump), "4 16800 11880|0");
    EXPECT_EQ(records(load("PS20000;SC0,1,0,1;PA1,1;").dump), "4 20000 10760|0");
    // Length and width: the larger value goes to X.
    EXPECT_EQ(records(load("PS5000,9000;SC0,1,0,1;PA1,1;").dump), "4 9000 5000|0");
    EXPECT_EQ(records(load("PS4;PS;SC0,1,0,1;PA1,1;").dump), "4 15120 10760|0");
    // Negative or zero sizes change nothing.
    EXPECT_EQ(records(load("PS-4;PS5000,0;SC0,1,0,1;PA1,1;").dump), "4 15120 10760|0");
}

TEST(PlotSize, IpAndInReturnToThePaperGiven) {
    EXPECT_EQ(records(load("PS4;IP1,1,2,2;IP;SC0,1,0,1;PA1,1;").dump), "4 11880 8400|0");
}

TEST(PlotSize, PaperBoxOnlyAfterPsWithDrawSize) {
    auto o = drawSizePs();
    EXPECT_EQ(header(load("PD10,10;", o).dump),
              "pages 1|page 1 -30 -30 50 50|errors 0|hpgl2 0|rtl 0");
    EXPECT_EQ(header(load("PS4;PD10,10;", o).dump),
              "pages 1|page 1 -40 -40 11920 8440|errors 0|hpgl2 0|rtl 0");
    EXPECT_EQ(header(load("PS;PD10,10;", o).dump),
              "pages 1|page 1 -30 -30 50 50|errors 0|hpgl2 0|rtl 0");
}
