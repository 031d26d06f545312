// FET control: the CFET, DFET and PCFET buttons toggle their driver bit of
// 0x86, "Sync'd Toggle" inverts CFET and DFET in one write, the timed toggle
// test repeats chosen steps on TMRDFET, and two buttons hand the FETs to the
// host microcontroller (uCFET of 0x87) or take them back. The buttons'
// colours after a status read are StatusIndicators.cpp's.
#include <array>

#include "chip/FetTiming.h"
#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "chip/StatusBits.h"
#include "vb/Numbers.h"

namespace chip {

using namespace chipreg;

namespace {

enum FetStep : int { kStepCfet = 0, kStepDfet, kStepSync, kStepSleep, kStepStatus, kStepCount };
constexpr std::array<const char*, kStepCount> kStepCaptions = {
    "Toggle CFET", "Toggle DFET", "Toggle both CFET / DFET with same Write", "Set Sleep", "Sample Status"};

constexpr int kIntervalBox = 0, kDelayBox = 1;
constexpr int kGo = 0, kStop = 1;
constexpr int kHostFets = 0, kChipFets = 1;
constexpr int kHeartbeat = 0;

// What a FET button toggles, and what turning it off clears: PCFET takes the
// pack shut-down bit with it.
struct FetDriver {
    Bits bit;
    Bits offMask;
};
constexpr FetDriver kCfet{kFetCfet, kFetCfet};
constexpr FetDriver kDfet{kFetDfet, kFetDfet};
constexpr FetDriver kPcfet{kFetPcfet, kFetPcfet | kFetPsd};

long toggled(long v, const FetDriver& fet) { return (v & fet.bit) != 0 ? v & ~fet.offMask : v | fet.bit; }

// One FET button's click: yellow while the toggle is under way, then the
// colour of the bit as the chip reads it back.
void toggleFet(KVN58C3_Main& f, ui::CommandButton& button, const FetDriver& fet)
{
    if (f.autoScan.blocks())
        return;
    selectConfigRam(f);
    button.BackColor = vb::kYellow;
    f.cbRead_Click(kFetControl);
    f.writeRegisterValue(kFetControl, toggled(f.regValue(kFetControl), fet));
    f.cbRead_Click(kFetControl);
    button.BackColor = fetColor((f.regValue(kFetControl) & fet.bit) != 0);
    f.cbRAMEnable.BackColor = vb::kRunning;
}

bool anyStepTicked(KVN58C3_Main& f)
{
    bool any = false;
    f.ChkFetToggle.forEach([&any](int, ui::CheckBox& box) { any = any || box.Value == 1; });
    return any;
}

bool ticked(KVN58C3_Main& f, int step) { return f.ChkFetToggle[step].Value == 1; }

// The pause before a status read, read anew at every use.
int readStatusDelay(KVN58C3_Main& f) { return readStatusDelayMs(f.txtFetInterval[kDelayBox].Text.get()); }

}  // namespace

void layOutFets(KVN58C3_Main& f)
{
    f.cbCFET.ToolTipText = "CFET Status Red Off Green On";
    f.cbDFET.ToolTipText = "DFET Status Red Off Green On";
    f.cbPCFET.ToolTipText = "PCFET Status Red Off Green On";
    for (ui::CommandButton* b : {&f.cbCFET, &f.cbDFET, &f.cbPCFET})
        b->BackColor = fetColor(false);
    f.cbCFET.Click = [&f] { f.cbCFET_Click(); };
    f.cbDFET.Click = [&f] { f.cbDFET_Click(); };
    f.cbPCFET.Click = [&f] { f.cbPCFET_Click(); };

    // The cycle test on the demonstration page, under the forcing.
    const ui::In page{f.SSTab1, kPageDemo};
    ui::Frame& test = ui::place(
        f.FrFetCycle, page, {kControlRightX, 190, kControlFrameWidth, 180}, "DFET / CFET  Cycle Test Control");
    ui::place(f.lblFetEnables, test, {10, 18, 120, 18}, "Enables");
    for (int i = 0; i < kStepCount; ++i)
        ui::place(f.ChkFetToggle.add(i), test, ui::Rect{10, 38, 290, 22}.moved(0, i * 26),
            kStepCaptions[static_cast<std::size_t>(i)], {}, [&f, i] { f.ChkFetToggle_Click(i); });
    const std::array<std::pair<const char*, const char*>, 2> times = {
        {{"Interval mSec", "1000"}, {"Read Status delay mSec", "200"}}};
    for (int i = kIntervalBox; i <= kDelayBox; ++i) {
        const auto& [label, text] = times[static_cast<std::size_t>(i)];
        ui::place(f.lblFetInterval.add(i), test, ui::Rect{310, 18, 160, 18}.moved(0, i * 46), label);
        ui::place(f.txtFetInterval.add(i), test, ui::Rect{310, 36, 80, 22}.moved(0, i * 46), {},
            "FET Toggle Time in mSec. Needs to be numeric.")
            .Text = text;
    }
    auto& heartbeat = ui::place(f.ShpFetDrive.add(kHeartbeat), test, {404, 39, 16, 16});
    heartbeat.ShapeType = ui::Shape::Circle;
    heartbeat.FillColor = vb::kBlack;
    ui::place(f.FrFetGo, test, {310, 112, 158, 58}, "Start / Stop");
    ui::place(f.cmdFetGo.add(kGo), f.FrFetGo, {8, 22, 68, 28}, "Go", {}, [&f] { f.cmdFetGo_Click(kGo); });
    ui::place(f.cmdFetGo.add(kStop), f.FrFetGo, {82, 22, 68, 28}, "Stop", {}, [&f] { f.cmdFetGo_Click(kStop); });
    f.TMRDFET.Interval = 1000;
    f.TMRDFET.Enabled = false;
    f.TMRDFET.Tick = [&f] { f.TMRDFET_Timer(); };

    // One write for both FETs, and the hand-over to the host microcontroller, below the test.
    const ui::Rect row{kControlRightX, 378, 150, 28};
    ui::place(f.cmdFetTogSync, page, row, "Sync'd Toggle",
        "Sets both DFET and CFET to opposite state with same register write.", [&f] { f.cmdFetTogSync_Click(); });
    ui::place(f.cmdSetFetControl.add(kHostFets), page, row.moved(160, 0), "UProc Does Fets",
        "Set uPROC FET Control Bit", [&f] { f.cmdSetFetControl_Click(kHostFets); });
    ui::place(f.cmdSetFetControl.add(kChipFets), page, {row.x + 318, row.y, 160, row.h}, "Clear Uproc Fet control",
        "Clear uPROC FET Control Bit", [&f] { f.cmdSetFetControl_Click(kChipFets); });
}

void KVN58C3_Main::cbCFET_Click() { toggleFet(*this, cbCFET, kCfet); }

void KVN58C3_Main::cbDFET_Click() { toggleFet(*this, cbDFET, kDfet); }

void KVN58C3_Main::cbPCFET_Click() { toggleFet(*this, cbPCFET, kPcfet); }

void KVN58C3_Main::cmdFetTogSync_Click()
{
    cbRead_Click(kFetControl);
    // Both inversions go into the image first, so one write switches both FETs at once.
    tbRegdata[kFetControl].Text = vb::Hex(toggled(regValue(kFetControl), kCfet));
    tbRegdata[kFetControl].Text = vb::Hex(toggled(regValue(kFetControl), kDfet));
    cbWrite_Click(kFetControl);
    cbRead_Click(kFetControl);
    const long v = regValue(kFetControl);
    cbCFET.BackColor = fetColor((v & kFetCfet) != 0);
    cbDFET.BackColor = fetColor((v & kFetDfet) != 0);
}

void KVN58C3_Main::ChkFetToggle_Click(int /*Index*/)
{
    TMRDFET.Enabled = false;
    TMRDFET.Enabled = anyStepTicked(*this);
}

void KVN58C3_Main::cmdFetGo_Click(int Index)
{
    if (Index == kGo) {
        const ToggleInterval interval = toggleInterval(txtFetInterval[kIntervalBox].Text.get());
        if (interval.kind == ToggleInterval::OutOfRange) {
            p.rt().MsgBox("Interval mSec must be a number of milliseconds from " + vb::CStr(kTimerIntervalMin) +
                    " to " + vb::CStr(kTimerIntervalMax) + ".",
                ui::vbOKOnly | ui::vbExclamation);
            return;
        }
        cmdFetTogSync.Enabled = false;
        cmdSetSleep.Enabled = false;
        if (interval.kind == ToggleInterval::Ok)
            TMRDFET.Interval = interval.ms;
        if (anyStepTicked(*this))
            TMRDFET.Enabled = true;
    } else if (Index == kStop) {
        cmdFetTogSync.Enabled = true;
        cmdSetSleep.Enabled = true;
        TMRDFET.Enabled = false;
        ShpFetDrive[kHeartbeat].FillColor = vb::kBlack;
    }
}

void KVN58C3_Main::TMRDFET_Timer()
{
    // A failure the user answered ("return to GUI", or no board) gives up the
    // tick's other steps and ends the test as "Stop" does, so a board that
    // stopped answering shows one box, not one a tick.
    const auto due = [this](int step) { return ticked(*this, step) && !p.rt().operationAbandoned(); };
    if (due(kStepCfet))
        cbCFET_Click();
    if (due(kStepDfet))
        cbDFET_Click();
    if (due(kStepSync))
        cmdFetTogSync_Click();
    if (due(kStepSleep)) {
        cmdSetSleep_Click();
        p.rt().Sleep(readStatusDelay(*this));
        ReadStatus_Click();
    }
    ui::Shape& heartbeat = ShpFetDrive[kHeartbeat];
    heartbeat.FillColor = heartbeat.FillColor.get() == vb::kGreen ? vb::kDarkGreen : vb::kGreen;
    if (due(kStepStatus)) {
        p.rt().DoEvents();
        p.rt().Sleep(readStatusDelay(*this));
        ReadStatus_Click();
        p.rt().DoEvents();
    }
    if (p.rt().operationAbandoned())
        cmdFetGo_Click(kStop);
}

void KVN58C3_Main::cmdSetFetControl_Click(int Index)
{
    if (Index != kHostFets && Index != kChipFets)
        return;
    if (Index == kChipFets)
        TMRDFET.Enabled = false;
    if (p.AutoScanActive) {
        cbAutoScan_Click();
        p.rt().DoEvents();
    }
    // Only a handler ends the scan.
    p.rt().DoEventsWhile([this] { return p.AutoScanActive; });
    const int bit = bitNumber(kUcFet);
    cbuCControl4[bit].Value = Index == kHostFets ? 1 : 0;
    cbuCControl4_Click(bit);
}

}  // namespace chip
