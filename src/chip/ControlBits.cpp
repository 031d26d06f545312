// The control bits: check boxes of registers 0x84 (cell balancing), 0x86
// (monitor, clear-error and pack-shutdown bits), 0x87 (what the host
// microcontroller takes over) and 0x88, the read-back of all of them, and
// the cell-balance indicators. Each box click is a read-modify-write of its
// bit through the register image.
#include <array>

#include "chip/Captions.h"
#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "vb/Numbers.h"

namespace chip {

using namespace chipreg;

namespace {

constexpr const char* kRefreshCaption = "Read Control Registers";

struct BitBox {
    int bit;
    const char* caption;
    const char* toolTip;
};

constexpr std::array<BitBox, 5> kMonitorBits = {{
    {bitNumber(kFetPsd), "Pack Shut Down   (PSD Pin)", "Verify PSD Connections before activating this bit."},
    {bitNumber(kFetCmonEn), "Charge Mon Enable", ""},
    {bitNumber(kFetClrCer), "CLR Charge error", ""},
    {bitNumber(kFetLmonEn), "Load Mon Enable", ""},
    {bitNumber(kFetClrLerr), "CLR Load Error", ""},
}};

constexpr std::array<BitBox, 7> kHostBits = {{
    {bitNumber(kUcCbalOn), "Cell Balance On", ""},
    {bitNumber(kUcOwStrt), "Open Wire Start", ""},
    {bitNumber(kUcScan), "uC Does Scan", "Sets uC does scan bit."},
    {bitNumber(kUcCmon), "uC Does Charge Mon", ""},
    {bitNumber(kUcLmon), "uC Does Load Mon", ""},
    {bitNumber(kUcCbal), "uC Does Cell Bal", ""},
    {bitNumber(kUcFet), "uC Controls FETs", ""},
}};

// The form keeps unused places in some arrays: invisible boxes that no click reaches.
void placeholder(ui::CheckBox& box, std::string_view caption, ui::Control& container)
{
    ui::place(box, container, {0, 0, 10, 10}, caption).Visible = false;
}

vb::Color balanceColor(bool on) { return on ? vb::kRed : vb::kWhite; }

}  // namespace

void layOutControlBits(KVN58C3_Main& f)
{
    const ui::In page{f.SSTab1, kPageControl};
    // Cell balancing outputs of 0x84, two rows of four.
    ui::Frame& cb = f.FrCellBalanceBits;
    ui::place(cb, page, {kControlRightX, 6, kControlFrameWidth, 76}, "Cell Balance (0x84)");
    for (int i = 0; i < kCellCount; ++i)
        ui::place(f.cbuCControl1.add(i), cb, ui::inRows({10, 20, 100, 22}, i, 4, 114, 26), "CB" + vb::CStr(i + 1),
            "Balance cell " + vb::CStr(i + 1), [&f, i] { f.cbuCControl1_Click(i); });

    // Monitor, clear-error and pack-shutdown bits of 0x86; the FET bits have their buttons.
    ui::Frame& mon = f.FrMonitorBits;
    ui::place(mon, page, {kControlRightX, 88, kControlFrameWidth, 102}, "Monitor / Shut Down (0x86)");
    placeholder(f.cbuCControl3.add(0), "cbuCControl3 unused", mon);
    for (std::size_t k = 0; k < kMonitorBits.size(); ++k) {
        const BitBox& b = kMonitorBits[k];
        // Shut-down alone on the first row; the monitor and clear bits in pairs below.
        const int row = k == 0 ? 0 : 1 + static_cast<int>(k - 1) / 2;
        const int col = k == 0 ? 0 : static_cast<int>(k - 1) % 2;
        ui::place(f.cbuCControl3.add(b.bit), mon, {10 + col * 230, 20 + row * 26, 224, 22}, b.caption, b.toolTip,
            [&f, bit = b.bit] { f.cbuCControl3_Click(bit); });
    }

    // What the host microcontroller takes over, 0x87.
    ui::Frame& uc = f.FrUcControl;
    ui::place(uc, page, {kControlRightX, 196, kControlFrameWidth, 128}, "uC Control (0x87)");
    for (const BitBox& b : kHostBits)
        ui::place(f.cbuCControl4.add(b.bit), uc, ui::inColumns({10, 20, 224, 22}, b.bit, 4, 230, 26), b.caption,
            b.toolTip, [&f, bit = b.bit] { f.cbuCControl4_Click(bit); });
    placeholder(f.cbuCControl4.add(7), "cbuCControl4 unused", uc);
    f.cbuCControl4[7].Click = [&f] { f.cbuCControl4_Click(7); };
    // The power bits of 0x88 are set through the power modes; the array keeps
    // one unused box, at the design's index (bit 4 of 0x88 has no name).
    constexpr int kUnusedPowerBox = 4;
    placeholder(f.cbuCControl5.add(kUnusedPowerBox), "cbuCControl5 unused", uc);
    f.cbuCControl5[kUnusedPowerBox].Click = [&f] { f.cbuCControl5_Click(kUnusedPowerBox); };

    ui::place(f.cbuCCRefresh.add(0), page, {kControlRightX, 332, 200, 28}, kRefreshCaption,
        "Reads the status of all the uC control bits.", [&f] { f.cbuCCRefresh_Click(0); })
        .BackColor = vb::kIdle;

    // Cell balancing, one indicator per bit of 0x84, on the readings page beside the scan.
    ui::place(f.FrBalance, {f.SSTab1, kPageReadings}, {kReadingsRightX, 256, 326, 44}, "Cell Balance (0x84)");
    for (int i = 0; i < kCellCount; ++i) {
        auto& led = ui::place(f.cbLED.add(i), f.FrBalance, ui::Rect{10, 22, 13, 13}.moved(i * 39, 0), {},
            "Cell " + vb::CStr(i + 1) + " balancing");
        led.ShapeType = ui::Shape::Circle;
        led.FillColor = vb::kWhite;
        ui::place(f.lblBalance.add(i), f.FrBalance, ui::Rect{26, 20, 16, 18}.moved(i * 39, 0), vb::CStr(i + 1));
    }
}

void KVN58C3_Main::cbuCControl1_Click(int Index)
{
    if (!cbuCControl1.exists(Index))
        return;
    cbEnableRAM();
    writeRegisterBit(kCellBalance, Index, cbuCControl1[Index].Value == 1);
}

void KVN58C3_Main::cbuCControl3_Click(int Index)
{
    if (!cbuCControl3.exists(Index))
        return;
    // The question is still asked during an auto scan; only the write is held back.
    const bool blocked = autoScan.blocks();
    if (Index == bitNumber(kFetPsd) && cbuCControl3[Index].Value == 1) {
        const int answer = p.rt().MsgBox(
            "This may activate fail-safe circuitry, verify schematic.  Click OK to Continue, Cancel to Abort",
            ui::vbOKCancel);
        if (answer == ui::vbCancel) {
            // Unticking runs this handler again, which writes the bit clear.
            cbuCControl3[Index].Value = 0;
            return;
        }
    }
    if (blocked)
        return;
    selectConfigRam(*this);
    writeRegisterBit(kFetControl, Index, cbuCControl3[Index].Value == 1);
    cbRAMEnable.BackColor = vb::kRunning;
}

void KVN58C3_Main::cbuCControl4_Click(int Index)
{
    if (!cbuCControl4.exists(Index))
        return;
    const bool ticked = cbuCControl4[Index].Value == 1;
    const int scanBit = bitNumber(kUcScan);
    std::string message;
    if (Index == scanBit)
        message = ticked ? "Set uCSCAN uProc does Scan Ctrl Bit" : "Clear uCSCAN uProc does Scan Ctrl Bit";
    if (p.TraceOn)
        p.trace(p.TraceIndent1 + "uProc Control GUI Tab :" + message + "\r\n");
    selectConfigRam(*this);
    // A wait for the chip's own scan would never end once the host scans.
    cmdAbortSync_Click();
    p.rt().DoEvents();
    if (Index == scanBit && ticked)
        ChkSyncuPdoescan.Value = 0;
    writeRegisterBit(kUcControl, Index, ticked);
    cbRead_Click(kCellBalance);
    // Handing balancing to the chip or back changes the outputs: show them.
    if (Index == bitNumber(kUcCbal)) {
        const long outputs = regValue(kCellBalance);
        for (int i = 0; i < kCellCount; ++i) {
            const bool on = (outputs & (1L << i)) != 0;
            cbuCControl1[i].Value = on ? 1 : 0;
            cbLED[i].FillColor = balanceColor(on);
        }
    }
    cbRAMEnable.BackColor = vb::kRunning;
}

void KVN58C3_Main::cbuCControl5_Click(int Index)
{
    if (!cbuCControl5.exists(Index) || autoScan.blocks())
        return;
    selectConfigRam(*this);
    writeRegisterBit(kPowerMode, Index, cbuCControl5[Index].Value == 1);
    cbRAMEnable.BackColor = vb::kRunning;
}

void KVN58C3_Main::cbuCCRefresh_Click(int Index)
{
    if (!cbuCCRefresh.exists(Index))
        return;
    if (p.TraceOn)
        p.trace(p.TraceIndent1 + "uProc GUI Tab :" + "Read uProc Control Bits" + "\r\n");
    if (autoScan.blocks())
        return;
    ui::CommandButton& button = cbuCCRefresh[Index];
    if (button.Caption.get() == kBusy)
        return;
    button.Caption = kBusy;
    button.BackColor = vb::kRunning;
    selectConfigRam(*this);
    for (int r = kCellBalance; r <= kPowerMode; ++r)
        cbRead_Click(r);
    const long outputs = regValue(kCellBalance);
    const long host = regValue(kUcControl);
    for (int i = 0; i < 8; ++i) {
        cbLED[i].FillColor = balanceColor((outputs & (1L << i)) != 0);
        // A box that changes runs its click, which writes the bit back as read.
        cbuCControl4[i].Value = (host & (1L << i)) != 0 ? 1 : 0;
    }
    // An option that becomes selected writes its mode, as a click would.
    const long power = regValue(kPowerMode);
    for (int i = 0; i < kPowerModeBits; ++i)
        cbPower[i].Value = (power & (1L << i)) != 0;
    cbReadCurrentGain_Click();
    cbReadVoltMon_Click();
    cbRAMEnable.BackColor = vb::kRunning;
    button.Caption = kRefreshCaption;
    button.BackColor = vb::kButtonFace;
}

}  // namespace chip
