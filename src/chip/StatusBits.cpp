#include "chip/StatusBits.h"

namespace chip {

const std::array<StatusBit, kStatusBitCount> kStatusBits = {{
    {"OV", "Over Voltage  Threshold Detected", false},
    {"OVLO", "Over Voltage Lock Out Threshold Detected", false},
    {"UV", "Under Voltage Threshold Active", false},
    {"UVLO", "Under Voltage Lock Out Threshold is Active", false},
    {"DOT", "Discharge Over Temperature Active", false},
    {"DUT", "Discharge Under Temperature Active", false},
    {"COT", "Charge Over Temperature Active", false},
    {"CUT", "Charge Under Temperature Active", false},
    {"IOT", "Internal Temperature Shut Down Active", false},
    {"COC", "Charger Over Current Detected", false},
    {"DOC", "Discharge Over Current Detected", false},
    {"DSC", "Discharge Short Detected", false},
    {"CELLF", "Cell Failure Detection is Active", false},
    {"OPEN", "Cell Open Wire Condition Dectected", false},
    {"WDTO", "", true},
    {"EOCHG", "EOC Threshold Active", false},
    {"LD_PRSNT", "Load is Attached", false},
    {"CH_PRSNT", "Charger is Attached", false},
    {"CHING", "Battery Pack is Charging", false},
    {"DCHING", "Battery Pack is Discharging", false},
    {"WKUP", "", true},
    {"Not Used", "", true},
    {"ADCEOC", "", true},
    {"LVCHG", "Low Voltage Charger Threshold is active (PCFET Active)", false},
    {"CBOT", "Cell Balance Over Temperature Active", false},
    {"CBUT", "Cell Balance Under Temperature Active", false},
    {"CBOV", "Cell Balance Over Voltage Active", false},
    {"CBUV", "Cell Balance Under Voltage Active", false},
    {"IDLE", "State Machine in Idle Mode 256mS Scan", false},
    {"DOZE", "State Machine in Doze Mode 512mS Scan", false},
    {"SLEEP", "Device is in Sleep Condition (All FETS Off)", false},
    {"Not Used", "", true},
}};

vb::Color indicatorColor(int index, bool set, vb::Color current)
{
    if (!set)
        return vb::kWhite;
    if (index == 31)
        return current;
    const bool stateBit = (index >= 16 && index <= 19) || (index >= 28 && index <= 30);
    return stateBit ? vb::kGreen : vb::kRed;
}

vb::Color fetColor(bool on) { return on ? vb::kGreen : vb::kRed; }

}  // namespace chip
