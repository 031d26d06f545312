// The auto scan: start, stop and rate, the tick, and the scan's optional wait
// for the chip's own scan, bounded by TimerSync.
#include "chip/AutoScan.h"

#include <algorithm>

#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "link/UsbLink.h"
#include "vb/Numbers.h"

namespace chip {

namespace {
constexpr int kFastestTickMs = 20;
constexpr int kTimeoutPauseMs = 1000;
constexpr const char* kStartCaption = "Auto Scan START";
constexpr const char* kStopCaption = "Auto Scan STOP";
}  // namespace

void layOutAutoScan(KVN58C3_Main& f)
{
    ui::place(f.cbAutoScan, {}, {6, 66, 130, 26}, kStartCaption, "Start / Stop Timer cycle to capture readings.",
        [&f] { f.cbAutoScan_Click(); });
    f.cbAutoScan.BackColor = vb::kIdle;
    for (const char* rate : {"Min", "1", "2", "5", "10", "15", "30", "60"})
        f.cbAutorate.AddItem(rate);
    ui::place(f.cbAutorate, {}, {140, 68, 60, 22}, {}, "Seconds between auto scans").Text = "Min";
    f.cbAutorate.Change = [&f] { f.cbAutorate_Change(); };
    ui::place(f.ChkSyncuPdoescan, {}, {210, 68, 290, 22}, "Sync uC Data Collection to Internal Scan",
        "Auto Scan will wait for internal scan clear before collecting measurements.",
        [&f] { f.ChkSyncuPdoescan_Click(); });
    f.Timer2.Tick = [&f] { f.Timer2_Timer(); };

    // Synchronisation indicator and its override, beside the scan buttons.
    const ui::In page{f.SSTab1, kPageReadings};
    auto& sync = ui::place(f.LEDSync.add(0), page, {kReadingsRightX + 6, 372, 14, 14}, {},
        "Scan sync: blue/green alternate per synchronised scan, red after a time-out");
    sync.ShapeType = ui::Shape::Circle;
    sync.FillColor = vb::kWhite;
    ui::place(f.cmdAbortSync, page, {kReadingsRightX + 28, 366, 126, 26}, "Abort Sync",
        "Over Ride Scan Sync Selection (Hangs if device goes to sleep)", [&f] { f.cmdAbortSync_Click(); });
    f.TimerSync.Tick = [&f] { f.TimerSync_Timer(); };
}

void loadAutoScan(KVN58C3_Main& f)
{
    f.autoScan.SyncRun = false;
    f.autoScan.SyncTimeout = false;
    f.TimerSync.Enabled = false;
}

// ---- Run state ----

void AutoScan::showState()
{
    f_.cbAutoScan.BackColor = state_ == State::Idle ? vb::kIdle : vb::kRunning;
    f_.cbAutoScan.Caption = state_ == State::Running ? kStopCaption : kStartCaption;
}

bool AutoScan::blocks()
{
    if (!running())
        return false;
    f_.program().rt().MsgBox("Operation Blocked during Auto scan. Please stop Auto scan before using this feature",
        ui::vbOKOnly | ui::vbExclamation);
    return true;
}

void AutoScan::start()
{
    f_.program().AutoScanActive = true;
    state_ = State::Running;
    f_.Timer2.Enabled = true;
    showState();
    f_.cbReadV.Enabled = false;
}

void AutoScan::requestStop()
{
    // The next tick completes the stop.
    f_.Timer2.Enabled = true;
    state_ = State::Stopping;
    showState();
    f_.program().AutoScanActive = false;
    f_.cbReadV.Enabled = true;
}

void AutoScan::stopNow()
{
    f_.Timer2.Interval = 0;
    state_ = State::Idle;
    showState();
    f_.program().AutoScanActive = false;
    f_.cbReadV.Enabled = true;
}

void AutoScan::endTick()
{
    if (state_ != State::Stopping)
        return;
    f_.Timer2.Interval = 0;
    state_ = State::Idle;
    showState();
}

int AutoScan::interval() const
{
    if (f_.cbAutorate.Text == "Min")
        return kFastestTickMs;
    // A typed rate gives its own interval, faster than "Min" too; 0 and text
    // that is no number mean "Min". A rate that is not positive would never
    // tick, and a stop request would then never complete; one below 1 ms
    // ticks every ms. Held in 32 bits so "60" really means 60 s.
    const double seconds = vb::Val(f_.cbAutorate.Text.get());
    if (!(seconds > 0))
        return kFastestTickMs;
    return std::max(1, static_cast<int>(vb::CLng(seconds * 1000.0)));
}

// ---- Handlers ----

void KVN58C3_Main::cbAutoScan_Click()
{
    Timer2.Interval = autoScan.interval();
    if (autoScan.running())
        autoScan.requestStop();
    else
        autoScan.start();
}

void KVN58C3_Main::cbAutorate_Change()
{
    // While idle the timer stays enabled at interval 0; giving it an interval
    // then would start scanning with the button still showing idle.
    if (!autoScan.running())
        return;
    Timer2.Interval = autoScan.interval();
}

void KVN58C3_Main::ChkSyncuPdoescan_Click()
{
    // Waiting for the chip's own scan makes no sense while the host does the scan.
    if (ChkSyncuPdoescan.Value == 1)
        cbuCControl4[chipreg::bitNumber(chipreg::kUcScan)].Value = 0;
}

void KVN58C3_Main::Timer2_Timer()
{
    // A scan showing busy is beneath this tick on the one thread (its waits let
    // the tick run), so waiting for it here would never end: this tick gives
    // way and the next one scans.
    if (cbReadV.BackColor == vb::kRunning)
        return;
    const int failed = failedTransfers;
    cbReadV_Click();
    // A failure answered with Retry ("return to GUI") stops the auto scan, so a
    // chip that stopped answering shows one box, not a few every tick.
    if (p.rt().operationAbandoned()) {
        autoScan.stopNow();
        return;
    }
    // Only a scan that read the chip makes a record.
    if (cbRecord.BackColor == vb::kRunning && failedTransfers == failed)
        writeRecordLine(*this);
    autoScan.endTick();
}

void KVN58C3_Main::TimerSync_Timer()
{
    autoScan.SyncTimeout = true;
    autoScan.SyncRun = false;
    TimerSync.Enabled = false;
    p.rt().DoEvents();
}

void KVN58C3_Main::cmdAbortSync_Click()
{
    autoScan.SyncRun = false;
    p.rt().DoEvents();
}

// ---- Synchronisation with the chip's own scan ----

void AutoScan::syncWithChipScan(std::uint8_t* buffer, std::uint8_t* address)
{
    if (f_.ChkSyncuPdoescan.Value == 1)
        waitForChipScan(buffer, address);
    // A time-out stays on show, pause included, until a wait starts again.
    if (SyncTimeout) {
        f_.LEDSync[0].FillColor = vb::QBColor(12);
        f_.program().rt().DoEvents();
        f_.program().rt().Sleep(kTimeoutPauseMs);
    }
}

void AutoScan::waitForChipScan(std::uint8_t* buffer, std::uint8_t* address)
{
    Program& p = f_.program();
    usb::UsbLink& link = p.link();
    link.FlushHidInput();
    address[0] = chipreg::kStatus2;
    SyncRun = true;
    SyncTimeout = false;
    f_.TimerSync.Enabled = true;
    // Not on after the scan this wait serves was given up.
    while (SyncRun && !p.rt().operationAbandoned()) {
        std::uint8_t one = 1;
        std::uint8_t writeCount = 1;
        link.I2cRead(link.I2CAddress, one, writeCount, buffer, address);
        buffer[0] &= chipreg::kStatus2Adceoc;
        if (buffer[0] == chipreg::kStatus2Adceoc) {
            p.rt().DoEvents();
            continue;
        }
        SyncRun = false;
        ui::Shape& led = f_.LEDSync[0];
        led.FillColor = led.FillColor == vb::QBColor(9) ? vb::QBColor(10) : vb::QBColor(9);
        p.rt().DoEvents();
    }
    // Stopped once the wait is over: every wait gets its own full period, and a
    // wait the chip ended is never reported as timed out afterwards.
    f_.TimerSync.Enabled = false;
}

}  // namespace chip
