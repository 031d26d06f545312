#include <gtest/gtest.h>

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
