// A failing operation shows one box: Retry in the not-acknowledged box returns
// to the GUI (the rest of a register loop, the scan and an auto scan end), and
// without a board each user action says so once. Indicators are never painted
// from values that were not read.
#include <gtest/gtest.h>

#include <functional>

#include "chip/MonitorFixture.h"

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

}  // namespace
}  // namespace monitor_test
