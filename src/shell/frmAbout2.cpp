#include "shell/frmAbout2.h"

#include "program/Version.h"

namespace shell {

frmAbout2::frmAbout2(Program& program) : ProgramForm(program, "frmAbout2")
{
    Caption = "About " + std::string(kProgramName);
    Width = 380;
    Height = 170;
    lblTitle.Caption = std::string(kProgramName);
    lblTitle.FontBold = true;
    lblTitle.move(16, 16, 340, 22);
    lblVersion.Caption = "Version " + std::string(kProgramVersion);
    lblVersion.move(16, 44, 340, 20);
    lblDescription.Caption = "Evaluation program for the KVN58C2 and KVN58C3 battery-pack monitors";
    lblDescription.move(16, 70, 350, 36);
    cmdOK.Caption = "OK";
    cmdOK.move(284, 126, 80, 28);
    cmdOK.Click = [this] { Hide(); };
}

}  // namespace shell
