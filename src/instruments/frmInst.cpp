#include "instruments/frmInst.h"

namespace instruments {

frmInst::frmInst(Program& program) : ProgramForm(program, "frmInst") {}

}  // namespace instruments
