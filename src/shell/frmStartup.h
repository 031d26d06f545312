#pragma once
// The start-up form: the mode choice, the marker-file switches and the launch
// of the bridge and chip forms. It stays loaded but hidden while the program runs.
#include <string>
#include <vector>

#include "program/ProgramForm.h"

namespace shell {

class frmStartup : public ProgramForm {
public:
    explicit frmStartup(Program& program);

    ui::Label lblTitle{*this, "lblTitle"};
    ui::ListBox lstMode{*this, "lstMode"};
    ui::CheckBox chkTrace{*this, "chkTrace"};
    ui::CommandButton cmdStart{*this, "cmdStart"};
    ui::CommandButton cmdExit{*this, "cmdExit"};

    void cmdStart_Click();
    // Sets the launch choices of mode i of the list, opens the board and shows the chip form.
    void launch(int mode);

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    struct Mode {
        std::string text, prefix, title;
        bool trim;
    };
    std::vector<Mode> modes_;
};

}  // namespace shell
