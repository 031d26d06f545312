#include "chip/ChipAccess.h"

#include "chip/KVN58C3_Main.h"
#include "program/Program.h"

namespace chip {

ChipAccess ChipAccess::of(Program& program) { return ChipAccess(program.form<KVN58C3_Main>()); }

RegisterImage& ChipAccess::registers() const { return form_.registerImage; }

void ChipAccess::write(int reg, long value) const { form_.writeRegisterValue(reg, value); }

void ChipAccess::restore(int reg, long value) const { form_.restoreRegisterValue(reg, value); }

const std::string& ChipAccess::read(int reg) const { return form_.readRegister(reg); }

ui::TextBox& ChipAccess::reading(reading::Box box) const { return form_.VCELL[box]; }

void ChipAccess::selectMonitorChannel(int channel) const { form_.tbVoltageMon.ListIndex = channel; }

void ChipAccess::writeMonitorChannel() const { form_.writeMonitorChannel(); }

void ChipAccess::writeCurrentGain(int index) const { form_.writeCurrentGain(index); }

void ChipAccess::readStatus() const { form_.ReadStatus_Click(); }

void ChipAccess::show() const { form_.Show(); }

}  // namespace chip
