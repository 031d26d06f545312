// Power modes of 0x88 ("State Control", "Set Sleep", "Power Down") and the
// walking cell-balance test, which hands balancing to the host and switches
// the eight outputs of 0x84 on and off in turn until it is stopped.
#include <array>

#include "adutil/frmADUtil.h"
#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "vb/Numbers.h"

namespace chip {

using namespace chipreg;

namespace {

enum PowerOption : int { kIdle = 0, kDoze, kSleep, kPowerDown, kNone, kPowerOptionCount };
constexpr std::array<const char*, kPowerOptionCount> kPowerCaptions = {"Idle", "Doze", "Sleep", "Power Down", "None"};
// The value each option writes to 0x88; power down writes nothing.
constexpr std::array<Bits, kPowerOptionCount> kPowerValues = {kPowerIdle, kPowerDoze, kPowerSleep, 0, 0};

// Pauses of the power-down path and of the walking test, in ms.
constexpr int kPowerDownPauseMs = 300;
constexpr int kWalkUpMs = 200;
constexpr int kWalkDownMs = 100;
constexpr int kWalkClearMs = 300;

// The host bits of 0x87 the walking test sets, in its order; balancing is
// switched on last, once the loop flag is set.
constexpr std::array<Bits, 3> kWalkHostBits = {kUcScan, kUcCbal, kUcLmon};
constexpr int kForceCharge = 0;

void setHostBit(KVN58C3_Main& f, Bits bit)
{
    const int i = bitNumber(bit);
    f.cbuCControl4[i].Value = 1;
    f.cbuCControl4_Click(i);
}

void setBalance(KVN58C3_Main& f, int i, bool on)
{
    f.cbuCControl1[i].Value = on ? 1 : 0;
    f.cbuCControl1_Click(i);
    f.program().rt().DoEvents();
}

// The walk goes on until a stop, or until one of its transfers failed and the
// user went back to the GUI.
bool walking(KVN58C3_Main& f) { return f.program().LoopRunning && !f.program().rt().operationAbandoned(); }

// One output on, then off, each for `ms`; false once the walk is to end.
bool walkStep(KVN58C3_Main& f, int i, int ms)
{
    if (f.program().rt().operationAbandoned())
        return false;
    setBalance(f, i, true);
    f.program().rt().Sleep(ms);
    setBalance(f, i, false);
    if (!walking(f))
        return false;
    f.program().rt().Sleep(ms);
    return true;
}

}  // namespace

void layOutPowerModes(KVN58C3_Main& f)
{
    // On the demonstration page, under the forced current direction.
    const ui::In page{f.SSTab1, kPageDemo};
    ui::place(f.FrPower, page, {kControlLeftX, 134, kControlFrameWidth, 86}, "State Control");
    for (int i = 0; i < kPowerOptionCount; ++i) {
        auto& o = f.cbPower.add(i);
        // Running modes on the first row, power down and none below.
        const int row = i < kPowerDown ? 0 : 1;
        const int col = i < kPowerDown ? i : i - kPowerDown;
        ui::place(o, f.FrPower, {10 + col * 104, 22 + row * 28, 100, 24}, kPowerCaptions[static_cast<std::size_t>(i)],
            {}, [&f, i] { f.cbPower_Click(i); });
        o.LostFocus = [&f, i] { f.cbPower_LostFocus(i); };
    }
    ui::place(f.cmdSetSleep, f.FrPower, {340, 22, 126, 28}, "Set Sleep", {}, [&f] { f.cmdSetSleep_Click(); });

    ui::place(f.FrTestUtil, page, {kControlLeftX, 226, kControlFrameWidth, 62}, "Test Utililties");
    ui::place(f.cmdCBTest, f.FrTestUtil, {10, 22, 126, 28}, "CB Test", "Cycle through CB Led's to verify functionality",
        [&f] { f.cmdCBTest_Click(); });
    ui::place(f.cmdStopTest, f.FrTestUtil, {146, 22, 100, 28}, "Stop", "Stop CB output cycling",
        [&f] { f.cmdStopTest_Click(); });
    f.cmdStopTest.Visible = false;
}

void KVN58C3_Main::cbPower_Click(int Index)
{
    if (Index < 0 || Index >= kPowerOptionCount)
        return;
    if (p.TraceOn)
        p.trace(p.TraceIndent1 + p.TraceIndent1 + "uProc GUI Tab :" + "Set Device Mode via uProc Control" + "\r\n");
    const bool blocked = autoScan.blocks();
    if (Index != kPowerDown) {
        if (blocked)
            return;
        selectConfigRam(*this);
        // The value read is not used: the bits above the mode are written as 0.
        cbRead_Click(kPowerMode);
        writeRegisterValue(kPowerMode, kPowerValues[static_cast<std::size_t>(Index)]);
        cbRAMEnable.BackColor = vb::kRunning;
        return;
    }
    // Power down is asked and acted on even during an auto scan: it writes no register.
    const int answer =
        p.rt().MsgBox("This may require complete power recycle if activiated.  Click OK to Continue, Cancel to Abort",
            ui::vbOKCancel);
    if (answer == ui::vbOK) {
        // Its stop also ends any other long loop (the walking test): they share LoopRunning.
        p.form<adutil::frmADUtil>().SSCmdStop_Click();
        p.rt().Sleep(kPowerDownPauseMs);
        mnuDisableI2C_Click();
    } else {
        p.rt().Sleep(kPowerDownPauseMs);
        cbPower[kPowerDown].Value = false;
    }
}

void KVN58C3_Main::cbPower_LostFocus(int /*Index*/)
{
    // A selection shows only while the group has the focus, so clicking the
    // same option again writes its mode again.
    cbPower.forEach([](int, ui::OptionButton& o) { o.Value = false; });
}

void KVN58C3_Main::cmdSetSleep_Click()
{
    cbEnableRAM();
    cbRead_Click(kPowerMode);
    writeRegisterValue(kPowerMode, kPowerSleep);
}

void KVN58C3_Main::cmdCBTest_Click()
{
    ui::Runtime& rt = p.rt();
    // A walk started inside another long loop (an A/D run) leaves the shared flag to it.
    const bool outerLoop = p.LoopRunning;
    cmdStopTest.Visible = true;
    for (Bits bit : kWalkHostBits)
        if (!rt.operationAbandoned())
            setHostBit(*this, bit);
    p.LoopRunning = true;
    if (!rt.operationAbandoned())
        setHostBit(*this, kUcCbalOn);
    p.LoopRunning = true;
    if (!rt.operationAbandoned())
        cbCurDir[kForceCharge].Value = true;

    while (walking(*this)) {
        for (int i = 0; i < kCellCount; ++i)
            if (!walkStep(*this, i, kWalkUpMs))
                break;
        // A stop during the upward sweep still lets the downward one take its first step.
        for (int i = kCellCount - 1; i >= 0; --i)
            if (!walkStep(*this, i, kWalkDownMs))
                break;
    }
    for (int i = 0; i < kCellCount && !rt.operationAbandoned(); ++i) {
        setBalance(*this, i, false);
        rt.Sleep(kWalkClearMs);
    }
    if (rt.operationAbandoned()) {
        // Given up after a failure: no output may stay on while its box shows
        // it off. The boxes first (their clicks make no transfer now), then
        // one write of all eight outputs off.
        for (int i = 0; i < kCellCount; ++i)
            cbuCControl1[i].Value = 0;
        restoreRegisterValue(kCellBalance, 0);
        if (!outerLoop)
            p.LoopRunning = false;
    }
    cmdStopTest.Visible = false;
}

void KVN58C3_Main::cmdStopTest_Click() { p.LoopRunning = false; }

}  // namespace chip
