// Controls of the register side: design values, placement and event wiring.
#include <array>

#include "chip/KVN58C3_Main.h"
#include "chip/config/RegisterNames.h"
#include "link/UsbLink.h"
#include "vb/Numbers.h"

namespace chip {

namespace {

constexpr int kRowPitch = 20;
constexpr int kRowsPerColumn = 20;
constexpr int kColumnWidth = 246;

struct RegisterPage {
    int page, first, last;
};
constexpr std::array<RegisterPage, 4> kRegisterPages = {{
    {kPageConfig, chipreg::kConfigFirst, chipreg::kConfigLast},
    {kPageUser, chipreg::kUserFirst, chipreg::kUserLast},
    {kPageStatus, chipreg::kStatusFirst, chipreg::kLiveLast},
    {kPageTest, chipreg::kTrimFirst, chipreg::kTestLast},
}};

// A 10 kOhm NTC (B 3435) under 10 kOhm from 0.8 V, -40 to 125 degrees C.
constexpr std::array<const char*, 34> kThermistorVolts = {
    "0.7690",
    "0.7584",
    "0.7450",
    "0.7285",
    "0.7086",
    "0.6851",
    "0.6579",
    "0.6272",
    "0.5933",
    "0.5568",
    "0.5184",
    "0.4789",
    "0.4392",
    "0.4000",
    "0.3621",
    "0.3261",
    "0.2923",
    "0.2612",
    "0.2327",
    "0.2069",
    "0.1837",
    "0.1630",
    "0.1447",
    "0.1284",
    "0.1140",
    "0.1014",
    "0.0903",
    "0.0805",
    "0.0719",
    "0.0643",
    "0.0576",
    "0.0517",
    "0.0466",
    "0.0420",
};

constexpr std::array<const char*, 27> kReadingCaptions = {
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

}  // namespace

void KVN58C3_Main::buildRegisterSide()
{
    Caption = "KVN58C3 Evaluation";
    Width = 1010;
    Height = 600;

    mnuabout.Click = [this] { mnuabout_Click(); };
    mnuEnableI2C.Click = [this] { mnuEnableI2C_Click(); };
    mnuDisableI2C.Click = [this] { mnuDisableI2C_Click(); };
    mnumainshow.Click = [this] { mnumainshow_Click(); };

    // I2C state and acknowledge indicator.
    FrI2C.Caption = "I2C Disabled";
    FrI2C.move(6, 2, 150, 58);
    FrNak.Caption = "NAK";
    FrNak.setContainer(&FrI2C);
    FrNak.move(8, 16, 60, 36);
    FrNak.Visible = false;
    ShpNak.setContainer(&FrNak);
    ShpNak.move(20, 14, 16, 16);
    ShpNak.FillColor = vb::kWhite;

    // Memory modes.
    FrMemory.Caption = "Memory Mode (Reg 0x89)";
    FrMemory.move(162, 2, 430, 58);
    const std::array<std::pair<ui::CommandButton*, const char*>, 4> modes = {{
        {&cbRAMEnable, "Config RAM"},
        {&cbEEPROMEnable, "EEPROM"},
        {&cbTRIMEnable, "Trim/Test RAM"},
        {&cbTrimEEEnable, "Trim EEPROM"},
    }};
    for (std::size_t i = 0; i < modes.size(); ++i) {
        modes[i].first->Caption = modes[i].second;
        modes[i].first->setContainer(&FrMemory);
        modes[i].first->move(8 + static_cast<int>(i) * 104, 20, 100, 28);
    }
    cbRAMEnable.ToolTipText = "Select configuration RAM (0x89 = 00)";
    cbEEPROMEnable.ToolTipText = "Select configuration EEPROM (0x89 = 01)";
    cbTRIMEnable.ToolTipText = "Select trim RAM and test registers B0-C5";
    cbTrimEEEnable.ToolTipText = "Select trim EEPROM";
    cbRAMEnable.Click = [this] { cbRAMEnable_Click(); };
    cbEEPROMEnable.Click = [this] { cbEEPROMEnable_Click(); };
    cbTRIMEnable.Click = [this] { cbTRIMEnable_Click(); };
    cbTrimEEEnable.Click = [this] { cbTrimEEEnable_Click(); };

    // Block transfers and quit.
    cbReadAllRAM.Caption = "Read All RAM";
    cbReadAllRAM.ToolTipText = "Read registers 80-AB";
    cbReadAllRAM.move(600, 6, 120, 26);
    cbReadAllRAM.Click = [this] { cbReadAllRAM_Click(); };
    cbReadPack.Caption = "Read Config";
    cbReadPack.ToolTipText = "Read configuration registers 00-4F";
    cbReadPack.move(600, 34, 120, 26);
    cbReadPack.Click = [this] { cbReadPack_Click(); };
    cbWritePack.Caption = "Write Config";
    cbWritePack.ToolTipText = "Write configuration registers 00-4F";
    cbWritePack.move(726, 34, 120, 26);
    cbWritePack.Click = [this] { cbWritePack_Click(); };
    cbQuit.Caption = "Quit";
    cbQuit.ToolTipText = "Exit the Program";
    cbQuit.move(904, 6, 96, 26);
    cbQuit.Click = [this] { cbQuit_Click(); };

    // Auto scan.
    cbAutoScan.Caption = "Auto Scan START";
    cbAutoScan.ToolTipText = "Start / Stop Timer cycle to capture readings.";
    cbAutoScan.BackColor = vb::kIdle;
    cbAutoScan.move(6, 66, 130, 26);
    cbAutoScan.Click = [this] { cbAutoScan_Click(); };
    for (const char* rate : {"Min", "1", "2", "5", "10", "15", "30", "60"})
        cbAutorate.AddItem(rate);
    cbAutorate.Text = "Min";
    cbAutorate.ToolTipText = "Seconds between auto scans";
    cbAutorate.move(140, 68, 60, 22);
    cbAutorate.Change = [this] { cbAutorate_Change(); };
    ChkSyncuPdoescan.Caption = "Sync uC Data Collection to Internal Scan";
    ChkSyncuPdoescan.ToolTipText = "Auto Scan will wait for internal scan clear before collecting measurements.";
    ChkSyncuPdoescan.move(210, 68, 290, 22);
    ChkSyncuPdoescan.Click = [this] { ChkSyncuPdoescan_Click(); };

    // Settings shortcuts.
    cmdRestoreDefaults.Caption = "Restore Defaults";
    cmdRestoreDefaults.ToolTipText = "Write the default thresholds 00-07";
    cmdRestoreDefaults.move(510, 66, 120, 26);
    cmdRestoreDefaults.Click = [this] { cmdRestoreDefaults_Click(); };
    cmdSet8.Caption = "Set 8 Cells";
    cmdSet8.ToolTipText = "Cell configuration 0x49 = FF";
    cmdSet8.move(636, 66, 100, 26);
    cmdSet8.Click = [this] { cmdSet8_Click(); };
    cbTempSel.Caption = "Temp Gain (0x4A b4)";
    cbTempSel.ToolTipText = "Set: 1.8 V temperature input range; clear: 0.9 V";
    cbTempSel.move(742, 68, 160, 22);
    cbTempSel.Click = [this] { cbTempSel_Click(); };

    // Pages.
    SSTab1.setTabs(
        {"Config 00-4F", "User 50-7F", "Status/Results 80-AF", "Test B0-C5", "Readings", "Thermistor Table"});
    SSTab1.move(6, 98, 998, 496);

    // Register map.
    for (const RegisterPage& page : kRegisterPages) {
        for (int i = page.first; i <= page.last; ++i) {
            const int row = (i - page.first) % kRowsPerColumn;
            const int x = 6 + (i - page.first) / kRowsPerColumn * kColumnWidth;
            const int y = 8 + row * kRowPitch;
            auto& addr = lblRegAddr.add(i);
            addr.Caption = usb::ByteToHex2(static_cast<std::uint8_t>(i));
            addr.setContainer(&SSTab1, page.page);
            addr.move(x, y + 2, 22, 18);
            auto& name = RegName.add(i);
            name.setContainer(&SSTab1, page.page);
            name.move(x + 24, y + 2, 124, 18);
            auto& box = tbRegdata.add(i);
            box.Text = registerDesignText(i);
            box.setContainer(&SSTab1, page.page);
            box.move(x + 150, y, 30, 19);
            auto& r = cbRead.add(i);
            r.Caption = "R";
            r.ToolTipText = "Read register " + vb::Hex(i);
            r.setContainer(&SSTab1, page.page);
            r.move(x + 182, y, 26, 19);
            r.Click = [this, i] { cbRead_Click(i); };
            auto& w = cbWrite.add(i);
            w.Caption = "W";
            w.ToolTipText = "Write register " + vb::Hex(i);
            w.setContainer(&SSTab1, page.page);
            w.move(x + 210, y, 26, 19);
            w.Click = [this, i] { cbWrite_Click(i); };
        }
    }
    // Names of addresses past the map exist for the table's sake only.
    for (int i = chipreg::kLastRegister + 1; i < kRegNameCount; ++i)
        RegName.add(i).Visible = false;

    // Readings: three columns of nine.
    for (int i = 0; i < static_cast<int>(kReadingCaptions.size()); ++i) {
        const int x = 10 + (i / 9) * 250;
        const int y = 10 + (i % 9) * 26;
        auto& label = CELL.add(i);
        label.Caption = kReadingCaptions[static_cast<std::size_t>(i)];
        label.setContainer(&SSTab1, kPageReadings);
        label.move(x, y + 2, 90, 18);
        auto& box = VCELL.add(i);
        box.Text = i == 21 ? "1.0" : "0";
        box.setContainer(&SSTab1, kPageReadings);
        box.move(x + 94, y, 80, 22);
    }
    VCELL[21].ToolTipText = "Shunt resistance in milliohms";
    cmdISetup.Caption = "Save Shunt";
    cmdISetup.ToolTipText = "Save the shunt value to Current_Sense.txt";
    cmdISetup.setContainer(&SSTab1, kPageReadings);
    cmdISetup.move(10 + 2 * 250 + 178, 10 + 3 * 26 - 2, 70, 24);
    cmdISetup.Click = [this] { cmdISetup_Click(); };

    FrUcControl.Caption = "uC Control (0x87)";
    FrUcControl.setContainer(&SSTab1, kPageReadings);
    FrUcControl.move(10, 250, 240, 56);
    auto& scanBox = cbuCControl4.add(chipreg::bitNumber(chipreg::kUcScan));
    scanBox.Caption = "uC Does Scan";
    scanBox.ToolTipText = "Sets uC does scan bit.";
    scanBox.setContainer(&FrUcControl);
    scanBox.move(10, 22, 200, 22);
    scanBox.Click = [this] { cbuCControl4_Click(chipreg::bitNumber(chipreg::kUcScan)); };

    // Thermistor table: two columns of seventeen.
    for (int i = 0; i < static_cast<int>(kThermistorVolts.size()); ++i) {
        const int x = 10 + (i / 17) * 200;
        const int y = 10 + (i % 17) * 24;
        auto& temp = ArrayTemp.add(i);
        temp.Text = vb::CStr(-40 + 5 * i);
        temp.setContainer(&SSTab1, kPageThermistor);
        temp.move(x, y, 50, 21);
        auto& volts = ArrayVolts.add(i);
        volts.Text = kThermistorVolts[static_cast<std::size_t>(i)];
        volts.setContainer(&SSTab1, kPageThermistor);
        volts.move(x + 56, y, 70, 21);
    }
}

}  // namespace chip
