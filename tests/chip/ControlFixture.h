#pragma once
// The chip form's control side on the simulated board: register writes as
// "85=69" in the order the board took them, and file lines.
#include <string>
#include <vector>

#include "MonitorFixture.h"

namespace monitor_test {

class ControlTest : public MonitorTest {
protected:
    // Every I2C register write since log index from, as "register=value".
    std::vector<std::string> writesOf(std::size_t from)
    {
        std::vector<std::string> out;
        for (const auto& r : reportsOf(usb::bridge::kCmdI2cWrite, from))
            out.push_back(usb::ByteToHex2(r[4]) + "=" + usb::ByteToHex2(r[5]));
        return out;
    }
    std::size_t logSize() { return board().log.size(); }
    std::size_t boxesWith(const std::string& prompt) const
    {
        std::size_t n = 0;
        for (const auto& b : rt.boxes())
            n += b.prompt == prompt ? 1 : 0;
        return n;
    }
    static std::vector<std::string> lines(const std::string& text)
    {
        std::vector<std::string> out;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            out.push_back(text.substr(start, end - start));
        EXPECT_EQ(start, text.size()) << "text after the last CR LF";
        return out;
    }
    static std::vector<std::string> fields(const std::string& line)
    {
        std::vector<std::string> out;
        std::size_t start = 0;
        for (std::size_t end; (end = line.find(',', start)) != std::string::npos; start = end + 1)
            out.push_back(line.substr(start, end - start));
        out.push_back(line.substr(start));
        return out;
    }
    // A running auto scan, as its start button leaves it.
    void startAutoScan() { form().cbAutoScan_Click(); }
    // A stop request, completed by the next tick.
    void stopAutoScan()
    {
        form().cbAutoScan_Click();
        rt.runFor(100);
        EXPECT_EQ(form().cbAutoScan.BackColor.get(), vb::kIdle);
    }

    static constexpr const char* kBlocked =
        "Operation Blocked during Auto scan. Please stop Auto scan before using this feature";
};

}  // namespace monitor_test
