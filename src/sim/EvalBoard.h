#pragma once
// The simulated evaluation board: the bridge firmware and the chip behind it,
// with injectable faults and a log of the recent reports the board took.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "link/BridgeProtocol.h"
#include "sim/Bridge.h"
#include "sim/Chip.h"
#include "sim/ReportLog.h"

namespace sim {

class EvalBoard {
public:
    explicit EvalBoard(std::uint32_t seed = 1, std::uint16_t vendorId = usb::bridge::kDefaultVendorId);
    EvalBoard(const EvalBoard&) = delete;
    EvalBoard& operator=(const EvalBoard&) = delete;

    static constexpr const char* kPath = "sim:kvn58-eval";
    static constexpr const char* kProduct = "Simulated evaluation board";
    std::uint16_t vendorId() const { return vendorId_; }
    std::uint16_t productId() const { return usb::bridge::kProductId; }
    bool present() const { return !faults.unplugged; }

    // A report from the host at time nowMs; false when the write fails.
    bool receive(const usb::bridge::Report& report, std::uint32_t nowMs);

    struct Answer {
        usb::bridge::Report report;
        std::uint32_t readyMs;  // when it reaches the host
    };
    // Answers not yet read by the host, oldest first.
    std::deque<Answer>& answers() { return answers_; }

    Chip& chip() { return chip_; }
    Bridge& bridge() { return bridge_; }

    Faults faults;
    // The reports the board took, in order: the recent ones are kept.
    ReportLog log;

private:
    std::uint16_t vendorId_;
    Chip chip_;
    Bridge bridge_;
    std::deque<Answer> answers_;
};

}  // namespace sim
