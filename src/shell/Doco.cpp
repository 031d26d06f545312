#include "shell/Doco.h"

namespace shell {

Doco::Doco(Program& program) : ProgramForm(program, "Doco")
{
    Caption = "Trace";
    Width = 560;
    Height = 420;
    chkTraceOn.Caption = "Trace On";
    chkTraceOn.move(8, 8, 100, 22);
    chkTraceDetail.Caption = "Trace Detail";
    chkTraceDetail.move(116, 8, 110, 22);
    rtxt1.move(8, 38, 544, 374);

    chkTraceOn.Click = [this] { p.TraceOn = chkTraceOn.Value == 1; };
    chkTraceDetail.Click = [this] { p.TraceDetail = chkTraceDetail.Value == 1; };
}

void Doco::Form_Load()
{
    // The switches show the state the program has now.
    chkTraceOn.Value.setQuietly(p.TraceOn ? 1 : 0);
    chkTraceDetail.Value.setQuietly(p.TraceDetail ? 1 : 0);
}

}  // namespace shell
