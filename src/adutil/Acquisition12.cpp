// The 12-bit run: the result pair the chip's own scan keeps for the selected
// channel, read at most once a millisecond until a stop.
#include "adutil/AcquisitionPass.h"
#include "chip/ChipAccess.h"
#include "chip/MonitorChannels.h"
#include "link/UsbLink.h"
#include "program/I2cLock.h"
#include "vb/Numbers.h"

namespace adutil {

namespace {
// The run waits for another holder of the I2C path until the clock is past a
// 2 ms deadline, i.e. until 3 ms have passed.
constexpr I2cWait kBusyWait = I2cWait::millis(2 + 1);
// Clock readings compared across the ms clock's wrap.
bool before(std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b) < 0; }
}  // namespace

void frmADUtil::cmdGraphReadings_Click()
{
    Sample s(Resolution::Bits12);
    runAcquisition(s);
}

void frmADUtil::readPair12(Sample& s)
{
    usb::UsbLink& link = p.link();
    std::uint8_t address = link.I2CAddress;
    std::uint8_t readCount = 2;
    std::uint8_t writeCount = 1;
    auto reg = static_cast<std::uint8_t>(s.firstRegister);
    link.I2cReadRetry(address, readCount, writeCount, s.bytes.data(), &reg, 0);
}

void frmADUtil::scalePair12(Sample& s)
{
    // The chip form shows the pair in its register image.
    chip::RegisterImage& image = chip::ChipAccess::of(p).registers();
    image.setByte(s.firstRegister, s.bytes[0]);
    image.setByte(s.firstRegister + 1, s.bytes[1]);
    s.code = s.bytes[1] * 256L + s.bytes[0];
    lblADINput[0].Caption = vb::Hex(s.code);
    s.reading = chip::scanResultValue(run.MuxChannel, s.code, s.gain);
}

void frmADUtil::firstReading12(Sample& s)
{
    s.firstRegister = chip::scanResultRegister(run.MuxChannel);
    readPair12(s);
    scalePair12(s);
    showFirstReading(s, chip::scanResultStep(run.MuxChannel, s.gain));
}

bool frmADUtil::readSample12(Sample& s)
{
    while (before(rt().timeGetTime(), s.nextPass))
        rt().DoEventsUntil(s.nextPass);
    {
        I2cLock lock(p, kBusyWait);
        rt().DoEvents();
        if (!p.LoopRunning)
            return false;
        readPair12(s);
    }
    if (rt().operationAbandoned())
        return false;
    rt().DoEvents();
    scalePair12(s);
    return true;
}

}  // namespace adutil
