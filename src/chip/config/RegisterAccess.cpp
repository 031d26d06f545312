// Single register reads and writes through the register image tbRegdata.
#include <array>
#include <cctype>

#include "chip/KVN58C3_Main.h"
#include "link/UsbLink.h"
#include "vb/Numbers.h"
#include "vb/Strings.h"

namespace chip {

namespace {

constexpr int kLockWaitMs = 2;
constexpr int kWriteRetryPauseMs = 30;

// A register text the write accepts: one or two hex digits, blanks around ignored.
bool registerByte(const std::string& text, std::uint8_t& value)
{
    const std::string t = vb::Trim(text);
    if (t.empty() || t.size() > 2)
        return false;
    for (char c : t)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    value = static_cast<std::uint8_t>(vb::HexValue(t));
    return true;
}

}  // namespace

void KVN58C3_Main::takeI2CLock()
{
    // A holder that never let go (a handler ended by a box, say) must not block for ever.
    const std::uint32_t start = p.rt().timeGetTime();
    while (p.I2CBusy) {
        p.rt().DoEvents();
        if (p.rt().timeGetTime() - start >= kLockWaitMs)
            p.I2CBusy = false;
    }
    p.I2CBusy = true;
}

bool KVN58C3_Main::checkConnected()
{
    if (p.link().UsbConnected)
        return true;
    p.rt().MsgBox("USB Device not connected!");
    p.I2CBusy = false;
    return false;
}

void KVN58C3_Main::showAck(int status)
{
    ShpNak.FillColor = status == usb::kStatusAck ? vb::QBColor(10) : vb::QBColor(12);
}

void KVN58C3_Main::traceRegister(const char* what, int Index)
{
    if (!p.TraceOn)
        return;
    p.trace(p.TraceIndent1);
    p.trace(std::string(what) + usb::ByteToHex2(static_cast<std::uint8_t>(Index)) + " = &H" +
            tbRegdata[Index].Text.get());
    p.trace("\r\n");
}

void KVN58C3_Main::cbRead_Click(int Index)
{
    if (!tbRegdata.exists(Index))
        return;
    takeI2CLock();
    if (!checkConnected())
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
    showAck(status);
    p.I2CBusy = false;
    p.rt().DoEvents();
    traceRegister("I2C Register Read  &H", Index);
}

void KVN58C3_Main::cbWrite_Click(int Index)
{
    if (!tbRegdata.exists(Index))
        return;
    takeI2CLock();
    if (!checkConnected())
        return;
    ui::TextBox& box = tbRegdata[Index];
    std::uint8_t value = 0;
    if (!registerByte(box.Text, value)) {
        // Writing 0 for a typo could set a protection threshold to nothing: refuse instead.
        p.I2CBusy = false;
        p.rt().MsgBox("Register " + usb::ByteToHex2(static_cast<std::uint8_t>(Index)) + ": \"" + box.Text.get() +
                          "\" is not a register value. Enter 00 to FF.",
                      ui::vbOKOnly | ui::vbExclamation);
        return;
    }
    box.Text = usb::ByteToHex2(value);  // pads a one-digit text

    usb::UsbLink& link = p.link();
    const std::array<std::uint8_t, 2> data = {static_cast<std::uint8_t>(Index), value};
    // A lone missed acknowledge is retried quietly; the second one is reported.
    int status = link.I2cWriteRetry(link.I2CAddress, 2, data.data(), 1);
    if (status != usb::kStatusAck) {
        showAck(status);
        p.rt().Sleep(kWriteRetryPauseMs);
        status = link.I2cWriteRetry(link.I2CAddress, 2, data.data(), 0);
    }
    showAck(status);
    p.I2CBusy = false;
    p.rt().DoEvents();
    traceRegister("I2C Register Write &H", Index);
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
