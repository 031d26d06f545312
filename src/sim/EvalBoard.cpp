#include "sim/EvalBoard.h"

namespace sim {

EvalBoard::EvalBoard(std::uint32_t seed, std::uint16_t vendorId)
    : vendorId_(vendorId), chip_(seed), bridge_(chip_, faults)
{
}

bool EvalBoard::receive(const usb::bridge::Report& report, std::uint32_t nowMs)
{
    if (faults.unplugged)
        return false;
    if (faults.writeFailCount > 0) {
        --faults.writeFailCount;
        return false;
    }
    log.push_back(report);
    if (faults.answerTimeoutCount > 0) {
        --faults.answerTimeoutCount;
        return true;  // taken, never answered
    }
    const int latency = faults.latencyMs > 0 ? faults.latencyMs : 0;
    answers_.push_back({bridge_.answer(report, nowMs), nowMs + static_cast<std::uint32_t>(latency)});
    return true;
}

}  // namespace sim
