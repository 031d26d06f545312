#pragma once
// The register image: the register map's boxes hold each register's text (as
// read from the chip, as a handler put it, as the user typed it), and beside
// each text the value it stands for. The scans and runs read values many
// times per scan: they get them without a lookup and a parse of the text, and
// a byte read again sets its text only when it changed.
#include <array>
#include <cstdint>
#include <string>

#include "regmap/ChipRegisters.h"
#include "ui/ControlArray.h"
#include "ui/Controls.h"

namespace chip {

class RegisterImage {
public:
    explicit RegisterImage(ui::ControlArray<ui::TextBox>& boxes) : boxes_(boxes) {}

    // The register's text read as hexadecimal (as HexValue reads it). A
    // register with no box throws std::out_of_range.
    long value(int reg) const;
    // The register's text as its box shows it.
    const std::string& text(int reg) const;
    // A byte read from the chip into the register's box: two hex digits.
    void setByte(int reg, std::uint8_t byte);

private:
    // The value of a box's text, good while the box's revision stays (every
    // change of the box, by code or by the user, counts up its revision).
    struct Copy {
        ui::TextBox* box = nullptr;
        unsigned long long revision = 0;
        long value = 0;
        bool twoDigits = false;  // the text is the value's two hex digits
    };
    Copy& inStep(int reg) const;

    ui::ControlArray<ui::TextBox>& boxes_;
    mutable std::array<Copy, chipreg::kLastRegister + 1> copies_{};
};

}  // namespace chip
