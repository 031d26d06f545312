#include "vb/Format.h"

#include <cmath>

#include "vb/Decimal.h"
#include "vb/Numbers.h"

namespace vb {

namespace {

bool isPlace(char c) { return c == '0' || c == '#'; }

struct Section {
    long long places = 0;  // "0" and "#"
    long long required = 0;  // integer part: places from the first "0"; decimals: up to the last "0"
    bool grouping = false;
};

Section integerSection(std::string_view s)
{
    Section sec;
    for (char c : s) {
        if (c == ',')
            sec.grouping = true;
        if (!isPlace(c))
            continue;
        ++sec.places;
        if (c == '0' && sec.required == 0)
            sec.required = 1;
        else if (sec.required > 0)
            ++sec.required;
    }
    return sec;
}

Section decimalSection(std::string_view s)
{
    Section sec;
    for (char c : s) {
        if (!isPlace(c))
            continue;
        ++sec.places;
        if (c == '0')
            sec.required = sec.places;
    }
    return sec;
}

// Writes the integer digits into the places of the integer section.
class IntegerWriter {
public:
    IntegerWriter(const detail::Decimal15& d, const Section& sec, std::string& out) : d_(d), sec_(sec), out_(out)
    {
        const long long natural = d.point > 0 ? d.point : 0;
        length_ = natural > sec.required ? natural : sec.required;
        lead_ = length_ - natural;
    }

    // Place p of `places`, counted from the left.
    void place(long long p, long long places)
    {
        const long long first = length_ - (places - p);  // digit index of this place
        if (p == 0) {
            if (d_.negative)
                out_ += '-';
            for (long long i = 0; i < first; ++i)
                digit(i);
        }
        if (first >= 0)
            digit(first);
    }

private:
    void digit(long long i)
    {
        if (sec_.grouping && i > 0 && (length_ - i) % 3 == 0)
            out_ += ',';
        if (i < lead_) {
            out_ += '0';
            return;
        }
        const long long j = i - lead_;
        out_ += j < d_.count ? d_.digits[j] : '0';
    }

    const detail::Decimal15& d_;
    const Section& sec_;
    std::string& out_;
    long long length_ = 0;  // digits written, zero padding included
    long long lead_ = 0;  // padding zeros in front
};

}  // namespace

std::string WithSymbols(std::string_view formatted, const NumberSymbols& symbols)
{
    std::string out;
    out.reserve(formatted.size());
    for (char c : formatted) {
        if (c == ',')
            out += symbols.group;
        else if (c == '.')
            out += symbols.decimal;
        else
            out += c;
    }
    return out;
}

std::string Format(double v, std::string_view pattern)
{
    if (std::isnan(v))
        return "NaN";
    if (std::isinf(v))
        return v > 0 ? "Inf" : "-Inf";
    if (pattern.empty())
        return CStr(v);

    const std::size_t pointAt = pattern.find('.');
    const bool hasPoint = pointAt != std::string_view::npos;
    const std::string_view intPart = pattern.substr(0, pointAt);
    const std::string_view decPart = hasPoint ? pattern.substr(pointAt + 1) : std::string_view();
    const Section intSec = integerSection(intPart);
    const Section decSec = decimalSection(decPart);

    detail::Decimal15 d = detail::toDecimal15(v);
    detail::roundDecimals(d, decSec.places);

    std::string out;
    out.reserve(pattern.size() + (d.point > 0 ? static_cast<std::size_t>(d.point) * 4 / 3 : 0) + 2);

    IntegerWriter integer(d, intSec, out);
    const long long places = intSec.places > 0 ? intSec.places : 1;
    long long p = 0;
    for (char c : intPart) {
        if (isPlace(c)) {
            integer.place(p++, places);
        } else if (c != ',') {
            out += c;
        }
    }
    if (intSec.places == 0)
        integer.place(0, 1);
    if (!hasPoint)
        return out;

    out += '.';
    const long long significant = d.count > d.point ? d.count - d.point : 0;
    const long long decimals = significant > decSec.required ? significant : decSec.required;
    long long q = 0;
    for (char c : decPart) {
        if (!isPlace(c)) {
            out += c;
            continue;
        }
        if (q < decimals) {
            const long long i = d.point + q;
            out += i >= 0 && i < d.count ? d.digits[i] : '0';
        }
        ++q;
    }
    return out;
}

}  // namespace vb
