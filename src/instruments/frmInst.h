#pragma once
// The bench instrument station: the instrument configuration file and the
// panels of the counter, the supply, the meters, the source-measure units and
// the switch unit, each on its tab.
#include <cstdint>
#include <string>
#include <string_view>

#include "instruments/CounterLog.h"
#include "instruments/MeterReadings.h"
#include "instruments/SourceMeasureState.h"
#include "program/ProgramForm.h"

namespace instruments {

// The source-measure and meter panels of the form.
inline constexpr int kSourceMeasurePanels = 5;
inline constexpr int kMeterPanels = 9;

class frmInst : public ProgramForm {
public:
    explicit frmInst(Program& program);
    ~frmInst() override;

    // Reads the configuration file named by cdldialog into Grid1 and the panels.
    void Read_Instrument_FIle();
    void cmdloadInstConfig_Click();

    // The GPIB conventions every panel follows (frmInstGpib.cpp).
    // The number at the start of an address box, rounded halves to even; 0 without one.
    static std::int16_t unitAddress(const ui::TextBox& box);
    // Opens a unit while its table element holds -5 (a failed open shows the
    // notice with openFailure unless it is empty, and the element keeps what
    // the open returned), then makes it CurrentDevice.
    void selectUnit(std::int16_t& unit, std::int16_t address, std::string_view openFailure);
    // A new unit descriptor for the address on board 0 (3 s time-out, EOI on writes).
    std::int16_t openUnit(std::int16_t address);
    // Writes a command to CurrentDevice as it is; a failure ends the program.
    void writeCommand(std::string_view command);
    // The same to a given unit.
    void writeCommandTo(std::int16_t unit, std::string_view command);
    // A write whose status nobody tests.
    void writeUntested(std::int16_t unit, std::string_view command);
    // Device clear of CurrentDevice; a failure ends the program with failure.
    void clearUnit(std::string_view failure);
    // Reads from unit into GpibReadBuffer; a failure ends the program. The
    // reply is what arrived less the unit's line end of lineEnd characters.
    // A message longer than the buffer is read to its end: the reply is the
    // buffer full, and nothing of the message is left for the next read.
    std::string readReply(std::int16_t unit, int lineEnd);
    // Line ends of the units' replies: a line feed (SCPI units, switch unit),
    // carriage return and line feed (meters, source-measure units).
    static constexpr int kLineFeed = 1;
    static constexpr int kCrLf = 2;

    ui::TabControl SSTab1{*this, "SSTab1"};

    // Tab 0: instrument configuration.
    ui::Frame frInstConfig{*this, "frInstConfig"};
    ui::CommandButton cmdloadInstConfig{*this, "cmdloadInstConfig"};
    ui::Label lblInstConfigFIle{*this, "lblInstConfigFIle"};
    ui::Frame frInstruments{*this, "frInstruments"};
    ui::Grid Grid1{*this, "Grid1"};
    ui::CommonDialog cdldialog{*this, "cdldialog"};

    // Tab 1: source-measure units.
    ui::Frame FrVI1{*this, "FrVI1"};
    ui::ControlArray<ui::Frame> FrVIContol{*this, "FrVIContol"};
    ui::ControlArray<ui::Label> lblVIAddress{*this, "lblVIAddress"};
    ui::ControlArray<ui::TextBox> txtVIAddress{*this, "txtVIAddress"};
    ui::ControlArray<ui::Label> lblVIVSourceVolts{*this, "lblVIVSourceVolts"};
    ui::ControlArray<ui::TextBox> txtVIVSourceVolts{*this, "txtVIVSourceVolts"};
    ui::ControlArray<ui::Label> lblVIILimit{*this, "lblVIILimit"};
    ui::ControlArray<ui::TextBox> txtVIILimit{*this, "txtVIILimit"};
    ui::ControlArray<ui::Label> lblVIVSourceCurrent{*this, "lblVIVSourceCurrent"};
    ui::ControlArray<ui::TextBox> txtVIVSourceCurrent{*this, "txtVIVSourceCurrent"};
    ui::ControlArray<ui::Label> lblVIVLimit{*this, "lblVIVLimit"};
    ui::ControlArray<ui::TextBox> txtVIVLimit{*this, "txtVIVLimit"};
    ui::ControlArray<ui::CommandButton> cmdSetVIMODE{*this, "cmdSetVIMODE"};
    ui::ControlArray<ui::Shape> ShpVIMode{*this, "ShpVIMode"};
    ui::ControlArray<ui::Label> lblVIMode{*this, "lblVIMode"};
    ui::ControlArray<ui::CommandButton> cmdSetIVMODE{*this, "cmdSetIVMODE"};
    ui::ControlArray<ui::Shape> ShpIVMode{*this, "ShpIVMode"};
    ui::ControlArray<ui::Label> lblIVMode{*this, "lblIVMode"};
    ui::ControlArray<ui::CommandButton> cmdVIDOMeas{*this, "cmdVIDOMeas"};
    ui::ControlArray<ui::CommandButton> cmdVIOperate{*this, "cmdVIOperate"};
    ui::ControlArray<ui::Label> lblVIMeasureA{*this, "lblVIMeasureA"};
    ui::ControlArray<ui::Label> lblVIMeasureB{*this, "lblVIMeasureB"};
    ui::ControlArray<ui::Label> lbVIlControlString{*this, "lbVIlControlString"};
    ui::ControlArray<ui::TextBox> TXTlbVIlControlString{*this, "TXTlbVIlControlString"};
    ui::Frame FrSetVi1V{*this, "FrSetVi1V"};
    ui::ControlArray<ui::TextBox> txtVI1V{*this, "txtVI1V"};
    ui::ControlArray<ui::TextBox> txtVI1VCmd{*this, "txtVI1VCmd"};
    ui::ControlArray<ui::CommandButton> cmdSetVI1V{*this, "cmdSetVI1V"};
    ui::Frame Frame1{*this, "Frame1"};
    ui::ControlArray<ui::TextBox> txtVI228String{*this, "txtVI228String"};
    ui::ControlArray<ui::CommandButton> cmdSendString{*this, "cmdSendString"};
    ui::CommandButton cmdVIsOFf{*this, "cmdVIsOFf"};

    // Tab 2: meters.
    ui::Frame FrVM{*this, "FrVM"};
    ui::ControlArray<ui::Frame> frDVMSet{*this, "frDVMSet"};
    ui::ControlArray<ui::Label> lblDVMAddress{*this, "lblDVMAddress"};
    ui::ControlArray<ui::TextBox> txtDVMAddress{*this, "txtDVMAddress"};
    ui::ControlArray<ui::Label> lblDVMRange{*this, "lblDVMRange"};
    ui::ControlArray<ui::Label> lblDVMDigits{*this, "lblDVMDigits"};
    ui::ControlArray<ui::CommandButton> cmdDVMSetDC{*this, "cmdDVMSetDC"};
    ui::ControlArray<ui::TextBox> txtDCRange{*this, "txtDCRange"};
    ui::ControlArray<ui::TextBox> txtDCDigits{*this, "txtDCDigits"};
    ui::ControlArray<ui::Shape> ShpDVMDCMode{*this, "ShpDVMDCMode"};
    ui::ControlArray<ui::CommandButton> cmdDVMSetAC{*this, "cmdDVMSetAC"};
    ui::ControlArray<ui::TextBox> txtACRange{*this, "txtACRange"};
    ui::ControlArray<ui::TextBox> txtACDigits{*this, "txtACDigits"};
    ui::ControlArray<ui::Shape> ShpDVMACMode{*this, "ShpDVMACMode"};
    ui::ControlArray<ui::CommandButton> cmdDVMSetOhm{*this, "cmdDVMSetOhm"};
    ui::ControlArray<ui::TextBox> txtOhmRange{*this, "txtOhmRange"};
    ui::ControlArray<ui::TextBox> txtOhmDigits{*this, "txtOhmDigits"};
    ui::ControlArray<ui::Shape> ShpDVMOhmMode{*this, "ShpDVMOhmMode"};
    ui::ControlArray<ui::CommandButton> cmdDVMGetMeas{*this, "cmdDVMGetMeas"};
    ui::ControlArray<ui::Label> lblDVMReading{*this, "lblDVMReading"};
    ui::ControlArray<ui::Label> lblDVMControlString{*this, "lblDVMControlString"};

    // Tab 3: supply and switch unit.
    ui::Frame FrAuxPS{*this, "FrAuxPS"};
    ui::Label lblAuxPSAdr{*this, "lblAuxPSAdr"};
    ui::TextBox txtAuxPSAdr{*this, "txtAuxPSAdr"};
    ui::TextBox txtAuxPSInit{*this, "txtAuxPSInit"};
    ui::CommandButton cmdInitAuxPS{*this, "cmdInitAuxPS"};
    ui::ListBox ReadingsListAuxPS{*this, "ReadingsListAuxPS"};
    ui::Frame FrAuxPSCommand{*this, "FrAuxPSCommand"};
    ui::ControlArray<ui::TextBox> txtAuxPSCommand{*this, "txtAuxPSCommand"};
    ui::CommandButton cmdSendAuxPSCommand{*this, "cmdSendAuxPSCommand"};
    ui::CommandButton cmdClearRdgAuxPS{*this, "cmdClearRdgAuxPS"};
    ui::CommandButton cmdAuxPSRdOnly{*this, "cmdAuxPSRdOnly"};
    ui::Label lblLastReadingAuxPS{*this, "lblLastReadingAuxPS"};
    ui::ListBox ReadingsListAuxPS_2{*this, "ReadingsListAuxPS_2"};
    ui::Frame fr3488{*this, "fr3488"};
    ui::Label lblSWRADR{*this, "lblSWRADR"};
    ui::TextBox txtSWRADR{*this, "txtSWRADR"};
    ui::TextBox txtHP3488Initcmd{*this, "txtHP3488Initcmd"};
    ui::CommandButton cmdSWINIT{*this, "cmdSWINIT"};
    ui::Label lbl3488ID{*this, "lbl3488ID"};
    ui::Frame FrCrd1{*this, "FrCrd1"};
    ui::Frame FrSlot1a{*this, "FrSlot1a"};
    ui::ControlArray<ui::OptionButton> OptS1A{*this, "OptS1A"};
    ui::Frame FrSlot1b{*this, "FrSlot1b"};
    ui::ControlArray<ui::OptionButton> OptS1B{*this, "OptS1B"};
    ui::ControlArray<ui::CommandButton> cmdSWUpdate{*this, "cmdSWUpdate"};

    // Tab 4: counter.
    ui::Frame frCounter{*this, "frCounter"};
    ui::Label lblAdr53131{*this, "lblAdr53131"};
    ui::TextBox txtAdr53131{*this, "txtAdr53131"};
    ui::ControlArray<ui::TextBox> txt53131Init{*this, "txt53131Init"};
    ui::CommandButton cmd53141Init{*this, "cmd53141Init"};
    ui::ListBox ReadingsList53131_1{*this, "ReadingsList53131_1"};
    ui::Frame frCounterCommands{*this, "frCounterCommands"};
    ui::ControlArray<ui::TextBox> txt53131Command{*this, "txt53131Command"};
    ui::ControlArray<ui::CommandButton> cmd53131_2{*this, "cmd53131_2"};
    ui::ControlArray<ui::TextBox> txt53131CmdStats{*this, "txt53131CmdStats"};
    ui::ControlArray<ui::TextBox> txt53131CmdRead{*this, "txt53131CmdRead"};
    ui::CommandButton xms53131_4{*this, "xms53131_4"};
    ui::ControlArray<ui::Label> lblCounter1Read{*this, "lblCounter1Read"};
    ui::Frame frCounterTimer{*this, "frCounterTimer"};
    ui::ControlArray<ui::CommandButton> cmdStartTimer{*this, "cmdStartTimer"};
    ui::ListBox ReadingsList53131_2{*this, "ReadingsList53131_2"};
    ui::Timer TimerFreq{*this, "TimerFreq", 2000, false};
    // Polling runs for days: the readings list keeps its most recent lines, not every one.
    static constexpr int kCounterListLines = 10000;

    // Counter (frmInstCounter.cpp).
    void cmd53141Init_Click();
    void cmd53131_2_Click(int Index);
    void xms53131_4_Click();
    void cmdStartTimer_Click(int Index);
    void TimerFreq_Timer();
    CounterLog counter;

    // Supply (frmInstSupply.cpp).
    void cmdInitAuxPS_Click();
    void cmdSendAuxPSCommand_Click();
    void cmdClearRdgAuxPS_Click();
    void cmdAuxPSRdOnly_Click();

    // Meters, by panel index (frmInstMeters.cpp).
    void cmdDVMSetDC_Click(int i);
    void cmdDVMSetAC_Click(int i);
    void cmdDVMSetOhm_Click(int i);
    void cmdDVMGetMeas_Click(int i);
    MeterReadings meters;

    // Source-measure units, by panel index (frmInstSourceMeasure.cpp).
    void cmdSetVIMODE_Click(int i);
    void cmdSetIVMODE_Click(int i);
    void cmdVIDOMeas_Click(int i);
    void cmdVIOperate_Click(int i);
    void cmdSetVI1V_Click(int r);
    void cmdSendString_Click(int k);
    void cmdVIsOFf_Click();
    SourceMeasureState vi;

    // Switch unit (frmInstSwitch.cpp).
    void cmdSWINIT_Click();
    void cmdSWUpdate_Click(int g);
    void OptS1A_Click(int c);
    void OptS1B_Click(int c);

protected:
    void Form_Load() override;

private:
    // Adds a line at the end of a readings list and shows it at once: the
    // handler's next bus call may wait out the time-out before it returns.
    static void showLine(ui::ListBox& list, std::string line);

    // The GPIB error reports of the panels: the fatal one ends the program.
    [[noreturn]] void ShowGpibError(std::string_view text);
    void ShowOpenFailure(std::string_view text);

    // Design controls of each tab (frmInstLayout.cpp).
    void layoutConfigTab();
    void layoutSourceMeasureTab();
    void layoutMeterTab();
    void layoutSupplySwitchTab();
    void layoutCounterTab();

    // Handlers of each tab's controls.
    void connectCounter();
    void connectSupply();
    void connectMeters();
    void connectSourceMeasure();
    void connectSwitch();

    // One set-up of a meter panel, for the function of one row of buttons.
    struct MeterFunction;
    static const MeterFunction kDcVolts, kAcVolts, kOhms;
    void setUpMeter(int i, const MeterFunction& fn);
    // Source-measure helpers.
    void openSourceMeasure(int i);
    void showMode(int i, ui::ControlArray<ui::Shape>& lit);
    void showOutput(int i, bool on);
    void armOutput(int i);

    // The grid as each load sets it up (frmInstConfig.cpp).
    void resetGrid();
    // Address boxes and frame captions from the grid's rows.
    void applyGridToPanels();

    // File number of the configuration file while it is open, else 0.
    int configFile_ = 0;
};

}  // namespace instruments
