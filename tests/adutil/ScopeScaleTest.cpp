// The scope's scale, range buttons and axis texts as arithmetic.
#include <gtest/gtest.h>

#include <cmath>

#include "adutil/ScopeScale.h"
#include "vb/Numbers.h"

namespace {

using namespace adutil;

TEST(ScopeScale, ResetScaleGivesTheFullRangeAndItsLabels)
{
    ScopeScale s;
    s.reset();
    EXPECT_EQ(s.ScaleTop, 2600);
    EXPECT_EQ(s.ScaleBottom, -2600);
    EXPECT_EQ(s.ScaleSpan, 5200);
    EXPECT_EQ(s.RangeSpan, 5200);

    const auto y = yLabelTexts(s.ScaleBottom, s.ScaleSpan);
    EXPECT_EQ(y[0], "-2600");
    EXPECT_EQ(y[5], "0");
    EXPECT_EQ(y[10], "2600");
    EXPECT_EQ(yLabelPrint(y[0]), "-2,600.00000");
    EXPECT_EQ(yLabelPrint(y[4]), "-520.00000");
    EXPECT_EQ(yLabelPrint(y[5]), " 0.00000");
    EXPECT_EQ(yLabelPrint(y[10]), " 2,600.00000");

    const auto x = xLabelTexts(320);
    EXPECT_EQ(x[0], "0");
    EXPECT_EQ(x[1], " 32");
    EXPECT_EQ(x[9], " 288");
    EXPECT_EQ(x[10], " 320");
}

TEST(ScopeScale, AutoRangeSpansFiveTimesThePeakToPeakThenCentres)
{
    ScopeScale s;
    s.reset();
    s.PeakMin = 3000;
    s.PeakMax = 3040;
    EXPECT_EQ(s.autoRange(40, 3000), 200);
    EXPECT_EQ(s.ScaleSpan, 200);
    EXPECT_EQ(s.ScaleBottom, 2998);
    EXPECT_EQ(s.ScaleTop, 3198);
    s.centerOnPeaks();
    EXPECT_EQ(s.ScaleBottom, 2920);
    EXPECT_EQ(s.ScaleTop, 3120);

    // A huge signal is held at the widest span.
    EXPECT_EQ(s.autoRange(5000, 0), kMaxSpan);
}

TEST(ScopeScale, AutoRangeAfterAPeakResetUsesTheSmallestSpan)
{
    ScopeScale s;
    s.reset();
    s.resetPeaks();
    // The peak texts read "--": both read as 0.
    EXPECT_EQ(s.autoRange(vb::Val("--"), vb::Val("--")), 50);
    EXPECT_EQ(s.PeakMin, -5);
    EXPECT_EQ(s.ScaleBottom, -5.5);
    EXPECT_EQ(s.ScaleTop, 44.5);
}

TEST(ScopeScale, SensitivityPressesGrowTheRangeButHoldTheShownSpan)
{
    ScopeScale s;
    s.reset();
    s.PeakMin = 100;
    double expected = 5200;
    for (int press = 0; press < 6; ++press) {
        s.scaleRangeSpan(1.25);
        expected *= 1.25;
        s.applyRangeSpan();
        EXPECT_DOUBLE_EQ(s.RangeSpan, expected);
        EXPECT_DOUBLE_EQ(s.ScaleSpan, std::min(expected * 1.1, kMaxSpan));
        EXPECT_DOUBLE_EQ(s.ScaleBottom, 100 - s.ScaleSpan * 0.05);
    }
    EXPECT_EQ(s.ScaleSpan, kMaxSpan);
    // "Increase" shrinks the shown span only once RangeSpan x 1.1 is below 7000.
    int presses = 0;
    while (s.ScaleSpan == kMaxSpan) {
        s.scaleRangeSpan(0.75);
        s.applyRangeSpan();
        ++presses;
    }
    EXPECT_EQ(presses, 4);
    EXPECT_DOUBLE_EQ(s.ScaleSpan, s.RangeSpan * 1.1);
}

TEST(ScopeScale, CentreAfterAPeakResetCentresOnZero)
{
    ScopeScale s;
    s.reset();
    s.resetPeaks();
    s.centerOnPeaks();
    EXPECT_EQ(s.ScaleBottom, -2600);
    EXPECT_EQ(s.ScaleTop, 2600);
}

TEST(ScopeScale, EndlessPressesKeepTheRangeFiniteAndAboveZero)
{
    ScopeScale s;
    s.reset();
    for (int i = 0; i < 5000; ++i)
        s.scaleRangeSpan(1.25);
    EXPECT_TRUE(std::isfinite(s.RangeSpan));
    s.applyRangeSpan();
    EXPECT_EQ(s.ScaleSpan, kMaxSpan);
    for (int i = 0; i < 10000; ++i)
        s.scaleRangeSpan(0.75);
    EXPECT_GT(s.RangeSpan, 0);
    s.applyRangeSpan();
    EXPECT_GT(s.ScaleSpan, 0);

    // A scale that would not be finite keeps the one shown.
    s.PeakMin = -1.7e308;
    s.PeakMax = 1.7e308;
    const double bottom = s.ScaleBottom;
    s.centerOnPeaks();
    EXPECT_EQ(s.ScaleBottom, bottom);
}

TEST(ScopeScale, GridStepsRoundHalvesToEvenAndVanishForTinyPictures)
{
    EXPECT_EQ(gridStep(319 / 10.0), 32);
    EXPECT_EQ(gridStep(164 / 10.0), 16);
    EXPECT_EQ(gridStep(32.5), 32);
    EXPECT_EQ(gridStep(33.5), 34);
    EXPECT_EQ(gridStep(0.5), 0);
    EXPECT_EQ(gridStep(-0.1), 0);
}

TEST(ScopeScale, LabelsSitAroundTheTracePicture)
{
    const auto x = xLabelTexts(320);
    const auto y = yLabelTexts(-2600, 5200);
    const std::string unit = "mV", title = "Output1";
    const auto placed = layoutGridLabels({320, 164, 13, 7, x, y, unit, title});
    ASSERT_EQ(placed.size(), 11u + 1u + 11u + 2u);
    // y values right of the picture, the bottom value lowest, a division apart.
    EXPECT_EQ(placed[0].x, 327);
    EXPECT_EQ(placed[0].y, 169);
    EXPECT_EQ(placed[0].text, "-2,600.00000");
    EXPECT_EQ(placed[10].y, 9);
    EXPECT_EQ(placed[10].text, " 2,600.00000");
    EXPECT_EQ(placed[11].text, "mV");
    EXPECT_EQ(placed[11].y, 189);  // 13 x 2.2 + 160
    // x texts: the width at the left end, "0" at the right.
    EXPECT_EQ(placed[12].x, 0);
    EXPECT_EQ(placed[12].text, " 320");
    EXPECT_EQ(placed[22].x, 320);
    EXPECT_EQ(placed[22].text, "0");
    EXPECT_EQ(placed[23].text, " 320 Samples Displayed");
    EXPECT_EQ(placed[23].x, 107);
    EXPECT_EQ(placed[24].text, "Output1");
    EXPECT_EQ(placed[24].x, 40);
}

TEST(ScopeScale, TinyPicturesGetNoStepLoopsAndNoTextsPastTheTables)
{
    const auto x = xLabelTexts(5);
    const auto y = yLabelTexts(0, 1);
    const std::string unit = "mV", title = "t";
    EXPECT_EQ(layoutGridLabels({5, 8, 13, 7, x, y, unit, title}).size(), 3u);
    // Steps of one pixel would print more than 11 texts; the tables end at 10.
    EXPECT_EQ(layoutGridLabels({11, 24, 13, 7, x, y, unit, title}).size(), 11u + 1u + 11u + 2u);
}

}  // namespace
