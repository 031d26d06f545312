// The 12-bit run on the simulated board: the result pairs of the chip's own
// scan, read through the register image, recorded with their loop times and
// drawn through the same steps as the 14-bit run.
#include "ADFormFixture.h"
#include "chip/MonitorChannels.h"
#include "regmap/ChipRegisters.h"
#include "shell/Doco.h"
#include "sim/Chip.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace {

using adutil_test::ADFormTest;

class Run12Test : public ADFormTest {
protected:
    Run12Test() { holdPackStill(); }
    adutil::frmADUtil& twelveBit()
    {
        shown();
        ad->OptBits[0].Value = true;
        return *ad;
    }
    void force(int lowRegister, int code)
    {
        board().chip().forceRegister(static_cast<std::uint8_t>(lowRegister), static_cast<std::uint8_t>(code & 0xFF));
        board().chip().forceRegister(static_cast<std::uint8_t>(lowRegister + 1), static_cast<std::uint8_t>(code >> 8));
    }
    // Two-byte reads of a register since report index from.
    int pairReads(int reg, std::size_t from = 0)
    {
        int n = 0;
        for (const auto& r : reportsOf(usb::bridge::kCmdI2cRead, from))
            n += r[5] == reg && r[3] == 2;
        return n;
    }
    bool anyTracePixel()
    {
        for (vb::Color c : ad->picTrace1_1.pixels())
            if (c == vb::RGB(0, 0, 255))
                return true;
        return false;
    }
    chip::KVN58C3_Main& main() { return p().form<chip::KVN58C3_Main>(); }
};

TEST_F(Run12Test, TheNoneChannelsReadTheFirstTwoRegistersAndShowZero)
{
    for (int channel : {chipreg::kMonNone, chipreg::kMonNone15}) {
        auto& f = twelveBit();
        f.lblADLSB[0].Caption = "as before";
        main().tbRegdata[0x00].Text = "zz";
        main().tbRegdata[0x01].Text = "zz";
        const std::size_t from = board().log.size();
        runChannel(channel, 4);
        EXPECT_EQ(pairReads(0x00, from), 5) << channel;  // the first reading and four passes
        EXPECT_EQ(main().tbRegdata[0x00].Text.get(), usb::ByteToHex2(board().chip().peek(0x00)));
        EXPECT_EQ(main().tbRegdata[0x01].Text.get(), usb::ByteToHex2(board().chip().peek(0x01)));
        EXPECT_EQ(f.records.ReadingCount, 4);
        for (int r = 1; r <= 4; ++r)
            EXPECT_EQ(f.records.CalcMvArray[static_cast<std::size_t>(r)], 0.0);
        EXPECT_EQ(f.lblADINput[1].Caption.get(), "0.000000");
        EXPECT_EQ(f.lblpkpk[2].Caption.get(), "0.00000");
        EXPECT_EQ(f.lblpkpk[3].Caption.get(), "0.00000");
        EXPECT_EQ(f.lblADLSB[0].Caption.get(), "as before");
        EXPECT_TRUE(rt.boxes().empty());
    }
}

struct PairCase {
    int channel;
    int code;
    int scanBox;  // the chip form's reading box of the same pair
};

class PairRun : public Run12Test, public ::testing::WithParamInterface<PairCase> {};

TEST_P(PairRun, ReadingsAgreeWithTheChipFormsScanOfThePair)
{
    const auto [channel, code, scanBox] = GetParam();
    const int reg = chip::scanResultRegister(channel);
    force(reg, code);
    auto& f = twelveBit();
    const std::size_t from = board().log.size();
    runChannel(channel, 3);
    EXPECT_EQ(pairReads(reg, from), 4);
    EXPECT_EQ(f.lblADINput[0].Caption.get(), vb::Hex(code));
    EXPECT_EQ(f.records.RawCodeArray[3], code);
    EXPECT_EQ(main().tbRegdata[reg].Text.get(), usb::ByteToHex2(static_cast<std::uint8_t>(code & 0xFF)));
    // The run set the monitor (channel and start bit) and left 0x87 alone.
    EXPECT_EQ(board().chip().peek(chipreg::kMonitor), 0x40 + channel);
    EXPECT_TRUE(writesOf(chipreg::kUcControl, from).empty());

    main().cbReadV_Click();
    EXPECT_EQ(vb::Format(f.records.CalcMvArray[3], "##0.000"), main().VCELL[scanBox].Text.get());
    EXPECT_TRUE(rt.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Channels, PairRun,
    ::testing::Values(PairCase{1, 3167, 3}, PairCase{8, 3080, 10}, PairCase{chipreg::kMonCurrent, 1234, 2},
        PairCase{chipreg::kMonVbat, 2103, 14}, PairCase{chipreg::kMonVrgo, 3754, 15},
        PairCase{chipreg::kMonXTemp1, 911, 25}, PairCase{chipreg::kMonXTemp2, 1800, 26},
        PairCase{chipreg::kMonIntTemp, 2711, 24}),
    [](const ::testing::TestParamInfo<PairCase>& c) { return "Channel" + std::to_string(c.param.channel); });

TEST_F(Run12Test, TheLsbAndUnitOfEachChannel)
{
    auto& f = twelveBit();
    runChannel(5, 2);
    EXPECT_EQ(f.lblADLSB[0].Caption.get(), vb::Format(14.4 / 12285, "0.000000"));
    runChannel(chipreg::kMonVbat, 2);
    EXPECT_EQ(f.lblADLSB[0].Caption.get(), vb::Format(57.6 / 4095, "0.000000"));
    main().tbRegdata[chipreg::kMonitor].Text = "10";
    runChannel(chipreg::kMonCurrent, 2);
    EXPECT_EQ(f.lblADLSB[0].Caption.get(), vb::Format(1800.0 / 5 / 4095, "0.000000"));
    EXPECT_EQ(f.Label3[0].Caption.get(), "LSB mV");
    EXPECT_TRUE(f.OptFDGain[2].Value);
    EXPECT_EQ(main().VCELL[20].Text.get(), "5");
}

TEST_F(Run12Test, ACurrentCodeFrom8192UpIsNegative)
{
    force(chipreg::kCurrentSense, 0x3FFF);
    auto& f = twelveBit();
    runChannel(chipreg::kMonCurrent, 2);
    EXPECT_DOUBLE_EQ(f.records.CalcMvArray[2], -1.0 / 50 * 1800 / 4095);
    EXPECT_EQ(f.records.RawCodeArray[2], 0x3FFF);
    EXPECT_EQ(f.lblADINput[0].Caption.get(), "3FFF");
    EXPECT_EQ(f.lblADINput[1].Caption.get(), "-0.008791");
    // The run's own sign stays in the chip form's current box (1.0 milliohm).
    EXPECT_EQ(main().VCELL[19].Text.get(), "-9.000");
    EXPECT_EQ(f.lblUserGain.Caption.get(), "-9.000");
    EXPECT_EQ(main().VCELL[2].Text.get(), "-0.008791");
    EXPECT_TRUE(f.Label4.Visible);
    // The calculator itself takes the pair unsigned.
    EXPECT_EQ(f.txtCalcCurrent[0].Text.get(), "50");

    force(chipreg::kCurrentSense, 0x2000);
    runChannel(chipreg::kMonCurrent, 2);
    EXPECT_DOUBLE_EQ(f.records.CalcMvArray[2], -8192.0 / 50 * 1800 / 4095);
    force(chipreg::kCurrentSense, 0x1FFF);
    runChannel(chipreg::kMonCurrent, 2);
    EXPECT_DOUBLE_EQ(f.records.CalcMvArray[2], 8191.0 / 50 * 1800 / 4095);
}

TEST_F(Run12Test, AZeroShuntShowsErrInTheCurrentBoxes)
{
    auto& f = twelveBit();
    main().VCELL[21].Text = "0";
    runChannel(chipreg::kMonCurrent, 3);
    EXPECT_EQ(main().VCELL[19].Text.get(), "ERR");
    EXPECT_EQ(f.txtCalcCurrent[2].Text.get(), "ERR");
    EXPECT_EQ(f.lblUserGain.Caption.get(), "ERR");
    EXPECT_EQ(f.records.ReadingCount, 3);
    EXPECT_TRUE(rt.boxes().empty());
}

TEST_F(Run12Test, NeitherTheFirstReadingNorTheFirstPassIsDrawn)
{
    auto& f = twelveBit();
    runChannel(3, 1);
    EXPECT_EQ(f.records.ReadingCount, 1);
    EXPECT_NEAR(f.records.CalcMvArray[1], 3.705, 0.002);
    EXPECT_EQ(f.records.CalcMvArray[2], 1.0);
    EXPECT_FALSE(anyTracePixel());
    EXPECT_EQ(f.wave.PlotX, 1);

    runChannel(3, 3);
    EXPECT_TRUE(anyTracePixel());
    EXPECT_EQ(f.wave.PlotX, 3);
    EXPECT_EQ(f.run.SampleCycle, 3);
}

TEST_F(Run12Test, AThousandRecordsThenTheLatestInTheLastWithItsLoopTime)
{
    auto& f = twelveBit();
    board().chip().pack.noiseVolts = 0.003;
    stopWhen([this] { return vb::Val(ad->lblReadCounter.Caption.get()) > 1003; });
    f.OptMuxSelect[2].userClick();
    auto& r = f.records;
    EXPECT_EQ(r.ReadingCount, 1000);
    EXPECT_NEAR(r.CalcMvArray[1000], vb::Val(f.lblADINput[1].Caption.get()), 5e-7);
    EXPECT_EQ(r.RawCodeArray[1000], vb::HexValue(f.lblADINput[0].Caption.get()));
    EXPECT_EQ(r.CalcMvArray[1001], 1.0);
    EXPECT_EQ(f.wave.PlotX, 320);
    // The 12-bit count does not wrap at 160 (the auto range restarted it once).
    EXPECT_GT(f.run.SampleCycle, 160);
    // Every pass but the stopped one has its loop time; a pass takes at least 1 ms.
    for (int i = 1; i < 1000; ++i)
        ASSERT_GE(vb::Val(r.ReadingTimeText[static_cast<std::size_t>(i)]), 1) << i;
}

TEST_F(Run12Test, LoopTimesAreRecordedAndAPassStoppedEarlyHasNone)
{
    auto& f = twelveBit();
    runChannel(4, 5);
    auto& r = f.records;
    ASSERT_EQ(r.ReadingCount, 5);
    for (int i = 1; i <= 4; ++i) {
        const std::string& t = r.ReadingTimeText[static_cast<std::size_t>(i)];
        EXPECT_EQ(t, vb::Str(static_cast<long>(vb::Val(t)))) << i;
        EXPECT_GE(vb::Val(t), 1) << i;
    }
    EXPECT_EQ(r.ReadingTimeText[5], "");  // Stop came inside the last pass
    EXPECT_EQ(f.lblLoopTime.Caption.get(), r.ReadingTimeText[4]);
    EXPECT_EQ(f.lbltdiv.Caption.get(), vb::Format(vb::Val(r.ReadingTimeText[4]) * 32, "#0.00"));
}

TEST_F(Run12Test, TheMeasurementFileCarriesTheLoopTimes)
{
    force(chipreg::cellRegister(1), 3167);
    auto& f = twelveBit();
    runChannel(1, 20);
    f.txtFilePath.Text = folder.file("cell1.txt");
    f.cmdStartRec.userClick();
    const std::string text = folder.read("cell1.txt");
    const std::string first = "KVN58C3 AD Data:CELL1, 1,3.712234, 3167," + f.records.ReadingTimeText[1] + "\r\n";
    EXPECT_NE(text.find(first), std::string::npos) << first;
    EXPECT_EQ(f.records.ReadingTimeText[1].substr(0, 1), " ");
    EXPECT_NE(text.find("KVN58C3 AD Data:CELL1, 20,3.712234, 3167,\r\nEND KVN58C3 AD Data\r\n"), std::string::npos);
}

TEST_F(Run12Test, StartAndEndOfARun)
{
    launch();
    p().TraceOn = true;
    auto& f = twelveBit();
    bool timer1 = false, stopRed = false, recordHidden = false;
    when([this] { return sampleCount() >= 2; },
        [&] {
            timer1 = ad->Timer1.Enabled;
            stopRed = ad->SSCmdStop.ForeColor == vb::kRed;
            recordHidden = !ad->frmDataRecord.Visible;
        });
    runChannel(6, 3);
    EXPECT_TRUE(timer1);
    EXPECT_TRUE(stopRed);
    EXPECT_TRUE(recordHidden);
    EXPECT_TRUE(f.run.AcqStarted);
    EXPECT_FALSE(p().LoopRunning);
    EXPECT_FALSE(f.Timer_Instant.Enabled);
    EXPECT_FALSE(f.Timer1.Enabled);
    EXPECT_TRUE(f.cmdGraphReadings.Enabled);
    EXPECT_TRUE(f.cmdCollectData2.Enabled);
    EXPECT_TRUE(f.frmDataRecord.Visible);
    EXPECT_EQ(f.lblADMuxCtrl.Caption.get(), "46");
    const std::string_view text = p().form<shell::Doco>().rtxt1.Text();
    EXPECT_EQ(text.find("Data Collection Started"), std::string::npos);
    EXPECT_NE(text.find("Measurement " + f.lblADINput[0].Caption.get() + "   \r\nRecord: Pk2Pk " +
                  f.lblpkpk[1].Caption.get() + "mV :Max " + f.lblpkpk[2].Caption.get() + " :Min " +
                  f.lblpkpk[3].Caption.get() + "\r\n"),
        std::string::npos);
}

TEST_F(Run12Test, TheGainButtonRestartsATwelveBitRunOnTheCurrentChannel)
{
    auto& f = twelveBit();
    const std::size_t from = board().log.size();
    when([this] { return sampleCount() >= 2; },
        [this] {
            stopAfterSamples(2);
            ad->OptFDGain[3].userClick();
        });
    f.OptMuxSelect[chipreg::kMonCurrent].userClick();
    EXPECT_EQ(board().chip().peek(chipreg::kMonitor) & chipreg::kMonitorGainMask, 0x20);
    EXPECT_EQ(main().VCELL[20].Text.get(), "500");
    EXPECT_GE(pairReads(chipreg::kCurrentSense, from), 6);
    EXPECT_FALSE(p().LoopRunning);
}

// Power down chosen on the chip form inside a pass, after its waits and just
// before its transfer: the run ends without touching the switched-off bus.
class PowerDownInAPass : public Run12Test, public ::testing::WithParamInterface<bool> {};

TEST_P(PowerDownInAPass, EndsTheRunWithoutABoxFromTheDeadBus)
{
    const bool twelve = GetParam();
    auto& f = shown();
    if (twelve)
        f.OptBits[0].Value = true;
    const std::size_t from = board().log.size();
    auto beforeTransfer = [this, twelve] {
        if (!p().LoopRunning || sampleCount() < 2)
            return false;
        if (twelve)
            return p().I2CBusy;  // the pass holds the path for its read
        const auto& last = board().log.back();
        return last[usb::bridge::kCommandByte] == usb::bridge::kCmdI2cWrite && last[4] == chipreg::kMonitor;
    };
    bool fired = false;
    when(beforeTransfer, [&] {
        fired = true;
        rt.answerNext(ui::vbOK);
        main().cbPower[3].userClick();
    });
    f.OptMuxSelect[3].userClick();
    ASSERT_TRUE(fired);
    EXPECT_FALSE(p().LoopRunning);
    EXPECT_FALSE(p().I2CBusy);
    EXPECT_FALSE(board().bridge().crossbarOn());
    ASSERT_EQ(rt.boxes().size(), 1u) << rt.boxes().back().prompt;  // only the question
    EXPECT_TRUE(f.cmdCollectData2.Enabled);
    // The 14-bit run's 0x87 stays as the run set it: the chip is powered down.
    EXPECT_EQ(writesOf(chipreg::kUcControl, from), twelve ? std::vector<int>{} : std::vector<int>{0x04});
}

INSTANTIATE_TEST_SUITE_P(Resolutions, PowerDownInAPass, ::testing::Bool(),
    [](const ::testing::TestParamInfo<bool>& b) { return b.param ? "TwelveBit" : "FourteenBit"; });

// Stop pressed inside a pass, after its reading and before its status polls:
// the pass still polls, twice in the 12-bit run and once in the 14-bit run.
using StopInAPass = PowerDownInAPass;

TEST_P(StopInAPass, KeepsThePassesStatusPolls)
{
    const bool twelve = GetParam();
    auto& f = shown();
    if (twelve)
        f.OptBits[0].Value = true;
    f.ChkPollStatus.Value = 1;
    const std::size_t from = board().log.size();
    // A pass's reading read (the last transfer a two-byte read) and not yet stored.
    stopWhen([this] {
        const auto& last = board().log.back();
        const bool pairRead = last[usb::bridge::kCommandByte] == usb::bridge::kCmdI2cRead && last[3] == 2;
        return pairRead && ad->records.ReadingCount >= 2 && sampleCount() == ad->records.ReadingCount;
    });
    f.OptMuxSelect[3].userClick();
    int statusReads = 0;
    for (const auto& r : reportsOf(usb::bridge::kCmdI2cRead, from))
        statusReads += r[5] == chipreg::kStatus0;
    EXPECT_EQ(statusReads, (twelve ? 2 : 1) * f.records.ReadingCount);
    EXPECT_GE(f.records.ReadingCount, 2);
}

INSTANTIATE_TEST_SUITE_P(Resolutions, StopInAPass, ::testing::Bool(),
    [](const ::testing::TestParamInfo<bool>& b) { return b.param ? "TwelveBit" : "FourteenBit"; });

}  // namespace
