// Transfers of register ranges, and the settings shortcuts that rewrite registers.
#include "chip/Captions.h"
#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "chip/RegisterNames.h"

namespace chip {

using namespace chipreg;

namespace {

// Both end early when the user answered a failure with Retry ("return to GUI").
void readRange(KVN58C3_Main& f, int first, int last)
{
    for (int r = first; r <= last && !f.program().rt().operationAbandoned(); ++r)
        f.cbRead_Click(r);
}

void writeRange(KVN58C3_Main& f, int first, int last)
{
    for (int r = first; r <= last && !f.program().rt().operationAbandoned(); ++r)
        f.cbWrite_Click(r);
}

// A pack transfer of the configuration registers, the button captioned "Busy" meanwhile.
void packTransfer(KVN58C3_Main& f, ui::CommandButton& button, void (*transfer)(KVN58C3_Main&, int, int))
{
    // A click nested in either pack transfer's pumping would interleave register traffic: ignore it.
    if (f.cbReadPack.Caption == kBusy || f.cbWritePack.Caption == kBusy)
        return;
    const std::string caption = button.Caption;
    button.Caption = kBusy;
    transfer(f, kConfigFirst, kConfigLast);
    button.Caption = caption;
}

}  // namespace

void layOutRegisterBlocks(KVN58C3_Main& f)
{
    ui::place(f.cbReadAllRAM, {}, {600, 6, 120, 26}, "Read All RAM", "Read registers 80-AB",
        [&f] { f.cbReadAllRAM_Click(); });
    ui::place(f.cbReadPack, {}, {600, 34, 120, 26}, "Read Config", "Read configuration registers 00-4F",
        [&f] { f.cbReadPack_Click(); });
    ui::place(f.cbWritePack, {}, {726, 34, 120, 26}, "Write Config", "Write configuration registers 00-4F",
        [&f] { f.cbWritePack_Click(); });

    ui::place(f.cmdRestoreDefaults, {}, {510, 66, 120, 26}, "Restore Defaults", "Write the default thresholds 00-07",
        [&f] { f.cmdRestoreDefaults_Click(); });
    ui::place(
        f.cmdSet8, {}, {636, 66, 100, 26}, "Set 8 Cells", "Cell configuration 0x49 = FF", [&f] { f.cmdSet8_Click(); });
    ui::place(f.cbTempSel, {}, {742, 68, 160, 22}, "Temp Gain (0x4A b4)",
        "Set: 1.8 V temperature input range; clear: 0.9 V", [&f] { f.cbTempSel_Click(); });
}

void KVN58C3_Main::cbReadAllRAM_Click()
{
    readRange(*this, kStatusFirst, kMonitorResultHigh);
    Update_FETs();
}

void KVN58C3_Main::cbReadPack_Click() { packTransfer(*this, cbReadPack, readRange); }

void KVN58C3_Main::cbWritePack_Click() { packTransfer(*this, cbWritePack, writeRange); }

void KVN58C3_Main::cmdRestoreDefaults_Click()
{
    cbRAMEnable_Click();
    for (int r = kConfigFirst; r <= kThresholdLast; ++r)
        tbRegdata[r].Text = registerDesignText(r);
    writeRange(*this, kConfigFirst, kThresholdLast);
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
