#pragma once
#include "program/ProgramForm.h"

namespace instruments {

class frmInst : public ProgramForm {
public:
    explicit frmInst(Program& program);
};

}  // namespace instruments
