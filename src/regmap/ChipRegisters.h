#pragma once
// The chip's registers and bit fields: what the forms read and write and what
// the simulated chip answers to. A register or bit is named here and nowhere else.
#include <array>
#include <bit>
#include <cstdint>

namespace chipreg {

using Reg = std::uint8_t;
using Bits = std::uint8_t;

// 8-bit I2C write address of the chip; a read goes to the address + 1.
inline constexpr std::uint8_t kI2cAddress = 0x50;

// The register file the program shows: 0x00 to 0xC5.
inline constexpr Reg kFirstRegister = 0x00;
inline constexpr Reg kLastRegister = 0xC5;

// The number of a single-bit mask: control arrays are indexed by bit number.
constexpr int bitNumber(Bits mask) { return std::countr_zero(static_cast<unsigned>(mask)); }

// ---- Configuration (RAM or EEPROM by the memory mode) and user registers ----
inline constexpr Reg kConfigFirst = 0x00;
inline constexpr Reg kConfigLast = 0x4F;
inline constexpr Reg kUserFirst = 0x50;
inline constexpr Reg kUserLast = 0x7F;

// Cell thresholds: 12-bit values, low byte first, low 4 bits of the high byte.
inline constexpr Reg kOvThreshold = 0x00;
inline constexpr Reg kOvRecovery = 0x02;
inline constexpr Reg kUvThreshold = 0x04;
inline constexpr Reg kUvRecovery = 0x06;
inline constexpr Reg kThresholdLast = 0x07;

// Cell configuration: bit i set = cell i + 1 is connected.
inline constexpr Reg kCellConfig = 0x49;
// Setup register; TGAIN selects the 1.8 V temperature input range (clear: 0.9 V).
inline constexpr Reg kSetup = 0x4A;
inline constexpr Bits kSetupTgain = 0x10;

// ---- Status registers 0x80 to 0x83: the chip's own, writes are ignored ----
inline constexpr Reg kStatus0 = 0x80;
inline constexpr Reg kStatus1 = 0x81;
inline constexpr Reg kStatus2 = 0x82;
inline constexpr Reg kStatus3 = 0x83;
inline constexpr Reg kStatusFirst = kStatus0;
inline constexpr Reg kStatusLast = kStatus3;

inline constexpr Bits kStatus0Ov = 0x01;  // over voltage
inline constexpr Bits kStatus0Ovlo = 0x02;  // over-voltage lock-out
inline constexpr Bits kStatus0Uv = 0x04;  // under voltage
inline constexpr Bits kStatus0Uvlo = 0x08;  // under-voltage lock-out
inline constexpr Bits kStatus0Dot = 0x10;  // discharge over temperature
inline constexpr Bits kStatus0Dut = 0x20;  // discharge under temperature
inline constexpr Bits kStatus0Cot = 0x40;  // charge over temperature
inline constexpr Bits kStatus0Cut = 0x80;  // charge under temperature

inline constexpr Bits kStatus1Iot = 0x01;  // internal over-temperature shut-down
inline constexpr Bits kStatus1Coc = 0x02;  // charge over current
inline constexpr Bits kStatus1Doc = 0x04;  // discharge over current
inline constexpr Bits kStatus1Dsc = 0x08;  // discharge short circuit
inline constexpr Bits kStatus1Cellf = 0x10;  // cell failure
inline constexpr Bits kStatus1Open = 0x20;  // cell open wire
inline constexpr Bits kStatus1Wdto = 0x40;  // watchdog time-out
inline constexpr Bits kStatus1Eochg = 0x80;  // end-of-charge threshold

inline constexpr Bits kStatus2LdPrsnt = 0x01;  // load present
inline constexpr Bits kStatus2ChPrsnt = 0x02;  // charger present
inline constexpr Bits kStatus2Ching = 0x04;  // charging
inline constexpr Bits kStatus2Dching = 0x08;  // discharging
inline constexpr Bits kStatus2Wkup = 0x10;  // wake-up
inline constexpr Bits kStatus2Adceoc = 0x40;  // set while the chip's own scan converts
inline constexpr Bits kStatus2Lvchg = 0x80;  // low-voltage charger (precharge FET)

inline constexpr Bits kStatus3Cbot = 0x01;  // cell balance over temperature
inline constexpr Bits kStatus3Cbut = 0x02;  // cell balance under temperature
inline constexpr Bits kStatus3Cbov = 0x04;  // cell balance over voltage
inline constexpr Bits kStatus3Cbuv = 0x08;  // cell balance under voltage
inline constexpr Bits kStatus3Idle = 0x10;  // state machine in idle (256 ms scan)
inline constexpr Bits kStatus3Doze = 0x20;  // state machine in doze (512 ms scan)
inline constexpr Bits kStatus3Sleep = 0x40;  // asleep, every FET off
// Where the power-mode bits of 0x88 show in status register 3.
inline constexpr int kStatus3PowerShift = 4;

// ---- Control registers 0x84 to 0x89 ----

// Cell balancing: bit i (CB1 to CB8) switches the balancing output of cell i + 1.
inline constexpr Reg kCellBalance = 0x84;
inline constexpr int kCellCount = 8;
constexpr Bits cellBalanceBit(int cell) { return static_cast<Bits>(1u << (cell - 1)); }

// Analog monitor: channel, current-sense gain and on-demand 14-bit conversion.
inline constexpr Reg kMonitor = 0x85;
inline constexpr Bits kMonitorChannelMask = 0x0F;
inline constexpr Bits kMonitorGainMask = 0x30;
inline constexpr int kMonitorGainShift = 4;
inline constexpr Bits kMonitorStart = 0x40;  // starts a conversion of the selected channel
// Channels of the monitor multiplexer (bits 3:0).
enum MonitorChannel : int {
    kMonNone = 0,
    kMonCell1 = 1,  // cells 1 to 8 are channels 1 to 8
    kMonCell8 = 8,
    kMonCurrent = 9,
    kMonVbat = 10,
    kMonVrgo = 11,
    kMonXTemp1 = 12,
    kMonXTemp2 = 13,
    kMonIntTemp = 14,
    kMonNone15 = 15,
};
inline constexpr int kMonitorChannelCount = 16;
// Current-sense amplifier gains by the gain field (bits 5:4); 3 repeats 500.
inline constexpr int kGainIndexCount = 4;
inline constexpr std::array<int, kGainIndexCount> kCurrentGains = {50, 5, 500, 500};
// The gain field of a monitor register value (0 to 3) and the gain it selects.
constexpr int gainIndexOf(long monitor) { return static_cast<int>((monitor & kMonitorGainMask) >> kMonitorGainShift); }
constexpr int currentGainOf(long monitor) { return kCurrentGains[static_cast<std::size_t>(gainIndexOf(monitor))]; }

// FET control.
inline constexpr Reg kFetControl = 0x86;
inline constexpr Bits kFetDfet = 0x01;  // discharge FET
inline constexpr Bits kFetCfet = 0x02;  // charge FET
inline constexpr Bits kFetPcfet = 0x04;  // precharge FET
inline constexpr Bits kFetPsd = 0x08;  // pack shut-down pin
inline constexpr Bits kFetCmonEn = 0x10;  // charge monitor enable
inline constexpr Bits kFetClrCer = 0x20;  // clear charge error
inline constexpr Bits kFetLmonEn = 0x40;  // load monitor enable
inline constexpr Bits kFetClrLerr = 0x80;  // clear load error
inline constexpr Bits kFetDrivers = kFetDfet | kFetCfet | kFetPcfet;

// Microcontroller control: the functions the host microcontroller takes over.
inline constexpr Reg kUcControl = 0x87;
inline constexpr Bits kUcCbalOn = 0x01;  // CBAL_ON: cell balancing on
inline constexpr Bits kUcOwStrt = 0x02;  // OW_STRT: start an open-wire test
inline constexpr Bits kUcScan = 0x04;  // uCSCAN: the host scans, the chip's own scan stops
inline constexpr Bits kUcCmon = 0x08;  // uCCMON: the host monitors the charge current
inline constexpr Bits kUcLmon = 0x10;  // uCLMON: the host monitors the load current
inline constexpr Bits kUcCbal = 0x20;  // uCCBAL: the host balances the cells
inline constexpr Bits kUcFet = 0x40;  // uCFET: the host controls the FETs

// Power mode.
inline constexpr Reg kPowerMode = 0x88;
inline constexpr Bits kPowerIdle = 0x01;  // 256 ms scan
inline constexpr Bits kPowerDoze = 0x02;  // 512 ms scan
inline constexpr Bits kPowerSleep = 0x04;  // no scan, every FET off
inline constexpr Bits kPowerPdwn = 0x08;  // power down
inline constexpr Bits kPowerModes = kPowerIdle | kPowerDoze | kPowerSleep | kPowerPdwn;
inline constexpr int kPowerModeBits = 4;  // bits 0 to 3, one per mode

// Memory mode: what 0x00 to 0x7F and 0xB0 to 0xC5 reach.
inline constexpr Reg kMemoryMode = 0x89;
inline constexpr std::uint8_t kModeConfigRam = 0x00;
inline constexpr std::uint8_t kModeConfigEeprom = 0x01;
// The trim/test access key; key + 0 opens trim RAM and the test registers, key + 1 trim EEPROM.
inline constexpr std::uint8_t kTrimAccessKey = 0xA0;
inline constexpr std::uint8_t kModeTrimRam = kTrimAccessKey;
inline constexpr std::uint8_t kModeTrimEeprom = kTrimAccessKey + 1;

// ---- Measurement results: 12-bit pairs, low byte first, filled by the chip's own scan ----
inline constexpr Reg kCellMin = 0x8A;
inline constexpr Reg kCellMax = 0x8C;
inline constexpr Reg kCurrentSense = 0x8E;  // ISense: current-sense voltage
inline constexpr Reg kCell1 = 0x90;
constexpr Reg cellRegister(int cell) { return static_cast<Reg>(kCell1 + 2 * (cell - 1)); }
inline constexpr Reg kInternalTemp = 0xA0;
inline constexpr Reg kExternalTemp1 = 0xA2;
inline constexpr Reg kExternalTemp2 = 0xA4;
inline constexpr Reg kPackVolts = 0xA6;  // VBAT
inline constexpr Reg kRegulatorVolts = 0xA8;  // VRGO
inline constexpr int kResultMax12 = 0x0FFF;
// The analog monitor's 14-bit result, low byte at 0xAA, high byte at 0xAB.
inline constexpr Reg kMonitorResult = 0xAA;
inline constexpr Reg kMonitorResultHigh = 0xAB;
inline constexpr int kResultMask14 = 0x3FFF;
// The last register of the chip's live page (status, control and results).
inline constexpr Reg kLiveLast = 0xAF;

// ---- Trim (0xB0 to 0xBF) and test registers (0xC0 to 0xC5), under trim/test access ----
inline constexpr Reg kTrimFirst = 0xB0;
inline constexpr Reg kTrimLast = 0xBF;
inline constexpr Reg kTestFirst = 0xC0;
inline constexpr Reg kTestLast = 0xC5;

// Forced current direction.
inline constexpr Reg kTestDirection = 0xC0;
inline constexpr Bits kTestDirForce = 0x20;  // the direction below replaces the measured one
inline constexpr Bits kTestDirCharge = 0x40;
inline constexpr Bits kTestDirDischarge = 0x80;
inline constexpr std::uint8_t kTestForceCharge = kTestDirForce | kTestDirCharge;  // 0x60
inline constexpr std::uint8_t kTestForceDischarge = kTestDirForce | kTestDirDischarge;  // 0xA0

// Forced current faults.
inline constexpr Reg kTestFault = 0xC1;
inline constexpr Bits kTestFaultCoc = 0x01;  // charge over current
inline constexpr Bits kTestFaultDoc = 0x02;  // discharge over current
inline constexpr Bits kTestFaultDsc = 0x04;  // discharge short circuit

}  // namespace chipreg
