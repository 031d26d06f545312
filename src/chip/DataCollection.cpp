// Data collection: the survey of every monitor channel with a minute's pause
// between samples, and the fast series on one channel, each into a
// comma-separated file on file number 1 (shared with the recording log).
#include "chip/DataCollection.h"

#include <array>

#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "chip/MonitorChannels.h"
#include "chip/SampleFiles.h"
#include "link/UsbLink.h"
#include "vb/Numbers.h"

namespace chip {

namespace {

constexpr int kSampleFile = 1;
constexpr double kSampleWaitSeconds = 0.01;
constexpr int kPauseRounds = 60;
constexpr int kPauseRoundMs = 1000;

}  // namespace

void layOutDataCollection(KVN58C3_Main& f)
{
    ui::Frame& fr = f.FrDataCollect;
    ui::place(fr, {f.SSTab1, kPageControl}, {kControlLeftX, 128, kControlFrameWidth, 92}, "Data Collection (14-bit)");
    ui::place(f.cbDataCollect, fr, {10, 20, 170, 26}, "Sample All Voltages",
        "Convert every channel per sample, one sample a minute, into a file", [&f] { f.cbDataCollect_Click(); });
    ui::place(f.SampleVoltages, fr, {10, 52, 170, 26}, "Sample Single Voltage",
        "Convert the selected channel repeatedly into a file", [&f] { f.SampleVoltages_Click(); });
    ui::place(f.lblSamples2, fr, {192, 24, 60, 18}, "Samples");
    ui::place(f.tbSamples2, fr, {256, 22, 70, 22}, {}, "Number of samples").Text = "50";
    ui::place(f.lblMeasCount, fr, {192, 56, 134, 18}, "--", "Sample in progress");
    ui::place(f.cmdAbortDC, fr, {358, 36, 100, 26}, "Abort", "Stop Sample All Voltages data collection.",
        [&f] { f.cmdAbortDC_Click(); });
    f.cmdAbortDC.Visible = false;
}

bool DataCollection::begin(int& samples)
{
    Program& p = f_.program();
    // Two runs printing to one file number would interleave and lose lines.
    // Checked before the abort request is cleared, so the running run keeps it.
    if (running_) {
        p.rt().MsgBox("A data collection run is in progress. Press Abort to end it before starting another.",
            ui::vbOKOnly | ui::vbExclamation);
        return false;
    }
    p.AbortDataCollect = false;
    if (f_.autoScan.blocks())
        return false;
    if (f_.cbRecord.BackColor == vb::kRunning)
        return false;
    if (!p.link().UsbConnected) {
        p.rt().MsgBox("USB Device not connected!");
        return false;
    }
    // Checked before a file is created, so a refused count leaves nothing behind.
    const auto count = sampleCount(f_.tbSamples2.Text.get());
    if (!count) {
        p.rt().MsgBox(
            "Number of samples \"" + f_.tbSamples2.Text.get() + "\" is out of range: enter a number up to 32767.",
            ui::vbOKOnly | ui::vbExclamation);
        return false;
    }
    ui::CommonDialog& dialog = f_.CommonDialog1;
    dialog.CancelError = true;
    dialog.DefaultExt = ".txt";
    dialog.Filter = "Text File (*.txt)|*.txt| All Files (*.*)|*.*|";
    dialog.FilterIndex = 2;
    if (!dialog.ShowSave())
        return false;
    ui::FileTable& files = p.rt().files();
    files.Close(kSampleFile);
    if (!files.Open(kSampleFile, dialog.FileName, ui::OpenMode::Output)) {
        p.rt().fileFailed("Data collection not started");
        return false;
    }
    running_ = true;
    samples = *count;
    return true;
}

bool DataCollection::print(const std::string& line) { return printOrStop(f_, kSampleFile, line, "Data collection"); }

void DataCollection::end()
{
    f_.program().rt().files().Close(kSampleFile);
    f_.cmdAbortDC.Visible = false;
    running_ = false;
}

void KVN58C3_Main::cbDataCollect_Click()
{
    int samples = 0;
    if (!dataCollection.begin(samples))
        return;
    if (!dataCollection.print(surveyStartLine(p.rt().Now())))
        return dataCollection.end();
    // The header walks the channel list, leaving the last channel selected.
    for (int k = kFirstMeasuredChannel; k <= kLastMeasuredChannel; ++k)
        tbVoltageMon.ListIndex = k;
    if (!dataCollection.print(surveyHeader(currentGainOf(regValue(chipreg::kMonitor)))))
        return dataCollection.end();
    cmdAbortDC.Visible = true;
    for (int i = 0; i < samples; ++i) {
        lblMeasCount.Caption = vb::Str(i);
        Wait_Time(kSampleWaitSeconds);
        std::array<double, kSurveyChannels> values{};
        bool measured = true;
        for (int k = kFirstMeasuredChannel; measured && k <= kLastMeasuredChannel; ++k) {
            tbVoltageMon.ListIndex = k;
            measured = convertMonitor();
            const long code = vb::HexValue(tbValue.Text.get());
            values[static_cast<std::size_t>(k - kFirstMeasuredChannel)] =
                monitorValue(k, code, currentGainOf(regValue(chipreg::kMonitor)));
        }
        // A conversion that did not happen, or a failure answered with Retry
        // ("return to GUI"), ends the run after its one box: no line of values not read.
        if (!measured || p.rt().operationAbandoned() || !dataCollection.print(surveyLine(i, values)) ||
            p.AbortDataCollect)
            break;
        for (int round = 0; round < kPauseRounds; ++round) {
            p.rt().Sleep(kPauseRoundMs);
            if (p.AbortDataCollect)
                break;
            p.rt().DoEvents();
            // Abort pressed just now: no need to sit out another second.
            if (p.AbortDataCollect)
                break;
        }
    }
    dataCollection.end();
}

void KVN58C3_Main::SampleVoltages_Click()
{
    const std::string channel = tbVoltageMon.Text;
    int samples = 0;
    if (!dataCollection.begin(samples))
        return;
    if (!dataCollection.print(seriesHeader(channel, samples, p.rt().Now())))
        return dataCollection.end();
    cmdAbortDC.Visible = true;
    for (int i = 0; i < samples; ++i) {
        lblMeasCount.Caption = vb::Str(i + 1);
        Wait_Time(kSampleWaitSeconds);
        if (!convertMonitor() || p.rt().operationAbandoned() ||
            !dataCollection.print(seriesLine(i, tbValue.Text.get())) || p.AbortDataCollect)
            break;
    }
    dataCollection.end();
}

void KVN58C3_Main::cmdAbortDC_Click()
{
    p.AbortDataCollect = true;
    p.rt().DoEvents();
}

}  // namespace chip
