// Transfers of register ranges and the settings shortcuts that rewrite registers.
#include "chip/KVN58C3_Main.h"
#include "chip/config/RegisterNames.h"

namespace chip {

namespace {
constexpr int kConfigFirst = 0x00;
constexpr int kConfigLast = 0x4F;
constexpr int kThresholdLast = 0x07;
constexpr int kTempGainBit = 4;
}  // namespace

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
    readRange(0x80, 0xAB);
    Update_FETs();
}

void KVN58C3_Main::cbReadPack_Click()
{
    if (cbReadPack.Caption == "Busy" || cbWritePack.Caption == "Busy")
        return;
    const std::string caption = cbReadPack.Caption;
    cbReadPack.Caption = "Busy";
    readRange(kConfigFirst, kConfigLast);
    cbReadPack.Caption = caption;
}

void KVN58C3_Main::cbWritePack_Click()
{
    if (cbReadPack.Caption == "Busy" || cbWritePack.Caption == "Busy")
        return;
    const std::string caption = cbWritePack.Caption;
    cbWritePack.Caption = "Busy";
    writeRange(kConfigFirst, kConfigLast);
    cbWritePack.Caption = caption;
}

void KVN58C3_Main::cmdRestoreDefaults_Click()
{
    selectModeButton(cbRAMEnable);
    cbEnableRAM();
    for (int r = kConfigFirst; r <= kThresholdLast; ++r)
        tbRegdata[r].Text = registerDesignText(r);
    writeRange(kConfigFirst, kThresholdLast);
    cbReadV_Click();
}

void KVN58C3_Main::cmdSet8_Click()
{
    selectModeButton(cbRAMEnable);
    cbEnableRAM();
    tbRegdata[kRegCellConfig].Text = "FF";
    cbWrite_Click(kRegCellConfig);
    cbReadV_Click();
}

void KVN58C3_Main::cbTempSel_Click()
{
    selectModeButton(cbRAMEnable);
    cbEnableRAM();
    writeRegisterBit(kRegSetup, kTempGainBit, cbTempSel.Value == 1);
    cbReadV_Click();
}

}  // namespace chip
