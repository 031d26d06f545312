#pragma once
// What another form asks of the chip form: its register image, a register
// written or read through its box, the reading boxes by name, the analog
// monitor's channel and gain, the status indicators and the form itself. The
// A/D form reaches the chip form only through this.
#include <string>

#include "chip/ReadingBoxes.h"
#include "chip/RegisterImage.h"
#include "ui/Controls.h"

class Program;

namespace chip {

class KVN58C3_Main;

class ChipAccess {
public:
    // The chip form, loaded first when it is not.
    static ChipAccess of(Program& program);

    // The register image: each register's text and value.
    RegisterImage& registers() const;
    // The value as hex text into the register's box, then written.
    void write(int reg, long value) const;
    // The same for a register an operation hands back at its end: written
    // also when the operation was abandoned.
    void restore(int reg, long value) const;
    // The register read from the chip into its box; the box's text.
    const std::string& read(int reg) const;

    // A reading box of the readings page.
    ui::TextBox& reading(reading::Box box) const;

    // The monitor channel shown in the analog monitor's list.
    void selectMonitorChannel(int channel) const;
    // That channel, with the start bit, written; the gain field stays.
    void writeMonitorChannel() const;
    // The current gain of the list's entry `index` written to the chip.
    void writeCurrentGain(int index) const;

    // The status indicators read again.
    void readStatus() const;
    // The chip form shown.
    void show() const;

private:
    explicit ChipAccess(KVN58C3_Main& form) : form_(form) {}
    KVN58C3_Main& form_;
};

}  // namespace chip
