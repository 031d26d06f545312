#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "sim/EvalBoard.h"

namespace {

using usb::bridge::Report;

Report request(std::initializer_list<std::uint8_t> head)
{
    Report r{};
    std::copy(head.begin(), head.end(), r.begin());
    return r;
}

struct SimBoard : ::testing::Test {
    sim::EvalBoard board{1};
    Report exchange(const Report& r)
    {
        EXPECT_TRUE(board.receive(r, 0));
        EXPECT_FALSE(board.answers().empty());
        Report a = board.answers().front().report;
        board.answers().pop_front();
        return a;
    }
};

TEST_F(SimBoard, ChipAnswersOnlyAt0x50WithTheCrossbarOn)
{
    const Report read = request({1, 6, 0x51, 1, 1, 0x49});
    EXPECT_EQ(exchange(read)[1], usb::bridge::kAnswerNak);  // crossbar off after reset
    board.bridge().setSfr(0xE1, 0x06);
    Report a = exchange(read);
    EXPECT_EQ(a[0], 1);
    EXPECT_EQ(a[1], usb::bridge::kAnswerAck);
    EXPECT_EQ(a[2], 0xFF);
    EXPECT_EQ(exchange(request({1, 6, 0x53, 1, 1, 0x49}))[1], usb::bridge::kAnswerNak);
    EXPECT_EQ(exchange(request({1, 7, 0xA0, 2, 0x84, 1}))[1], usb::bridge::kAnswerNak);
    // A read sent to the write address, or a write to the read address, is another address.
    EXPECT_EQ(exchange(request({1, 6, 0x50, 1, 1, 0x49}))[1], usb::bridge::kAnswerNak);
    EXPECT_EQ(exchange(request({1, 7, 0x51, 2, 0x84, 1}))[1], usb::bridge::kAnswerNak);
    EXPECT_EQ(exchange(request({1, 7, 0x50, 2, 0x84, 1}))[1], usb::bridge::kAnswerAck);
}

TEST_F(SimBoard, FaultsNakTimeOutWriteFailLatency)
{
    board.bridge().setSfr(0xE1, 0x06);
    const Report read = request({1, 6, 0x51, 1, 1, 0x49});
    board.faults.nakOnce = 2;
    EXPECT_EQ(exchange(read)[1], usb::bridge::kAnswerNak);
    EXPECT_EQ(exchange(read)[1], usb::bridge::kAnswerNak);
    EXPECT_EQ(exchange(read)[1], usb::bridge::kAnswerAck);

    board.faults.answerTimeoutCount = 1;
    EXPECT_TRUE(board.receive(read, 0));
    EXPECT_TRUE(board.answers().empty());

    board.faults.writeFailCount = 1;
    EXPECT_FALSE(board.receive(read, 0));
    EXPECT_TRUE(board.receive(read, 0));
    board.answers().clear();

    board.faults.latencyMs = 12;
    EXPECT_TRUE(board.receive(read, 100));
    EXPECT_EQ(board.answers().front().readyMs, 112u);
    EXPECT_EQ(board.log.size(), 6u);  // the failed write is not among them
}

TEST_F(SimBoard, UnknownCommandIsNotAcknowledged)
{
    EXPECT_EQ(exchange(request({1, 0x55}))[1], usb::bridge::kAnswerNak);
}

}  // namespace

namespace {

TEST_F(SimBoard, EchoReturnsTheRequestBytes)
{
    Report echo = request({1, usb::bridge::kCmdEcho, 0xDE, 0xAD});
    echo[63] = 0x5A;
    const Report a = exchange(echo);
    EXPECT_EQ(a[1], usb::bridge::kAnswerAck);
    EXPECT_TRUE(std::equal(a.begin() + 2, a.end(), echo.begin() + 2));
}

// An hour at "Min" is over a million reports: the board keeps the recent ones,
// still numbered from the first so a test can read what an action sent.
TEST_F(SimBoard, ReportLogKeepsARecentWindow)
{
    const std::size_t window = board.log.window();
    const Report read = request({1, 6, 0x51, 1, 1, 0x49});
    for (std::size_t i = 0; i < window + 10; ++i) {
        Report r = read;
        r[5] = static_cast<std::uint8_t>(i);
        exchange(r);
    }
    EXPECT_EQ(board.log.size(), window + 10);
    EXPECT_EQ(board.log.first(), 10u);
    EXPECT_EQ(std::distance(board.log.begin(), board.log.end()), static_cast<std::ptrdiff_t>(window));
    EXPECT_EQ(board.log[window + 9][5], static_cast<std::uint8_t>(window + 9));
    EXPECT_EQ(board.log.back()[5], static_cast<std::uint8_t>(window + 9));
    EXPECT_EQ(board.log[10][5], 10);
    EXPECT_THROW((void)board.log[9], std::out_of_range);
    board.log.clear();
    EXPECT_TRUE(board.log.empty());
}

}  // namespace
