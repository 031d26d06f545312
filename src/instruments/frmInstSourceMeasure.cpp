// The five source-measure panels: VI mode (source volts, measure current) and
// IV mode (source current, measure volts) from the panel's boxes, output on
// with a reading, standby; the bias rows of the first two units, the preset
// strings and the reset of the first two units.
#include "gpib/Vbib32.h"
#include "instruments/frmInst.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace instruments {

namespace {

constexpr const char* kReset = "J0X";
constexpr const char* kOperate = "N1H0X";
constexpr const char* kStandby = "N0H0X";
constexpr const char* kFilterIntegrationFormat = "P4S3G5,2,0X";
constexpr const char* kOffIcon = "HPYELOF.ICO";
constexpr const char* kOnIcon = "HPYELON.ICO";

// The first two units get full VI set-ups, each with its own ranges.
struct ViRanges {
    const char* compliance;
    const char* bias;
    const char* trigger;
};
constexpr ViRanges kViRanges[2] = {{",7", ",2,0", ""}, {",9", ",3,0", "T0,0,0,1"}};

}  // namespace

void frmInst::connectSourceMeasure()
{
    cmdSetVIMODE.forEach([this](int i, ui::CommandButton& b) { b.Click = [this, i] { cmdSetVIMODE_Click(i); }; });
    cmdSetIVMODE.forEach([this](int i, ui::CommandButton& b) { b.Click = [this, i] { cmdSetIVMODE_Click(i); }; });
    cmdVIDOMeas.forEach([this](int i, ui::CommandButton& b) { b.Click = [this, i] { cmdVIDOMeas_Click(i); }; });
    cmdVIOperate.forEach([this](int i, ui::CommandButton& b) { b.Click = [this, i] { cmdVIOperate_Click(i); }; });
    cmdSetVI1V.forEach([this](int r, ui::CommandButton& b) { b.Click = [this, r] { cmdSetVI1V_Click(r); }; });
    cmdSendString.forEach([this](int k, ui::CommandButton& b) { b.Click = [this, k] { cmdSendString_Click(k); }; });
    cmdVIsOFf.Click = [this] { cmdVIsOFf_Click(); };
}

void frmInst::openSourceMeasure(int i)
{
    gpib::NiGlobal& g = p.gpib().g;
    g.ViAddress = unitAddress(txtVIAddress[i]);
    selectUnit(g.ViDevices[static_cast<std::size_t>(i)], g.ViAddress, "Unable to open VI device");
}

void frmInst::showMode(int i, ui::ControlArray<ui::Shape>& lit)
{
    ShpVIMode[i].FillColor = vb::kBlack;
    ShpIVMode[i].FillColor = vb::kBlack;
    lit[i].FillColor = vb::kRed;
}

void frmInst::showOutput(int i, bool on)
{
    // Without its icon the button says the state in words, so it stays usable.
    ui::CommandButton& button = cmdVIOperate[i];
    if (auto icon = ui::LoadPicture(p.appFile(on ? kOnIcon : kOffIcon))) {
        button.Picture = std::move(*icon);
        button.Caption = "";
    } else {
        button.Picture = ui::Image{};
        button.Caption = on ? "ON" : "OFF";
    }
}

// After a set-up: the output buttons appear, the output is off.
void frmInst::armOutput(int i)
{
    cmdVIOperate[i].Visible = true;
    cmdVIDOMeas[i].Visible = true;
    vi.ViOperating[static_cast<std::size_t>(i)] = false;
    showOutput(i, false);
}

void frmInst::cmdSetVIMODE_Click(int i)
{
    const auto n = static_cast<std::size_t>(i);
    gpib::NiGlobal& g = p.gpib().g;
    openSourceMeasure(i);
    vi.ViSourcesVoltage[n] = true;
    showMode(i, ShpVIMode);

    std::string command = std::string(kReset) + "F0,0";
    vi.ViCurrent[n] = vb::Val(txtVIILimit[i].Text.get()) / 1000;
    if (i < 2) {
        const ViRanges& r = kViRanges[n];
        command += "L" + vb::Format(vi.ViCurrent[n], "##.###") + r.compliance;
        vi.ViVoltage[n] = vb::Val(txtVIVSourceVolts[i].Text.get());
        command += "B" + vb::Format(vi.ViVoltage[n], "##.0##") + r.bias + r.trigger + kFilterIntegrationFormat;
        TXTlbVIlControlString[i].Text = command;
    }
    lbVIlControlString[i].Caption = command;
    armOutput(i);

    writeUntested(g.ViDevices[1], kReset);
    writeCommandTo(g.ViDevices[n], command);
}

void frmInst::cmdSetIVMODE_Click(int i)
{
    const auto n = static_cast<std::size_t>(i);
    gpib::NiGlobal& g = p.gpib().g;
    openSourceMeasure(i);
    vi.ViSourcesVoltage[n] = false;
    showMode(i, ShpIVMode);

    vi.ViVoltage[n] = vb::Val(txtVIVLimit[i].Text.get());
    vi.ViCurrent[n] = vb::Val(txtVIVSourceCurrent[i].Text.get()) / 1000;
    const std::string command = std::string(kReset) + "F1,0" + "B" + vb::Format(vi.ViCurrent[n], "##.0######") +
        ",0,0" + "L" + vb::Format(vi.ViVoltage[n], "##.###") + ",0" + kFilterIntegrationFormat;
    lbVIlControlString[i].Caption = command;
    if (TXTlbVIlControlString.exists(i))
        TXTlbVIlControlString[i].Text = command;
    armOutput(i);

    writeCommandTo(g.ViDevices[n], command);
    lblVIMeasureA[i].Caption = "";
    lblVIMeasureB[i].Caption = "";
}

void frmInst::cmdVIDOMeas_Click(int i)
{
    const auto n = static_cast<std::size_t>(i);
    gpib::NiGlobal& g = p.gpib().g;
    vi.ViOperating[n] = true;
    showOutput(i, true);
    p.rt().DoEvents();

    writeCommandTo(g.ViDevices[n], kOperate);
    const bool sourcesVoltage = vi.ViSourcesVoltage[n];
    const char* firstUnit = sourcesVoltage ? " V" : " A";
    const char* secondUnit = sourcesVoltage ? " A" : " V";
    const std::string reply = readReply(g.ViDevices[n], kCrLf);

    // "source,measure": the second value loses the character after the comma
    // (its sign). Without a comma the whole reply is the first value; with
    // nothing after the comma the second is empty.
    const std::size_t comma = reply.find(',');
    if (reply.size() > 4)
        lblVIMeasureA[i].Caption = reply.substr(0, comma) + firstUnit;
    const std::string second =
        comma == std::string::npos ? std::string() : reply.substr(std::min(comma + 2, reply.size()));
    lblVIMeasureB[i].Caption = second + secondUnit;
}

void frmInst::cmdVIOperate_Click(int i)
{
    const auto n = static_cast<std::size_t>(i);
    if (!vi.ViOperating[n]) {
        cmdVIDOMeas_Click(i);
        return;
    }
    showOutput(i, false);
    lblVIMeasureB[i].Caption = "ST.BY";
    writeUntested(p.gpib().g.ViDevices[n], kStandby);
    vi.ViOperating[n] = false;
}

void frmInst::cmdSetVI1V_Click(int r)
{
    txtVI1VCmd[r].Text = "B" + vb::Format(vb::Val(txtVI1V[r].Text.get()), "0.00") + ",3,X";
    writeCommandTo(p.gpib().g.ViDevices[static_cast<std::size_t>(r)], txtVI1VCmd[r].Text.get());
}

void frmInst::cmdSendString_Click(int k) { writeCommand(txtVI228String[k].Text.get()); }

void frmInst::cmdVIsOFf_Click()
{
    gpib::Vbib32& gpib = p.gpib();
    for (int k : {1, 0}) {
        const auto address = vb::NumberOf(txtVIAddress[k].Text.get());
        if (!address)
            continue;
        gpib.g.ViAddress = vb::CInt(*address);
        // A fresh unit on every click; the panel's own stays as it is.
        gpib.g.CurrentDevice = openUnit(gpib.g.ViAddress);

        const auto n = static_cast<std::size_t>(k);
        vi.ViSourcesVoltage[n] = false;
        ShpVIMode[k].FillColor = vb::kBlack;
        ShpIVMode[k].FillColor = vb::kBlack;
        vi.ViOperating[n] = false;
        lbVIlControlString[k].Caption = kReset;
        showOutput(k, false);
        lblVIMeasureA[k].Caption = "+00.000 V";
        lblVIMeasureB[k].Caption = "STBY.  uA";
        cmdVIOperate[k].Visible = false;
        cmdVIDOMeas[k].Visible = false;

        writeUntested(gpib.g.CurrentDevice, kReset);
        p.rt().DoEvents();
    }
}

}  // namespace instruments
