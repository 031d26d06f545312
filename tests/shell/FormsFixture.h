#pragma once
// A fresh program on the simulated board per test, its folder a temporary one.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include "bridge/frmMainF340.h"
#include "chip/KVN58C3_Main.h"
#include "link/UsbLink.h"
#include "program/Program.h"
#include "shell/Doco.h"
#include "shell/frmAbout2.h"
#include "shell/frmStartup.h"
#include "sim/EvalBoard.h"
#include "support/HeadlessRuntime.h"

namespace forms_test {

class TempFolder {
public:
    // A new, empty folder: a name made of the process id alone was sometimes a
    // folder an earlier test process had left behind, with its files in it.
    TempFolder()
    {
        std::string name = (std::filesystem::temp_directory_path() / "kvn-forms-XXXXXX").string();
        if (!::mkdtemp(name.data()))
            throw std::filesystem::filesystem_error("mkdtemp", name, std::error_code(errno, std::generic_category()));
        path_ = name;
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void write(const std::string& name, const std::string& text) const
    {
        std::ofstream(path_ / name, std::ios::binary) << text;
    }
    std::string read(const std::string& name) const
    {
        std::ifstream in(path_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path path_;
};

class FormsTest : public ::testing::Test {
protected:
    FormsTest()
    {
        ProgramOptions options;
        options.appPath = folder.path();
        options.simulate = true;
        program = std::make_unique<Program>(rt, options);
    }

    Program& p() { return *program; }
    sim::EvalBoard& board() { return *p().simBoard(); }
    // Starts as a user would: the start-up form, its first mode.
    chip::KVN58C3_Main& launch()
    {
        p().form<shell::frmStartup>().launch(0);
        return p().form<chip::KVN58C3_Main>();
    }
    // Reports of one command the board took since index from.
    std::vector<usb::bridge::Report> reportsOf(std::uint8_t command, std::size_t from = 0)
    {
        std::vector<usb::bridge::Report> out;
        for (std::size_t i = from; i < board().log.size(); ++i)
            if (board().log[i][usb::bridge::kCommandByte] == command)
                out.push_back(board().log[i]);
        return out;
    }
    bool hasBox(const std::string& prompt) const
    {
        for (const auto& b : rt.boxes())
            if (b.prompt == prompt)
                return true;
        return false;
    }

    ui::HeadlessRuntime rt;
    TempFolder folder;
    std::unique_ptr<Program> program;
};

}  // namespace forms_test
