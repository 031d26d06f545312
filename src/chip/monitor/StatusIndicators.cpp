// Status registers 0x80 to 0x83 on the 32 indicators, and the FET buttons of 0x86.
#include "chip/KVN58C3_Main.h"
#include "chip/monitor/Captions.h"
#include "chip/monitor/ScanFormulas.h"
#include "chip/monitor/StatusBits.h"
#include "vb/Numbers.h"

namespace chip {

using namespace monitor;

long KVN58C3_Main::regValue(int addr) const { return vb::HexValue(tbRegdata[addr].Text.get()); }

double KVN58C3_Main::regPair(int lo) const { return monitor::code16(regValue(lo), regValue(lo + 1)); }

void KVN58C3_Main::paintStatusIndicators()
{
    for (int r = chipreg::kStatusFirst; r <= chipreg::kStatusLast; ++r) {
        const long v = regValue(r);
        for (int b = 0; b < 8; ++b) {
            const int i = 8 * (r - chipreg::kStatusFirst) + b;
            LED[i].FillColor = indicatorColor(i, (v & (1L << b)) != 0, LED[i].FillColor);
        }
    }
}

void KVN58C3_Main::paintFets()
{
    const long v = regValue(chipreg::kFetControl);
    cbPCFET.BackColor = fetColor((v & chipreg::kFetPcfet) != 0);
    cbCFET.BackColor = fetColor((v & chipreg::kFetCfet) != 0);
    cbDFET.BackColor = fetColor((v & chipreg::kFetDfet) != 0);
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
    for (int r = chipreg::kStatusFirst; r <= chipreg::kStatusLast; ++r)
        cbRead_Click(r);
    paintStatusIndicators();
    ReadStatus.Caption = kReadStatusCaption;
    ReadStatus.BackColor = vb::kIdle;
    cbRAMEnable.BackColor = vb::kRunning;
}

void KVN58C3_Main::Update_FETs()
{
    cbRead_Click(chipreg::kFetControl);
    paintFets();
}

}  // namespace chip
