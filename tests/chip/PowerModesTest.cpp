// Power-mode options, "Set Sleep", "Power Down" and the walking cell-balance
// test, on the simulated board.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "adutil/frmADUtil.h"
#include "shell/Doco.h"

namespace monitor_test {
namespace {

using PowerModesTest = ControlTest;

constexpr const char* kPowerDownQuestion =
    "This may require complete power recycle if activiated.  Click OK to Continue, Cancel to Abort";

// Register writes as "84=01", with duplicates of the previous write to the same
// register left out (a box set from code also runs its click).
std::vector<std::string> changes(const std::vector<std::string>& writes, const std::string& reg)
{
    std::vector<std::string> out;
    for (const auto& w : writes)
        if (w.rfind(reg + "=", 0) == 0 && (out.empty() || out.back() != w))
            out.push_back(w);
    return out;
}

TEST_F(PowerModesTest, EachOptionWritesItsModeWhateverTheRegisterHeld)
{
    auto& f = form();
    const std::vector<std::pair<int, std::string>> cases = {{0, "88=01"}, {1, "88=02"}, {2, "88=04"}, {4, "88=00"}};
    for (const auto& [option, write] : cases) {
        setChipRegister(0x88, 0xF3);
        const std::size_t from = logSize();
        f.cbPower[option].userClick();
        EXPECT_EQ(readsOf(from), (std::vector<std::string>{"88/1"})) << option;
        EXPECT_EQ(writesOf(from), (std::vector<std::string>{"89=00", write})) << option;
        EXPECT_TRUE(f.cbPower[option].Value.get());
        EXPECT_EQ(f.cbRAMEnable.BackColor.get(), vb::kRunning);
        f.cbPower[option].LostFocus();
    }
    // Set Sleep: the same mode write, from a button.
    const std::size_t from = logSize();
    f.cmdSetSleep.userClick();
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"89=00", "88=04"}));

    // Every option click is traced, twice indented.
    p().TraceOn = true;
    f.cbPower[0].LostFocus();
    f.cbPower[0].userClick();
    const std::string first =
        p().TraceIndent1 + p().TraceIndent1 + "uProc GUI Tab :Set Device Mode via uProc Control\r\n";
    EXPECT_EQ(p().form<shell::Doco>().rtxt1.Text().substr(0, first.size()), first);
}

TEST_F(PowerModesTest, LeavingTheGroupClearsTheOptionsSoTheSameOptionWritesAgain)
{
    auto& f = form();
    f.cbPower[1].userClick();
    EXPECT_TRUE(f.cbPower[1].Value.get());
    f.cbPower[1].LostFocus();
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(f.cbPower[i].Value.get()) << i;
    const std::size_t from = logSize();
    f.cbPower[1].userClick();
    EXPECT_EQ(changes(writesOf(from), "88"), (std::vector<std::string>{"88=02"}));
}

TEST_F(PowerModesTest, PowerDownCancelledWritesNothingAndLeavesNoOption)
{
    auto& f = form();
    rt.answerNext(ui::vbCancel);
    const std::size_t from = logSize();
    const auto start = rt.now();
    f.cbPower[3].userClick();
    ASSERT_EQ(boxesWith(kPowerDownQuestion), 1u);
    EXPECT_EQ(rt.boxes()[0].buttons, ui::vbOKCancel);
    EXPECT_EQ(logSize(), from);
    EXPECT_FALSE(f.cbPower[3].Value.get());
    EXPECT_GE(rt.now() - start, 300);
    EXPECT_TRUE(board().bridge().crossbarOn());
}

TEST_F(PowerModesTest, PowerDownConfirmedStopsTheAcquisitionAndSwitchesI2COffWithoutWriting)
{
    auto& f = form();
    p().LoopRunning = true;  // an acquisition runs
    rt.answerNext(ui::vbOK);
    const std::size_t from = logSize();
    const auto start = rt.now();
    f.cbPower[3].userClick();
    EXPECT_FALSE(p().LoopRunning);
    EXPECT_TRUE(changes(writesOf(from), "88").empty());
    EXPECT_FALSE(board().bridge().crossbarOn());
    EXPECT_EQ(f.FrI2C.Caption.get(), "I2C Disabled");
    EXPECT_FALSE(f.FrNak.Visible.get());
    // 300 ms before the switch-off, which itself pauses 500 ms.
    EXPECT_GE(rt.now() - start, 800);
    EXPECT_TRUE(f.cbPower[3].Value.get());
}

TEST_F(PowerModesTest, PowerDownDuringAnAcquisitionRunEndsTheRun)
{
    auto& f = form();
    auto& ad = p().form<adutil::frmADUtil>();
    ad.Show();
    long long downAt = -1;
    // Power down chosen on the chip form while the A/D form samples.
    rt.after(500, [&] {
        EXPECT_TRUE(p().LoopRunning);
        rt.answerNext(ui::vbOK);
        f.cbPower[3].userClick();
        downAt = rt.now();
    });
    ad.OptMuxSelect[chipreg::kMonCell1].userClick();  // returns when the run has ended
    ASSERT_GE(downAt, 0);
    EXPECT_FALSE(p().LoopRunning);
    EXPECT_LT(rt.now() - downAt, 1000);
    EXPECT_FALSE(board().bridge().crossbarOn());
    // The run does not go on to the switched-off bus: the question is the only box.
    EXPECT_EQ(rt.boxes().size(), 1u);
}

TEST_F(PowerModesTest, OptionsAreBlockedDuringAutoScanButPowerDownIsStillAsked)
{
    auto& f = form();
    startAutoScan();
    std::size_t from = logSize();
    f.cbPower[2].userClick();
    EXPECT_EQ(boxesWith(kBlocked), 1u);
    EXPECT_TRUE(changes(writesOf(from), "88").empty());
    EXPECT_EQ(board().chip().peek(0x88), 0);

    rt.answerNext(ui::vbCancel);
    f.cbPower[3].userClick();
    EXPECT_EQ(boxesWith(kBlocked), 2u);
    EXPECT_EQ(boxesWith(kPowerDownQuestion), 1u);
    stopAutoScan();
}

TEST_F(PowerModesTest, ReadingTheControlRegistersSelectsThePowerOption)
{
    auto& f = form();
    setChipRegister(0x88, 0x02);
    std::size_t from = logSize();
    f.cbuCCRefresh[0].userClick();
    EXPECT_TRUE(f.cbPower[1].Value.get());
    for (int i : {0, 2, 3, 4})
        EXPECT_FALSE(f.cbPower[i].Value.get()) << i;
    // The option that became selected writes its mode, as a click would.
    EXPECT_EQ(changes(writesOf(from), "88"), (std::vector<std::string>{"88=02"}));

    f.cbPower[1].LostFocus();
    setChipRegister(0x88, 0x00);
    from = logSize();
    f.cbuCCRefresh[0].userClick();
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(f.cbPower[i].Value.get()) << i;
    EXPECT_TRUE(changes(writesOf(from), "88").empty());
}

TEST_F(PowerModesTest, BalancingOutputsShowInTheScan)
{
    auto& f = form();
    f.cbReadV_Click();
    const double before = boxValue(3);  // CELL1
    f.cbuCControl1[0].Value = 1;
    rt.runFor(100);
    f.cbReadV_Click();
    EXPECT_EQ(f.cbLED[0].FillColor.get(), vb::kRed);
    EXPECT_EQ(f.cbLED[1].FillColor.get(), vb::kWhite);
    EXPECT_NEAR(before - boxValue(3), 0.015, 0.003);  // the cell under balancing reads lower
}

TEST_F(PowerModesTest, CellBalanceTestWalksTheOutputsUntilStopped)
{
    auto& f = form();
    // The outputs as the chip takes them; a box set from code also runs its
    // click, so a step writes its value twice in a row: count that once.
    struct Write {
        long long ms;
        int value;
    };
    std::vector<Write> outputs;
    int cb3On = 0;  // up, down, then up again
    bool stopShown = false;
    board().chip().onWrite = [&](std::uint8_t reg, std::uint8_t value, std::uint32_t ms) {
        if (reg != 0x84)
            return;
        if (!outputs.empty() && outputs.back().value == value && ms - outputs.back().ms < 50)
            return;
        outputs.push_back({static_cast<long long>(ms), value});
        // Stop while CB3 is on in the second upward sweep.
        if (value == 0x04 && ++cb3On == 3)
            rt.after(50, [&] {
                stopShown = f.cmdStopTest.Visible.get();
                f.cmdStopTest.userClick();
            });
    };
    const std::size_t from = logSize();
    f.cmdCBTest.userClick();

    EXPECT_TRUE(stopShown);
    EXPECT_FALSE(f.cmdStopTest.Visible.get());
    EXPECT_FALSE(p().LoopRunning);
    // The host takes over scan, balancing and load monitoring, then balancing goes on.
    EXPECT_EQ(changes(writesOf(from), "87"), (std::vector<std::string>{"87=04", "87=24", "87=34", "87=35"}));
    EXPECT_EQ(board().chip().peek(0x87), 0x35);
    EXPECT_TRUE(f.cbCurDir[0].Value.get());

    // Up CB1..CB8, down CB8..CB1, up CB1..CB3 until the stop, then the first
    // downward step still runs; then every output is cleared once more.
    std::vector<int> expected;
    for (int i = 0; i < 8; ++i)
        expected.insert(expected.end(), {1 << i, 0});
    for (int i = 7; i >= 0; --i)
        expected.insert(expected.end(), {1 << i, 0});
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), {1 << i, 0});
    expected.insert(expected.end(), {0x80, 0});
    const std::size_t walked = expected.size();
    // The first clearing write follows the last off at once and counts with it.
    expected.insert(expected.end(), 7, 0);
    std::vector<int> values;
    for (const Write& w : outputs)
        values.push_back(w.value);
    ASSERT_EQ(values, expected);

    // 200 ms on and off going up, 100 ms going down, 300 ms between the
    // clearing writes: each pause plus the few ms of a step's transfers.
    auto expectPause = [&](std::size_t i, int ms) {
        const long long gap = outputs[i + 1].ms - outputs[i].ms;
        EXPECT_GE(gap, ms) << i;
        EXPECT_LT(gap, ms + 25) << i;
    };
    for (std::size_t i = 0; i < 16; ++i)
        expectPause(i, 200);
    for (std::size_t i = 16; i < 31; ++i)
        expectPause(i, 100);
    expectPause(walked - 2, 100);  // CB8 on after the stop
    // (from the second clearing write: the first one counts with the last off)
    for (std::size_t i = walked + 1; i < outputs.size(); ++i)
        expectPause(i - 1, 300);
    EXPECT_EQ(board().chip().peek(0x84), 0);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(f.cbuCControl1[i].Value.get(), 0);
}

}  // namespace
}  // namespace monitor_test
