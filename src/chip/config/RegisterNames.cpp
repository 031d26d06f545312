#include "chip/config/RegisterNames.h"

#include <array>

#include "vb/Numbers.h"

namespace chip {

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

}  // namespace

std::string registerName(int address)
{
    if (address >= 0x00 && address <= 0x07)
        return kThresholds[static_cast<std::size_t>(address)];
    if (address == 0x49)
        return "Cell Config";
    if (address == 0x4A)
        return "Setup (TGAIN b4)";
    if (address >= 0x80 && address <= 0x89)
        return kControl[static_cast<std::size_t>(address - 0x80)];
    if (address >= 0x8A && address <= 0x8B)
        return pairName(address, 0x8A, "CellMin");
    if (address >= 0x8C && address <= 0x8D)
        return pairName(address, 0x8C, "CellMax");
    if (address >= 0x8E && address <= 0x8F)
        return pairName(address, 0x8E, "ISense");
    if (address >= 0x90 && address <= 0x9F)
        return pairName(address, 0x90, ("CELL" + std::to_string((address - 0x90) / 2 + 1)).c_str());
    if (address >= 0xA0 && address <= 0xA1)
        return pairName(address, 0xA0, "iTemp");
    if (address >= 0xA2 && address <= 0xA3)
        return pairName(address, 0xA2, "xTemp1");
    if (address >= 0xA4 && address <= 0xA5)
        return pairName(address, 0xA4, "xTemp2");
    if (address >= 0xA6 && address <= 0xA7)
        return pairName(address, 0xA6, "VBATT");
    if (address >= 0xA8 && address <= 0xA9)
        return pairName(address, 0xA8, "VRGO");
    if (address >= 0xAA && address <= 0xAB)
        return pairName(address, 0xAA, "14-bit AD");
    if (address == 0xC0)
        return "Test Force Dir";
    if (address == 0xC1)
        return "Test Force Fault";
    if (address >= 0xB0 && address <= 0xC5)
        return "Test " + vb::Hex(address);
    return "Undefined";
}

std::string registerDesignText(int address)
{
    static constexpr std::array<const char*, 8> kThresholdTexts = {"2A", "0E", "D5", "0D", "00", "09", "00", "0A"};
    if (address >= 0x00 && address <= 0x07)
        return kThresholdTexts[static_cast<std::size_t>(address)];
    if (address == 0x49)
        return "FF";
    if (address == 0x80)
        return "03";
    if (address >= 0x8A && address <= 0xAB)
        return "0";
    return "00";
}

}  // namespace chip
