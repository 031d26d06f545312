// Single register reads and writes through the register image tbRegdata.
#include <array>
#include <cctype>

#include "chip/KVN58C3_Main.h"
#include "link/UsbLink.h"
#include "vb/Color.h"
#include "vb/Numbers.h"
#include "vb/Strings.h"

namespace chip {

namespace {

constexpr int kLockWaitMs = 2;
constexpr int kWriteRetryPauseMs = 30;
// The acknowledge indicator ShpNak.
constexpr vb::Color kAckColor = vb::QBColor(10);
constexpr vb::Color kNakColor = vb::QBColor(12);

// The byte a register text stands for: hex digits only (blanks around
// ignored, any case, leading zeros allowed) with a value of at most FF.
bool registerByte(const std::string& text, std::uint8_t& value)
{
    const std::string t = vb::Trim(text);
    if (t.empty())
        return false;
    for (char c : t)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    const std::size_t significant = t.find_first_not_of('0');
    if (significant != std::string::npos && t.size() - significant > 2)
        return false;
    value = static_cast<std::uint8_t>(vb::HexValue(t));
    return true;
}

}  // namespace

bool KVN58C3_Main::beginRegisterTransfer(int Index)
{
    if (!tbRegdata.exists(Index))
        return false;
    // A holder that never let go (a handler ended by a box, say) must not block for ever.
    const std::uint32_t start = p.rt().timeGetTime();
    while (p.I2CBusy) {
        p.rt().DoEvents();
        if (p.rt().timeGetTime() - start >= kLockWaitMs)
            p.I2CBusy = false;
    }
    p.I2CBusy = true;
    if (p.link().UsbConnected)
        return true;
    p.rt().MsgBox("USB Device not connected!");
    p.I2CBusy = false;
    return false;
}

void KVN58C3_Main::endRegisterTransfer(int status, const char* what, int Index)
{
    ShpNak.FillColor = status == usb::kStatusAck ? kAckColor : kNakColor;
    p.I2CBusy = false;
    p.rt().DoEvents();
    if (!p.TraceOn)
        return;
    p.trace(p.TraceIndent1);
    p.trace(
        std::string(what) + usb::ByteToHex2(static_cast<std::uint8_t>(Index)) + " = &H" + tbRegdata[Index].Text.get());
    p.trace("\r\n");
}

void KVN58C3_Main::cbRead_Click(int Index)
{
    if (!beginRegisterTransfer(Index))
        return;
    usb::UsbLink& link = p.link();
    std::uint8_t address = link.I2CAddress;
    std::uint8_t readCount = 1;
    std::uint8_t writeCount = 1;
    const std::uint8_t reg = static_cast<std::uint8_t>(Index);
    std::uint8_t data = 0;
    link.FlushHidInput();
    const int status = link.I2cReadRetry(address, readCount, writeCount, &data, &reg, 0);
    if (status == usb::kStatusAck)
        tbRegdata[Index].Text = usb::ByteToHex2(data);
    endRegisterTransfer(status, "I2C Register Read  &H", Index);
}

void KVN58C3_Main::cbWrite_Click(int Index)
{
    if (!beginRegisterTransfer(Index))
        return;
    ui::TextBox& box = tbRegdata[Index];
    std::uint8_t value = 0;
    if (!registerByte(box.Text, value)) {
        // Writing 0 for a typo could set a protection threshold to nothing: refuse instead.
        p.I2CBusy = false;
        p.rt().MsgBox("Register &H" + usb::ByteToHex2(static_cast<std::uint8_t>(Index)) + " was not written: \"" +
                box.Text.get() + "\" is not a hexadecimal value from 00 to FF.",
            ui::vbOKOnly | ui::vbExclamation);
        return;
    }
    if (box.Text->size() == 1)
        box.Text = "0" + box.Text.get();

    usb::UsbLink& link = p.link();
    const std::array<std::uint8_t, 2> data = {static_cast<std::uint8_t>(Index), value};
    // A late answer to an earlier transfer would pass for this write's acknowledge.
    link.FlushHidInput();
    // A lone missed acknowledge is retried quietly; the second one is reported.
    int status = link.I2cWriteRetry(link.I2CAddress, 2, data.data(), 1);
    if (status != usb::kStatusAck) {
        ShpNak.FillColor = kNakColor;
        p.rt().Sleep(kWriteRetryPauseMs);
        status = link.I2cWriteRetry(link.I2CAddress, 2, data.data(), 0);
    }
    endRegisterTransfer(status, "I2C Register Write &H", Index);
}

void KVN58C3_Main::writeRegisterBit(int reg, int bit, bool set)
{
    cbRead_Click(reg);
    long v = vb::HexValue(tbRegdata[reg].Text.get());
    const long mask = 1L << bit;
    v = set ? (v | mask) : (v & ~mask);
    tbRegdata[reg].Text = vb::Hex(v & 0xFF);
    cbWrite_Click(reg);
}

void KVN58C3_Main::Wait_Time(double seconds)
{
    constexpr double kDay = 86400.0;
    const double start = p.rt().Timer();
    for (;;) {
        double elapsed = p.rt().Timer() - start;
        if (elapsed < 0)
            elapsed += kDay;  // the wait went past midnight
        if (elapsed >= seconds)
            return;
        p.rt().DoEvents();
    }
}

}  // namespace chip
