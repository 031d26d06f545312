#pragma once
// The bridge microcontroller's panel: opens the USB link at its load, offers
// the crossbar, the firmware version and the port pins; closing it ends the program.
#include <cstdint>

#include "program/ProgramForm.h"
#include "regmap/BridgeRegisters.h"

namespace bridge {

// Port pins the panel drives: P0.0 to P2.7, pin index = 8 x port + bit.
inline constexpr int kPortPinCount = 24;

class frmMainF340 : public ProgramForm {
public:
    explicit frmMainF340(Program& program);

    ui::Frame FrConnection{*this, "FrConnection"};
    ui::Label lblStatus{*this, "lblStatus"};
    ui::CommandButton cmdFirmware{*this, "cmdFirmware"};
    ui::Label lblFirmware{*this, "lblFirmware"};

    ui::Frame FrXbar{*this, "FrXbar"};
    ui::ControlArray<ui::CommandButton> cmdEnableXBAR{*this, "cmdEnableXBAR"};  // 0 on, 1 off
    ui::Label lblXbar{*this, "lblXbar"};

    ui::Frame FrPorts{*this, "FrPorts"};
    ui::ControlArray<ui::Label> lblPort{*this, "lblPort"};
    ui::ControlArray<ui::CheckBox> chkPortPin{*this, "chkPortPin"};  // ticked = pin high
    ui::CommandButton cmdWritePorts{*this, "cmdWritePorts"};

    // Index 0 turns the crossbar on, 1 off; XbarEnabled follows what the bridge did.
    void cmdEnableXBAR_Click(int Index);
    void cmdFirmware_Click();
    // Drives ports 0 to 2 to the ticked pins.
    void cmdWritePorts_Click();

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    void showConnection();
};

}  // namespace bridge
