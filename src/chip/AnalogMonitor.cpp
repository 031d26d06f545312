// The analog monitor: channel and current gain of register 0x85, an
// on-demand 14-bit conversion and its result at 0xAA/0xAB.
#include <array>

#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "chip/MonitorChannels.h"
#include "link/UsbLink.h"
#include "vb/Numbers.h"

namespace chip {

using namespace chipreg;

namespace {

// One selection row of the frame: its caption, the list and the list's first text.
template <std::size_t N>
void placeChoice(ui::Label& caption, const char* captionText, ui::ComboBox& list,
    const std::array<std::string_view, N>& names, const char* text, const char* tip, ui::Frame& fr, int y)
{
    ui::place(caption, fr, {10, y + 2, 120, 18}, captionText);
    for (std::string_view name : names)
        list.AddItem(std::string(name));
    ui::place(list, fr, {134, y, 110, 22}, {}, tip).Text = text;
}

}  // namespace

void layOutAnalogMonitor(KVN58C3_Main& f)
{
    ui::Frame& fr = f.FrAnalogMon;
    ui::place(fr, {f.SSTab1, kPageControl}, {kControlLeftX, 6, kControlFrameWidth, 116}, "Analog Monitor (0x85)");
    placeChoice(f.lblVoltageMon, "Monitor Channel", f.tbVoltageMon, kMonitorChannelNames, "CELL1",
        "Signal routed to the 14-bit A/D converter", fr, 22);
    ui::place(f.cbWriteVoltMon, fr, {252, 20, 100, 26}, "Convert", "Select the channel, convert it and read the result",
        [&f] { f.cbWriteVoltMon_Click(); });
    ui::place(f.cbReadVoltMon, fr, {358, 20, 100, 26}, "Read", "Read the selected channel back from 0x85",
        [&f] { f.cbReadVoltMon_Click(); });

    placeChoice(f.lblCurrentGain, "Current Gain", f.tbCurrentGain, kCurrentGainNames, "50x",
        "Current-sense amplifier gain", fr, 54);
    ui::place(f.cbWriteCurrentGain, fr, {252, 52, 100, 26}, "Write", "Write the current gain to 0x85",
        [&f] { f.cbWriteCurrentGain_Click(); });
    ui::place(f.cbReadCurrentGain, fr, {358, 52, 100, 26}, "Read", "Read the current gain back from 0x85",
        [&f] { f.cbReadCurrentGain_Click(); });

    ui::place(f.lblValue, fr, {10, 88, 120, 18}, "A/D Result (hex)");
    ui::place(f.tbValue, fr, {134, 86, 110, 22}, {}, "Last 14-bit result, registers 0xAB:0xAA").Text = "0";
}

void KVN58C3_Main::cbWriteVoltMon_Click() { convertMonitor(); }

bool KVN58C3_Main::convertMonitor()
{
    if (autoScan.blocks())
        return false;
    selectConfigRam(*this);
    // The host takes the scan over while it converts, so the chip's own scan
    // cannot switch the converter away in the middle.
    writeRegisterValue(kUcControl, kUcScan);
    writeRegisterValue(kMemoryMode, kModeConfigRam);
    if (tbVoltageMon.ListIndex < 0)
        tbVoltageMon.ListIndex = kMonCell1;
    writeMonitorChannel();
    const bool converted = Read_KVN58C3_AD();
    restoreRegisterValue(kUcControl, 0);
    cbRAMEnable.BackColor = vb::kRunning;
    return converted;
}

void KVN58C3_Main::writeMonitorChannel()
{
    // The gain is kept from the image; bit 7 is not ours and is dropped.
    writeRegisterValue(kMonitor, (tbVoltageMon.ListIndex + kMonitorStart) | (regValue(kMonitor) & kMonitorGainMask));
}

void KVN58C3_Main::writeCurrentGain(int index)
{
    tbCurrentGain.ListIndex = index;
    cbWriteCurrentGain_Click();
}

void KVN58C3_Main::cbWriteCurrentGain_Click()
{
    if (autoScan.blocks())
        return;
    selectConfigRam(*this);
    if (tbCurrentGain.ListIndex < 0)
        tbCurrentGain.ListIndex = 0;
    const long kept = regValue(kMonitor) & ~static_cast<long>(kMonitorGainMask) & 0xFF;
    writeRegisterValue(kMonitor, kept | (tbCurrentGain.ListIndex << kMonitorGainShift));
    cbRAMEnable.BackColor = vb::kRunning;
}

void KVN58C3_Main::cbReadVoltMon_Click()
{
    if (autoScan.blocks())
        return;
    selectConfigRam(*this);
    cbRead_Click(kMonitor);
    tbVoltageMon.ListIndex = static_cast<int>(regValue(kMonitor) & kMonitorChannelMask);
    cbRAMEnable.BackColor = vb::kRunning;
}

void KVN58C3_Main::cbReadCurrentGain_Click()
{
    if (autoScan.blocks())
        return;
    selectConfigRam(*this);
    cbRead_Click(kMonitor);
    tbCurrentGain.ListIndex = gainIndexOf(regValue(kMonitor));
    cbRAMEnable.BackColor = vb::kRunning;
}

bool KVN58C3_Main::Read_KVN58C3_AD()
{
    usb::UsbLink& link = p.link();
    // Without a board the register writes before this have said so already.
    if (!link.UsbConnected)
        return false;
    link.FlushHidInput();
    std::uint8_t address = link.I2CAddress;
    std::uint8_t readCount = 2;
    std::uint8_t writeCount = 1;
    const std::uint8_t reg = kMonitorResult;
    std::array<std::uint8_t, 2> result{};
    if (link.I2cReadRetry(address, readCount, writeCount, result.data(), &reg, 0) != usb::kStatusAck) {
        // After the link's own box was answered Retry ("return to GUI") one box is enough.
        if (!p.rt().operationAbandoned())
            p.rt().MsgBox("KVN58C3 Read AD Nack");
        return false;
    }
    // Shown as read, all 16 bits: a result past the 14 bits stays visible
    // instead of wrapping negative; the scaling takes only the 14 bits.
    tbValue.Text = vb::Hex(result[1] * 256L + result[0]);
    return true;
}

}  // namespace chip
