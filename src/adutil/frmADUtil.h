#pragma once
// The A/D form: routes one analog signal of the chip to the chip's own
// converter, samples it as fast as the link allows and plots a scrolling trace
// on a scope-like display. Set-up and tables in FormLoad.cpp and Layout.cpp,
// the scope in Scope.cpp, channel and run control in RunControl.cpp, the
// runs in Acquisition*.cpp, the measurement file in MeasurementFile.cpp, the
// current calculator in CurrentCalc.cpp.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "adutil/ModWaveform_ALS.h"
#include "adutil/ReadingRecords.h"
#include "adutil/ScopeScale.h"
#include "program/ProgramForm.h"
#include "ui/CommonDialog.h"

namespace adutil {

// Pages of SSTab1.
enum AdPage : int { kPageEngineering = 0, kPageBlockDiagram = 1, kPageMeasurement = 2, kPageDemo = 3 };

// The name tables the form fills at load; they keep their texts after an unload.
struct NameTables {
    std::array<std::string, 16> MuxChannelName;
    std::array<std::string, 5> GainText;  // 1 to 4
    std::array<std::string, 5> StimSourceName;
};

// The scope's axis texts and sizes.
struct ScopeLabels {
    int PlotWidth = 0, PlotHeight = 0;
    std::string PlotTitle, PlotUnitText;
    std::array<std::string, kDivisions + 1> XLabelText, YLabelText;
};

// What the run control and the runs share between samples and timer ticks.
struct RunState {
    int MuxChannel = 0;
    bool AcqStarted = false;
    bool PromptsOff = false;
    long AvgCount = 0;
    double AvgSum = 0;
    int SampleCycle = 0;
};

class frmADUtil : public ProgramForm {
public:
    explicit frmADUtil(Program& program);

    ui::Menu mnuAboutShow{*this, "mnuAboutShow", "About"};
    ui::TabControl SSTab1{*this, "SSTab1"};

    // ---- Page 0 "RSVD": engineering controls ----
    ui::CommandButton cmdShowMother{*this, "cmdShowMother"};
    ui::CommandButton cmdInitPlot{*this, "cmdInitPlot"};
    ui::CommandButton cmdShowCal{*this, "cmdShowCal"};
    ui::Frame FrmTemp{*this, "FrmTemp"};
    ui::Frame Frame2{*this, "Frame2"};
    ui::Frame Frame4{*this, "Frame4"};
    ui::ControlArray<ui::Label> lblRangeValues{*this, "lblRangeValues"};
    ui::Frame Frame5{*this, "Frame5"};
    ui::ControlArray<ui::TextBox> txtCalcCurrent{*this, "txtCalcCurrent"};
    ui::CommandButton cmdCalCurrent{*this, "cmdCalCurrent"};
    ui::Frame Frbitsample{*this, "Frbitsample"};

    // ---- Page 1: block diagram ----
    ui::PictureBox picBlockDiagram{*this, "picBlockDiagram"};
    ui::ControlArray<ui::Shape> ShpMuxConnect{*this, "ShpMuxConnect"};
    ui::Label lblMuxOut{*this, "lblMuxOut"};
    ui::Label lblInstInput{*this, "lblInstInput"};
    ui::ControlArray<ui::Label> lblOPR{*this, "lblOPR"};  // 1 on this page, 2 on the measurement page
    ui::CommandButton cmdDoneTab1{*this, "cmdDoneTab1"};

    // ---- Page 2: measurement screen ----
    ui::Frame FrMuxSelect{*this, "FrMuxSelect"};
    ui::ControlArray<ui::OptionButton> OptMuxSelect{*this, "OptMuxSelect"};
    ui::Frame frmFDBK{*this, "frmFDBK"};
    ui::ControlArray<ui::OptionButton> OptFDGain{*this, "OptFDGain"};
    ui::Frame FrBits{*this, "FrBits"};
    ui::ControlArray<ui::OptionButton> OptBits{*this, "OptBits"};
    ui::CommandButton cmdGraphReadings{*this, "cmdGraphReadings"};
    ui::CommandButton cmdCollectData2{*this, "cmdCollectData2"};
    ui::CommandButton SSCmdStop{*this, "SSCmdStop"};
    ui::CommandButton cmdMainShow{*this, "cmdMainShow"};

    // The scope: the trace picture inside the label picture, and its value labels.
    ui::PictureBox picTrace1_2{*this, "picTrace1_2"};
    ui::PictureBox picTrace1_1{*this, "picTrace1_1"};
    ui::ControlArray<ui::Label> lbluvdiv{*this, "lbluvdiv"};
    ui::ControlArray<ui::Label> lblpkpk{*this, "lblpkpk"};
    ui::ControlArray<ui::Label> lblADInstant{*this, "lblADInstant"};
    ui::ControlArray<ui::Label> Label3{*this, "Label3"};
    ui::ControlArray<ui::Label> Label2{*this, "Label2"};
    ui::CommandButton cmdMeasureScreenInit{*this, "cmdMeasureScreenInit"};
    ui::CommandButton cmdAutoRange2{*this, "cmdAutoRange2"};
    ui::ControlArray<ui::CommandButton> cmdRangeAdj{*this, "cmdRangeAdj"};
    ui::CommandButton cmrResetPeaks{*this, "cmrResetPeaks"};

    // Readings of the run.
    ui::Frame FrReading{*this, "FrReading"};
    ui::ControlArray<ui::Label> lblADINput{*this, "lblADINput"};  // 0 code (hex), 1 reading
    ui::ControlArray<ui::Label> lblRaw{*this, "lblRaw"};  // 0 low, 1 high byte, 2 code
    ui::ControlArray<ui::Label> lblADLSB{*this, "lblADLSB"};
    ui::Label lblADMuxCtrl{*this, "lblADMuxCtrl"};
    ui::Label lblReadCounter{*this, "lblReadCounter"};
    ui::Label Label4{*this, "Label4"};
    ui::Label lblUserGain{*this, "lblUserGain"};
    ui::ControlArray<ui::Label> Label16{*this, "Label16"};

    ui::Frame FrGraphOptions{*this, "FrGraphOptions"};
    ui::CheckBox ChkEnableGraph{*this, "ChkEnableGraph"};
    ui::CheckBox ChkPollStatus{*this, "ChkPollStatus"};
    ui::Frame frmDataRecord{*this, "frmDataRecord"};
    ui::Label lblFilePath{*this, "lblFilePath"};
    ui::TextBox txtFilePath{*this, "txtFilePath"};
    ui::CommandButton cmdBrowse{*this, "cmdBrowse"};
    ui::Label lblFileComment{*this, "lblFileComment"};
    ui::TextBox txtFileComment{*this, "txtFileComment"};
    ui::CheckBox chkAppend{*this, "chkAppend"};
    ui::CommandButton cmdStartRec{*this, "cmdStartRec"};
    ui::Label Label18{*this, "Label18"};
    ui::CommonDialog cdldialog{*this, "cdldialog"};
    ui::Frame FrCapture{*this, "FrCapture"};
    ui::Label lblLoopTimeHeading{*this, "lblLoopTimeHeading"};
    ui::Label lblLoopTime{*this, "lblLoopTime"};
    ui::Label lbltdiv{*this, "lbltdiv"};
    ui::Frame FrUPMode{*this, "FrUPMode"};

    ui::Timer Timer1{*this, "Timer1", 1000, false};
    ui::Timer Timer_Instant{*this, "Timer_Instant", 350, false};
    ui::Timer Batch_Timer{*this, "Batch_Timer", 500, false};

    // ---- Page 3 "RSVD": demonstration ----
    ui::Label lblDemoText{*this, "lblDemoText"};
    ui::PictureBox picDemo{*this, "picDemo"};
    ui::Label lblDemoSteps{*this, "lblDemoSteps"};

    // ---- Module-level state of the form (kept over an unload) ----
    NameTables names;
    ScopeScale scale;
    ScopeLabels labels;
    ModWaveform_ALS wave;
    RunState run;
    ReadingRecords records;

    // Set-up, tables and menus.
    void cmdMainShow_Click();
    void cmdShowMother_Click();
    void mnuAboutShow_Click();
    void cmdDoneTab1_Click() {}

    // The scope.
    void cmdMeasureScreenInit_Click();
    void cmdAutoRange2_Click();
    void cmdRangeAdj_Click(int Index);
    void cmrResetPeaks_Click();
    void DrawGrid(ui::PictureBox& picture);
    void DrawGridLabels3(ui::PictureBox& labelPicture, ui::PictureBox& tracePicture);

    // Channel, gain and run control.
    void OptMuxSelect_Click(int Index);
    void OptBits_Click(int Index);
    void OptFDGain_Click(int Index);
    void SSCmdStop_Click();
    void Batch_Timer_Timer();
    void Timer_Instant_Timer();
    void Timer1_Timer();
    void OptStimSelect_Click(int /*Index*/) {}
    void OptVoltageSelect_Click(int /*Index*/) {}

    // The 14-bit and the 12-bit run; each returns when it has ended.
    void cmdCollectData2_Click();
    void cmdGraphReadings_Click();

    // The measurement file: the readings of the last run.
    void cmdBrowse_Click();
    void cmdStartRec_Click();

    // The current from the chip's 12-bit current-sense result, on the chip form.
    void cmdCalCurrent_Click();

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    void buildEngineeringPage();
    void buildBlockDiagramPage();
    void drawBlockDiagram();
    void buildMeasurementPage();
    void buildRecordFrame();
    void buildScope();
    void buildDemoPage();
    // A trace line while both the trace and its detail switch are on.
    void traceDetail(std::string_view text);
    // The value labels of a new scale: mid-scale value and span per division.
    void showScaleValues();
    // Steps 3 to 8 of the stop sequence the stop, resolution and channel handlers share.
    void finishStop();
    // Selects a gain button to show the chip's gain, without running its click.
    void markGainOption(int Index);
    // The run of the chosen resolution, on the selected channel.
    void startRun();
    // The acquisition runs (Acquisition.cpp, Acquisition14.cpp, Acquisition12.cpp).
    struct Sample;
    void runAcquisition(Sample& s);
    void startSampling(Sample& s);
    void firstReading14(Sample& s);
    void firstReading12(Sample& s);
    void showFirstReading(const Sample& s, std::optional<double> step);
    void takeSample(Sample& s);
    // The reading of one pass; false when the run was stopped before its transfer.
    bool readSample14(Sample& s);
    bool readSample12(Sample& s);
    void readPair12(Sample& s);
    void scalePair12(Sample& s);
    void showCurrent(const Sample& s);
    void plotReading(double reading);
    void pollStatus();
    void countPass(const Sample& s);
    void timePass(Sample& s);
    void endSampling(const Sample& s);

    bool markingGain_ = false;
};

}  // namespace adutil
