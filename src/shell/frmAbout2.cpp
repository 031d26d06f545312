#include "shell/frmAbout2.h"

#include "program/Version.h"
#include "ui/Placement.h"

namespace shell {

frmAbout2::frmAbout2(Program& program) : ProgramForm(program, "frmAbout2")
{
    Caption = "About " + std::string(kProgramName);
    Width = 380;
    Height = 170;
    ui::place({},
        {
            {lblTitle, {16, 16, 340, 22}, kProgramName},
            {lblVersion, {16, 44, 340, 20}, "Version " + std::string(kProgramVersion)},
            {lblDescription, {16, 70, 350, 36}, "Evaluation program for the KVN58C2 and KVN58C3 battery-pack monitors"},
            {cmdOK, {284, 126, 80, 28}, "OK"},
        });
    lblTitle.FontBold = true;
    cmdOK.Click = [this] { Hide(); };
}

}  // namespace shell
