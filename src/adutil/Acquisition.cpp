// What both acquisition runs do: the run's frame (start, passes until a stop,
// end), and the steps of a pass after the reading is in: the current display,
// the record, the peaks, the scope and the plot, the counts and loop time.
// Acquisition14.cpp and Acquisition12.cpp take the readings.
#include <algorithm>
#include <limits>

#include "adutil/AcquisitionPass.h"
#include "chip/ChipAccess.h"
#include "chip/ReadingBoxes.h"
#include "chip/ScanFormulas.h"
#include "regmap/ChipRegisters.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace adutil {

using namespace chipreg;

namespace {
// Gain buttons by the gain field: field value i is button i + 1.
constexpr int gainButtonOf(long monitor) { return gainIndexOf(monitor) + 1; }
// The 14-bit run's sample count wraps here; the 12-bit run's stops at its integer's top.
constexpr int kSampleCycleWrap = 160;
constexpr int kSampleCycleTop = std::numeric_limits<std::int16_t>::max();
}  // namespace

void frmADUtil::runAcquisition(Sample& s)
{
    // A run started from the form's own load must not go on unseen: the Stop
    // button is the only way out.
    if (!Visible)
        Show();
    startSampling(s);
    while (p.LoopRunning) {
        takeSample(s);
        // A failure answered with "return to the GUI" gives up the rest of this
        // event's transfers: going on would only say "nack" at every sample.
        if (rt().operationAbandoned())
            SSCmdStop_Click();
    }
    endSampling(s);
}

void frmADUtil::startSampling(Sample& s)
{
    const chip::ChipAccess chipForm = chip::ChipAccess::of(p);
    run.AcqStarted = s.twelveBit();  // the current calculator reads the 12-bit results only
    run.AvgCount = 0;
    run.AvgSum = 0;
    p.AbortDataCollect = false;

    frmDataRecord.Visible = false;
    Label4.Visible = false;
    lblUserGain.Visible = false;
    cmdCollectData2.Enabled = false;
    cmdGraphReadings.Enabled = false;
    SSCmdStop.ForeColor = vb::kRed;

    const long gainBits = chipForm.registers().value(kMonitor) & kMonitorGainMask;
    s.gain = currentGainOf(gainBits);
    markGainOption(gainButtonOf(gainBits));
    chipForm.reading(chip::reading::kGain).Text = vb::CStr(s.gain);

    labels.PlotWidth = picTrace1_1.Width;
    labels.PlotHeight = picTrace1_1.Height - 4;

    // The chip form's monitor channel with the start bit; the gain field stays.
    chipForm.writeMonitorChannel();
    lblADMuxCtrl.Caption = chipForm.read(kMonitor);

    if (s.twelveBit())
        firstReading12(s);
    else
        firstReading14(s);
    if (!run.PromptsOff)
        lblOPR[2].Caption = "Click 'Stop' button when finished with graphing.";
    cmdCollectData2.Enabled = false;
    cmdGraphReadings.Enabled = false;

    scale.PeakMax = kPeakResetMax;
    scale.PeakMin = kPeakResetMin;
    labels.PlotTitle = "Output1";
    for (int i = 0; i <= std::min(picTrace1_1.Width, PixelArray::kLast); ++i)
        wave.TraceY[static_cast<std::size_t>(i)] = 1;
    wave.RestoreBackground(picTrace1_1);
    wave.PlotX = 1;
    run.SampleCycle = 0;
    records.clearForRun();

    s.passStart = rt().timeGetTime();
    s.nextPass = s.passStart + 1;
    p.LoopRunning = true;
    rt().DoEvents();
    Timer_Instant.Enabled = true;
    lblReadCounter.Caption = "1";
    s.counter = 1;
    if (s.twelveBit() && !run.PromptsOff)
        Timer1.Enabled = true;
}

void frmADUtil::showFirstReading(const Sample& s, std::optional<double> step)
{
    if (step)
        lblADLSB[0].Caption = vb::Format(*step, "0.000000");
    if (run.MuxChannel == kMonCurrent) {
        if (s.twelveBit())
            cmdCalCurrent_Click();
        Label4.Visible = true;
        lblUserGain.Visible = true;
    }
    lblADINput[1].Caption = vb::Format(s.reading, "##0.000000");
}

void frmADUtil::takeSample(Sample& s)
{
    const bool twelve = s.twelveBit();
    // A stop inside the read's own waits (power down switches the bus off)
    // leaves nothing to read.
    if (!(twelve ? readSample12(s) : readSample14(s)))
        return;
    if (run.MuxChannel == kMonCurrent)
        showCurrent(s);
    lblADINput[1].Caption = vb::Format(s.reading, "##0.000000");
    rt().DoEvents();

    records.store(s.reading, static_cast<double>(s.code));
    if (s.reading > scale.PeakMax)
        scale.PeakMax = s.reading;
    if (s.reading < scale.PeakMin)
        scale.PeakMin = s.reading;
    lblpkpk[1].Caption = vb::Format(scale.PeakMax - scale.PeakMin, "##0.0000");
    lblpkpk[2].Caption = vb::Format(scale.PeakMax, "###0.00000");
    lblpkpk[3].Caption = vb::Format(scale.PeakMin, "###0.00000");

    scale.ScaleSpan = scale.ScaleTop - scale.ScaleBottom;
    labels.PlotWidth = picTrace1_1.Width;
    labels.PlotHeight = picTrace1_1.Height - 4;
    lblRangeValues[0].Caption = vb::Str(scale.ScaleBottom);
    lblRangeValues[1].Caption = vb::Str(scale.ScaleTop);
    lblRangeValues[2].Caption = vb::Str(scale.ScaleSpan);
    if (twelve)
        rt().DoEvents();
    if (ChkEnableGraph.Value == 1)
        plotReading(s.reading);

    // The 12-bit run counts before its status poll, the 14-bit run after it.
    if (twelve)
        countPass(s);
    pollStatus();
    rt().DoEvents();
    if (!twelve)
        countPass(s);
    if (p.LoopRunning)
        timePass(s);
    if (!twelve)
        lblReadCounter.Caption = "1";
    ++s.counter;
    lblReadCounter.Caption = vb::Str(s.counter);
    ++run.AvgCount;
    run.AvgSum += s.reading;
    if (twelve) {
        pollStatus();
        rt().DoEvents();
    }
    Timer_Instant.Enabled = true;
}

void frmADUtil::showCurrent(const Sample& s)
{
    // The chip form's current display follows every reading of the current channel.
    const chip::ChipAccess chipForm = chip::ChipAccess::of(p);
    if (s.twelveBit())
        cmdCalCurrent_Click();
    txtCalcCurrent[2].Text = vb::Format(s.reading, chip::kVoltsPattern);
    // No shunt to divide by shows "ERR", never the last current as if it were this one.
    chipForm.reading(chip::reading::kCurrent).Text =
        chip::currentText(txtCalcCurrent[2].Text.get(), chipForm.reading(chip::reading::kShunt).Text.get());
    txtCalcCurrent[2].Text = chipForm.reading(chip::reading::kCurrent).Text.get();
    lblUserGain.Caption = txtCalcCurrent[2].Text.get();
    chipForm.reading(chip::reading::kSense).Text = vb::Format(s.reading, "##0.000000");
}

void frmADUtil::plotReading(double reading)
{
    const int height = labels.PlotHeight;
    auto& row = wave.TraceY[1];
    if (scale.ScaleSpan != 0)  // a zero span leaves the row as it was
        row = vb::CLng(height - (height / scale.ScaleSpan) * (reading - scale.ScaleBottom));
    if (row >= height)
        row = height;
    if (row < 1)
        row = 1;
    if (run.SampleCycle > 0) {
        wave.TraceColorR = 0;
        wave.TraceColorB = 255;
        wave.DrawScrollingTrace(picTrace1_1, wave.PlotX);
        if (picTrace1_1.Width > wave.PlotX)
            ++wave.PlotX;
        else
            rt().Sleep(1);
    }
}

void frmADUtil::pollStatus()
{
    // A stop still gets this pass's polls; not over a bus power down has switched off.
    if (ChkPollStatus.Value == 1 && p.XbarEnabled)
        chip::ChipAccess::of(p).readStatus();
}

void frmADUtil::countPass(const Sample& s)
{
    if (s.twelveBit()) {
        if (run.SampleCycle < kSampleCycleTop)
            ++run.SampleCycle;
    } else {
        if (run.SampleCycle == kSampleCycleWrap)
            run.SampleCycle = 0;
        ++run.SampleCycle;
    }
    records.countReading();
}

void frmADUtil::timePass(Sample& s)
{
    const std::uint32_t now = rt().timeGetTime();
    s.nextPass = now + 1;
    const long elapsed = static_cast<long>(now - s.passStart);
    lblLoopTime.Caption = vb::Str(elapsed);
    lbltdiv.Caption = vb::Format(static_cast<double>(elapsed) * 320 / kDivisions, "#0.00");
    // The 12-bit run keeps each reading's loop time with its record.
    if (s.twelveBit())
        records.ReadingTimeText[static_cast<std::size_t>(records.ReadingCount)] = lblLoopTime.Caption.get();
    s.passStart = now;
}

void frmADUtil::endSampling(const Sample& s)
{
    const chip::ChipAccess chipForm = chip::ChipAccess::of(p);
    Timer_Instant.Enabled = false;
    rt().DoEvents();
    // The 14-bit run hands the scan back to the chip; not over a bus power
    // down has switched off, where the write could only fail.
    if (!s.twelveBit() && p.XbarEnabled)
        chipForm.restore(kUcControl, 0);
    if (p.TraceOn) {
        p.trace(p.TraceIndent1 + " Stopped " + vb::TimeText(rt().Now()));
        p.trace("\r\n");
        p.trace(p.TraceIndent1 + p.TraceIndent2 + "Measurement " + lblADINput[0].Caption.get() + "   ");
        if (s.twelveBit())
            p.trace("\r\n");
        p.trace("Record: Pk2Pk " + lblpkpk[1].Caption.get() + "mV");
        p.trace(" :Max " + lblpkpk[2].Caption.get());
        p.trace(" :Min " + lblpkpk[3].Caption.get());
        if (!s.twelveBit())
            p.trace(" :Avg " + lblADInstant[1].Caption.get());
        p.trace("\r\n");
    }
    cmdCollectData2.Enabled = true;
    cmdGraphReadings.Enabled = true;
}

}  // namespace adutil
