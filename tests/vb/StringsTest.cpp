#include <gtest/gtest.h>

#include "vb/Strings.h"

using namespace vb;

TEST(VbStrings, Pieces)
{
    EXPECT_EQ(Left("Busy", 2), "Bu");
    EXPECT_EQ(Left("Busy", 10), "Busy");
    EXPECT_EQ(Left("Busy", -1), "");
    EXPECT_EQ(Right("Busy", 2), "sy");
    EXPECT_EQ(Right("Busy", 99), "Busy");
    EXPECT_EQ(Right("Busy", -3), "");
    EXPECT_EQ(Mid("Shunt Value: 1.0", 13), " 1.0");
    EXPECT_EQ(Mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Mid("abcdef", 0, 2), "ab");
    EXPECT_EQ(Mid("abcdef", 5, 10), "ef");
    EXPECT_EQ(Mid("abcdef", 7), "");
    EXPECT_EQ(Mid("abcdef", 99, 2), "");
    EXPECT_EQ(Mid("abcdef", 2, -1), "");
    EXPECT_EQ(Len("abc"), 3);
    EXPECT_EQ(Len(""), 0);
}

TEST(VbStrings, TrimAndCase)
{
    EXPECT_EQ(Trim("  1.0 "), "1.0");
    EXPECT_EQ(LTrim("  1.0 "), "1.0 ");
    EXPECT_EQ(RTrim("  1.0 "), "  1.0");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\t1\t"), "\t1\t");  // blanks only
    EXPECT_EQ(UCase("Auto Scan 1"), "AUTO SCAN 1");
    EXPECT_EQ(LCase("MIN\xC4"), "min\xC4");
}

TEST(VbStrings, InStrIsOneBased)
{
    EXPECT_EQ(InStr(1, "Shunt Value: 1.0", ":"), 12);
    EXPECT_EQ(InStr("a,b,c", ","), 2);
    EXPECT_EQ(InStr(3, "a,b,c", ","), 4);
    EXPECT_EQ(InStr(1, "abc", "x"), 0);
    EXPECT_EQ(InStr(-5, "abc", "a"), 1);
    EXPECT_EQ(InStr(4, "abc", "c"), 0);
    EXPECT_EQ(InStr(2, "abc", ""), 2);
    EXPECT_EQ(InStr(1, "", ""), 0);
}

TEST(VbStrings, Codes)
{
    EXPECT_EQ(Asc("A"), 65);
    EXPECT_EQ(Asc("\xFF"), 255);
    EXPECT_EQ(Asc(""), 0);
    EXPECT_EQ(Chr(13) + Chr(10), "\r\n");
    EXPECT_EQ(Chr(0).size(), 1u);
    EXPECT_EQ(Chr(256), "");
    EXPECT_EQ(Chr(-1), "");
}
