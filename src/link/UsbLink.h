#pragma once
// The USB HID link to the evaluation board's bridge: board discovery, two
// handles per board, the one 64-byte report buffer, I2C transfers with link
// statuses and the Retry/Cancel recovery, and the bridge commands the forms use.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "link/BridgeProtocol.h"
#include "link/HidTransport.h"
#include "ui/Runtime.h"

namespace usb {

enum LinkStatus : int { kStatusAck = 8, kStatusNak = 1, kStatusTimeout = 2, kStatusWriteFailed = 4 };

// How long the link waits for an answer report.
inline constexpr int kAnswerTimeoutMs = 6000;

struct LinkSettings {
    std::uint16_t vendorId = bridge::kDefaultVendorId;
    std::uint16_t productId = bridge::kProductId;
    // Title of the link's message boxes.
    std::string boardTitle;
};

// Two upper-case hex digits, "0A" for 10.
std::string ByteToHex2(std::uint8_t b);

class UsbLink {
public:
    UsbLink(ui::Runtime& rt, std::unique_ptr<HidTransport> transport, LinkSettings settings = {});
    ~UsbLink();
    UsbLink(const UsbLink&) = delete;
    UsbLink& operator=(const UsbLink&) = delete;

    // The chip's 8-bit I2C write address.
    std::uint8_t I2CAddress = 0;
    // True once a board has been found and opened.
    bool UsbConnected = false;
    // Title of the link's boxes.
    std::string BoardTitle;
    // Cancel in a link box. Unset: the program ends (rt.End()).
    std::function<void()> onCancel;
    // Told OpenProblem() when OpenBoard found a board but could open none.
    std::function<void(const std::string&)> onOpenProblem;

    // Finds every board with the IDs, opens its write and read handles and
    // selects the first; sets UsbConnected. Handles opened before are closed first.
    bool OpenBoard();
    // Closes every opened handle; the selected handles become -1.
    void CloseHidHandles();
    // What the link is connected to: the board's product text and device
    // path ("Simulated evaluation board (sim:kvn58-eval)"); "" when not connected.
    std::string ConnectedBoard() const;
    // Why no board is connected although one was found: its device path, the
    // system's reason and where the fix is; "" otherwise.
    const std::string& OpenProblem() const { return openProblem_; }
    // Discards answer reports still queued by the bridge. Lets pending events
    // run; waits for a late answer only while one may be queued.
    void FlushHidInput();

    // Command 6: I2C read. Status 8, 1, 2 or 4; readBuffer changes only on 8. No box.
    int I2cRead(std::uint8_t& address, std::uint8_t& readCount, std::uint8_t& writeCount, std::uint8_t* readBuffer,
        const std::uint8_t* writeBuffer);
    // I2cRead with the error boxes; quiet != 0 hides the not-acknowledged box.
    // Returns 8 or 1.
    int I2cReadRetry(std::uint8_t& address, std::uint8_t& readCount, std::uint8_t& writeCount, std::uint8_t* readBuffer,
        const std::uint8_t* writeBuffer, int quiet);
    // I2C write of count bytes from data (register address first, then values).
    int I2cWrite(std::uint8_t address, std::uint8_t count, const std::uint8_t* data);
    int I2cWriteRetry(std::uint8_t address, std::uint8_t count, const std::uint8_t* data, int quiet);

    // Bridge commands: status 8 when done, else 1, 2 or 4. No boxes.
    int SfrWrite(std::uint8_t sfr, std::uint8_t value);
    int PortWrite(int port, std::uint8_t mask, std::uint8_t value);
    int FirmwareVersion(std::string& version);

    // The one report buffer: the last request or answer.
    const bridge::Report& report() const { return report_; }
    const LinkSettings& settings() const { return settings_; }

private:
    struct Board {
        std::string path;
        int writeHandle = -1;
        int readHandle = -1;
        std::string product;
    };

    // Sends the request in report_ and waits for the answer into report_.
    int exchange(int timeoutMs = kAnswerTimeoutMs);
    // After an abandoned answer: sends an echo and drops every answer before
    // it. Status 8 once the echo is back, else 2 or 4 (still out of step).
    int resynchronise(int timeoutMs);
    // Clears report_ and puts the command in; returns where the arguments go.
    std::uint8_t* request(std::uint8_t cmd);
    // Fills report_ with the command and the arguments, then exchanges.
    int command(std::uint8_t cmd, std::initializer_list<std::uint8_t> args);
    // Repeats a transfer through the error boxes until it ends in 8 or 1.
    int withRecovery(const std::function<int()>& transfer, int quiet);
    void cancel();

    ui::Runtime& rt_;
    std::unique_ptr<HidTransport> transport_;
    LinkSettings settings_;
    std::vector<Board> boards_;
    std::string openProblem_;
    int writeHandle_ = -1;
    int readHandle_ = -1;
    bridge::Report report_{};
    // An answer was given up on and may still arrive: no answer is taken as
    // the next request's until an echo has come back.
    bool outOfStep_ = false;
    // No answer can be queued: a flush found the input empty since the
    // handles were opened, and each request since had its answer taken.
    bool inputDrained_ = false;
    std::uint32_t echoCount_ = 0;
};

}  // namespace usb
