#pragma once
// The trace window: handlers append their trace lines to rtxt1 while TraceOn is set.
#include "program/ProgramForm.h"
#include "ui/Controls.h"

namespace shell {

class Doco : public ProgramForm {
public:
    explicit Doco(Program& program);

    ui::RichTextBox rtxt1{*this, "rtxt1"};
    ui::CheckBox chkTraceOn{*this, "chkTraceOn"};
    ui::CheckBox chkTraceDetail{*this, "chkTraceDetail"};

    // rtxt1.Text becomes its old text followed by the addition.
    void add(std::string_view addition) { rtxt1.append(addition); }

protected:
    void Form_Load() override;
};

}  // namespace shell
