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
    ui::FileTable& files = rt().files();
    // The running log (or any file the program writes) is not to be overwritten under it.
    if (files.holds(dlgSave.FileName)) {
        rt().MsgBox("The trace was not saved to " + dlgSave.FileName + ": the program is writing that file.",
            ui::vbOKOnly | ui::vbExclamation);
        return;
    }
    // Through the file table: it neither waits for a FIFO's reader nor leaves a torn file unsaid.
    const int n = files.FreeFile();
    const bool saved = files.Open(n, dlgSave.FileName, ui::OpenMode::Output) && files.PrintNoNewline(n, rtxt1.Text());
    files.Close(n);
    if (!saved)
        rt().MsgBox("The trace was not saved to " + dlgSave.FileName + ": " + files.lastError(),
            ui::vbOKOnly | ui::vbExclamation);
}

}  // namespace shell
