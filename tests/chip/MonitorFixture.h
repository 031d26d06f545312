#pragma once
// The chip form on the simulated board, launched as a user would, with a
// quiet pack so readings are exact.
#include <string>
#include <vector>

#include "chip/KVN58C3_Main.h"
#include "link/BridgeProtocol.h"
#include "link/UsbLink.h"
#include "shell/FormsFixture.h"
#include "vb/Numbers.h"

namespace monitor_test {

class MonitorTest : public forms_test::FormsTest {
protected:
    chip::KVN58C3_Main& form()
    {
        if (!form_) {
            board().chip().pack.noiseVolts = 0.0;
            form_ = &launch();
        }
        return *form_;
    }
    // A configuration register of the chip, written behind the program's back.
    void setChipRegister(std::uint8_t reg, std::uint8_t value)
    {
        board().chip().writeRegister(reg, value, rt.timeGetTime());
    }
    // Number of I2C reads (command 6) the board took since log index from.
    std::size_t readsSince(std::size_t from) { return reportsOf(usb::bridge::kCmdI2cRead, from).size(); }
    // Register and count of every I2C read since log index from, as "80/22".
    std::vector<std::string> readsOf(std::size_t from)
    {
        std::vector<std::string> out;
        for (const auto& r : reportsOf(usb::bridge::kCmdI2cRead, from))
            out.push_back(usb::ByteToHex2(r[5]) + "/" + std::to_string(r[3]));
        return out;
    }
    std::string box(int i) { return form().VCELL[i].Text; }
    // Puts a 12-bit code into a register pair of the image, low byte first.
    void setImageCode(int lo, int code)
    {
        form().tbRegdata[lo].Text = usb::ByteToHex2(static_cast<std::uint8_t>(code & 0xFF));
        form().tbRegdata[lo + 1].Text = usb::ByteToHex2(static_cast<std::uint8_t>(code >> 8));
    }
    int imageCode(int lo)
    {
        return static_cast<int>(
            vb::HexValue(form().tbRegdata[lo + 1].Text.get()) * 256 + vb::HexValue(form().tbRegdata[lo].Text.get()));
    }
    double boxValue(int i) { return vb::Val(box(i)); }

private:
    chip::KVN58C3_Main* form_ = nullptr;
};

}  // namespace monitor_test
