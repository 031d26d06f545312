#include <gtest/gtest.h>

#include <cmath>

#include "sim/Chip.h"

namespace {

using sim::Chip;

int code12(const Chip& c, std::uint8_t reg) { return c.peek(reg) | ((c.peek(reg + 1) & 0x0F) << 8); }
int code14(const Chip& c) { return c.peek(chipreg::kMonitorResult) | (c.peek(chipreg::kMonitorResultHigh) << 8); }
double cellVolts(const Chip& c, int cell)
{
    return code12(c, static_cast<std::uint8_t>(0x90 + 2 * (cell - 1))) * 14.4 / 12285;
}

// The readings as the chip form computes them.
TEST(SimPack, PowerUpReadingsArePlausible)
{
    Chip c(1);
    for (int cell = 1; cell <= 8; ++cell)
        EXPECT_NEAR(cellVolts(c, cell), 3.7, 0.01) << "cell " << cell;
    EXPECT_NEAR(code12(c, 0xA6) * 57.6 / 4095, 29.6, 0.05);
    EXPECT_NEAR(code12(c, 0xA8) * 3.6 / 4095, 3.3, 0.01);
    // Current: 50x gain, 1 milliohm shunt.
    const double senseMv = code12(c, 0x8E) / 50.0 * 1800 / 4095;
    EXPECT_NEAR(senseMv / 0.001, 500, 25);
    EXPECT_EQ(c.peek(0x82) & 0x0C, 0x08);  // discharging
    // Temperatures with 0x4A bit 4 clear.
    const double internalKk = code12(c, 0xA0) * 1.8 / 4095 / 1.8527;
    EXPECT_NEAR(internalKk * 1000 - 273.15, 27, 1.0);
    EXPECT_NEAR(code12(c, 0xA2) * 0.9 / 4095, Chip::thermistorVolts(25), 0.002);
    EXPECT_NEAR(Chip::thermistorVolts(25), 0.4, 1e-9);
    EXPECT_GT(Chip::thermistorVolts(-40), Chip::thermistorVolts(125));
    // Lowest and highest cell.
    int lo = 4095, hi = 0;
    for (int cell = 0; cell < 8; ++cell) {
        lo = std::min(lo, code12(c, static_cast<std::uint8_t>(0x90 + 2 * cell)));
        hi = std::max(hi, code12(c, static_cast<std::uint8_t>(0x90 + 2 * cell)));
    }
    EXPECT_EQ(code12(c, 0x8A), lo);
    EXPECT_EQ(code12(c, 0x8C), hi);
    EXPECT_EQ(c.peek(0x49), 0xFF);
}

TEST(SimPack, NoiseIsDeterministicFromTheSeed)
{
    Chip a(7), b(7), other(8);
    for (std::uint32_t t = 0; t <= 1000; t += 50) {
        a.advanceTo(t);
        b.advanceTo(t);
        other.advanceTo(t);
    }
    bool differs = false;
    for (int reg = 0x8A; reg <= 0xA9; ++reg) {
        EXPECT_EQ(a.peek(static_cast<std::uint8_t>(reg)), b.peek(static_cast<std::uint8_t>(reg)));
        differs = differs || a.peek(static_cast<std::uint8_t>(reg)) != other.peek(static_cast<std::uint8_t>(reg));
    }
    EXPECT_TRUE(differs);
}

TEST(SimScan, Bit6Of0x82IsSetWhileTheChipScans)
{
    Chip c(1);
    c.advanceTo(0);
    const long long before = c.scansDone();
    c.advanceTo(Chip::kScanPeriodMs + 1);  // inside the next scan
    EXPECT_EQ(c.peek(0x82) & 0x40, 0x40);
    EXPECT_EQ(c.scansDone(), before);
    c.advanceTo(Chip::kScanPeriodMs + Chip::kScanBusyMs);
    EXPECT_EQ(c.peek(0x82) & 0x40, 0);
    EXPECT_EQ(c.scansDone(), before + 1);
    // A long pause runs only the last few scans.
    c.advanceTo(60000);
    EXPECT_LT(c.scansDone(), before + 10);
}

TEST(SimScan, IdleAndDozeScanSlowerAndSleepFreezes)
{
    Chip c(1);
    c.advanceTo(0);
    c.writeRegister(0x88, 0x01, 0);
    EXPECT_EQ(c.peek(0x83), 0x10);
    long long before = c.scansDone();
    c.advanceTo(1024 + Chip::kIdlePeriodMs);
    EXPECT_NEAR(static_cast<double>(c.scansDone() - before), 1024.0 / Chip::kIdlePeriodMs + 1, 1.0);

    c.writeRegister(0x88, 0x02, 2000);
    EXPECT_EQ(c.peek(0x83), 0x20);

    c.writeRegister(0x88, 0x04, 3000);
    EXPECT_EQ(c.peek(0x83), 0x40);
    EXPECT_EQ(c.peek(0x86) & 0x07, 0);  // all FETs off
    before = c.scansDone();
    c.advanceTo(10000);
    EXPECT_EQ(c.scansDone(), before);
    EXPECT_EQ(c.peek(0x82) & 0x40, 0x40);  // never finishes its scan
    EXPECT_EQ(c.peek(0x82) & 0x0C, 0);  // no current flows
}

TEST(SimScan, HostScanBitStopsTheChipsOwnScan)
{
    Chip c(1);
    c.advanceTo(0);
    c.writeRegister(0x87, 0x04, 0);
    const long long before = c.scansDone();
    c.advanceTo(5000);
    EXPECT_EQ(c.scansDone(), before);
    EXPECT_EQ(c.peek(0x82) & 0x40, 0);
}

TEST(SimMonitor, Write0x85WithBit6ConvertsTheChannelAt14Bits)
{
    Chip c(1);
    c.advanceTo(0);
    c.writeRegister(0x85, 0x41, 0);  // CELL1, gain 50x
    EXPECT_EQ(code14(c), 0);  // converting: the result is not there yet
    c.advanceTo(Chip::kMonitorConversionMs);
    EXPECT_NEAR(code14(c) * 14.4 / 24573, 3.702, 0.003);
    c.writeRegister(0x85, 0x4A, 1);  // VBAT
    c.advanceTo(2);
    EXPECT_NEAR(code14(c) * 57.6 / 8191, 29.6, 0.05);
    c.writeRegister(0x85, 0x4B, 2);  // VRGO
    EXPECT_NEAR(code14(c) * 57.6 / 8191, 29.6, 0.05);  // still the previous conversion
    c.advanceTo(3);
    EXPECT_NEAR(code14(c) * 3.6 / 8191, 3.3, 0.01);

    // Current, 500x: discharge reads as a negative 14-bit two's complement.
    c.writeRegister(0x85, 0x69, 3);
    c.advanceTo(4);
    int code = code14(c);
    EXPECT_LE(code, 0x3FFF);
    const int signedCode = code >= 8192 ? code - 16384 : code;
    EXPECT_NEAR(signedCode * 1800.0 / 500 / 8191 / 0.001, -500, 10);

    // The result follows the signal while the monitor stays selected.
    c.writeRegister(0x85, 0x41, 10);
    const int first = code14(c);
    bool changed = false;
    for (std::uint32_t t = 12; t < 100 && !changed; t += 2)
        changed = c.readRegister(0xAA, t) != (first & 0xFF) || c.peek(0xAB) != (first >> 8);
    EXPECT_TRUE(changed);
}

TEST(SimControl, ShutDownMonitorEnablesAndOneShotBits)
{
    Chip c(1);
    c.advanceTo(0);
    EXPECT_EQ(c.peek(0x86), 0x53);  // CFET, DFET, charge and load monitors
    EXPECT_EQ(c.peek(0x82) & 0x0B, 0x09);  // load present, discharging
    // Clear-error and open-wire start act once and read back clear.
    c.writeRegister(0x86, 0x53 | 0xA0, 1);
    c.writeRegister(0x87, 0x02, 1);
    EXPECT_EQ(c.peek(0x86), 0x53);
    EXPECT_EQ(c.peek(0x87), 0x00);
    // Without the load monitor the load is not seen.
    c.writeRegister(0x86, 0x13, 2);
    EXPECT_EQ(c.peek(0x82) & 0x01, 0);
    // A forced charge current is a charger, seen by the charge monitor.
    c.writeRegister(0x89, chipreg::kModeTrimRam, 3);
    c.writeRegister(0xC0, 0x60, 3);
    EXPECT_EQ(c.peek(0x82) & 0x06, 0x06);
    c.writeRegister(0xC0, 0x00, 3);
    // Pack shut-down switches every FET off and the current with them.
    c.writeRegister(0x86, 0x5F, 4);
    EXPECT_EQ(c.peek(0x86), 0x58);
    EXPECT_EQ(c.peek(0x82) & 0x0C, 0);
}

TEST(SimMemory, ConfigurationRamAndEepromAreSeparateBanks)
{
    Chip c(1);
    c.writeRegister(0x00, 0x11, 0);
    EXPECT_EQ(c.peek(0x00), 0x11);
    c.writeRegister(0x89, chipreg::kModeConfigEeprom, 0);
    EXPECT_EQ(c.peek(0x00), 0x2A);
    c.writeRegister(0x03, 0x0C, 0);
    c.writeRegister(0x89, chipreg::kModeConfigRam, 0);
    EXPECT_EQ(c.peek(0x00), 0x11);
    EXPECT_EQ(c.peek(0x03), 0x0D);
}

TEST(SimMemory, TrimAndTestRegistersNeedTheAccessKey)
{
    Chip c(1);
    c.writeRegister(0xC1, 0x04, 0);
    EXPECT_EQ(c.peek(0xC1), 0);
    EXPECT_EQ(c.peek(0x81), 0);  // the write went nowhere

    c.writeRegister(0x89, chipreg::kModeTrimRam, 0);
    c.writeRegister(0xB0, 0x99, 0);
    c.writeRegister(0xC1, 0x04, 0);
    EXPECT_EQ(c.peek(0xC1), 0x04);
    EXPECT_EQ(c.peek(0x80 + 1) & 0x08, 0x08);  // DSC

    c.writeRegister(0x89, chipreg::kModeTrimEeprom, 0);
    EXPECT_EQ(c.peek(0xB0), 0x40);  // trim EEPROM unchanged
    EXPECT_EQ(c.peek(0xC1), 0);  // test registers only with key + 0
    c.writeRegister(0x89, chipreg::kModeConfigRam, 0);
    EXPECT_EQ(c.peek(0xB0), 0);
    // Forcing stays in effect once access is closed again.
    EXPECT_EQ(c.peek(0x81) & 0x08, 0x08);
}

TEST(SimMemory, StatusAndResultsAreReadOnly)
{
    Chip c(1);
    const std::uint8_t cell = c.peek(0x90);
    c.writeRegister(0x90, static_cast<std::uint8_t>(cell + 1), 0);
    c.writeRegister(0x80, 0xFF, 0);
    EXPECT_EQ(c.peek(0x90), cell);
    EXPECT_EQ(c.peek(0x80), 0);
}

TEST(SimStatus, OverAndUnderVoltageFollowTheThresholdsWithHysteresis)
{
    Chip c(1);
    c.advanceTo(0);
    auto setPair = [&](std::uint8_t reg, double volts) {
        const int code = static_cast<int>(volts * 12285 / 14.4);
        c.writeRegister(reg, static_cast<std::uint8_t>(code & 0xFF), 0);
        c.writeRegister(static_cast<std::uint8_t>(reg + 1), static_cast<std::uint8_t>(code >> 8), 0);
    };
    EXPECT_EQ(c.peek(0x80), 0);
    setPair(0x00, 3.65);  // OV threshold below the cells
    setPair(0x02, 3.60);
    EXPECT_EQ(c.peek(0x80) & 0x01, 0x01);
    setPair(0x00, 3.72);  // above the cells, but they have not recovered yet
    EXPECT_EQ(c.peek(0x80) & 0x01, 0x01);
    setPair(0x02, 3.71);
    EXPECT_EQ(c.peek(0x80) & 0x01, 0);

    setPair(0x04, 3.80);  // UV threshold above the cells
    setPair(0x06, 3.85);
    EXPECT_EQ(c.peek(0x80) & 0x04, 0x04);
    setPair(0x04, 2.7);
    setPair(0x06, 3.0);
    EXPECT_EQ(c.peek(0x80) & 0x04, 0);
}

TEST(SimStatus, TestModeForcingAndFetBits)
{
    Chip c(1);
    c.advanceTo(0);
    c.writeRegister(0x89, chipreg::kModeTrimRam, 0);
    c.writeRegister(0xC0, 0x60, 0);  // force charge
    EXPECT_EQ(c.peek(0x82) & 0x0C, 0x04);
    c.writeRegister(0xC0, 0xA0, 0);  // force discharge
    EXPECT_EQ(c.peek(0x82) & 0x0C, 0x08);
    c.writeRegister(0xC0, 0x00, 0);
    c.writeRegister(0x86, 0x02, 0);  // DFET off: no current
    EXPECT_EQ(c.peek(0x82) & 0x0C, 0);

    c.writeRegister(0x86, 0x03, 0);
    c.writeRegister(0xC1, 0x01, 0);  // charge over-current: CFET off
    EXPECT_EQ(c.peek(0x81), 0x02);
    EXPECT_EQ(c.peek(0x86) & 0x03, 0x01);
    c.writeRegister(0xC1, 0x02, 0);  // discharge over-current: DFET off
    c.writeRegister(0x86, 0x03, 0);
    EXPECT_EQ(c.peek(0x81), 0x04);
    EXPECT_EQ(c.peek(0x86) & 0x03, 0x02);
    // With the host controlling the FETs the chip leaves them alone.
    c.writeRegister(0x87, 0x40, 0);
    c.writeRegister(0x86, 0x03, 0);
    EXPECT_EQ(c.peek(0x86) & 0x03, 0x03);
}

TEST(SimStatus, CellBalancingAndCellCount)
{
    Chip c(1);
    c.advanceTo(0);
    const double before = cellVolts(c, 3);
    c.writeRegister(0x84, 0x04, 0);
    c.advanceTo(100);
    EXPECT_NEAR(before - cellVolts(c, 3), 0.015, 0.004);

    c.writeRegister(0x49, 0x83, 100);  // cells 1, 2 and 8
    c.advanceTo(200);
    EXPECT_EQ(cellVolts(c, 3), 0.0);
    EXPECT_NEAR(cellVolts(c, 8), 3.7, 0.01);
    EXPECT_NEAR(code12(c, 0x8A) * 14.4 / 12285, 3.7, 0.01);  // absent cells are not the lowest
    EXPECT_NEAR(code12(c, 0xA6) * 57.6 / 4095, 3 * 3.7, 0.05);
}

}  // namespace
