// Retry and Cancel of the link's error boxes.
#include <gtest/gtest.h>

#include "link/LinkFixture.h"

namespace {

constexpr const char* kReadFileText = "Please check USB connection.ReadFile error.";
constexpr const char* kWriteFileText = "Please check USB connection.WriteFile error.";
constexpr const char* kNakText =
    "Invalid I2C address. Press Retry to return to GUI and enter valid address or Cancel to close GUI.";

class LinkRecovery : public ::testing::Test, protected linktest::LinkOnSimBoard {
protected:
    void SetUp() override { ASSERT_TRUE(link.OpenBoard()); }

    void expectBox(std::size_t i, const char* text)
    {
        ASSERT_LT(i, rt.boxes().size());
        EXPECT_EQ(rt.boxes()[i].prompt, text);
        EXPECT_EQ(rt.boxes()[i].buttons, ui::vbRetryCancel);
        EXPECT_EQ(rt.boxes()[i].title, linktest::kTitle);
    }
};

TEST_F(LinkRecovery, RetryAfterATimeOutRepeatsTheSameTransfer)
{
    board.faults.answerTimeoutCount = 2;
    rt.answerNext(ui::vbRetry);
    rt.answerNext(ui::vbRetry);
    std::uint8_t value = 0;
    EXPECT_EQ(readRegister(0x49, value), usb::kStatusAck);
    EXPECT_EQ(value, 0xFF);
    ASSERT_EQ(rt.boxes().size(), 2u);
    expectBox(0, kReadFileText);
    expectBox(1, kReadFileText);
    // The repeat waits for an echo that brings the link back in step (the
    // second unanswered request was the first echo).
    ASSERT_EQ(board.log.size(), 4u);
    EXPECT_EQ(board.log[1][1], usb::bridge::kCmdEcho);
    EXPECT_EQ(board.log[2][1], usb::bridge::kCmdEcho);
    EXPECT_EQ(board.log[0], board.log[3]);
}

TEST_F(LinkRecovery, RetrySearchesForTheBoardAgain)
{
    // Board not there when the link opened; plugged in before Retry is pressed.
    link.CloseHidHandles();
    link.UsbConnected = false;
    rt.answerNext(ui::vbRetry);
    std::uint8_t value = 0;
    EXPECT_EQ(readRegister(0x00, value), usb::kStatusAck);
    EXPECT_EQ(value, 0x2A);
    ASSERT_EQ(rt.boxes().size(), 1u);
    expectBox(0, kWriteFileText);
    EXPECT_TRUE(link.UsbConnected);
}

TEST_F(LinkRecovery, RetryOnAFailedWriteOfARegisterWrite)
{
    board.faults.writeFailCount = 1;
    rt.answerNext(ui::vbRetry);
    const std::uint8_t data[] = {0x84, 0x05};
    EXPECT_EQ(link.I2cWriteRetry(0x50, 2, data, 0), usb::kStatusAck);
    expectBox(0, kWriteFileText);
    EXPECT_EQ(board.log.size(), 1u);
    EXPECT_EQ(board.chip().peek(0x84), 0x05);
}

TEST_F(LinkRecovery, CancelEndsTheProgramWhenNoHookIsSet)
{
    board.faults.answerTimeoutCount = 1;
    rt.answerNext(ui::vbCancel);
    std::uint8_t value = 0;
    EXPECT_THROW(readRegister(0x49, value), ui::ProgramEnded);
    EXPECT_TRUE(rt.ended());
    expectBox(0, kReadFileText);
}

TEST_F(LinkRecovery, CancelCallsTheHook)
{
    int cancels = 0;
    link.onCancel = [&] { ++cancels; };
    board.faults.writeFailCount = 1;
    rt.answerNext(ui::vbCancel);
    std::uint8_t value = 0x33;
    EXPECT_EQ(readRegister(0x49, value), usb::kStatusNak);
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(value, 0x33);
    EXPECT_TRUE(board.log.empty());
}

TEST_F(LinkRecovery, NotAcknowledgedShowsTheAddressBoxAndRetryReturns1)
{
    board.faults.nakOnce = 1;
    rt.answerNext(ui::vbRetry);
    std::uint8_t value = 0x44;
    EXPECT_EQ(readRegister(0x49, value, 0), usb::kStatusNak);
    EXPECT_EQ(value, 0x44);
    ASSERT_EQ(rt.boxes().size(), 1u);
    expectBox(0, kNakText);
    EXPECT_EQ(board.log.size(), 1u);  // Retry here does not repeat the transfer
}

TEST_F(LinkRecovery, NotAcknowledgedCancelCallsTheHook)
{
    int cancels = 0;
    link.onCancel = [&] { ++cancels; };
    link.I2CAddress = 0x60;
    rt.answerNext(ui::vbCancel);
    std::uint8_t value = 0;
    EXPECT_EQ(readRegister(0x49, value, 0), usb::kStatusNak);
    EXPECT_EQ(cancels, 1);
}

TEST_F(LinkRecovery, QuietNotAcknowledgedShowsNothing)
{
    board.faults.nakAll = true;
    std::uint8_t value = 0;
    EXPECT_EQ(readRegister(0x49, value, 1), usb::kStatusNak);
    const std::uint8_t data[] = {0x84, 0x01};
    EXPECT_EQ(link.I2cWriteRetry(0x50, 2, data, -1), usb::kStatusNak);
    EXPECT_TRUE(rt.boxes().empty());
}

// An answer that comes after the link gave up on it belongs to the abandoned
// request: it must never be taken for a later one.
TEST_F(LinkRecovery, ALateAnswerIsNotTakenForTheNextRead)
{
    board.faults.latencyMs = 6500;
    std::uint8_t address = 0x50, count = 1, writeCount = 1, reg = 0x49, value = 0;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusTimeout);
    board.faults.latencyMs = 0;
    link.FlushHidInput();  // the late answer has not arrived yet: nothing to flush
    EXPECT_EQ(readRegister(0x00, value), usb::kStatusAck);
    EXPECT_EQ(value, 0x2A);
    EXPECT_TRUE(rt.boxes().empty());
    // Back in step, the next read goes out without another echo.
    const auto before = board.log.size();
    EXPECT_EQ(readRegister(0x01, value), usb::kStatusAck);
    EXPECT_EQ(value, 0x0E);
    for (auto i = before; i < board.log.size(); ++i)
        EXPECT_NE(board.log[i][1], usb::bridge::kCmdEcho);
}

TEST_F(LinkRecovery, ALateAcknowledgeIsNotTakenForARefusedWrite)
{
    board.faults.latencyMs = 6500;
    std::uint8_t address = 0x50, count = 1, writeCount = 1, reg = 0x49, value = 0;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusTimeout);
    board.faults.latencyMs = 0;
    board.faults.nakAll = true;
    const std::uint8_t data[] = {0x84, 0x05};
    EXPECT_EQ(link.I2cWrite(0x50, 2, data), usb::kStatusNak);
}

TEST_F(LinkRecovery, WhenTheLateAnswerOutwaitsTheEchoTheTransferFails)
{
    board.faults.latencyMs = 20000;
    std::uint8_t address = 0x50, count = 1, writeCount = 1, reg = 0x49, value = 0x33;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusTimeout);
    board.faults.latencyMs = 0;
    reg = 0x00;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusTimeout);
    EXPECT_EQ(value, 0x33);
    const std::uint8_t data[] = {0x84, 0x05};
    EXPECT_EQ(link.I2cWrite(0x50, 2, data), usb::kStatusTimeout);
    // Once the late answer is in, the link is back in step.
    rt.Sleep(10000);
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusAck);
    EXPECT_EQ(value, 0x2A);
}

TEST_F(LinkRecovery, AnAnswerThatNeverComesDoesNotStallTheLink)
{
    board.faults.answerTimeoutCount = 1;
    std::uint8_t value = 0;
    std::uint8_t address = 0x50, count = 1, writeCount = 1, reg = 0x49;
    EXPECT_EQ(link.I2cRead(address, count, writeCount, &value, &reg), usb::kStatusTimeout);
    EXPECT_EQ(readRegister(0x02, value), usb::kStatusAck);
    EXPECT_EQ(value, 0xD5);
    EXPECT_TRUE(rt.boxes().empty());
}

TEST_F(LinkRecovery, QuietDoesNotHideConnectionErrors)
{
    board.faults.answerTimeoutCount = 1;
    rt.answerNext(ui::vbRetry);
    std::uint8_t value = 0;
    EXPECT_EQ(readRegister(0x49, value, 1), usb::kStatusAck);
    expectBox(0, kReadFileText);
}

}  // namespace
