#pragma once
// The recording log's lines: a fixed 49-field header and one record per
// auto-scan tick, fields joined by TAB.
#include <array>
#include <string>
#include <string_view>

#include "vb/Color.h"

namespace chip {

inline constexpr int kRecordFields = 49;
inline constexpr int kRecordedReadings = 14;  // VCELL 0 to 13
inline constexpr int kRecordedIndicators = 31;  // LED 0 to 30; LED 31 is unused

const std::array<std::string_view, kRecordFields>& recordHeaderFields();
std::string recordHeader();

struct RecordSnapshot {
    std::string dateTime;  // regional date, three blanks, regional time
    std::array<std::string_view, kRecordedReadings> readings{};
    std::array<vb::Color, 3> fets{};  // PCFET, CFET, DFET
    std::array<vb::Color, kRecordedIndicators> indicators{};
};
std::string recordLine(const RecordSnapshot& s);

}  // namespace chip
