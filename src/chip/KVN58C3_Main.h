#pragma once
#include "program/ProgramForm.h"

namespace chip {

class KVN58C3_Main : public ProgramForm {
public:
    explicit KVN58C3_Main(Program& program);
};

}  // namespace chip
