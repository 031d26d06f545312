// Test-mode forcing on the demonstration page: the chip's test registers
// 0xC0 (current direction) and 0xC1 (current faults) under trim/test access,
// each action followed by a status refresh so the indicators show the chip react.
#include <array>

#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "vb/Numbers.h"

namespace chip {

using namespace chipreg;

namespace {

constexpr int kCharge = 0, kDischarge = 1;
constexpr int kChargeOverCurrent = 0, kDischargeOverCurrent = 1, kDischargeShort = 2;
constexpr double kSettleSeconds = 1.0;
constexpr double kFaultSeconds = 0.5;

constexpr std::array<const char*, 2> kDirectionCaptions = {"Force Charge Indicator", "Force Discharge Indicator"};
constexpr std::array<const char*, 2> kDirectionTitles = {
    "Force Charge Condition via Test Mode", "Force Dis-Charge Condition via Test Mode"};
constexpr std::array<const char*, 3> kFaultCaptions = {"Force Charge Over Current Indicator",
    "Force Discharge Over Current Indicator", "Force Discharge Short Circuit Indicator"};
constexpr std::array<const char*, 3> kFaultTitles = {"Force Charge Over Current [COC] via Test Mode",
    "Force Dis-Charge Over Current [DOC] via Test Mode", "Force Dis-Charge Short Circuit [DSC] via Test Mode"};

// Written even when the auto-scan guard then refuses.
void traceDemo(Program& p, const char* title)
{
    if (p.TraceOn)
        p.trace(p.TraceIndent1 + "DEMO GUI Tab :" + title + "\r\n");
}

}  // namespace

void layOutForcing(KVN58C3_Main& f)
{
    ui::Frame& dir = f.FrCurDir;
    ui::place(dir, {f.SSTab1, kPageDemo}, {kControlLeftX, 6, kControlFrameWidth, 122}, "Current Direction (Test Mode)");
    for (int i = kCharge; i <= kDischarge; ++i)
        ui::place(f.cbCurDir.add(i), dir, {10, 20 + i * 28, 300, 24}, kDirectionCaptions[static_cast<std::size_t>(i)],
            {}, [&f, i] { f.cbCurDir_Click(i); });
    ui::place(
        f.Command6, dir, {10, 84, 300, 28}, "Un-Force Current Direction Indicator", {}, [&f] { f.Command6_Click(); });

    ui::Frame& err = f.FrCurErr;
    ui::place(err, {f.SSTab1, kPageDemo}, {kControlRightX, 6, kControlFrameWidth, 178}, "Over Current (Test Mode)");
    for (int i = kChargeOverCurrent; i <= kDischargeShort; ++i)
        ui::place(f.CbCurErr.add(i), err, {10, 20 + i * 28, 320, 24}, kFaultCaptions[static_cast<std::size_t>(i)], {},
            [&f, i] { f.CbCurErr_Click(i); });
    ui::place(f.lblCurErrNote, err, {10, 106, 440, 18}, "Note: This routine also sets the uCLMON and uCCMON bits");
    ui::place(f.Command7, err, {10, 138, 300, 28}, "Un-Force Over Current Indicator", {}, [&f] { f.Command7_Click(); });
}

void KVN58C3_Main::cbCurDir_Click(int Index)
{
    if (Index != kCharge && Index != kDischarge)
        return;
    traceDemo(p, kDirectionTitles[static_cast<std::size_t>(Index)]);
    if (autoScan.blocks())
        return;
    writeRegisterValue(kPowerMode, 0);
    SetTrimAccess(0);
    const bool discharge = Index == kDischarge;
    tbRegdata[kTestDirection].Text = vb::Hex(discharge ? kTestForceDischarge : kTestForceCharge);
    cbCurDir[kCharge].Value = !discharge;
    cbCurDir[kDischarge].Value = discharge;
    cbWrite_Click(kTestDirection);
    ReadStatus_Click();
}

void KVN58C3_Main::CbCurErr_Click(int Index)
{
    if (Index < kChargeOverCurrent || Index > kDischargeShort)
        return;
    traceDemo(p, kFaultTitles[static_cast<std::size_t>(Index)]);
    if (autoScan.blocks())
        return;
    SetTrimAccess(0);
    ReadStatus.BackColor = vb::kRunning;
    // From a clean state: normal power, the chip monitoring, no fault forced.
    writeRegisterValue(kPowerMode, 0);
    writeRegisterValue(kUcControl, 0);
    writeRegisterValue(kTestFault, 0);
    Wait_Time(kSettleSeconds);
    const bool charge = Index == kChargeOverCurrent;
    // The host takes over monitoring of the current it forces.
    writeRegisterValue(kUcControl, charge ? kUcCmon : kUcLmon);
    tbRegdata[kTestDirection].Text = vb::Hex(charge ? kTestForceCharge : kTestForceDischarge);
    const Bits fault = Index == kDischargeShort ? kTestFaultDsc
        : Index == kDischargeOverCurrent        ? kTestFaultDoc
                                                : kTestFaultCoc;
    tbRegdata[kTestFault].Text = vb::Hex(fault);
    CbCurErr[kDischargeShort].Value = Index == kDischargeShort;
    CbCurErr[kDischargeOverCurrent].Value = Index == kDischargeOverCurrent;
    CbCurErr[kChargeOverCurrent].Value = Index == kChargeOverCurrent;
    cbWrite_Click(kTestDirection);
    cbWrite_Click(kTestFault);
    Wait_Time(kFaultSeconds);
    ReadStatus_Click();
}

void KVN58C3_Main::Command6_Click()
{
    traceDemo(p, "Clear Force Current (Test Mode) Condition");
    if (autoScan.blocks())
        return;
    SetTrimAccess(0);
    cbCurDir[kCharge].Value = false;
    cbCurDir[kDischarge].Value = false;
    writeRegisterValue(kTestDirection, 0);
    ReadStatus_Click();
}

void KVN58C3_Main::Command7_Click()
{
    traceDemo(p, "Clear [COC,DOC,DSC] Over Current (Test Mode) Condition");
    if (autoScan.blocks())
        return;
    SetTrimAccess(0);
    CbCurErr[kDischargeShort].Value = false;
    CbCurErr[kDischargeOverCurrent].Value = false;
    CbCurErr[kChargeOverCurrent].Value = false;
    tbRegdata[kTestDirection].Text = vb::Hex(0);
    tbRegdata[kTestFault].Text = vb::Hex(0);
    cbWrite_Click(kTestDirection);
    cbWrite_Click(kTestFault);
    writeRegisterValue(kUcControl, 0);
    ReadStatus.BackColor = vb::kRunning;
    Wait_Time(kSettleSeconds);
    ReadStatus_Click();
}

}  // namespace chip
