#include "chip/FetTiming.h"

#include <algorithm>

#include "vb/Numbers.h"

namespace chip {

ToggleInterval toggleInterval(std::string_view text)
{
    const auto number = vb::NumberOf(text);
    if (!number)
        return {ToggleInterval::NotNumber, 0};
    const double ms = vb::RoundHalfEven(*number);
    if (ms < kTimerIntervalMin || ms > kTimerIntervalMax)
        return {ToggleInterval::OutOfRange, 0};
    return {ToggleInterval::Ok, static_cast<int>(ms)};
}

int readStatusDelayMs(std::string_view text)
{
    const double ms = vb::RoundHalfEven(vb::Val(text));
    return static_cast<int>(std::clamp(ms, 0.0, static_cast<double>(kTimerIntervalMax)));
}

}  // namespace chip
