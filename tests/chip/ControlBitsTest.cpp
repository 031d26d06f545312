// Control-bit check boxes of 0x84, 0x86 and 0x87 and their read-back, on the simulated board.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "shell/Doco.h"

namespace monitor_test {
namespace {

using ControlBitsTest = ControlTest;

constexpr const char* kPsdQuestion =
    "This may activate fail-safe circuitry, verify schematic.  Click OK to Continue, Cancel to Abort";

TEST_F(ControlBitsTest, EachClickWritesOneBitAndKeepsTheOthers)
{
    auto& f = form();
    setChipRegister(0x84, 0x81);
    std::size_t from = logSize();
    f.cbuCControl1[2].Value = 1;  // CB3
    EXPECT_EQ(readsOf(from), (std::vector<std::string>{"84/1"}));
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"89=00", "84=85"}));
    EXPECT_EQ(f.tbRegdata[0x84].Text.get(), "85");
    from = logSize();
    f.cbuCControl1[2].Value = 0;
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"89=00", "84=81"}));
    EXPECT_EQ(board().chip().peek(0x84), 0x81);

    f.cbuCControl3[4].Value = 1;  // Charge Mon Enable
    EXPECT_EQ(board().chip().peek(0x86) & 0x10, 0x10);
    EXPECT_EQ(board().chip().peek(0x86) & 0x03, 0x03);  // the FETs stay as they were
    f.cbuCControl4[6].Value = 1;  // uC Controls FETs
    EXPECT_EQ(board().chip().peek(0x87), 0x40);
}

TEST_F(ControlBitsTest, PackShutDownAsksFirstAndCancelLeavesItClear)
{
    auto& f = form();
    rt.answerNext(ui::vbCancel);
    f.cbuCControl3[3].Value = 1;
    ASSERT_EQ(boxesWith(kPsdQuestion), 1u);
    EXPECT_EQ(rt.boxes()[0].buttons, ui::vbOKCancel);
    EXPECT_EQ(f.cbuCControl3[3].Value.get(), 0);
    EXPECT_EQ(board().chip().peek(0x86) & 0x08, 0);

    rt.answerNext(ui::vbOK);
    f.cbuCControl3[3].Value = 1;
    EXPECT_EQ(board().chip().peek(0x86) & 0x08, 0x08);
    EXPECT_EQ(f.cbRAMEnable.BackColor.get(), vb::kRunning);
    f.cbuCControl3[3].Value = 0;  // clearing asks nothing
    EXPECT_EQ(boxesWith(kPsdQuestion), 2u);
    EXPECT_EQ(board().chip().peek(0x86) & 0x08, 0);
}

TEST_F(ControlBitsTest, DuringAutoScanOnlyTheMonitorBitsAreBlocked)
{
    auto& f = form();
    startAutoScan();
    std::size_t from = logSize();
    f.cbuCControl3[6].Value = 1;
    EXPECT_EQ(boxesWith(kBlocked), 1u);
    EXPECT_EQ(logSize(), from);
    EXPECT_EQ(f.cbuCControl3[6].Value.get(), 1);  // left as clicked

    // Shut-down: blocked, still asked, and neither answer writes.
    for (int answer : {ui::vbOK, ui::vbCancel}) {
        rt.answerNext(answer);
        f.cbuCControl3[3].Value = 1;
        f.cbuCControl3[3].Value = 0;
    }
    EXPECT_EQ(boxesWith(kPsdQuestion), 2u);
    EXPECT_EQ(logSize(), from);

    f.cbuCControl1[0].Value = 1;
    f.cbuCControl4[0].Value = 1;
    EXPECT_EQ(board().chip().peek(0x84) & 0x01, 0x01);
    EXPECT_EQ(board().chip().peek(0x87) & 0x01, 0x01);

    rt.clearBoxes();
    from = logSize();
    f.cbuCCRefresh[0].userClick();
    EXPECT_EQ(boxesWith(kBlocked), 1u);
    EXPECT_EQ(logSize(), from);
}

TEST_F(ControlBitsTest, HostScanAndSyncExcludeEachOther)
{
    auto& f = form();
    p().TraceOn = true;
    p().TraceIndent1 = "     ";
    f.ChkSyncuPdoescan.Value = 1;
    f.cbuCControl4[2].Value = 1;
    EXPECT_EQ(f.ChkSyncuPdoescan.Value.get(), 0);
    EXPECT_EQ(board().chip().peek(0x87) & 0x04, 0x04);
    f.ChkSyncuPdoescan.Value = 1;  // unticks "uC Does Scan", which clears the bit
    EXPECT_EQ(f.cbuCControl4[2].Value.get(), 0);
    EXPECT_EQ(board().chip().peek(0x87) & 0x04, 0);
    EXPECT_EQ(f.ChkSyncuPdoescan.Value.get(), 1);  // clearing leaves the sync box alone
    const std::string_view trace = p().form<shell::Doco>().rtxt1.Text();
    EXPECT_NE(trace.find("     uProc Control GUI Tab :Set uCSCAN uProc does Scan Ctrl Bit\r\n"), std::string::npos);
    EXPECT_NE(trace.find("     uProc Control GUI Tab :Clear uCSCAN uProc does Scan Ctrl Bit\r\n"), std::string::npos);
}

TEST_F(ControlBitsTest, HandingBalancingOverShowsTheChipsOutputs)
{
    auto& f = form();
    f.cbuCControl1[7].Value = 1;  // CB8 as the user left it
    setChipRegister(0x84, 0x05);
    f.cbuCControl4[5].Value = 1;  // uC Does Cell Bal
    for (int i = 0; i < 8; ++i) {
        const bool on = i == 0 || i == 2;
        EXPECT_EQ(f.cbuCControl1[i].Value.get(), on ? 1 : 0) << i;
        EXPECT_EQ(f.cbLED[i].FillColor.get(), on ? vb::kRed : vb::kWhite) << i;
    }
    EXPECT_EQ(board().chip().peek(0x84), 0x05);
}

TEST_F(ControlBitsTest, RefreshMovesTheIndicatorsNotTheBalanceBoxes)
{
    auto& f = form();
    f.cbuCControl1[1].Value = 1;
    setChipRegister(0x84, 0x10);
    setChipRegister(0x87, 0x41);
    setChipRegister(0x85, 0x1C);
    const std::size_t from = logSize();
    f.cbuCCRefresh[0].userClick();
    const auto reads = readsOf(from);
    ASSERT_GE(reads.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(reads.begin(), reads.begin() + 5),
        (std::vector<std::string>{"84/1", "85/1", "86/1", "87/1", "88/1"}));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(f.cbLED[i].FillColor.get(), i == 4 ? vb::kRed : vb::kWhite) << i;
    EXPECT_EQ(f.cbuCControl1[1].Value.get(), 1);
    EXPECT_EQ(f.cbuCControl1[4].Value.get(), 0);
    EXPECT_EQ(f.cbuCControl4[0].Value.get(), 1);
    EXPECT_EQ(f.cbuCControl4[6].Value.get(), 1);
    EXPECT_EQ(f.cbuCControl4[2].Value.get(), 0);
    EXPECT_EQ(board().chip().peek(0x87), 0x41);  // written back as read
    EXPECT_EQ(f.tbCurrentGain.Text.get(), "5x");
    EXPECT_EQ(f.tbVoltageMon.Text.get(), "xTemp1");
    EXPECT_EQ(f.cbuCCRefresh[0].Caption.get(), "Read Control Registers");
    EXPECT_EQ(f.cbuCCRefresh[0].BackColor.get(), vb::kButtonFace);
    EXPECT_EQ(f.cbRAMEnable.BackColor.get(), vb::kRunning);
}

TEST_F(ControlBitsTest, ASecondRefreshWhileBusyDoesNothing)
{
    auto& f = form();
    EXPECT_EQ(f.cbuCCRefresh[0].BackColor.get(), vb::kIdle);
    f.cbuCCRefresh[0].Caption = "Busy";
    const std::size_t from = logSize();
    f.cbuCCRefresh_Click(0);
    EXPECT_EQ(logSize(), from);
}

}  // namespace
}  // namespace monitor_test
