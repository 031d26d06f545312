// Memory modes of register 0x89: configuration RAM, EEPROM, trim and test access.
#include "chip/KVN58C3_Main.h"
#include "vb/Numbers.h"

namespace chip {

void KVN58C3_Main::writeMemoryMode(ui::CommandButton& modeButton, const std::string& text)
{
    // I2C may have been switched off from the menu: the mode write switches it back on.
    if (!p.XbarEnabled)
        mnuEnableI2C_Click();
    modeButton.BackColor = vb::kRunning;
    tbRegdata[chipreg::kMemoryMode].Text = text;
    cbWrite_Click(chipreg::kMemoryMode);
}

void KVN58C3_Main::cbEnableRAM() { writeMemoryMode(cbRAMEnable, vb::CStr(static_cast<int>(chipreg::kModeConfigRam))); }

void KVN58C3_Main::SetTrimAccess(int x)
{
    writeMemoryMode(cbRAMEnable, vb::Hex(x != 0 ? chipreg::kModeTrimEeprom : chipreg::kModeTrimRam));
}

void KVN58C3_Main::selectModeButton(ui::CommandButton& selected)
{
    for (ui::CommandButton* b : {&cbTrimEEEnable, &cbTRIMEnable, &cbRAMEnable, &cbEEPROMEnable})
        b->BackColor = vb::kButtonFace;
    selected.BackColor = vb::kRunning;
}

void KVN58C3_Main::cbRAMEnable_Click()
{
    selectModeButton(cbRAMEnable);
    cbEnableRAM();
}

void KVN58C3_Main::cbEEPROMEnable_Click()
{
    selectModeButton(cbEEPROMEnable);
    writeMemoryMode(cbEEPROMEnable, vb::Hex(chipreg::kModeConfigEeprom));
}

void KVN58C3_Main::cbTRIMEnable_Click()
{
    SetTrimAccess(0);
    selectModeButton(cbTRIMEnable);
}

void KVN58C3_Main::cbTrimEEEnable_Click()
{
    SetTrimAccess(1);
    selectModeButton(cbTrimEEEnable);
}

}  // namespace chip
