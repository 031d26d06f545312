// Controls of the A/D form: design values, placement and event wiring.
#include <array>

#include "adutil/frmADUtil.h"
#include "regmap/ChipRegisters.h"
#include "ui/Placement.h"

namespace adutil {

namespace {

// Channel buttons: caption and tool tip (the prompt of the block-diagram page).
struct ChannelButton {
    const char* caption;
    const char* tip;
};
constexpr std::array<ChannelButton, chipreg::kMonitorChannelCount> kChannelButtons = {{
    {"Mux 0  None", "Mux channel 0: no input."},
    {"CELL 1", "Mux channel 1: cell 1 voltage."},
    {"CELL 2", "Mux channel 2: cell 2 voltage."},
    {"CELL 3", "Mux channel 3: cell 3 voltage."},
    {"CELL 4", "Mux channel 4: cell 4 voltage."},
    {"CELL 5", "Mux channel 5: cell 5 voltage."},
    {"CELL 6", "Mux channel 6: cell 6 voltage."},
    {"CELL 7", "Mux channel 7: cell 7 voltage."},
    {"CELL 8", "Mux channel 8: cell 8 voltage."},
    {"Current", "Mux channel 9: current-sense amplifier output."},
    {"VBAT", "Mux channel 10: pack voltage."},
    {"VRGO", "Mux channel 11: regulator output."},
    {"XTemp1", "Mux channel 12: external temperature 1."},
    {"XTemp2", "Mux channel 13: external temperature 2."},
    {"Internal Temp", "Mux channel 14: chip temperature."},
    {"Mux 15 None", "Mux channel 15: no input."},
}};

constexpr std::array<const char*, 5> kGainCaptions = {"", "50", "5", "500", "500"};

// The block diagram: one input row per channel into the multiplexer.
constexpr int kDiagramTop = 40;
constexpr int kDiagramPitch = 22;

// The reading of the run: captions in a column, values beside them.
void placeReadingFrame(frmADUtil& f, ui::In page)
{
    ui::place(f.FrReading, page, {8, 420, 330, 176}, "A/D Reading");
    const std::array<std::pair<int, const char*>, 7> captions = {{{10, "Mux Ctrl (0x85)"}, {11, "Code (hex)"},
        {12, "Reading"}, {13, "High / Low Byte"}, {14, "Code"}, {0, "LSB Volts"}, {15, "Samples"}}};
    for (std::size_t row = 0; row < captions.size(); ++row)
        ui::place(f.Label3.add(captions[row].first), f.FrReading,
            ui::Rect{10, 20, 120, 20}.moved(0, static_cast<int>(row) * 22), captions[row].second);
    ui::place(f.FrReading,
        {
            {f.lblADMuxCtrl, {140, 20, 60, 20}, "--"},
            {f.lblADINput.add(0), {140, 42, 80, 20}},
            {f.lblADINput.add(1), {140, 64, 150, 20}},
            {f.lblRaw.add(1), {140, 86, 30, 20}},
            {f.lblRaw.add(0), {176, 86, 30, 20}},
            {f.lblRaw.add(2), {140, 108, 80, 20}},
            {f.lblADLSB.add(0), {140, 130, 150, 20}},
            {f.lblReadCounter, {140, 152, 80, 20}},
        });
}

// Beside the reading: the graphing options, the timing estimate, the
// microcontroller mode and the run's prompt line.
void placeRunOptions(frmADUtil& f, ui::In page)
{
    ui::place(f.FrGraphOptions, page, {346, 470, 250, 76}, "Graphing Options");
    ui::place(f.FrGraphOptions,
        {
            {f.ChkEnableGraph, {12, 20, 220, 22}, "Enable Plot"},
            {f.ChkPollStatus, {12, 44, 220, 22}, "Poll Status (Main Form)"},
        });
    f.ChkEnableGraph.Value = 1;

    ui::place(f.FrCapture, page, {812, 470, 190, 88}, "Est Timing");
    ui::place(f.FrCapture,
        {
            {f.lblLoopTimeHeading, {12, 18, 170, 18}, "Total Loop Time mSec"},
            {f.lblLoopTime, {12, 38, 170, 20}},
            {f.lbltdiv, {12, 60, 170, 20}},
        });
    ui::place(f.FrUPMode, page, {812, 564, 190, 44}, "uProc Mode");
    ui::place(f.lblOPR.add(2), page, {346, 554, 458, 22}).FontBold = true;
}

}  // namespace

frmADUtil::frmADUtil(Program& program) : ProgramForm(program, "frmADUtil")
{
    Caption = "Corvale KVN58C2/3 Internal Mux and AD";
    Width = 1024;
    Height = 640;

    mnuAboutShow.Click = [this] { mnuAboutShow_Click(); };

    SSTab1.setTabs({"RSVD", "KVN58C2/3  Block Diagram", "Measurement Screen", "RSVD"});
    ui::place(SSTab1, {}, {4, 4, 1016, 632});

    buildEngineeringPage();
    buildBlockDiagramPage();
    buildMeasurementPage();
    buildScope();
    buildDemoPage();
}

void frmADUtil::buildEngineeringPage()
{
    const ui::In page{SSTab1, kPageEngineering};
    ui::place(cmdShowMother, page, {12, 12, 140, 28}, "Show Motherboard", {}, [this] { cmdShowMother_Click(); });
    ui::place(page,
        {
            {cmdInitPlot, {160, 12, 100, 28}, "Init Plot"},
            {cmdShowCal, {268, 12, 100, 28}, "Show Cal"},
            // Frames nothing shows: kept hidden, as designed.
            {FrmTemp, {12, 52, 300, 120}, "Temperature Calculator"},
            {Frame2, {320, 52, 300, 120}, "Picture Properties"},
            {Frame4, {628, 52, 300, 120}, "Range Values"},
            {Frame5, {12, 180, 300, 250}, "Current Calculator"},
            {Frbitsample, {320, 180, 300, 120}, "Scan In Process Bit Sampler"},
        });
    cmdInitPlot.Visible = false;
    cmdShowCal.Visible = false;
    for (int i = 0; i < 3; ++i)
        ui::place(lblRangeValues.add(i), Frame4, ui::Rect{12, 22, 200, 20}.moved(0, i * 26));
    for (int i = 0; i <= 8; ++i)
        ui::place(txtCalcCurrent.add(i), Frame5, ui::Rect{12, 22, 120, 20}.moved(0, i * 24));
    ui::place(cmdCalCurrent, Frame5, {150, 22, 120, 28}, "Calc Current", {}, [this] { cmdCalCurrent_Click(); });
    for (ui::Frame* f : {&FrmTemp, &Frame2, &Frame4, &Frame5, &Frbitsample})
        f->Visible = false;
}

void frmADUtil::buildBlockDiagramPage()
{
    const ui::In page{SSTab1, kPageBlockDiagram};
    ui::place(picBlockDiagram, page, {12, 12, 600, 420});
    picBlockDiagram.resizeBuffer(600, 420);
    drawBlockDiagram();
    // One connection mark per channel beside the diagram; the channel
    // selection hides them all and names the channel in lblMuxOut instead.
    for (int i = 0; i < chipreg::kMonitorChannelCount; ++i)
        ui::place(ShpMuxConnect.add(i), picBlockDiagram, {16, kDiagramTop + i * kDiagramPitch - 6, 12, 12}).ShapeType =
            ui::Shape::Rectangle;
    ui::place(page,
        {
            {lblMuxOut, {620, 200, 300, 22}, "--"},
            {lblInstInput, {620, 226, 300, 22}},
            {lblOPR.add(1), {12, 444, 900, 22}},
        });
    ui::place(cmdDoneTab1, page, {12, 474, 100, 28}, "Done", {}, [this] { cmdDoneTab1_Click(); });
    cmdDoneTab1.Visible = false;
}

void frmADUtil::drawBlockDiagram()
{
    ui::PictureBox& d = picBlockDiagram;
    const vb::Color ink = vb::kBlack;
    auto box = [&](int x1, int y1, int x2, int y2) {
        d.Line(x1, y1, x2, y1, ink);
        d.Line(x2, y1, x2, y2, ink);
        d.Line(x2, y2, x1, y2, ink);
        d.Line(x1, y2, x1, y1, ink);
    };
    auto text = [&](int x, int y, const char* t) {
        d.CurrentX = x;
        d.CurrentY = y;
        d.Print(t);
    };
    const int muxTop = kDiagramTop - 14;
    const int muxBottom = kDiagramTop + 15 * kDiagramPitch + 14;
    for (int i = 0; i < chipreg::kMonitorChannelCount; ++i) {
        const int y = kDiagramTop + i * kDiagramPitch;
        text(36, y - 6, kChannelButtons[static_cast<std::size_t>(i)].caption);
        d.Line(150, y, 260, y, ink);
    }
    box(260, muxTop, 320, muxBottom);
    text(268, (muxTop + muxBottom) / 2 - 20, "MUX");
    text(268, (muxTop + muxBottom) / 2, "0x85");
    const int mid = (muxTop + muxBottom) / 2 + 6;
    d.Line(320, mid, 400, mid, ink);
    box(400, mid - 30, 500, mid + 30);
    text(410, mid - 20, "14-bit");
    text(410, mid, "A/D");
    d.Line(500, mid, 540, mid, ink);
    text(506, mid + 12, "0xAA");
    text(506, mid + 26, "0xAB");
    d.Refresh();
}

void frmADUtil::buildMeasurementPage()
{
    const ui::In page{SSTab1, kPageMeasurement};

    ui::place(FrMuxSelect, page, {8, 8, 330, 246}, "KVN58Cx Internal Mux Selection: Reg  0x85 AO3-AO0");
    for (int i = 0; i < chipreg::kMonitorChannelCount; ++i) {
        const ChannelButton& b = kChannelButtons[static_cast<std::size_t>(i)];
        ui::place(OptMuxSelect.add(i), FrMuxSelect, ui::inColumns({12, 22, 150, 24}, i, 8, 158, 27), b.caption, b.tip,
            [this, i] { OptMuxSelect_Click(i); });
    }

    ui::place(frmFDBK, page, {8, 260, 330, 52}, "Current Sense Gain");
    for (int i = 1; i <= 4; ++i)
        ui::place(OptFDGain.add(i), frmFDBK, ui::Rect{12, 20, 70, 24}.moved((i - 1) * 78, 0),
            kGainCaptions[static_cast<std::size_t>(i)], {}, [this, i] {
                if (!markingGain_)
                    OptFDGain_Click(i);
            });

    ui::place(FrBits, page, {8, 318, 120, 52}, "Bits");
    for (int i = 0; i < 2; ++i)
        ui::place(OptBits.add(i), FrBits, ui::Rect{12, 20, 48, 24}.moved(i * 52, 0), i == 0 ? "12" : "14", {},
            [this, i] { OptBits_Click(i); });
    OptBits[1].Value.setQuietly(true);

    ui::place(cmdGraphReadings, page, {150, 324, 90, 28}, "12 Bit Go", {}, [this] { cmdGraphReadings_Click(); });
    cmdGraphReadings.Visible = false;
    ui::place(cmdCollectData2, page, {248, 324, 90, 28}, "14 Bit Go", {}, [this] { cmdCollectData2_Click(); });
    ui::place(SSCmdStop, page, {8, 378, 161, 36}, "Stop", {}, [this] { SSCmdStop_Click(); });
    SSCmdStop.FontBold = true;
    ui::place(cmdMainShow, page, {177, 378, 161, 36}, "Show Main", {}, [this] { cmdMainShow_Click(); });

    placeReadingFrame(*this, page);

    buildRecordFrame();
    placeRunOptions(*this, page);

    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer_Instant.Tick = [this] { Timer_Instant_Timer(); };
    Batch_Timer.Tick = [this] { Batch_Timer_Timer(); };
}

void frmADUtil::buildRecordFrame()
{
    ui::place(frmDataRecord, {SSTab1, kPageMeasurement}, {346, 312, 456, 150}, "Save Measurements to File");
    frmDataRecord.Visible = false;
    ui::place(frmDataRecord,
        {
            {lblFilePath, {12, 26, 100, 20}, "File:"},
            {txtFilePath, {116, 22, 226, 24}},
            {cmdBrowse, {350, 20, 94, 28}, "Browse"},
            {lblFileComment, {12, 58, 100, 20}, "User Comment:"},
            {txtFileComment, {116, 54, 226, 24}},
            {chkAppend, {350, 56, 94, 22}, "Append"},
            {cmdStartRec, {12, 86, 130, 28}, "Write to Disk"},
            {Label18, {12, 120, 432, 20}},
        });
    txtFileComment.Text = "KVN58C3 AD Data";
    cmdBrowse.Click = [this] { cmdBrowse_Click(); };
    cmdStartRec.Click = [this] { cmdStartRec_Click(); };
}

void frmADUtil::buildScope()
{
    const ui::In page{SSTab1, kPageMeasurement};
    // The label picture around the trace picture: y values right of it, x
    // values, sample count and title under it.
    ui::place(picTrace1_2, page, {346, 8, 430, 226});
    picTrace1_2.resizeBuffer(430, 226);
    ui::place(picTrace1_1, picTrace1_2, {8, 12, 320, 164});
    picTrace1_1.resizeBuffer(320, 164);

    // Values beside the scope: caption, then value.
    auto valueRow = [&](ui::Label& caption, const char* text, ui::Label& value, int y) {
        ui::place(caption, page, {786, y, 120, 20}, text);
        ui::place(value, page, {906, y, 96, 20}).Alignment = 1;
    };
    ui::place(Label2.add(2), page, {786, 8, 216, 20}, "Signal Amplitude Volts").FontBold = true;
    valueRow(Label3.add(1), "Pk-Pk", lblpkpk.add(1), 32);
    valueRow(Label3.add(3), "Max             ", lblpkpk.add(2), 54);
    valueRow(Label3.add(2), "Min          ", lblpkpk.add(3), 76);
    valueRow(Label3.add(4), "Instant", lblADInstant.add(1), 98);
    // lbluvdiv(0) lies under (3) and is written only by Reset Scale: kept hidden,
    // so its stale value never shows through the live one.
    ui::place(lbluvdiv.add(0), page, {906, 128, 96, 20}).Alignment = 1;
    lbluvdiv[0].Visible = false;
    valueRow(Label3.add(6), " mV / Div  ", lbluvdiv.add(3), 128);
    valueRow(Label3.add(8), " mV midscale", lbluvdiv.add(2), 150);
    ui::place(page,
        {
            {Label4, {786, 180, 120, 20}, "Current MA"},
            {lblUserGain, {906, 180, 96, 20}},
        });
    Label4.Visible = false;
    lblUserGain.Visible = false;
    lblUserGain.Alignment = 1;
    for (int i = 0; i < 2; ++i)
        ui::place(Label16.add(i), page, ui::Rect{772, 32, 12, 20}.moved(0, i * 22), "<").Visible = false;

    // Scale buttons under the scope.
    ui::place(
        cmdMeasureScreenInit, page, {346, 242, 104, 28}, "Reset Scale", {}, [this] { cmdMeasureScreenInit_Click(); });
    ui::place(cmdAutoRange2, page, {454, 242, 104, 28}, "AutoRange", {}, [this] { cmdAutoRange2_Click(); });
    ui::place(cmrResetPeaks, page, {562, 242, 104, 28}, "Reset Peaks", {}, [this] { cmrResetPeaks_Click(); });
    const std::array<const char*, 3> adjust = {"Increase Sensitivity", "Decrease Sensitivity", "Center"};
    for (int i = 0; i < 3; ++i)
        ui::place(cmdRangeAdj.add(i), page, ui::Rect{346, 276, 142, 28}.moved(i * 146, 0),
            adjust[static_cast<std::size_t>(i)], {}, [this, i] { cmdRangeAdj_Click(i); });
}

void frmADUtil::buildDemoPage()
{
    ui::place({SSTab1, kPageDemo},
        {
            {lblDemoText, {12, 12, 900, 40},
                "Demonstration: the chip's own converter reads one analog signal at a time through its "
                "internal multiplexer; the measurement screen plots it."},
            {picDemo, {12, 60, 400, 240}},
            {lblDemoSteps, {12, 310, 200, 20}, "IDLE"},
        });
    picDemo.resizeBuffer(400, 240);
}

}  // namespace adutil
