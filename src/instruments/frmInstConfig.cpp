// The instrument configuration file: four fields per record, shown in Grid1;
// its address and description columns go to the source-measure and meter panels.
#include "instruments/frmInst.h"

#include "vb/Strings.h"

namespace instruments {

namespace {

constexpr int kMaxRecords = 26;
constexpr int kFieldsPerRecord = 4;
constexpr int kFirstSourceMeasureRow = 3;
constexpr int kFirstMeterRow = 11;
constexpr int kAddressColumn = 1;
constexpr int kDescriptionColumn = 3;

// Grid size and widths in twips, as the grid is laid out at every load.
constexpr int kTwipsPerPixel = 15;
constexpr int twips(int t) { return (t + kTwipsPerPixel / 2) / kTwipsPerPixel; }

}  // namespace

void frmInst::resetGrid()
{
    Grid1.setRows(0);
    Grid1.setCols(0);
    Grid1.setCols(4);
    Grid1.setRows(30);
    Grid1.move(Grid1.Left, Grid1.Top, twips(5500), twips(6000));
    for (int c = 0; c < 3; ++c)
        Grid1.setColWidth(c, twips(1000));
    Grid1.setColWidth(3, twips(4000));
}

void frmInst::applyGridToPanels()
{
    auto cell = [this](int row, int col) { return vb::Trim(Grid1.TextMatrix(row, col)); };
    for (int i = 0; i < kSourceMeasurePanels; ++i) {
        const int row = kFirstSourceMeasureRow + i;
        txtVIAddress[i].Text = cell(row, kAddressColumn);
        FrVIContol[i].Caption = "VI# " + std::to_string(i + 1) + " " + cell(row, kDescriptionColumn);
    }
    for (int i = 0; i < kMeterPanels; ++i) {
        const int row = kFirstMeterRow + i;
        txtDVMAddress[i].Text = cell(row, kAddressColumn);
        frDVMSet[i].Caption = "VM# " + std::to_string(i + 1) + " " + cell(row, kDescriptionColumn);
    }
}

void frmInst::Read_Instrument_FIle()
{
    ui::FileTable& files = p.rt().files();
    if (configFile_ != 0) {
        files.Close(configFile_);
        configFile_ = 0;
    }
    lblInstConfigFIle.Caption = cdldialog.FileName;

    // Any failure from here on (missing file, end before "EOF") closes the file
    // and leaves the panels as they were, without a message.
    const int n = files.FreeFile();
    if (!files.Open(n, cdldialog.FileName, ui::OpenMode::Input))
        return;
    configFile_ = n;
    auto stop = [&] {
        files.Close(configFile_);
        configFile_ = 0;
    };

    resetGrid();
    std::string field;
    for (int row = 0; row < kMaxRecords; ++row) {
        if (!files.InputField(configFile_, field))
            return stop();
        if (field == "EOF")
            break;
        Grid1.setTextMatrix(row, 0, field);
        for (int col = 1; col < kFieldsPerRecord; ++col) {
            if (!files.InputField(configFile_, field))
                return stop();
            Grid1.setTextMatrix(row, col, field);
        }
    }
    applyGridToPanels();
    stop();
}

void frmInst::cmdloadInstConfig_Click()
{
    cdldialog.DialogTitle = "Select Instruments File to Load";
    cdldialog.InitDir = p.appFile("");
    cdldialog.FileName = "";
    cdldialog.Filter = "All Files (*.*)|*.*|Instrument Files(*.csv)|*.csv";
    cdldialog.FilterIndex = 2;
    cdldialog.DefaultExt = "*.CSV";
    if (!cdldialog.ShowOpen() || cdldialog.FileName.empty())
        return;
    Read_Instrument_FIle();
}

}  // namespace instruments
