#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "link/LinkFixture.h"

namespace {

using usb::bridge::Report;

class LinkTransfer : public ::testing::Test, protected linktest::LinkOnSimBoard {
protected:
    void SetUp() override { ASSERT_TRUE(link.OpenBoard()); }

    static Report reportOf(std::initializer_list<std::uint8_t> head)
    {
        Report r{};
        std::copy(head.begin(), head.end(), r.begin());
        return r;
    }
};

TEST_F(LinkTransfer, RegisterReadSendsCommand6AndCopiesTheAnswer)
{
    std::uint8_t address = 0x50, count = 1, writeCount = 1, reg = 0x49;
    std::uint8_t value = 0;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusAck);
    EXPECT_EQ(value, 0xFF);
    ASSERT_EQ(board.log.size(), 1u);
    EXPECT_EQ(board.log.back(), reportOf({1, 6, 0x51, 1, 1, 0x49}));
    // Arguments are by reference, but a read leaves them as they were.
    EXPECT_EQ(address, 0x50);
    EXPECT_EQ(count, 1);
}

TEST_F(LinkTransfer, BlockReadFillsTheBufferInRegisterOrder)
{
    std::array<std::uint8_t, 8> thresholds{};
    std::uint8_t address = 0x50, count = 8, writeCount = 1, reg = 0x00;
    ASSERT_EQ(link.I2cRead(address, count, writeCount, thresholds.data(), &reg), usb::kStatusAck);
    EXPECT_EQ(thresholds, (std::array<std::uint8_t, 8>{0x2A, 0x0E, 0xD5, 0x0D, 0x00, 0x09, 0x00, 0x0A}));
}

TEST_F(LinkTransfer, RegisterWriteSendsOurCommandAndReadsBack)
{
    const std::uint8_t data[] = {0x86, 0x01};
    EXPECT_EQ(link.I2cWrite(0x50, 2, data), usb::kStatusAck);
    EXPECT_EQ(board.log.back(), reportOf({1, 7, 0x50, 2, 0x86, 0x01}));
    std::uint8_t value = 0;
    EXPECT_EQ(readRegister(0x86, value), usb::kStatusAck);
    EXPECT_EQ(value, 0x01);
}

TEST_F(LinkTransfer, NotAcknowledgedLeavesTheReadBufferAlone)
{
    std::uint8_t address = 0x52, count = 2, writeCount = 1, reg = 0x80;
    std::array<std::uint8_t, 2> buffer{0xAB, 0xCD};
    EXPECT_EQ(link.I2cRead(address, count, writeCount, buffer.data(), &reg), usb::kStatusNak);
    EXPECT_EQ(buffer, (std::array<std::uint8_t, 2>{0xAB, 0xCD}));
    EXPECT_TRUE(rt.boxes().empty());
}

TEST_F(LinkTransfer, CountsBeyondOneReportAreRefusedWithoutATransfer)
{
    std::array<std::uint8_t, 70> buffer{};
    std::uint8_t address = 0x50, count = 63, writeCount = 1, reg = 0x80;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, buffer.data(), &reg), usb::kStatusNak);
    EXPECT_EQ(link.I2cWrite(0x50, 61, buffer.data()), usb::kStatusNak);
    EXPECT_TRUE(board.log.empty());
    count = 62;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, buffer.data(), &reg), usb::kStatusAck);
}

TEST_F(LinkTransfer, AnswerTimeOutIsStatus2AfterSixSeconds)
{
    board.faults.answerTimeoutCount = 1;
    std::uint8_t value = 0x77, address = 0x50, count = 1, writeCount = 1, reg = 0x49;
    const long long before = rt.now();
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusTimeout);
    EXPECT_EQ(rt.now() - before, 6000);
    EXPECT_EQ(value, 0x77);
}

TEST_F(LinkTransfer, FailedReportWriteIsStatus4)
{
    board.faults.writeFailCount = 1;
    std::uint8_t value = 0, address = 0x50, count = 1, writeCount = 1, reg = 0x49;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusWriteFailed);
    EXPECT_TRUE(board.log.empty());
}

TEST_F(LinkTransfer, LatencyMovesTheRuntimeClock)
{
    board.faults.latencyMs = 5;
    std::uint8_t value = 0;
    const long long before = rt.now();
    EXPECT_EQ(readRegister(0x49, value), usb::kStatusAck);
    EXPECT_EQ(rt.now() - before, 5);
}

TEST_F(LinkTransfer, FlushDiscardsEveryLateAnswerSoTheNextReadGetsItsOwn)
{
    // An answer slower than the time-out arrives after the link gave up on it,
    // and two more sit queued behind it.
    board.faults.latencyMs = 7000;
    std::uint8_t address = 0x50, count = 1, writeCount = 1, reg = 0x49, value = 0;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusTimeout);
    board.faults.latencyMs = 0;
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(board.receive(reportOf({1, 6, 0x51, 1, 1, 0x49}), rt.timeGetTime()));
    rt.advance(2000);
    ASSERT_EQ(board.answers().size(), 3u);
    const long long calls = rt.doEventsCalls();
    link.FlushHidInput();
    EXPECT_TRUE(board.answers().empty());
    EXPECT_EQ(rt.doEventsCalls() - calls, 4);  // three reports taken, then one empty wait
    reg = 0x00;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusAck);
    EXPECT_EQ(value, 0x2A);
}

TEST_F(LinkTransfer, FlushOnAQuietBoardReadsOnceAndLetsEventsRun)
{
    const long long calls = rt.doEventsCalls();
    link.FlushHidInput();
    EXPECT_EQ(rt.doEventsCalls() - calls, 1);
    EXPECT_TRUE(board.log.empty());
}

TEST_F(LinkTransfer, AFlushWaitsOnlyWhileAnAnswerMayBeQueued)
{
    // The time a flush waits for the board, beside the turn of events it always
    // lets run (a millisecond of this clock).
    const auto flushWaits = [this] {
        const long long t0 = rt.now();
        const long long calls = rt.doEventsCalls();
        link.FlushHidInput();
        EXPECT_EQ(rt.doEventsCalls() - calls, 1);
        return rt.now() - t0 - 1;
    };
    const auto read = [this] {
        std::uint8_t address = 0x50, count = 1, writeCount = 1, reg = 0x49, value = 0;
        return link.I2cRead(address, count, writeCount, &value, &reg);
    };
    // Just opened: what the board still holds is not known.
    EXPECT_EQ(flushWaits(), 1);
    ASSERT_EQ(read(), usb::kStatusAck);
    EXPECT_EQ(flushWaits(), 0);
    // An answer given up on may still come, until an echo has brought the link back in step.
    board.faults.answerTimeoutCount = 1;
    ASSERT_EQ(read(), usb::kStatusTimeout);
    EXPECT_EQ(flushWaits(), 1);
    EXPECT_EQ(flushWaits(), 1);
    ASSERT_EQ(read(), usb::kStatusAck);
    EXPECT_EQ(flushWaits(), 0);
    board.faults.writeFailCount = 1;
    ASSERT_EQ(read(), usb::kStatusWriteFailed);
    EXPECT_EQ(flushWaits(), 1);
    EXPECT_EQ(flushWaits(), 0);
    ASSERT_TRUE(link.OpenBoard());
    EXPECT_EQ(flushWaits(), 1);
}

TEST_F(LinkTransfer, ClosedHandlesMakeTransfersFailToWrite)
{
    link.CloseHidHandles();
    std::uint8_t address = 0x50, count = 1, writeCount = 1, reg = 0x49, value = 0;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusWriteFailed);
    link.FlushHidInput();  // nothing to read from: returns at once
}

TEST(LinkDiscovery, BoardIsFoundByVendorAndProductId)
{
    linktest::LinkOnSimBoard s;
    EXPECT_FALSE(s.link.UsbConnected);
    EXPECT_TRUE(s.link.OpenBoard());
    EXPECT_TRUE(s.link.UsbConnected);

    ui::HeadlessRuntime rt;
    sim::EvalBoard other(1, 0x1234);
    usb::UsbLink link(rt,
        std::make_unique<sim::SimTransport>(
            other, [](int) {}, [] { return 0u; }));
    EXPECT_FALSE(link.OpenBoard());
    EXPECT_FALSE(link.UsbConnected);
}

TEST(LinkDiscovery, UnpluggedBoardIsNotFound)
{
    linktest::LinkOnSimBoard s;
    s.board.faults.unplugged = true;
    EXPECT_FALSE(s.link.OpenBoard());
    s.board.faults.unplugged = false;
    EXPECT_TRUE(s.link.OpenBoard());
}

TEST(LinkHelpers, ByteToHex2)
{
    EXPECT_EQ(usb::ByteToHex2(0x0A), "0A");
    EXPECT_EQ(usb::ByteToHex2(0x00), "00");
    EXPECT_EQ(usb::ByteToHex2(0xF0), "F0");
    EXPECT_EQ(usb::ByteToHex2(0xFF), "FF");
}

TEST_F(LinkTransfer, BridgeCommands)
{
    EXPECT_EQ(link.SfrWrite(0xE1, 0x00), usb::kStatusAck);
    EXPECT_EQ(board.log.back(), reportOf({1, 2, 0xE1, 0x00}));
    EXPECT_EQ(board.bridge().sfr(0xE1), 0x00);
    // With the crossbar off the chip is not on the bridge's pins.
    std::uint8_t value = 0;
    EXPECT_EQ(readRegister(0x49, value, 1), usb::kStatusNak);

    EXPECT_EQ(link.PortWrite(2, 0x0F, 0x05), usb::kStatusAck);
    EXPECT_EQ(board.log.back(), reportOf({1, 4, 2, 0x0F, 0x05}));
    EXPECT_EQ(board.bridge().sfr(bridgereg::kPortSfr[2]), 0xF5);
    EXPECT_EQ(link.PortWrite(5, 0xFF, 0x00), usb::kStatusNak);

    std::string version;
    EXPECT_EQ(link.FirmwareVersion(version), usb::kStatusAck);
    EXPECT_EQ(version, sim::Bridge::kFirmwareVersion);
}

}  // namespace
