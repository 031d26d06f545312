// The counter tab: identify and reset, the measurement set-up, single and
// periodic frequency readings kept in CounterReadings and shown in the list.
#include "gpib/Vbib32.h"
#include "instruments/frmInst.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace instruments {

void frmInst::connectCounter()
{
    cmd53141Init.Click = [this] { cmd53141Init_Click(); };
    cmd53131_2.forEach([this](int i, ui::CommandButton& b) { b.Click = [this, i] { cmd53131_2_Click(i); }; });
    xms53131_4.Click = [this] { xms53131_4_Click(); };
    cmdStartTimer.forEach([this](int i, ui::CommandButton& b) { b.Click = [this, i] { cmdStartTimer_Click(i); }; });
    TimerFreq.Tick = [this] { TimerFreq_Timer(); };
}

void frmInst::cmd53141Init_Click()
{
    gpib::NiGlobal& g = p.gpib().g;
    g.CounterAddress = unitAddress(txtAdr53131);
    selectUnit(g.CounterDevices[0], g.CounterAddress, "Unable to open 53131 device");
    clearUnit("Unable to clear 53131 device");
    writeCommand(txt53131Init[0].Text.get());
    showLine(ReadingsList53131_1, readReply(g.CurrentDevice, kLineFeed));
    for (int k = 1; k <= 5; ++k)
        writeCommand(txt53131Init[k].Text.get());
    counter.CounterReadingIndex = 0;
}

void frmInst::cmd53131_2_Click(int Index)
{
    // Both go to whichever unit is current: the counter after its initialisation.
    if (Index == 0) {
        for (int k = 0; k <= 6; ++k)
            writeCommand(txt53131Command[k].Text.get());
    } else {
        writeCommand(txt53131CmdStats[0].Text.get());
    }
}

void frmInst::xms53131_4_Click()
{
    gpib::NiGlobal& g = p.gpib().g;
    g.CurrentDevice = g.CounterDevices[0];
    writeCommand(txt53131CmdRead[0].Text.get());
    const double reading = vb::Val(readReply(g.CurrentDevice, kLineFeed));
    counter.store(reading);
    const std::string text = vb::Format(reading, "##0.0000000000");
    showLine(ReadingsList53131_2, text);
    lblCounter1Read[0].Caption = text;
}

void frmInst::cmdStartTimer_Click(int Index)
{
    if (Index == 0) {
        ReadingsList53131_2.Clear();
        TimerFreq.Enabled = true;
    } else {
        TimerFreq.Enabled = false;
    }
}

void frmInst::TimerFreq_Timer() { xms53131_4_Click(); }

}  // namespace instruments
