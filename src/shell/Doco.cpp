#include "shell/Doco.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "ui/MsgBox.h"
#include "ui/Runtime.h"

namespace shell {

namespace {

// Writes text to path whole; the system's reason when it could not.
std::string writeWhole(const std::string& path, std::string_view text)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return std::strerror(errno);
    std::string reason;
    if (std::fwrite(text.data(), 1, text.size(), f) != text.size())
        reason = std::strerror(errno);
    if (std::fclose(f) != 0 && reason.empty())
        reason = std::strerror(errno);
    return reason;
}

}  // namespace

Doco::Doco(Program& program) : ProgramForm(program, "Doco")
{
    Caption = "Trace";
    Width = 560;
    Height = 420;
    chkTraceOn.Caption = "Trace On";
    chkTraceOn.move(8, 8, 100, 22);
    chkTraceDetail.Caption = "Trace Detail";
    chkTraceDetail.move(116, 8, 110, 22);
    cmdClear.Caption = "Clear";
    cmdClear.move(352, 6, 90, 26);
    cmdSave.Caption = "Save...";
    cmdSave.move(452, 6, 100, 26);
    rtxt1.move(8, 38, 544, 374);
    rtxt1.setMaxLines(kTraceLines);

    chkTraceOn.Click = [this] { p.TraceOn = chkTraceOn.Value == 1; };
    chkTraceDetail.Click = [this] { p.TraceDetail = chkTraceDetail.Value == 1; };
    cmdClear.Click = [this] { cmdClear_Click(); };
    cmdSave.Click = [this] { cmdSave_Click(); };
}

void Doco::Form_Load()
{
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
    const std::string reason = writeWhole(dlgSave.FileName, rtxt1.Text());
    if (!reason.empty())
        rt().MsgBox("The trace was not saved to " + dlgSave.FileName + ": " + reason, ui::vbOKOnly | ui::vbExclamation);
}

}  // namespace shell
