// Transfers of register ranges and the settings shortcuts that rewrite registers.
#include "chip/KVN58C3_Main.h"
#include "chip/config/RegisterNames.h"

namespace chip {

using namespace chipreg;

void KVN58C3_Main::readRange(int first, int last)
{
    for (int r = first; r <= last; ++r)
        cbRead_Click(r);
}

void KVN58C3_Main::writeRange(int first, int last)
{
    for (int r = first; r <= last; ++r)
        cbWrite_Click(r);
}

void KVN58C3_Main::cbReadAllRAM_Click()
{
    readRange(kStatusFirst, kMonitorResultHigh);
    Update_FETs();
}

void KVN58C3_Main::packTransfer(ui::CommandButton& button, void (KVN58C3_Main::*transfer)(int, int))
{
    // A click nested in either pack transfer's pumping would interleave register traffic: ignore it.
    if (cbReadPack.Caption == "Busy" || cbWritePack.Caption == "Busy")
        return;
    const std::string caption = button.Caption;
    button.Caption = "Busy";
    (this->*transfer)(kConfigFirst, kConfigLast);
    button.Caption = caption;
}

void KVN58C3_Main::cbReadPack_Click() { packTransfer(cbReadPack, &KVN58C3_Main::readRange); }

void KVN58C3_Main::cbWritePack_Click() { packTransfer(cbWritePack, &KVN58C3_Main::writeRange); }

void KVN58C3_Main::cmdRestoreDefaults_Click()
{
    cbRAMEnable_Click();
    for (int r = kConfigFirst; r <= kThresholdLast; ++r)
        tbRegdata[r].Text = registerDesignText(r);
    writeRange(kConfigFirst, kThresholdLast);
    cbReadV_Click();
}

void KVN58C3_Main::cmdSet8_Click()
{
    cbRAMEnable_Click();
    tbRegdata[kCellConfig].Text = "FF";
    cbWrite_Click(kCellConfig);
    cbReadV_Click();
}

void KVN58C3_Main::cbTempSel_Click()
{
    cbRAMEnable_Click();
    writeRegisterBit(kSetup, bitNumber(kSetupTgain), cbTempSel.Value == 1);
    cbReadV_Click();
}

}  // namespace chip
