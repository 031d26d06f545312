// The trace window and the About box.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "program/Program.h"
#include "shell/Doco.h"
#include "shell/frmAbout2.h"
#include "shell/frmStartup.h"
#include "support/FileSizeLimit.h"
#include "support/HeadlessRuntime.h"

namespace {

TEST(TraceWindow, AddsOnlyWhileTraceOnAndKeepsEarlierText)
{
    ui::HeadlessRuntime rt;
    Program p(rt, ProgramOptions{});
    p.trace("ignored\r\n");
    EXPECT_EQ(p.form<shell::Doco>().rtxt1.Text(), "");

    p.form<shell::Doco>().chkTraceOn.userClick();  // the window's switch sets the program's flag
    ASSERT_TRUE(p.TraceOn);
    p.trace("     ");
    p.trace("I2C Register Read  &H49");
    p.trace("\r\n");
    EXPECT_EQ(p.form<shell::Doco>().rtxt1.Text(), "     I2C Register Read  &H49\r\n");

    const auto generation = p.form<shell::Doco>().rtxt1.generation();
    p.trace("next\r\n");
    EXPECT_EQ(p.form<shell::Doco>().rtxt1.generation(), generation);  // appended, not replaced
    EXPECT_EQ(p.form<shell::Doco>().rtxt1.Text(), "     I2C Register Read  &H49\r\nnext\r\n");

    p.form<shell::Doco>().chkTraceDetail.userClick();
    EXPECT_TRUE(p.TraceDetail);
}

TEST(TraceWindow, StartupSwitchTurnsTracingOnAndShowsTheWindow)
{
    ui::HeadlessRuntime rt;
    Program p(rt, ProgramOptions{});
    p.form<shell::frmStartup>().chkTrace.userClick();
    EXPECT_TRUE(p.TraceOn);
    EXPECT_TRUE(p.form<shell::Doco>().Visible);
    EXPECT_EQ(p.form<shell::Doco>().chkTraceOn.Value, 1);
    p.form<shell::frmStartup>().chkTrace.userClick();
    EXPECT_FALSE(p.TraceOn);
}

TEST(TraceWindow, KeepsTheLastLinesOfALongRun)
{
    ui::HeadlessRuntime rt;
    Program p(rt, ProgramOptions{});
    p.TraceOn = true;
    for (int i = 0; i < shell::Doco::kTraceLines + 500; ++i)
        p.trace("     I2C Register Read  &H" + std::to_string(i) + "\r\n");
    const std::string_view text = p.form<shell::Doco>().rtxt1.Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), shell::Doco::kTraceLines);
    EXPECT_TRUE(text.starts_with("     I2C Register Read  &H500\r\n"));
    EXPECT_TRUE(text.ends_with("&H10499\r\n"));
}

TEST(TraceWindow, ATraceAfterTheWindowWasUnloadedLoadsItAgain)
{
    ui::HeadlessRuntime rt;
    Program p(rt, ProgramOptions{});
    shell::Doco& doco = p.form<shell::Doco>();
    p.TraceOn = true;
    p.trace("before\r\n");
    doco.Unload();
    p.trace("after\r\n");
    EXPECT_TRUE(doco.loaded());
    EXPECT_TRUE(doco.rtxt1.Text().ends_with("after\r\n"));
}

TEST(TraceWindow, SaveWritesTheTraceShownAndClearEmptiesIt)
{
    ui::HeadlessRuntime rt;
    Program p(rt, ProgramOptions{});
    shell::Doco& doco = p.form<shell::Doco>();
    p.TraceOn = true;
    p.trace("     I2C Register Read  &H49 = &H3F\r\n");
    p.trace("     I2C Register Write &H84 = &H05\r\n");
    const std::string saved = ::testing::TempDir() + "trace_save.txt";
    std::remove(saved.c_str());

    rt.chooseFile("");  // cancelled: nothing written
    doco.cmdSave.userClick();
    EXPECT_FALSE(std::filesystem::exists(saved));

    rt.chooseFile(saved);
    doco.cmdSave.userClick();
    ASSERT_EQ(rt.dialogs().size(), 2u);
    EXPECT_EQ(rt.dialogs().back().kind, ui::DialogKind::Save);
    std::ifstream in(saved, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "     I2C Register Read  &H49 = &H3F\r\n     I2C Register Write &H84 = &H05\r\n");
    EXPECT_TRUE(rt.boxes().empty());

    doco.cmdClear.userClick();
    EXPECT_EQ(doco.rtxt1.Text(), "");
    p.trace("next\r\n");
    EXPECT_EQ(doco.rtxt1.Text(), "next\r\n");
    std::remove(saved.c_str());
}

TEST(TraceWindow, ASaveThatFailsSaysWhichFileAndWhy)
{
    ui::HeadlessRuntime rt;
    Program p(rt, ProgramOptions{});
    p.TraceOn = true;
    p.trace("line\r\n");
    const std::string bad = ::testing::TempDir() + "no_such_folder/trace.txt";
    rt.chooseFile(bad);
    p.form<shell::Doco>().cmdSave.userClick();
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_NE(rt.boxes()[0].prompt.find(bad), std::string::npos);
    EXPECT_NE(rt.boxes()[0].prompt.find("No such file or directory"), std::string::npos);
    EXPECT_EQ(p.form<shell::Doco>().rtxt1.Text(), "line\r\n");  // the trace stays

    // The file the program is writing (the recording log, say).
    const std::string open = ::testing::TempDir() + "trace_open.txt";
    ASSERT_TRUE(rt.files().Open(1, open, ui::OpenMode::Output));
    rt.files().Print(1, "a log line");
    rt.clearBoxes();
    rt.chooseFile(open);
    p.form<shell::Doco>().cmdSave.userClick();
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_NE(rt.boxes()[0].prompt.find("The program is writing that file"), std::string::npos);
    rt.files().Close(1);
    std::ifstream in(open, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), "a log line\r\n");
    std::remove(open.c_str());

    // A FIFO nobody reads: refused at once, never waited on.
    const std::string fifo = ::testing::TempDir() + "trace_fifo";
    std::remove(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    rt.clearBoxes();
    rt.chooseFile(fifo);
    p.form<shell::Doco>().cmdSave.userClick();
    EXPECT_EQ(rt.boxes().size(), 1u);
    std::remove(fifo.c_str());

    if (std::filesystem::exists("/dev/full")) {
        rt.clearBoxes();
        rt.chooseFile("/dev/full");
        p.form<shell::Doco>().cmdSave.userClick();
        ASSERT_EQ(rt.boxes().size(), 1u);
        EXPECT_EQ(rt.boxes()[0].prompt, "Trace not saved: cannot write to /dev/full\r\nNot a regular file.");
    }
}

// A save that cannot be finished, or a program killed while saving, leaves the
// old file whole and nothing beside it; a link is not replaced by a file.
TEST(TraceWindow, ASaveReplacesTheFileWholeOrLeavesItAsItWas)
{
    ui::HeadlessRuntime rt;
    Program p(rt, ProgramOptions{});
    p.TraceOn = true;
    const std::string trace = std::string(200, 'x') + "\r\n";
    p.trace(trace);
    const std::filesystem::path dir = ::testing::TempDir() + "trace_whole";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string saved = (dir / "trace.txt").string();
    std::ofstream(saved, std::ios::binary) << "old\r\n";
    auto read = [](const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    auto entries = [&] { return std::distance(std::filesystem::directory_iterator(dir), {}); };
    shell::Doco& doco = p.form<shell::Doco>();

    rt.chooseFile(saved);
    {
        ui::FileSizeLimit full(100);
        doco.cmdSave.userClick();
    }
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(rt.boxes()[0].prompt, "Trace not saved: cannot write to " + saved + "\r\nFile too large.");
    EXPECT_EQ(read(saved), "old\r\n");
    EXPECT_EQ(entries(), 1);

    const auto link = dir / "link.txt";
    std::filesystem::create_symlink(saved, link);
    rt.chooseFile(link.string());
    doco.cmdSave.userClick();
    ASSERT_EQ(rt.boxes().size(), 2u);
    EXPECT_EQ(rt.boxes()[1].prompt, "Trace not saved: cannot write to " + link.string() + "\r\nNot a regular file.");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(read(saved), "old\r\n");

    rt.chooseFile(saved);
    doco.cmdSave.userClick();
    EXPECT_EQ(rt.boxes().size(), 2u);
    EXPECT_EQ(read(saved), trace);
    EXPECT_EQ(entries(), 2);
    std::filesystem::remove_all(dir);
}

TEST(AboutBox, ShowsModelessWithNameAndVersion)
{
    ui::HeadlessRuntime rt;
    Program p(rt, ProgramOptions{});
    p.form<shell::frmAbout2>().Show();
    EXPECT_TRUE(p.form<shell::frmAbout2>().Visible);
    EXPECT_NE(p.form<shell::frmAbout2>().lblTitle.Caption.get().find("KVN58C3"), std::string::npos);
    EXPECT_EQ(p.form<shell::frmAbout2>().lblVersion.Caption.get().rfind("Version ", 0), 0u);
    p.form<shell::frmAbout2>().cmdOK.userClick();
    EXPECT_FALSE(p.form<shell::frmAbout2>().Visible);
}

}  // namespace
