#include "chip/MonitorChannels.h"

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

}  // namespace chip
