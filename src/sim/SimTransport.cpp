#include "sim/SimTransport.h"

#include <cstdint>

#include "sim/EvalBoard.h"

namespace sim {

SimTransport::SimTransport(EvalBoard& board, std::function<void(int ms)> wait, std::function<std::uint32_t()> nowMs)
    : board_(board), wait_(std::move(wait)), nowMs_(std::move(nowMs))
{
}

std::vector<std::string> SimTransport::enumerate(std::uint16_t vendorId, std::uint16_t productId)
{
    const bool match =
        (vendorId == 0 || vendorId == board_.vendorId()) && (productId == 0 || productId == board_.productId());
    if (!board_.present() || !match)
        return {};
    return {EvalBoard::kPath};
}

std::string SimTransport::productText(const std::string& path) const
{
    return path == EvalBoard::kPath ? EvalBoard::kProduct : std::string();
}

int SimTransport::open(const std::string& path)
{
    if (!board_.present() || path != EvalBoard::kPath || board_.faults.openDenied)
        return -1;
    const int handle = nextHandle_++;
    handles_.insert(handle);
    return handle;
}

std::string SimTransport::openError(const std::string& path) const
{
    // As the system says it of a device node the user may not open.
    return path == EvalBoard::kPath && board_.faults.openDenied ? "Permission denied" : "";
}

bool SimTransport::valid(int handle) const { return board_.present() && handles_.count(handle) != 0; }

bool SimTransport::write(int handle, const usb::bridge::Report& report)
{
    return valid(handle) && board_.receive(report, nowMs_());
}

usb::ReadResult SimTransport::read(int handle, usb::bridge::Report& report, int timeoutMs)
{
    if (!valid(handle))
        return usb::ReadResult::Error;
    auto& answers = board_.answers();
    if (!answers.empty()) {
        const auto due = static_cast<std::int32_t>(answers.front().readyMs - nowMs_());
        if (due <= timeoutMs) {
            if (due > 0)
                wait_(due);
            report = answers.front().report;
            answers.pop_front();
            return usb::ReadResult::Got;
        }
    }
    wait_(timeoutMs);
    return usb::ReadResult::TimedOut;
}

// A late answer stays queued, as a cancelled overlapped read leaves it to the next read.
void SimTransport::cancelRead(int) {}

void SimTransport::close(int handle) { handles_.erase(handle); }

}  // namespace sim
