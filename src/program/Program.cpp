#include "program/Program.h"

#include <filesystem>
#include <utility>

#include "gpib/Vbib32.h"
#include "link/UsbLink.h"
#include "program/Version.h"
#include "sim/EvalBoard.h"
#include "sim/GpibBus.h"

Program::Program(ui::Runtime& rt, ProgramOptions options) : rt_(rt), options_(std::move(options))
{
    rt_.appTitle = kProgramName;
}

// Forms go first: their timers unregister from the runtime, their unloads may use the devices.
Program::~Program()
{
    // Later forms may refer to earlier ones: the last created goes first.
    for (auto slot = created_.rbegin(); slot != created_.rend(); ++slot)
        forms_[*slot].reset();
    gpib_.reset();
    simGpib_.reset();
    link_.reset();
    simBoard_.reset();
}

std::size_t Program::nextFormSlot()
{
    static std::size_t slots = 0;
    return slots++;
}

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
    if (!TraceOn)
        return;
    if (traceSink_) {
        // Called through a copy: the call may plug in a new sink (the window loading again).
        const TraceSink sink = traceSink_;
        sink(text);
    } else
        traceWaiting_ += text;
}

void Program::plugTrace(TraceSink sink)
{
    traceSink_ = std::move(sink);
    if (traceSink_ && !traceWaiting_.empty())
        traceSink_(std::exchange(traceWaiting_, {}));
}
