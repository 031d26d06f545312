// End and the numbered files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/FileSizeLimit.h"
#include "support/HeadlessRuntime.h"
#include "ui/Form.h"
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
            ("kvn-ui-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path);  // one an earlier process of the same id left
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

// Only a regular file of sane size is read: a FIFO would block for ever, a
// link to /dev/zero never ends, a directory cannot be read.
TEST(UiFiles, InputIsReadOnlyFromARegularFileOfSaneSize)
{
    TempDir dir;
    ui::FileTable files;
    const auto fifo = (dir.path / "fifo.csv").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(files.Open(1, fifo, ui::OpenMode::Input));
    EXPECT_FALSE(files.Open(1, dir.path.string(), ui::OpenMode::Input));
    EXPECT_EQ(files.lastError(), "Is a directory");
    const auto zero = dir.path / "zero.csv";
    std::filesystem::create_symlink("/dev/zero", zero);
    EXPECT_FALSE(files.Open(1, zero.string(), ui::OpenMode::Input));
    const auto huge = dir.path / "huge.csv";
    std::ofstream(huge).put('x');
    std::filesystem::resize_file(huge, ui::FileTable::kMaxInputBytes + 1);  // sparse: costs nothing
    EXPECT_FALSE(files.Open(1, huge.string(), ui::OpenMode::Input));
    EXPECT_FALSE(files.isOpen(1));

    const auto fine = dir.path / "fine.csv";
    std::ofstream(fine, std::ios::binary) << "a,b\r\n";
    std::filesystem::resize_file(huge, ui::FileTable::kMaxInputBytes);
    ASSERT_TRUE(files.Open(1, fine.string(), ui::OpenMode::Input));
    std::string line;
    EXPECT_TRUE(files.LineInput(1, line));
    EXPECT_EQ(line, "a,b");
    EXPECT_TRUE(files.Open(2, huge.string(), ui::OpenMode::Input));

    // Nor does writing wait for a reader that never comes.
    EXPECT_FALSE(files.Open(3, fifo, ui::OpenMode::Output));
    EXPECT_FALSE(files.Open(3, fifo, ui::OpenMode::Append));
    EXPECT_FALSE(files.Open(3, dir.path.string(), ui::OpenMode::Output));
}

// Only a regular file is written: a write to a FIFO whose reader has stopped
// reading, or to a device, could block the program for ever.
TEST(UiFiles, OutputGoesOnlyToARegularFile)
{
    TempDir dir;
    const auto fifo = (dir.path / "fifo.txt").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // there, but never reads
    ASSERT_GE(reader, 0);
    ui::FileTable files;
    for (const std::string& target : {fifo, std::string("/dev/null")}) {
        for (auto mode : {ui::OpenMode::Output, ui::OpenMode::Append}) {
            EXPECT_FALSE(files.Open(1, target, mode)) << target;
            EXPECT_EQ(files.failure("Logging stopped"),
                "Logging stopped: cannot write to " + target + "\r\nNot a regular file.");
        }
    }
    ::close(reader);
    EXPECT_FALSE(files.isOpen(1));
}

TEST(UiFiles, AWriteThatFailsIsReportedWithTheSystemsReason)
{
    TempDir dir;
    const auto file = (dir.path / "a.txt").string();
    ui::FileTable files;
    ASSERT_TRUE(files.Open(1, file, ui::OpenMode::Output));
    ui::FileSizeLimit full(8);
    EXPECT_TRUE(files.Print(1, "line"));
    EXPECT_FALSE(files.Print(1, "line"));
    EXPECT_EQ(files.lastError(), "File too large");
    EXPECT_FALSE(files.PrintNoNewline(1, "xyz"));  // two bytes fit: taken back
    files.CloseAll();
    EXPECT_EQ(readFile(file), "line\r\n");
}

// A disk that fills up mid-line: the torn part is taken back, so the file
// holds only whole lines. Needs a small file system of its own (root only).
TEST(UiFiles, ALineThatDoesNotFitIsTakenBackWhole)
{
    TempDir dir;
    const auto mnt = dir.path / "mnt";
    std::filesystem::create_directories(mnt);
    if (::geteuid() != 0 || ::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "no small file system to fill (needs root)";
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount(path.c_str()); }
    } unmount{mnt.string()};

    const auto file = (mnt / "log.txt").string();
    ui::FileTable files;
    ASSERT_TRUE(files.Open(1, file, ui::OpenMode::Output));
    const std::string text(97, 'x');  // 99 bytes a line: the disk never ends on a line end
    int lines = 0;
    while (files.Print(1, text) && lines < 100000)
        ++lines;
    ASSERT_LT(lines, 100000);
    EXPECT_EQ(files.lastError(), "No space left on device");
    files.CloseAll();
    const std::string data = readFile(file);
    EXPECT_EQ(data.size(), static_cast<std::size_t>(lines) * 99);
    for (std::size_t at = 0; at + 99 <= data.size(); at += 99)
        ASSERT_EQ(data.substr(at, 99), text + "\r\n") << at;
}

}  // namespace
