// Status registers 0x80 to 0x83 on the 32 indicators, and the FET buttons of 0x86.
#include "chip/Captions.h"
#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "chip/StatusBits.h"

namespace chip {

void layOutStatusIndicators(KVN58C3_Main& f)
{
    const ui::In page{f.SSTab1, kPageReadings};

    // One column per register 0x80 to 0x83: an indicator, then its caption.
    ui::place(f.FrStatusBits, page, {kReadingsRightX, 4, 326, 196}, "Status 0x80 - 0x83");
    for (int i = 0; i < kStatusBitCount; ++i) {
        const StatusBit& bit = kStatusBits[static_cast<std::size_t>(i)];
        const ui::Rect at = ui::inColumns({8, 20, 76, 18}, i, 8, 80, 21);
        auto& led = ui::place(f.LED.add(i), f.FrStatusBits, {at.x, at.y + 2, 13, 13}, {}, bit.toolTip);
        led.ShapeType = ui::Shape::Circle;
        led.FillColor = vb::kWhite;
        auto& caption = ui::place(f.Label.add(i), f.FrStatusBits, {at.x + 16, at.y, 60, 18}, bit.caption, bit.toolTip);
        led.Visible = !bit.hidden;
        caption.Visible = !bit.hidden;
    }

    // FET drivers of 0x86.
    ui::place(f.FrFets, page, {kReadingsRightX, 204, 326, 48}, "FETs (0x86)");
    ui::place(f.FrFets,
        {
            {f.cbPCFET, {8, 18, 98, 24}, "PCFET"},
            {f.cbCFET, {112, 18, 98, 24}, "CFET"},
            {f.cbDFET, {216, 18, 98, 24}, "DFET"},
        });

    ui::place(f.ReadStatus, page, {kReadingsRightX + 166, 306, 160, 26}, kReadStatusCaption,
        "Read Digital Status Registers", [&f] { f.ReadStatus_Click(); });
    f.ReadStatus.BackColor = vb::kIdle;
    ui::place(f.ChkPoweStatus, page, {kReadingsRightX + 4, 338, 150, 22}, "Poll Status",
        "Read the status registers one by one after every scan");
}

void paintStatusIndicators(KVN58C3_Main& f)
{
    for (int r = chipreg::kStatusFirst; r <= chipreg::kStatusLast; ++r) {
        const long v = f.regValue(r);
        for (int b = 0; b < 8; ++b) {
            const int i = 8 * (r - chipreg::kStatusFirst) + b;
            f.LED[i].FillColor = indicatorColor(i, (v & (1L << b)) != 0, f.LED[i].FillColor);
        }
    }
}

void paintFets(KVN58C3_Main& f)
{
    const long v = f.regValue(chipreg::kFetControl);
    f.cbPCFET.BackColor = fetColor((v & chipreg::kFetPcfet) != 0);
    f.cbCFET.BackColor = fetColor((v & chipreg::kFetCfet) != 0);
    f.cbDFET.BackColor = fetColor((v & chipreg::kFetDfet) != 0);
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
    selectConfigRam(*this);
    const int failed = failedTransfers;
    for (int r = chipreg::kStatusFirst; r <= chipreg::kStatusLast && !p.rt().operationAbandoned(); ++r)
        cbRead_Click(r);
    // Indicators show what was read, never the image's older or design values.
    if (failedTransfers == failed && !p.rt().operationAbandoned())
        paintStatusIndicators(*this);
    ReadStatus.Caption = kReadStatusCaption;
    ReadStatus.BackColor = vb::kIdle;
    cbRAMEnable.BackColor = vb::kRunning;
}

void KVN58C3_Main::Update_FETs()
{
    const int failed = failedTransfers;
    cbRead_Click(chipreg::kFetControl);
    if (failedTransfers == failed)
        paintFets(*this);
}

}  // namespace chip
