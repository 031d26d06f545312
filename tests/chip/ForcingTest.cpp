// Test-mode forcing on the simulated board: write order, waits, and the
// status indicators turning and clearing.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "shell/Doco.h"

namespace monitor_test {
namespace {

using ForcingTest = ControlTest;

constexpr int kCoc = 9, kDoc = 10, kDsc = 11, kCharging = 18, kDischarging = 19;

TEST_F(ForcingTest, DischargeShortCircuitSequenceWaitsAndShows)
{
    auto& f = form();
    const std::size_t from = logSize();
    const long long t0 = rt.now();
    std::vector<std::string> duringSettle, duringFault;
    rt.after(900, [&] { duringSettle = writesOf(from); });
    rt.after(1000 + 400, [&] { duringFault = writesOf(from); });
    f.CbCurErr[2].userClick();

    EXPECT_EQ(duringSettle, (std::vector<std::string>{"89=A0", "88=00", "87=00", "C1=00"}));
    EXPECT_EQ(duringFault, (std::vector<std::string>{"89=A0", "88=00", "87=00", "C1=00", "87=10", "C0=A0", "C1=04"}));
    EXPECT_EQ(writesOf(from),
        (std::vector<std::string>{"89=A0", "88=00", "87=00", "C1=00", "87=10", "C0=A0", "C1=04", "89=00"}));
    EXPECT_GE(rt.now() - t0, 1500);
    EXPECT_EQ(f.LED[kDsc].FillColor.get(), vb::kRed);
    EXPECT_EQ(f.LED[kDischarging].FillColor.get(), vb::kGreen);
    EXPECT_EQ(f.LED[kCoc].FillColor.get(), vb::kWhite);
    EXPECT_EQ(f.cbDFET.BackColor.get(), vb::kRed);  // the chip switched the discharge FET off
    EXPECT_TRUE(f.CbCurErr[2].Value.get());
    EXPECT_EQ(f.ReadStatus.BackColor.get(), vb::kIdle);

    const std::size_t clearFrom = logSize();
    f.Command7.userClick();
    EXPECT_EQ(writesOf(clearFrom), (std::vector<std::string>{"89=A0", "C0=00", "C1=00", "87=00", "89=00"}));
    EXPECT_EQ(f.LED[kDsc].FillColor.get(), vb::kWhite);
    EXPECT_FALSE(f.CbCurErr[2].Value.get());
}

TEST_F(ForcingTest, OverCurrentOptionsSetTheirMonitorBitAndFault)
{
    auto& f = form();
    std::size_t from = logSize();
    f.CbCurErr[0].userClick();
    EXPECT_EQ(writesOf(from),
        (std::vector<std::string>{"89=A0", "88=00", "87=00", "C1=00", "87=08", "C0=60", "C1=01", "89=00"}));
    EXPECT_EQ(f.LED[kCoc].FillColor.get(), vb::kRed);
    EXPECT_EQ(f.LED[kCharging].FillColor.get(), vb::kGreen);
    from = logSize();
    f.CbCurErr[1].userClick();
    EXPECT_EQ(writesOf(from),
        (std::vector<std::string>{"89=A0", "88=00", "87=00", "C1=00", "87=10", "C0=A0", "C1=02", "89=00"}));
    EXPECT_EQ(f.LED[kDoc].FillColor.get(), vb::kRed);
    EXPECT_EQ(f.LED[kCoc].FillColor.get(), vb::kWhite);
    EXPECT_FALSE(f.CbCurErr[0].Value.get());
}

TEST_F(ForcingTest, ForceChargeClearsPowerModeBeforeTrimAccessAndUnforceClearsOnlyTheDirection)
{
    auto& f = form();
    std::size_t from = logSize();
    f.cbCurDir[0].userClick();
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"88=00", "89=A0", "C0=60", "89=00"}));
    EXPECT_EQ(f.LED[kCharging].FillColor.get(), vb::kGreen);
    EXPECT_EQ(f.LED[kDischarging].FillColor.get(), vb::kWhite);
    f.cbCurDir[1].userClick();
    EXPECT_EQ(f.LED[kDischarging].FillColor.get(), vb::kGreen);
    EXPECT_TRUE(f.cbCurDir[1].Value.get());
    EXPECT_FALSE(f.cbCurDir[0].Value.get());

    f.tbRegdata[0x87].Text = "10";
    f.cbWrite_Click(0x87);
    from = logSize();
    f.Command6.userClick();
    EXPECT_EQ(writesOf(from), (std::vector<std::string>{"89=A0", "C0=00", "89=00"}));
    EXPECT_FALSE(f.cbCurDir[0].Value.get());
    EXPECT_FALSE(f.cbCurDir[1].Value.get());
    EXPECT_EQ(board().chip().peek(0x87), 0x10);
}

TEST_F(ForcingTest, BlockedDuringAutoScanAfterTheTraceLine)
{
    auto& f = form();
    p().TraceOn = true;
    p().TraceIndent1 = "     ";
    startAutoScan();
    const std::size_t from = logSize();
    f.CbCurErr[2].userClick();
    f.Command7.userClick();
    f.cbCurDir[1].userClick();
    f.Command6.userClick();
    EXPECT_EQ(logSize(), from);
    EXPECT_EQ(boxesWith(kBlocked), 4u);
    const std::string_view trace = p().form<shell::Doco>().rtxt1.Text();
    EXPECT_NE(
        trace.find("     DEMO GUI Tab :Force Dis-Charge Short Circuit [DSC] via Test Mode\r\n"), std::string::npos);
    EXPECT_NE(
        trace.find("     DEMO GUI Tab :Clear [COC,DOC,DSC] Over Current (Test Mode) Condition\r\n"), std::string::npos);
    EXPECT_NE(trace.find("     DEMO GUI Tab :Force Dis-Charge Condition via Test Mode\r\n"), std::string::npos);
    EXPECT_NE(trace.find("     DEMO GUI Tab :Clear Force Current (Test Mode) Condition\r\n"), std::string::npos);
}

}  // namespace
}  // namespace monitor_test
