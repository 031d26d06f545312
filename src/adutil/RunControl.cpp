// Channel, resolution and gain selection, the stop button and the form's timers.
#include "adutil/frmADUtil.h"
#include "chip/ChipAccess.h"
#include "chip/ReadingBoxes.h"
#include "program/I2cLock.h"
#include "regmap/ChipRegisters.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace adutil {

namespace {
// Rounds a stop waits at most for a transfer that holds the I2C path.
constexpr I2cWait kStopWait = I2cWait::passes(10000);
constexpr int kAutoRangeDelayMs = 750;
}  // namespace

void frmADUtil::finishStop()
{
    Label16[0].Visible = false;
    Label16[1].Visible = false;
    rt().DoEvents();
    waitForI2cPath(p, kStopWait);
    rt().DoEvents();
    rt().DoEvents();
    frmDataRecord.Visible = true;
    Label16[0].Visible = false;
    Label16[1].Visible = false;
    SSCmdStop.ForeColor = vb::kBlack;
}

void frmADUtil::markGainOption(int Index)
{
    // The button shows the gain; its click (stop, write, restart) is not wanted here.
    markingGain_ = true;
    OptFDGain[Index].Value = true;
    markingGain_ = false;
}

void frmADUtil::startRun()
{
    if (OptBits[0].Value)
        cmdGraphReadings_Click();
    else if (OptBits[1].Value)
        cmdCollectData2_Click();
}

void frmADUtil::SSCmdStop_Click()
{
    if (p.LoopRunning && !run.PromptsOff)
        lblOPR[2].Caption = "Data Collection Halted";
    p.LoopRunning = false;
    Timer1.Enabled = false;
    Timer_Instant.Enabled = false;
    OptMuxSelect[run.MuxChannel].Value = false;
    finishStop();
}

void frmADUtil::OptBits_Click(int /*Index*/)
{
    for (int i = 0; i < chipreg::kMonitorChannelCount; ++i)
        OptMuxSelect[i].Value = false;
    cmdCollectData2.Visible = false;
    cmdGraphReadings.Visible = false;
    Label4.Visible = false;
    lblUserGain.Visible = false;
    p.LoopRunning = false;
    Timer1.Enabled = false;
    Timer_Instant.Enabled = false;
    finishStop();
    rt().DoEvents();
}

void frmADUtil::OptMuxSelect_Click(int Index)
{
    p.LoopRunning = false;
    Timer1.Enabled = false;
    Timer_Instant.Enabled = false;
    const bool current = Index == chipreg::kMonCurrent;
    Label2[2].Caption = current ? "Signal Amplitude mV" : "Signal Amplitude Volts";
    Label3[0].Caption = current ? "LSB mV" : "LSB Volts";
    finishStop();
    rt().DoEvents();
    if (!OptMuxSelect[Index].Value)
        return;

    run.MuxChannel = Index;
    lblADMuxCtrl.Caption = "--";
    if (!run.PromptsOff)
        lblOPR[2].Caption = "";
    cmdMeasureScreenInit_Click();
    rt().DoEvents();
    Label4.Visible = false;
    lblUserGain.Visible = false;
    if (p.TraceOn) {
        p.trace("\r\n");
        p.trace(p.TraceIndent1 + p.TraceIndent2);
        p.trace("Connect KVN58C3 Mux to " + names.MuxChannelName[static_cast<std::size_t>(Index)]);
        p.trace("\r\n");
    }
    lblOPR[1].Caption = OptMuxSelect[Index].ToolTipText.get() + " Click Done to go to next Tab.";
    cmdDoneTab1.Visible = true;
    for (int i = 0; i < chipreg::kMonitorChannelCount; ++i) {
        ShpMuxConnect[i].Visible = false;
        ShpMuxConnect[i].FillColor = vb::kBlack;
    }
    rt().DoEvents();
    lblMuxOut.Caption = names.MuxChannelName[static_cast<std::size_t>(Index)];
    ShpMuxConnect[Index].FillColor = vb::RGB(0, 0, 0xFF);
    lblInstInput.Caption = lblMuxOut.Caption.get();
    if (current) {
        Label2[2].Caption = "Signal Amplitude mV";
        lblInstInput.Caption = lblInstInput.Caption.get() + " Gain:" + lblUserGain.Caption.get() + "x";
    }
    chip::ChipAccess::of(p).selectMonitorChannel(run.MuxChannel);
    frmFDBK.Visible = true;
    for (int i = 1; i <= 4; ++i)
        OptFDGain[i].Visible = true;
    rt().DoEvents();
    Batch_Timer.Interval = kAutoRangeDelayMs;
    Batch_Timer.Enabled = true;
    if (!run.PromptsOff)
        lblOPR[2].Caption = "Scaling Please Wait";
    startRun();
    rt().DoEvents();
}

void frmADUtil::OptFDGain_Click(int Index)
{
    if (run.MuxChannel != chipreg::kMonCurrent)
        return;
    lblADMuxCtrl.Caption = "--";
    SSCmdStop_Click();
    cmdMeasureScreenInit_Click();
    rt().DoEvents();
    const std::string& gain = names.GainText[static_cast<std::size_t>(Index)];
    if (p.TraceOn) {
        p.trace("Current Gain Set to " + gain);
        p.trace("\r\n");
    }
    lblUserGain.Caption = gain;
    const chip::ChipAccess chipForm = chip::ChipAccess::of(p);
    chipForm.writeCurrentGain(Index - 1);
    cmdMeasureScreenInit_Click();
    lblInstInput.Caption = lblMuxOut.Caption.get() + " Gain :" + OptFDGain[Index].Caption.get();
    chipForm.reading(chip::reading::kGain).Text = OptFDGain[Index].Caption.get();
    Batch_Timer.Interval = kAutoRangeDelayMs;
    Batch_Timer.Enabled = true;
    if (!run.PromptsOff)
        lblOPR[2].Caption = "Scaling Please Wait";
    // The auto range follows the end of the restarted run.
    for (int bits : {0, 1}) {
        if (!OptBits[bits].Value)
            continue;
        if (bits == 0)
            cmdGraphReadings_Click();
        else
            cmdCollectData2_Click();
        rt().DoEvents();
        rt().Sleep(1000);
        cmdAutoRange2_Click();
        rt().DoEvents();
    }
}

void frmADUtil::Batch_Timer_Timer()
{
    cmdAutoRange2_Click();
    Batch_Timer.Enabled = false;
    if (!run.PromptsOff)
        lblOPR[2].Caption = "Data Collection Running, Click Stop, Graphing Options or New Mux Channel";
    rt().DoEvents();
}

void frmADUtil::Timer_Instant_Timer()
{
    const double value =
        run.AvgCount < 2 ? vb::Val(lblADINput[1].Caption.get()) : run.AvgSum / static_cast<double>(run.AvgCount);
    lblADInstant[1].Caption = vb::Format(value, "#0.0000");
    run.AvgCount = 0;
    run.AvgSum = 0;
    rt().DoEvents();
}

void frmADUtil::Timer1_Timer()
{
    const bool show = !Label16[0].Visible;
    Label16[0].Visible = show;
    Label16[1].Visible = show;
    rt().DoEvents();
}

}  // namespace adutil
