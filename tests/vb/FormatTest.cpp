#include <gtest/gtest.h>

#include <cmath>

#include "vb/Format.h"

using vb::Format;

TEST(VbFormat, ExamplesOfTheDisplay)
{
    EXPECT_EQ(Format(3.6, "##0.000"), "3.600");
    EXPECT_EQ(Format(0.005, "##.000"), ".005");
    EXPECT_EQ(Format(12.3456, "#,###,###.000######"), "12.3456");
    EXPECT_EQ(Format(0.5, "#,###,###.000######"), ".500");
    EXPECT_EQ(Format(1234.5, "#,###,###.000######"), "1,234.500");
    EXPECT_EQ(Format(5, "##.###"), "5.");
    EXPECT_EQ(Format(0.001, "##.###"), ".001");
    EXPECT_EQ(Format(12, "##.0##"), "12.0");
    EXPECT_EQ(Format(0.02, "##.0######"), ".02");
    EXPECT_EQ(Format(15.8, "0.00"), "15.80");
    EXPECT_EQ(Format(0.5, "#####.00000"), ".50000");
    EXPECT_EQ(Format(2600, " #,##0.00000"), " 2,600.00000");
    EXPECT_EQ(Format(-2600, "#,##0.00000"), "-2,600.00000");
}

TEST(VbFormat, EveryPatternOfTheForms)
{
    EXPECT_EQ(Format(0.25, "##0.000"), "0.250");
    EXPECT_EQ(Format(123.4, "##0.0"), "123.4");
    EXPECT_EQ(Format(4.1, "#0.0000"), "4.1000");
    EXPECT_EQ(Format(0.123456, "##0.0000"), "0.1235");
    EXPECT_EQ(Format(1.8 / 4095, "0.000000"), "0.000440");
    EXPECT_EQ(Format(3.5, "##0.000000"), "3.500000");
    EXPECT_EQ(Format(12.5, "###0.00000"), "12.50000");
    EXPECT_EQ(Format(0.0125, "#0.000000"), "0.012500");
    EXPECT_EQ(Format(8.75, "#0.00"), "8.75");
    EXPECT_EQ(Format(7.25, "#,##0.00000"), "7.25000");
    EXPECT_EQ(Format(1.5, "##0.0000000000"), "1.5000000000");
    EXPECT_EQ(Format(0.1, "##.0######"), ".1");
    EXPECT_EQ(Format(1.234, "##.###"), "1.234");
}

TEST(VbFormat, RoundsHalfAwayFromZeroAtTheLastPlace)
{
    // 2.0625 is exact in binary: a true half at three places.
    EXPECT_EQ(Format(2.0625, "##0.000"), "2.063");
    EXPECT_EQ(Format(-2.0625, "##0.000"), "-2.063");
    EXPECT_EQ(Format(2.0624, "##0.000"), "2.062");
    // Rounding works on the shown decimal form, not on the binary expansion.
    EXPECT_EQ(Format(1.0005, "##0.000"), "1.001");
    EXPECT_EQ(Format(0.125, "#0.00"), "0.13");
    EXPECT_EQ(Format(2.5, "0"), "3");
    EXPECT_EQ(Format(-2.5, "0"), "-3");
    // Carries run into the integer part and add a digit.
    EXPECT_EQ(Format(9.9995, "##0.000"), "10.000");
    EXPECT_EQ(Format(999.96, "#,##0.0"), "1,000.0");
    EXPECT_EQ(Format(0.0006, "##.000"), ".001");
    EXPECT_EQ(Format(0.0004, "##.000"), ".000");
    // Optional places drop the zeros rounding leaves.
    EXPECT_EQ(Format(1.20004, "##.0##"), "1.2");
    EXPECT_EQ(Format(12.3456789, "#,###,###.000######"), "12.3456789");
    EXPECT_EQ(Format(0.123456789012, "#,###,###.000######"), ".123456789");
}

TEST(VbFormat, NegativeValues)
{
    EXPECT_EQ(Format(-3.6, "##0.000"), "-3.600");
    EXPECT_EQ(Format(-0.5, "#####.00000"), "-.50000");
    EXPECT_EQ(Format(-0.5, "##0.000"), "-0.500");
    EXPECT_EQ(Format(-1234567.25, "#,###,###.000######"), "-1,234,567.250");
    EXPECT_EQ(Format(-0.5, " #,##0.00000"), " -0.50000");
    // A value that rounds to zero shows no sign.
    EXPECT_EQ(Format(-0.0001, "##0.000"), "0.000");
    EXPECT_EQ(Format(-0.4, "0"), "0");
    EXPECT_EQ(Format(-0.0, "0.00"), "0.00");
}

TEST(VbFormat, IntegerPartIsWrittenInFull)
{
    EXPECT_EQ(Format(123456.5, "##0.0"), "123456.5");
    EXPECT_EQ(Format(1234567890.0, "#,##0.00000"), "1,234,567,890.00000");
    EXPECT_EQ(Format(1e20, "#,##0"), "100,000,000,000,000,000,000");
    EXPECT_EQ(Format(123456789012345678.0, "0"), "123456789012346000");
    EXPECT_EQ(Format(100, "#,##0"), "100");
    EXPECT_EQ(Format(1000, "#,##0"), "1,000");
    EXPECT_EQ(Format(0, "#,##0"), "0");
}

TEST(VbFormat, PatternsWithoutPoint)
{
    EXPECT_EQ(Format(7, "0"), "7");
    EXPECT_EQ(Format(7, "00"), "07");
    EXPECT_EQ(Format(123, "00"), "123");
    EXPECT_EQ(Format(0, "#"), "");
    EXPECT_EQ(Format(3.49, "#"), "3");
    EXPECT_EQ(Format(-7, "000"), "-007");
}

TEST(VbFormat, LiteralsStayWhereTheyStand)
{
    EXPECT_EQ(Format(5, "V=0.0 V"), "V=5.0 V");
    EXPECT_EQ(Format(-5, "V=0.0"), "V=-5.0");
    EXPECT_EQ(Format(1234, "(0)"), "(1234)");
    // No digit places: the integer part goes in front of the point, or at the end.
    EXPECT_EQ(Format(12.5, ".00"), "12.50");
    EXPECT_EQ(Format(-0.5, ".00"), "-.50");
    EXPECT_EQ(Format(42, "abc"), "abc42");
}

TEST(VbFormat, SpecialValues)
{
    EXPECT_EQ(Format(std::nan(""), "##0.000"), "NaN");
    EXPECT_EQ(Format(HUGE_VAL, "##0.000"), "Inf");
    EXPECT_EQ(Format(-HUGE_VAL, "##0.000"), "-Inf");
    EXPECT_EQ(Format(3.25, ""), "3.25");
    EXPECT_EQ(Format(1e-300, "0.000"), "0.000");
    EXPECT_EQ(Format(5, "0.0000000000000000000000"), "5.0000000000000000000000");
}
