// Length formatting and the caption unit swap.

#include <gtest/gtest.h>

#include "interp/length_units.h"

using namespace interp;

TEST(LengthUnits, FormatUsesWidthAndPrecisionOfTheUnit) {
    EXPECT_EQ(formatLength(12.345, 1, 0), "12.3");    // mm: "%3.1f"
    EXPECT_EQ(formatLength(12.345, 1, 1), "1.23");    // cm: one extra decimal
    EXPECT_EQ(formatLength(2.5, 0, 0), " 2");         // width 2, ties to even in printf
    EXPECT_EQ(formatLength(25.4, 0, 3), "1.00");      // in: two extra decimals
    EXPECT_EQ(formatLength(1500.0, 0, 2), "1.500");   // "m " unit
    EXPECT_EQ(formatLength(-914.4, 1, 5), "-1.0000"); // yd
    EXPECT_EQ(formatLength(1.0, 0, 42), " 1");        // unknown unit reads as mm
}

TEST(LengthUnits, HundredthsOfAMillimetre) {
    EXPECT_EQ(toHundredthsMm(1.0, 3), 2540);
    EXPECT_EQ(toHundredthsMm(0.001, 3), 3);
    EXPECT_EQ(toHundredthsMm(2.5, 0), 250);
}

TEST(LengthUnits, CaptionUnitSwap) {
    EXPECT_EQ(swapCaptionUnit("Pitch X(mm)", 3), "Pitch X(in)");
    EXPECT_EQ(swapCaptionUnit("Length(m )", 1), "Length(cm)");
    EXPECT_EQ(swapCaptionUnit("Width(yd)", 2), "Width(m )");
    EXPECT_EQ(swapCaptionUnit("Colour(red)", 3), "Colour(red)");
    EXPECT_EQ(swapCaptionUnit(")", 3), ")");
}
