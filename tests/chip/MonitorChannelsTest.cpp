// The analog monitor's 14-bit scaling, shared by the chip form and the A/D form.
#include <gtest/gtest.h>

#include "chip/MonitorChannels.h"

namespace {

using namespace chip;

TEST(MonitorChannels, FullScaleOfEveryVoltageChannel)
{
    for (int cell = kMonCell1; cell <= kMonCell8; ++cell)
        EXPECT_DOUBLE_EQ(monitorValue(cell, 8191, 50), 4.8) << cell;
    EXPECT_DOUBLE_EQ(monitorValue(kMonVbat, 8191, 50), 57.6);
    EXPECT_DOUBLE_EQ(monitorValue(kMonVrgo, 8191, 50), 3.6);
    for (int t : {12, 13, 14})
        EXPECT_DOUBLE_EQ(monitorValue(t, 8191, 500), 1.8) << t;
    // The gain only matters on the current channel.
    EXPECT_DOUBLE_EQ(monitorValue(kMonVbat, 4000, 5), monitorValue(kMonVbat, 4000, 500));
}

TEST(MonitorChannels, CurrentIsTwosComplementOver14BitsAtEveryGain)
{
    EXPECT_EQ(signedCurrentCode(8191), 8191);
    EXPECT_EQ(signedCurrentCode(8192), -8192);
    EXPECT_EQ(signedCurrentCode(16383), -1);
    EXPECT_DOUBLE_EQ(monitorValue(kMonCurrent, 8191, 50), 36.0);  // +full scale: 1800 mV / 50
    EXPECT_DOUBLE_EQ(monitorValue(kMonCurrent, 8192, 50), -8192 * 1800.0 / 50 / 8191);
    EXPECT_DOUBLE_EQ(monitorValue(kMonCurrent, 16383, 5), -1800.0 / 5 / 8191);
    EXPECT_DOUBLE_EQ(monitorValue(kMonCurrent, 16383, 500), -1800.0 / 500 / 8191);
    EXPECT_DOUBLE_EQ(monitorStep(kMonCurrent, 500), 1800.0 / 500 / 8191);
}

TEST(MonitorChannels, BitsAboveThe14BitResultAreIgnored)
{
    EXPECT_EQ(monitorCode(0xFF, 0xFF), 0x3FFF);
    EXPECT_EQ(monitorCode(0x34, 0x52), 0x1234);
    EXPECT_DOUBLE_EQ(monitorValue(kMonCell1, 0xC000 + 100, 50), monitorValue(kMonCell1, 100, 50));
    EXPECT_DOUBLE_EQ(monitorValue(kMonCurrent, 0x8000 + 16383, 50), monitorValue(kMonCurrent, 16383, 50));
}

TEST(MonitorChannels, NoneChannelsAndGainFieldsOfRegister85)
{
    for (int ch : {0, 15, -1, 16})
        EXPECT_EQ(monitorValue(ch, 5000, 50), 0.0) << ch;
    EXPECT_EQ(monitorStep(kMonNone15, 50), 0.0);
    EXPECT_EQ(currentGainOf(0x00), 50);
    EXPECT_EQ(currentGainOf(0x9F), 5);
    EXPECT_EQ(currentGainOf(0x69), 500);
    EXPECT_EQ(currentGainOf(0x30), 500);
    EXPECT_EQ(gainIndexOf(0xB5), 3);
    EXPECT_EQ(kMonitorChannelNames[kMonCurrent], "Current");
    EXPECT_EQ(kMonitorChannelNames[kMonIntTemp], "Int Temp");
}

}  // namespace

namespace {

TEST(MonitorChannels, ScanResultsHaveTheirPairsAndTheScansScaling)
{
    using namespace chip;
    EXPECT_EQ(scanResultRegister(kMonCell1), 0x90);
    EXPECT_EQ(scanResultRegister(kMonCell8), 0x9E);
    EXPECT_EQ(scanResultRegister(kMonCurrent), 0x8E);
    EXPECT_EQ(scanResultRegister(kMonVbat), 0xA6);
    EXPECT_EQ(scanResultRegister(kMonVrgo), 0xA8);
    EXPECT_EQ(scanResultRegister(kMonXTemp1), 0xA2);
    EXPECT_EQ(scanResultRegister(kMonXTemp2), 0xA4);
    EXPECT_EQ(scanResultRegister(kMonIntTemp), 0xA0);
    EXPECT_EQ(scanResultRegister(kMonNone), 0x00);
    EXPECT_EQ(scanResultRegister(kMonNone15), 0x00);

    EXPECT_DOUBLE_EQ(scanResultValue(4, 4095, 50), 4.8);
    EXPECT_DOUBLE_EQ(scanResultValue(kMonVbat, 4095, 50), 57.6);
    EXPECT_DOUBLE_EQ(scanResultValue(kMonVrgo, 4095, 50), 3.6);
    EXPECT_DOUBLE_EQ(scanResultValue(kMonIntTemp, 4095, 50), 1.8);
    EXPECT_DOUBLE_EQ(scanResultValue(kMonCurrent, 4095, 50), 36.0);
    EXPECT_DOUBLE_EQ(scanResultValue(kMonCurrent, 8192, 5), -8192.0 / 5 * 1800 / 4095);
    EXPECT_DOUBLE_EQ(scanResultValue(kMonCurrent, 16383, 500), -1.0 / 500 * 1800 / 4095);
    EXPECT_EQ(scanResultValue(kMonNone15, 4095, 50), 0.0);

    EXPECT_DOUBLE_EQ(*scanResultStep(2, 50), 14.4 / 12285);
    EXPECT_DOUBLE_EQ(*scanResultStep(kMonCurrent, 500), 1800.0 / 500 / 4095);
    EXPECT_DOUBLE_EQ(*scanResultStep(kMonXTemp2, 5), 1.8 / 4095);
    EXPECT_FALSE(scanResultStep(kMonNone, 50));
    EXPECT_FALSE(scanResultStep(kMonNone15, 50));
}

}  // namespace
