#pragma once
// The USB HID link to the evaluation board's bridge.
#include <cstdint>

#include "ui/Runtime.h"

namespace usb {

class UsbLink {
public:
    explicit UsbLink(ui::Runtime& rt) : rt_(rt) {}

    std::uint8_t I2CAddress = 0;
    bool UsbConnected = false;

    void CloseHidHandles() {}

private:
    ui::Runtime& rt_;
};

}  // namespace usb
