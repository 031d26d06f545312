// The current calculator: the chip's 12-bit current-sense result, its gain
// and the shunt give the pack current, shown in the chip form's current box.
#include "adutil/frmADUtil.h"
#include "chip/ChipAccess.h"
#include "chip/ReadingBoxes.h"
#include "chip/ScanFormulas.h"
#include "regmap/ChipRegisters.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace adutil {

namespace {
constexpr int kGainBox = 0;
constexpr int kResultBox = 2;
constexpr const char* kNoCurrent = "ERR";
}  // namespace

void frmADUtil::cmdCalCurrent_Click()
{
    const chip::ChipAccess chipForm = chip::ChipAccess::of(p);
    const int gain = chipreg::currentGainOf(chipForm.registers().value(chipreg::kMonitor));
    txtCalcCurrent[kGainBox].Text = vb::CStr(gain);
    // The result registers are only fresh while a 12-bit run reads them.
    if (!run.AcqStarted)
        return;
    const double code = chip::code16(
        chipForm.registers().value(chipreg::kCurrentSense), chipForm.registers().value(chipreg::kCurrentSense + 1));
    txtCalcCurrent[kResultBox].Text = vb::Format(chip::senseMillivolts(code, gain), chip::kVoltsPattern);
    // A shunt of zero, or a text that is not a number, gives no current (as the scan shows it).
    const std::string current =
        chip::currentText(txtCalcCurrent[kResultBox].Text.get(), chipForm.reading(chip::reading::kShunt).Text.get());
    chipForm.reading(chip::reading::kCurrent).Text = current;
    if (current != kNoCurrent)
        txtCalcCurrent[kResultBox].Text = current;
}

}  // namespace adutil
