// The simulated chip's power modes, FET drivers and balancing outputs as the
// bus and the measurements see them.
#include <gtest/gtest.h>

#include "sim/EvalBoard.h"

namespace {

using sim::Chip;

// One code is 8.8 mA at the default gain.
constexpr double kCodeMa = 9.0;

double senseMa(const Chip& c)
{
    // 12-bit current-sense magnitude at gain 50 through the 1 milliohm shunt.
    const int code = c.peek(0x8E) | ((c.peek(0x8F) & 0x0F) << 8);
    return code * (1800.0 / 4095.0) / 50.0 / 1.0 * 1000.0;
}

TEST(SimPower, PowerDownCutsTheBusUntilTheSupplyIsCycled)
{
    sim::EvalBoard board(1);
    Chip& c = board.chip();
    board.bridge().setSfr(0xE1, 0x06);  // crossbar on
    c.advanceTo(0);
    c.writeRegister(0x84, 0x01, 0);
    c.writeRegister(0x88, 0x08, 10);
    EXPECT_FALSE(c.acknowledges());
    EXPECT_EQ(c.peek(0x86) & 0x07, 0);  // every FET off
    EXPECT_EQ(c.peek(0x84), 0);  // no balancing
    const long long scans = c.scansDone();
    c.advanceTo(5000);
    EXPECT_EQ(c.scansDone(), scans);
    // The bridge finds nobody at the address; writes do not reach the chip.
    const usb::bridge::Report request = {1, 6, 0x51, 1, 1, 0x49};
    ASSERT_TRUE(board.receive(request, 5000));
    EXPECT_EQ(board.answers().back().report[1], usb::bridge::kAnswerNak);
    c.writeRegister(0x86, 0x03, 5000);
    EXPECT_EQ(c.peek(0x86) & 0x03, 0);

    c.powerCycle();
    EXPECT_TRUE(c.acknowledges());
    EXPECT_EQ(c.peek(0x88), 0);
    EXPECT_EQ(c.peek(0x86), 0x53);
    c.advanceTo(6000);
    EXPECT_GT(c.scansDone(), scans);
    ASSERT_TRUE(board.receive(request, 6000));
    EXPECT_EQ(board.answers().back().report[1], usb::bridge::kAnswerAck);
}

TEST(SimPower, SleepStopsScanFetsAndBalancingAndAFetSwitchedOnWakesTheChip)
{
    Chip c(1);
    c.pack.noiseVolts = 0.0;
    c.advanceTo(0);
    c.writeRegister(0x84, 0x01, 0);
    c.advanceTo(100);
    const int balanced = c.peek(0x90) | (c.peek(0x91) << 8);
    c.writeRegister(0x88, 0x04, 100);
    EXPECT_EQ(c.peek(0x83), 0x40);
    EXPECT_EQ(c.peek(0x86) & 0x07, 0);
    EXPECT_EQ(c.peek(0x84), 0x01);  // the register keeps the bit; the output is off
    const long long scans = c.scansDone();
    c.advanceTo(2000);
    EXPECT_EQ(c.scansDone(), scans);

    // Still on the bus: the host switches CFET on, which wakes the chip.
    c.writeRegister(0x86, 0x52, 2000);
    EXPECT_EQ(c.peek(0x88), 0x00);
    EXPECT_EQ(c.peek(0x83), 0x00);
    EXPECT_EQ(c.peek(0x86), 0x52);
    c.advanceTo(2200);
    EXPECT_GT(c.scansDone(), scans);
    EXPECT_EQ(c.peek(0x90) | (c.peek(0x91) << 8), balanced);  // balancing again

    // Asleep, a write that leaves every FET off does not wake it; clearing the mode does.
    c.writeRegister(0x88, 0x04, 2200);
    c.writeRegister(0x86, 0x50, 2200);
    EXPECT_EQ(c.peek(0x88), 0x04);
    c.writeRegister(0x88, 0x00, 2200);
    EXPECT_EQ(c.peek(0x83), 0x00);
}

TEST(SimPower, FetDriversSetThePackCurrentAndItsStatus)
{
    Chip c(1);
    c.pack.noiseVolts = 0.0;
    c.advanceTo(0);
    // Load through DFET: discharging.
    c.advanceTo(100);
    EXPECT_NEAR(senseMa(c), 500.0, kCodeMa);
    EXPECT_EQ(c.peek(0x82) & 0x0F, 0x09);  // load present, discharging
    c.writeRegister(0x86, 0x52, 100);  // DFET off
    c.advanceTo(200);
    EXPECT_EQ(senseMa(c), 0.0);
    EXPECT_EQ(c.peek(0x82) & 0x0F, 0x01);

    // A charger: full current through CFET, a trickle through PCFET alone.
    c.pack.chargerAttached = true;
    c.advanceTo(300);
    EXPECT_NEAR(senseMa(c), 1000.0, kCodeMa);
    EXPECT_EQ(c.peek(0x82) & 0x0F, 0x07);  // load, charger present, charging
    c.writeRegister(0x86, 0x54, 300);  // CFET off, PCFET on
    c.advanceTo(400);
    EXPECT_NEAR(senseMa(c), 100.0, kCodeMa);
    EXPECT_EQ(c.peek(0x82) & 0x80, 0x80);  // low-voltage charge through PCFET
    c.writeRegister(0x86, 0x50, 400);
    c.advanceTo(500);
    EXPECT_EQ(senseMa(c), 0.0);
    EXPECT_EQ(c.peek(0x82) & 0x86, 0x02);  // the charger is still seen
}

}  // namespace
