#pragma once
#include "program/ProgramForm.h"

namespace instruments {

class Test : public ProgramForm {
public:
    explicit Test(Program& program);
};

}  // namespace instruments
