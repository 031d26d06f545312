#include "sim/Chip.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr std::array<std::uint8_t, 8> kDefaultThresholds{0x2A, 0x0E, 0xD5, 0x0D, 0x00, 0x09, 0x00, 0x0A};
constexpr double kCellFullScale12 = 14.4 / 12285.0;  // volts per code
constexpr double kCellFullScale14 = 14.4 / 24573.0;
constexpr double kSenseMvPerCode12 = 1800.0 / 4095.0;
constexpr double kSenseMvPerCode14 = 1800.0 / 8191.0;
constexpr double kInternalVoltsPerKiloKelvin = 0.92635;

int gainOf(std::uint8_t monitor)
{
    static constexpr int gains[] = {50, 5, 500, 500};
    return gains[(monitor >> 4) & 0x03];
}

int clampCode(double code, int max)
{
    return static_cast<int>(std::clamp(std::lround(code), 0L, static_cast<long>(max)));
}

}  // namespace

double Chip::thermistorVolts(double tempC)
{
    const double kelvin = tempC + 273.15;
    const double ntc = 10000.0 * std::exp(3435.0 * (1.0 / kelvin - 1.0 / 298.15));
    return 0.8 * ntc / (ntc + 10000.0);
}

Chip::Chip(std::uint32_t seed) : rng_(seed)
{
    std::copy(kDefaultThresholds.begin(), kDefaultThresholds.end(), configEeprom_.begin());
    configEeprom_[kCellCount] = 0xFF;
    for (std::size_t i = 0; i < trimEeprom_.size(); ++i)
        trimEeprom_[i] = static_cast<std::uint8_t>(0x40 + i);
    configRam_ = configEeprom_;
    trimRam_ = trimEeprom_;
    live_[kFetControl - 0x80] = 0x03;  // CFET and DFET on: the pack feeds its load
    runScan();
    nextScanMs_ = scanPeriodMs();
}

bool Chip::trimAccess() const
{
    const std::uint8_t mode = live_[kMemoryMode - 0x80];
    return mode == kTrimAccessKey || mode == kTrimAccessKey + 1;
}

// Where a register lives for the current memory mode; nullptr where nothing answers.
const std::uint8_t* Chip::slot(std::uint8_t reg) const
{
    const std::uint8_t mode = live_[kMemoryMode - 0x80];
    if (reg < 0x80)
        return mode == kModeEeprom ? &configEeprom_[reg] : &configRam_[reg];
    if (reg < kTrimFirst)
        return &live_[reg - 0x80];
    if (reg < kTestDirection) {
        if (mode == kTrimAccessKey)
            return &trimRam_[reg - kTrimFirst];
        if (mode == kTrimAccessKey + 1)
            return &trimEeprom_[reg - kTrimFirst];
        return nullptr;
    }
    if (reg <= kLastRegister && mode == kTrimAccessKey)
        return &test_[reg - kTestDirection];
    return nullptr;
}

std::uint8_t* Chip::slot(std::uint8_t reg) { return const_cast<std::uint8_t*>(std::as_const(*this).slot(reg)); }

std::uint8_t Chip::peek(std::uint8_t reg) const
{
    if (const auto& forced = forced_[reg])
        return *forced;
    const std::uint8_t* at = slot(reg);
    if (!at)
        return 0;
    if (reg == kStatus2 && scanning())
        return static_cast<std::uint8_t>(*at | 0x40);
    return *at;
}

void Chip::forceRegister(std::uint8_t reg, std::uint8_t value) { forced_[reg] = value; }

void Chip::releaseRegister(std::uint8_t reg) { forced_[reg].reset(); }

std::uint8_t Chip::readRegister(std::uint8_t reg, std::uint32_t nowMs)
{
    advanceTo(nowMs);
    return peek(reg);
}

void Chip::writeRegister(std::uint8_t reg, std::uint8_t value, std::uint32_t nowMs)
{
    advanceTo(nowMs);
    // Status and result registers are the chip's own.
    if (reg >= kStatus0 && reg <= kStatus3)
        return;
    if (reg >= kCellMin && reg < kTrimFirst)
        return;
    std::uint8_t* at = slot(reg);
    if (!at)
        return;
    *at = value;
    if (reg == kMonitor && (value & 0x40) != 0) {
        convertMonitor();
        lastMonitorMs_ = timeMs_;
    }
    applyFetProtection();
    updateStatus();
}

void Chip::advanceTo(std::uint32_t nowMs)
{
    if (!started_) {
        started_ = true;
        lastNow_ = nowMs;
        return;
    }
    timeMs_ += static_cast<std::uint32_t>(nowMs - lastNow_);
    lastNow_ = nowMs;

    const bool sleeping = (live_[kPowerMode - 0x80] & 0x04) != 0;
    const bool hostScans = (live_[kUcControl - 0x80] & 0x04) != 0;
    if (sleeping || hostScans) {
        // No own scan; a sleeping chip stays frozen in the scan it was in.
        if (!sleeping)
            nextScanMs_ = std::max(nextScanMs_, timeMs_ + 1);
    } else {
        const int period = scanPeriodMs();
        // After a long pause only the last few scans matter.
        if (timeMs_ - nextScanMs_ > 10LL * period)
            nextScanMs_ = timeMs_ - 2LL * period;
        while (timeMs_ >= nextScanMs_ + kScanBusyMs) {
            runScan();
            nextScanMs_ += period;
        }
    }
    if ((live_[kMonitor - 0x80] & 0x40) != 0 && timeMs_ - lastMonitorMs_ >= kMonitorConversionMs) {
        convertMonitor();
        lastMonitorMs_ = timeMs_;
    }
}

int Chip::scanPeriodMs() const
{
    const std::uint8_t mode = live_[kPowerMode - 0x80];
    if (mode & 0x02)
        return kDozePeriodMs;
    if (mode & 0x01)
        return kIdlePeriodMs;
    return kScanPeriodMs;
}

bool Chip::scanning() const
{
    if ((live_[kPowerMode - 0x80] & 0x04) != 0)
        return true;
    if ((live_[kUcControl - 0x80] & 0x04) != 0)
        return false;
    return timeMs_ >= nextScanMs_ && timeMs_ < nextScanMs_ + kScanBusyMs;
}

double Chip::noise(double peak)
{
    // Own mapping from the engine, so every library gives the same numbers.
    const double unit = static_cast<double>(rng_()) / 4294967295.0;
    return peak * (2.0 * unit - 1.0);
}

double Chip::cellVolts(int cell) const
{
    if ((configRam_[kCellCount] & (1u << cell)) == 0)
        return 0.0;
    double v = pack.cellVolts[static_cast<std::size_t>(cell)];
    if (live_[kCellBalance - 0x80] & (1u << cell))
        v -= pack.balanceDropVolts;
    return v;
}

double Chip::senseMillivolts() const
{
    const std::uint8_t direction = test_[0];
    const bool sleeping = (live_[kPowerMode - 0x80] & 0x04) != 0;
    double ma = 0.0;
    if (direction & 0x20)
        ma = (direction & 0x40) ? pack.loadCurrentMa : -pack.loadCurrentMa;
    else if (!sleeping && (live_[kFetControl - 0x80] & 0x01))
        ma = -pack.loadCurrentMa;
    return ma * pack.shuntMilliohm / 1000.0;
}

int Chip::tempGain() const { return (configRam_[kConfig4A] & 0x10) ? 1 : 2; }

void Chip::put12(std::uint8_t* at, double code)
{
    const int c = clampCode(code, 4095);
    at[0] = static_cast<std::uint8_t>(c & 0xFF);
    at[1] = static_cast<std::uint8_t>(c >> 8);
}

void Chip::runScan()
{
    auto reg = [this](std::uint8_t r) { return &live_[r - 0x80]; };
    int minCode = 4095, maxCode = 0;
    bool any = false;
    double packVolts = 0.0;
    for (int cell = 0; cell < 8; ++cell) {
        double v = cellVolts(cell);
        if (v > 0.0) {
            v += noise(pack.noiseVolts);
            packVolts += v;
        }
        std::uint8_t* at = reg(static_cast<std::uint8_t>(kCell1 + 2 * cell));
        put12(at, v / kCellFullScale12);
        if (v > 0.0) {
            const int code = at[0] | (at[1] << 8);
            minCode = std::min(minCode, code);
            maxCode = std::max(maxCode, code);
            any = true;
        }
    }
    if (!any)
        minCode = maxCode = 0;
    put12(reg(kCellMin), minCode);
    put12(reg(kCellMax), maxCode);

    const int gain = gainOf(live_[kMonitor - 0x80]);
    put12(reg(kCurrent), std::fabs(senseMillivolts()) * gain / kSenseMvPerCode12);

    const double tempScale = tempGain() * 4095.0 / 1.8;
    const double internal = kInternalVoltsPerKiloKelvin * (pack.internalTempC + noise(0.2) + 273.15) / 1000.0;
    put12(reg(kInternalTemp), internal * tempScale);
    put12(reg(kExternalTemp1), thermistorVolts(pack.externalTempC[0] + noise(0.2)) * tempScale);
    put12(reg(kExternalTemp2), thermistorVolts(pack.externalTempC[1] + noise(0.2)) * tempScale);
    put12(reg(kPackVolts), packVolts * 4095.0 / 57.6);
    put12(reg(kRegulatorVolts), (pack.regulatorVolts + noise(0.005)) * 4095.0 / 3.6);
    ++scans_;
    updateStatus();
}

void Chip::convertMonitor()
{
    const std::uint8_t monitor = live_[kMonitor - 0x80];
    const int channel = monitor & 0x0F;
    int code = 0;
    if (channel >= 1 && channel <= 8) {
        const double v = cellVolts(channel - 1);
        code = clampCode(v > 0.0 ? (v + noise(pack.noiseVolts)) / kCellFullScale14 : 0.0, 0x3FFF);
    } else if (channel == 9) {
        const double c = (senseMillivolts() + noise(0.002)) * gainOf(monitor) / kSenseMvPerCode14;
        code = static_cast<int>(std::clamp(std::lround(c), -8192L, 8191L)) & 0x3FFF;
    } else if (channel == 10) {
        double sum = 0.0;
        for (int cell = 0; cell < 8; ++cell)
            sum += cellVolts(cell);
        code = clampCode(sum * 8191.0 / 57.6, 0x3FFF);
    } else if (channel == 11) {
        code = clampCode(pack.regulatorVolts * 8191.0 / 3.6, 0x3FFF);
    } else if (channel >= 12 && channel <= 14) {
        double v = channel == 14 ? kInternalVoltsPerKiloKelvin * (pack.internalTempC + 273.15) / 1000.0
                                 : thermistorVolts(pack.externalTempC[static_cast<std::size_t>(channel - 12)]);
        code = clampCode((v + noise(0.0005)) * tempGain() * 8191.0 / 1.8, 0x3FFF);
    }
    live_[kMonitorResult - 0x80] = static_cast<std::uint8_t>(code & 0xFF);
    live_[kMonitorResult + 1 - 0x80] = static_cast<std::uint8_t>(code >> 8);
}

// Over-current faults switch the FETs off unless the host microcontroller
// controls them; sleep switches everything off.
void Chip::applyFetProtection()
{
    std::uint8_t& fets = live_[kFetControl - 0x80];
    if (live_[kPowerMode - 0x80] & 0x04)
        fets &= 0xF8;
    if ((live_[kUcControl - 0x80] & 0x40) != 0)
        return;
    const std::uint8_t fault = test_[1];
    if (fault & 0x01)
        fets &= static_cast<std::uint8_t>(~0x02);
    if (fault & 0x06)
        fets &= static_cast<std::uint8_t>(~0x01);
}

void Chip::updateStatus()
{
    auto code12 = [](const std::uint8_t* at) { return at[0] | ((at[1] & 0x0F) << 8); };
    const int ovThreshold = code12(&configRam_[0]);
    const int ovRecovery = code12(&configRam_[2]);
    const int uvThreshold = code12(&configRam_[4]);
    const int uvRecovery = code12(&configRam_[6]);
    bool anyOver = false, allBelowOvRecovery = true, anyUnder = false, allAboveUvRecovery = true;
    for (int cell = 0; cell < 8; ++cell) {
        if ((configRam_[kCellCount] & (1u << cell)) == 0)
            continue;
        const int code = code12(&live_[kCell1 + 2 * cell - 0x80]);
        anyOver = anyOver || code >= ovThreshold;
        allBelowOvRecovery = allBelowOvRecovery && code < ovRecovery;
        anyUnder = anyUnder || code < uvThreshold;
        allAboveUvRecovery = allAboveUvRecovery && code > uvRecovery;
    }
    ovActive_ = anyOver || (ovActive_ && !allBelowOvRecovery);
    uvActive_ = anyUnder || (uvActive_ && !allAboveUvRecovery);
    live_[kStatus0 - 0x80] = static_cast<std::uint8_t>((ovActive_ ? 0x01 : 0) | (uvActive_ ? 0x04 : 0));

    live_[kStatus1 - 0x80] = static_cast<std::uint8_t>((test_[1] & 0x07) << 1);

    const double sense = senseMillivolts();
    std::uint8_t s2 = 0x01;  // a load is attached to the evaluation pack
    if (sense > 0.0)
        s2 |= 0x04;
    if (sense < 0.0)
        s2 |= 0x08;
    live_[kStatus2 - 0x80] = s2;

    live_[kStatus3 - 0x80] = static_cast<std::uint8_t>((live_[kPowerMode - 0x80] & 0x07) << 4);
}

}  // namespace sim
