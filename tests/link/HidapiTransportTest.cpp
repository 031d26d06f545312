// The hidapi transport's own code, against the stand-in hidapi library.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>

#include "link/HidapiTransport.h"
#include "link/UsbLink.h"
#include "sim/EvalBoard.h"
#include "support/HeadlessRuntime.h"

namespace {

using usb::bridge::Report;

// The stand-in's test hooks, found in the loaded library.
struct Standin {
    void* lib = dlopen(KVN_STANDIN_HIDAPI, RTLD_NOW | RTLD_LOCAL);
    Standin()
    {
        reinterpret_cast<void (*)(std::uint32_t)>(dlsym(lib, "kvn_standin_reset"))(1);
        board()->bridge().setSfr(bridgereg::kSfrCrossbar, 0x06);
    }
    ~Standin() { dlclose(lib); }
    Standin(const Standin&) = delete;
    Standin& operator=(const Standin&) = delete;
    sim::EvalBoard* board()
    {
        return static_cast<sim::EvalBoard*>(reinterpret_cast<void* (*)()>(dlsym(lib, "kvn_standin_board"))());
    }
    std::uint32_t clock() { return reinterpret_cast<std::uint32_t (*)()>(dlsym(lib, "kvn_standin_clock"))(); }
};

class HidapiTransport : public ::testing::Test {
protected:
    Standin standin;
    ui::HeadlessRuntime rt;
    usb::UsbLink link{
        rt, std::make_unique<usb::HidapiTransport>(KVN_STANDIN_HIDAPI), usb::LinkSettings{0x10C4, 0x2036, "Board"}};
};

TEST_F(HidapiTransport, FindsTheBoardAndReadsARegister)
{
    ASSERT_NE(standin.lib, nullptr) << dlerror();
    ASSERT_TRUE(link.OpenBoard());
    EXPECT_EQ(link.ConnectedBoard(), "Simulated evaluation board (sim:kvn58-eval)");  // the product text hidapi gave
    link.I2CAddress = 0x50;
    std::uint8_t address = 0x50, count = 1, writeCount = 1, reg = 0x49, value = 0;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusAck);
    EXPECT_EQ(value, 0xFF);
    ASSERT_EQ(standin.board()->log.size(), 1u);
    Report expected{};
    const std::uint8_t head[] = {1, 6, 0x51, 1, 1, 0x49};
    std::copy(std::begin(head), std::end(head), expected.begin());
    EXPECT_EQ(standin.board()->log.back(), expected);

    const std::uint8_t data[] = {0x84, 0x81};
    EXPECT_EQ(link.I2cWrite(0x50, 2, data), usb::kStatusAck);
    EXPECT_EQ(standin.board()->chip().peek(0x84), 0x81);
}

TEST_F(HidapiTransport, TimeOutWriteFailureAndNoAcknowledge)
{
    ASSERT_TRUE(link.OpenBoard());
    std::uint8_t address = 0x50, count = 1, writeCount = 1, reg = 0x49, value = 0;
    standin.board()->faults.answerTimeoutCount = 1;
    const std::uint32_t before = standin.clock();
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusTimeout);
    EXPECT_EQ(standin.clock() - before, 6000u);  // the time-out was handed to hid_read_timeout
    standin.board()->faults.writeFailCount = 1;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusWriteFailed);
    address = 0x52;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusNak);
}

TEST_F(HidapiTransport, BothHandlesShareOneDeviceAndReconnectWorks)
{
    ASSERT_TRUE(link.OpenBoard());
    ASSERT_TRUE(link.OpenBoard());  // closes and opens again
    std::string version;
    EXPECT_EQ(link.FirmwareVersion(version), usb::kStatusAck);
    EXPECT_EQ(version, sim::Bridge::kFirmwareVersion);
    link.CloseHidHandles();
    EXPECT_EQ(link.FirmwareVersion(version), usb::kStatusWriteFailed);
}

TEST_F(HidapiTransport, OtherVendorIdFindsNothing)
{
    usb::UsbLink other(
        rt, std::make_unique<usb::HidapiTransport>(KVN_STANDIN_HIDAPI), usb::LinkSettings{0x1234, 0x2036, "Board"});
    EXPECT_FALSE(other.OpenBoard());
    standin.board()->faults.unplugged = true;
    EXPECT_FALSE(link.OpenBoard());
}

TEST(HidapiLibrary, ANodeThatWillNotOpenGivesTheSystemsReason)
{
    Standin standin;
    usb::HidapiTransport transport(KVN_STANDIN_HIDAPI);
    transport.enumerate(0x10C4, 0x2036);
    const std::string node = "/nonexistent/hidraw9";
    EXPECT_EQ(transport.open(node), -1);
    EXPECT_EQ(transport.openError(node), "No such file or directory");
}

TEST(HidapiLibrary, MissingLibraryMeansNoBoard)
{
    ui::HeadlessRuntime rt;
    auto transport = std::make_unique<usb::HidapiTransport>("libkvn-no-such-hidapi.so");
    EXPECT_FALSE(transport->loaded());
    usb::UsbLink link(rt, std::move(transport));
    EXPECT_FALSE(link.OpenBoard());
    EXPECT_FALSE(link.UsbConnected);
    std::uint8_t address = 0x50, count = 1, writeCount = 1, reg = 0x49, value = 0;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusWriteFailed);
    link.FlushHidInput();
}

TEST(HidapiLibrary, LibraryWithoutTheCallsIsNotUsed)
{
    // libm has none of the hidapi names.
    usb::HidapiTransport transport("libm.so.6");
    EXPECT_FALSE(transport.loaded());
    EXPECT_TRUE(transport.enumerate(0x10C4, 0x2036).empty());
}

}  // namespace
