// The readings page: cell rows with bars and markers, the current and
// temperature boxes, the status indicators, FET buttons and the scan controls.
#include <array>

#include "chip/KVN58C3_Main.h"
#include "chip/monitor/Captions.h"
#include "chip/monitor/StatusBits.h"
#include "vb/Numbers.h"

namespace chip {

using namespace monitor;

namespace {

constexpr int kPitch = 26;

// Reading boxes in the order they are shown: the cell column, then the
// current and temperature column (-1 leaves a gap).
constexpr std::array<int, 12> kCellColumn = {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 22, 23};
constexpr std::array<int, 16> kSenseColumn = {2, 20, 21, 19, 14, 15, -1, 24, 11, 18, 25, 16, 12, 26, 17, 13};
constexpr int kCellX = 10, kSenseX = 404, kRightX = 660;

}  // namespace

void KVN58C3_Main::buildMonitorSide()
{
    placeMonitorControls();

    cbReadV.Click = [this] { cbReadV_Click(); };
    ReadStatus.Click = [this] { ReadStatus_Click(); };
    cmdAbortSync.Click = [this] { cmdAbortSync_Click(); };
    cbRecord.Click = [this] { cbRecord_Click(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
    TimerSync.Tick = [this] { TimerSync_Timer(); };

    // Monitoring is what the bench engineer watches; open on it.
    SSTab1.Tab = kPageReadings;
}

void KVN58C3_Main::loadMonitorSide()
{
    SyncRun = false;
    SyncTimeout = false;
    TimerSync.Enabled = false;
}

void KVN58C3_Main::placeMonitorControls()
{
    auto onPage = [this](ui::Control& c, int x, int y, int w, int h) {
        c.setContainer(&SSTab1, kPageReadings);
        c.move(x, y, w, h);
    };
    auto readingRow = [&](int box, int x, int y) {
        onPage(CELL[box], x, y + 2, 90, 18);
        onPage(VCELL[box], x + 94, y, 70, 22);
    };

    // Cell column: lowest, highest, cells 1 to 8 with unit, marker and bar, sum and spread.
    for (std::size_t i = 0; i < kCellColumn.size(); ++i) {
        const int box = kCellColumn[i];
        const int y = 8 + static_cast<int>(i) * kPitch;
        readingRow(box, kCellX, y);
        if (box < 3 || box > 10)
            continue;
        auto& unit = CELL1.add(box);
        unit.Caption = "V";
        onPage(unit, kCellX + 168, y + 2, 14, 18);
        auto& mark = MinMax.add(box);
        mark.ShapeType = ui::Shape::Rectangle;
        mark.FillColor = vb::kWhite;
        mark.ToolTipText = "Blue: lowest cell; pink: highest cell";
        onPage(mark, kCellX + 186, y + 4, 14, 14);
        auto& bar = ProgressBar1.add(box);
        bar.Min = 0.0;
        bar.Max = 100.0;
        bar.ToolTipText = "Cell voltage between the UV and OV thresholds";
        onPage(bar, kCellX + 206, y + 3, 170, 16);
    }

    // Current, supplies and temperatures.
    int y = 8;
    for (int box : kSenseColumn) {
        if (box < 0) {
            y += 10;
            continue;
        }
        readingRow(box, kSenseX, y);
        y += kPitch;
    }
    onPage(cmdISetup, kSenseX + 170, 8 + 2 * kPitch - 1, 76, 24);

    // Status indicators: one column per register 0x80 to 0x83.
    FrStatusBits.Caption = "Status 0x80 - 0x83";
    onPage(FrStatusBits, kRightX, 4, 326, 196);
    for (int i = 0; i < kStatusBitCount; ++i) {
        const StatusBit& bit = kStatusBits[static_cast<std::size_t>(i)];
        const int x = 8 + (i / 8) * 80;
        const int row = 20 + (i % 8) * 21;
        auto& led = LED.add(i);
        led.ShapeType = ui::Shape::Circle;
        led.FillColor = vb::kWhite;
        led.setContainer(&FrStatusBits);
        led.move(x, row + 2, 13, 13);
        auto& caption = Label.add(i);
        caption.Caption = std::string(bit.caption);
        caption.ToolTipText = std::string(bit.toolTip);
        caption.setContainer(&FrStatusBits);
        caption.move(x + 16, row, 60, 18);
        led.ToolTipText = std::string(bit.toolTip);
        led.Visible = !bit.hidden;
        caption.Visible = !bit.hidden;
    }

    // FET drivers of 0x86.
    FrFets.Caption = "FETs (0x86)";
    onPage(FrFets, kRightX, 204, 326, 48);
    const std::array<std::pair<ui::CommandButton*, const char*>, 3> fets = {
        {{&cbPCFET, "PCFET"}, {&cbCFET, "CFET"}, {&cbDFET, "DFET"}}};
    for (std::size_t i = 0; i < fets.size(); ++i) {
        fets[i].first->Caption = fets[i].second;
        fets[i].first->setContainer(&FrFets);
        fets[i].first->move(8 + static_cast<int>(i) * 104, 18, 98, 24);
    }

    // Cell balancing, one indicator per bit of 0x84.
    FrBalance.Caption = "Cell Balance (0x84)";
    onPage(FrBalance, kRightX, 256, 326, 44);
    for (int i = 0; i < 8; ++i) {
        auto& led = cbLED.add(i);
        led.ShapeType = ui::Shape::Circle;
        led.FillColor = vb::kWhite;
        led.ToolTipText = "Cell " + vb::CStr(i + 1) + " balancing";
        led.setContainer(&FrBalance);
        led.move(10 + i * 39, 22, 13, 13);
        auto& caption = lblBalance.add(i);
        caption.Caption = vb::CStr(i + 1);
        caption.setContainer(&FrBalance);
        caption.move(26 + i * 39, 20, 16, 18);
    }

    // Scan, status and log buttons.
    cbReadV.Caption = kReadVCaption;
    cbReadV.ToolTipText = "Read Voltages and Digital Status 1 Time.";
    cbReadV.BackColor = vb::kIdle;
    onPage(cbReadV, kRightX, 306, 160, 26);
    ReadStatus.Caption = kReadStatusCaption;
    ReadStatus.ToolTipText = "Read Digital Status Registers";
    ReadStatus.BackColor = vb::kIdle;
    onPage(ReadStatus, kRightX + 166, 306, 160, 26);
    ChkPoweStatus.Caption = "Poll Status";
    ChkPoweStatus.ToolTipText = "Read the status registers one by one after every scan";
    onPage(ChkPoweStatus, kRightX + 4, 338, 150, 22);
    cbRecord.Caption = kLogOffCaption;
    cbRecord.ToolTipText = "Save Captured Readings for Export";
    cbRecord.BackColor = vb::kIdle;
    onPage(cbRecord, kRightX + 166, 336, 160, 26);

    // Synchronisation indicator and its override.
    auto& sync = LEDSync.add(0);
    sync.ShapeType = ui::Shape::Circle;
    sync.FillColor = vb::kWhite;
    sync.ToolTipText = "Scan sync: blue/green alternate per synchronised scan, red after a time-out";
    onPage(sync, kRightX + 6, 372, 14, 14);
    cmdAbortSync.Caption = "Abort Sync";
    cmdAbortSync.ToolTipText = "Over Ride Scan Sync Selection (Hangs if device goes to sleep)";
    onPage(cmdAbortSync, kRightX + 28, 366, 126, 26);

    // The uC control frame would sit under the cell column; keep it beside the scan controls.
    onPage(FrUcControl, kRightX, 398, 240, 56);
}

}  // namespace chip
