// The E3631 supply: identify, apply a setting and read the output back,
// switch the output off with three read-backs, fetch a pending reply.
#include "gpib/Vbib32.h"
#include "instruments/frmInst.h"

namespace instruments {

void frmInst::connectSupply()
{
    cmdInitAuxPS.Click = [this] { cmdInitAuxPS_Click(); };
    cmdSendAuxPSCommand.Click = [this] { cmdSendAuxPSCommand_Click(); };
    cmdClearRdgAuxPS.Click = [this] { cmdClearRdgAuxPS_Click(); };
    cmdAuxPSRdOnly.Click = [this] { cmdAuxPSRdOnly_Click(); };
}

void frmInst::cmdInitAuxPS_Click()
{
    gpib::NiGlobal& g = p.gpib().g;
    g.AuxPsAddress = unitAddress(txtAuxPSAdr);
    selectUnit(g.AuxPsDevices[0], g.AuxPsAddress, "Unable to open E3631 device");
    clearUnit("Unable to clear device E3631");
    writeCommand(txtAuxPSInit.Text.get());
    showLine(ReadingsListAuxPS, readReply(g.CurrentDevice, kLineFeed));
}

// Send, Clear and Read use the supply's slot whatever it holds: only Init opens.
void frmInst::cmdSendAuxPSCommand_Click()
{
    gpib::NiGlobal& g = p.gpib().g;
    g.CurrentDevice = g.AuxPsDevices[0];
    for (int k = 0; k <= 2; ++k)
        writeCommand(txtAuxPSCommand[k].Text.get());
    showLine(ReadingsListAuxPS_2, readReply(g.CurrentDevice, kLineFeed));
}

void frmInst::cmdClearRdgAuxPS_Click()
{
    gpib::NiGlobal& g = p.gpib().g;
    g.CurrentDevice = g.AuxPsDevices[0];
    writeCommand(txtAuxPSCommand[3].Text.get());
    for (int n = 0; n < 3; ++n) {
        writeCommand(txtAuxPSCommand[2].Text.get());
        showLine(ReadingsListAuxPS_2, readReply(g.CurrentDevice, kLineFeed));
    }
}

void frmInst::cmdAuxPSRdOnly_Click()
{
    gpib::NiGlobal& g = p.gpib().g;
    g.CurrentDevice = g.AuxPsDevices[0];
    const std::string reply = readReply(g.CurrentDevice, kLineFeed);
    lblLastReadingAuxPS.Caption = reply;
    showLine(ReadingsListAuxPS_2, reply);
}

}  // namespace instruments
