// Controls of the A/D form: design values, placement and event wiring.
#include <array>

#include "adutil/frmADUtil.h"
#include "regmap/ChipRegisters.h"

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

}  // namespace

frmADUtil::frmADUtil(Program& program) : ProgramForm(program, "frmADUtil")
{
    Caption = "Corvale KVN58C2/3 Internal Mux and AD";
    Width = 1024;
    Height = 640;

    mnuAboutShow.Click = [this] { mnuAboutShow_Click(); };

    SSTab1.setTabs({"RSVD", "KVN58C2/3  Block Diagram", "Measurement Screen", "RSVD"});
    SSTab1.move(4, 4, 1016, 632);

    buildEngineeringPage();
    buildBlockDiagramPage();
    buildMeasurementPage();
    buildScope();
    buildDemoPage();
}

void frmADUtil::buildEngineeringPage()
{
    auto onPage = [this](ui::Control& c, int x, int y, int w, int h) {
        c.setContainer(&SSTab1, kPageEngineering);
        c.move(x, y, w, h);
    };
    cmdShowMother.Caption = "Show Motherboard";
    onPage(cmdShowMother, 12, 12, 140, 28);
    cmdShowMother.Click = [this] { cmdShowMother_Click(); };
    cmdInitPlot.Caption = "Init Plot";
    cmdInitPlot.Visible = false;
    onPage(cmdInitPlot, 160, 12, 100, 28);
    cmdShowCal.Caption = "Show Cal";
    cmdShowCal.Visible = false;
    onPage(cmdShowCal, 268, 12, 100, 28);

    // Frames nothing shows: kept hidden, as designed.
    FrmTemp.Caption = "Temperature Calculator";
    onPage(FrmTemp, 12, 52, 300, 120);
    Frame2.Caption = "Picture Properties";
    onPage(Frame2, 320, 52, 300, 120);
    Frame4.Caption = "Range Values";
    onPage(Frame4, 628, 52, 300, 120);
    for (int i = 0; i < 3; ++i) {
        auto& l = lblRangeValues.add(i);
        l.setContainer(&Frame4);
        l.move(12, 22 + i * 26, 200, 20);
    }
    Frame5.Caption = "Current Calculator";
    onPage(Frame5, 12, 180, 300, 250);
    for (int i = 0; i <= 8; ++i) {
        auto& t = txtCalcCurrent.add(i);
        t.setContainer(&Frame5);
        t.move(12, 22 + i * 24, 120, 20);
    }
    cmdCalCurrent.Caption = "Calc Current";
    cmdCalCurrent.setContainer(&Frame5);
    cmdCalCurrent.move(150, 22, 120, 28);
    cmdCalCurrent.Click = [this] { cmdCalCurrent_Click(); };
    Frbitsample.Caption = "Scan In Process Bit Sampler";
    onPage(Frbitsample, 320, 180, 300, 120);
    for (ui::Frame* f : {&FrmTemp, &Frame2, &Frame4, &Frame5, &Frbitsample})
        f->Visible = false;
}

void frmADUtil::buildBlockDiagramPage()
{
    auto onPage = [this](ui::Control& c, int x, int y, int w, int h) {
        c.setContainer(&SSTab1, kPageBlockDiagram);
        c.move(x, y, w, h);
    };
    onPage(picBlockDiagram, 12, 12, 600, 420);
    picBlockDiagram.resizeBuffer(600, 420);
    drawBlockDiagram();
    // One connection mark per channel beside the diagram; the channel
    // selection hides them all and names the channel in lblMuxOut instead.
    for (int i = 0; i < chipreg::kMonitorChannelCount; ++i) {
        auto& s = ShpMuxConnect.add(i);
        s.ShapeType = ui::Shape::Rectangle;
        s.setContainer(&picBlockDiagram);
        s.move(16, kDiagramTop + i * kDiagramPitch - 6, 12, 12);
    }
    lblMuxOut.Caption = "--";
    onPage(lblMuxOut, 620, 200, 300, 22);
    lblInstInput.Caption = "";
    onPage(lblInstInput, 620, 226, 300, 22);
    auto& prompt1 = lblOPR.add(1);
    onPage(prompt1, 12, 444, 900, 22);
    cmdDoneTab1.Caption = "Done";
    cmdDoneTab1.Visible = false;
    onPage(cmdDoneTab1, 12, 474, 100, 28);
    cmdDoneTab1.Click = [this] { cmdDoneTab1_Click(); };
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
    auto onPage = [this](ui::Control& c, int x, int y, int w, int h) {
        c.setContainer(&SSTab1, kPageMeasurement);
        c.move(x, y, w, h);
    };

    FrMuxSelect.Caption = "KVN58Cx Internal Mux Selection: Reg  0x85 AO3-AO0";
    onPage(FrMuxSelect, 8, 8, 330, 246);
    for (int i = 0; i < chipreg::kMonitorChannelCount; ++i) {
        auto& o = OptMuxSelect.add(i);
        o.Caption = kChannelButtons[static_cast<std::size_t>(i)].caption;
        o.ToolTipText = kChannelButtons[static_cast<std::size_t>(i)].tip;
        o.setContainer(&FrMuxSelect);
        o.move(12 + (i / 8) * 158, 22 + (i % 8) * 27, 150, 24);
        o.Click = [this, i] { OptMuxSelect_Click(i); };
    }

    frmFDBK.Caption = "Current Sense Gain";
    onPage(frmFDBK, 8, 260, 330, 52);
    for (int i = 1; i <= 4; ++i) {
        auto& o = OptFDGain.add(i);
        o.Caption = kGainCaptions[static_cast<std::size_t>(i)];
        o.setContainer(&frmFDBK);
        o.move(12 + (i - 1) * 78, 20, 70, 24);
        o.Click = [this, i] {
            if (!markingGain_)
                OptFDGain_Click(i);
        };
    }

    FrBits.Caption = "Bits";
    onPage(FrBits, 8, 318, 120, 52);
    for (int i = 0; i < 2; ++i) {
        auto& o = OptBits.add(i);
        o.Caption = i == 0 ? "12" : "14";
        o.setContainer(&FrBits);
        o.move(12 + i * 52, 20, 48, 24);
        o.Click = [this, i] { OptBits_Click(i); };
    }
    OptBits[1].Value.setQuietly(true);

    cmdGraphReadings.Caption = "12 Bit Go";
    cmdGraphReadings.Visible = false;
    onPage(cmdGraphReadings, 150, 324, 90, 28);
    cmdGraphReadings.Click = [this] { cmdGraphReadings_Click(); };
    cmdCollectData2.Caption = "14 Bit Go";
    onPage(cmdCollectData2, 248, 324, 90, 28);
    cmdCollectData2.Click = [this] { cmdCollectData2_Click(); };
    SSCmdStop.Caption = "Stop";
    SSCmdStop.FontBold = true;
    onPage(SSCmdStop, 8, 378, 161, 36);
    SSCmdStop.Click = [this] { SSCmdStop_Click(); };
    cmdMainShow.Caption = "Show Main";
    onPage(cmdMainShow, 177, 378, 161, 36);
    cmdMainShow.Click = [this] { cmdMainShow_Click(); };

    // The reading of the run.
    FrReading.Caption = "A/D Reading";
    onPage(FrReading, 8, 420, 330, 176);
    auto inReading = [this](ui::Control& c, int x, int y, int w) {
        c.setContainer(&FrReading);
        c.move(x, y, w, 20);
    };
    const std::array<std::pair<int, const char*>, 7> captions = {{{10, "Mux Ctrl (0x85)"}, {11, "Code (hex)"},
        {12, "Reading"}, {13, "High / Low Byte"}, {14, "Code"}, {0, "LSB Volts"}, {15, "Samples"}}};
    for (std::size_t row = 0; row < captions.size(); ++row) {
        auto& l = Label3.add(captions[row].first);
        l.Caption = captions[row].second;
        inReading(l, 10, 20 + static_cast<int>(row) * 22, 120);
    }
    lblADMuxCtrl.Caption = "--";
    inReading(lblADMuxCtrl, 140, 20, 60);
    inReading(lblADINput.add(0), 140, 42, 80);
    inReading(lblADINput.add(1), 140, 64, 150);
    inReading(lblRaw.add(1), 140, 86, 30);
    inReading(lblRaw.add(0), 176, 86, 30);
    inReading(lblRaw.add(2), 140, 108, 80);
    inReading(lblADLSB.add(0), 140, 130, 150);
    inReading(lblReadCounter, 140, 152, 80);

    FrGraphOptions.Caption = "Graphing Options";
    onPage(FrGraphOptions, 346, 470, 250, 76);
    ChkEnableGraph.Caption = "Enable Plot";
    ChkEnableGraph.Value = 1;
    ChkEnableGraph.setContainer(&FrGraphOptions);
    ChkEnableGraph.move(12, 20, 220, 22);
    ChkPollStatus.Caption = "Poll Status (Main Form)";
    ChkPollStatus.setContainer(&FrGraphOptions);
    ChkPollStatus.move(12, 44, 220, 22);

    buildRecordFrame();

    FrCapture.Caption = "Est Timing";
    onPage(FrCapture, 812, 470, 190, 88);
    lblLoopTimeHeading.Caption = "Total Loop Time mSec";
    lblLoopTimeHeading.setContainer(&FrCapture);
    lblLoopTimeHeading.move(12, 18, 170, 18);
    lblLoopTime.setContainer(&FrCapture);
    lblLoopTime.move(12, 38, 170, 20);
    lbltdiv.setContainer(&FrCapture);
    lbltdiv.move(12, 60, 170, 20);

    FrUPMode.Caption = "uProc Mode";
    onPage(FrUPMode, 812, 564, 190, 44);

    lblOPR.add(2).FontBold = true;
    onPage(lblOPR[2], 346, 554, 458, 22);

    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer_Instant.Tick = [this] { Timer_Instant_Timer(); };
    Batch_Timer.Tick = [this] { Batch_Timer_Timer(); };
}

void frmADUtil::buildRecordFrame()
{
    frmDataRecord.Caption = "Save Measurements to File";
    frmDataRecord.Visible = false;
    frmDataRecord.setContainer(&SSTab1, kPageMeasurement);
    frmDataRecord.move(346, 312, 456, 150);
    auto inFrame = [this](ui::Control& c, int x, int y, int w, int h) {
        c.setContainer(&frmDataRecord);
        c.move(x, y, w, h);
    };
    lblFilePath.Caption = "File:";
    inFrame(lblFilePath, 12, 26, 100, 20);
    inFrame(txtFilePath, 116, 22, 226, 24);
    cmdBrowse.Caption = "Browse";
    inFrame(cmdBrowse, 350, 20, 94, 28);
    cmdBrowse.Click = [this] { cmdBrowse_Click(); };
    lblFileComment.Caption = "User Comment:";
    inFrame(lblFileComment, 12, 58, 100, 20);
    txtFileComment.Text = "KVN58C3 AD Data";
    inFrame(txtFileComment, 116, 54, 226, 24);
    chkAppend.Caption = "Append";
    inFrame(chkAppend, 350, 56, 94, 22);
    cmdStartRec.Caption = "Write to Disk";
    inFrame(cmdStartRec, 12, 86, 130, 28);
    cmdStartRec.Click = [this] { cmdStartRec_Click(); };
    inFrame(Label18, 12, 120, 432, 20);
}

void frmADUtil::buildScope()
{
    auto onPage = [this](ui::Control& c, int x, int y, int w, int h) {
        c.setContainer(&SSTab1, kPageMeasurement);
        c.move(x, y, w, h);
    };
    // The label picture around the trace picture: y values right of it, x
    // values, sample count and title under it.
    onPage(picTrace1_2, 346, 8, 430, 226);
    picTrace1_2.resizeBuffer(430, 226);
    picTrace1_1.setContainer(&picTrace1_2);
    picTrace1_1.move(8, 12, 320, 164);
    picTrace1_1.resizeBuffer(320, 164);

    // Values beside the scope: caption, then value.
    auto valueRow = [&](ui::Label& caption, const char* text, ui::Label& value, int y) {
        caption.Caption = text;
        onPage(caption, 786, y, 120, 20);
        onPage(value, 906, y, 96, 20);
        value.Alignment = 1;
    };
    Label2.add(2).Caption = "Signal Amplitude Volts";
    Label2[2].FontBold = true;
    onPage(Label2[2], 786, 8, 216, 20);
    valueRow(Label3.add(1), "Pk-Pk", lblpkpk.add(1), 32);
    valueRow(Label3.add(3), "Max             ", lblpkpk.add(2), 54);
    valueRow(Label3.add(2), "Min          ", lblpkpk.add(3), 76);
    valueRow(Label3.add(4), "Instant", lblADInstant.add(1), 98);
    // lbluvdiv(0) lies under (3) and is written only by Reset Scale: kept hidden,
    // so its stale value never shows through the live one.
    onPage(lbluvdiv.add(0), 906, 128, 96, 20);
    lbluvdiv[0].Alignment = 1;
    lbluvdiv[0].Visible = false;
    valueRow(Label3.add(6), " mV / Div  ", lbluvdiv.add(3), 128);
    valueRow(Label3.add(8), " mV midscale", lbluvdiv.add(2), 150);
    Label4.Caption = "Current MA";
    Label4.Visible = false;
    onPage(Label4, 786, 180, 120, 20);
    lblUserGain.Visible = false;
    onPage(lblUserGain, 906, 180, 96, 20);
    lblUserGain.Alignment = 1;
    for (int i = 0; i < 2; ++i) {
        auto& marker = Label16.add(i);
        marker.Caption = "<";
        marker.Visible = false;
        onPage(marker, 772, 32 + i * 22, 12, 20);
    }

    // Scale buttons under the scope.
    cmdMeasureScreenInit.Caption = "Reset Scale";
    onPage(cmdMeasureScreenInit, 346, 242, 104, 28);
    cmdMeasureScreenInit.Click = [this] { cmdMeasureScreenInit_Click(); };
    cmdAutoRange2.Caption = "AutoRange";
    onPage(cmdAutoRange2, 454, 242, 104, 28);
    cmdAutoRange2.Click = [this] { cmdAutoRange2_Click(); };
    cmrResetPeaks.Caption = "Reset Peaks";
    onPage(cmrResetPeaks, 562, 242, 104, 28);
    cmrResetPeaks.Click = [this] { cmrResetPeaks_Click(); };
    const std::array<const char*, 3> adjust = {"Increase Sensitivity", "Decrease Sensitivity", "Center"};
    for (int i = 0; i < 3; ++i) {
        auto& b = cmdRangeAdj.add(i);
        b.Caption = adjust[static_cast<std::size_t>(i)];
        onPage(b, 346 + i * 146, 276, 142, 28);
        b.Click = [this, i] { cmdRangeAdj_Click(i); };
    }
}

void frmADUtil::buildDemoPage()
{
    lblDemoText.Caption = "Demonstration: the chip's own converter reads one analog signal at a time through its "
                          "internal multiplexer; the measurement screen plots it.";
    lblDemoText.setContainer(&SSTab1, kPageDemo);
    lblDemoText.move(12, 12, 900, 40);
    picDemo.setContainer(&SSTab1, kPageDemo);
    picDemo.move(12, 60, 400, 240);
    picDemo.resizeBuffer(400, 240);
    lblDemoSteps.Caption = "IDLE";
    lblDemoSteps.setContainer(&SSTab1, kPageDemo);
    lblDemoSteps.move(12, 310, 200, 20);
}

}  // namespace adutil
