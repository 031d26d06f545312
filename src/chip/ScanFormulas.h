#pragma once
// The arithmetic of one measurement scan: register codes to engineering
// values, the display patterns, the cell bars and colours, the cell rows
// the cell-count register selects. Pure, so it is tested without a board.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "vb/Color.h"

namespace chip {

inline constexpr std::string_view kVoltsPattern = "##0.000";
inline constexpr std::string_view kTenthsPattern = "##0.0";
inline constexpr std::string_view kSpreadPattern = "##.000";

// The 16-bit reading of a register pair: hi x 256 + lo. In floating point, so
// a register text typed by hand far beyond a byte cannot overflow.
constexpr double code16(long lo, long hi) { return static_cast<double>(hi) * 256 + static_cast<double>(lo); }
// The 12-bit reading where only the low 4 bits of hi count.
constexpr double code12(long lo, long hi) { return static_cast<double>(hi & 0x0F) * 256 + static_cast<double>(lo); }

// A cell (or cell limit) in volts: a code of 4095 reads 4.8 V.
double cellVolts(double code);
// Current-sense voltage in millivolts at the given amplifier gain.
double senseMillivolts(double code, int gain);
double packVolts(double code);
double regulatorVolts(double code);
// The internal sensor and the raw external inputs.
double sensorVolts(double code);
// External inputs as used for the thermistor lookup; the range follows bit 4 of 0x4A.
double externalVolts(double code, bool highRange);
// Internal temperature in kilokelvin from the sensor volts as shown.
double internalKilokelvin(double sensorVoltsShown, bool highRange);
double kilokelvinToCelsius(double kK);

// The smallest shunt taken, in milliohms: far below any real shunt, and the
// current it gives still fits its box.
inline constexpr double kMinShuntMilliohms = 0.001;
// The shunt in milliohms from the shunt box or file text; nullopt when it is
// no number, not finite or below kMinShuntMilliohms (zero and negative too).
std::optional<double> shuntMilliohms(std::string_view text);
// Pack current in mA from the shown sense millivolts and the shunt box text
// (milliohms); "ERR" for a shunt shuntMilliohms refuses.
std::string currentText(std::string_view senseMillivoltsText, std::string_view shuntText);

// Cell thresholds from register pairs 0x00/0x01 (OV), 0x02/0x03 (OV recovery),
// 0x04/0x05 (UV), 0x06/0x07 (UV recovery), low 4 bits of each high byte.
struct CellLimits {
    double ovThreshold = 0, ovRecovery = 0, uvThreshold = 0, uvRecovery = 0;
};
CellLimits cellLimits(const std::array<long, 8>& regs00to07);

// Bar and background of one cell row. The background turns alarm-red past a
// threshold and only goes back to white once the cell is inside both
// recovery levels, so a red row stays red in between.
inline constexpr vb::Color kCellAlarm = 0xFFC0C0;
struct CellShade {
    double bar;  // 0 to 100
    vb::Color back;
};
CellShade shadeCell(double cell, const CellLimits& limits, vb::Color currentBack);

inline constexpr vb::Color kHighestCellMark = 0xFF80FF;
inline constexpr vb::Color kLowestCellMark = 0x8080FF;
// Marker beside a cell: lowest-cell colour wins over highest when both match.
vb::Color cellMarker(double cellShown, double lowestShown, double highestShown);

// Visibility of the rows of cells 3 to 7 (row indices 5 to 9) for the text of
// the cell-count register 0x49; nullopt for a text that leaves them as they are.
std::optional<std::array<bool, 5>> cellRowsShown(std::string_view cellCountText);
inline constexpr int kFirstOptionalRow = 5;

}  // namespace chip
