#pragma once

// Display patterns of the forms' number boxes and labels.

#include <string>
#include <string_view>

namespace vb {

// Writes v by pattern:
// - "0" is a required and "#" an optional digit. Before the first "." the
//   integer part is always written in full (excess digits go to the first
//   position); it is padded with zeros from the leftmost "0" on, and a zero
//   integer part under "#" alone writes no digit. A "," there groups thousands.
// - The first "." is always written. After it, the last "0" gives the least
//   and the number of digit places the most decimals; the value is rounded
//   half away from zero at the last place, on its 15-digit decimal form (so
//   1.0005 at three places gives 1.001, as the number is shown).
// - Other characters are copied where they stand. A pattern without digit
//   places before its point (or at all) writes the integer part just before
//   the point (or at its end).
// - A negative value gets "-" in front of its first digit position; one that
//   rounds to zero is written without the sign.
// - An empty pattern gives CStr(v); NaN gives "NaN", infinities "Inf"/"-Inf".
std::string Format(double v, std::string_view pattern);

// The characters a number is written with where the user's settings decide.
struct NumberSymbols {
    std::string group = ",";
    std::string decimal = ".";
};
// Text of Format with its "," and "." written as the symbols say.
std::string WithSymbols(std::string_view formatted, const NumberSymbols& symbols);

}  // namespace vb
