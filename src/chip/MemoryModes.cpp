// Memory modes of register 0x89: configuration RAM, EEPROM, trim and test
// access, and the four buttons that show which one is selected.
#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "vb/Numbers.h"

namespace chip {

namespace {

// The four mode buttons to button face, then the selected one (if any) marked.
void markModeButton(KVN58C3_Main& f, ui::CommandButton* selected)
{
    for (ui::CommandButton* b : {&f.cbTrimEEEnable, &f.cbTRIMEnable, &f.cbRAMEnable, &f.cbEEPROMEnable})
        b->BackColor = vb::kButtonFace;
    if (selected)
        selected->BackColor = vb::kRunning;
}

// Switches I2C on when it is off, marks the button and writes text to 0x89.
void writeMemoryMode(KVN58C3_Main& f, ui::CommandButton& modeButton, const std::string& text)
{
    // I2C may have been switched off from the menu: the mode write switches it back on.
    if (!f.program().XbarEnabled)
        f.mnuEnableI2C_Click();
    modeButton.BackColor = vb::kRunning;
    f.tbRegdata[chipreg::kMemoryMode].Text = text;
    f.cbWrite_Click(chipreg::kMemoryMode);
}

}  // namespace

void layOutMemoryModes(KVN58C3_Main& f)
{
    ui::place(f.FrMemory, {}, {162, 2, 430, 58}, "Memory Mode (Reg 0x89)");
    ui::place(f.FrMemory,
        {
            {f.cbRAMEnable, {8, 20, 100, 28}, "Config RAM", "Select configuration RAM (0x89 = 00)"},
            {f.cbEEPROMEnable, {112, 20, 100, 28}, "EEPROM", "Select configuration EEPROM (0x89 = 01)"},
            {f.cbTRIMEnable, {216, 20, 100, 28}, "Trim/Test RAM", "Select trim RAM and test registers B0-C5"},
            {f.cbTrimEEEnable, {320, 20, 100, 28}, "Trim EEPROM", "Select trim EEPROM"},
        });
    f.cbRAMEnable.Click = [&f] { f.cbRAMEnable_Click(); };
    f.cbEEPROMEnable.Click = [&f] { f.cbEEPROMEnable_Click(); };
    f.cbTRIMEnable.Click = [&f] { f.cbTRIMEnable_Click(); };
    f.cbTrimEEEnable.Click = [&f] { f.cbTrimEEEnable_Click(); };
}

void selectConfigRam(KVN58C3_Main& f)
{
    markModeButton(f, nullptr);
    f.cbEnableRAM();
}

void KVN58C3_Main::cbEnableRAM()
{
    writeMemoryMode(*this, cbRAMEnable, vb::CStr(static_cast<int>(chipreg::kModeConfigRam)));
}

void KVN58C3_Main::SetTrimAccess(int x)
{
    writeMemoryMode(*this, cbRAMEnable, vb::Hex(x != 0 ? chipreg::kModeTrimEeprom : chipreg::kModeTrimRam));
}

void KVN58C3_Main::cbRAMEnable_Click()
{
    markModeButton(*this, &cbRAMEnable);
    cbEnableRAM();
}

void KVN58C3_Main::cbEEPROMEnable_Click()
{
    markModeButton(*this, &cbEEPROMEnable);
    writeMemoryMode(*this, cbEEPROMEnable, vb::Hex(chipreg::kModeConfigEeprom));
}

void KVN58C3_Main::cbTRIMEnable_Click()
{
    SetTrimAccess(0);
    markModeButton(*this, &cbTRIMEnable);
}

void KVN58C3_Main::cbTrimEEEnable_Click()
{
    SetTrimAccess(1);
    markModeButton(*this, &cbTrimEEEnable);
}

}  // namespace chip
