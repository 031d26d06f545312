#include "shell/frmStartup.h"

#include "bridge/frmMainF340.h"
#include "chip/KVN58C3_Main.h"
#include "instruments/InstrumentStation.h"
#include "link/UsbLink.h"
#include "shell/Doco.h"
#include "ui/Placement.h"

namespace shell {

namespace {
constexpr const char* kEngFile = "RI550.csv";  // instrument station and bridge panel at start
constexpr const char* kTrimFile = "BR549.csv";  // trim entry in the mode list
}  // namespace

frmStartup::frmStartup(Program& program) : ProgramForm(program, "frmStartup")
{
    Caption = "KVN58C3 / KVN58C2 Evaluation";
    Width = 340;
    Height = 256;
    ui::place({},
        {
            {lblTitle, {12, 10, 316, 20}, "Choose the device on the evaluation board:"},
            {lstMode, {12, 36, 316, 120}},
            {chkTrace, {12, 162, 200, 22}, "Trace log"},
            {cmdStart, {12, 192, 150, 34}, "Start"},
            {cmdExit, {238, 192, 90, 34}, "Exit"},
        });
    cmdStart.FontBold = true;
    // The only way to the trace window: it shows what every transfer did.
    chkTrace.Click = [this] {
        p.TraceOn = chkTrace.Value == 1;
        if (p.TraceOn)
            p.form<shell::Doco>().Show();
    };
    cmdStart.Click = [this] { cmdStart_Click(); };
    cmdExit.Click = [this] { Unload(); };
}

void frmStartup::Form_Load()
{
    p.TraceIndent1 = std::string(5, ' ');
    p.TraceIndent2 = std::string(10, ' ');
    p.TraceIndent3 = std::string(15, ' ');
    instruments::resetGpibDeviceTables(p);  // every device table entry -5: not opened

    p.EngFileFound = p.FileExistsInAppPath(kEngFile);
    p.TrimFileFound = p.FileExistsInAppPath(kTrimFile);

    modes_ = {
        {"KVN58C3 Evaluation", "KVN58C3", "KVN58C3 Evaluation Board", false},
        {"KVN58C2 Evaluation", "KVN58C2", "KVN58C2 Evaluation Board", false},
    };
    if (p.TrimFileFound)
        modes_.push_back({"KVN58C3 Trim", "KVN58C3", "KVN58C3 Evaluation Board (Trim)", true});
    lstMode.Clear();
    for (const Mode& m : modes_)
        lstMode.AddItem(m.text);
    lstMode.ListIndex = 0;  // one click on Start gets going

    if (p.EngFileFound)
        instruments::startInstrumentStation(p);
}

void frmStartup::cmdStart_Click() { launch(lstMode.ListIndex); }

void frmStartup::launch(int mode)
{
    if (mode < 0 || mode >= static_cast<int>(modes_.size()))
        mode = 0;
    const Mode& m = modes_[static_cast<std::size_t>(mode)];
    p.DefaultI2CAddress = chipreg::kI2cAddress;
    p.BoardPrefix = m.prefix;
    p.BoardTitle = m.title;
    p.TrimMode = m.trim;
    usb::UsbLink& link = p.link();
    link.I2CAddress = p.DefaultI2CAddress;
    // The link may be older than the choice (the instrument station shows the bridge panel at load).
    link.BoardTitle = p.BoardTitle;

    // First use loads the bridge form unseen; its load opens the link.
    bridge::frmMainF340& bridgeForm = p.form<bridge::frmMainF340>();
    for (int i = 0; i < bridge::kPortPinCount; ++i)
        bridgeForm.chkPortPin[i].Value = 1;
    bridgeForm.cmdWritePorts_Click();
    bridgeForm.cmdEnableXBAR_Click(0);

    Hide();
    p.form<chip::KVN58C3_Main>().Show();
}

void frmStartup::Form_Unload(int& /*Cancel*/) { p.rt().End(); }

}  // namespace shell
