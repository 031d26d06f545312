// The measurement scan on the simulated board: block reads, boxes, bars,
// colours, cell rows, temperatures and the guards.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "chip/MonitorFixture.h"
#include "chip/ScanFormulas.h"
#include "vb/Format.h"

namespace monitor_test {
namespace {

using ScanTest = MonitorTest;
using chip::kCellAlarm;

std::string exact(double v)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

TEST_F(ScanTest, ThreeBlockReadsFillTheImageAndTheBoxes)
{
    auto& f = form();
    const std::size_t before = board().log.size();
    f.cbReadV_Click();
    EXPECT_EQ(readsOf(before), (std::vector<std::string>{"80/22", "96/22", "49/2"}));
    EXPECT_EQ(f.cbReadV.Caption.get(), "Read Voltages (Single)");
    EXPECT_EQ(f.cbReadV.BackColor.get(), vb::kIdle);
    EXPECT_EQ(f.cbRAMEnable.BackColor.get(), vb::kRunning);
    for (int r : {0x80, 0x86, 0x95, 0x96, 0xA9, 0x49, 0x4A})
        EXPECT_EQ(f.tbRegdata[r].Text.get(), usb::ByteToHex2(board().chip().peek(static_cast<std::uint8_t>(r)))) << r;
    // The simulated pack: 3.7 V cells, 500 mA through 1 mOhm, 27 degC inside, 25 degC on xT1.
    for (int b = 3; b <= 10; ++b)
        EXPECT_NEAR(boxValue(b), 3.70, 0.01) << b;
    EXPECT_EQ(box(0), vb::Format(chip::cellVolts(imageCode(0x8A)), "##0.000"));
    EXPECT_NEAR(boxValue(22), 8 * 3.70, 0.05);
    EXPECT_NEAR(boxValue(12), 25.0, 1.0);
    EXPECT_NEAR(boxValue(18), 27.0, 1.5);
    EXPECT_NEAR(boxValue(19), 500.0, 10.0);
    EXPECT_EQ(box(19), vb::Format(boxValue(2) / (1.0 * 0.001), "##0.000"));
    EXPECT_EQ(box(23), vb::Format(boxValue(1) - boxValue(0), "##.000"));
    EXPECT_EQ(box(21), "1.0");  // input only
    // Nothing connected on 0x84: balance indicators white; DFET and CFET on.
    EXPECT_EQ(f.cbLED[0].FillColor.get(), vb::kWhite);
    EXPECT_EQ(f.cbDFET.BackColor.get(), vb::kGreen);
    EXPECT_EQ(f.cbPCFET.BackColor.get(), vb::kRed);
}

TEST_F(ScanTest, CellExactlyAtTheThresholds)
{
    auto& f = form();
    f.cbReadV_Click();
    const int cell = imageCode(0x90);
    // UV threshold exactly at cell 1, OV far above, recovery levels around.
    setImageCode(0x00, 4000);
    setImageCode(0x02, 3900);
    setImageCode(0x04, cell);
    setImageCode(0x06, cell + 100);
    f.VCELL[3].BackColor = 0x123456;
    f.cbReadV_Click();
    EXPECT_EQ(f.ProgressBar1[3].Value.get(), 0.0);
    EXPECT_EQ(f.VCELL[3].BackColor.get(), 0x123456u);
    // OV threshold exactly at cell 1.
    setImageCode(0x00, cell);
    setImageCode(0x04, 100);
    setImageCode(0x06, 200);
    f.VCELL[3].BackColor = vb::kWhite;
    f.cbReadV_Click();
    EXPECT_EQ(f.ProgressBar1[3].Value.get(), 100.0);
    EXPECT_EQ(f.VCELL[3].BackColor.get(), kCellAlarm);
}

TEST_F(ScanTest, LowCellStaysRedUntilPastTheRecoveryLevel)
{
    auto& f = form();
    f.cbReadV_Click();
    // OV 4.2 / 4.1 V, UV 2.8 / 3.0 V.
    setImageCode(0x00, 3582);
    setImageCode(0x02, 3497);
    setImageCode(0x04, 2389);
    setImageCode(0x06, 2559);
    auto scanAt = [&](double volts) {
        board().chip().pack.cellVolts[1] = volts;
        rt.runFor(40);  // the chip's own scan picks it up
        f.cbReadV_Click();
        return f.VCELL[4].BackColor.get();
    };
    EXPECT_EQ(scanAt(3.5), vb::kWhite);
    EXPECT_EQ(scanAt(2.7), kCellAlarm);
    EXPECT_EQ(f.ProgressBar1[4].Value.get(), 0.0);
    EXPECT_EQ(scanAt(2.9), kCellAlarm);
    EXPECT_GT(f.ProgressBar1[4].Value.get(), 0.0);
    EXPECT_EQ(scanAt(3.1), vb::kWhite);
    // Over-voltage side: between recovery and threshold the colour is kept either way.
    EXPECT_EQ(scanAt(4.15), vb::kWhite);
    EXPECT_EQ(scanAt(4.25), kCellAlarm);
    EXPECT_EQ(f.ProgressBar1[4].Value.get(), 100.0);
    EXPECT_EQ(scanAt(4.15), kCellAlarm);
    EXPECT_EQ(scanAt(4.0), vb::kWhite);
}

TEST_F(ScanTest, CellRowsFollowTheCellCountRegister)
{
    auto& f = form();
    auto rowsShown = [&] {
        std::string s;
        for (int row = 3; row <= 10; ++row) {
            const bool v = f.VCELL[row].Visible;
            EXPECT_EQ(f.ProgressBar1[row].Visible.get(), v) << row;
            EXPECT_EQ(f.MinMax[row].Visible.get(), v) << row;
            EXPECT_EQ(f.CELL1[row].Visible.get(), v) << row;
            EXPECT_EQ(f.CELL[row].Visible.get(), v) << row;
            s += v ? '1' : '0';
        }
        return s;
    };
    auto scanWithCount = [&](std::uint8_t count) {
        setChipRegister(0x49, count);
        rt.runFor(40);
        f.cbReadV_Click();
    };
    scanWithCount(0x83);
    EXPECT_EQ(rowsShown(), "11000001");
    // The sum adds all eight boxes, the hidden ones included.
    double sum = 0;
    for (int b = 3; b <= 10; ++b)
        sum += boxValue(b);
    EXPECT_EQ(box(22), vb::Format(sum, "##0.000"));
    scanWithCount(0xC7);
    EXPECT_EQ(rowsShown(), "11100011");
    scanWithCount(0xFE);  // not a cell count: rows stay as they were
    EXPECT_EQ(f.tbRegdata[0x49].Text.get(), "FE");
    EXPECT_EQ(rowsShown(), "11100011");
    scanWithCount(0xFF);
    EXPECT_EQ(rowsShown(), "11111111");
}

TEST_F(ScanTest, GainBits30ReadAs500)
{
    auto& f = form();
    setChipRegister(0x85, 0x30);
    rt.runFor(40);
    f.cbReadV_Click();
    EXPECT_EQ(box(20), "500");
    EXPECT_EQ(box(2), vb::Format(imageCode(0x8E) / 500.0 * 1800 / 4095, "##0.000"));
    setChipRegister(0x85, 0x10);
    rt.runFor(40);
    f.cbReadV_Click();
    EXPECT_EQ(box(20), "5");
    EXPECT_EQ(box(2), vb::Format(imageCode(0x8E) / 5.0 * 1800 / 4095, "##0.000"));
}

TEST_F(ScanTest, ShuntThatIsZeroOrNotANumberGivesErr)
{
    auto& f = form();
    f.VCELL[21].Text = "0";
    f.cbReadV_Click();
    EXPECT_EQ(box(19), "ERR");
    EXPECT_GT(boxValue(2), 0.0);
    f.VCELL[21].Text = "one";
    f.cbReadV_Click();
    EXPECT_EQ(box(19), "ERR");
    f.VCELL[21].Text = "2";
    f.cbReadV_Click();
    EXPECT_NEAR(boxValue(19), 250.0, 5.0);
}

TEST_F(ScanTest, ThermistorLookupAtTheTableEnds)
{
    auto& f = form();
    f.cbReadV_Click();
    const double x = chip::externalVolts(imageCode(0xA2), false);
    ASSERT_EQ(box(16), vb::Format(x, "##0.000"));
    // Exactly on entry 13 (25 degC on the design table): exactly 25.
    f.ArrayVolts[13].Text = exact(x);
    f.cbReadV_Click();
    EXPECT_EQ(box(12), "25.0");
    // Above the first entry: the first temperature.
    f.ArrayVolts[0].Text = exact(x - 1e-6);
    f.cbReadV_Click();
    EXPECT_EQ(box(12), "-40.0");
    // At the last entry with every other one above: the last temperature.
    for (int i = 0; i < 33; ++i)
        f.ArrayVolts[i].Text = exact(1.7 - i * 0.01);
    f.ArrayVolts[33].Text = exact(x);
    f.cbReadV_Click();
    EXPECT_EQ(box(12), "125.0");
    f.ArrayVolts[33].Text = exact(x + 1e-6);
    f.cbReadV_Click();
    EXPECT_EQ(box(12), "125.0");
    // A table entry that is no number.
    f.ArrayTemp[20].Text = "n/a";
    f.cbReadV_Click();
    EXPECT_EQ(box(12), "ERR");
    EXPECT_EQ(box(13), "ERR");
    // Mended, the table counts again from the next scan.
    f.ArrayTemp[20].Text = "60";
    f.cbReadV_Click();
    EXPECT_EQ(box(12), "125.0");
}

TEST_F(ScanTest, TemperatureRangeBitOf4A)
{
    auto& f = form();
    for (std::uint8_t setup : {std::uint8_t{0x10}, std::uint8_t{0x00}}) {
        setChipRegister(0x4A, setup);
        rt.runFor(40);
        f.cbReadV_Click();
        const bool high = setup != 0;
        EXPECT_EQ(box(16), vb::Format(imageCode(0xA2) * (high ? 1.8 : 0.9) / 4095, "##0.000"));
        EXPECT_EQ(box(25), vb::Format(imageCode(0xA2) * 1.8 / 4095, "##0.000"));
        EXPECT_EQ(box(11), vb::Format(boxValue(24) / (high ? 0.92635 : 1.8527), "##0.000"));
        EXPECT_EQ(box(18), vb::Format(boxValue(24) / (high ? 0.92635 : 1.8527) * 1000 - 273.15, "##0.0"));
        // The chip scales its codes the same way, so the temperatures agree.
        EXPECT_NEAR(boxValue(18), 27.0, 1.5);
        EXPECT_NEAR(boxValue(12), 25.0, 1.0);
    }
}

TEST_F(ScanTest, WhilePackSettingsTransferRunsNoChipTraffic)
{
    auto& f = form();
    f.cbReadV_Click();
    f.cbWritePack.Caption = "Busy";
    setImageCode(0xA6, 0x1F00);  // high nibble beyond the 12 bits is ignored
    setImageCode(0xA8, 2048);
    f.tbRegdata[0x84].Text = "05";
    f.VCELL[3].Text = "1.000";
    const std::string cell2 = box(4);
    const std::size_t before = board().log.size();
    f.cbReadV_Click();
    EXPECT_EQ(board().log.size(), before);
    EXPECT_EQ(box(14), vb::Format(0xF00 * 57.6 / 4095, "##0.000"));
    EXPECT_EQ(box(15), vb::Format(2048 * 3.6 / 4095, "##0.000"));
    EXPECT_NEAR(boxValue(22), 1.0 + 7 * vb::Val(cell2), 0.05);
    EXPECT_EQ(f.cbLED[0].FillColor.get(), vb::kRed);
    EXPECT_EQ(f.cbLED[1].FillColor.get(), vb::kWhite);
    EXPECT_EQ(f.cbLED[2].FillColor.get(), vb::kRed);
    EXPECT_EQ(box(3), "1.000");
    EXPECT_EQ(f.cbReadV.Caption.get(), "Read Voltages (Single)");
}

TEST_F(ScanTest, UnacknowledgedBlockLeavesItsRegistersAsTheyWere)
{
    auto& f = form();
    f.cbReadV_Click();
    const std::string cell1 = f.tbRegdata[0x90].Text;
    f.tbRegdata[0xA0].Text = "5A";
    board().chip().pack.cellVolts[0] = 3.0;
    rt.runFor(40);
    // Once the memory-mode write has gone out, the next transfer (the first block
    // read) goes unanswered; Retry ends the scan there.
    const std::size_t sent = board().log.size();
    std::function<void()> armAfterModeWrite = [&] {
        if (board().log.size() > sent)
            board().faults.nakOnce = 1;
        else
            rt.after(1, armAfterModeWrite);
    };
    rt.after(0, armAfterModeWrite);
    rt.answerNext(ui::vbRetry);
    f.cbReadV_Click();
    ASSERT_TRUE(
        hasBox("Invalid I2C address. Press Retry to return to GUI and enter valid address or Cancel to close GUI."));
    EXPECT_EQ(f.tbRegdata[0x90].Text.get(), cell1);  // block 1 kept
    EXPECT_EQ(f.tbRegdata[0xA0].Text.get(), "5A");  // block 2 not read
    EXPECT_EQ(f.cbReadV.Caption.get(), "Read Voltages (Single)");
    EXPECT_EQ(f.cbReadV.BackColor.get(), vb::kIdle);
}

}  // namespace
}  // namespace monitor_test
