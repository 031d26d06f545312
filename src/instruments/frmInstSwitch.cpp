// The switch unit: INIT identifies the unit and its card and resets the card;
// each group's option row connects one channel to its common, or none.
#include <string>

#include "gpib/Vbib32.h"
#include "instruments/frmInst.h"

namespace instruments {

namespace {

// Channels of the card in slot 1: group 0 is 100..103, group 1 is 110..113.
constexpr int kFirstChannel[2] = {100, 110};
constexpr int kChannelsPerGroup = 4;

}  // namespace

void frmInst::connectSwitch()
{
    cmdSWINIT.Click = [this] { cmdSWINIT_Click(); };
    cmdSWUpdate.forEach([this](int g, ui::CommandButton& b) { b.Click = [this, g] { cmdSWUpdate_Click(g); }; });
    OptS1A.forEach([this](int c, ui::OptionButton& o) { o.Click = [this, c] { OptS1A_Click(c); }; });
    OptS1B.forEach([this](int c, ui::OptionButton& o) { o.Click = [this, c] { OptS1B_Click(c); }; });
}

void frmInst::cmdSWINIT_Click()
{
    gpib::NiGlobal& g = p.gpib().g;
    g.SwitchAddress = unitAddress(txtSWRADR);
    selectUnit(g.SwitchDevices[0], g.SwitchAddress, {});  // the open is not checked here
    clearUnit("Unable to clear device HP3488 SWITCH BOX");
    writeCommand(txtHP3488Initcmd.Text.get());
    lbl3488ID.Caption = readReply(g.CurrentDevice, kLineFeed);
    writeCommand("CTYPE 1");
    FrCrd1.Caption = readReply(g.CurrentDevice, kLineFeed);
    writeCommand("CMON 1");
    writeCommand("CRESET 1");
}

void frmInst::cmdSWUpdate_Click(int group)
{
    gpib::NiGlobal& g = p.gpib().g;
    g.CurrentDevice = g.SwitchDevices[0];
    ui::ControlArray<ui::OptionButton>& row = group == 0 ? OptS1A : OptS1B;
    const int first = kFirstChannel[group == 0 ? 0 : 1];
    // The channel being left opens before the new one closes.
    for (int c = 0; c < kChannelsPerGroup; ++c)
        if (!row[c].Value)
            writeUntested(g.CurrentDevice, "OPEN " + std::to_string(first + c));
    for (int c = 0; c < kChannelsPerGroup; ++c)
        if (row[c].Value)
            writeUntested(g.CurrentDevice, "CLOSE " + std::to_string(first + c));
    p.rt().DoEvents();
}

void frmInst::OptS1A_Click(int) { cmdSWUpdate_Click(0); }
void frmInst::OptS1B_Click(int) { cmdSWUpdate_Click(1); }

}  // namespace instruments
