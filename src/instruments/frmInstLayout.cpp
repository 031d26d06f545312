// The design controls of the instrument form's tabs: their texts and places.
#include "instruments/frmInst.h"

#include <iterator>
#include <string>

#include "ui/Placement.h"

namespace instruments {

namespace {

enum Page { ConfigPage = 0, SourceMeasurePage = 1, MeterPage = 2, SupplySwitchPage = 3, CounterPage = 4 };

// Places on a tab page count from below the tab bar; every page fits a form
// 684 pixels high, so the form fits a 768-line screen.
constexpr int kPageTop = 8;

// A text box of the panels' one height, with its design text.
ui::TextBox& textBox(ui::TextBox& t, ui::In in, int left, int top, int width, const std::string& text)
{
    ui::place(t, in, {left, top, width, 22});
    t.Text = text;
    return t;
}

// One source-measure panel: its settings, its mode row and its command string.
void placeSourceMeasurePanel(frmInst& f, int i, ui::Frame& panel)
{
    // The settings: a caption and its box, left to right.
    struct Setting {
        ui::ControlArray<ui::Label>& caption;
        int captionX, captionW;
        const char* text;
        ui::ControlArray<ui::TextBox>& box;
        int boxX, boxW;
    };
    const Setting settings[] = {
        {f.lblVIAddress, 10, 55, "Address", f.txtVIAddress, 65, 40},
        {f.lblVIVSourceVolts, 115, 65, "Source V", f.txtVIVSourceVolts, 180, 50},
        {f.lblVIILimit, 240, 80, "MAX mAmps", f.txtVIILimit, 320, 50},
        {f.lblVIVSourceCurrent, 380, 115, "Source I (mAmps)", f.txtVIVSourceCurrent, 495, 50},
        {f.lblVIVLimit, 555, 70, "MAX Volts", f.txtVIVLimit, 625, 50},
    };
    // Each panel's design values of the settings, in the order above.
    static constexpr const char* kDesign[5][5] = {
        {"14", "1.2", "1", "20", "5.0"},
        {"16", "12", "100", "2", "5.0"},
        {"16", "4.0", "5", "2", "5.0"},
        {"17", "4.0", "5", "2", "5.0"},
        {"18", "4.0", "5", "2", "5.0"},
    };
    for (std::size_t k = 0; k < std::size(settings); ++k) {
        const Setting& s = settings[k];
        ui::place(s.caption.add(i), panel, {s.captionX, 20, s.captionW, 20}, s.text);
        textBox(s.box.add(i), panel, s.boxX, 18, s.boxW, kDesign[i][k]);
    }
    ui::place(panel,
        {
            {f.cmdSetVIMODE.add(i), {10, 46, 70, 26}, "Set VI"},
            {f.ShpVIMode.add(i), {85, 51, 16, 16}},
            {f.lblVIMode.add(i), {103, 51, 20, 18}, "VI"},
            {f.cmdSetIVMODE.add(i), {130, 46, 70, 26}, "Set IV"},
            {f.ShpIVMode.add(i), {205, 51, 16, 16}},
            {f.lblIVMode.add(i), {223, 51, 20, 18}, "IV"},
            {f.cmdVIDOMeas.add(i), {255, 46, 70, 26}, "Sample"},
            {f.cmdVIOperate.add(i), {330, 42, 34, 34}},
            {f.lblVIMeasureA.add(i), {375, 51, 145, 20}, "-000.000 V"},
            {f.lblVIMeasureB.add(i), {525, 51, 150, 20}, "-000.000 mA"},
            {f.lbVIlControlString.add(i), {10, 80, 330, 20}},
        });
    f.cmdVIDOMeas[i].Visible = false;
    f.cmdVIOperate[i].Visible = false;
    if (i < 2)
        ui::place(f.TXTlbVIlControlString.add(i), panel, {345, 78, 330, 22});
}

}  // namespace

void frmInst::layoutConfigTab()
{
    ui::place(frInstConfig, {SSTab1, ConfigPage}, {10, kPageTop, 300, 110}, "Instrument Configuration");
    ui::place(cmdloadInstConfig, frInstConfig, {10, 25, 140, 30}, "Load Inst File");
    ui::place(lblInstConfigFIle, frInstConfig, {10, 65, 280, 36});
    // The grid widens to show its columns whole: the frame leaves it the room.
    ui::place(frInstruments, {SSTab1, ConfigPage}, {320, kPageTop, 560, 440}, "Instruments");
    ui::place(Grid1, frInstruments, {10, 25, 367, 400});
    resetGrid();
}

void frmInst::layoutSourceMeasureTab()
{
    ui::place(FrVI1, {SSTab1, SourceMeasurePage}, {5, kPageTop, 700, 582}, "Keithley 236 Source Measure Unit ");
    for (int i = 0; i < kSourceMeasurePanels; ++i)
        placeSourceMeasurePanel(*this, i,
            ui::place(FrVIContol.add(i), FrVI1, {5, 20 + i * 112, 690, 106}, "VI Control " + std::to_string(i + 1)));

    ui::place(FrSetVi1V, {SSTab1, SourceMeasurePage}, {715, kPageTop, 370, 95}, "Set VI1 V");
    static constexpr const char* kBias[2] = {"15.80", "17.200"};
    for (int r = 0; r < 2; ++r) {
        textBox(txtVI1V.add(r), FrSetVi1V, 10, 22 + r * 34, 60, kBias[r]);
        textBox(txtVI1VCmd.add(r), FrSetVi1V, 80, 22 + r * 34, 150, "----");
        ui::place(cmdSetVI1V.add(r), FrSetVi1V, {240, 20 + r * 34, 120, 26}, "Set V1 Volts");
    }

    ui::place(Frame1, {SSTab1, SourceMeasurePage}, {715, kPageTop + 102, 370, 526}, "Frame1");
    for (int k = 0; k < 20; ++k) {
        ui::place(txtVI228String.add(k), Frame1, {10, 20 + k * 25, 200, 22});
        ui::place(cmdSendString.add(k), Frame1, {220, 19 + k * 25, 110, 24}, "Send Sting");
    }
    ui::place(cmdVIsOFf, {SSTab1, SourceMeasurePage}, {5, kPageTop + 590, 120, 30}, "Clear VIs");
}

void frmInst::layoutMeterTab()
{
    ui::place(FrVM, {SSTab1, MeterPage}, {5, kPageTop, 1085, 636}, "HP34401 DVMs");
    for (int i = 0; i < kMeterPanels; ++i) {
        ui::Frame& f = ui::place(frDVMSet.add(i), FrVM, ui::inRows({8, 20, 350, 200}, i, 3, 358, 205),
            "VM Control " + std::to_string(i + 1));
        ui::place(lblDVMAddress.add(i), f, {10, 22, 60, 20}, "Address");
        textBox(txtDVMAddress.add(i), f, 75, 20, 40, std::to_string(28 + i));
        ui::place(lblDVMRange.add(i), f, {95, 45, 45, 18}, "Range");
        ui::place(lblDVMDigits.add(i), f, {140, 45, 45, 18}, "Digits");

        struct Row {
            ui::ControlArray<ui::CommandButton>& button;
            ui::ControlArray<ui::TextBox>& range;
            ui::ControlArray<ui::TextBox>& digits;
            ui::ControlArray<ui::Shape>& indicator;
            const char* caption;
            const char* digitsText;
        };
        const Row rows[3] = {
            {cmdDVMSetDC, txtDCRange, txtDCDigits, ShpDVMDCMode, "Set DC V", "4"},
            {cmdDVMSetAC, txtACRange, txtACDigits, ShpDVMACMode, "Set AC V", "3"},
            {cmdDVMSetOhm, txtOhmRange, txtOhmDigits, ShpDVMOhmMode, "Set OHM", "3"},
        };
        for (int r = 0; r < 3; ++r) {
            const int y = 64 + r * 28;
            ui::place(rows[r].button.add(i), f, {10, y, 80, 26}, rows[r].caption);
            textBox(rows[r].range.add(i), f, 95, y + 2, 40, "A");
            textBox(rows[r].digits.add(i), f, 140, y + 2, 40, rows[r].digitsText);
            ui::place(rows[r].indicator.add(i), f, {190, y + 5, 16, 16}).FillColor = vb::kBlack;
        }
        ui::place(cmdDVMGetMeas.add(i), f, {10, 150, 80, 26}, "Sample");
        ui::place(lblDVMReading.add(i), f, {100, 154, 240, 20}, "------");
        ui::place(lblDVMControlString.add(i), f, {10, 178, 330, 20});
    }
}

void frmInst::layoutSupplySwitchTab()
{
    ui::place(FrAuxPS, {SSTab1, SupplySwitchPage}, {5, kPageTop, 420, 212}, "E3631 Aux PS");
    ui::place(lblAuxPSAdr, FrAuxPS, {10, 22, 60, 20}, "Address");
    textBox(txtAuxPSAdr, FrAuxPS, 75, 20, 40, "5");
    textBox(txtAuxPSInit, FrAuxPS, 10, 50, 200, "*IDN?");
    ui::place(cmdInitAuxPS, FrAuxPS, {220, 48, 180, 26}, "Send Init Command");
    ui::place(ReadingsListAuxPS, FrAuxPS, {10, 82, 400, 120});

    ui::place(FrAuxPSCommand, {SSTab1, SupplySwitchPage}, {5, kPageTop + 220, 420, 412}, "AuxPS Command Read");
    static constexpr const char* kCommands[4] = {
        "APPL P25V, 25.0,  1.0", "OUTP:STAT ON", "MEAS:VOLT:DC?", "OUTP:STAT OFF"};
    for (int k = 0; k < 4; ++k)
        textBox(txtAuxPSCommand.add(k), FrAuxPSCommand, 10, 22 + k * 28, 230, kCommands[k]);
    ui::place(FrAuxPSCommand,
        {
            {cmdSendAuxPSCommand, {250, 20, 160, 26}, "Send Command and Read"},
            {cmdClearRdgAuxPS, {250, 76, 160, 26}, "Clear"},
            {cmdAuxPSRdOnly, {250, 104, 160, 26}, "Read"},
            {lblLastReadingAuxPS, {10, 140, 400, 20}, "-----"},
            {ReadingsListAuxPS_2, {10, 165, 400, 237}},
        });

    ui::place(fr3488, {SSTab1, SupplySwitchPage}, {440, kPageTop, 420, 400}, "3488 Switch Mux");
    ui::place(lblSWRADR, fr3488, {10, 22, 60, 20}, "Address");
    textBox(txtSWRADR, fr3488, 75, 20, 40, "10");
    textBox(txtHP3488Initcmd, fr3488, 10, 50, 100, "ID?");
    ui::place(cmdSWINIT, fr3488, {120, 48, 80, 26}, "INIT");
    ui::place(lbl3488ID, fr3488, {210, 52, 200, 20}, "---");
    ui::place(FrCrd1, fr3488, {10, 85, 400, 305}, "Card1");

    struct Group {
        ui::Frame& frame;
        ui::ControlArray<ui::OptionButton>& options;
        const char* caption;
        const char* channels[5];
    };
    const Group groups[2] = {
        {FrSlot1a, OptS1A, "COM 0", {"00", "01", "02", "03", "CLR"}},
        {FrSlot1b, OptS1B, "COM1", {"10", "11", "12", "13", "CLR"}},
    };
    for (int g = 0; g < 2; ++g) {
        ui::place(groups[g].frame, FrCrd1, {10, 22 + g * 140, 380, 130}, groups[g].caption);
        for (int c = 0; c < 5; ++c)
            ui::place(groups[g].options.add(c), groups[g].frame, {10 + c * 70, 25, 65, 22}, groups[g].channels[c]);
        ui::place(cmdSWUpdate.add(g), groups[g].frame, {10, 65, 150, 28}, "Update Switches");
    }
}

void frmInst::layoutCounterTab()
{
    ui::place(frCounter, {SSTab1, CounterPage}, {5, kPageTop, 420, 360}, "Agilent 53131 Counter");
    ui::place(lblAdr53131, frCounter, {10, 22, 60, 20}, "Address");
    textBox(txtAdr53131, frCounter, 75, 20, 40, "3");
    static constexpr const char* kInit[6] = {"*IDN?", "*RST", "*CLS", "*SRE 0", "*ESE 0", ":STAT:PRES"};
    for (int k = 0; k < 6; ++k)
        textBox(txt53131Init.add(k), frCounter, 10, 50 + k * 26, 200, kInit[k]);
    ui::place(cmd53141Init, frCounter, {220, 48, 180, 26}, "Send Init Command");
    ui::place(ReadingsList53131_1, frCounter, {10, 215, 400, 135});

    ui::place(frCounterCommands, {SSTab1, CounterPage}, {440, kPageTop, 420, 360}, "HP53131 Commands");
    static constexpr const char* kSetup[7] = {":FUNC 'FREQ 1'", ":FREQ:ARM:STAR:SOUR IMM", ":FREQ:ARM:STOP:SOUR TMM",
        ":FREQ:ARM:STOP:TIM 2.000", ":SENS:EVENt1:LEV:ABS 1.2", ":INP1:FILT ON", ":INIT:CONT ON"};
    for (int k = 0; k < 7; ++k)
        textBox(txt53131Command.add(k), frCounterCommands, 10, 22 + k * 26, 260, kSetup[k]);
    ui::place(cmd53131_2.add(0), frCounterCommands, {280, 20, 130, 26}, "Setup Measurement");
    textBox(txt53131CmdStats.add(0), frCounterCommands, 10, 212, 260, "SHOW: MEAS");
    ui::place(cmd53131_2.add(1), frCounterCommands, {280, 210, 130, 26}, "Setup Stats");
    textBox(txt53131CmdRead.add(0), frCounterCommands, 10, 247, 260, "FETCH:FREQ?");
    ui::place(xms53131_4, frCounterCommands, {280, 245, 130, 26}, "Read");
    ui::place(lblCounter1Read.add(0), frCounterCommands, {10, 285, 260, 22}, "-00000.0000000");

    ui::place(frCounterTimer, {SSTab1, CounterPage}, {5, kPageTop + 368, 855, 262}, "Agilent 53131 Counter Timer");
    ui::place(frCounterTimer,
        {
            {cmdStartTimer.add(0), {10, 25, 100, 28}, "Start"},
            {cmdStartTimer.add(1), {120, 25, 100, 28}, "Stop"},
            {ReadingsList53131_2, {10, 62, 400, 190}},
        });
    ReadingsList53131_2.setMaxItems(kCounterListLines);
}

}  // namespace instruments
