#include "chip/MonitorChannels.h"

#include "chip/ScanFormulas.h"

namespace chip {

namespace {
// Full-scale denominators of the 14-bit converter: 8191 codes for the
// positive half of the range, three times that for a cell's divided input.
constexpr double kHalfScale = 8191;
constexpr double kCellScale = 3 * kHalfScale;  // 24573
}  // namespace

double monitorValue(int channel, long code, int gain)
{
    const double c = static_cast<double>(code & kMonitorCodeMask);
    if (channel >= kMonCell1 && channel <= kMonCell8)
        return c * 14.4 / kCellScale;
    switch (channel) {
    case kMonCurrent: return gain == 0 ? 0.0 : static_cast<double>(signedCurrentCode(code)) * 1800 / gain / kHalfScale;
    case kMonVbat: return c * 57.6 / kHalfScale;
    case kMonVrgo: return c * 3.6 / kHalfScale;
    case kMonXTemp1:
    case kMonXTemp2:
    case kMonIntTemp: return c * 1.8 / kHalfScale;
    default: return 0.0;
    }
}

double monitorStep(int channel, int gain)
{
    if (channel >= kMonCell1 && channel <= kMonCell8)
        return 14.4 / kCellScale;
    switch (channel) {
    case kMonCurrent: return gain == 0 ? 0.0 : (1.0 / gain) * (1800 / kHalfScale);
    case kMonVbat: return 57.6 / kHalfScale;
    case kMonVrgo: return 3.6 / kHalfScale;
    case kMonXTemp1:
    case kMonXTemp2:
    case kMonIntTemp: return 1.8 / kHalfScale;
    default: return 0.0;
    }
}

chipreg::Reg scanResultRegister(int channel)
{
    if (channel >= kMonCell1 && channel <= kMonCell8)
        return chipreg::cellRegister(channel);
    switch (channel) {
    case kMonCurrent: return chipreg::kCurrentSense;
    case kMonVbat: return chipreg::kPackVolts;
    case kMonVrgo: return chipreg::kRegulatorVolts;
    case kMonXTemp1: return chipreg::kExternalTemp1;
    case kMonXTemp2: return chipreg::kExternalTemp2;
    case kMonIntTemp: return chipreg::kInternalTemp;
    default: return chipreg::kOvThreshold;
    }
}

double scanResultValue(int channel, long code, int gain)
{
    const auto c = static_cast<double>(code);
    if (channel >= kMonCell1 && channel <= kMonCell8)
        return cellVolts(c);
    switch (channel) {
    case kMonCurrent: return gain == 0 ? 0.0 : senseMillivolts(code >= 8192 ? c - 16384 : c, gain);
    case kMonVbat: return packVolts(c);
    case kMonVrgo: return regulatorVolts(c);
    case kMonXTemp1:
    case kMonXTemp2:
    case kMonIntTemp: return sensorVolts(c);
    default: return 0.0;
    }
}

std::optional<double> scanResultStep(int channel, int gain)
{
    if (channel == kMonNone || channel == kMonNone15 || channel < 0 || channel >= kMonitorChannelCount)
        return std::nullopt;
    if (channel == kMonCurrent)
        return gain == 0 ? 0.0 : senseMillivolts(1, gain);
    return scanResultValue(channel, 1, gain);
}

}  // namespace chip
