#pragma once
// The About box: the program's name and version.
#include "program/ProgramForm.h"

namespace shell {

class frmAbout2 : public ProgramForm {
public:
    explicit frmAbout2(Program& program);

    ui::Label lblTitle{*this, "lblTitle"};
    ui::Label lblVersion{*this, "lblVersion"};
    ui::Label lblDescription{*this, "lblDescription"};
    ui::CommandButton cmdOK{*this, "cmdOK"};
};

}  // namespace shell
