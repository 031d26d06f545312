#include <gtest/gtest.h>

#include "vb/Color.h"
#include "vb/DateTime.h"

using namespace vb;

namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) { return {y, mo, d, h, mi, s, ms}; }

void expectSame(const DateTime& a, const DateTime& b)
{
    EXPECT_EQ(DateText(a), DateText(b));
    EXPECT_EQ(TimeText(a), TimeText(b));
    EXPECT_EQ(a.millisecond, b.millisecond);
}

}  // namespace

TEST(VbDateTime, FixedTexts)
{
    EXPECT_EQ(DateText(at(2026, 12, 6)), "12-06-2026");
    EXPECT_EQ(TimeText(at(2026, 12, 6, 10, 22, 0)), "10:22:00");
    EXPECT_EQ(TimeText(at(2026, 1, 2, 7, 5, 9)), "07:05:09");
    EXPECT_DOUBLE_EQ(SecondsSinceMidnight(at(2026, 1, 2, 1, 2, 3, 500)), 3723.5);
}

TEST(VbDateTime, RegionalTexts)
{
    EXPECT_EQ(RegionalDate(at(2026, 12, 7)), "12/7/2026");
    EXPECT_EQ(RegionalTime(at(2026, 12, 7, 7, 5, 9)), "7:05:09 AM");
    EXPECT_EQ(RegionalTime(at(2026, 12, 7, 0, 0, 1)), "12:00:01 AM");
    EXPECT_EQ(RegionalTime(at(2026, 12, 7, 12, 30, 0)), "12:30:00 PM");
    EXPECT_EQ(RegionalTime(at(2026, 12, 7, 23, 59, 59)), "11:59:59 PM");
}

TEST(VbDateTime, AddMillisecondsRollsOverTheCalendar)
{
    expectSame(AddMilliseconds(at(2024, 2, 28, 23, 59, 59, 999), 1), at(2024, 2, 29));
    expectSame(AddMilliseconds(at(2023, 2, 28, 23, 59, 59, 999), 1), at(2023, 3, 1));
    expectSame(AddMilliseconds(at(1900, 2, 28, 12), 86'400'000), at(1900, 3, 1, 12));
    expectSame(AddMilliseconds(at(2000, 2, 28, 12), 86'400'000), at(2000, 2, 29, 12));
    expectSame(AddMilliseconds(at(2026, 12, 31, 23, 59, 59, 500), 750), at(2027, 1, 1, 0, 0, 0, 250));
    expectSame(AddMilliseconds(at(2024, 3, 1), -1), at(2024, 2, 29, 23, 59, 59, 999));
    expectSame(AddMilliseconds(at(2026, 1, 1), 365LL * 86'400'000), at(2027, 1, 1));
    expectSame(AddMilliseconds(at(2026, 5, 5, 10), 0), at(2026, 5, 5, 10));
}

TEST(VbDateTime, AddMillisecondsCarriesBadFields)
{
    expectSame(AddMilliseconds(at(2026, 13, 1), 0), at(2027, 1, 1));
    expectSame(AddMilliseconds(at(2026, 1, 1, 25, 61, 0), 0), at(2026, 1, 2, 2, 1, 0));
    // Extreme offsets stay defined.
    const DateTime far = AddMilliseconds(at(2026, 1, 1), std::numeric_limits<long long>::max());
    EXPECT_GE(far.month, 1);
    EXPECT_LE(far.month, 12);
    const DateTime past = AddMilliseconds(at(2026, 1, 1), std::numeric_limits<long long>::min());
    EXPECT_GE(past.day, 1);
}

TEST(VbDateTime, LocalNowIsAValidTime)
{
    const DateTime now = LocalNow();
    EXPECT_GE(now.year, 2024);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_LT(SecondsSinceMidnight(now), 86400.0);
    EXPECT_EQ(DateText(now).size(), 10u);
}

TEST(VbColor, PaletteAndRgb)
{
    EXPECT_EQ(QBColor(0), 0x000000u);
    EXPECT_EQ(QBColor(2), 0x008000u);
    EXPECT_EQ(QBColor(9), 0x0000FFu);
    EXPECT_EQ(QBColor(10), 0x00FF00u);
    EXPECT_EQ(QBColor(12), 0xFF0000u);
    EXPECT_EQ(QBColor(7), 0xC0C0C0u);
    EXPECT_EQ(QBColor(15), 0xFFFFFFu);
    EXPECT_EQ(QBColor(16), 0u);
    EXPECT_EQ(QBColor(-1), 0u);
    static_assert(RGB(0xFF, 0xC0, 0xC0) == kRunning);
    static_assert(RGB(255, 0, 0) == kRed);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x123456u);
}
