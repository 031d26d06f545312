#pragma once
// The seam between the link and a board: discovery, two handles per board,
// one 64-byte report per write or read.
#include <cstdint>
#include <string>
#include <vector>

#include "link/BridgeProtocol.h"

namespace usb {

enum class ReadResult { Got, TimedOut, Error };

class HidTransport {
public:
    virtual ~HidTransport() = default;

    // Device paths of every attached board with these IDs.
    virtual std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId) = 0;
    // The product text a board found by the last enumerate gives; "" when none.
    virtual std::string productText(const std::string& /*path*/) const { return {}; }
    // Opens a handle on a board; -1 when it cannot be opened. The link opens
    // two per board: one it writes to, one it reads from.
    virtual int open(const std::string& path) = 0;
    // Why the last open of a board failed, in the system's words ("Permission
    // denied"); "" when it opened or nothing says.
    virtual std::string openError(const std::string& /*path*/) const { return {}; }
    // Writes one report (byte 0 the report ID); false when it was not taken whole.
    virtual bool write(int handle, const bridge::Report& report) = 0;
    // Reads one report, waiting at most timeoutMs; report is only changed on Got.
    virtual ReadResult read(int handle, bridge::Report& report, int timeoutMs) = 0;
    // Gives up a read that timed out (a report arriving later stays queued for
    // the next read, as with a cancelled overlapped read).
    virtual void cancelRead(int handle) = 0;
    virtual void close(int handle) = 0;
};

}  // namespace usb
