// Menus, I2C switching, quit and the end of the program.
#include "adutil/frmADUtil.h"
#include "bridge/frmMainF340.h"
#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "link/UsbLink.h"
#include "program/I2cLock.h"
#include "shell/frmAbout2.h"

namespace chip {

namespace {
// The switch-off clears the I2C lock once its pass count exceeds 10000.
constexpr I2cWait kSwitchOffWait = I2cWait::passes(10000 + 1);
constexpr int kDetachPauseMs = 500;
}  // namespace

void layOutMenus(KVN58C3_Main& f)
{
    f.mnuabout.Click = [&f] { f.mnuabout_Click(); };
    f.mnuEnableI2C.Click = [&f] { f.mnuEnableI2C_Click(); };
    f.mnuDisableI2C.Click = [&f] { f.mnuDisableI2C_Click(); };
    f.mnumainshow.Click = [&f] { f.mnumainshow_Click(); };
    f.mnuDataACQ.Click = [&f] { f.mnuDataACQ_Click(); };
    ui::place(f.cmdADUtil, {}, {800, 6, 96, 26}, "Internal A/D", "Internal AD Utility", [&f] { f.mnuDataACQ_Click(); });
    ui::place(f.cbQuit, {}, {904, 6, 96, 26}, "Quit", "Exit the Program", [&f] { f.cbQuit_Click(); });
}

void KVN58C3_Main::mnuDisableI2C_Click()
{
    FrNak.Visible = false;
    // Let a transfer in progress finish; one that never lets go is overruled.
    waitForI2cPath(p, kSwitchOffWait);
    p.rt().Sleep(kDetachPauseMs);
    p.form<bridge::frmMainF340>().cmdEnableXBAR_Click(1);
    FrI2C.Caption = "I2C Disabled";
    p.rt().DoEvents();
}

void KVN58C3_Main::mnuEnableI2C_Click()
{
    FrNak.Visible = true;
    p.form<bridge::frmMainF340>().cmdEnableXBAR_Click(0);
    FrI2C.Caption = "I2C ADDR";
    p.rt().DoEvents();
}

void KVN58C3_Main::mnuabout_Click() { p.form<shell::frmAbout2>().Show(); }

void KVN58C3_Main::mnumainshow_Click() { p.form<bridge::frmMainF340>().Show(); }

void KVN58C3_Main::mnuDataACQ_Click()
{
    // The auto scan gets its stop request; it ends at its next tick.
    if (autoScan.runningOn())
        cbAutoScan_Click();
    p.form<adutil::frmADUtil>().Show();
    p.rt().DoEvents();
}

void KVN58C3_Main::cbQuit_Click()
{
    p.rt().files().Close(1);
    Unload();
}

void KVN58C3_Main::Form_Unload(int& /*Cancel*/)
{
    mnuDisableI2C_Click();
    p.rt().DoEvents();
    p.link().CloseHidHandles();
    p.rt().End();
}

}  // namespace chip
