#pragma once
// The trace window: handlers append their trace lines to rtxt1 while TraceOn is set.
// It keeps the last kTraceLines lines; Clear empties it and Save writes it to a file.
#include <string_view>

#include "program/ProgramForm.h"
#include "ui/CommonDialog.h"
#include "ui/Controls.h"

namespace shell {

class Doco : public ProgramForm {
public:
    // A long run traces for hours: the window keeps a tail, not everything.
    static constexpr int kTraceLines = 10000;

    explicit Doco(Program& program);
    ~Doco() override;

    ui::RichTextBox rtxt1{*this, "rtxt1"};
    ui::CheckBox chkTraceOn{*this, "chkTraceOn"};
    ui::CheckBox chkTraceDetail{*this, "chkTraceDetail"};
    ui::CommandButton cmdClear{*this, "cmdClear"};
    ui::CommandButton cmdSave{*this, "cmdSave"};
    ui::CommonDialog dlgSave{*this, "dlgSave"};

    // rtxt1.Text becomes its old text followed by the addition (the oldest
    // lines giving way beyond kTraceLines).
    void add(std::string_view addition) { rtxt1.append(addition); }

    void cmdClear_Click();
    void cmdSave_Click();

protected:
    void Form_Load() override;
};

}  // namespace shell
