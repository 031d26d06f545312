#pragma once
// The report protocol between the program and the bridge firmware.
//
// Every request and every answer is one 64-byte report. Byte 0 is the report
// ID (1), byte 1 the command (request) or the status (answer); arguments and
// data follow from byte 2. A command's answer has the status kAnswerAck when
// the bridge did what was asked (for I2C: the chip acknowledged), anything
// else means not acknowledged or failed. Unused bytes are 0.
#include <array>
#include <cstddef>
#include <cstdint>

#include "regmap/BridgeRegisters.h"

namespace usb::bridge {

inline constexpr std::size_t kReportSize = 64;
inline constexpr std::uint8_t kReportId = 1;
using Report = std::array<std::uint8_t, kReportSize>;

// Positions inside a report.
inline constexpr std::size_t kIdByte = 0;
inline constexpr std::size_t kCommandByte = 1;  // request
inline constexpr std::size_t kStatusByte = 1;  // answer
inline constexpr std::size_t kArgByte = 2;  // first argument / first answer data byte

// Answer status byte.
inline constexpr std::uint8_t kAnswerAck = 0x08;
inline constexpr std::uint8_t kAnswerNak = 0x01;

// USB identity of the board. The vendor ID is a program option (default below).
inline constexpr std::uint16_t kDefaultVendorId = 0x10C4;
inline constexpr std::uint16_t kProductId = 0x2036;

enum Command : std::uint8_t {
    // [1, 0x01] -> [1, ack, text...]: firmware version, ASCII, NUL-terminated.
    kCmdFirmwareVersion = 0x01,
    // [1, 0x02, sfr, value] -> [1, ack]: write a special-function register
    // (the crossbar, regmap/BridgeRegisters.h).
    kCmdSfrWrite = 0x02,
    // [1, 0x04, port, mask, value] -> [1, ack]: set the port's pins in mask to
    // the bits of value (ports 0 to 4).
    kCmdPortWrite = 0x04,
    // [1, 0x06, address + 1, n, w, w register-address bytes] -> [1, ack or nak, n data bytes]:
    // I2C write of the register address, repeated start, read of n bytes.
    kCmdI2cRead = 0x06,
    // [1, 0x07, address, n, n data bytes] -> [1, ack or nak]: I2C write of n bytes
    // (the register address first, then the values).
    kCmdI2cWrite = 0x07,
    // [1, 0x0E, 62 bytes] -> [1, ack, the same 62 bytes]: echo. The link sends it
    // after giving up on an answer, and takes answers again only once its own
    // echo is back, so an answer owed to an abandoned request is never taken
    // for a later one (the bridge answers requests in order, one answer each).
    kCmdEcho = 0x0E,
};

// Largest counts that fit a report.
inline constexpr std::size_t kMaxI2cReadCount = kReportSize - kArgByte;  // 62 answer bytes
inline constexpr std::size_t kMaxI2cReadAddressBytes = kReportSize - 5;  // after ID, cmd, addr, n, w
inline constexpr std::size_t kMaxI2cWriteCount = kReportSize - 4;  // after ID, cmd, addr, n
inline constexpr int kPortCount = bridgereg::kPortCount;

}  // namespace usb::bridge
