#pragma once
// The chip main form: the register map and memory modes (definitions in
// chip/config/), and the readings, scan and control side (chip/monitor/).
#include <cstdint>
#include <string>

#include "program/ProgramForm.h"
#include "regmap/ChipRegisters.h"

namespace chip {

// The form's table of register names has 257 entries; the rows show 0x00 to 0xC5.
inline constexpr int kRegNameCount = 257;

// Pages of the form's tab control.
enum MainPage : int { kPageConfig = 0, kPageUser, kPageStatus, kPageTest, kPageReadings, kPageThermistor };

class KVN58C3_Main : public ProgramForm {
public:
    explicit KVN58C3_Main(Program& program);
    ~KVN58C3_Main() override;

    // ---- Register side (definitions in chip/config/) ----

    // Menus.
    ui::Menu mnuabout{*this, "mnuabout", "About"};
    ui::Menu mnuPower{*this, "mnuPower", "I2C SDA / Control"};
    ui::Menu mnuEnableI2C{*this, "mnuEnableI2C", "Enable I2C", &mnuPower};
    ui::Menu mnuDisableI2C{*this, "mnuDisableI2C", "Disable I2C", &mnuPower};
    ui::Menu mnumainshow{*this, "mnumainshow", "Show Basic Comm Form"};

    // Pages: register map, readings, thermistor table (the monitoring side adds its own).
    ui::TabControl SSTab1{*this, "SSTab1"};

    // Register map, one row per register 0x00 to 0xC5.
    ui::ControlArray<ui::Label> lblRegAddr{*this, "lblRegAddr"};
    ui::ControlArray<ui::Label> RegName{*this, "RegName"};  // 0 to 256; the rows show 0 to 0xC5
    ui::ControlArray<ui::TextBox> tbRegdata{*this, "tbRegdata"};
    ui::ControlArray<ui::CommandButton> cbRead{*this, "cbRead"};
    ui::ControlArray<ui::CommandButton> cbWrite{*this, "cbWrite"};

    // I2C state, acknowledge indicator, memory modes and block transfers.
    ui::Frame FrI2C{*this, "FrI2C"};
    ui::Frame FrNak{*this, "FrNak"};
    ui::Shape ShpNak{*this, "ShpNak"};
    ui::Frame FrMemory{*this, "FrMemory"};
    ui::CommandButton cbRAMEnable{*this, "cbRAMEnable"};
    ui::CommandButton cbEEPROMEnable{*this, "cbEEPROMEnable"};
    ui::CommandButton cbTRIMEnable{*this, "cbTRIMEnable"};
    ui::CommandButton cbTrimEEEnable{*this, "cbTrimEEEnable"};
    ui::CommandButton cbReadAllRAM{*this, "cbReadAllRAM"};
    ui::CommandButton cbReadPack{*this, "cbReadPack"};
    ui::CommandButton cbWritePack{*this, "cbWritePack"};
    ui::CommandButton cmdRestoreDefaults{*this, "cmdRestoreDefaults"};
    ui::CommandButton cmdSet8{*this, "cmdSet8"};
    ui::CheckBox cbTempSel{*this, "cbTempSel"};
    ui::CommandButton cbQuit{*this, "cbQuit"};

    // Auto scan controls (the tick itself is on the monitoring side).
    ui::CommandButton cbAutoScan{*this, "cbAutoScan"};
    ui::ComboBox cbAutorate{*this, "cbAutorate"};
    ui::Timer Timer2{*this, "Timer2", 0, true};
    ui::CheckBox ChkSyncuPdoescan{*this, "ChkSyncuPdoescan"};
    ui::Frame FrUcControl{*this, "FrUcControl"};
    ui::ControlArray<ui::CheckBox> cbuCControl4{*this, "cbuCControl4"};

    // Readings: VCELL 0 to 26 (21 is the shunt in milliohms), shunt save button.
    ui::ControlArray<ui::TextBox> VCELL{*this, "VCELL"};
    ui::ControlArray<ui::Label> CELL{*this, "CELL"};
    ui::CommandButton cmdISetup{*this, "cmdISetup"};

    // Thermistor table: volts descending for -40 to 125 degrees C in 5-degree steps.
    ui::ControlArray<ui::TextBox> ArrayVolts{*this, "ArrayVolts"};
    ui::ControlArray<ui::TextBox> ArrayTemp{*this, "ArrayTemp"};

    // Single register transfers through the register image.
    void cbRead_Click(int Index);
    void cbWrite_Click(int Index);
    // Read-modify-write of one bit through the register image.
    void writeRegisterBit(int reg, int bit, bool set);

    // Memory modes of register 0x89.
    void cbEnableRAM();
    void SetTrimAccess(int x);
    void cbRAMEnable_Click();
    void cbEEPROMEnable_Click();
    void cbTRIMEnable_Click();
    void cbTrimEEEnable_Click();

    // Block transfers and settings.
    void cbReadAllRAM_Click();
    void cbReadPack_Click();
    void cbWritePack_Click();
    void cmdRestoreDefaults_Click();
    void cmdSet8_Click();
    void cbTempSel_Click();

    // Shunt file "Current_Sense.txt".
    void loadShuntValue();
    void cmdISetup_Click();

    // Auto scan start/stop and rate.
    void cbAutoScan_Click();
    void cbAutorate_Change();
    void ChkSyncuPdoescan_Click();
    void cbuCControl4_Click(int Index);

    // Waits, letting events run.
    void Wait_Time(double seconds);

    // Menus, quit and form end.
    void mnuEnableI2C_Click();
    void mnuDisableI2C_Click();
    void mnuabout_Click();
    void mnumainshow_Click();
    void cbQuit_Click();

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    // Control placement and event wiring of the register side.
    void buildRegisterSide();
    // Start of a single register transfer: waits for I2CBusy (clearing it by
    // force after 2 ms) and takes it; false, the lock released, when there is
    // no such register or no board ("USB Device not connected!").
    bool beginRegisterTransfer(int Index);
    // End of it: the acknowledge indicator, the lock released, pending events, the trace line.
    void endRegisterTransfer(int status, const char* what, int Index);
    // The four memory-mode buttons to button face, then the chosen one selected.
    void selectModeButton(ui::CommandButton& selected);
    // Switches I2C on when it is off, marks the button and writes text to 0x89.
    void writeMemoryMode(ui::CommandButton& modeButton, const std::string& text);
    // Reads or writes every register of a range through the single transfers.
    void readRange(int first, int last);
    void writeRange(int first, int last);
    // A pack transfer of the configuration registers, the button captioned "Busy" meanwhile.
    void packTransfer(ui::CommandButton& button, void (KVN58C3_Main::*transfer)(int, int));
    // Timer2's interval from the rate box, in ms.
    int autoRateInterval() const;

public:
    // ---- Monitoring side (definitions in chip/monitor/) ----
    // The single-scan button; the auto scan disables it while running.
    ui::CommandButton cbReadV{*this, "cbReadV"};
    void cbReadV_Click();
    void Update_FETs();
    // Placement and wiring of the monitoring controls (the constructor calls
    // it after the register side) and their load steps (Form_Load calls it last).
    void buildMonitorSide();
    void loadMonitorSide();

    // Status indicators: LED(8 x (register - 0x80) + bit) for 0x80 to 0x83, captions beside them.
    ui::Frame FrStatusBits{*this, "FrStatusBits"};
    ui::ControlArray<ui::Shape> LED{*this, "LED"};
    ui::ControlArray<ui::Label> Label{*this, "Label"};
    ui::CommandButton ReadStatus{*this, "ReadStatus"};
    ui::CheckBox ChkPoweStatus{*this, "ChkPoweStatus"};
    // FET drivers of 0x86.
    ui::Frame FrFets{*this, "FrFets"};
    ui::CommandButton cbPCFET{*this, "cbPCFET"};
    ui::CommandButton cbCFET{*this, "cbCFET"};
    ui::CommandButton cbDFET{*this, "cbDFET"};
    // Cell rows 3 to 10: bar, highest/lowest marker and unit beside each VCELL box.
    ui::ControlArray<ui::ProgressBar> ProgressBar1{*this, "ProgressBar1"};
    ui::ControlArray<ui::Shape> MinMax{*this, "MinMax"};
    ui::ControlArray<ui::Label> CELL1{*this, "CELL1"};
    // Cell-balance indicators, one per bit of 0x84.
    ui::Frame FrBalance{*this, "FrBalance"};
    ui::ControlArray<ui::Shape> cbLED{*this, "cbLED"};
    ui::ControlArray<ui::Label> lblBalance{*this, "lblBalance"};
    // Synchronisation with the chip's own scan.
    ui::ControlArray<ui::Shape> LEDSync{*this, "LEDSync"};
    ui::Timer TimerSync{*this, "TimerSync", 2000, false};
    ui::CommandButton cmdAbortSync{*this, "cmdAbortSync"};
    // Recording log on file number 1.
    ui::CommandButton cbRecord{*this, "cbRecord"};
    ui::CommonDialog CommonDialog1{*this, "CommonDialog1"};

    void ReadStatus_Click();
    void Timer2_Timer();
    void TimerSync_Timer();
    void cmdAbortSync_Click();
    void cbRecord_Click();

    // True while a scan waits for the chip's own scan to end.
    bool SyncRun = false;
    // True when the last wait was ended by TimerSync.
    bool SyncTimeout = false;

private:
    // A register's value from the register image (its text read as hex).
    long regValue(int addr) const;
    // A 16-bit reading from the register image: the pair at lo (low byte) and lo + 1.
    double regPair(int lo) const;
    void paintStatusIndicators();
    void paintFets();
    void selectRamModeButtons();
    // Steps of one scan.
    void scanChip();
    // The optional wait for the chip's own scan, then the time-out's red and pause.
    void syncWithChipScan(std::uint8_t* buffer, std::uint8_t* address);
    void waitForChipScan(std::uint8_t* buffer, std::uint8_t* address);
    // Reads count registers from first; the first kept of them go into the register image.
    void blockRead(std::uint8_t first, std::uint8_t count, int kept, std::uint8_t* buffer, std::uint8_t* address);
    void showCells();
    void showCellRows();
    void showCurrentAndTemperatures();
    void showPackAndSum();
    void writeRecordLine();
    void placeMonitorControls();
    // ---- end of monitoring side ----
};

}  // namespace chip
