#pragma once
// The reading boxes VCELL of the chip form's readings page, by index: the
// measurement scan fills them, the A/D form shows its current, gain and sense
// readings in them, the shunt file keeps the shunt box.
namespace chip::reading {

enum Box : int {
    kLowest = 0,
    kHighest = 1,
    kSense = 2,
    kCell1Box = 3,
    kCell8Box = 10,
    kInternalKk = 11,
    kExternal1 = 12,
    kExternal2 = 13,
    kPack = 14,
    kRegulator = 15,
    kExternal1Volts = 16,
    kExternal2Volts = 17,
    kInternalC = 18,
    kCurrent = 19,
    kGain = 20,
    kShunt = 21,  // milliohms, kept in the shunt file
    kSum = 22,
    kSpread = 23,
    kSensor = 24,
    kExternal1Raw = 25,
    kExternal2Raw = 26,
};
inline constexpr int kBoxCount = 27;

}  // namespace chip::reading
