#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "vb/Numbers.h"

using namespace vb;

TEST(VbStr, LeadingBlankOrSign)
{
    EXPECT_EQ(Str(3.2), " 3.2");
    EXPECT_EQ(Str(-0.5), "-0.5");
    EXPECT_EQ(Str(0.5), " 0.5");
    EXPECT_EQ(Str(0.0), " 0");
    EXPECT_EQ(Str(-0.0), " 0");
    EXPECT_EQ(Str(12), " 12");
    EXPECT_EQ(Str(-12), "-12");
    EXPECT_EQ(Str(40000L), " 40000");
    EXPECT_EQ(Str(-9000000000LL), "-9000000000");
    EXPECT_EQ(Str(7u), " 7");
    EXPECT_EQ(Str(2.5f), " 2.5");
    EXPECT_EQ(CStr(3.2), "3.2");
    EXPECT_EQ(CStr(-3), "-3");
    EXPECT_EQ(CStr(15), "15");
}

TEST(VbStr, DoubleShowsFifteenDigitsAtMost)
{
    EXPECT_EQ(Str(3.215), " 3.215");
    EXPECT_EQ(Str(100.0), " 100");
    EXPECT_EQ(Str(0.1 + 0.2), " 0.3");
    EXPECT_EQ(Str(1.0 / 3.0), " 0.333333333333333");
    EXPECT_EQ(Str(2.0 / 3.0), " 0.666666666666667");
    EXPECT_EQ(Str(123456789012345.0), " 123456789012345");
    EXPECT_EQ(Str(0.0001), " 0.0001");
    EXPECT_EQ(Str(1e15), " 1E+15");
    EXPECT_EQ(Str(-1.5e300), "-1.5E+300");
    EXPECT_EQ(Str(0.00001), " 1E-05");
    EXPECT_EQ(Str(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(Str(std::nan("")), "NaN");
    EXPECT_EQ(Str(-HUGE_VAL), "-Inf");
}

TEST(VbHex, UpperCaseWithoutLeadingZeros)
{
    EXPECT_EQ(Hex(0), "0");
    EXPECT_EQ(Hex(10), "A");
    EXPECT_EQ(Hex(0x3FFF), "3FFF");
    EXPECT_EQ(Hex(-1), "FFFFFFFF");
    EXPECT_EQ(Hex(-2147483648LL), "80000000");
    EXPECT_EQ(Hex(0x1234567890LL), "1234567890");
}

TEST(VbVal, LeadingNumber)
{
    EXPECT_EQ(Val("  -1.5E2xyz"), -150);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val("&H1F"), 31);
    EXPECT_EQ(Val("&hff"), 255);
    EXPECT_EQ(Val("&H3FFF"), 16383);
    EXPECT_EQ(Val("&H"), 0);
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("\t\n 42"), 42);
    EXPECT_EQ(Val("+7"), 7);
    EXPECT_EQ(Val(".5"), 0.5);
    EXPECT_EQ(Val("-.25"), -0.25);
    EXPECT_EQ(Val("1.2.3"), 1.2);
    EXPECT_EQ(Val("1.0 mOhm"), 1.0);
    EXPECT_EQ(Val("2d3"), 2000);
    EXPECT_EQ(Val("2e-3"), 0.002);
    EXPECT_EQ(Val("5E"), 5);
    EXPECT_EQ(Val("5E+"), 5);
    EXPECT_EQ(Val("."), 0);
    EXPECT_EQ(Val("-"), 0);
    EXPECT_EQ(Val("- 5"), 0);
    EXPECT_EQ(Val(" 3.215"), 3.215);
    EXPECT_EQ(Val("0.1"), 0.1);
    EXPECT_EQ(Val("000123.4500"), 123.45);
}

TEST(VbVal, NeverInfiniteNorNegativeZero)
{
    EXPECT_EQ(Val("1E999999"), DBL_MAX);
    EXPECT_EQ(Val("-1E99999999999999999999"), -DBL_MAX);
    EXPECT_EQ(Val("2E308"), DBL_MAX);
    EXPECT_EQ(Val("1E-999999"), 0);
    EXPECT_EQ(Val("1E-400"), 0);
    EXPECT_FALSE(std::signbit(Val("-0.000")));
    EXPECT_FALSE(std::signbit(Val("-1E-999")));
    EXPECT_EQ(Val("1.7976931348623157E308"), DBL_MAX);
    EXPECT_EQ(Val("0.000000000000000000000000000001E30"), 1);
    EXPECT_EQ(Val(std::string(5000, '9')), DBL_MAX);
    EXPECT_EQ(Val("&H" + std::string(300, 'F')), DBL_MAX);
    // A long run of digits still converts correctly rounded.
    EXPECT_EQ(Val("1." + std::string(1000, '0') + "1"), 1.0);
    EXPECT_EQ(Val("0." + std::string(1000, '0') + "1E1000"), 0.1);
}

TEST(VbHexValue, RegisterTexts)
{
    EXPECT_EQ(HexValue("2A"), 0x2A);
    EXPECT_EQ(HexValue("ff"), 255);
    EXPECT_EQ(HexValue(""), 0);
    EXPECT_EQ(HexValue("   "), 0);
    EXPECT_EQ(HexValue(" 0D "), 13);
    EXPECT_EQ(HexValue("1G"), 1);
    EXPECT_EQ(HexValue("xyz"), 0);
    EXPECT_EQ(HexValue("FFFFFFFF"), -1);
    EXPECT_EQ(HexValue("123456789"), 0x23456789);  // wraps to 32 bits
    EXPECT_EQ(Hex(HexValue("80000000")), "80000000");
}

TEST(VbRounding, HalvesToEven)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(-2.6), -3);
    EXPECT_EQ(CLng(2.5), 2);
    EXPECT_EQ(CLng(3.5), 4);
    EXPECT_EQ(CInt(-0.5), 0);
    EXPECT_EQ(CInt(1.5), 2);
    EXPECT_EQ(CLng(1e6 + 0.5), 1000000);
}

TEST(VbRounding, OutOfRangeSaturates)
{
    EXPECT_EQ(CLng(3e9), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(CLng(-3e9), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(CLng(std::nan("")), 0);
    EXPECT_EQ(CLng(HUGE_VAL), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(CInt(40000), 32767);
    EXPECT_EQ(CInt(-32768.4), -32768);
    EXPECT_EQ(CInt(-40000), -32768);
}

TEST(VbRounding, LongSeenAsInteger)
{
    EXPECT_EQ(Int16Of(40000), -25536);
    EXPECT_EQ(Int16Of(32767), 32767);
    EXPECT_EQ(Int16Of(65536), 0);
    EXPECT_EQ(Int16Of(-1), -1);
}

TEST(VbNumberOf, AcceptsOnlyWholeDecimalNumbers)
{
    EXPECT_EQ(NumberOf("-1.25"), -1.25);
    EXPECT_EQ(NumberOf(".5"), 0.5);
    EXPECT_EQ(NumberOf("3."), 3.0);
    EXPECT_FALSE(NumberOf("."));
    EXPECT_FALSE(NumberOf("1e"));
    EXPECT_FALSE(NumberOf("&H10"));
    EXPECT_FALSE(NumberOf("1,5"));
    EXPECT_FALSE(NumberOf("nan"));
}
