#pragma once
// The reports a simulated board took: numbered from the first, of which only
// the most recent window is kept, so a board left running for hours stays small.
#include <cstddef>
#include <deque>
#include <stdexcept>

#include "link/BridgeProtocol.h"

namespace sim {

class ReportLog {
public:
    static constexpr std::size_t kDefaultWindow = 8192;

    explicit ReportLog(std::size_t window = kDefaultWindow) : window_(window == 0 ? 1 : window) {}

    void push_back(const usb::bridge::Report& report)
    {
        if (kept_.size() == window_)
            kept_.pop_front();
        kept_.push_back(report);
        ++taken_;
    }
    // How many reports were taken (the number the next one gets).
    std::size_t size() const { return taken_; }
    bool empty() const { return taken_ == 0; }
    // Number of the oldest report still kept.
    std::size_t first() const { return taken_ - kept_.size(); }
    std::size_t window() const { return window_; }
    // Report number i; only the kept window can be read.
    const usb::bridge::Report& operator[](std::size_t i) const
    {
        if (i < first() || i >= taken_)
            throw std::out_of_range("report no longer kept");
        return kept_[i - first()];
    }
    const usb::bridge::Report& back() const { return (*this)[taken_ - 1]; }
    // The kept reports, oldest first.
    auto begin() const { return kept_.begin(); }
    auto end() const { return kept_.end(); }
    void clear()
    {
        kept_.clear();
        taken_ = 0;
    }

private:
    std::size_t window_;
    std::size_t taken_ = 0;
    std::deque<usb::bridge::Report> kept_;
};

}  // namespace sim
