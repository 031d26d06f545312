#pragma once
// Base of the program's forms: a form that reaches the shared state and the
// other forms through the Program.
#include "program/Program.h"
#include "ui/CommonDialog.h"
#include "ui/ControlArray.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/PictureBox.h"
#include "ui/Timer.h"

class ProgramForm : public ui::Form {
public:
    ProgramForm(Program& program, std::string name) : ui::Form(program.rt(), std::move(name)), p(program) {}

    // For the helpers of a form's concerns, which are not its members.
    Program& program() const { return p; }

protected:
    Program& p;
};
