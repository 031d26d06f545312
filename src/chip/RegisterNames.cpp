#include "chip/RegisterNames.h"

#include <array>

#include "regmap/ChipRegisters.h"
#include "vb/Numbers.h"

namespace chip {

using namespace chipreg;

namespace {

// Low and high byte of a two-byte value: the low byte at the even address.
std::string pairName(int address, int first, const char* what)
{
    return std::string(what) + ((address - first) % 2 == 0 ? " Lo" : " Hi");
}

constexpr std::array<const char*, 8> kThresholds = {
    "OV Threshold Lo",
    "OV Threshold Hi",
    "OV Recovery Lo",
    "OV Recovery Hi",
    "UV Threshold Lo",
    "UV Threshold Hi",
    "UV Recovery Lo",
    "UV Recovery Hi",
};

constexpr std::array<const char*, 10> kControl = {
    "Status 0 (OV..CUT)",
    "Status 1 (IOT..EOCHG)",
    "Status 2 (LD..LVCHG)",
    "Status 3 (CB..SLEEP)",
    "Cell Balance",
    "Analog Mon / Gain",
    "FET Control",
    "uC Control",
    "Power Mode",
    "Memory Mode",
};
static_assert(kControl.size() == kMemoryMode - kStatusFirst + 1);  // 0x80 to 0x89

}  // namespace

std::string registerName(int address)
{
    auto pair = [address](Reg lo) { return address == lo || address == lo + 1; };
    if (address >= kOvThreshold && address <= kThresholdLast)
        return kThresholds[static_cast<std::size_t>(address - kOvThreshold)];
    if (address == kCellConfig)
        return "Cell Config";
    if (address == kSetup)
        return "Setup (TGAIN b4)";
    if (address >= kStatusFirst && address <= kMemoryMode)
        return kControl[static_cast<std::size_t>(address - kStatusFirst)];
    if (pair(kCellMin))
        return pairName(address, kCellMin, "CellMin");
    if (pair(kCellMax))
        return pairName(address, kCellMax, "CellMax");
    if (pair(kCurrentSense))
        return pairName(address, kCurrentSense, "ISense");
    if (address >= cellRegister(1) && address <= cellRegister(kCellCount) + 1)
        return pairName(address, kCell1, ("CELL" + std::to_string((address - kCell1) / 2 + 1)).c_str());
    if (pair(kInternalTemp))
        return pairName(address, kInternalTemp, "iTemp");
    if (pair(kExternalTemp1))
        return pairName(address, kExternalTemp1, "xTemp1");
    if (pair(kExternalTemp2))
        return pairName(address, kExternalTemp2, "xTemp2");
    if (pair(kPackVolts))
        return pairName(address, kPackVolts, "VBATT");
    if (pair(kRegulatorVolts))
        return pairName(address, kRegulatorVolts, "VRGO");
    if (pair(kMonitorResult))
        return pairName(address, kMonitorResult, "14-bit AD");
    if (address == kTestDirection)
        return "Test Force Dir";
    if (address == kTestFault)
        return "Test Force Fault";
    if (address >= kTrimFirst && address <= kTestLast)
        return "Test " + vb::Hex(address);
    return "Undefined";
}

std::string registerDesignText(int address)
{
    static constexpr std::array<const char*, 8> kThresholdTexts = {"2A", "0E", "D5", "0D", "00", "09", "00", "0A"};
    if (address >= kOvThreshold && address <= kThresholdLast)
        return kThresholdTexts[static_cast<std::size_t>(address - kOvThreshold)];
    if (address == kCellConfig)
        return "FF";
    if (address == kStatus0)
        return "03";
    if (address >= kCellMin && address <= kMonitorResultHigh)
        return "0";
    return "00";
}

}  // namespace chip
