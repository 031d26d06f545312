// The 14-bit run on the simulated board: readings, records, plot, registers,
// failures, and the run control around it.
#include <cmath>

#include "ADFormFixture.h"
#include "regmap/ChipRegisters.h"
#include "shell/Doco.h"
#include "sim/Chip.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace {

using adutil_test::ADFormTest;

class RunTest : public ADFormTest {
protected:
    RunTest() { holdPackStill(); }
    // Conversions of the result register the board took since index from.
    int resultReads(std::size_t from = 0)
    {
        int n = 0;
        for (const auto& r : reportsOf(usb::bridge::kCmdI2cRead, from))
            n += r[5] == chipreg::kMonitorResult;
        return n;
    }
    // Samples of the run begun at report index from (its first read is before the loop).
    void stopAfterSampleReads(int samples, std::size_t from)
    {
        stopWhen([this, samples, from] { return resultReads(from) - 1 >= samples; });
    }
    bool anyTracePixel()
    {
        for (vb::Color c : ad->picTrace1_1.pixels())
            if (c == vb::RGB(0, 0, 255))
                return true;
        return false;
    }
};

struct ChannelCase {
    int channel;
    double tolerance;
};

class ChannelRun : public RunTest, public ::testing::WithParamInterface<ChannelCase> {};

TEST_P(ChannelRun, ReadingsMatchThePackWithinTheConversionsRounding)
{
    const auto [channel, tolerance] = GetParam();
    sim::Chip& chip = board().chip();
    const sim::Chip::Pack& pack = chip.pack;
    double expected = 0;
    if (channel >= 1 && channel <= 8) {
        expected = pack.cellVolts[static_cast<std::size_t>(channel - 1)];
    } else if (channel == chipreg::kMonCurrent) {
        expected = -pack.loadCurrentMa * pack.shuntMilliohm / 1000.0;  // DFET on: the pack feeds its load
    } else if (channel == chipreg::kMonVbat) {
        for (double v : pack.cellVolts)
            expected += v;
    } else if (channel == chipreg::kMonVrgo) {
        expected = pack.regulatorVolts;
    } else if (channel == chipreg::kMonXTemp1) {
        expected = sim::Chip::thermistorVolts(pack.externalTempC[0]) * 2;  // 0.9 V input range
    }
    runChannel(channel, 6);

    auto& f = *ad;
    EXPECT_EQ(f.records.ReadingCount, 6);
    for (int r = 1; r <= 6; ++r)
        EXPECT_NEAR(f.records.CalcMvArray[static_cast<std::size_t>(r)], expected, tolerance) << "record " << r;
    EXPECT_EQ(f.lblADINput[1].Caption.get(), vb::Format(f.records.CalcMvArray[6], "##0.000000"));
    EXPECT_EQ(vb::HexValue(f.lblADINput[0].Caption.get()), f.records.RawCodeArray[6]);
    EXPECT_EQ(board().chip().peek(chipreg::kMonitor), 0x40 + channel);
    EXPECT_EQ(f.lblADMuxCtrl.Caption.get(), vb::Hex(0x40 + channel));
    EXPECT_EQ(f.Label4.Visible, channel == chipreg::kMonCurrent);
    EXPECT_TRUE(rt.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Channels, ChannelRun,
    ::testing::Values(ChannelCase{3, 14.4 / 24573}, ChannelCase{8, 14.4 / 24573},
        ChannelCase{chipreg::kMonCurrent, 0.002 + 1800.0 / 50 / 8191}, ChannelCase{chipreg::kMonVbat, 57.6 / 8191},
        ChannelCase{chipreg::kMonVrgo, 3.6 / 8191}, ChannelCase{chipreg::kMonXTemp1, 0.001 + 1.8 / 8191},
        ChannelCase{chipreg::kMonNone, 0}, ChannelCase{chipreg::kMonNone15, 0}),
    [](const ::testing::TestParamInfo<ChannelCase>& c) { return "Channel" + std::to_string(c.param.channel); });

TEST_F(RunTest, TheCurrentChannelFeedsTheChipFormsCurrentDisplay)
{
    runChannel(chipreg::kMonCurrent, 3);
    auto& f = *ad;
    auto& main = p().form<chip::KVN58C3_Main>();
    const double reading = f.records.CalcMvArray[3];
    EXPECT_EQ(main.VCELL[2].Text.get(), vb::Format(reading, "##0.000000"));
    // 1.0 milliohm shunt: mV / 0.001 ohm.
    EXPECT_EQ(main.VCELL[19].Text.get(), vb::Format(vb::Val(vb::Format(reading, "##0.000")) / 0.001, "##0.000"));
    EXPECT_EQ(f.lblUserGain.Caption.get(), main.VCELL[19].Text.get());
    EXPECT_EQ(main.VCELL[20].Text.get(), "50");
    EXPECT_EQ(f.Label3[0].Caption.get(), "LSB mV");
    EXPECT_EQ(f.lblADLSB[0].Caption.get(), vb::Format(1800.0 / 50 / 8191, "0.000000"));
}

TEST_F(RunTest, TheFirstSampleIsStoredButNotDrawn)
{
    runChannel(3, 1);
    auto& f = *ad;
    EXPECT_EQ(f.records.ReadingCount, 1);
    EXPECT_NEAR(f.records.CalcMvArray[1], 3.705, 0.001);
    EXPECT_EQ(f.records.CalcMvArray[2], 1.0);
    EXPECT_FALSE(anyTracePixel());
    EXPECT_EQ(f.wave.PlotX, 1);

    runChannel(3, 3);
    EXPECT_TRUE(anyTracePixel());
    EXPECT_EQ(f.wave.PlotX, 3);
}

TEST_F(RunTest, AfterAThousandSamplesTheLastRecordHoldsTheLatest)
{
    shown();
    board().chip().pack.noiseVolts = 0.0015;  // readings that differ
    stopAfterSampleReads(1004, board().log.size());
    ad->OptMuxSelect[2].userClick();
    auto& r = ad->records;
    EXPECT_EQ(r.ReadingCount, 1000);
    EXPECT_NEAR(r.CalcMvArray[1000], vb::Val(ad->lblADINput[1].Caption.get()), 5e-7);
    EXPECT_EQ(r.RawCodeArray[1000], vb::HexValue(ad->lblADINput[0].Caption.get()));
    EXPECT_NE(r.CalcMvArray[999], 1.0);
    EXPECT_EQ(r.CalcMvArray[0], 1.0);
    EXPECT_EQ(r.CalcMvArray[1001], 1.0);
    // The trace is full: the picture's width in columns.
    EXPECT_EQ(ad->wave.PlotX, 320);
    EXPECT_EQ(ad->lblReadCounter.Caption.get(), vb::Str(1005));
}

TEST_F(RunTest, AChipThatRefusesTheResultReadEndsTheRunWithOneNack)
{
    shown();
    const std::size_t from = board().log.size();
    // From the third sample on, the chip refuses only the result read.
    when([this, from] { return resultReads(from) == 3; },
        [this] {
            board().faults.nakRegister = chipreg::kMonitorResult;
            board().faults.nakRegisterCount = 1000;
        });
    // Only a safety net: the run must end on its own after the one box.
    stopWhen([this] { return rt.boxes().size() >= 3; });
    ad->OptMuxSelect[4].userClick();

    EXPECT_FALSE(p().LoopRunning);
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(rt.boxes()[0].prompt, "nack");
    // The samples read; none repeats an old code for the refused one.
    EXPECT_EQ(ad->records.ReadingCount, 2);
    EXPECT_EQ(board().chip().peek(chipreg::kUcControl), 0x00);
}

TEST_F(RunTest, AShuntThatIsNotANumberShowsErrNotTheLastCurrent)
{
    shown();
    auto& main = p().form<chip::KVN58C3_Main>();
    when([this] { return sampleCount() >= 2; }, [&main] { main.VCELL[21].Text = "abc"; });
    stopAfterSamples(4);
    ad->OptMuxSelect[chipreg::kMonCurrent].userClick();
    EXPECT_EQ(main.VCELL[19].Text.get(), "ERR");
    EXPECT_EQ(ad->lblUserGain.Caption.get(), "ERR");
}

TEST_F(RunTest, RetryAfterTheChipStopsAnsweringEndsTheRunWithOneBox)
{
    shown();
    const std::size_t from = board().log.size();
    when([this, from] { return resultReads(from) == 3; }, [this] { board().faults.nakAll = true; });
    rt.answerNext(ui::vbRetry);
    // Only a safety net: the run must end on its own after the one box.
    stopWhen([this] { return rt.boxes().size() >= 3; });
    ad->OptMuxSelect[4].userClick();

    EXPECT_FALSE(p().LoopRunning);
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(rt.boxes()[0].prompt.rfind("Invalid I2C address.", 0), 0u);
    // The samples before the failure; none after it.
    EXPECT_EQ(ad->records.ReadingCount, 2);
}

TEST_F(RunTest, ARunEndedByRetryStillHandsTheScanBackToTheChip)
{
    shown();
    const std::size_t from = board().log.size();
    // The channel selection of the third sample, and its quiet second try, not acknowledged.
    when([this, from] { return resultReads(from) == 2; },
        [this] {
            board().faults.nakRegister = chipreg::kMonitor;
            board().faults.nakRegisterCount = 2;
        });
    rt.answerNext(ui::vbRetry);
    stopWhen([this] { return rt.boxes().size() >= 3; });
    ad->OptMuxSelect[4].userClick();

    EXPECT_FALSE(p().LoopRunning);
    EXPECT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(writesOf(chipreg::kUcControl, from), (std::vector<int>{0x04, 0x00}));
    EXPECT_EQ(board().chip().peek(chipreg::kUcControl), 0x00);
}

TEST_F(RunTest, TheMicrocontrollerScanBitIsSetForTheRunOnly)
{
    shown();
    const std::size_t from = board().log.size();
    int during = -1;
    when([this] { return sampleCount() >= 2; }, [&] { during = board().chip().peek(chipreg::kUcControl); });
    stopAfterSamples(4);
    ad->OptMuxSelect[1].userClick();
    EXPECT_EQ(during, 0x04);
    EXPECT_EQ(board().chip().peek(chipreg::kUcControl), 0x00);
    EXPECT_EQ(writesOf(chipreg::kUcControl, from), (std::vector<int>{0x04, 0x00}));
    EXPECT_EQ(writesOf(chipreg::kMemoryMode, from), (std::vector<int>{0x00}));
    EXPECT_FALSE(p().LoopRunning);
    EXPECT_TRUE(ad->cmdCollectData2.Enabled);
    EXPECT_EQ(ad->SSCmdStop.ForeColor, vb::kBlack);
    EXPECT_TRUE(ad->frmDataRecord.Visible);
}

TEST_F(RunTest, TheChipsGainFieldSelectsItsButtonWithoutARestart)
{
    auto& f = shown();
    p().form<chip::KVN58C3_Main>().tbRegdata[chipreg::kMonitor].Text = "30";
    const std::size_t from = board().log.size();
    runChannel(chipreg::kMonCurrent, 2);
    EXPECT_TRUE(f.OptFDGain[4].Value);
    EXPECT_FALSE(f.OptFDGain[1].Value);
    EXPECT_EQ(p().form<chip::KVN58C3_Main>().VCELL[20].Text.get(), "500");
    EXPECT_EQ(writesOf(chipreg::kUcControl, from), (std::vector<int>{0x04, 0x00}));  // one run
    EXPECT_EQ(board().chip().peek(chipreg::kMonitor), 0x40 + 0x30 + chipreg::kMonCurrent);
}

TEST_F(RunTest, AChannelClickDuringARunRunsTheNewChannelInsideTheOld)
{
    shown();
    const std::size_t from = board().log.size();
    when([this] { return sampleCount() >= 3; },
        [this] {
            stopAfterSamples(4);
            ad->OptMuxSelect[5].userClick();
        });
    ad->OptMuxSelect[1].userClick();
    EXPECT_EQ(ad->run.MuxChannel, 5);
    EXPECT_EQ(writesOf(chipreg::kUcControl, from), (std::vector<int>{0x04, 0x04, 0x00, 0x00}));
    EXPECT_FALSE(p().LoopRunning);
    EXPECT_FALSE(ad->Timer_Instant.Enabled);
    EXPECT_NEAR(ad->records.CalcMvArray[4], board().chip().pack.cellVolts[4], 0.001);
}

TEST_F(RunTest, TheAutoRangeFollowsAStartAndTheInstantValueAverages)
{
    auto& f = shown();
    board().chip().pack.noiseVolts = 0.0015;
    stopWhen([this] { return rt.now() > 0 && ad->lblOPR[2].Caption.get().starts_with("Data Collection Running"); });
    f.OptMuxSelect[6].userClick();
    // 750 ms after the start: the span is five times the peak-to-peak seen.
    EXPECT_LT(f.scale.ScaleSpan, 1.0);
    EXPECT_FALSE(f.Batch_Timer.Enabled);
    EXPECT_NE(f.lblADInstant[1].Caption.get(), "----");
    EXPECT_NEAR(vb::Val(f.lblADInstant[1].Caption.get()), 3.703, 0.003);
    EXPECT_EQ(f.lblOPR[2].Caption.get(), "Data Collection Halted");
}

TEST_F(RunTest, TheChannelSelectionNamesTheChannelAndPromptsOnTheDiagramPage)
{
    runChannel(7, 2);
    auto& f = *ad;
    EXPECT_EQ(f.lblOPR[1].Caption.get(), f.OptMuxSelect[7].ToolTipText.get() + " Click Done to go to next Tab.");
    EXPECT_TRUE(f.cmdDoneTab1.Visible);
    EXPECT_EQ(f.lblMuxOut.Caption.get(), "CELL7");
    EXPECT_EQ(f.lblInstInput.Caption.get(), "CELL7");
    EXPECT_EQ(f.ShpMuxConnect[7].FillColor, vb::RGB(0, 0, 255));
    EXPECT_FALSE(f.ShpMuxConnect[7].Visible);
    EXPECT_EQ(p().form<chip::KVN58C3_Main>().tbVoltageMon.ListIndex, 7);
    EXPECT_FALSE(f.OptMuxSelect[7].Value);  // the stop leaves no channel selected
    EXPECT_EQ(f.lblOPR[2].Caption.get(), "Data Collection Halted");
}

TEST_F(RunTest, TraceLinesOfARun)
{
    launch();
    p().TraceOn = true;
    runChannel(7, 2);
    const std::string_view text = p().form<shell::Doco>().rtxt1.Text();
    EXPECT_NE(text.find("Connect KVN58C3 Mux to CELL7\r\n"), std::string::npos);
    EXPECT_NE(text.find("Data Collection Started 09:30:"), std::string::npos);
    EXPECT_NE(text.find(" Stopped 09:30:"), std::string::npos);
    EXPECT_NE(text.find("Measurement " + ad->lblADINput[0].Caption.get() + "   Record: Pk2Pk "), std::string::npos);
    EXPECT_NE(text.find("mV :Max "), std::string::npos);
}

TEST_F(RunTest, ReadingsOffTheScaleArePlottedAtItsEdgesAndTheStatusIsPolled)
{
    auto& f = shown();
    f.ChkPollStatus.userClick();
    const std::size_t from = board().log.size();
    int aboveRow = -1;
    when([this] { return sampleCount() >= 3; },
        [this] {
            ad->scale.ScaleTop = 1;  // cell 3 reads 3.7 V: above the top
            ad->scale.ScaleBottom = 0;
        });
    when([this] { return sampleCount() >= 6; },
        [&] {
            aboveRow = ad->wave.TraceY[2];  // the newest sample's row after its pass
            ad->scale.ScaleTop = 20;  // now below the bottom
            ad->scale.ScaleBottom = 10;
        });
    stopAfterSamples(9);
    f.OptMuxSelect[3].userClick();
    EXPECT_EQ(aboveRow, 1);
    EXPECT_EQ(f.wave.TraceY[2], f.picTrace1_1.Height - 4);
    int statusReads = 0;
    for (const auto& r : reportsOf(usb::bridge::kCmdI2cRead, from))
        statusReads += r[5] == chipreg::kStatus0;
    EXPECT_GE(statusReads, 9);
}

TEST_F(RunTest, PowerDownCreatesTheFormToStopIt)
{
    auto& main = launch();
    rt.answerNext(ui::vbOK);
    main.cbPower[3].userClick();
    ASSERT_TRUE(p().hasForm<adutil::frmADUtil>());
    EXPECT_TRUE(p().form<adutil::frmADUtil>().frmDataRecord.Visible);
    EXPECT_FALSE(p().form<adutil::frmADUtil>().Visible);
}

TEST_F(RunTest, ClosingTheFormDuringARunEndsTheRunFirst)
{
    shown();
    when([this] { return sampleCount() >= 3; }, [this] { ad->Unload(); });
    ad->OptMuxSelect[2].userClick();
    EXPECT_FALSE(ad->loaded());
    EXPECT_FALSE(ad->Visible);
    EXPECT_FALSE(p().LoopRunning);
    EXPECT_EQ(board().chip().peek(chipreg::kUcControl), 0x00);
}

TEST_F(RunTest, ReloadingAfterARunOnTheCurrentChannelStartsOneRun)
{
    runChannel(chipreg::kMonCurrent, 2);
    ad->Unload();
    const std::size_t from = board().log.size();
    stopAfterSampleReads(3, from);
    ad->Show();
    EXPECT_TRUE(ad->Visible);
    EXPECT_TRUE(ad->OptFDGain[1].Value);
    EXPECT_EQ(p().form<chip::KVN58C3_Main>().tbCurrentGain.ListIndex, 0);
    EXPECT_EQ(writesOf(chipreg::kUcControl, from), (std::vector<int>{0x04, 0x00}));
    EXPECT_EQ(board().chip().peek(chipreg::kMonitor), 0x40 + chipreg::kMonCurrent);
}

TEST_F(RunTest, LoadedAgainAfterAnUnloadTheFormStartsFromItsDesign)
{
    folder.write("BR549.csv", "");
    auto& f = shown();
    f.OptBits[0].userClick();
    std::size_t from = board().log.size();
    runChannel(3, 2);
    EXPECT_TRUE(writesOf(chipreg::kUcControl, from).empty());  // the 12-bit run leaves the chip's scan alone
    EXPECT_TRUE(f.frmDataRecord.Visible);

    f.Unload();
    f.Show();
    EXPECT_TRUE(f.OptBits[1].Value);
    EXPECT_FALSE(f.OptBits[0].Value);
    EXPECT_FALSE(f.frmDataRecord.Visible);
    EXPECT_FALSE(f.cmdGraphReadings.Visible);
    from = board().log.size();
    runChannel(3, 2);
    EXPECT_EQ(writesOf(chipreg::kUcControl, from), (std::vector<int>{0x04, 0x00}));
}

TEST_F(RunTest, TheResolutionChoiceStopsTheRunAndHidesTheStartButtons)
{
    folder.write("BR549.csv", "");
    auto& f = shown();
    EXPECT_TRUE(f.cmdCollectData2.Visible);
    when([this] { return sampleCount() >= 2; }, [this] { ad->OptBits[0].userClick(); });
    f.OptMuxSelect[1].userClick();
    EXPECT_FALSE(p().LoopRunning);
    EXPECT_FALSE(f.cmdCollectData2.Visible);
    EXPECT_FALSE(f.OptMuxSelect[1].Value);
}

}  // namespace
