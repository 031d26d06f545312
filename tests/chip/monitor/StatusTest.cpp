// Status indicators and FET buttons read from the simulated chip.
#include <gtest/gtest.h>

#include <map>

#include "MonitorFixture.h"
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
    EXPECT_NE(p().Doco().rtxt1.Text().find("     Scan and Display Digital Status Function\r\n"), std::string::npos);
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
    EXPECT_EQ(readsOf(from), (std::vector<std::string>{"80/22", "96/22", "49/2", "86/1", "80/1", "81/1", "82/1",
                                                       "83/1"}));
}

// The chip model derives its status bits from the pack; to show any register
// value, the board's answer is rewritten while it is under way (the runtime's
// Sleep is where the link waits for it).
struct AnswerPatchingRuntime : ui::HeadlessRuntime {
    std::function<void()> beforeSleep;
    void Sleep(int ms) override
    {
        if (beforeSleep)
            beforeSleep();
        HeadlessRuntime::Sleep(ms);
    }
};

class StatusForcedTest : public ::testing::Test {
protected:
    StatusForcedTest()
    {
        ProgramOptions options;
        options.appPath = folder.path();
        program = std::make_unique<Program>(rt, options);
        sim::EvalBoard& board = *program->simBoard();
        board.faults.latencyMs = 1;
        rt.beforeSleep = [this, &board] {
            if (board.answers().empty() || board.log.empty())
                return;
            const auto& request = board.log.back();
            auto& answer = board.answers().front().report;
            if (request[usb::bridge::kCommandByte] != usb::bridge::kCmdI2cRead ||
                answer[usb::bridge::kStatusByte] != usb::bridge::kAnswerAck)
                return;
            const int first = request[5], count = request[3];
            for (const auto& [reg, value] : forced)
                if (reg >= first && reg < first + count)
                    answer[usb::bridge::kArgByte + static_cast<std::size_t>(reg - first)] = value;
        };
        program->frmStartup().launch(0);
    }
    chip::KVN58C3_Main& form() { return program->KVN58C3_Main(); }

    AnswerPatchingRuntime rt;
    forms_test::TempFolder folder;
    std::unique_ptr<Program> program;
    std::map<int, std::uint8_t> forced;
};

TEST_F(StatusForcedTest, UnusedBit31KeepsItsColour)
{
    auto& f = form();
    f.LED[31].FillColor = vb::QBColor(9);
    for (int i = 24; i <= 30; ++i)
        f.LED[i].FillColor = vb::kRed;
    forced[0x83] = 0x80;
    f.ReadStatus_Click();
    EXPECT_EQ(f.tbRegdata[0x83].Text.get(), "80");
    EXPECT_EQ(colours(f, 24, 30), "WWWWWWW");
    EXPECT_EQ(f.LED[31].FillColor.get(), vb::QBColor(9));
    // The scan colours by the same rule; a clear bit 31 turns it white.
    f.LED[31].FillColor = vb::kGreen;
    f.cbReadV_Click();
    EXPECT_EQ(f.LED[31].FillColor.get(), vb::kGreen);
    forced[0x83] = 0x00;
    f.cbReadV_Click();
    EXPECT_EQ(f.LED[31].FillColor.get(), vb::kWhite);
}

TEST_F(StatusForcedTest, LoadAndChargerBitsGreenTheRestOf82Red)
{
    auto& f = form();
    forced[0x82] = 0xFF;
    forced[0x80] = 0x05;
    f.ReadStatus_Click();
    EXPECT_EQ(colours(f, 16, 23), "GGGGRRRR");
    EXPECT_EQ(colours(f, 0, 7), "RWRWWWWW");
    forced[0x82] = 0x00;
    forced[0x83] = 0x7F;
    f.cbReadV_Click();
    EXPECT_EQ(colours(f, 16, 23), "WWWWWWWW");
    EXPECT_EQ(colours(f, 24, 30), "RRRRGGG");
}

}  // namespace
}  // namespace monitor_test
