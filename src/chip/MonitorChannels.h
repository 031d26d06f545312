#pragma once
// The chip's analog monitor: the channels its multiplexer routes to the
// on-demand 14-bit converter, the current-sense gains, and the one scaling of
// a 14-bit result into volts or millivolts. The chip form's data collection
// and the A/D form both convert through these functions, so a reading means
// the same on every screen and in every file.
#include <array>
#include <string_view>

namespace chip {

// Monitor channels: the channel field (bits 3:0) of register 0x85.
enum MonitorChannel : int {
    kMonNone = 0,
    kMonCell1 = 1,
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
// The channels a survey converts, in order.
inline constexpr int kFirstMeasuredChannel = kMonCell1;
inline constexpr int kLastMeasuredChannel = kMonIntTemp;

// The channel list as the chip form shows it, by channel number.
inline constexpr std::array<std::string_view, kMonitorChannelCount> kMonitorChannelNames = {"0 - None", "CELL1",
    "CELL2", "CELL3", "CELL4", "CELL5", "CELL6", "CELL7", "CELL8", "Current", "VBAT", "VRGO", "xTemp1", "xTemp2",
    "Int Temp", "15 - None"};

// Current-sense amplifier gains by the gain field (bits 5:4 of 0x85); 3 repeats 500.
inline constexpr int kGainIndexCount = 4;
inline constexpr std::array<int, kGainIndexCount> kCurrentGains = {50, 5, 500, 500};
inline constexpr std::array<std::string_view, kGainIndexCount> kCurrentGainNames = {"50x", "5x", "500x", "500x"};

// The gain field of a 0x85 value (0 to 3) and the gain it selects.
constexpr int gainIndexOf(long reg85) { return static_cast<int>((reg85 >> 4) & 0x3); }
constexpr int currentGainOf(long reg85) { return kCurrentGains[static_cast<std::size_t>(gainIndexOf(reg85))]; }

// The converter fills the low 14 bits of the result pair 0xAA/0xAB. Bits
// above them are not part of a conversion: the scaling ignores them, so a
// stray high byte cannot turn a cell into a negative or huge reading.
inline constexpr long kMonitorCodeMask = 0x3FFF;
constexpr long monitorCode(long lo, long hi) { return ((hi & 0xFF) * 256 + (lo & 0xFF)) & kMonitorCodeMask; }

// The current channel's code is two's complement over 14 bits (8192 and up are negative).
constexpr long signedCurrentCode(long code)
{
    code &= kMonitorCodeMask;
    return code >= 8192 ? code - 16384 : code;
}

// A 14-bit result of channel in its unit: volts, or millivolts for the
// current-sense channel at the given gain. 0 for the "None" channels and
// anything outside 0 to 15.
double monitorValue(int channel, long code, int gain);

// The size of one code step of channel in the same unit (0 for "None").
double monitorStep(int channel, int gain);

}  // namespace chip
