#include <gtest/gtest.h>

#include "link/UsbLink.h"
#include "program/Program.h"
#include "sim/EvalBoard.h"
#include "support/HeadlessRuntime.h"

namespace {

TEST(LinkProgram, SimulatedBoardStandsBehindTheLink)
{
    ui::HeadlessRuntime rt;
    Program p(rt, ProgramOptions{});
    p.BoardTitle = "KVN58C3";
    ASSERT_NE(p.simBoard(), nullptr);
    p.simBoard()->faults.latencyMs = 3;
    usb::UsbLink& link = p.link();
    EXPECT_EQ(link.BoardTitle, "KVN58C3");
    ASSERT_TRUE(link.OpenBoard());
    std::string version;
    const long long before = rt.now();
    EXPECT_EQ(link.FirmwareVersion(version), usb::kStatusAck);
    EXPECT_EQ(rt.now() - before, 3);  // the board's latency is the program's time
    EXPECT_EQ(p.simBoard()->log.size(), 1u);
}

TEST(LinkProgram, NoSimulatedBoardForTheRealOne)
{
    ui::HeadlessRuntime rt;
    ProgramOptions options;
    options.simulate = false;
    Program p(rt, options);
    EXPECT_EQ(p.simBoard(), nullptr);
}

}  // namespace
