// Start, stop and rate of the auto scan, and the scan synchronisation switch.
#include "chip/KVN58C3_Main.h"
#include "vb/Numbers.h"

namespace chip {

namespace {
constexpr int kFastestTickMs = 20;
}  // namespace

int KVN58C3_Main::autoRateInterval() const
{
    if (cbAutorate.Text == "Min")
        return kFastestTickMs;
    // Held in 32 bits so "60" really means 60 s. A rate that is not a positive
    // number would never tick, and a stop request would then never complete.
    const double ms = vb::Val(cbAutorate.Text.get()) * 1000.0;
    if (!(ms >= kFastestTickMs))
        return kFastestTickMs;
    return static_cast<int>(vb::CLng(ms));
}

void KVN58C3_Main::cbAutoScan_Click()
{
    Timer2.Interval = autoRateInterval();
    if (cbAutoScan.BackColor == vb::kIdle) {
        p.AutoScanActive = true;
        cbAutoScan.BackColor = vb::kRunning;
        Timer2.Enabled = true;
        cbAutoScan.Caption = "Auto Scan STOP";
        cbReadV.Enabled = false;
    } else {
        // The next tick completes the stop.
        Timer2.Enabled = true;
        cbAutoScan.Caption = "Auto Scan START";
        p.AutoScanActive = false;
        cbReadV.Enabled = true;
    }
}

void KVN58C3_Main::cbAutorate_Change()
{
    // While idle the timer stays enabled at interval 0; giving it an interval
    // then would start scanning with the button still showing idle.
    if (cbAutoScan.BackColor != vb::kRunning)
        return;
    Timer2.Interval = autoRateInterval();
}

void KVN58C3_Main::ChkSyncuPdoescan_Click()
{
    // Waiting for the chip's own scan makes no sense while the host does the scan.
    if (ChkSyncuPdoescan.Value == 1)
        cbuCControl4[chipreg::bitNumber(chipreg::kUcScan)].Value = 0;
}

void KVN58C3_Main::cbuCControl4_Click(int Index)
{
    if (!cbuCControl4.exists(Index))
        return;
    writeRegisterBit(chipreg::kUcControl, Index, cbuCControl4[Index].Value == 1);
}

}  // namespace chip
