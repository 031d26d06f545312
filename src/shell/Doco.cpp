#include "shell/Doco.h"

#include <string>

#include "ui/MsgBox.h"
#include "ui/Placement.h"
#include "ui/Runtime.h"

namespace shell {

Doco::Doco(Program& program) : ProgramForm(program, "Doco")
{
    Caption = "Trace";
    Width = 560;
    Height = 420;
    ui::place({},
        {
            {chkTraceOn, {8, 8, 100, 22}, "Trace On"},
            {chkTraceDetail, {116, 8, 110, 22}, "Trace Detail"},
            {cmdClear, {352, 6, 90, 26}, "Clear"},
            {cmdSave, {452, 6, 100, 26}, "Save..."},
            {rtxt1, {8, 38, 544, 374}},
        });
    rtxt1.setMaxLines(kTraceLines);

    chkTraceOn.Click = [this] { p.TraceOn = chkTraceOn.Value == 1; };
    chkTraceDetail.Click = [this] { p.TraceDetail = chkTraceDetail.Value == 1; };
    cmdClear.Click = [this] { cmdClear_Click(); };
    cmdSave.Click = [this] { cmdSave_Click(); };
}

Doco::~Doco() { p.plugTrace({}); }

void Doco::Form_Load()
{
    // Through form(): a trace reaching the window after an unload loads it again.
    p.plugTrace([this](std::string_view text) { p.form<Doco>().add(text); });
    // The switches show the state the program has now.
    chkTraceOn.Value.setQuietly(p.TraceOn ? 1 : 0);
    chkTraceDetail.Value.setQuietly(p.TraceDetail ? 1 : 0);
}

void Doco::cmdClear_Click() { rtxt1.setText({}); }

void Doco::cmdSave_Click()
{
    dlgSave.DialogTitle = "Save Trace";
    dlgSave.Filter = "Text File (*.txt)|*.txt|All Files (*.*)|*.*";
    dlgSave.FilterIndex = 1;
    dlgSave.DefaultExt = ".txt";
    if (!dlgSave.ShowSave())
        return;
    // Whole or not at all, and never over a file the program is writing (the running log).
    if (!rt().files().Save(dlgSave.FileName, rtxt1.Text()))
        rt().fileFailed("Trace not saved");
}

}  // namespace shell
