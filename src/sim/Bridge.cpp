#include "sim/Bridge.h"

#include <algorithm>
#include <cstring>

#include "regmap/ChipRegisters.h"
#include "sim/Chip.h"

namespace sim {

namespace bp = usb::bridge;

Bridge::Bridge(Chip& chip, Faults& faults) : chip_(chip), faults_(faults)
{
    for (std::uint8_t port : bridgereg::kPortSfr)
        sfr_[port] = bridgereg::kPortResetValue;
}

bool Bridge::acknowledges(std::uint8_t address, int reg)
{
    if (!crossbarOn() || faults_.nakAll || address != chipreg::kI2cAddress || !chip_.acknowledges())
        return false;
    if (faults_.nakOnce > 0) {
        --faults_.nakOnce;
        return false;
    }
    if (faults_.nakRegisterCount > 0 && reg == faults_.nakRegister) {
        --faults_.nakRegisterCount;
        return false;
    }
    return true;
}

bool Bridge::i2cRead(const bp::Report& request, bp::Report& answer, std::uint32_t nowMs)
{
    const std::uint8_t count = request[3];
    const std::uint8_t writeCount = request[4];
    if (count > bp::kMaxI2cReadCount || writeCount > bp::kMaxI2cReadAddressBytes)
        return false;
    // The request carries the read address: the write address + 1.
    if (!acknowledges(static_cast<std::uint8_t>(request[2] - 1), writeCount > 0 ? request[5] : -1))
        return false;
    if (writeCount > 0)
        pointer_ = request[5];  // a chip register address is one byte; further bytes are ignored
    for (std::uint8_t i = 0; i < count; ++i)
        answer[bp::kArgByte + i] = chip_.readRegister(pointer_++, nowMs);
    return true;
}

bool Bridge::i2cWrite(const bp::Report& request, std::uint32_t nowMs)
{
    const std::uint8_t count = request[3];
    if (count > bp::kMaxI2cWriteCount || !acknowledges(request[2], count > 0 ? request[4] : -1))
        return false;
    if (count == 0)
        return true;
    pointer_ = request[4];
    for (std::uint8_t i = 1; i < count; ++i)
        chip_.writeRegister(pointer_++, request[4 + i], nowMs);
    return true;
}

bp::Report Bridge::answer(const bp::Report& request, std::uint32_t nowMs)
{
    bp::Report answer{};
    answer[bp::kIdByte] = bp::kReportId;
    bool ok = false;
    const std::uint8_t* args = &request[bp::kArgByte];
    std::uint8_t* out = &answer[bp::kArgByte];
    switch (request[bp::kCommandByte]) {
    case bp::kCmdFirmwareVersion:
        std::strcpy(reinterpret_cast<char*>(out), kFirmwareVersion);
        ok = true;
        break;
    case bp::kCmdSfrWrite:
        sfr_[args[0]] = args[1];
        ok = true;
        break;
    case bp::kCmdPortWrite:
        if (args[0] < bridgereg::kPortSfr.size()) {
            std::uint8_t& latch = sfr_[bridgereg::kPortSfr[args[0]]];
            latch = static_cast<std::uint8_t>((latch & ~args[1]) | (args[2] & args[1]));
            ok = true;
        }
        break;
    case bp::kCmdI2cRead: ok = i2cRead(request, answer, nowMs); break;
    case bp::kCmdI2cWrite: ok = i2cWrite(request, nowMs); break;
    case bp::kCmdEcho:
        std::copy(request.begin() + bp::kArgByte, request.end(), answer.begin() + bp::kArgByte);
        ok = true;
        break;
    default: break;
    }
    answer[bp::kStatusByte] = ok ? bp::kAnswerAck : bp::kAnswerNak;
    return answer;
}

}  // namespace sim
