#include "chip/ScanFormulas.h"

#include <cmath>

#include "vb/Format.h"
#include "vb/Numbers.h"

namespace chip {

double cellVolts(double code) { return code * 14.4 / 12285; }

double senseMillivolts(double code, int gain) { return code / gain * 1800 / 4095; }

double packVolts(double code) { return code * 57.6 / 4095; }

double regulatorVolts(double code) { return code * 3.6 / 4095; }

double sensorVolts(double code) { return code * 1.8 / 4095; }

double externalVolts(double code, bool highRange) { return highRange ? code * 1.8 / 4095 : code * 0.9 / 4095; }

double internalKilokelvin(double sensorVoltsShown, bool highRange)
{
    return highRange ? sensorVoltsShown / 0.92635 : sensorVoltsShown / 1.8527;
}

double kilokelvinToCelsius(double kK) { return kK * 1000 - 273.15; }

std::optional<double> shuntMilliohms(std::string_view text)
{
    const auto shunt = vb::NumberOf(text);
    if (!shunt || !std::isfinite(*shunt) || !(*shunt >= kMinShuntMilliohms))
        return std::nullopt;
    return shunt;
}

std::string currentText(std::string_view senseMillivoltsText, std::string_view shuntText)
{
    const auto shunt = shuntMilliohms(shuntText);
    if (!shunt)
        return "ERR";
    return vb::Format(vb::Val(senseMillivoltsText) / (*shunt * 0.001), kVoltsPattern);
}

CellLimits cellLimits(const std::array<long, 8>& r)
{
    return {cellVolts(code12(r[0], r[1])), cellVolts(code12(r[2], r[3])), cellVolts(code12(r[4], r[5])),
        cellVolts(code12(r[6], r[7]))};
}

CellShade shadeCell(double cell, const CellLimits& l, vb::Color currentBack)
{
    if (cell < l.uvThreshold)
        return {0.0, kCellAlarm};
    if (cell >= l.ovThreshold)
        return {100.0, kCellAlarm};
    // Past both checks ovThreshold > cell >= uvThreshold, so the span is positive.
    const float bar = static_cast<float>((cell - l.uvThreshold) / (l.ovThreshold - l.uvThreshold) * 100);
    const bool recovered = l.uvRecovery < cell && cell < l.ovRecovery;
    return {bar, recovered ? vb::kWhite : currentBack};
}

vb::Color cellMarker(double cellShown, double lowestShown, double highestShown)
{
    if (lowestShown == cellShown)
        return kLowestCellMark;
    if (highestShown == cellShown)
        return kHighestCellMark;
    return vb::kWhite;
}

std::optional<std::array<bool, 5>> cellRowsShown(std::string_view t)
{
    // Rows of cells 3, 4, 5, 6, 7 in that order; the chip drops the middle cells first.
    if (t == "83")
        return std::array<bool, 5>{false, false, false, false, false};
    if (t == "C3")
        return std::array<bool, 5>{false, false, false, false, true};
    if (t == "C7")
        return std::array<bool, 5>{true, false, false, false, true};
    if (t == "E7")
        return std::array<bool, 5>{true, false, false, true, true};
    if (t == "EF")
        return std::array<bool, 5>{true, true, false, true, true};
    if (t == "FF")
        return std::array<bool, 5>{true, true, true, true, true};
    return std::nullopt;
}

}  // namespace chip
