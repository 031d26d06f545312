#pragma once
// The FET toggle test's two times, as the user types them in milliseconds:
// the tick interval and the pause before a status read.
#include <string_view>

namespace chip {

// The range of a timer's interval: 0 would never tick, more does not fit.
inline constexpr int kTimerIntervalMin = 1;
inline constexpr int kTimerIntervalMax = 65535;

struct ToggleInterval {
    enum Kind { NotNumber, OutOfRange, Ok } kind;
    int ms;  // valid when kind is Ok
};

// The interval box's text as whole milliseconds, rounded halves to even.
ToggleInterval toggleInterval(std::string_view text);

// The number at the start of the delay box's text (0 when there is none),
// rounded to whole milliseconds and kept within 0 to kTimerIntervalMax: a
// negative pause makes no sense and a huge one would freeze the form.
int readStatusDelayMs(std::string_view text);

}  // namespace chip
