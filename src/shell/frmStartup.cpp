#include "shell/frmStartup.h"

namespace shell {

frmStartup::frmStartup(Program& program) : ProgramForm(program, "frmStartup") {}

}  // namespace shell
