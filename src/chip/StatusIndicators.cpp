// Status registers 0x80 to 0x83 on the 32 indicators, and the FET buttons of 0x86.
#include <array>

#include "chip/Captions.h"
#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "chip/StatusBits.h"

namespace chip {

void layOutStatusIndicators(KVN58C3_Main& f)
{
    auto onPage = [&f](ui::Control& c, int x, int y, int w, int h) {
        c.setContainer(&f.SSTab1, kPageReadings);
        c.move(x, y, w, h);
    };

    // One column per register 0x80 to 0x83.
    f.FrStatusBits.Caption = "Status 0x80 - 0x83";
    onPage(f.FrStatusBits, kReadingsRightX, 4, 326, 196);
    for (int i = 0; i < kStatusBitCount; ++i) {
        const StatusBit& bit = kStatusBits[static_cast<std::size_t>(i)];
        const int x = 8 + (i / 8) * 80;
        const int row = 20 + (i % 8) * 21;
        auto& led = f.LED.add(i);
        led.ShapeType = ui::Shape::Circle;
        led.FillColor = vb::kWhite;
        led.setContainer(&f.FrStatusBits);
        led.move(x, row + 2, 13, 13);
        auto& caption = f.Label.add(i);
        caption.Caption = std::string(bit.caption);
        caption.ToolTipText = std::string(bit.toolTip);
        caption.setContainer(&f.FrStatusBits);
        caption.move(x + 16, row, 60, 18);
        led.ToolTipText = std::string(bit.toolTip);
        led.Visible = !bit.hidden;
        caption.Visible = !bit.hidden;
    }

    // FET drivers of 0x86.
    f.FrFets.Caption = "FETs (0x86)";
    onPage(f.FrFets, kReadingsRightX, 204, 326, 48);
    const std::array<std::pair<ui::CommandButton*, const char*>, 3> fets = {
        {{&f.cbPCFET, "PCFET"}, {&f.cbCFET, "CFET"}, {&f.cbDFET, "DFET"}}};
    for (std::size_t i = 0; i < fets.size(); ++i) {
        fets[i].first->Caption = fets[i].second;
        fets[i].first->setContainer(&f.FrFets);
        fets[i].first->move(8 + static_cast<int>(i) * 104, 18, 98, 24);
    }

    design(f.ReadStatus, kReadStatusCaption, "Read Digital Status Registers",
        {kReadingsRightX + 166, 306, 160, 26, &f.SSTab1, kPageReadings}, [&f] { f.ReadStatus_Click(); });
    f.ReadStatus.BackColor = vb::kIdle;
    design(f.ChkPoweStatus, "Poll Status", "Read the status registers one by one after every scan",
        {kReadingsRightX + 4, 338, 150, 22, &f.SSTab1, kPageReadings});
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
