#pragma once
// The bridge microcontroller's special-function registers the program touches:
// the crossbar that routes the I2C/SMBus pins, and the port latches.
#include <array>
#include <cstdint>

namespace bridgereg {

// Crossbar: I2C transfers reach the chip only while SMBus is routed to the pins.
inline constexpr std::uint8_t kSfrCrossbar = 0xE1;
inline constexpr std::uint8_t kCrossbarSpi = 0x02;  // SPI routed to the pins
inline constexpr std::uint8_t kCrossbarSmbus = 0x04;  // I2C/SMBus routed to the pins
inline constexpr std::uint8_t kCrossbarOn = kCrossbarSmbus | kCrossbarSpi;  // 0x06
inline constexpr std::uint8_t kCrossbarOff = 0x00;  // as after reset

// Port latches P0 to P4; they come out of reset with every pin high.
inline constexpr int kPortCount = 5;
inline constexpr std::array<std::uint8_t, kPortCount> kPortSfr{0x80, 0x90, 0xA0, 0xB0, 0xC7};
inline constexpr std::uint8_t kPortResetValue = 0xFF;

}  // namespace bridgereg
