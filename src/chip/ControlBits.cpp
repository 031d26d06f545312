// The microcontroller control bits: register 0x87's boxes (cbuCControl4) and
// the cell-balance indicators of 0x84. Each box click is a read-modify-write
// of its bit through the register image.
#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "vb/Numbers.h"

namespace chip {

void layOutControlBits(KVN58C3_Main& f)
{
    // Beside the scan controls of the readings page.
    f.FrUcControl.Caption = "uC Control (0x87)";
    f.FrUcControl.setContainer(&f.SSTab1, kPageReadings);
    f.FrUcControl.move(kReadingsRightX, 398, 240, 56);
    const int scanBit = chipreg::bitNumber(chipreg::kUcScan);
    design(f.cbuCControl4.add(scanBit), "uC Does Scan", "Sets uC does scan bit.", {10, 22, 200, 22, &f.FrUcControl},
        [&f, scanBit] { f.cbuCControl4_Click(scanBit); });

    // Cell balancing, one indicator per bit of 0x84.
    f.FrBalance.Caption = "Cell Balance (0x84)";
    f.FrBalance.setContainer(&f.SSTab1, kPageReadings);
    f.FrBalance.move(kReadingsRightX, 256, 326, 44);
    for (int i = 0; i < chipreg::kCellCount; ++i) {
        auto& led = f.cbLED.add(i);
        led.ShapeType = ui::Shape::Circle;
        led.FillColor = vb::kWhite;
        led.ToolTipText = "Cell " + vb::CStr(i + 1) + " balancing";
        led.setContainer(&f.FrBalance);
        led.move(10 + i * 39, 22, 13, 13);
        auto& caption = f.lblBalance.add(i);
        caption.Caption = vb::CStr(i + 1);
        caption.setContainer(&f.FrBalance);
        caption.move(26 + i * 39, 20, 16, 18);
    }
}

void KVN58C3_Main::cbuCControl4_Click(int Index)
{
    if (!cbuCControl4.exists(Index))
        return;
    writeRegisterBit(chipreg::kUcControl, Index, cbuCControl4[Index].Value == 1);
}

}  // namespace chip
