#include "vb/Numbers.h"

#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

#include "vb/Decimal.h"

namespace vb {

namespace {

template <class T> std::string integerText(T v, bool blank)
{
    char text[24];
    char* p = text;
    if (blank && v >= 0)
        *p++ = ' ';
    const auto res = std::to_chars(p, text + sizeof text, v);
    return std::string(text, res.ptr);
}

std::string doubleText(double v, bool blank)
{
    if (std::isnan(v))
        return "NaN";
    std::string out;
    if (v < 0) {
        out += '-';
    } else if (blank) {
        out += ' ';
    }
    if (std::isinf(v))
        return out + "Inf";
    const detail::Decimal15 d = detail::toDecimal15(v);
    if (d.count == 0)
        return out + '0';

    const int exponent = d.point - 1;
    if (exponent >= 15 || exponent < -4) {
        out += d.digits[0];
        if (d.count > 1) {
            out += '.';
            out.append(d.digits + 1, static_cast<std::size_t>(d.count - 1));
        }
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10)
            out += '0';
        char text[8];
        out.append(text, std::to_chars(text, text + sizeof text, magnitude).ptr);
        return out;
    }
    if (d.point <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.point), '0');
        out.append(d.digits, static_cast<std::size_t>(d.count));
    } else if (d.point >= d.count) {
        out.append(d.digits, static_cast<std::size_t>(d.count));
        out.append(static_cast<std::size_t>(d.point - d.count), '0');
    } else {
        out.append(d.digits, static_cast<std::size_t>(d.point));
        out += '.';
        out.append(d.digits + d.point, static_cast<std::size_t>(d.count - d.point));
    }
    return out;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

double hexVal(std::string_view t, std::size_t i)
{
    double v = 0;
    for (; i < t.size(); ++i) {
        const int digit = hexDigit(t[i]);
        if (digit < 0)
            break;
        if (v > (DBL_MAX - digit) / 16)
            return DBL_MAX;
        v = v * 16 + digit;
    }
    return v;
}

// Digits kept for the conversion; beyond that a nonzero tail only matters as
// a sticky digit for correct rounding.
constexpr int kMaxDigits = 780;

}  // namespace

std::string Str(int v) { return integerText(v, true); }
std::string Str(long v) { return integerText(v, true); }
std::string Str(long long v) { return integerText(v, true); }
std::string Str(unsigned v) { return integerText(v, true); }
std::string Str(unsigned long v) { return integerText(v, true); }
std::string Str(unsigned long long v) { return integerText(v, true); }
std::string Str(double v) { return doubleText(v, true); }

std::string CStr(int v) { return integerText(v, false); }
std::string CStr(long v) { return integerText(v, false); }
std::string CStr(long long v) { return integerText(v, false); }
std::string CStr(unsigned v) { return integerText(v, false); }
std::string CStr(unsigned long v) { return integerText(v, false); }
std::string CStr(unsigned long long v) { return integerText(v, false); }
std::string CStr(double v) { return doubleText(v, false); }

std::string Hex(long long v)
{
    unsigned long long u = static_cast<unsigned long long>(v);
    if (v < 0 && v >= std::numeric_limits<std::int32_t>::min())
        u &= 0xFFFFFFFFULL;
    char text[20];
    const auto res = std::to_chars(text, text + sizeof text, u, 16);
    for (char* p = text; p < res.ptr; ++p) {
        if (*p >= 'a' && *p <= 'f')
            *p = static_cast<char>(*p - 'a' + 'A');
    }
    return std::string(text, res.ptr);
}

double Val(std::string_view t)
{
    std::size_t i = 0;
    const std::size_t n = t.size();
    while (i < n && isBlank(t[i]))
        ++i;
    if (i + 1 < n && t[i] == '&' && (t[i + 1] == 'H' || t[i + 1] == 'h'))
        return hexVal(t, i + 2);

    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-'))
        negative = t[i++] == '-';

    // Significant digits (leading zeros dropped) and the position of the point
    // relative to them: value = 0.digits x 10^point.
    char digits[kMaxDigits + 32];
    int count = 0;
    bool sticky = false;
    long long point = 0;
    bool anyDigit = false;
    bool seenPoint = false;
    for (; i < n; ++i) {
        const char c = t[i];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (!isDigit(c))
            break;
        anyDigit = true;
        if (count == 0 && c == '0') {
            if (seenPoint)
                --point;
            continue;
        }
        if (!seenPoint)
            ++point;
        if (count < kMaxDigits) {
            digits[count++] = c;
        } else if (c != '0') {
            sticky = true;
        }
    }
    if (!anyDigit || count == 0)
        return 0.0;

    if (i < n && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        std::size_t j = i + 1;
        bool negExp = false;
        if (j < n && (t[j] == '+' || t[j] == '-'))
            negExp = t[j++] == '-';
        if (j < n && isDigit(t[j])) {
            long long exponent = 0;
            for (; j < n && isDigit(t[j]); ++j) {
                if (exponent < 1'000'000'000)
                    exponent = exponent * 10 + (t[j] - '0');
            }
            point += negExp ? -exponent : exponent;
        }
    }

    const double limit = negative ? -DBL_MAX : DBL_MAX;
    if (point > 310)
        return limit;
    if (point < -330)
        return 0.0;

    if (sticky)
        digits[count++] = '1';
    // The digits as an integer times 10^(point - count).
    char* p = digits + count;
    *p++ = 'e';
    p = std::to_chars(p, digits + sizeof digits, point - count).ptr;
    double value = 0;
    const auto res = std::from_chars(digits, p, value);
    if (res.ec == std::errc::result_out_of_range)
        return point > 0 ? limit : 0.0;
    if (std::isinf(value))
        return limit;
    return negative ? -value : value;
}

long HexValue(std::string_view t)
{
    std::size_t i = 0;
    while (i < t.size() && isBlank(t[i]))
        ++i;
    std::uint32_t v = 0;
    for (; i < t.size(); ++i) {
        const int digit = hexDigit(t[i]);
        if (digit < 0)
            break;
        v = (v << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(v);
}

double RoundHalfEven(double v)
{
    if (!std::isfinite(v))
        return v;
    double r = std::round(v);  // halves away from zero
    if (std::fabs(r - v) == 0.5)
        r = 2.0 * std::round(v / 2.0);
    return r;
}

namespace {

template <class T> T saturatingRound(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = RoundHalfEven(v);
    if (r >= static_cast<double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    if (r <= static_cast<double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    return static_cast<T>(r);
}

}  // namespace

std::int32_t CLng(double v) { return saturatingRound<std::int32_t>(v); }
std::int16_t CInt(double v) { return saturatingRound<std::int16_t>(v); }

std::int16_t Int16Of(std::int32_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF)); }

std::optional<double> NumberOf(std::string_view text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    int digits = 0;
    while (i < text.size() && digit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && digit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        int expDigits = 0;
        while (i < text.size() && digit(text[i]))
            ++i, ++expDigits;
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    return vb::Val(text);
}

}  // namespace vb
