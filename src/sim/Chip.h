#pragma once
// Model of the battery-pack monitor chip behind the evaluation board's I2C
// bus: register file, memory modes, periodic measurement scan, on-demand
// 14-bit conversion, status logic and a plausible pack.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <utility>

#include "regmap/ChipRegisters.h"

namespace sim {

class Chip {
public:
    // The pack the chip measures, in engineering units.
    struct Pack {
        std::array<double, 8> cellVolts{3.702, 3.698, 3.705, 3.700, 3.696, 3.703, 3.699, 3.701};
        double loadCurrentMa = 500.0;  // drawn while DFET is on (or forced)
        double shuntMilliohm = 1.0;
        double internalTempC = 27.0;
        std::array<double, 2> externalTempC{25.0, 24.0};
        double regulatorVolts = 3.3;
        double noiseVolts = 0.0015;  // peak cell noise
        double balanceDropVolts = 0.015;  // a cell under balancing reads this much lower
        // A slow swing of the on-demand conversions, as a fraction of the value
        // (0 at start, this much at its top), so a plotted trace moves.
        double monitorDrift = 0.001;
        int monitorDriftPeriodMs = 20000;
        bool chargerAttached = false;  // a charger on the pack terminals
        double chargeCurrentMa = 1000.0;  // through CFET
        double prechargeCurrentMa = 100.0;  // through PCFET while CFET is off
    };

    explicit Chip(std::uint32_t seed = 1);

    // Brings the chip's own time (ms) up to now: runs the scans that fell due.
    void advanceTo(std::uint32_t nowMs);
    // I2C register access; the register pointer auto-increments.
    std::uint8_t readRegister(std::uint8_t reg, std::uint32_t nowMs);
    void writeRegister(std::uint8_t reg, std::uint8_t value, std::uint32_t nowMs);
    // The register as the bus sees it now, without side effects.
    std::uint8_t peek(std::uint8_t reg) const;
    // False once power down (PDWN of 0x88) was written: the chip neither
    // acknowledges nor scans until its supply is cycled.
    bool acknowledges() const { return !poweredDown_; }
    void powerCycle();
    // Makes reads of a register return a fixed value until it is released, for
    // states the modelled pack cannot reach; writes still reach the register.
    void forceRegister(std::uint8_t reg, std::uint8_t value);
    void releaseRegister(std::uint8_t reg);

    Pack pack;
    // For benchmarks: a read that starts at a status or result register sees a
    // scan run just before it, so every measurement the program makes shows new
    // readings (the chip's own scan renews them only every kScanPeriodMs).
    bool scanEveryRead = false;

    // Called with every register write the chip takes over the bus, at the
    // board's time: tests watch what reached the chip and when.
    std::function<void(std::uint8_t reg, std::uint8_t value, std::uint32_t nowMs)> onWrite;

    // Scan timing: period by power mode, and how long bit 6 of 0x82 stays set.
    static constexpr int kScanPeriodMs = 32;
    static constexpr int kIdlePeriodMs = 256;
    static constexpr int kDozePeriodMs = 512;
    static constexpr int kScanBusyMs = 8;
    // An on-demand conversion's result reaches 0xAA/0xAB this long after its
    // start; while the start bit stays set the converter keeps repeating.
    static constexpr int kMonitorConversionMs = 1;

    // The voltage at an external thermistor pin at a temperature: 10 kOhm NTC
    // (B 3435) under 10 kOhm from 0.8 V; 0.400 V at 25 degrees C.
    static double thermistorVolts(double tempC);

    long long scansDone() const { return scans_; }

private:
    // Configuration and user registers 0x00 to 0x7F, one bank per memory.
    using Bank = std::array<std::uint8_t, chipreg::kUserLast + 1>;

    const std::uint8_t* slot(std::uint8_t reg) const;
    std::uint8_t* slot(std::uint8_t reg);
    void powerOnReset();
    void powerDown();
    bool trimAccess() const;
    int scanPeriodMs() const;
    bool scanning() const;
    void runScan();
    void convertMonitor();
    void updateStatus();
    void applyFetProtection();
    // A register of the live page 0x80 to 0xAF.
    std::uint8_t& live(chipreg::Reg reg) { return live_[reg - chipreg::kStatusFirst]; }
    const std::uint8_t& live(chipreg::Reg reg) const { return live_[reg - chipreg::kStatusFirst]; }
    double noise(double peak);
    // 1 plus the drift of the on-demand conversions at the chip's time now.
    double monitorSwing() const;
    double cellVolts(int cell) const;  // 0 when the cell is not connected
    double senseMillivolts() const;  // signed: charge positive
    int tempGain() const;
    static void put12(std::uint8_t* at, double code);

    std::mt19937 rng_;
    Bank configRam_{};
    Bank configEeprom_{};
    std::array<std::uint8_t, chipreg::kTrimLast - chipreg::kTrimFirst + 1> trimRam_{};
    std::array<std::uint8_t, chipreg::kTrimLast - chipreg::kTrimFirst + 1> trimEeprom_{};
    std::array<std::uint8_t, chipreg::kTestLast - chipreg::kTestFirst + 1> test_{};
    std::array<std::uint8_t, chipreg::kLiveLast - chipreg::kStatusFirst + 1> live_{};  // status, control, results
    std::array<std::optional<std::uint8_t>, 0x100> forced_{};
    bool started_ = false;
    std::uint32_t lastNow_ = 0;
    long long timeMs_ = 0;
    long long nextScanMs_ = 0;
    long long scanStartedMs_ = -1;
    long long lastMonitorMs_ = 0;
    long long conversionDoneMs_ = -1;  // a started conversion not yet in 0xAA/0xAB
    long long scans_ = 0;
    int lastRead_ = -1;  // the register read last, so a block read scans once
    bool ovActive_ = false;
    bool uvActive_ = false;
    bool poweredDown_ = false;
};

}  // namespace sim
