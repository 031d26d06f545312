#pragma once
// The chip's analog monitor: the channels its multiplexer routes to the
// on-demand 14-bit converter, the current-sense gains, and the one scaling of
// a 14-bit result into volts or millivolts, and of the 12-bit results its own
// scan keeps. The chip form's data collection
// and the A/D form both convert through these functions, so a reading means
// the same on every screen and in every file.
#include <array>
#include <optional>
#include <string_view>

#include "regmap/ChipRegisters.h"

namespace chip {

// Monitor channels and current gains are the chip's (regmap/ChipRegisters.h).
using chipreg::MonitorChannel;
using enum chipreg::MonitorChannel;
using chipreg::currentGainOf;
using chipreg::gainIndexOf;
using chipreg::kCurrentGains;
using chipreg::kGainIndexCount;
using chipreg::kMonitorChannelCount;
// The channels a survey converts, in order.
inline constexpr int kFirstMeasuredChannel = kMonCell1;
inline constexpr int kLastMeasuredChannel = kMonIntTemp;

// The channel list as the chip form shows it, by channel number.
inline constexpr std::array<std::string_view, kMonitorChannelCount> kMonitorChannelNames = {"0 - None", "CELL1",
    "CELL2", "CELL3", "CELL4", "CELL5", "CELL6", "CELL7", "CELL8", "Current", "VBAT", "VRGO", "xTemp1", "xTemp2",
    "Int Temp", "15 - None"};

// The gain list as the chip form shows it, by gain field.
inline constexpr std::array<std::string_view, kGainIndexCount> kCurrentGainNames = {"50x", "5x", "500x", "500x"};

// The converter fills the low 14 bits of the result pair 0xAA/0xAB. Bits
// above them are not part of a conversion: the scaling ignores them, so a
// stray high byte cannot turn a cell into a negative or huge reading.
inline constexpr long kMonitorCodeMask = chipreg::kResultMask14;
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

// The chip's own scan keeps one 12-bit result per channel in a register pair,
// low byte first, the pair the chip form's scan reads. The "None" channels
// have no pair: reading them reads the chip's first two registers.
chipreg::Reg scanResultRegister(int channel);
// A scan result of channel (code = high x 256 + low) in the unit of its
// 14-bit reading, by the scan's own formulas; on the current channel a code
// of 8192 and up is taken as negative (code - 16384). 0 for "None".
double scanResultValue(int channel, long code, int gain);
// One code step of a scan result; none for the "None" channels.
std::optional<double> scanResultStep(int channel, int gain);

}  // namespace chip
