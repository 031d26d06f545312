// The 14-bit run: the selected monitor channel converted by the chip on
// demand, over and over, its result read from 0xAA/0xAB until a stop.
#include <array>

#include "adutil/AcquisitionPass.h"
#include "chip/ChipAccess.h"
#include "chip/MonitorChannels.h"
#include "link/UsbLink.h"
#include "program/I2cLock.h"
#include "regmap/ChipRegisters.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace adutil {

using namespace chipreg;

namespace {

// The result pair through the link; the link status.
int readResult(usb::UsbLink& link, std::array<std::uint8_t, 2>& bytes, int quiet)
{
    std::uint8_t address = link.I2CAddress;
    std::uint8_t readCount = 2;
    std::uint8_t writeCount = 1;
    std::uint8_t reg = kMonitorResult;
    return link.I2cReadRetry(address, readCount, writeCount, bytes.data(), &reg, quiet);
}

}  // namespace

void frmADUtil::cmdCollectData2_Click()
{
    Sample s(Resolution::Bits14);
    runAcquisition(s);
}

void frmADUtil::firstReading14(Sample& s)
{
    const chip::ChipAccess chipForm = chip::ChipAccess::of(p);
    // The microcontroller scan bit for the whole run; configuration RAM.
    chipForm.write(kUcControl, kUcScan);
    chipForm.write(kMemoryMode, kModeConfigRam);

    std::array<std::uint8_t, 2> bytes{};
    if (readResult(p.link(), bytes, 0) == usb::kStatusAck) {
        chipForm.registers().setByte(kMonitorResult, bytes[0]);
        chipForm.registers().setByte(kMonitorResultHigh, bytes[1]);
    }
    lblRaw[1].Caption = chipForm.registers().text(kMonitorResultHigh);
    lblRaw[0].Caption = chipForm.registers().text(kMonitorResult);
    lblADINput[0].Caption =
        vb::Hex(vb::HexValue(lblRaw[1].Caption.get()) * 256 + vb::HexValue(lblRaw[0].Caption.get()));
    s.code = vb::HexValue(lblADINput[0].Caption.get());
    s.reading = chip::monitorValue(run.MuxChannel, s.code, s.gain);
    showFirstReading(s, chip::monitorStep(run.MuxChannel, s.gain));

    if (p.TraceOn) {
        p.trace("\r\n");
        p.trace(
            p.TraceIndent1 + p.TraceIndent2 + p.TraceIndent2 + "Data Collection Started " + vb::TimeText(rt().Now()));
        p.trace("\r\n");
    }
}

bool frmADUtil::readSample14(Sample& s)
{
    const chip::ChipAccess chipForm = chip::ChipAccess::of(p);
    usb::UsbLink& link = p.link();
    waitForI2cPath(p, I2cWait::unbounded());
    if (!p.LoopRunning)
        return false;

    // The channel again, in case the chip form moved the multiplexer meanwhile.
    chipForm.writeMonitorChannel();
    link.FlushHidInput();
    if (!p.LoopRunning || rt().operationAbandoned())
        return false;
    std::array<std::uint8_t, 2> bytes{};
    if (readResult(link, bytes, 1) != usb::kStatusAck) {
        // The refused read ends the run with its one box: a chip that keeps
        // refusing would otherwise bring the box back at every sample, leaving
        // no moment to reach Stop, and each sample would repeat an old code.
        if (!rt().operationAbandoned()) {
            rt().MsgBox("nack");
            SSCmdStop_Click();
        }
        return false;
    }
    const long code = bytes[1] * 256L + bytes[0];
    lblADINput[0].Caption = vb::Hex(code);
    lblRaw[2].Caption = vb::Str(code);
    lblRaw[1].Caption = usb::ByteToHex2(bytes[1]);
    lblRaw[0].Caption = usb::ByteToHex2(bytes[0]);
    txtCalcCurrent[6].Text = usb::ByteToHex2(bytes[1]) + usb::ByteToHex2(bytes[0]);
    s.code = code;
    s.reading = chip::monitorValue(run.MuxChannel, s.code, s.gain);
    return true;
}

}  // namespace adutil
