// A failing operation shows one box: Retry in the not-acknowledged box returns
// to the GUI (the rest of a register loop, the scan and an auto scan end), and
// without a board each user action says so once. Indicators are never painted
// from values that were not read. What is given up is the click or tick whose
// transfer failed: a loop it runs inside, other ticks and later clicks go on.
#include <gtest/gtest.h>

#include <functional>

#include "adutil/frmADUtil.h"
#include "chip/MonitorFixture.h"
#include "regmap/ChipRegisters.h"

namespace monitor_test {
namespace {

constexpr const char* kNakText =
    "Invalid I2C address. Press Retry to return to GUI and enter valid address or Cancel to close GUI.";
constexpr const char* kNoBoardText = "USB Device not connected!";

class OneBoxPerFailureTest : public MonitorTest {
protected:
    // Clicks a button as a user does; every box is answered Retry (or OK).
    void clickAnsweringRetry(ui::CommandButton& button)
    {
        rt.clearBoxes();
        for (int i = 0; i < 200; ++i)
            rt.answerNext(ui::vbRetry);
        button.userClick();
    }
    int boxesSaying(const char* text)
    {
        int n = 0;
        for (const auto& b : rt.boxes())
            n += b.prompt == text;
        return n;
    }
    void answerRetry()
    {
        for (int i = 0; i < 20; ++i)
            rt.answerNext(ui::vbRetry);
    }
    // The next n transfers that address reg are not acknowledged.
    void nakRegister(int reg, int n)
    {
        board().faults.nakRegister = reg;
        board().faults.nakRegisterCount = n;
    }
    // The outputs the cell-balance boxes show, as the bits of 0x84.
    int balanceBoxes()
    {
        int bits = 0;
        for (int i = 0; i < 8; ++i)
            bits |= form().cbuCControl1[i].Value.get() == 1 ? 1 << i : 0;
        return bits;
    }
    // I2C writes of reg since report index from.
    std::size_t writesTo(int reg, std::size_t from)
    {
        std::size_t n = 0;
        for (const auto& r : reportsOf(usb::bridge::kCmdI2cWrite, from))
            n += r[4] == reg;
        return n;
    }
    void unplug()
    {
        board().faults.unplugged = true;
        p().link().CloseHidHandles();
        p().link().UsbConnected = false;
    }
};

struct Loop {
    const char* name;
    std::function<ui::CommandButton&(chip::KVN58C3_Main&)> button;
};
const Loop kLoops[] = {
    {"Read All RAM", [](chip::KVN58C3_Main& f) -> ui::CommandButton& { return f.cbReadAllRAM; }},
    {"Read Config", [](chip::KVN58C3_Main& f) -> ui::CommandButton& { return f.cbReadPack; }},
    {"Write Config", [](chip::KVN58C3_Main& f) -> ui::CommandButton& { return f.cbWritePack; }},
    {"Restore Defaults", [](chip::KVN58C3_Main& f) -> ui::CommandButton& { return f.cmdRestoreDefaults; }},
    {"Set 8 Cells", [](chip::KVN58C3_Main& f) -> ui::CommandButton& { return f.cmdSet8; }},
    {"Read Status Bits", [](chip::KVN58C3_Main& f) -> ui::CommandButton& { return f.ReadStatus; }},
    {"Read Voltages", [](chip::KVN58C3_Main& f) -> ui::CommandButton& { return f.cbReadV; }},
};

TEST_F(OneBoxPerFailureTest, RetryEndsEveryRegisterLoopAfterOneBox)
{
    auto& f = form();
    board().faults.nakAll = true;
    for (const Loop& loop : kLoops) {
        SCOPED_TRACE(loop.name);
        ui::CommandButton& button = loop.button(f);
        const std::string caption = button.Caption;
        clickAnsweringRetry(button);
        EXPECT_EQ(rt.boxes().size(), 1u);
        EXPECT_EQ(boxesSaying(kNakText), 1);
        EXPECT_EQ(button.Caption.get(), caption);
        EXPECT_FALSE(p().I2CBusy);
        // The next click is a new operation: it may fail, once, again.
        clickAnsweringRetry(button);
        EXPECT_EQ(rt.boxes().size(), 1u);
    }
}

TEST_F(OneBoxPerFailureTest, RetryDuringAnAutoScanStopsIt)
{
    auto& f = form();
    f.cbAutoScan.userClick();
    rt.runFor(200);
    rt.clearBoxes();
    board().faults.nakAll = true;
    for (int i = 0; i < 200; ++i)
        rt.answerNext(ui::vbRetry);
    rt.runFor(3000);
    EXPECT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(boxesSaying(kNakText), 1);
    EXPECT_EQ(f.cbAutoScan.Caption.get(), "Auto Scan START");
    EXPECT_EQ(f.cbAutoScan.BackColor.get(), vb::kIdle);
    EXPECT_FALSE(f.Timer2.active());
    EXPECT_FALSE(p().AutoScanActive);
    EXPECT_TRUE(f.cbReadV.Enabled.get());
    // Started again once the chip answers, it runs as before.
    board().faults.nakAll = false;
    f.cbAutoScan.userClick();
    rt.runFor(200);
    EXPECT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(f.cbAutoScan.Caption.get(), "Auto Scan STOP");
}

TEST_F(OneBoxPerFailureTest, ARecordIsWrittenOnlyForAScanThatReadTheChip)
{
    auto& f = form();
    rt.chooseFile(folder.file("log.txt"));
    f.cbRecord.userClick();
    f.cbAutoScan.userClick();
    rt.runFor(100);
    const std::string before = folder.read("log.txt");
    board().faults.nakAll = true;
    for (int i = 0; i < 200; ++i)
        rt.answerNext(ui::vbRetry);
    rt.runFor(1000);
    EXPECT_EQ(folder.read("log.txt"), before);
    EXPECT_EQ(f.cbRecord.Caption.get(), "Logging STOP");  // the log stays on
}

TEST_F(OneBoxPerFailureTest, WithoutABoardEachActionSaysSoOnce)
{
    auto& f = form();
    unplug();
    for (const Loop& loop : kLoops) {
        SCOPED_TRACE(loop.name);
        clickAnsweringRetry(loop.button(f));
        EXPECT_EQ(rt.boxes().size(), 1u);
        EXPECT_EQ(boxesSaying(kNoBoardText), 1);
    }
    rt.clearBoxes();
    f.cbRead[0x49].userClick();
    f.cbWrite[0x49].userClick();
    EXPECT_EQ(boxesSaying(kNoBoardText), 2);
}

TEST_F(OneBoxPerFailureTest, IndicatorsAreNotPaintedFromValuesNotRead)
{
    auto& f = form();
    unplug();
    // The image still holds the design texts; 0x86 "0" would paint every FET off, 0x80-0x83 red.
    f.tbRegdata[0x80].Text = "FF";
    f.tbRegdata[0x86].Text = "07";
    const vb::Color pcfet = f.cbPCFET.BackColor;
    clickAnsweringRetry(f.ReadStatus);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(f.LED[i].FillColor.get(), vb::kWhite) << i;
    EXPECT_EQ(f.cbPCFET.BackColor.get(), pcfet);
    EXPECT_EQ(f.ReadStatus.Caption.get(), "Read Status Bits");
    clickAnsweringRetry(f.cbReadAllRAM);
    EXPECT_EQ(f.cbPCFET.BackColor.get(), pcfet);
    clickAnsweringRetry(f.cbReadV);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(f.LED[i].FillColor.get(), vb::kWhite) << i;
}

TEST_F(OneBoxPerFailureTest, RetryInTheCellBalanceWalkEndsItWithEveryOutputOff)
{
    auto& f = form();
    // Once CB3 is on, its read-back is not acknowledged: the chip drives CB3.
    bool armed = false;
    board().chip().onWrite = [&](std::uint8_t reg, std::uint8_t value, std::uint32_t) {
        if (reg == chipreg::kCellBalance && value == 0x04 && !armed) {
            armed = true;
            nakRegister(chipreg::kCellBalance, 1);
        }
    };
    // Only a safety net: the walk must end on its own after the one box.
    bool stopPressed = false;
    rt.after(20000, [&] {
        stopPressed = true;
        f.cmdStopTest.userClick();
    });
    clickAnsweringRetry(f.cmdCBTest);

    ASSERT_TRUE(armed);
    EXPECT_FALSE(stopPressed);
    EXPECT_EQ(rt.boxes().size(), 1u);
    EXPECT_FALSE(f.cmdStopTest.Visible.get());
    EXPECT_FALSE(p().LoopRunning);
    EXPECT_EQ(board().chip().peek(chipreg::kCellBalance), 0);
    EXPECT_EQ(balanceBoxes(), 0);
}

TEST_F(OneBoxPerFailureTest, ATickThatFailsInsideAnAcquisitionRunLeavesTheRunGoing)
{
    auto& f = form();
    auto& ad = p().form<adutil::frmADUtil>();
    ad.Show();
    f.ChkFetToggle[4].Value = 1;  // the FET test samples the status every second
    answerRetry();
    // One status read of the FET test is not acknowledged, 2.5 s into the run.
    rt.after(2500, [&] { nakRegister(chipreg::kStatusFirst, 1); });
    std::size_t resultReadsFrom = 0;
    rt.after(4000, [&] { resultReadsFrom = board().log.size(); });
    bool runningAtStop = false;
    rt.after(6000, [&] {
        runningAtStop = p().LoopRunning;
        ad.SSCmdStop.userClick();
    });
    ad.OptMuxSelect[chipreg::kMonCell1].userClick();  // returns when the run has ended

    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(rt.boxes()[0].prompt, kNakText);
    EXPECT_TRUE(runningAtStop);
    ASSERT_GT(resultReadsFrom, 0u);
    EXPECT_GT(readsSince(resultReadsFrom), 0u);
    // The tick's own operation, the FET test, ended with it.
    EXPECT_FALSE(f.TMRDFET.Enabled.get());
}

TEST_F(OneBoxPerFailureTest, AClickThatFailsDuringTheWalkGivesUpThatClickOnly)
{
    auto& f = form();
    f.ChkFetToggle[0].Value = 1;  // the FET test toggles CFET every second
    setChipRegister(0x49, 0x5A);
    f.tbRegdata[0x49].Text = "FF";
    answerRetry();
    std::size_t failedAt = 0;
    rt.after(1000, [&] {
        nakRegister(0x49, 1);
        f.cbRead[0x49].userClick();
        failedAt = board().log.size();
    });
    std::string readAfter;
    rt.after(3000, [&] {
        f.cbRead[0x49].userClick();
        readAfter = f.tbRegdata[0x49].Text;
    });
    rt.after(5000, [&] { f.cmdStopTest.userClick(); });
    f.cmdCBTest.userClick();

    EXPECT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(readAfter, "5A");
    ASSERT_GT(failedAt, 0u);
    // The walk and the FET test's ticks went on after the failure.
    EXPECT_GT(writesTo(chipreg::kCellBalance, failedAt), 8u);
    EXPECT_GT(writesTo(chipreg::kFetControl, failedAt), 2u);
    EXPECT_TRUE(f.TMRDFET.Enabled.get());
    EXPECT_EQ(board().chip().peek(chipreg::kCellBalance), 0);
    EXPECT_EQ(balanceBoxes(), 0);
}

}  // namespace
}  // namespace monitor_test
