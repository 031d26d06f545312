#pragma once
// The link's transport to the in-process simulated board. Waits go through
// the given wait function (the runtime's Sleep), so latency and time-outs
// move the program's clock; the chip runs on the given clock.
#include <cstdint>
#include <functional>
#include <set>

#include "link/HidTransport.h"

namespace sim {

class EvalBoard;

class SimTransport : public usb::HidTransport {
public:
    SimTransport(EvalBoard& board, std::function<void(int ms)> wait, std::function<std::uint32_t()> nowMs);

    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::string productText(const std::string& path) const override;
    int open(const std::string& path) override;
    std::string openError(const std::string& path) const override;
    bool write(int handle, const usb::bridge::Report& report) override;
    usb::ReadResult read(int handle, usb::bridge::Report& report, int timeoutMs) override;
    void cancelRead(int handle) override;
    void close(int handle) override;

private:
    bool valid(int handle) const;

    EvalBoard& board_;
    std::function<void(int)> wait_;
    std::function<std::uint32_t()> nowMs_;
    std::set<int> handles_;
    int nextHandle_ = 1;
};

}  // namespace sim
