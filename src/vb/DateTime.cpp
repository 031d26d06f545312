#include "vb/DateTime.h"

#include <chrono>
#include <climits>
#include <cstdio>
#include <ctime>

namespace vb {

namespace {

constexpr long long kMsPerDay = 86'400'000;

// b > 0 throughout.
long long floorDiv(long long a, long long b) { return a / b - (a % b < 0); }
long long floorMod(long long a, long long b) { return a % b < 0 ? a % b + b : a % b; }

// Days since 1970-01-01 of a proleptic Gregorian date (month 1 to 12; the day
// may run past the month, it simply counts on).
long long daysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2;
    const long long era = floorDiv(y, 400);
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, long long& y, int& m, int& d)
{
    z += 719468;
    const long long era = floorDiv(z, 146097);
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

int clampYear(long long y) { return y > INT_MAX ? INT_MAX : y < INT_MIN ? INT_MIN : static_cast<int>(y); }

}  // namespace

std::string DateText(const DateTime& t)
{
    char text[48];
    const int n = std::snprintf(text, sizeof text, "%02d-%02d-%04d", t.month, t.day, t.year);
    return std::string(text, static_cast<std::size_t>(n));
}

std::string TimeText(const DateTime& t)
{
    char text[48];
    const int n = std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return std::string(text, static_cast<std::size_t>(n));
}

double SecondsSinceMidnight(const DateTime& t)
{
    return t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0;
}

DateTime AddMilliseconds(DateTime t, long long ms)
{
    // Months past December carry into the year, everything below a day into ms.
    const long long monthIndex = static_cast<long long>(t.month) - 1;
    const long long year = static_cast<long long>(t.year) + floorDiv(monthIndex, 12);
    const long long month = floorMod(monthIndex, 12) + 1;
    long long days = daysFromCivil(year, month, t.day);
    long long msOfDay = t.hour * 3'600'000LL + t.minute * 60'000LL + t.second * 1000LL + t.millisecond;

    // Split both parts into whole days first so the sum cannot overflow.
    days += floorDiv(msOfDay, kMsPerDay) + floorDiv(ms, kMsPerDay);
    msOfDay = floorMod(msOfDay, kMsPerDay) + floorMod(ms, kMsPerDay);
    days += msOfDay / kMsPerDay;
    msOfDay %= kMsPerDay;

    long long y = 0;
    civilFromDays(days, y, t.month, t.day);
    t.year = clampYear(y);
    t.hour = static_cast<int>(msOfDay / 3'600'000);
    t.minute = static_cast<int>(msOfDay / 60'000 % 60);
    t.second = static_cast<int>(msOfDay / 1000 % 60);
    t.millisecond = static_cast<int>(msOfDay % 1000);
    return t;
}

DateTime LocalNow()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceEpoch = now.time_since_epoch();
    const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() -
        std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch).count() * 1000;
    DateTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec > 59 ? 59 : local.tm_sec;  // a leap second shows as :59
    t.millisecond = static_cast<int>(ms < 0 ? ms + 1000 : ms);
    return t;
}

std::string RegionalDate(const DateTime& t)
{
    char text[48];
    const int n = std::snprintf(text, sizeof text, "%d/%d/%d", t.month, t.day, t.year);
    return std::string(text, static_cast<std::size_t>(n));
}

std::string RegionalTime(const DateTime& t)
{
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char text[48];
    const int n =
        std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour12, t.minute, t.second, t.hour < 12 ? "AM" : "PM");
    return std::string(text, static_cast<std::size_t>(n));
}

}  // namespace vb
