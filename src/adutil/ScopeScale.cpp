#include "adutil/ScopeScale.h"

#include <cmath>
#include <limits>

#include "vb/Format.h"
#include "vb/Numbers.h"

namespace adutil {

void ScopeScale::reset()
{
    RangeSpan = kFullSpan;
    ScaleTop = kFullSpan / 2;
    ScaleBottom = -kFullSpan / 2;
    ScaleSpan = kFullSpan;
}

void ScopeScale::resetPeaks()
{
    PeakMax = PeakMax2 = kPeakResetMax;
    PeakMin = PeakMin2 = kPeakResetMin;
}

void ScopeScale::setScale(double span, double bottom)
{
    if (!std::isfinite(span) || !std::isfinite(bottom) || !std::isfinite(span + bottom))
        return;
    ScaleSpan = span;
    ScaleBottom = bottom;
    ScaleTop = span + bottom;
}

void ScopeScale::centerOnPeaks() { setScale(ScaleSpan, (PeakMax - PeakMin) * 0.5 + PeakMin - ScaleSpan * 0.5); }

void ScopeScale::scaleRangeSpan(double factor)
{
    // Thousands of presses must not run the span to infinity or to zero.
    const double next = RangeSpan * factor;
    if (std::isfinite(next) && next >= std::numeric_limits<double>::min())
        RangeSpan = next;
}

void ScopeScale::applyRangeSpan()
{
    double s = RangeSpan * 1.1;
    if (s > kMaxSpan)
        s = kMaxSpan;
    setScale(s, PeakMin - std::fabs(s * 0.05));
}

double ScopeScale::autoRange(double peakToPeak, double shownMinimum)
{
    double p = peakToPeak;
    if (p < 0.0001) {
        p = 10;
        PeakMin = shownMinimum - 5;
    }
    p *= 5;
    if (p > kMaxSpan)
        p = kMaxSpan;
    setScale(p, PeakMin - std::fabs(p * 0.01));
    return p;
}

int gridStep(double length)
{
    const double s = vb::RoundHalfEven(length);
    return s >= 1 && s <= std::numeric_limits<int>::max() ? static_cast<int>(s) : 0;
}

std::array<std::string, kDivisions + 1> xLabelTexts(int plotWidth)
{
    std::array<std::string, kDivisions + 1> t;
    t[0] = vb::CStr(0);
    for (int k = 1; k < kDivisions; ++k)
        t[static_cast<std::size_t>(k)] = vb::Str(static_cast<double>(plotWidth) / kDivisions * k);
    t[kDivisions] = vb::Str(plotWidth);
    return t;
}

std::array<std::string, kDivisions + 1> yLabelTexts(double bottom, double span)
{
    std::array<std::string, kDivisions + 1> t;
    const double d = span / kDivisions;
    double v = bottom;
    for (auto& text : t) {
        text = vb::CStr(v);
        v += d;
    }
    return t;
}

std::string yLabelPrint(const std::string& text)
{
    const double v = vb::Val(text);
    return v >= 0 ? vb::Format(v, " #,##0.00000") : vb::Format(v, "#,##0.00000");
}

namespace {
int pixel(double v) { return static_cast<int>(vb::CLng(v)); }
}  // namespace

std::vector<PlacedText> layoutGridLabels(const LabelLayoutInput& in)
{
    std::vector<PlacedText> out;
    const int h4 = in.h - 4;
    // Values from the bottom (k = 0) up, one per division line.
    if (const int step = h4 / kDivisions; step > 0) {
        int k = 0;
        for (int y = h4; y >= 0 && k <= kDivisions; y -= step, ++k)
            out.push_back({in.tw + in.w, pixel(in.th / 1.5 + y), yLabelPrint(in.yTexts[static_cast<std::size_t>(k)])});
    }
    out.push_back({in.tw + in.w, pixel(in.th * 2.2 + h4), in.unit});
    // Sample positions: "0" at the right end, the picture width at the left.
    if (const int step = gridStep(in.w / 10.0); step > 0) {
        int k = kDivisions;
        for (int x = 0; x <= in.w && k >= 0; x += step, --k)
            out.push_back({x + in.tw - 7, pixel(in.th * 1.4 + h4), in.xTexts[static_cast<std::size_t>(k)]});
    }
    std::string count = vb::Str(in.w);
    count.append(" Samples Displayed");
    out.push_back({pixel(in.w / 3.0), pixel(in.th * 2.5 + h4), std::move(count)});
    out.push_back({pixel(in.w / 8.0), pixel(in.th * 3.5 + h4), in.title});
    return out;
}

}  // namespace adutil
