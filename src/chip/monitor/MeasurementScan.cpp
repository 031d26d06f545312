// One measurement scan: three block reads into the register image, then every
// reading, bar, marker and indicator computed from the image.
#include <array>
#include <optional>

#include "chip/KVN58C3_Main.h"
#include "chip/monitor/Captions.h"
#include "chip/monitor/ScanFormulas.h"
#include "chip/monitor/Thermistor.h"
#include "link/UsbLink.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace chip {

using namespace monitor;
using namespace chipreg;

namespace {

// Reading boxes of VCELL.
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
    kShunt = 21,
    kSum = 22,
    kSpread = 23,
    kSensor = 24,
    kExternal1Raw = 25,
    kExternal2Raw = 26,
};

// The scan's block reads: status to cell 3, cell 4 to the regulator, then the
// cell configuration and setup registers.
constexpr Reg kBlock1 = kStatusFirst;
constexpr std::uint8_t kBlock1Count = 22;
constexpr Reg kBlock2 = kBlock1 + kBlock1Count;
constexpr std::uint8_t kBlock2Count = 22;
// The last two bytes of the second block are the analog monitor's result, not ours.
constexpr int kBlock2Kept = kMonitorResult - kBlock2;
static_assert(kBlock2 + kBlock2Count == kMonitorResultHigh + 1);

std::string volts(double v) { return vb::Format(v, kVoltsPattern); }

// The form's thermistor table as numbers; nullopt when an entry is no number.
std::optional<ThermistorTable> thermistorTableOf(
    const ui::ControlArray<ui::TextBox>& voltBoxes, const ui::ControlArray<ui::TextBox>& tempBoxes)
{
    ThermistorTable table;
    for (int i = 0; i < kThermistorPoints; ++i) {
        const auto v = numberOf(voltBoxes[i].Text.get());
        const auto t = numberOf(tempBoxes[i].Text.get());
        if (!v || !t)
            return std::nullopt;
        table.volts[static_cast<std::size_t>(i)] = *v;
        table.temps[static_cast<std::size_t>(i)] = *t;
    }
    return table;
}

}  // namespace

void KVN58C3_Main::cbReadV_Click()
{
    if (p.TraceOn)
        p.trace(p.TraceIndent1 + "Scan and Report Voltages Function\r\n");
    if (cbReadV.Caption.get() == kBusy)
        return;
    // A pack-settings transfer owns the chip: show what the image already holds.
    if (cbReadPack.Caption.get() != kBusy && cbWritePack.Caption.get() != kBusy)
        scanChip();
    showPackAndSum();
    cbReadV.Caption = kReadVCaption;
    cbReadV.BackColor = vb::kIdle;
    cbRAMEnable.BackColor = vb::kRunning;
    if (ChkPoweStatus.Value == 1)
        ReadStatus_Click();
    p.rt().DoEvents();
}

void KVN58C3_Main::scanChip()
{
    cbReadV.Caption = kBusy;
    cbReadV.BackColor = vb::kRunning;
    selectRamModeButtons();

    std::array<std::uint8_t, 65> buffer{};
    std::array<std::uint8_t, 1> address{};
    syncWithChipScan(buffer.data(), address.data());

    p.link().FlushHidInput();
    blockRead(kBlock1, kBlock1Count, kBlock1Count, buffer.data(), address.data());
    blockRead(kBlock2, kBlock2Count, kBlock2Kept, buffer.data(), address.data());
    static_assert(kSetup == kCellConfig + 1);
    blockRead(kCellConfig, 2, 2, buffer.data(), address.data());

    paintStatusIndicators();
    ReadStatus.Caption = kReadStatusCaption;
    paintFets();
    showCells();
    showCellRows();
    showCurrentAndTemperatures();
}

void KVN58C3_Main::blockRead(
    std::uint8_t first, std::uint8_t count, int kept, std::uint8_t* buffer, std::uint8_t* address)
{
    usb::UsbLink& link = p.link();
    address[0] = first;
    std::uint8_t writeCount = 1;
    // A block the chip did not acknowledge leaves its registers as they were:
    // the buffer then holds another block's bytes, which are no reading of these.
    if (link.I2cReadRetry(link.I2CAddress, count, writeCount, buffer, address, 0) != usb::kStatusAck)
        return;
    for (int i = 0; i < kept; ++i)
        tbRegdata[first + i].Text = usb::ByteToHex2(buffer[i]);
}

void KVN58C3_Main::showCells()
{
    VCELL[kLowest].Text = volts(cellVolts(regPair(kCellMin)));
    VCELL[kHighest].Text = volts(cellVolts(regPair(kCellMax)));
    const double lowest = vb::Val(VCELL[kLowest].Text.get());
    const double highest = vb::Val(VCELL[kHighest].Text.get());

    std::array<long, kThresholdLast + 1> limitRegs{};
    for (int i = kOvThreshold; i <= kThresholdLast; ++i)
        limitRegs[static_cast<std::size_t>(i)] = regValue(i);
    const CellLimits limits = cellLimits(limitRegs);

    for (int k = 1; k <= kCellCount; ++k) {
        const int b = kCell1Box + k - 1;
        const double cell = cellVolts(regPair(cellRegister(k)));
        ui::TextBox& box = VCELL[b];
        box.Text = volts(cell);
        MinMax[b].FillColor = cellMarker(vb::Val(box.Text.get()), lowest, highest);
        const CellShade shade = shadeCell(cell, limits, box.BackColor);
        ProgressBar1[b].Value = shade.bar;
        box.BackColor = shade.back;
    }
    VCELL[kSpread].Text = vb::Format(highest - lowest, kSpreadPattern);
}

void KVN58C3_Main::showCellRows()
{
    const auto shown = cellRowsShown(tbRegdata[kCellConfig].Text.get());
    if (!shown)
        return;
    for (int i = 0; i < 5; ++i) {
        const int row = kFirstOptionalRow + i;
        const bool v = (*shown)[static_cast<std::size_t>(i)];
        VCELL[row].Visible = v;
        CELL1[row].Visible = v;
        CELL[row].Visible = v;
        MinMax[row].Visible = v;
        ProgressBar1[row].Visible = v;
    }
}

void KVN58C3_Main::showCurrentAndTemperatures()
{
    const int gain = currentGainOf(regValue(kMonitor));
    VCELL[kGain].Text = vb::CStr(gain);
    VCELL[kSense].Text = volts(senseMillivolts(regPair(kCurrentSense), gain));
    VCELL[kCurrent].Text = currentText(VCELL[kSense].Text.get(), VCELL[kShunt].Text.get());

    const bool highRange = (regValue(kSetup) & kSetupTgain) != 0;
    VCELL[kSensor].Text = volts(sensorVolts(regPair(kInternalTemp)));
    const double kK = internalKilokelvin(vb::Val(VCELL[kSensor].Text.get()), highRange);
    VCELL[kInternalKk].Text = volts(kK);
    VCELL[kInternalC].Text = vb::Format(kilokelvinToCelsius(kK), kTenthsPattern);

    const double code1 = regPair(kExternalTemp1);
    const double code2 = regPair(kExternalTemp2);
    VCELL[kExternal1Raw].Text = volts(sensorVolts(code1));
    VCELL[kExternal2Raw].Text = volts(sensorVolts(code2));
    const double x1 = externalVolts(code1, highRange);
    const double x2 = externalVolts(code2, highRange);
    VCELL[kExternal1Volts].Text = volts(x1);
    VCELL[kExternal2Volts].Text = volts(x2);
    // A table entry that is no number gives no temperature rather than a wrong one.
    const auto table = thermistorTableOf(ArrayVolts, ArrayTemp);
    VCELL[kExternal1].Text = table ? vb::Format(thermistorLookup(x1, *table), kTenthsPattern) : "ERR";
    VCELL[kExternal2].Text = table ? vb::Format(thermistorLookup(x2, *table), kTenthsPattern) : "ERR";
}

void KVN58C3_Main::showPackAndSum()
{
    VCELL[kPack].Text = volts(packVolts(code12(regValue(kPackVolts), regValue(kPackVolts + 1))));
    VCELL[kRegulator].Text = volts(regulatorVolts(regPair(kRegulatorVolts)));
    // Hidden rows count too: the sum is over all eight boxes.
    VCELL[kSum].Text = "0";
    for (int b = kCell1Box; b <= kCell8Box; ++b)
        VCELL[kSum].Text = volts(vb::Val(VCELL[kSum].Text.get()) + vb::Val(VCELL[b].Text.get()));
    const long balance = regValue(kCellBalance);
    for (int i = 0; i < kCellCount; ++i)
        cbLED[i].FillColor = (balance & (1L << i)) != 0 ? vb::kRed : vb::kWhite;
}

}  // namespace chip
