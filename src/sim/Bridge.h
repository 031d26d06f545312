#pragma once
// The bridge microcontroller's firmware: answers the host's reports, drives
// the I2C bus to the chip, keeps its special-function registers and ports.
#include <array>
#include <cstdint>

#include "link/BridgeProtocol.h"
#include "regmap/BridgeRegisters.h"

namespace sim {

class Chip;

struct Faults {
    bool nakAll = false;  // no I2C transfer is acknowledged
    int nakOnce = 0;  // the next n I2C transfers are not acknowledged
    int nakRegister = -1;  // with nakRegisterCount: the next n transfers that address this register
    int nakRegisterCount = 0;  // are not acknowledged
    int answerTimeoutCount = 0;  // the next n requests get no answer
    int writeFailCount = 0;  // the next n report writes fail
    int latencyMs = 0;  // time from a request to its answer
    bool unplugged = false;  // the board is not on the bus: not found, writes fail
    bool openDenied = false;  // the board is found, but the system refuses to open it
};

class Bridge {
public:
    static constexpr const char* kFirmwareVersion = "KVN HID Bridge 1.02";

    Bridge(Chip& chip, Faults& faults);

    // The answer to one request, at the board's time now.
    usb::bridge::Report answer(const usb::bridge::Report& request, std::uint32_t nowMs);

    std::uint8_t sfr(std::uint8_t address) const { return sfr_[address]; }
    void setSfr(std::uint8_t address, std::uint8_t value) { sfr_[address] = value; }
    bool crossbarOn() const { return (sfr_[bridgereg::kSfrCrossbar] & bridgereg::kCrossbarSmbus) != 0; }

private:
    // Whether the chip acknowledges a transfer to this 8-bit write address
    // that addresses register reg (-1: the transfer names none).
    bool acknowledges(std::uint8_t address, int reg);
    bool i2cRead(const usb::bridge::Report& request, usb::bridge::Report& answer, std::uint32_t nowMs);
    bool i2cWrite(const usb::bridge::Report& request, std::uint32_t nowMs);

    Chip& chip_;
    Faults& faults_;
    std::array<std::uint8_t, 256> sfr_{};
    std::uint8_t pointer_ = 0;  // the chip's register pointer
};

}  // namespace sim
