#pragma once

// Date and time texts. Files, captions and trace lines use the fixed forms;
// only the recording log's first field uses the regional ones.

#include <string>

namespace vb {

struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// "mm-dd-yyyy"
std::string DateText(const DateTime& t);
// "hh:mm:ss", 24-hour
std::string TimeText(const DateTime& t);

double SecondsSinceMidnight(const DateTime& t);

// Calendar arithmetic (leap years included); out-of-range fields of t are
// carried over first, so the result is always a valid date and time.
DateTime AddMilliseconds(DateTime t, long long ms);

DateTime LocalNow();

// The default short forms of an en-US system: "12/7/2026", "7:05:09 AM".
std::string RegionalDate(const DateTime& t);
std::string RegionalTime(const DateTime& t);

}  // namespace vb
