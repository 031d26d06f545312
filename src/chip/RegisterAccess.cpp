// The register map: one row per register with its name, the register image
// tbRegdata and R/W buttons; single reads and writes through the image, the
// I2C lock around them and the acknowledge indicator.
#include <array>
#include <cctype>

#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "chip/RegisterNames.h"
#include "link/UsbLink.h"
#include "program/I2cLock.h"
#include "vb/Color.h"
#include "vb/Numbers.h"
#include "vb/Strings.h"

namespace chip {

namespace {

constexpr int kRowPitch = 20;
constexpr int kRowsPerColumn = 20;
constexpr int kColumnWidth = 246;

struct RegisterPage {
    int page, first, last;
};
constexpr std::array<RegisterPage, 4> kRegisterPages = {{
    {kPageConfig, chipreg::kConfigFirst, chipreg::kConfigLast},
    {kPageUser, chipreg::kUserFirst, chipreg::kUserLast},
    {kPageStatus, chipreg::kStatusFirst, chipreg::kLiveLast},
    {kPageTest, chipreg::kTrimFirst, chipreg::kTestLast},
}};

// A single register transfer waits this long for another holder of the path.
constexpr I2cWait kLockWait = I2cWait::millis(2);
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

// Whether a single register transfer may start: a register with a box, an
// operation the user has not given up.
bool transferWanted(KVN58C3_Main& f, Program& p, int Index)
{
    if (!f.tbRegdata.exists(Index))
        return false;
    if (p.rt().operationAbandoned()) {
        ++f.failedTransfers;
        return false;
    }
    return true;
}

// With the path held: false, the lock released, when there is no board
// ("USB Device not connected!").
bool boardThere(KVN58C3_Main& f, Program& p, I2cLock& lock)
{
    if (p.link().UsbConnected)
        return true;
    lock.release();
    ++f.failedTransfers;
    p.rt().MsgBox("USB Device not connected!");
    // One box per user action: the rest of it has no board to talk to either.
    p.rt().abandonOperation();
    return false;
}

// End of it: the acknowledge indicator, the lock released, pending events, the trace line.
void endRegisterTransfer(KVN58C3_Main& f, Program& p, I2cLock& lock, int status, const char* what, int Index)
{
    f.ShpNak.FillColor = status == usb::kStatusAck ? kAckColor : kNakColor;
    if (status != usb::kStatusAck)
        ++f.failedTransfers;
    lock.release();
    p.rt().DoEvents();
    if (!p.TraceOn)
        return;
    p.trace(p.TraceIndent1);
    p.trace(std::string(what) + usb::ByteToHex2(static_cast<std::uint8_t>(Index)) + " = &H" +
        f.tbRegdata[Index].Text.get());
    p.trace("\r\n");
}

}  // namespace

void layOutRegisterMap(KVN58C3_Main& f)
{
    ui::place(f.FrI2C, {}, {6, 2, 150, 58}, "I2C Disabled");
    ui::place(f.FrNak, f.FrI2C, {8, 16, 60, 36}, "NAK").Visible = false;
    ui::place(f.ShpNak, f.FrNak, {20, 14, 16, 16}).FillColor = vb::kWhite;

    for (const RegisterPage& page : kRegisterPages) {
        const ui::In in{f.SSTab1, page.page};
        for (int i = page.first; i <= page.last; ++i) {
            // A register's row: address, name, value box, read and write.
            const ui::Rect row =
                ui::inColumns({6, 8, kColumnWidth, kRowPitch}, i - page.first, kRowsPerColumn, kColumnWidth, kRowPitch);
            const int x = row.x, y = row.y;
            ui::place(f.lblRegAddr.add(i), in, {x, y + 2, 22, 18}, usb::ByteToHex2(static_cast<std::uint8_t>(i)));
            ui::place(f.RegName.add(i), in, {x + 24, y + 2, 124, 18});
            ui::place(f.tbRegdata.add(i), in, {x + 150, y, 30, 19}).Text = registerDesignText(i);
            ui::place(f.cbRead.add(i), in, {x + 182, y, 26, 19}, "R", "Read register " + vb::Hex(i),
                [&f, i] { f.cbRead_Click(i); });
            ui::place(f.cbWrite.add(i), in, {x + 210, y, 26, 19}, "W", "Write register " + vb::Hex(i),
                [&f, i] { f.cbWrite_Click(i); });
        }
    }
    // Names of addresses past the map exist for the table's sake only.
    for (int i = chipreg::kLastRegister + 1; i < kRegNameCount; ++i)
        f.RegName.add(i).Visible = false;
}

void loadRegisterNames(KVN58C3_Main& f)
{
    for (int i = 0; i < kRegNameCount; ++i)
        f.RegName[i].Caption = registerName(i);
}

void KVN58C3_Main::cbRead_Click(int Index)
{
    if (!transferWanted(*this, p, Index))
        return;
    I2cLock lock(p, kLockWait);
    if (!boardThere(*this, p, lock))
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
        registerImage.setByte(Index, data);
    endRegisterTransfer(*this, p, lock, status, "I2C Register Read  &H", Index);
}

void KVN58C3_Main::cbWrite_Click(int Index)
{
    if (!transferWanted(*this, p, Index))
        return;
    I2cLock lock(p, kLockWait);
    if (!boardThere(*this, p, lock))
        return;
    ui::TextBox& box = tbRegdata[Index];
    std::uint8_t value = 0;
    if (!registerByte(box.Text, value)) {
        // Writing 0 for a typo could set a protection threshold to nothing: refuse instead.
        lock.release();
        p.rt().MsgBox("Register &H" + usb::ByteToHex2(static_cast<std::uint8_t>(Index)) + " was not written: \"" +
                box.Text.get() + "\" is not a hexadecimal value from 00 to FF.",
            ui::vbOKOnly | ui::vbExclamation);
        // One box per operation: a register loop stops here, for the user to mend the text.
        p.rt().abandonOperation();
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
    endRegisterTransfer(*this, p, lock, status, "I2C Register Write &H", Index);
}

void KVN58C3_Main::writeRegisterBit(int reg, int bit, bool set)
{
    cbRead_Click(reg);
    long v = regValue(reg);
    const long mask = 1L << bit;
    v = set ? (v | mask) : (v & ~mask);
    tbRegdata[reg].Text = vb::Hex(v & 0xFF);
    cbWrite_Click(reg);
}

long KVN58C3_Main::regValue(int addr) const { return registerImage.value(addr); }

const std::string& KVN58C3_Main::readRegister(int reg)
{
    cbRead_Click(reg);
    return registerImage.text(reg);
}

void KVN58C3_Main::writeRegisterValue(int reg, long value)
{
    tbRegdata[reg].Text = vb::Hex(value);
    cbWrite_Click(reg);
}

void KVN58C3_Main::restoreRegisterValue(int reg, long value)
{
    if (!p.rt().operationAbandoned()) {
        writeRegisterValue(reg, value);
        return;
    }
    // The user went back to the GUI from a failure: the operation's other
    // transfers are skipped, but the chip must not stay in its state. One
    // attempt, no box (one box per failing operation).
    tbRegdata[reg].Text = usb::ByteToHex2(static_cast<std::uint8_t>(value));
    usb::UsbLink& link = p.link();
    if (!link.UsbConnected)
        return;
    I2cLock lock(p, kLockWait);
    const std::array<std::uint8_t, 2> data = {static_cast<std::uint8_t>(reg), static_cast<std::uint8_t>(value)};
    link.FlushHidInput();
    const int status = link.I2cWrite(link.I2CAddress, 2, data.data());
    ShpNak.FillColor = status == usb::kStatusAck ? kAckColor : kNakColor;
    if (status != usb::kStatusAck)
        ++failedTransfers;
}

}  // namespace chip
