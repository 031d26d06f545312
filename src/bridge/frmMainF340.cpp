#include "bridge/frmMainF340.h"

namespace bridge {

frmMainF340::frmMainF340(Program& program) : ProgramForm(program, "frmMainF340") {}

}  // namespace bridge
