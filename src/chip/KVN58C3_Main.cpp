#include "chip/KVN58C3_Main.h"

namespace chip {

KVN58C3_Main::KVN58C3_Main(Program& program) : ProgramForm(program, "KVN58C3_Main")
{
    buildRegisterSide();
    buildMonitorSide();
}

KVN58C3_Main::~KVN58C3_Main() = default;

}  // namespace chip
