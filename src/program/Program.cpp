#include "program/Program.h"

#include <filesystem>

#include "bridge/frmMainF340.h"
#include "chip/KVN58C3_Main.h"
#include "instruments/Test.h"
#include "instruments/frmInst.h"
#include "instruments/gpib/Vbib32.h"
#include "link/UsbLink.h"
#include "program/Version.h"
#include "shell/Doco.h"
#include "shell/frmAbout2.h"
#include "shell/frmStartup.h"
#include "sim/EvalBoard.h"
#include "sim/GpibBus.h"

Program::Program(ui::Runtime& rt, ProgramOptions options) : rt_(rt), options_(std::move(options))
{
    rt_.appTitle = kProgramName;
}

// Forms go first: their timers unregister from the runtime, their unloads may use the devices.
Program::~Program()
{
    test_.reset();
    frmInst_.reset();
    main_.reset();
    bridge_.reset();
    startup_.reset();
    about_.reset();
    doco_.reset();
    gpib_.reset();
    simGpib_.reset();
    link_.reset();
    simBoard_.reset();
}

template <class F> F& Program::form(std::unique_ptr<F>& slot)
{
    if (!slot)
        slot = std::make_unique<F>(*this);
    if (!slot->loaded())
        slot->Load();
    return *slot;
}

shell::Doco& Program::Doco() { return form(doco_); }
shell::frmAbout2& Program::frmAbout2() { return form(about_); }
shell::frmStartup& Program::frmStartup() { return form(startup_); }
bridge::frmMainF340& Program::frmMainF340() { return form(bridge_); }
chip::KVN58C3_Main& Program::KVN58C3_Main() { return form(main_); }
instruments::frmInst& Program::frmInst() { return form(frmInst_); }
instruments::Test& Program::Test() { return form(test_); }

std::string Program::appFile(std::string_view name) const
{
    return (std::filesystem::path(options_.appPath) / std::filesystem::path(name)).string();
}

bool Program::FileExistsInAppPath(std::string_view name) const
{
    std::error_code ec;
    return std::filesystem::is_regular_file(appFile(name), ec);
}

void Program::trace(std::string_view text)
{
    if (TraceOn)
        Doco().add(text);
}
