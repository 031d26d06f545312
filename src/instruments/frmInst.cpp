#include "instruments/frmInst.h"

#include <string>
#include <utility>

#include "ui/Placement.h"
#include "vb/Format.h"

namespace instruments {

frmInst::frmInst(Program& program) : ProgramForm(program, "frmInst")
{
    Caption = "IEEE Test Station Instruments";
    Width = 1100;
    Height = 684;
    SSTab1.setTabs({"Instrument Configuration", "VIs", "DVMs", "E3631 Power Supply && 3488 Mux", "53131 Counter"});
    ui::place(SSTab1, {}, {0, 0, Width, Height});
    layoutConfigTab();
    layoutSourceMeasureTab();
    layoutMeterTab();
    layoutSupplySwitchTab();
    layoutCounterTab();

    cmdloadInstConfig.Click = [this] { cmdloadInstConfig_Click(); };
    connectCounter();
    connectSupply();
    connectMeters();
    connectSourceMeasure();
    connectSwitch();
}

frmInst::~frmInst() = default;

void frmInst::showLine(ui::ListBox& list, std::string line)
{
    list.AddItem(std::move(line));
    list.Refresh();
}

void frmInst::Form_Load()
{
    // Preset source levels of the twenty preset buttons, in hundredths of a volt.
    static constexpr int kPresets[20] = {1653, 1593, 1623, 1657, 1656, 1655, 1654, 1653, 1652, 1651, 1650, 1600, 1599,
        1598, 1597, 1596, 1595, 1594, 1593, 1592};
    for (int k = 0; k < 20; ++k) {
        std::string text = "B";
        text += vb::Format(kPresets[k] / 100.0, "0.00");
        text += ",3,X";
        txtVI228String[k].Text = std::move(text);
    }
}

}  // namespace instruments
