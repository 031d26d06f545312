#pragma once
// The chip's status bits as the indicators show them: one indicator per bit of
// registers 0x80 to 0x83, index 8 x (register - 0x80) + bit.
#include <array>
#include <string_view>

#include "vb/Color.h"

namespace chip {

inline constexpr int kStatusBitCount = 32;

struct StatusBit {
    std::string_view caption;
    std::string_view toolTip;
    bool hidden;  // never shown, still coloured
};

extern const std::array<StatusBit, kStatusBitCount> kStatusBits;

// Fill colour of indicator `index` for its bit state: white when clear; red
// for faults, green for the load/charger/state bits; bit 31 (unused) keeps
// the colour it has.
vb::Color indicatorColor(int index, bool set, vb::Color current);

// FET buttons: green when the driver bit is set, red when clear.
vb::Color fetColor(bool on);

}  // namespace chip
