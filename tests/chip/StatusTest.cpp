// Status indicators and FET buttons read from the simulated chip.
#include <gtest/gtest.h>

#include "chip/MonitorFixture.h"
#include "shell/Doco.h"

namespace monitor_test {
namespace {

using StatusTest = MonitorTest;

std::string colours(chip::KVN58C3_Main& f, int first, int last)
{
    std::string s;
    for (int i = first; i <= last; ++i) {
        const vb::Color c = f.LED[i].FillColor;
        s += c == vb::kWhite ? 'W' : c == vb::kRed ? 'R' : c == vb::kGreen ? 'G' : '?';
    }
    return s;
}

TEST_F(StatusTest, ReadsFourStatusRegistersAndTheFetsOneByOne)
{
    auto& f = form();
    const std::size_t from = board().log.size();
    f.ReadStatus_Click();
    EXPECT_EQ(readsOf(from), (std::vector<std::string>{"86/1", "80/1", "81/1", "82/1", "83/1"}));
    EXPECT_EQ(f.ReadStatus.Caption.get(), "Read Status Bits");
    EXPECT_EQ(f.ReadStatus.BackColor.get(), vb::kIdle);
    EXPECT_EQ(f.cbRAMEnable.BackColor.get(), vb::kRunning);
    EXPECT_EQ(f.cbEEPROMEnable.BackColor.get(), vb::kButtonFace);
    // The simulated pack has a load attached (LD_PRSNT green) and no faults.
    EXPECT_EQ(colours(f, 0, 15), "WWWWWWWWWWWWWWWW");
    EXPECT_EQ(f.LED[16].FillColor.get(), vb::kGreen);
}

TEST_F(StatusTest, PowerModeBitsShowGreenAndTheBalanceBitsWhite)
{
    auto& f = form();
    f.LED[24].FillColor = vb::kRed;
    setChipRegister(0x88, 0x07);  // 0x83 = 0x70: idle, doze, sleep
    f.ReadStatus_Click();
    EXPECT_EQ(f.tbRegdata[0x83].Text.get(), "70");
    EXPECT_EQ(colours(f, 24, 30), "WWWWGGG");
}

TEST_F(StatusTest, FetButtonsFollowRegister86)
{
    auto& f = form();
    setChipRegister(0x86, 0x05);
    f.Update_FETs();
    EXPECT_EQ(f.tbRegdata[0x86].Text.get(), "05");
    EXPECT_EQ(f.cbPCFET.BackColor.get(), vb::kGreen);
    EXPECT_EQ(f.cbCFET.BackColor.get(), vb::kRed);
    EXPECT_EQ(f.cbDFET.BackColor.get(), vb::kGreen);
}

TEST_F(StatusTest, WhileBusyNothingIsReadButTheTraceLineIsAdded)
{
    auto& f = form();
    p().TraceOn = true;
    p().TraceIndent1 = "     ";
    f.ReadStatus.Caption = "Busy";
    f.LED[0].FillColor = vb::kRed;
    const std::size_t from = board().log.size();
    f.ReadStatus_Click();
    EXPECT_EQ(board().log.size(), from);
    EXPECT_EQ(f.LED[0].FillColor.get(), vb::kRed);
    EXPECT_EQ(f.ReadStatus.Caption.get(), "Busy");
    EXPECT_NE(p().form<shell::Doco>().rtxt1.Text().find("     Scan and Display Digital Status Function\r\n"),
        std::string::npos);
}

TEST_F(StatusTest, HiddenIndicatorsStayHiddenAndCaptionsMatchTheBits)
{
    auto& f = form();
    for (int i = 0; i < 32; ++i) {
        const bool hidden = i == 14 || i == 20 || i == 21 || i == 22 || i == 31;
        EXPECT_EQ(f.LED[i].Visible.get(), !hidden) << i;
        EXPECT_EQ(f.Label[i].Visible.get(), !hidden) << i;
    }
    EXPECT_EQ(f.Label[0].ToolTipText.get(), "Over Voltage  Threshold Detected");
    EXPECT_EQ(f.Label[23].Caption.get(), "LVCHG");
    EXPECT_EQ(f.Label[30].Caption.get(), "SLEEP");
}

TEST_F(StatusTest, PollStatusAfterTheScanAddsFiveSingleReads)
{
    auto& f = form();
    f.ChkPoweStatus.Value = 1;
    const std::size_t from = board().log.size();
    f.cbReadV_Click();
    EXPECT_EQ(
        readsOf(from), (std::vector<std::string>{"80/22", "96/22", "49/2", "86/1", "80/1", "81/1", "82/1", "83/1"}));
}

// The chip model derives its status bits from the pack; other values are forced.
TEST_F(StatusTest, UnusedBit31KeepsItsColour)
{
    auto& f = form();
    f.LED[31].FillColor = vb::QBColor(9);
    for (int i = 24; i <= 30; ++i)
        f.LED[i].FillColor = vb::kRed;
    board().chip().forceRegister(0x83, 0x80);
    f.ReadStatus_Click();
    EXPECT_EQ(f.tbRegdata[0x83].Text.get(), "80");
    EXPECT_EQ(colours(f, 24, 30), "WWWWWWW");
    EXPECT_EQ(f.LED[31].FillColor.get(), vb::QBColor(9));
    // The scan colours by the same rule; a clear bit 31 turns it white.
    f.LED[31].FillColor = vb::kGreen;
    f.cbReadV_Click();
    EXPECT_EQ(f.LED[31].FillColor.get(), vb::kGreen);
    board().chip().releaseRegister(0x83);
    f.cbReadV_Click();
    EXPECT_EQ(f.tbRegdata[0x83].Text.get(), "00");
    EXPECT_EQ(f.LED[31].FillColor.get(), vb::kWhite);
}

TEST_F(StatusTest, LoadAndChargerBitsGreenTheRestOf82Red)
{
    auto& f = form();
    board().chip().forceRegister(0x82, 0xFF);
    board().chip().forceRegister(0x80, 0x05);
    f.ReadStatus_Click();
    EXPECT_EQ(colours(f, 16, 23), "GGGGRRRR");
    EXPECT_EQ(colours(f, 0, 7), "RWRWWWWW");
    board().chip().forceRegister(0x82, 0x00);
    board().chip().forceRegister(0x83, 0x7F);
    f.cbReadV_Click();
    EXPECT_EQ(colours(f, 16, 23), "WWWWWWWW");
    EXPECT_EQ(colours(f, 24, 30), "RRRRGGG");
}

}  // namespace
}  // namespace monitor_test
