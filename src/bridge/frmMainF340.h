#pragma once
#include "program/ProgramForm.h"

namespace bridge {

class frmMainF340 : public ProgramForm {
public:
    explicit frmMainF340(Program& program);
};

}  // namespace bridge
