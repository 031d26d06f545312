#pragma once
// A link on a simulated board under the headless runtime, the crossbar on.
#include <memory>

#include "link/UsbLink.h"
#include "sim/EvalBoard.h"
#include "sim/SimTransport.h"
#include "support/HeadlessRuntime.h"

namespace linktest {

inline constexpr const char* kTitle = "KVN58C3 Evaluation Board";

struct LinkOnSimBoard {
    ui::HeadlessRuntime rt;
    sim::EvalBoard board{1};
    usb::UsbLink link{rt,
        std::make_unique<sim::SimTransport>(
            board, [this](int ms) { rt.Sleep(ms); }, [this] { return rt.timeGetTime(); }),
        usb::LinkSettings{0x10C4, 0x2036, kTitle}};

    LinkOnSimBoard()
    {
        board.bridge().setSfr(bridgereg::kSfrCrossbar, 0x06);
        link.I2CAddress = 0x50;
    }

    // One register read as the forms do it; returns the status.
    int readRegister(std::uint8_t reg, std::uint8_t& value, int quiet = 0)
    {
        std::uint8_t address = link.I2CAddress, count = 1, writeCount = 1;
        return link.I2cReadRetry(address, count, writeCount, &value, &reg, quiet);
    }
};

}  // namespace linktest
