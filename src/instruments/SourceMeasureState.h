#pragma once
// Mode, output state and levels of each source-measure panel, by panel index.
#include <array>

namespace instruments {

struct SourceMeasureState {
    // Set VI: the first value of a reading is the source voltage.
    std::array<bool, 11> ViSourcesVoltage{};
    // The output is on (Sample) until Operate puts it to standby.
    std::array<bool, 11> ViOperating{};
    // VI: source volts; IV: compliance volts.
    std::array<double, 11> ViVoltage{};
    // VI: compliance amperes; IV: source amperes.
    std::array<double, 11> ViCurrent{};
};

}  // namespace instruments
