// The analog monitor on the simulated board: register 0x85 edits, the
// on-demand conversion and its result.
#include <gtest/gtest.h>

#include <algorithm>

#include "ControlFixture.h"
#include "chip/MonitorChannels.h"

namespace monitor_test {
namespace {

using AnalogMonitorTest = ControlTest;

TEST_F(AnalogMonitorTest, ChannelWriteDropsBit7KeepsTheGainAndConvertsUnderHostScan)
{
    auto& f = form();
    f.tbRegdata[0x85].Text = "B5";
    f.tbVoltageMon.ListIndex = 9;
    const std::size_t from = logSize();
    f.cbWriteVoltMon_Click();
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"89=00", "87=04", "89=00", "85=79", "87=00"}));
    EXPECT_EQ(f.tbRegdata[0x85].Text.get(), "79");
    EXPECT_EQ(f.cbRAMEnable.BackColor.get(), vb::kRunning);
    EXPECT_EQ(f.cbTRIMEnable.BackColor.get(), vb::kButtonFace);

    f.tbRegdata[0x85].Text = "20";  // gain 500x
    f.cbWriteVoltMon_Click();
    EXPECT_EQ(f.tbRegdata[0x85].Text.get(), "69");
    EXPECT_EQ(board().chip().peek(0x85), 0x69);
}

TEST_F(AnalogMonitorTest, GainWriteKeepsBits7And6AndTheChannel)
{
    auto& f = form();
    f.tbRegdata[0x85].Text = "C7";
    f.tbCurrentGain.ListIndex = 1;
    const std::size_t from = logSize();
    f.cbWriteCurrentGain_Click();
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"89=00", "85=D7"}));

    // Nothing chosen: the first channel and the first gain.
    f.tbVoltageMon.ListIndex = -1;
    f.tbCurrentGain.ListIndex = -1;
    f.cbWriteCurrentGain_Click();
    EXPECT_EQ(f.tbCurrentGain.Text.get(), "50x");
    EXPECT_EQ(f.tbRegdata[0x85].Text.get(), "C7");
    f.cbWriteVoltMon_Click();
    EXPECT_EQ(f.tbVoltageMon.Text.get(), "CELL1");
    EXPECT_EQ(f.tbRegdata[0x85].Text.get(), "41");
}

TEST_F(AnalogMonitorTest, ATypedChannelNameThatIsNoChannelConvertsTheFirstCellAndShowsIt)
{
    auto& f = form();
    f.tbVoltageMon.ListIndex = 10;
    f.tbVoltageMon.userType("xyz");
    EXPECT_EQ(f.tbVoltageMon.ListIndex.get(), -1);
    f.cbWriteVoltMon_Click();
    EXPECT_EQ(f.tbVoltageMon.Text.get(), "CELL1");
    EXPECT_EQ(board().chip().peek(0x85) & 0x0F, 1);

    f.tbVoltageMon.userType("VBAT");
    EXPECT_EQ(f.tbVoltageMon.ListIndex.get(), 10);
}

TEST_F(AnalogMonitorTest, ReadsShowTheChipsChannelAndGain)
{
    auto& f = form();
    setChipRegister(0x85, 0x2B);
    f.cbReadVoltMon_Click();
    EXPECT_EQ(f.tbVoltageMon.Text.get(), "VRGO");
    f.cbReadCurrentGain_Click();
    EXPECT_EQ(f.tbCurrentGain.ListIndex.get(), 2);
    EXPECT_EQ(f.tbCurrentGain.Text.get(), "500x");
}

TEST_F(AnalogMonitorTest, ConversionsOfTheSimulatedPackInUnits)
{
    auto& f = form();
    auto convert = [&](int channel) {
        f.tbVoltageMon.ListIndex = channel;
        f.cbWriteVoltMon_Click();
        const long code = vb::HexValue(f.tbValue.Text.get());
        return chip::monitorValue(channel, code, chip::currentGainOf(vb::HexValue(f.tbRegdata[0x85].Text.get())));
    };
    const double lsb = chip::monitorStep(chip::kMonCell1, 50);
    EXPECT_NEAR(convert(1), 3.702, lsb);
    EXPECT_NEAR(convert(8), 3.701, lsb);
    EXPECT_NEAR(convert(10), 29.604, 0.01);
    EXPECT_NEAR(convert(11), 3.3, 0.001);
    // 500 mA drawn through 1 milliohm: -0.5 mV, negative in two's complement.
    EXPECT_NEAR(convert(9), -0.5, 0.01);
    EXPECT_GE(vb::HexValue(f.tbValue.Text.get()), 8192);
    f.tbCurrentGain.ListIndex = 2;
    f.cbWriteCurrentGain_Click();
    EXPECT_NEAR(convert(9), -0.5, 0.003);
    // 0.4 V at the thermistor at 25 degrees C, doubled in the 0.9 V input range.
    EXPECT_NEAR(convert(12), 0.8, 0.005);
    EXPECT_EQ(convert(0), 0.0);
    EXPECT_EQ(f.tbValue.Text.get(), "0");
}

TEST_F(AnalogMonitorTest, ResultBytesAreShownAsReadAndANakKeepsTheLastResult)
{
    auto& f = form();
    board().chip().forceRegister(0xAA, 0x34);
    board().chip().forceRegister(0xAB, 0x12);
    f.Read_KVN58C3_AD();
    EXPECT_EQ(f.tbValue.Text.get(), "1234");
    // Past the 14 bits: shown whole, not wrapped into a negative number.
    board().chip().forceRegister(0xAB, 0xC2);
    f.Read_KVN58C3_AD();
    EXPECT_EQ(f.tbValue.Text.get(), "C234");

    board().faults.nakOnce = 1;
    rt.answerNext(ui::vbRetry);
    f.Read_KVN58C3_AD();
    EXPECT_TRUE(hasBox("KVN58C3 Read AD Nack"));
    EXPECT_EQ(f.tbValue.Text.get(), "C234");
}

TEST_F(AnalogMonitorTest, AConversionEndedByRetryStillHandsTheScanBackToTheChip)
{
    auto& f = form();
    board().faults.nakRegister = chipreg::kMonitorResult;
    board().faults.nakRegisterCount = 1;
    rt.clearBoxes();
    rt.answerNext(ui::vbRetry);
    f.cbWriteVoltMon.userClick();
    EXPECT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(board().chip().peek(chipreg::kUcControl), 0x00);
    EXPECT_EQ(f.tbRegdata[chipreg::kUcControl].Text.get(), "00");
}

TEST_F(AnalogMonitorTest, EveryHandlerButTheResultReadIsBlockedDuringAutoScan)
{
    auto& f = form();
    startAutoScan();
    const std::size_t from = logSize();
    f.cbWriteVoltMon_Click();
    f.cbReadVoltMon_Click();
    f.cbWriteCurrentGain_Click();
    f.cbReadCurrentGain_Click();
    EXPECT_EQ(logSize(), from);
    ASSERT_EQ(boxesWith(kBlocked), 4u);
    EXPECT_EQ(rt.boxes().back().icon, ui::vbExclamation);
    EXPECT_EQ(rt.boxes().back().buttons, ui::vbOKOnly);
    f.Read_KVN58C3_AD();
    const auto reads = readsOf(from);
    EXPECT_NE(std::find(reads.begin(), reads.end(), "AA/2"), reads.end());
}

}  // namespace
}  // namespace monitor_test
