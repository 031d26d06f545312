// The 12-bit run: the result pair the chip's own scan keeps for the selected
// channel, read at most once a millisecond until a stop.
#include "adutil/AcquisitionPass.h"
#include "chip/KVN58C3_Main.h"
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
    // Through the register image, as the chip form shows the pair.
    chip::KVN58C3_Main& main = p.form<chip::KVN58C3_Main>();
    main.tbRegdata[s.firstRegister].Text = usb::ByteToHex2(s.bytes[0]);
    main.tbRegdata[s.firstRegister + 1].Text = usb::ByteToHex2(s.bytes[1]);
    lblADINput[0].Caption = vb::Hex(main.regValue(s.firstRegister + 1) * 256 + main.regValue(s.firstRegister));
    s.code = vb::HexValue(lblADINput[0].Caption.get());
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
