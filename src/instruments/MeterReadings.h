#pragma once
// What each meter panel last set up and read, by panel index.
#include <array>
#include <string>

namespace instruments {

struct MeterReadings {
    std::array<double, 11> DvmReadings{};
    // Unit text of the panel's last set-up, with its leading blank; empty before.
    std::array<std::string, 11> DvmUnits{};
};

}  // namespace instruments
