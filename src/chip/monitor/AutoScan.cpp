// The auto-scan tick and the wait for the chip's own scan, bounded by TimerSync.
#include "chip/KVN58C3_Main.h"
#include "link/UsbLink.h"

namespace chip {

namespace {
constexpr int kTimeoutPauseMs = 1000;
}  // namespace

void KVN58C3_Main::Timer2_Timer()
{
    // A scan showing busy is beneath this tick on the one thread (its waits let
    // the tick run), so waiting for it here would never end: this tick gives
    // way and the next one scans.
    if (cbReadV.BackColor == vb::kRunning)
        return;
    cbReadV_Click();
    if (cbRecord.BackColor == vb::kRunning)
        writeRecordLine();
    if (cbAutoScan.BackColor == vb::kRunning && cbAutoScan.Caption.get() == "Auto Scan START") {
        Timer2.Interval = 0;
        cbAutoScan.BackColor = vb::kIdle;
    }
}

void KVN58C3_Main::TimerSync_Timer()
{
    SyncTimeout = true;
    SyncRun = false;
    TimerSync.Enabled = false;
    p.rt().DoEvents();
}

void KVN58C3_Main::cmdAbortSync_Click()
{
    SyncRun = false;
    p.rt().DoEvents();
}

void KVN58C3_Main::syncWithChipScan(std::uint8_t* buffer, std::uint8_t* address)
{
    if (ChkSyncuPdoescan.Value == 1)
        waitForChipScan(buffer, address);
    // A time-out stays on show, pause included, until a wait starts again.
    if (SyncTimeout) {
        LEDSync[0].FillColor = vb::QBColor(12);
        p.rt().DoEvents();
        p.rt().Sleep(kTimeoutPauseMs);
    }
}

void KVN58C3_Main::waitForChipScan(std::uint8_t* buffer, std::uint8_t* address)
{
    usb::UsbLink& link = p.link();
    link.FlushHidInput();
    address[0] = chipreg::kStatus2;
    SyncRun = true;
    SyncTimeout = false;
    TimerSync.Enabled = true;
    while (SyncRun) {
        std::uint8_t one = 1;
        std::uint8_t writeCount = 1;
        link.I2cRead(link.I2CAddress, one, writeCount, buffer, address);
        buffer[0] &= chipreg::kStatus2Adceoc;
        if (buffer[0] == chipreg::kStatus2Adceoc) {
            p.rt().DoEvents();
            continue;
        }
        SyncRun = false;
        LEDSync[0].FillColor = LEDSync[0].FillColor == vb::QBColor(9) ? vb::QBColor(10) : vb::QBColor(9);
        p.rt().DoEvents();
    }
    // Stopped once the wait is over: every wait gets its own full period, and a
    // wait the chip ended is never reported as timed out afterwards.
    TimerSync.Enabled = false;
}

}  // namespace chip
