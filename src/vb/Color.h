#pragma once

// Colours as 0xRRGGBB, the way the forms write them (#FFC0C0); not the
// original runtime's BGR order.

#include <array>
#include <cstdint>

namespace vb {

using Color = std::uint32_t;

constexpr Color RGB(int r, int g, int b)
{
    return (static_cast<Color>(r & 0xFF) << 16) | (static_cast<Color>(g & 0xFF) << 8) | static_cast<Color>(b & 0xFF);
}

// The 16-colour indicator palette; numbers outside 0 to 15 give black.
constexpr Color QBColor(int n)
{
    constexpr std::array<Color, 16> palette = {
        0x000000,
        0x000080,
        0x008000,
        0x008080,
        0x800000,
        0x800080,
        0x808000,
        0xC0C0C0,
        0x808080,
        0x0000FF,
        0x00FF00,
        0x00FFFF,
        0xFF0000,
        0xFF00FF,
        0xFFFF00,
        0xFFFFFF,
    };
    return n >= 0 && n < 16 ? palette[static_cast<std::size_t>(n)] : 0x000000;
}

inline constexpr Color kRunning = 0xFFC0C0;  // operation running / selected
inline constexpr Color kIdle = 0xC0C0C0;
inline constexpr Color kButtonFace = 0xF0F0F0;  // system button face
inline constexpr Color kWindow = 0xFFFFFF;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kGreen = 0x00FF00;
inline constexpr Color kRed = 0xFF0000;
inline constexpr Color kDarkGreen = 0x008000;
inline constexpr Color kYellow = 0xFFFF00;

}  // namespace vb
