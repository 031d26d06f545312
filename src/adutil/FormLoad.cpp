// The A/D form's load and unload, its name tables and the buttons that only
// show other windows.
#include "adutil/frmADUtil.h"
#include "bridge/frmMainF340.h"
#include "chip/ChipAccess.h"
#include "shell/frmAbout2.h"

namespace adutil {

namespace {

constexpr std::array<const char*, 16> kMuxChannelNames = {"None", "CELL1", "CELL2", "CELL3", "CELL4", "CELL5", "CELL6",
    "CELL7", "CELL8", "Current", "VBAT", "VRGO", "Xtemp1", "Xtemp2", "Internal Temp", "None"};
constexpr std::array<const char*, 5> kGainTexts = {"", "50", "5", "500", "500"};
constexpr std::array<const char*, 5> kStimSourceNames = {
    "NA", "KVN61B7 IN-AMP", "Thermocouple", "External ADC IN", "KVN61D4 16bit DAC"};

}  // namespace

void frmADUtil::traceDetail(std::string_view text)
{
    if (p.TraceOn && p.TraceDetail)
        p.trace(text);
}

void frmADUtil::Form_Load()
{
    cmdShowMother.Visible = false;
    FrBits.Visible = false;
    cmdCollectData2.Visible = false;
    FrUPMode.Visible = false;
    // The engineering set-ups: the resolution choice and the direct 14-bit start, the bridge panel.
    if (p.FileExistsInAppPath("BR549.csv")) {
        FrBits.Visible = true;
        cmdCollectData2.Visible = true;
    }
    if (p.EngFileFound)
        cmdShowMother.Visible = true;
    traceDetail(p.TraceIndent1);
    traceDetail("Block Diagram load");
    traceDetail("\r\n");
    FrCapture.Visible = false;

    for (std::size_t i = 0; i < kMuxChannelNames.size(); ++i)
        names.MuxChannelName[i] = kMuxChannelNames[i];
    for (std::size_t i = 1; i < kGainTexts.size(); ++i)
        names.GainText[i] = kGainTexts[i];
    for (std::size_t i = 0; i < kStimSourceNames.size(); ++i)
        names.StimSourceName[i] = kStimSourceNames[i];

    SSTab1.Tab = kPageMeasurement;
    wave.ClearPixelArray(picTrace1_1, wave.PixelSave);
    rt().DoEvents();
    cmdMeasureScreenInit_Click();
    // One gain click, whether or not the button was selected before: on the
    // current channel it restarts the run once.
    markGainOption(1);
    OptFDGain_Click(1);

    traceDetail(p.TraceIndent1);
    traceDetail("Block Diagram load completed");
    traceDetail("\r\n");
    traceDetail("\r\n");
}

void frmADUtil::Form_Unload(int& /*Cancel*/)
{
    SSCmdStop_Click();
    rt().DoEvents();
}

void frmADUtil::cmdMainShow_Click() { chip::ChipAccess::of(p).show(); }

void frmADUtil::cmdShowMother_Click() { p.form<bridge::frmMainF340>().Show(); }

void frmADUtil::mnuAboutShow_Click() { p.form<shell::frmAbout2>().Show(); }

}  // namespace adutil
