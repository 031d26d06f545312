#pragma once
// Lines of the data-collection files: the survey of every monitor channel
// (values in units) and the single-channel series (raw codes). Comma
// separated, fixed date and time forms; the caller prints each with CR LF.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "chip/MonitorChannels.h"
#include "vb/DateTime.h"

namespace chip {

inline constexpr int kSurveyChannels = kLastMeasuredChannel - kFirstMeasuredChannel + 1;  // 14

// "Start,12-06-2026,10:22:00"
std::string surveyStartLine(const vb::DateTime& t);
// "Sample,CELL1,...,CELL8,Current(50),VBAT,VRGO,xTemp1,xTemp2,Int Temp"
std::string surveyHeader(int gain);
// " 0, 3.215, ..." : the sample index, then each channel's value rounded to
// three decimals and written as a number (no trailing zeros).
std::string surveyLine(int index, const std::array<double, kSurveyChannels>& values);

// "CELL1, Decimal , Hex ,  Reg 171/170 ,50 Samples :,12-06-2026,10:22:00": the
// count the run takes, not the box's text, which could split the line.
std::string seriesHeader(std::string_view channel, int samples, const vb::DateTime& t);
// " 0, 4660,0x1234": the index, the result's value and its hex text as shown.
std::string seriesLine(int index, std::string_view resultHex);

// The sample count typed into the samples box, as a 16-bit count (rounded
// as the box's number is stored); nullopt for a number outside -32768 to
// 32767, which would otherwise wrap into a different count.
std::optional<int> sampleCount(std::string_view text);

}  // namespace chip
