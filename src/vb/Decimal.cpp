#include "vb/Decimal.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace vb::detail {

namespace {

void dropTrailingZeros(Decimal15& d)
{
    while (d.count > 0 && d.digits[d.count - 1] == '0')
        --d.count;
    if (d.count == 0) {
        d.point = 0;
        d.negative = false;
    }
}

}  // namespace

Decimal15 toDecimal15(double v)
{
    Decimal15 d;
    if (v == 0.0 || !std::isfinite(v))
        return d;
    d.negative = v < 0;
    // to_chars is correctly rounded and ignores the C locale (Qt sets it from
    // the environment, which would turn printf's point into a comma).
    char text[40];
    const auto res = std::to_chars(text, text + sizeof text, std::fabs(v), std::chars_format::scientific, 14);
    // text is "d.dddddddddddddde[+-]xx"
    const char* p = text;
    d.digits[d.count++] = *p++;
    if (p < res.ptr && *p == '.') {
        ++p;
        while (p < res.ptr && *p != 'e' && d.count < 15)
            d.digits[d.count++] = *p++;
    }
    int exponent = 0;
    if (p < res.ptr && *p == 'e') {
        ++p;
        const bool negExp = *p == '-';
        if (*p == '-' || *p == '+')
            ++p;
        std::from_chars(p, res.ptr, exponent);
        if (negExp)
            exponent = -exponent;
    }
    d.point = exponent + 1;
    dropTrailingZeros(d);
    return d;
}

void roundDecimals(Decimal15& d, long long decimals)
{
    if (d.count == 0)
        return;
    const long long keep = d.point + decimals;  // significant digits that stay
    if (keep >= d.count)
        return;
    if (keep < 0) {
        d.count = 0;
        dropTrailingZeros(d);
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.count = static_cast<int>(keep);
    if (up) {
        int i = d.count - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            // All nines (or nothing kept): the carry makes a new leading 1.
            d.digits[0] = '1';
            d.count = 1;
            ++d.point;
            return;
        }
    }
    dropTrailingZeros(d);
}

}  // namespace vb::detail
