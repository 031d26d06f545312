// The 14-bit run: the selected monitor channel converted by the chip over
// and over, each reading scaled, kept, shown and plotted, until a stop.
#include <array>

#include "adutil/frmADUtil.h"
#include "chip/KVN58C3_Main.h"
#include "chip/MonitorChannels.h"
#include "link/UsbLink.h"
#include "regmap/ChipRegisters.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace adutil {

using namespace chipreg;

struct frmADUtil::Sample {
    int gain = 0;
    long code = 0;
    double reading = 0;
    std::uint32_t previousTime = 0;
    long counter = 1;
};

namespace {

// Gain buttons by the gain field: field value i is button i + 1.
constexpr int gainButtonOf(long monitor) { return gainIndexOf(monitor) + 1; }

std::string hexText(long v) { return vb::Hex(v); }

// The result pair through the link; the link status.
int readResult(usb::UsbLink& link, std::array<std::uint8_t, 2>& bytes, int quiet)
{
    std::uint8_t address = link.I2CAddress;
    std::uint8_t readCount = 2;
    std::uint8_t writeCount = 1;
    std::uint8_t reg = kMonitorResult;
    return link.I2cReadRetry(address, readCount, writeCount, bytes.data(), &reg, quiet);
}

}  // namespace

void frmADUtil::cmdCollectData2_Click()
{
    // A run started from the form's own load must not go on unseen: the Stop
    // button is the only way out.
    if (!Visible)
        Show();
    Sample s;
    startSampling(s);
    while (p.LoopRunning)
        takeSample(s);
    endSampling();
}

void frmADUtil::startSampling(Sample& s)
{
    chip::KVN58C3_Main& main = p.form<chip::KVN58C3_Main>();
    usb::UsbLink& link = p.link();
    run.AcqStarted = false;
    run.AvgCount = 0;
    run.AvgSum = 0;
    p.AbortDataCollect = false;

    frmDataRecord.Visible = false;
    Label4.Visible = false;
    lblUserGain.Visible = false;
    cmdCollectData2.Enabled = false;
    cmdGraphReadings.Enabled = false;
    SSCmdStop.ForeColor = vb::kRed;

    const long gainBits = vb::HexValue(main.tbRegdata[kMonitor].Text.get()) & kMonitorGainMask;
    s.gain = currentGainOf(gainBits);
    markGainOption(gainButtonOf(gainBits));
    main.VCELL[20].Text = vb::CStr(s.gain);

    labels.PlotWidth = picTrace1_1.Width;
    labels.PlotHeight = picTrace1_1.Height - 4;

    main.tbRegdata[kMonitor].Text = hexText(gainBits | (main.tbVoltageMon.ListIndex + kMonitorStart));
    main.cbWrite_Click(kMonitor);
    main.cbRead_Click(kMonitor);
    lblADMuxCtrl.Caption = main.tbRegdata[kMonitor].Text.get();

    // The microcontroller scan bit for the whole run; configuration RAM.
    main.tbRegdata[kUcControl].Text = "04";
    main.cbWrite_Click(kUcControl);
    main.tbRegdata[kMemoryMode].Text = "00";
    main.cbWrite_Click(kMemoryMode);

    std::array<std::uint8_t, 2> bytes{};
    if (readResult(link, bytes, 0) == usb::kStatusAck) {
        main.tbRegdata[kMonitorResult].Text = usb::ByteToHex2(bytes[0]);
        main.tbRegdata[kMonitorResultHigh].Text = usb::ByteToHex2(bytes[1]);
    }
    lblRaw[1].Caption = main.tbRegdata[kMonitorResultHigh].Text.get();
    lblRaw[0].Caption = main.tbRegdata[kMonitorResult].Text.get();
    lblADINput[0].Caption =
        hexText(vb::HexValue(lblRaw[1].Caption.get()) * 256 + vb::HexValue(lblRaw[0].Caption.get()));
    s.code = vb::HexValue(lblADINput[0].Caption.get());

    const int channel = run.MuxChannel;
    s.reading = chip::monitorValue(channel, s.code, s.gain);
    lblADLSB[0].Caption = vb::Format(chip::monitorStep(channel, s.gain), "0.000000");
    if (channel == kMonCurrent) {
        Label4.Visible = true;
        lblUserGain.Visible = true;
    }
    lblADINput[1].Caption = vb::Format(s.reading, "##0.000000");

    if (p.TraceOn) {
        p.trace("\r\n");
        p.trace(
            p.TraceIndent1 + p.TraceIndent2 + p.TraceIndent2 + "Data Collection Started " + vb::TimeText(rt().Now()));
        p.trace("\r\n");
    }
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

    s.previousTime = rt().timeGetTime();
    p.LoopRunning = true;
    rt().DoEvents();
    Timer_Instant.Enabled = true;
    lblReadCounter.Caption = "1";
    s.counter = 1;
}

void frmADUtil::takeSample(Sample& s)
{
    chip::KVN58C3_Main& main = p.form<chip::KVN58C3_Main>();
    usb::UsbLink& link = p.link();
    while (p.I2CBusy)
        rt().DoEvents();

    // The channel again, in case the chip form moved the multiplexer meanwhile.
    main.tbRegdata[kMonitor].Text = hexText((vb::HexValue(main.tbRegdata[kMonitor].Text.get()) & kMonitorGainMask) |
        (main.tbVoltageMon.ListIndex + kMonitorStart));
    main.cbWrite_Click(kMonitor);
    link.FlushHidInput();
    std::array<std::uint8_t, 2> bytes{};
    const int status = readResult(link, bytes, 1);
    if (status == usb::kStatusNak) {
        // The sample goes on with the code shown, the previous sample's.
        rt().MsgBox("nack");
    } else if (status == usb::kStatusAck) {
        const long code = bytes[1] * 256L + bytes[0];
        lblADINput[0].Caption = hexText(code);
        lblRaw[2].Caption = vb::Str(code);
        lblRaw[1].Caption = usb::ByteToHex2(bytes[1]);
        lblRaw[0].Caption = usb::ByteToHex2(bytes[0]);
        txtCalcCurrent[6].Text = usb::ByteToHex2(bytes[1]) + usb::ByteToHex2(bytes[0]);
    }
    s.code = vb::HexValue(lblADINput[0].Caption.get());
    scaleSample(s);
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
    if (ChkEnableGraph.Value == 1)
        plotReading(s.reading);
    if (ChkPollStatus.Value == 1)
        main.ReadStatus_Click();

    rt().DoEvents();
    if (run.SampleCycle == 160)
        run.SampleCycle = 0;
    ++run.SampleCycle;
    records.countReading();
    if (p.LoopRunning) {
        const std::uint32_t now = rt().timeGetTime();
        const long elapsed = static_cast<long>(now - s.previousTime);
        lblLoopTime.Caption = vb::Str(elapsed);
        lbltdiv.Caption = vb::Format(static_cast<double>(elapsed) * 320 / kDivisions, "#0.00");
        s.previousTime = now;
    }
    lblReadCounter.Caption = "1";
    ++s.counter;
    lblReadCounter.Caption = vb::Str(s.counter);
    ++run.AvgCount;
    run.AvgSum += s.reading;
    Timer_Instant.Enabled = true;
}

void frmADUtil::scaleSample(Sample& s)
{
    s.reading = chip::monitorValue(run.MuxChannel, s.code, s.gain);
    if (run.MuxChannel != kMonCurrent)
        return;
    // The chip form's current display follows every sample of the current channel.
    chip::KVN58C3_Main& main = p.form<chip::KVN58C3_Main>();
    txtCalcCurrent[2].Text = vb::Format(s.reading, "##0.000");
    const double sense = vb::Val(main.VCELL[21].Text.get());
    if (sense != 0)  // a zero shunt leaves the current as it was
        main.VCELL[19].Text = vb::Format(vb::Val(txtCalcCurrent[2].Text.get()) / (sense * 0.001), "##0.000");
    txtCalcCurrent[2].Text = main.VCELL[19].Text.get();
    lblUserGain.Caption = txtCalcCurrent[2].Text.get();
    main.VCELL[2].Text = vb::Format(s.reading, "##0.000000");
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

void frmADUtil::endSampling()
{
    chip::KVN58C3_Main& main = p.form<chip::KVN58C3_Main>();
    Timer_Instant.Enabled = false;
    rt().DoEvents();
    main.tbRegdata[kUcControl].Text = "00";
    main.cbWrite_Click(kUcControl);
    if (p.TraceOn) {
        p.trace(p.TraceIndent1 + " Stopped " + vb::TimeText(rt().Now()));
        p.trace("\r\n");
        p.trace(p.TraceIndent1 + p.TraceIndent2 + "Measurement " + lblADINput[0].Caption.get() + "   ");
        p.trace("Record: Pk2Pk " + lblpkpk[1].Caption.get() + "mV");
        p.trace(" :Max " + lblpkpk[2].Caption.get());
        p.trace(" :Min " + lblpkpk[3].Caption.get());
        p.trace(" :Avg " + lblADInstant[1].Caption.get());
        p.trace("\r\n");
    }
    cmdCollectData2.Enabled = true;
    cmdGraphReadings.Enabled = true;
}

}  // namespace adutil
