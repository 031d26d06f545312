// End and the numbered files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ui/Form.h"
#include "ui/HeadlessRuntime.h"
#include "ui/Timer.h"

namespace {

std::string readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TempDir {
    std::filesystem::path path;
    TempDir()
    {
        path = std::filesystem::temp_directory_path() /
            ("kvn-ui-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
};

TEST(UiEnd, ClosesFilesKeepsWhatWasWrittenAndStopsAtOnce)
{
    TempDir dir;
    ui::HeadlessRuntime rt;
    bool hookRan = false;
    rt.addEndHook([&] { hookRan = true; });
    const auto file = (dir.path / "log.txt").string();
    ASSERT_TRUE(rt.files().Open(1, file, ui::OpenMode::Output));
    rt.files().Print(1, "a\tb");
    bool after = false;
    EXPECT_THROW(
        {
            rt.End();
            after = true;
        },
        ui::ProgramEnded);
    EXPECT_FALSE(after);
    EXPECT_TRUE(rt.ended());
    EXPECT_TRUE(hookRan);
    EXPECT_FALSE(rt.files().isOpen(1));
    EXPECT_EQ(readFile(file), "a\tb\r\n");
    // Anything that would let a handler go on unwinds again.
    EXPECT_THROW(rt.DoEvents(), ui::ProgramEnded);
    EXPECT_THROW(rt.MsgBox("x"), ui::ProgramEnded);
}

TEST(UiEnd, EndInsideATimerTickUnwindsTheHandlerThatPumped)
{
    ui::HeadlessRuntime rt;
    ui::Form f(rt, "f");
    ui::Timer t(f, "t", 5, true);
    t.Tick = [&] { rt.End(); };
    bool continued = false;
    EXPECT_THROW(
        {
            rt.runFor(50);
            continued = true;
        },
        ui::ProgramEnded);
    EXPECT_FALSE(continued);
    EXPECT_FALSE(t.running());
}

TEST(UiFiles, LineInputTakesEveryLineEnd)
{
    TempDir dir;
    const auto file = (dir.path / "in.txt").string();
    std::ofstream(file, std::ios::binary) << "one\r\ntwo\nthree\rfour";
    ui::FileTable files;
    ASSERT_TRUE(files.Open(2, file, ui::OpenMode::Input));
    std::vector<std::string> lines;
    std::string line;
    while (!files.Eof(2) && files.LineInput(2, line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_FALSE(files.LineInput(2, line));
    EXPECT_FALSE(files.Open(2, file, ui::OpenMode::Input));  // number in use
    EXPECT_FALSE(files.Open(3, (dir.path / "missing").string(), ui::OpenMode::Input));
}

TEST(UiFiles, InputFieldsHonourQuotesAndLineBreaks)
{
    TempDir dir;
    const auto file = (dir.path / "f.csv").string();
    std::ofstream(file, std::ios::binary) << "\"a, b\",  c  ,\r\n12\n\n\"unterminated";
    ui::FileTable files;
    ASSERT_TRUE(files.Open(1, file, ui::OpenMode::Input));
    std::vector<std::string> fields;
    std::string f;
    while (files.InputField(1, f))
        fields.push_back(f);
    EXPECT_EQ(fields, (std::vector<std::string>{"a, b", "c", "", "12", "unterminated"}));
}

TEST(UiFiles, AppendKeepsEarlierLinesAndCloseOfClosedIsHarmless)
{
    TempDir dir;
    const auto file = (dir.path / "a.txt").string();
    ui::FileTable files;
    ASSERT_TRUE(files.Open(1, file, ui::OpenMode::Output));
    files.Print(1, "x");
    files.Close(1);
    files.Close(1);
    ASSERT_TRUE(files.Open(1, file, ui::OpenMode::Append));
    files.PrintNoNewline(1, "y");
    files.Print(1, "z");
    EXPECT_FALSE(files.Print(7, "nowhere"));
    files.CloseAll();
    EXPECT_EQ(readFile(file), "x\r\nyz\r\n");
}

}  // namespace
