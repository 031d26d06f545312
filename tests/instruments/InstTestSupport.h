#pragma once
// Shared set-up of the instrument station tests: a temporary program folder
// and a fresh Program on the headless runtime and the simulated bus.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "gpib/Vbib32.h"
#include "program/Program.h"
#include "sim/GpibBus.h"
#include "support/HeadlessRuntime.h"

namespace insttest {

struct TempDir {
    std::filesystem::path path;
    TempDir()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() /
            ("kvn-inst-" + std::to_string(::getpid()) + "-" + std::string(info->test_suite_name()) + "-" +
                info->name());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path / name, std::ios::binary) << bytes;
        return file(name);
    }
};

// A unit that takes every message and says only what the test queues.
class ScriptedUnit : public sim::GpibInstrument {
public:
    explicit ScriptedUnit(int address) : GpibInstrument(address, 1) {}
    sim::InstrumentKind kind() const override { return sim::InstrumentKind::Counter; }

protected:
    void handle(std::string_view) override {}
};

struct Station {
    TempDir dir;
    ui::HeadlessRuntime rt;
    std::unique_ptr<Program> program;

    Station()
    {
        ProgramOptions o;
        o.appPath = dir.path.string();
        program = std::make_unique<Program>(rt, o);
    }
    Program& p() { return *program; }
    gpib::Vbib32& gpib() { return program->gpib(); }
    sim::GpibBus& bus() { return *program->simGpib(); }
    sim::GpibInstrument& unit(int address) { return *bus().instrument(address); }
    ScriptedUnit& scripted(int address)
    {
        return static_cast<ScriptedUnit&>(bus().attach(std::make_unique<ScriptedUnit>(address)));
    }
    // What the unit at address received, in order.
    const std::vector<std::string>& received(int address) { return unit(address).received(); }
    // The prompt of the last message box, trailing blanks of the fixed buffer dropped.
    std::string lastBox() const
    {
        if (rt.boxes().empty())
            return {};
        std::string s = rt.boxes().back().prompt;
        s.erase(s.find_last_not_of(' ') + 1);
        return s;
    }
};

}  // namespace insttest
