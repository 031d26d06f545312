// Status registers 0x80 to 0x83 on the 32 indicators, and the FET buttons of 0x86.
#include "chip/KVN58C3_Main.h"
#include "chip/monitor/Captions.h"
#include "chip/monitor/StatusBits.h"
#include "vb/Numbers.h"

namespace chip {

using namespace monitor;

long KVN58C3_Main::regValue(int addr) const { return vb::HexValue(tbRegdata[addr].Text.get()); }

void KVN58C3_Main::paintStatusIndicators()
{
    for (int r = kFirstStatusRegister; r <= kLastStatusRegister; ++r) {
        const long v = regValue(r);
        for (int b = 0; b < 8; ++b) {
            const int i = 8 * (r - kFirstStatusRegister) + b;
            LED[i].FillColor = indicatorColor(i, (v & (1L << b)) != 0, LED[i].FillColor);
        }
    }
}

void KVN58C3_Main::paintFets()
{
    const long v = regValue(kFetRegister);
    cbPCFET.BackColor = fetColor((v & kPcfetBit) != 0);
    cbCFET.BackColor = fetColor((v & kCfetBit) != 0);
    cbDFET.BackColor = fetColor((v & kDfetBit) != 0);
}

void KVN58C3_Main::selectRamModeButtons()
{
    for (ui::CommandButton* b : {&cbTrimEEEnable, &cbTRIMEnable, &cbRAMEnable, &cbEEPROMEnable})
        b->BackColor = vb::kButtonFace;
    cbEnableRAM();
}

void KVN58C3_Main::ReadStatus_Click()
{
    if (p.TraceOn)
        p.trace(p.TraceIndent1 + "Scan and Display Digital Status Function\r\n");
    if (ReadStatus.Caption.get() == kBusy)
        return;
    Update_FETs();
    ReadStatus.Caption = kBusy;
    ReadStatus.BackColor = vb::kRunning;
    selectRamModeButtons();
    for (int r = kFirstStatusRegister; r <= kLastStatusRegister; ++r)
        cbRead_Click(r);
    paintStatusIndicators();
    ReadStatus.Caption = kReadStatusCaption;
    ReadStatus.BackColor = vb::kIdle;
    cbRAMEnable.BackColor = vb::kRunning;
}

void KVN58C3_Main::Update_FETs()
{
    cbRead_Click(kFetRegister);
    paintFets();
}

}  // namespace chip
