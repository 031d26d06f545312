// The measurement scan and the readings page: three block reads into the
// register image, then every reading, bar, marker and indicator computed
// from the image.
#include <array>
#include <optional>

#include "chip/Captions.h"
#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "chip/ReadingBoxes.h"
#include "chip/ScanFormulas.h"
#include "chip/Thermistor.h"
#include "link/UsbLink.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace chip {

using namespace chipreg;
using namespace reading;

namespace {

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

constexpr std::array<const char*, kBoxCount> kReadingCaptions = {
    "CellMin",
    "CellMax",
    "ISense mV",
    "CELL1",
    "CELL2",
    "CELL3",
    "CELL4",
    "CELL5",
    "CELL6",
    "CELL7",
    "CELL8",
    "iTemp kK",
    "xT1 C",
    "xT2 C",
    "VBATT",
    "VRGO",
    "xT1 V",
    "xT2 V",
    "iTemp C",
    "Current mA",
    "Gain",
    "Shunt mOhm",
    "Sum (1-8)",
    "Cell Diff",
    "Volts/LMT",
    "xT1 raw V",
    "xT2 raw V",
};

// Reading boxes in the order they are shown: the cell column, the current and
// supply column, then the temperatures as a table: one row per sensor, one
// column per step from the sensor's volts to degrees.
constexpr int kPitch = 26;
constexpr std::array<int, 12> kCellColumn = {kLowest, kHighest, kCell1Box, kCell1Box + 1, kCell1Box + 2, kCell1Box + 3,
    kCell1Box + 4, kCell1Box + 5, kCell1Box + 6, kCell8Box, kSum, kSpread};
constexpr std::array<int, 6> kSenseColumn = {kSense, kGain, kShunt, kCurrent, kPack, kRegulator};
constexpr int kCellX = 10, kSenseX = 404;
struct TemperatureRow {
    const char* caption;
    std::array<int, 3> boxes;
};
constexpr std::array<const char*, 3> kTemperatureColumns = {"Volts/LMT", "TGAINV", "DegC"};
constexpr std::array<TemperatureRow, 3> kTemperatureRows = {{
    {"iTemp", {kSensor, kInternalKk, kInternalC}},
    {"xT1", {kExternal1Raw, kExternal1Volts, kExternal1}},
    {"xT2", {kExternal2Raw, kExternal2Volts, kExternal2}},
}};

// The steps of one scan, on the form's register image and reading boxes.
class Scan {
public:
    explicit Scan(KVN58C3_Main& form) : f(form), p(form.program()) {}

    // False when a transfer failed: the scan then ends without showing anything,
    // so no reading or indicator is computed from values that were not read.
    bool readChip();
    void showPackAndSum();

private:
    // Reads count registers from first; the first kept of them go into the register image.
    bool blockRead(std::uint8_t first, std::uint8_t count, int kept, std::uint8_t* buffer, std::uint8_t* address);
    // A 16-bit reading from the register image: the pair at lo (low byte) and lo + 1.
    double pair(int lo) const { return code16(f.regValue(lo), f.regValue(lo + 1)); }
    void showCells();
    void showCellRows();
    void showCurrentAndTemperatures();

    KVN58C3_Main& f;
    Program& p;
};

bool Scan::readChip()
{
    f.cbReadV.Caption = kBusy;
    f.cbReadV.BackColor = vb::kRunning;
    const int failed = f.failedTransfers;
    selectConfigRam(f);
    if (f.failedTransfers != failed || p.rt().operationAbandoned())
        return false;

    std::array<std::uint8_t, 65> buffer{};
    std::array<std::uint8_t, 1> address{};
    f.autoScan.syncWithChipScan(buffer.data(), address.data());

    p.link().FlushHidInput();
    static_assert(kSetup == kCellConfig + 1);
    if (!blockRead(kBlock1, kBlock1Count, kBlock1Count, buffer.data(), address.data()) ||
        !blockRead(kBlock2, kBlock2Count, kBlock2Kept, buffer.data(), address.data()) ||
        !blockRead(kCellConfig, 2, 2, buffer.data(), address.data()))
        return false;

    paintStatusIndicators(f);
    f.ReadStatus.Caption = kReadStatusCaption;
    paintFets(f);
    showCells();
    showCellRows();
    showCurrentAndTemperatures();
    return true;
}

bool Scan::blockRead(std::uint8_t first, std::uint8_t count, int kept, std::uint8_t* buffer, std::uint8_t* address)
{
    usb::UsbLink& link = p.link();
    address[0] = first;
    std::uint8_t writeCount = 1;
    // A block the chip did not acknowledge leaves its registers as they were:
    // the buffer then holds another block's bytes, which are no reading of these.
    if (link.I2cReadRetry(link.I2CAddress, count, writeCount, buffer, address, 0) != usb::kStatusAck) {
        ++f.failedTransfers;
        return false;
    }
    for (int i = 0; i < kept; ++i)
        f.registerImage.setByte(first + i, buffer[i]);
    return true;
}

void Scan::showCells()
{
    auto& VCELL = f.VCELL;
    VCELL[kLowest].Text = volts(cellVolts(pair(kCellMin)));
    VCELL[kHighest].Text = volts(cellVolts(pair(kCellMax)));
    const double lowest = vb::Val(VCELL[kLowest].Text.get());
    const double highest = vb::Val(VCELL[kHighest].Text.get());

    std::array<long, kThresholdLast + 1> limitRegs{};
    for (int i = kOvThreshold; i <= kThresholdLast; ++i)
        limitRegs[static_cast<std::size_t>(i)] = f.regValue(i);
    const CellLimits limits = cellLimits(limitRegs);

    for (int k = 1; k <= kCellCount; ++k) {
        const int b = kCell1Box + k - 1;
        const double cell = cellVolts(pair(cellRegister(k)));
        ui::TextBox& box = VCELL[b];
        box.Text = volts(cell);
        f.MinMax[b].FillColor = cellMarker(vb::Val(box.Text.get()), lowest, highest);
        const CellShade shade = shadeCell(cell, limits, box.BackColor);
        f.ProgressBar1[b].Value = shade.bar;
        box.BackColor = shade.back;
    }
    VCELL[kSpread].Text = vb::Format(highest - lowest, kSpreadPattern);
}

void Scan::showCellRows()
{
    const auto shown = cellRowsShown(f.tbRegdata[kCellConfig].Text.get());
    if (!shown)
        return;
    for (int i = 0; i < 5; ++i) {
        const int row = kFirstOptionalRow + i;
        const bool v = (*shown)[static_cast<std::size_t>(i)];
        f.VCELL[row].Visible = v;
        f.CELL1[row].Visible = v;
        f.CELL[row].Visible = v;
        f.MinMax[row].Visible = v;
        f.ProgressBar1[row].Visible = v;
    }
}

void Scan::showCurrentAndTemperatures()
{
    auto& VCELL = f.VCELL;
    const int gain = currentGainOf(f.regValue(kMonitor));
    VCELL[kGain].Text = vb::CStr(gain);
    VCELL[kSense].Text = volts(senseMillivolts(pair(kCurrentSense), gain));
    VCELL[kCurrent].Text = currentText(VCELL[kSense].Text.get(), VCELL[kShunt].Text.get());

    const bool highRange = (f.regValue(kSetup) & kSetupTgain) != 0;
    VCELL[kSensor].Text = volts(sensorVolts(pair(kInternalTemp)));
    const double kK = internalKilokelvin(vb::Val(VCELL[kSensor].Text.get()), highRange);
    VCELL[kInternalKk].Text = volts(kK);
    VCELL[kInternalC].Text = vb::Format(kilokelvinToCelsius(kK), kTenthsPattern);

    const double code1 = pair(kExternalTemp1);
    const double code2 = pair(kExternalTemp2);
    VCELL[kExternal1Raw].Text = volts(sensorVolts(code1));
    VCELL[kExternal2Raw].Text = volts(sensorVolts(code2));
    const double x1 = externalVolts(code1, highRange);
    const double x2 = externalVolts(code2, highRange);
    VCELL[kExternal1Volts].Text = volts(x1);
    VCELL[kExternal2Volts].Text = volts(x2);
    // A table entry that is no number gives no temperature rather than a wrong one.
    const auto& table = thermistorTable(f);
    VCELL[kExternal1].Text = table ? vb::Format(thermistorLookup(x1, *table), kTenthsPattern) : "ERR";
    VCELL[kExternal2].Text = table ? vb::Format(thermistorLookup(x2, *table), kTenthsPattern) : "ERR";
}

void Scan::showPackAndSum()
{
    auto& VCELL = f.VCELL;
    VCELL[kPack].Text = volts(packVolts(code12(f.regValue(kPackVolts), f.regValue(kPackVolts + 1))));
    VCELL[kRegulator].Text = volts(regulatorVolts(pair(kRegulatorVolts)));
    // Hidden rows count too: the sum is over all eight boxes.
    VCELL[kSum].Text = "0";
    for (int b = kCell1Box; b <= kCell8Box; ++b)
        VCELL[kSum].Text = volts(vb::Val(VCELL[kSum].Text.get()) + vb::Val(VCELL[b].Text.get()));
    const long balance = f.regValue(kCellBalance);
    for (int i = 0; i < kCellCount; ++i)
        f.cbLED[i].FillColor = (balance & (1L << i)) != 0 ? vb::kRed : vb::kWhite;
}

// Temperatures from the top y down: column captions, then a row caption (the
// CELL label of the row's first box) and three boxes per sensor.
void layOutTemperatures(KVN58C3_Main& f, ui::In page, int y)
{
    constexpr int kRowCaptionW = 46, kBoxW = 66, kColumnPitch = 68;
    for (std::size_t c = 0; c < kTemperatureColumns.size(); ++c)
        ui::place(f.TempColumn.add(static_cast<int>(c)), page,
            ui::Rect{kSenseX + kRowCaptionW, y, kBoxW, 18}.moved(static_cast<int>(c) * kColumnPitch, 0),
            kTemperatureColumns[c])
            .Alignment = 2;
    y += 20;
    for (const TemperatureRow& row : kTemperatureRows) {
        for (std::size_t c = 0; c < row.boxes.size(); ++c) {
            const int box = row.boxes[c];
            f.CELL[box].Visible = c == 0;
            ui::place(f.CELL[box], page, {kSenseX, y + 2, kRowCaptionW - 4, 18});
            ui::place(f.VCELL[box], page,
                ui::Rect{kSenseX + kRowCaptionW, y, kBoxW, 22}.moved(static_cast<int>(c) * kColumnPitch, 0));
        }
        f.CELL[row.boxes[0]].Caption = row.caption;
        y += kPitch;
    }
}

}  // namespace

void layOutReadings(KVN58C3_Main& f)
{
    for (int i = 0; i < static_cast<int>(kReadingCaptions.size()); ++i) {
        f.CELL.add(i).Caption = kReadingCaptions[static_cast<std::size_t>(i)];
        f.VCELL.add(i).Text = i == kShunt ? "1.0" : "0";
    }
    const ui::In page{f.SSTab1, kPageReadings};
    // A reading: its caption, then its box.
    auto readingRow = [&](int box, int x, int y) {
        ui::place(f.CELL[box], page, {x, y + 2, 90, 18});
        ui::place(f.VCELL[box], page, {x + 94, y, 70, 22});
    };

    // Cell column: lowest, highest, cells 1 to 8 with unit, marker and bar, sum and spread.
    for (std::size_t i = 0; i < kCellColumn.size(); ++i) {
        const int box = kCellColumn[i];
        const int y = 8 + static_cast<int>(i) * kPitch;
        readingRow(box, kCellX, y);
        if (box < kCell1Box || box > kCell8Box)
            continue;
        ui::place(f.CELL1.add(box), page, {kCellX + 168, y + 2, 14, 18}, "V");
        auto& mark = ui::place(
            f.MinMax.add(box), page, {kCellX + 186, y + 4, 14, 14}, {}, "Blue: lowest cell; pink: highest cell");
        mark.ShapeType = ui::Shape::Rectangle;
        mark.FillColor = vb::kWhite;
        auto& bar = ui::place(f.ProgressBar1.add(box), page, {kCellX + 206, y + 3, 170, 16}, {},
            "Cell voltage between the UV and OV thresholds");
        bar.Min = 0.0;
        bar.Max = 100.0;
    }

    // Current and supplies.
    int y = 8;
    for (int box : kSenseColumn) {
        readingRow(box, kSenseX, y);
        y += kPitch;
    }

    layOutTemperatures(f, page, y + 10);

    // The scan button, in the right-hand column under the indicators.
    ui::place(f.cbReadV, page, {kReadingsRightX, 306, 160, 26}, kReadVCaption,
        "Read Voltages and Digital Status 1 Time.", [&f] { f.cbReadV_Click(); });
    f.cbReadV.BackColor = vb::kIdle;
}

void KVN58C3_Main::cbReadV_Click()
{
    if (p.TraceOn)
        p.trace(p.TraceIndent1 + "Scan and Report Voltages Function\r\n");
    if (cbReadV.Caption.get() == kBusy)
        return;
    // After a failure the user chose to go back to the GUI: no scan.
    if (p.rt().operationAbandoned())
        return;
    Scan scan(*this);
    // A pack-settings transfer owns the chip: show what the image already holds.
    const bool packBusy = cbReadPack.Caption.get() == kBusy || cbWritePack.Caption.get() == kBusy;
    const bool read = packBusy || scan.readChip();
    if (read)
        scan.showPackAndSum();
    cbReadV.Caption = kReadVCaption;
    cbReadV.BackColor = vb::kIdle;
    cbRAMEnable.BackColor = vb::kRunning;
    if (read && ChkPoweStatus.Value == 1)
        ReadStatus_Click();
    p.rt().DoEvents();
}

}  // namespace chip
