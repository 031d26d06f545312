// Lines of the data-collection files, byte for byte.
#include <gtest/gtest.h>

#include "chip/SampleFiles.h"

namespace {

using namespace chip;

const vb::DateTime kMorning{2026, 12, 6, 10, 22, 0};

TEST(SampleFiles, SurveyStartAndHeaderWithEveryGain)
{
    EXPECT_EQ(surveyStartLine(kMorning), "Start,12-06-2026,10:22:00");
    EXPECT_EQ(surveyStartLine({2027, 1, 2, 3, 4, 5}), "Start,01-02-2027,03:04:05");
    EXPECT_EQ(surveyHeader(50),
        "Sample,CELL1,CELL2,CELL3,CELL4,CELL5,CELL6,CELL7,CELL8,Current(50),VBAT,VRGO,xTemp1,xTemp2,Int Temp");
    EXPECT_NE(surveyHeader(5).find(",Current(5),"), std::string::npos);
    EXPECT_NE(surveyHeader(500).find(",Current(500),"), std::string::npos);
}

TEST(SampleFiles, SurveyValuesAreRoundedToThreeDecimalsWithoutTrailingZeros)
{
    std::array<double, kSurveyChannels> v{};
    v[0] = 3.2154;
    v[1] = 3.2;
    v[2] = -0.5;
    v[3] = 0.0004;  // rounds to zero: " 0"
    v[4] = 3.2155;  // half rounds up at the third decimal
    v[8] = -0.0004;  // rounds to zero without a sign
    v[9] = 29.6;
    EXPECT_EQ(surveyLine(0, v), " 0, 3.215, 3.2,-0.5, 0, 3.216, 0, 0, 0, 0, 29.6, 0, 0, 0, 0");
    EXPECT_EQ(surveyLine(12, v).substr(0, 4), " 12,");
}

TEST(SampleFiles, SeriesHeaderNamesTheChannelAndTheSampleCount)
{
    EXPECT_EQ(
        seriesHeader("CELL1", 50, kMorning), "CELL1, Decimal , Hex ,  Reg 171/170 ,50 Samples :,12-06-2026,10:22:00");
    EXPECT_EQ(seriesHeader("Int Temp", 7, kMorning),
        "Int Temp, Decimal , Hex ,  Reg 171/170 ,7 Samples :,12-06-2026,10:22:00");
}

TEST(SampleFiles, SeriesLineShowsTheResultInDecimalAndAsShown)
{
    EXPECT_EQ(seriesLine(0, "1234"), " 0, 4660,0x1234");
    EXPECT_EQ(seriesLine(9, "3FFF"), " 9, 16383,0x3FFF");
    EXPECT_EQ(seriesLine(1, "0"), " 1, 0,0x0");
    // A result outside the 14 bits is written as read, never wrapped negative.
    EXPECT_EQ(seriesLine(2, "FFFF"), " 2, 65535,0xFFFF");
}

TEST(SampleFiles, SampleCountIsRefusedOutsideSixteenBits)
{
    EXPECT_EQ(sampleCount("50"), 50);
    EXPECT_EQ(sampleCount(" 12abc"), 12);
    EXPECT_EQ(sampleCount(""), 0);
    EXPECT_EQ(sampleCount("2.5"), 2);  // halves to even, as the box's number is stored
    EXPECT_EQ(sampleCount("32767"), 32767);
    EXPECT_EQ(sampleCount("-32768"), -32768);
    EXPECT_EQ(sampleCount("32768"), std::nullopt);
    EXPECT_EQ(sampleCount("1E9"), std::nullopt);
    EXPECT_EQ(sampleCount("-40000"), std::nullopt);
}

}  // namespace
