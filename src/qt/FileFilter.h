#pragma once
// The common dialog's filter ("Text (*.txt)|*.txt|All|*.*") as Qt's name filters.
#include <string>
#include <string_view>
#include <vector>

namespace qt {

// One Qt name filter per description/pattern pair: "Text (*.txt)", "All (*.*)".
// The pattern after the bar decides what is listed; ";" between patterns becomes
// a blank. A description without a pattern is dropped.
std::vector<std::string> nameFilters(std::string_view filter);

}  // namespace qt
