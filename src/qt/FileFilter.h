#pragma once
// The common dialog's filter ("Text (*.txt)|*.txt|All|*.*") as Qt's name
// filters, and the file names a dialog may propose or accept.
#include <string>
#include <string_view>
#include <vector>

namespace qt {

// One Qt name filter per description/pattern pair: "Text (*.txt)", "All (*.*)".
// The pattern after the bar decides what is listed; ";" between patterns becomes
// a blank. A description without a pattern is dropped.
std::vector<std::string> nameFilters(std::string_view filter);

// The default extension without dot or wildcard: ".txt" and "*.CSV" give "txt"
// and "CSV"; "" when nothing usable is left.
std::string defaultSuffix(std::string_view defaultExt);
// A path whose file name holds no wildcard: a wildcard extension ("log2.*",
// left by an "All Files (*.*)" filter) becomes the default extension (or goes,
// without one); "" when the name itself holds '*' or '?' or is empty.
std::string savableName(std::string_view path, std::string_view defaultExt);

}  // namespace qt
