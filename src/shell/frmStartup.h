#pragma once
#include "program/ProgramForm.h"

namespace shell {

class frmStartup : public ProgramForm {
public:
    explicit frmStartup(Program& program);
};

}  // namespace shell
