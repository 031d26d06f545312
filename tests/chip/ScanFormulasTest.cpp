// The scan's arithmetic without a board: limits, hysteresis, lookups, inputs.
#include <gtest/gtest.h>

#include "chip/ScanFormulas.h"
#include "chip/StatusBits.h"
#include "chip/Thermistor.h"
#include "regmap/ChipRegisters.h"

namespace {

using namespace chip;

// OV 4.2 V / recovery 4.1 V, UV 2.8 V / recovery 3.0 V as 12-bit codes.
const CellLimits kLimits{4.2, 4.1, 2.8, 3.0};

TEST(ScanFormulas, FullScaleCodesAndLimitsUseTheLow4BitsOfTheHighByte)
{
    EXPECT_DOUBLE_EQ(cellVolts(4095), 4.8);
    EXPECT_DOUBLE_EQ(packVolts(4095), 57.6);
    // Upper nibble of the high byte is configuration, not part of the threshold.
    const CellLimits l = cellLimits({0xFF, 0xFF, 0xFF, 0x0F, 0x00, 0xF0, 0x01, 0x00});
    EXPECT_DOUBLE_EQ(l.ovThreshold, 4.8);
    EXPECT_DOUBLE_EQ(l.ovRecovery, 4.8);
    EXPECT_DOUBLE_EQ(l.uvThreshold, 0.0);
    EXPECT_DOUBLE_EQ(l.uvRecovery, cellVolts(1));
}

TEST(ScanFormulas, CurrentGainFromBits5And4)
{
    EXPECT_EQ(chipreg::currentGainOf(0x00), 50);
    EXPECT_EQ(chipreg::currentGainOf(0x1F), 5);
    EXPECT_EQ(chipreg::currentGainOf(0x20), 500);
    EXPECT_EQ(chipreg::currentGainOf(0xF0), 500);  // 0x30: same as 0x20
}

TEST(ScanFormulas, CellAtTheThresholdsAndBackPastTheRecoveryLevels)
{
    const vb::Color previous = 0x123456;
    CellShade s = shadeCell(kLimits.uvThreshold, kLimits, previous);
    EXPECT_EQ(s.bar, 0.0);
    EXPECT_EQ(s.back, previous);  // at UV: not an alarm, not yet recovered

    s = shadeCell(kLimits.ovThreshold, kLimits, vb::kWhite);
    EXPECT_EQ(s.bar, 100.0);
    EXPECT_EQ(s.back, kCellAlarm);

    // Below UV, then between UV and its recovery: stays red; past recovery: white.
    EXPECT_EQ(shadeCell(2.7, kLimits, vb::kWhite).back, kCellAlarm);
    EXPECT_EQ(shadeCell(2.9, kLimits, kCellAlarm).back, kCellAlarm);
    EXPECT_EQ(shadeCell(3.0, kLimits, kCellAlarm).back, kCellAlarm);  // strict
    s = shadeCell(3.5, kLimits, kCellAlarm);
    EXPECT_EQ(s.back, vb::kWhite);
    EXPECT_NEAR(s.bar, 50.0, 1e-4);
    // Over-voltage side: red until below the OV recovery level.
    EXPECT_EQ(shadeCell(4.15, kLimits, kCellAlarm).back, kCellAlarm);
    EXPECT_EQ(shadeCell(4.05, kLimits, kCellAlarm).back, vb::kWhite);
}

TEST(ScanFormulas, CellRowsForEachCellCount)
{
    using Rows = std::array<bool, 5>;
    EXPECT_EQ(cellRowsShown("83"), (Rows{false, false, false, false, false}));
    EXPECT_EQ(cellRowsShown("C3"), (Rows{false, false, false, false, true}));
    EXPECT_EQ(cellRowsShown("C7"), (Rows{true, false, false, false, true}));
    EXPECT_EQ(cellRowsShown("E7"), (Rows{true, false, false, true, true}));
    EXPECT_EQ(cellRowsShown("EF"), (Rows{true, true, false, true, true}));
    EXPECT_EQ(cellRowsShown("FF"), (Rows{true, true, true, true, true}));
    EXPECT_FALSE(cellRowsShown("FE"));
    EXPECT_FALSE(cellRowsShown("ff"));  // the register image holds upper case
}

TEST(ScanFormulas, MarkerLowestWinsOverHighest)
{
    EXPECT_EQ(cellMarker(3.5, 3.5, 3.5), kLowestCellMark);
    EXPECT_EQ(cellMarker(3.6, 3.5, 3.6), kHighestCellMark);
    EXPECT_EQ(cellMarker(3.55, 3.5, 3.6), vb::kWhite);
}

TEST(ScanFormulas, ShuntBoxThatIsZeroOrNotANumberGivesErr)
{
    EXPECT_EQ(currentText("12.345", "0"), "ERR");
    EXPECT_EQ(currentText("12.345", " 0.0 "), "ERR");
    EXPECT_EQ(currentText("12.345", "abc"), "ERR");
    EXPECT_EQ(currentText("12.345", "1.0 mOhm"), "ERR");
    EXPECT_EQ(currentText("12.345", ""), "ERR");
    EXPECT_EQ(currentText("12.345", "-1"), "ERR");
    EXPECT_EQ(currentText("12.345", "1e-300"), "ERR");
    EXPECT_EQ(currentText("1800", "0.001"), "1800000000.000");
    EXPECT_EQ(currentText("12.345", " 1.0"), "12345.000");
    EXPECT_EQ(currentText("1", "2.5E0"), "400.000");
}

TEST(ScanFormulas, ThermistorLookupClampsAndHitsTableEntriesExactly)
{
    ThermistorTable t;
    for (int i = 0; i < kThermistorPoints; ++i) {
        t.volts[i] = 1.7 - i * 0.05;
        t.temps[i] = -40 + 5 * i;
    }
    EXPECT_EQ(thermistorLookup(1.75, t), -40.0);
    EXPECT_EQ(thermistorLookup(t.volts[33], t), 125.0);
    EXPECT_EQ(thermistorLookup(0.0, t), 125.0);
    for (int j = 1; j < 33; ++j)
        EXPECT_EQ(thermistorLookup(t.volts[j], t), t.temps[j]) << j;
    // Halfway between two points: the 5-degree step is a constant.
    t.temps[11] = 100;
    EXPECT_NEAR(thermistorLookup((t.volts[10] + t.volts[11]) / 2, t), 12.5, 1e-9);
}

TEST(StatusColours, IndicatorRuleByIndex)
{
    const vb::Color previous = 0x0000FF;
    for (int i = 0; i < kStatusBitCount; ++i)
        EXPECT_EQ(indicatorColor(i, false, previous), vb::kWhite) << i;
    for (int i : {0, 7, 15, 20, 23, 27})
        EXPECT_EQ(indicatorColor(i, true, previous), vb::kRed) << i;
    for (int i : {16, 19, 28, 30})
        EXPECT_EQ(indicatorColor(i, true, previous), vb::kGreen) << i;
    EXPECT_EQ(indicatorColor(31, true, previous), previous);
}

}  // namespace
