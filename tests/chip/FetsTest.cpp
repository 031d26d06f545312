// FET buttons, the synchronous toggle, the timed toggle test and the hand-over
// of the FETs to the host microcontroller, on the simulated board.
#include <gtest/gtest.h>

#include "ControlFixture.h"

namespace monitor_test {
namespace {

class FetsTest : public ControlTest {
protected:
    // Every write of a register the chip took, with the board's time.
    struct Write {
        std::uint32_t ms;
        std::uint8_t value;
    };
    void watch(std::uint8_t reg)
    {
        board().chip().onWrite = [this, reg](std::uint8_t r, std::uint8_t v, std::uint32_t ms) {
            if (r == reg)
                watched_.push_back({ms, v});
        };
    }
    const std::vector<Write>& watched() const { return watched_; }
    std::uint8_t fets() { return board().chip().peek(0x86); }

private:
    std::vector<Write> watched_;
};

TEST_F(FetsTest, ButtonsAreRedUntilTheChipIsRead)
{
    auto& f = form();
    EXPECT_EQ(f.cbCFET.BackColor.get(), vb::kRed);
    EXPECT_EQ(f.cbDFET.BackColor.get(), vb::kRed);
    EXPECT_EQ(f.cbPCFET.BackColor.get(), vb::kRed);
    EXPECT_EQ(f.cbCFET.ToolTipText.get(), "CFET Status Red Off Green On");
}

TEST_F(FetsTest, EachButtonTogglesItsBitThroughTheImageAndShowsTheReadBack)
{
    auto& f = form();
    setChipRegister(0x86, 0x13);
    // Yellow while the toggle is under way: the button's colour when the chip takes the write.
    std::vector<vb::Color> during;
    board().chip().onWrite = [&](std::uint8_t r, std::uint8_t, std::uint32_t) {
        if (r == 0x86)
            during.push_back(f.cbCFET.BackColor.get());
    };
    std::size_t from = logSize();
    f.cbCFET.userClick();
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"89=00", "86=11"}));
    EXPECT_EQ(readsOf(from), (std::vector<std::string>{"86/1", "86/1"}));
    EXPECT_EQ(during, (std::vector<vb::Color>{vb::kYellow}));
    EXPECT_EQ(f.cbCFET.BackColor.get(), vb::kRed);
    EXPECT_EQ(f.cbRAMEnable.BackColor.get(), vb::kRunning);
    EXPECT_EQ(f.cbEEPROMEnable.BackColor.get(), vb::kButtonFace);
    from = logSize();
    f.cbCFET.userClick();
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"89=00", "86=13"}));
    EXPECT_EQ(f.cbCFET.BackColor.get(), vb::kGreen);

    from = logSize();
    f.cbDFET.userClick();
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"89=00", "86=12"}));
    EXPECT_EQ(f.cbDFET.BackColor.get(), vb::kRed);
    EXPECT_EQ(f.cbCFET.BackColor.get(), vb::kGreen);  // the other buttons are left alone
}

TEST_F(FetsTest, TurningThePrechargeFetOffClearsPackShutDownToo)
{
    auto& f = form();
    // PCFET and PSD both set: a state only the test can hold the chip in.
    board().chip().forceRegister(0x86, 0x0C);
    std::size_t from = logSize();
    f.cbPCFET.userClick();
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"89=00", "86=00"}));
    board().chip().releaseRegister(0x86);
    from = logSize();
    f.cbPCFET.userClick();
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"89=00", "86=04"}));
    EXPECT_EQ(f.cbPCFET.BackColor.get(), vb::kGreen);
}

TEST_F(FetsTest, SyncdToggleInvertsBothFetsInOneWrite)
{
    auto& f = form();
    setChipRegister(0x86, 0x03);
    std::size_t from = logSize();
    f.cmdFetTogSync.userClick();
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"86=00"}));
    EXPECT_EQ(f.cbCFET.BackColor.get(), vb::kRed);
    EXPECT_EQ(f.cbDFET.BackColor.get(), vb::kRed);
    from = logSize();
    f.cmdFetTogSync.userClick();
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"86=03"}));
    EXPECT_EQ(f.cbCFET.BackColor.get(), vb::kGreen);
    EXPECT_EQ(f.cbDFET.BackColor.get(), vb::kGreen);
}

TEST_F(FetsTest, FetButtonsAreBlockedDuringAutoScanButSyncdToggleIsNot)
{
    auto& f = form();
    setChipRegister(0x86, 0x03);
    startAutoScan();
    const std::size_t from = logSize();
    for (ui::CommandButton* b : {&f.cbCFET, &f.cbDFET, &f.cbPCFET})
        b->userClick();
    EXPECT_EQ(boxesWith(kBlocked), 3u);
    EXPECT_TRUE(writesOf(from).empty());
    f.cmdFetTogSync.userClick();
    EXPECT_EQ(fets() & 0x03, 0x00);
    stopAutoScan();
}

TEST_F(FetsTest, TickingAStepStartsTheTestAndClearingTheLastStopsIt)
{
    auto& f = form();
    setChipRegister(0x86, 0x03);
    watch(0x86);
    const auto start = rt.timeGetTime();
    f.ChkFetToggle[0].Value = 1;  // Toggle CFET
    EXPECT_TRUE(f.TMRDFET.active());
    std::vector<vb::Color> beats;
    for (int tick = 0; tick < 3; ++tick) {
        rt.runUntil([&] { return watched().size() == static_cast<std::size_t>(tick + 1); }, 1100);
        rt.runFor(20);
        beats.push_back(f.ShpFetDrive[0].FillColor.get());
    }
    ASSERT_EQ(watched().size(), 3u);
    // One toggle a second, CFET alternating.
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(static_cast<double>(watched()[i].ms - start), 1000.0 * static_cast<double>(i + 1), 10.0);
        EXPECT_EQ(watched()[i].value & 0x02, i % 2 == 0 ? 0 : 0x02);
    }
    EXPECT_EQ(beats, (std::vector<vb::Color>{vb::kGreen, vb::kDarkGreen, vb::kGreen}));

    f.ChkFetToggle[0].Value = 0;
    EXPECT_FALSE(f.TMRDFET.Enabled.get());
    rt.runFor(3000);
    EXPECT_EQ(watched().size(), 3u);
}

TEST_F(FetsTest, GoTakesTheIntervalAndStopEndsTheTest)
{
    auto& f = form();
    setChipRegister(0x86, 0x03);
    // Ticked before "Go": the box starts the test at the timer's current interval.
    f.ChkFetToggle[2].Value = 1;
    f.txtFetInterval[0].Text = "250";
    f.cmdFetGo[0].userClick();
    EXPECT_FALSE(f.cmdFetTogSync.Enabled.get());
    EXPECT_FALSE(f.cmdSetSleep.Enabled.get());
    EXPECT_EQ(f.TMRDFET.Interval.get(), 250);
    watch(0x86);
    rt.runFor(1010);
    EXPECT_EQ(watched().size(), 4u);  // one synchronous toggle every 250 ms

    f.cmdFetGo[1].userClick();
    EXPECT_FALSE(f.TMRDFET.Enabled.get());
    EXPECT_EQ(f.ShpFetDrive[0].FillColor.get(), vb::kBlack);
    EXPECT_TRUE(f.cmdFetTogSync.Enabled.get());
    EXPECT_TRUE(f.cmdSetSleep.Enabled.get());
    rt.runFor(1000);
    EXPECT_EQ(watched().size(), 4u);
}

TEST_F(FetsTest, GoWithABadIntervalOrNoStepDoesNotStart)
{
    auto& f = form();
    // No step ticked: the interval is taken, nothing starts.
    f.txtFetInterval[0].Text = "500.5";
    f.cmdFetGo[0].userClick();
    EXPECT_EQ(f.TMRDFET.Interval.get(), 500);  // halves to even
    EXPECT_FALSE(f.TMRDFET.Enabled.get());
    f.cmdFetGo[1].userClick();

    // Not a number: the interval stays and the test starts with it.
    f.ChkFetToggle[4].Value = 1;
    f.ChkFetToggle_Click(4);
    f.cmdFetGo[1].userClick();
    f.txtFetInterval[0].Text = "abc";
    f.cmdFetGo[0].userClick();
    EXPECT_EQ(f.TMRDFET.Interval.get(), 500);
    EXPECT_TRUE(f.TMRDFET.Enabled.get());
    EXPECT_TRUE(rt.boxes().empty());
    f.cmdFetGo[1].userClick();

    // Outside the timer's range: refused with a message, nothing changes.
    for (const char* text : {"0", "-20", "65536", "0.4"}) {
        rt.clearBoxes();
        f.txtFetInterval[0].Text = text;
        f.cmdFetGo[0].userClick();
        ASSERT_EQ(rt.boxes().size(), 1u) << text;
        EXPECT_EQ(rt.boxes()[0].prompt, "Interval mSec must be a number of milliseconds from 1 to 65535.");
        EXPECT_EQ(f.TMRDFET.Interval.get(), 500) << text;
        EXPECT_FALSE(f.TMRDFET.Enabled.get()) << text;
        EXPECT_TRUE(f.cmdFetTogSync.Enabled.get()) << text;
    }
    f.txtFetInterval[0].Text = "65535";
    f.cmdFetGo[0].userClick();
    EXPECT_EQ(f.TMRDFET.Interval.get(), 65535);
}

TEST_F(FetsTest, SleepAndStatusStepsPauseForTheReadStatusDelay)
{
    auto& f = form();
    f.ChkFetToggle[3].Value = 1;  // Set Sleep
    f.ChkFetToggle[4].Value = 1;  // Sample Status
    f.TMRDFET.Enabled = false;
    f.txtFetInterval[1].Text = "150";
    std::size_t from = logSize();
    auto start = rt.now();
    f.TMRDFET_Timer();
    // Sleep written, a pause, the status read; a pause, the status read again.
    EXPECT_GE(rt.now() - start, 300);
    EXPECT_LT(rt.now() - start, 360);
    const auto w = writesOf(from);
    EXPECT_NE(std::find(w.begin(), w.end(), "88=04"), w.end());
    EXPECT_EQ(f.LED[30].FillColor.get(), vb::kGreen);  // SLEEP shows
    EXPECT_EQ(f.ShpFetDrive[0].FillColor.get(), vb::kGreen);

    // A negative delay counts as none; text after the number is ignored.
    f.txtFetInterval[1].Text = "-50";
    start = rt.now();
    f.TMRDFET_Timer();
    EXPECT_LT(rt.now() - start, 60);
    EXPECT_EQ(f.ShpFetDrive[0].FillColor.get(), vb::kDarkGreen);
    f.txtFetInterval[1].Text = "40 ms";
    start = rt.now();
    f.TMRDFET_Timer();
    EXPECT_GE(rt.now() - start, 80);
    EXPECT_LT(rt.now() - start, 140);
}

TEST_F(FetsTest, SwitchedFetsShowInTheScanAndTheStatus)
{
    auto& f = form();
    f.cbReadV_Click();
    EXPECT_NEAR(boxValue(19), 500.0, 9.0);  // the load's current through DFET
    f.ReadStatus_Click();
    EXPECT_EQ(f.LED[19].FillColor.get(), vb::kGreen);  // discharging
    f.cbDFET.userClick();
    rt.runFor(100);
    f.cbReadV_Click();
    EXPECT_EQ(boxValue(19), 0.0);
    f.ReadStatus_Click();
    EXPECT_EQ(f.LED[19].FillColor.get(), vb::kWhite);
    EXPECT_EQ(f.cbDFET.BackColor.get(), vb::kRed);
}

TEST_F(FetsTest, ToggleWithSleepWakesTheChipEachTickAndSleepsItAgain)
{
    auto& f = form();
    f.ChkFetToggle[0].Value = 1;  // Toggle CFET
    f.ChkFetToggle[3].Value = 1;  // Set Sleep
    f.TMRDFET.Enabled = false;
    watch(0x86);
    for (int tick = 0; tick < 3; ++tick) {
        f.TMRDFET_Timer();
        // The first toggle switches CFET off; from then on sleep has switched
        // it off and the toggle switches it on, which wakes the chip...
        ASSERT_EQ(watched().size(), static_cast<std::size_t>(tick + 1));
        EXPECT_EQ(watched().back().value & 0x02, tick == 0 ? 0 : 0x02) << tick;
        // ...then sleep switched every FET off, as the status read shows.
        EXPECT_EQ(f.LED[30].FillColor.get(), vb::kGreen) << tick;
        EXPECT_EQ(f.cbCFET.BackColor.get(), vb::kRed) << tick;
        EXPECT_EQ(board().chip().peek(0x88), 0x04);
    }
}

TEST_F(FetsTest, MicrocontrollerButtonsSetAndClearTheHostFetBit)
{
    auto& f = form();
    f.ChkFetToggle[4].Value = 1;  // a running test
    f.cmdSetFetControl[0].userClick();  // UProc Does Fets
    EXPECT_EQ(board().chip().peek(0x87) & 0x40, 0x40);
    EXPECT_EQ(f.cbuCControl4[6].Value.get(), 1);
    EXPECT_TRUE(f.TMRDFET.Enabled.get());  // left running

    startAutoScan();
    EXPECT_TRUE(p().AutoScanActive);
    f.cmdSetFetControl[1].userClick();  // Clear Uproc Fet control
    EXPECT_FALSE(f.TMRDFET.Enabled.get());
    EXPECT_FALSE(p().AutoScanActive);
    EXPECT_EQ(f.cbAutoScan.Caption.get(), "Auto Scan START");
    EXPECT_EQ(board().chip().peek(0x87) & 0x40, 0);
    EXPECT_EQ(f.cbuCControl4[6].Value.get(), 0);
    rt.runFor(100);
    EXPECT_EQ(f.cbAutoScan.BackColor.get(), vb::kIdle);
}

}  // namespace
}  // namespace monitor_test
