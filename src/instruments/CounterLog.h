#pragma once
// The counter's readings since its last initialisation.
#include <array>
#include <cstdint>

namespace instruments {

struct CounterLog {
    std::array<double, 1001> CounterReadings{};
    // The element the next reading fills.
    std::int16_t CounterReadingIndex = 0;

    // Keeps a reading while there is room; once all places are used the
    // table keeps the first readings and the index stays past its end.
    void store(double reading)
    {
        if (CounterReadingIndex >= 0 && CounterReadingIndex < static_cast<int>(CounterReadings.size())) {
            CounterReadings[static_cast<std::size_t>(CounterReadingIndex)] = reading;
            ++CounterReadingIndex;
        }
    }
    bool full() const { return CounterReadingIndex >= static_cast<int>(CounterReadings.size()); }
};

}  // namespace instruments
