#pragma once
// The bench instrument station: the instrument configuration file and the
// panels of the counter, the supply, the meters, the source-measure units and
// the switch unit, each on its tab.
#include <cstdint>
#include <string>
#include <string_view>

#include "program/ProgramForm.h"

namespace instruments {

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
    // Writes a command to CurrentDevice as it is; a failure ends the program.
    void writeCommand(std::string_view command);
    // Reads from unit into GpibReadBuffer; a failure ends the program. The
    // reply is what arrived less the unit's line end of lineEnd characters.
    std::string readReply(std::int16_t unit, int lineEnd);

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

protected:
    void Form_Load() override;

private:
    // The GPIB error reports of the panels: the fatal one ends the program.
    [[noreturn]] void ShowGpibError(std::string_view text);
    void ShowOpenFailure(std::string_view text);

    // Design controls of each tab (frmInstLayout.cpp).
    void layoutConfigTab();
    void layoutSourceMeasureTab();
    void layoutMeterTab();
    void layoutSupplySwitchTab();
    void layoutCounterTab();

    // The grid as each load sets it up (frmInstConfig.cpp).
    void resetGrid();
    // Address boxes and frame captions from the grid's rows.
    void applyGridToPanels();

    // File number of the configuration file while it is open, else 0.
    int configFile_ = 0;
};

}  // namespace instruments
