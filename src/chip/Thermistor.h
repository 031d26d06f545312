#pragma once
// External temperature from a thermistor voltage by the form's 34-point table
// (-40 degC upward in 5-degree steps, voltages descending).
#include <array>
#include <optional>
#include <vector>

#include "ui/Controls.h"

namespace chip {

inline constexpr int kThermistorPoints = 34;

struct ThermistorTable {
    std::array<double, kThermistorPoints> volts{};
    std::array<double, kThermistorPoints> temps{};
};

// Clamped to the first and last temperature outside the table; linear in
// 5-degree steps between two points.
double thermistorLookup(double volts, const ThermistorTable& table);

// The table as last parsed from the form's boxes, kept until one of the boxes
// changes, so a scan does not parse 68 texts again.
struct ThermistorTableCache {
    std::vector<const ui::TextBox*> boxes;  // volts, then temperatures; they live as long as the form
    unsigned long long revisions = 0;  // the sum of the boxes' revisions when parsed
    std::optional<ThermistorTable> table;
};

}  // namespace chip
