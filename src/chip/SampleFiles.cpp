#include "chip/SampleFiles.h"

#include <cstdint>
#include <limits>

#include "vb/Format.h"
#include "vb/Numbers.h"

namespace chip {

std::string surveyStartLine(const vb::DateTime& t) { return "Start," + vb::DateText(t) + "," + vb::TimeText(t); }

std::string surveyHeader(int gain)
{
    std::string line = "Sample";
    for (int k = kFirstMeasuredChannel; k <= kLastMeasuredChannel; ++k) {
        line += ",";
        line += kMonitorChannelNames[static_cast<std::size_t>(k)];
        if (k == kMonCurrent)
            line += "(" + vb::CStr(gain) + ")";
    }
    return line;
}

std::string surveyLine(int index, const std::array<double, kSurveyChannels>& values)
{
    std::string line = vb::Str(index);
    for (double v : values)
        line += "," + vb::Str(vb::Val(vb::Format(v, "##0.000")));
    return line;
}

std::string seriesHeader(std::string_view channel, int samples, const vb::DateTime& t)
{
    std::string line(channel);
    line += ", Decimal , Hex ,  Reg 171/170 ,";
    line += vb::CStr(samples);
    line += " Samples :," + vb::DateText(t) + "," + vb::TimeText(t);
    return line;
}

std::string seriesLine(int index, std::string_view resultHex)
{
    const std::string hex(resultHex);
    return vb::Str(index) + "," + vb::Str(vb::Val("&H" + hex)) + ",0x" + hex;
}

std::optional<int> sampleCount(std::string_view text)
{
    const double n = vb::RoundHalfEven(vb::Val(text));
    if (n < std::numeric_limits<std::int16_t>::min() || n > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<int>(n);
}

}  // namespace chip
