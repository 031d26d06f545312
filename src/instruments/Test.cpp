#include "instruments/Test.h"

namespace instruments {

Test::Test(Program& program) : ProgramForm(program, "Test") {}

}  // namespace instruments
