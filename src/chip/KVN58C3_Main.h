#pragma once
// The chip main form: its controls and handlers, grouped by concern. Each
// concern's handlers, control placement and helpers live in the file named
// in its group (see README.md); state of one concern lives in the object it owns.
#include <cstdint>
#include <string>

#include "chip/AutoScan.h"
#include "chip/DataCollection.h"
#include "chip/RegisterImage.h"
#include "chip/Thermistor.h"
#include "program/ProgramForm.h"
#include "regmap/ChipRegisters.h"

namespace chip {

// The form's table of register names has 257 entries; the rows show 0x00 to 0xC5.
inline constexpr int kRegNameCount = 257;

// Pages of the form's tab control.
enum MainPage : int {
    kPageConfig = 0,
    kPageUser,
    kPageStatus,
    kPageTest,
    kPageReadings,
    kPageThermistor,
    kPageControl,  // analog monitor, data collection, control bits
    kPageDemo,  // test-mode forcing
};

class KVN58C3_Main : public ProgramForm {
public:
    explicit KVN58C3_Main(Program& program);
    ~KVN58C3_Main() override;

    // ---- Menus, I2C switching and form end: Menus.cpp ----
    ui::Menu mnuabout{*this, "mnuabout", "About"};
    ui::Menu mnuPower{*this, "mnuPower", "I2C SDA / Control"};
    ui::Menu mnuEnableI2C{*this, "mnuEnableI2C", "Enable I2C", &mnuPower};
    ui::Menu mnuDisableI2C{*this, "mnuDisableI2C", "Disable I2C", &mnuPower};
    ui::Menu mnumainshow{*this, "mnumainshow", "Show Basic Comm Form"};
    ui::Menu mnuDataACQ{*this, "mnuDataACQ", "Internal AD Utility"};

    // Pages: register map, readings, thermistor table (KVN58C3_Main.cpp).
    ui::TabControl SSTab1{*this, "SSTab1"};

    // ---- Register access: RegisterAccess.cpp, names in RegisterNames.h ----
    // Register map, one row per register 0x00 to 0xC5; tbRegdata is the register image.
    ui::ControlArray<ui::Label> lblRegAddr{*this, "lblRegAddr"};
    ui::ControlArray<ui::Label> RegName{*this, "RegName"};  // 0 to 256; the rows show 0 to 0xC5
    ui::ControlArray<ui::TextBox> tbRegdata{*this, "tbRegdata"};
    RegisterImage registerImage{tbRegdata};  // the values of tbRegdata's texts
    ui::ControlArray<ui::CommandButton> cbRead{*this, "cbRead"};
    ui::ControlArray<ui::CommandButton> cbWrite{*this, "cbWrite"};
    // I2C state and acknowledge indicator.
    ui::Frame FrI2C{*this, "FrI2C"};
    ui::Frame FrNak{*this, "FrNak"};
    ui::Shape ShpNak{*this, "ShpNak"};

    // ---- Memory modes of 0x89: MemoryModes.cpp ----
    ui::Frame FrMemory{*this, "FrMemory"};
    ui::CommandButton cbRAMEnable{*this, "cbRAMEnable"};
    ui::CommandButton cbEEPROMEnable{*this, "cbEEPROMEnable"};
    ui::CommandButton cbTRIMEnable{*this, "cbTRIMEnable"};
    ui::CommandButton cbTrimEEEnable{*this, "cbTrimEEEnable"};

    // ---- Register blocks and settings shortcuts: RegisterBlocks.cpp ----
    ui::CommandButton cbReadAllRAM{*this, "cbReadAllRAM"};
    ui::CommandButton cbReadPack{*this, "cbReadPack"};
    ui::CommandButton cbWritePack{*this, "cbWritePack"};
    ui::CommandButton cmdRestoreDefaults{*this, "cmdRestoreDefaults"};
    ui::CommandButton cmdSet8{*this, "cmdSet8"};
    ui::CheckBox cbTempSel{*this, "cbTempSel"};
    // Menus.cpp
    ui::CommandButton cbQuit{*this, "cbQuit"};
    ui::CommandButton cmdADUtil{*this, "cmdADUtil"};  // the A/D form, as the menu

    // ---- Auto scan and synchronisation: AutoScan.cpp ----
    ui::CommandButton cbAutoScan{*this, "cbAutoScan"};
    ui::ComboBox cbAutorate{*this, "cbAutorate"};
    ui::Timer Timer2{*this, "Timer2", 0, true};
    ui::CheckBox ChkSyncuPdoescan{*this, "ChkSyncuPdoescan"};

    // ---- Microcontroller control bits: ControlBits.cpp ----
    ui::Frame FrUcControl{*this, "FrUcControl"};
    ui::ControlArray<ui::CheckBox> cbuCControl4{*this, "cbuCControl4"};  // 0x87, index = bit

    // ---- Measurement scan: MeasurementScan.cpp ----
    // Readings: VCELL, indexed by chip::reading::Box (ReadingBoxes.h).
    ui::ControlArray<ui::TextBox> VCELL{*this, "VCELL"};
    ui::ControlArray<ui::Label> CELL{*this, "CELL"};
    // Column captions of the temperature rows: "Volts/LMT", "TGAINV", "DegC".
    ui::ControlArray<ui::Label> TempColumn{*this, "TempColumn"};
    ui::CommandButton cmdISetup{*this, "cmdISetup"};

    // ---- Thermistor table: ThermistorTable.cpp ----
    // Volts descending for -40 to 125 degrees C in 5-degree steps.
    ui::ControlArray<ui::TextBox> ArrayVolts{*this, "ArrayVolts"};
    ui::ControlArray<ui::TextBox> ArrayTemp{*this, "ArrayTemp"};
    mutable ThermistorTableCache thermistorCache;

    // ---- Measurement scan: MeasurementScan.cpp ----
    // The single-scan button; the auto scan disables it while running.
    ui::CommandButton cbReadV{*this, "cbReadV"};

    // ---- Status indicators and FET buttons: StatusIndicators.cpp ----
    // LED(8 x (register - 0x80) + bit) for 0x80 to 0x83, captions beside them.
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

    // ---- Measurement scan: MeasurementScan.cpp ----
    // Cell rows 3 to 10: bar, highest/lowest marker and unit beside each VCELL box.
    ui::ControlArray<ui::ProgressBar> ProgressBar1{*this, "ProgressBar1"};
    ui::ControlArray<ui::Shape> MinMax{*this, "MinMax"};
    ui::ControlArray<ui::Label> CELL1{*this, "CELL1"};

    // ---- Microcontroller control bits: ControlBits.cpp ----
    // Cell-balance indicators, one per bit of 0x84.
    ui::Frame FrBalance{*this, "FrBalance"};
    ui::ControlArray<ui::Shape> cbLED{*this, "cbLED"};
    ui::ControlArray<ui::Label> lblBalance{*this, "lblBalance"};

    // ---- Auto scan and synchronisation: AutoScan.cpp ----
    ui::ControlArray<ui::Shape> LEDSync{*this, "LEDSync"};
    ui::Timer TimerSync{*this, "TimerSync", 2000, false};
    ui::CommandButton cmdAbortSync{*this, "cmdAbortSync"};

    // ---- Recording log on file number 1: RecordLog.cpp ----
    ui::CommandButton cbRecord{*this, "cbRecord"};
    ui::CommonDialog CommonDialog1{*this, "CommonDialog1"};

    // ---- Control bits of 0x84, 0x86, 0x87 and 0x88: ControlBits.cpp ----
    // (cbuCControl4 and its frame above; index = bit in every array)
    ui::Frame FrCellBalanceBits{*this, "FrCellBalanceBits"};
    ui::ControlArray<ui::CheckBox> cbuCControl1{*this, "cbuCControl1"};  // 0x84
    ui::Frame FrMonitorBits{*this, "FrMonitorBits"};
    ui::ControlArray<ui::CheckBox> cbuCControl3{*this, "cbuCControl3"};  // 0x86
    ui::ControlArray<ui::CheckBox> cbuCControl5{*this, "cbuCControl5"};  // 0x88
    ui::ControlArray<ui::CommandButton> cbuCCRefresh{*this, "cbuCCRefresh"};

    // ---- Analog monitor: AnalogMonitor.cpp ----
    // Channel and gain of 0x85, the 14-bit result of 0xAA/0xAB.
    ui::Frame FrAnalogMon{*this, "FrAnalogMon"};
    ui::Label lblVoltageMon{*this, "lblVoltageMon"};
    ui::ComboBox tbVoltageMon{*this, "tbVoltageMon"};
    ui::CommandButton cbWriteVoltMon{*this, "cbWriteVoltMon"};
    ui::CommandButton cbReadVoltMon{*this, "cbReadVoltMon"};
    ui::Label lblCurrentGain{*this, "lblCurrentGain"};
    ui::ComboBox tbCurrentGain{*this, "tbCurrentGain"};
    ui::CommandButton cbWriteCurrentGain{*this, "cbWriteCurrentGain"};
    ui::CommandButton cbReadCurrentGain{*this, "cbReadCurrentGain"};
    ui::Label lblValue{*this, "lblValue"};
    ui::TextBox tbValue{*this, "tbValue"};

    // ---- Data collection and sample files on file number 1: DataCollection.cpp ----
    ui::Frame FrDataCollect{*this, "FrDataCollect"};
    ui::CommandButton cbDataCollect{*this, "cbDataCollect"};
    ui::CommandButton SampleVoltages{*this, "SampleVoltages"};
    ui::Label lblSamples2{*this, "lblSamples2"};
    ui::TextBox tbSamples2{*this, "tbSamples2"};
    ui::Label lblMeasCount{*this, "lblMeasCount"};
    ui::CommandButton cmdAbortDC{*this, "cmdAbortDC"};

    // ---- Test-mode current and fault forcing (demonstration page): Forcing.cpp ----
    ui::Frame FrCurDir{*this, "FrCurDir"};
    ui::ControlArray<ui::OptionButton> cbCurDir{*this, "cbCurDir"};
    ui::CommandButton Command6{*this, "Command6"};
    ui::Frame FrCurErr{*this, "FrCurErr"};
    ui::ControlArray<ui::OptionButton> CbCurErr{*this, "CbCurErr"};
    ui::Label lblCurErrNote{*this, "lblCurErrNote"};
    ui::CommandButton Command7{*this, "Command7"};

    // ---- FET control and FET toggle test (demonstration page): Fets.cpp ----
    // (the FET buttons cbCFET, cbDFET, cbPCFET above)
    ui::CommandButton cmdFetTogSync{*this, "cmdFetTogSync"};
    ui::Frame FrFetCycle{*this, "FrFetCycle"};
    ui::Label lblFetEnables{*this, "lblFetEnables"};
    ui::ControlArray<ui::CheckBox> ChkFetToggle{*this, "ChkFetToggle"};  // the test's steps
    ui::ControlArray<ui::Label> lblFetInterval{*this, "lblFetInterval"};
    ui::ControlArray<ui::TextBox> txtFetInterval{*this, "txtFetInterval"};  // 0 interval, 1 read-status delay
    ui::Frame FrFetGo{*this, "FrFetGo"};
    ui::ControlArray<ui::CommandButton> cmdFetGo{*this, "cmdFetGo"};  // 0 Go, 1 Stop
    ui::ControlArray<ui::Shape> ShpFetDrive{*this, "ShpFetDrive"};  // heartbeat
    ui::Timer TMRDFET{*this, "TMRDFET", 1000, false};
    ui::ControlArray<ui::CommandButton> cmdSetFetControl{*this, "cmdSetFetControl"};  // 0 host, 1 chip

    // ---- Power modes and cell-balance test (demonstration page): PowerModes.cpp ----
    ui::Frame FrPower{*this, "FrPower"};
    ui::ControlArray<ui::OptionButton> cbPower{*this, "cbPower"};  // 0 Idle to 4 None
    ui::CommandButton cmdSetSleep{*this, "cmdSetSleep"};
    ui::Frame FrTestUtil{*this, "FrTestUtil"};
    ui::CommandButton cmdCBTest{*this, "cmdCBTest"};
    ui::CommandButton cmdStopTest{*this, "cmdStopTest"};

    // ---- Handlers and services, by concern ----

    // RegisterAccess.cpp: single transfers through the register image, and a
    // read-modify-write of one bit through it.
    void cbRead_Click(int Index);
    void cbWrite_Click(int Index);
    void writeRegisterBit(int reg, int bit, bool set);
    // A register's value from the register image (its text read as hex).
    long regValue(int addr) const;
    // The value as hex text into the register image, then written.
    void writeRegisterValue(int reg, long value);
    // The same for a register an operation hands back at its end (the host
    // scan bit, say): written also when the operation was abandoned.
    void restoreRegisterValue(int reg, long value);
    // A register read from the chip into its box; the box's text.
    const std::string& readRegister(int reg);

    // AnalogMonitor.cpp, for the A/D form as for this one: the monitor channel
    // the list shows, with the start bit, written; the gain field stays.
    void writeMonitorChannel();
    // The current gain of the list's entry `index` written to the chip.
    void writeCurrentGain(int index);

    // MemoryModes.cpp
    void cbEnableRAM();
    void SetTrimAccess(int x);
    void cbRAMEnable_Click();
    void cbEEPROMEnable_Click();
    void cbTRIMEnable_Click();
    void cbTrimEEEnable_Click();

    // RegisterBlocks.cpp
    void cbReadAllRAM_Click();
    void cbReadPack_Click();
    void cbWritePack_Click();
    void cmdRestoreDefaults_Click();
    void cmdSet8_Click();
    void cbTempSel_Click();

    // ShuntFile.cpp: the shunt reading box saved to "Current_Sense.txt".
    void cmdISetup_Click();

    // AutoScan.cpp
    void cbAutoScan_Click();
    void cbAutorate_Change();
    void ChkSyncuPdoescan_Click();
    void Timer2_Timer();
    void TimerSync_Timer();
    void cmdAbortSync_Click();

    // ControlBits.cpp
    void cbuCControl1_Click(int Index);
    void cbuCControl3_Click(int Index);
    void cbuCControl4_Click(int Index);
    void cbuCControl5_Click(int Index);
    void cbuCCRefresh_Click(int Index);

    // AnalogMonitor.cpp
    void cbWriteVoltMon_Click();
    void cbReadVoltMon_Click();
    void cbWriteCurrentGain_Click();
    void cbReadCurrentGain_Click();
    // Converts tbVoltageMon's channel into tbValue. False when no result was
    // read (refused during an auto scan, or the link failed): tbValue then
    // still holds an earlier result.
    bool convertMonitor();
    // The result pair into tbValue; false when it was not read.
    bool Read_KVN58C3_AD();

    // DataCollection.cpp
    void cbDataCollect_Click();
    void SampleVoltages_Click();
    void cmdAbortDC_Click();

    // Forcing.cpp
    void cbCurDir_Click(int Index);
    void CbCurErr_Click(int Index);
    void Command6_Click();
    void Command7_Click();

    // Fets.cpp
    void cbCFET_Click();
    void cbDFET_Click();
    void cbPCFET_Click();
    void cmdFetTogSync_Click();
    void ChkFetToggle_Click(int Index);
    void cmdFetGo_Click(int Index);
    void TMRDFET_Timer();
    void cmdSetFetControl_Click(int Index);

    // PowerModes.cpp
    void cbPower_Click(int Index);
    void cbPower_LostFocus(int Index);
    void cmdSetSleep_Click();
    void cmdCBTest_Click();
    void cmdStopTest_Click();

    // MeasurementScan.cpp
    void cbReadV_Click();

    // StatusIndicators.cpp
    void ReadStatus_Click();
    void Update_FETs();

    // RecordLog.cpp
    void cbRecord_Click();

    // Menus.cpp
    void mnuEnableI2C_Click();
    void mnuDisableI2C_Click();
    void mnuabout_Click();
    void mnumainshow_Click();
    void mnuDataACQ_Click();
    void cbQuit_Click();

    // KVN58C3_Main.cpp: waits, letting events run.
    void Wait_Time(double seconds);

    // ---- State owned by a concern ----
    AutoScan autoScan{*this};
    DataCollection dataCollection{*this};
    // Register transfers that failed (no board, not acknowledged), counted by
    // RegisterAccess.cpp and the scan, so a handler can tell whether what it
    // shows was read.
    int failedTransfers = 0;

protected:
    void Form_Load() override;  // KVN58C3_Main.cpp
    void Form_Unload(int& Cancel) override;  // Menus.cpp
};

}  // namespace chip
