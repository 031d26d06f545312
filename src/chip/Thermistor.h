#pragma once
// External temperature from a thermistor voltage by the form's 34-point table
// (-40 degC upward in 5-degree steps, voltages descending).
#include <array>

namespace chip {

inline constexpr int kThermistorPoints = 34;

struct ThermistorTable {
    std::array<double, kThermistorPoints> volts{};
    std::array<double, kThermistorPoints> temps{};
};

// Clamped to the first and last temperature outside the table; linear in
// 5-degree steps between two points.
double thermistorLookup(double volts, const ThermistorTable& table);

}  // namespace chip
