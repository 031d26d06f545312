#include "sim/Chip.h"

#include <algorithm>
#include <cmath>

namespace sim {

using namespace chipreg;

namespace {

constexpr std::array<std::uint8_t, 8> kDefaultThresholds{0x2A, 0x0E, 0xD5, 0x0D, 0x00, 0x09, 0x00, 0x0A};
constexpr double kCellFullScale12 = 14.4 / 12285.0;  // volts per code
constexpr double kCellFullScale14 = 14.4 / 24573.0;
constexpr double kSenseMvPerCode12 = 1800.0 / 4095.0;
constexpr double kSenseMvPerCode14 = 1800.0 / 8191.0;
constexpr double kInternalVoltsPerKiloKelvin = 0.92635;

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
    configEeprom_[kCellConfig] = 0xFF;
    for (std::size_t i = 0; i < trimEeprom_.size(); ++i)
        trimEeprom_[i] = static_cast<std::uint8_t>(0x40 + i);
    powerOnReset();
}

// What the chip holds when its supply comes up: the EEPROMs copied to RAM,
// the live page cleared, CFET and DFET on with both monitors, a first scan.
void Chip::powerOnReset()
{
    configRam_ = configEeprom_;
    trimRam_ = trimEeprom_;
    test_ = {};
    live_ = {};
    live(kFetControl) = kFetCfet | kFetDfet | kFetCmonEn | kFetLmonEn;
    ovActive_ = uvActive_ = false;
    conversionDoneMs_ = -1;
    scanStartedMs_ = -1;
    runScan();
    nextScanMs_ = timeMs_ + scanPeriodMs();
}

void Chip::powerCycle()
{
    poweredDown_ = false;
    powerOnReset();
}

bool Chip::trimAccess() const
{
    const std::uint8_t mode = live(kMemoryMode);
    return mode == kModeTrimRam || mode == kModeTrimEeprom;
}

// Where a register lives for the current memory mode; nullptr where nothing answers.
const std::uint8_t* Chip::slot(std::uint8_t reg) const
{
    const std::uint8_t mode = live(kMemoryMode);
    if (reg <= kUserLast)
        return mode == kModeConfigEeprom ? &configEeprom_[reg] : &configRam_[reg];
    if (reg <= kLiveLast)
        return &live(reg);
    if (reg <= kTrimLast) {
        if (mode == kModeTrimRam)
            return &trimRam_[reg - kTrimFirst];
        if (mode == kModeTrimEeprom)
            return &trimEeprom_[reg - kTrimFirst];
        return nullptr;
    }
    if (reg <= kTestLast && mode == kModeTrimRam)
        return &test_[reg - kTestFirst];
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
        return static_cast<std::uint8_t>(*at | kStatus2Adceoc);
    return *at;
}

void Chip::forceRegister(std::uint8_t reg, std::uint8_t value) { forced_[reg] = value; }

void Chip::releaseRegister(std::uint8_t reg) { forced_[reg].reset(); }

std::uint8_t Chip::readRegister(std::uint8_t reg, std::uint32_t nowMs)
{
    advanceTo(nowMs);
    const bool continues = reg == lastRead_ + 1;
    lastRead_ = reg;
    if (scanEveryRead && !continues && !poweredDown_ && reg >= kStatusFirst && reg <= kLiveLast)
        runScan();
    return peek(reg);
}

void Chip::writeRegister(std::uint8_t reg, std::uint8_t value, std::uint32_t nowMs)
{
    advanceTo(nowMs);
    if (poweredDown_)
        return;
    if (onWrite)
        onWrite(reg, value, nowMs);
    // Status and result registers are the chip's own.
    if (reg >= kStatusFirst && reg <= kStatusLast)
        return;
    if (reg >= kCellMin && reg <= kLiveLast)
        return;
    std::uint8_t* at = slot(reg);
    if (!at)
        return;
    *at = value;
    if (reg == kMonitor && (value & kMonitorStart) != 0)
        conversionDoneMs_ = timeMs_ + kMonitorConversionMs;
    // Clear-error and open-wire-start bits act once and read back clear; the
    // simulated pack has no latched error and no open wire to find.
    if (reg == kFetControl)
        *at &= static_cast<std::uint8_t>(~(kFetClrCer | kFetClrLerr));
    if (reg == kUcControl)
        *at &= static_cast<std::uint8_t>(~kUcOwStrt);
    // A FET switched on wakes a sleeping chip; power down cuts everything
    // until the supply is cycled.
    if (reg == kFetControl && (value & kFetDrivers) != 0)
        live(kPowerMode) &= static_cast<std::uint8_t>(~kPowerSleep);
    if (reg == kPowerMode && (value & kPowerPdwn) != 0)
        powerDown();
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
    if (poweredDown_)
        return;

    const bool sleeping = (live(kPowerMode) & kPowerSleep) != 0;
    const bool hostScans = (live(kUcControl) & kUcScan) != 0;
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
    if (conversionDoneMs_ >= 0) {
        if (timeMs_ >= conversionDoneMs_) {
            conversionDoneMs_ = -1;
            convertMonitor();
            lastMonitorMs_ = timeMs_;
        }
    } else if ((live(kMonitor) & kMonitorStart) != 0 && timeMs_ - lastMonitorMs_ >= kMonitorConversionMs) {
        convertMonitor();
        lastMonitorMs_ = timeMs_;
    }
}

int Chip::scanPeriodMs() const
{
    const std::uint8_t mode = live(kPowerMode);
    if (mode & kPowerDoze)
        return kDozePeriodMs;
    if (mode & kPowerIdle)
        return kIdlePeriodMs;
    return kScanPeriodMs;
}

bool Chip::scanning() const
{
    if ((live(kPowerMode) & kPowerSleep) != 0)
        return true;
    if ((live(kUcControl) & kUcScan) != 0)
        return false;
    return timeMs_ >= nextScanMs_ && timeMs_ < nextScanMs_ + kScanBusyMs;
}

double Chip::noise(double peak)
{
    // Own mapping from the engine, so every library gives the same numbers.
    const double unit = static_cast<double>(rng_()) / 4294967295.0;
    return peak * (2.0 * unit - 1.0);
}

double Chip::monitorSwing() const
{
    if (pack.monitorDriftPeriodMs <= 0)
        return 1.0;
    const double phase =
        2.0 * 3.14159265358979 * static_cast<double>(timeMs_ % pack.monitorDriftPeriodMs) / pack.monitorDriftPeriodMs;
    return 1.0 + pack.monitorDrift * (1.0 - std::cos(phase)) / 2.0;
}

double Chip::cellVolts(int cell) const
{
    if ((configRam_[kCellConfig] & (1u << cell)) == 0)
        return 0.0;
    double v = pack.cellVolts[static_cast<std::size_t>(cell)];
    // A sleeping chip drives no balancing output.
    if ((live(kCellBalance) & (1u << cell)) && (live(kPowerMode) & kPowerSleep) == 0)
        v -= pack.balanceDropVolts;
    return v;
}

double Chip::senseMillivolts() const
{
    const std::uint8_t direction = test_[kTestDirection - kTestFirst];
    const bool sleeping = (live(kPowerMode) & kPowerSleep) != 0;
    double ma = 0.0;
    if (direction & kTestDirForce) {
        ma = (direction & kTestDirCharge) ? pack.loadCurrentMa : -pack.loadCurrentMa;
    } else if (!sleeping && !poweredDown_) {
        // The charger pushes current in through CFET, or a little through
        // PCFET alone; the load draws through DFET.
        const std::uint8_t fets = live(kFetControl);
        if (pack.chargerAttached && (fets & kFetCfet))
            ma += pack.chargeCurrentMa;
        else if (pack.chargerAttached && (fets & kFetPcfet))
            ma += pack.prechargeCurrentMa;
        if (fets & kFetDfet)
            ma -= pack.loadCurrentMa;
    }
    return ma * pack.shuntMilliohm / 1000.0;
}

int Chip::tempGain() const { return (configRam_[kSetup] & kSetupTgain) ? 1 : 2; }

void Chip::put12(std::uint8_t* at, double code)
{
    const int c = clampCode(code, kResultMax12);
    at[0] = static_cast<std::uint8_t>(c & 0xFF);
    at[1] = static_cast<std::uint8_t>(c >> 8);
}

void Chip::runScan()
{
    auto reg = [this](Reg r) { return &live(r); };
    int minCode = kResultMax12, maxCode = 0;
    bool any = false;
    double packVolts = 0.0;
    for (int cell = 0; cell < 8; ++cell) {
        double v = cellVolts(cell);
        if (v > 0.0) {
            v += noise(pack.noiseVolts);
            packVolts += v;
        }
        std::uint8_t* at = reg(cellRegister(cell + 1));
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

    const int gain = currentGainOf(live(kMonitor));
    put12(reg(kCurrentSense), std::fabs(senseMillivolts()) * gain / kSenseMvPerCode12);

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
    const std::uint8_t monitor = live(kMonitor);
    const int channel = monitor & kMonitorChannelMask;
    int code = 0;
    const double swing = monitorSwing();
    if (channel >= kMonCell1 && channel <= kMonCell8) {
        const double v = cellVolts(channel - kMonCell1);
        code = clampCode(v > 0.0 ? (v * swing + noise(pack.noiseVolts)) / kCellFullScale14 : 0.0, kResultMask14);
    } else if (channel == kMonCurrent) {
        const double c = (senseMillivolts() * swing + noise(0.002)) * currentGainOf(monitor) / kSenseMvPerCode14;
        code = static_cast<int>(std::clamp(std::lround(c), -8192L, 8191L)) & kResultMask14;
    } else if (channel == kMonVbat) {
        double sum = 0.0;
        for (int cell = 0; cell < 8; ++cell)
            sum += cellVolts(cell);
        code = clampCode(sum * swing * 8191.0 / 57.6, kResultMask14);
    } else if (channel == kMonVrgo) {
        code = clampCode(pack.regulatorVolts * swing * 8191.0 / 3.6, kResultMask14);
    } else if (channel >= kMonXTemp1 && channel <= kMonIntTemp) {
        double v = channel == kMonIntTemp
            ? kInternalVoltsPerKiloKelvin * (pack.internalTempC + 273.15) / 1000.0
            : thermistorVolts(pack.externalTempC[static_cast<std::size_t>(channel - kMonXTemp1)]);
        code = clampCode((v * swing + noise(0.0005)) * tempGain() * 8191.0 / 1.8, kResultMask14);
    }
    live(kMonitorResult) = static_cast<std::uint8_t>(code & 0xFF);
    live(kMonitorResultHigh) = static_cast<std::uint8_t>(code >> 8);
}

void Chip::powerDown()
{
    poweredDown_ = true;
    live(kFetControl) &= static_cast<std::uint8_t>(~kFetDrivers);
    live(kCellBalance) = 0;
    live(kStatus2) = 0;
}

// Over-current faults switch the FETs off unless the host microcontroller
// controls them; sleep and the pack shut-down pin switch everything off.
void Chip::applyFetProtection()
{
    std::uint8_t& fets = live(kFetControl);
    if ((live(kPowerMode) & kPowerSleep) || (fets & kFetPsd))
        fets &= static_cast<std::uint8_t>(~kFetDrivers);
    if ((live(kUcControl) & kUcFet) != 0)
        return;
    const std::uint8_t fault = test_[kTestFault - kTestFirst];
    if (fault & kTestFaultCoc)
        fets &= static_cast<std::uint8_t>(~kFetCfet);
    if (fault & (kTestFaultDoc | kTestFaultDsc))
        fets &= static_cast<std::uint8_t>(~kFetDfet);
}

void Chip::updateStatus()
{
    auto code12 = [](const std::uint8_t* at) { return (at[0] | (at[1] << 8)) & kResultMax12; };
    const int ovThreshold = code12(&configRam_[kOvThreshold]);
    const int ovRecovery = code12(&configRam_[kOvRecovery]);
    const int uvThreshold = code12(&configRam_[kUvThreshold]);
    const int uvRecovery = code12(&configRam_[kUvRecovery]);
    bool anyOver = false, allBelowOvRecovery = true, anyUnder = false, allAboveUvRecovery = true;
    for (int cell = 0; cell < 8; ++cell) {
        if ((configRam_[kCellConfig] & (1u << cell)) == 0)
            continue;
        const int code = code12(&live(cellRegister(cell + 1)));
        anyOver = anyOver || code >= ovThreshold;
        allBelowOvRecovery = allBelowOvRecovery && code < ovRecovery;
        anyUnder = anyUnder || code < uvThreshold;
        allAboveUvRecovery = allAboveUvRecovery && code > uvRecovery;
    }
    ovActive_ = anyOver || (ovActive_ && !allBelowOvRecovery);
    uvActive_ = anyUnder || (uvActive_ && !allAboveUvRecovery);
    live(kStatus0) = static_cast<std::uint8_t>((ovActive_ ? kStatus0Ov : 0) | (uvActive_ ? kStatus0Uv : 0));

    // A forced fault shows as its status bit: COC, DOC and DSC in fault-register order.
    const std::uint8_t fault = test_[kTestFault - kTestFirst];
    live(kStatus1) = static_cast<std::uint8_t>(((fault & kTestFaultCoc) ? kStatus1Coc : 0) |
        ((fault & kTestFaultDoc) ? kStatus1Doc : 0) | ((fault & kTestFaultDsc) ? kStatus1Dsc : 0));

    // The evaluation pack always has its load attached, and a forced charge
    // current stands for a charger; each is seen only while its monitor is on.
    const double sense = senseMillivolts();
    const std::uint8_t fets = live(kFetControl);
    std::uint8_t s2 = (fets & kFetLmonEn) ? kStatus2LdPrsnt : 0;
    if ((pack.chargerAttached || sense > 0.0) && (fets & kFetCmonEn))
        s2 |= kStatus2ChPrsnt;
    if (fets & kFetPcfet)
        s2 |= kStatus2Lvchg;
    if (sense > 0.0)
        s2 |= kStatus2Ching;
    if (sense < 0.0)
        s2 |= kStatus2Dching;
    live(kStatus2) = s2;

    // Idle, doze and sleep show as the state bits of status register 3.
    constexpr Bits kShownModes = kPowerIdle | kPowerDoze | kPowerSleep;
    live(kStatus3) = static_cast<std::uint8_t>((live(kPowerMode) & kShownModes) << kStatus3PowerShift);
}

}  // namespace sim
