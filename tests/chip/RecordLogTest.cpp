// The recording log written by a real auto-scan run on the simulated board.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <sys/mount.h>
#include <unistd.h>

#include "chip/MonitorFixture.h"
#include "chip/RecordLine.h"
#include "support/FileSizeLimit.h"

namespace monitor_test {
namespace {

using RecordLogTest = MonitorTest;

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = line.find('\t', start)) != std::string::npos; start = end + 1)
        fields.push_back(line.substr(start, end - start));
    fields.push_back(line.substr(start));
    return fields;
}

TEST_F(RecordLogTest, AutoScanRunWritesHeaderAndOneLinePerTick)
{
    auto& f = form();
    const std::string path = folder.file("run.txt");
    rt.chooseFile(path);
    f.cbRecord_Click();
    ASSERT_EQ(rt.dialogs().size(), 1u);
    EXPECT_EQ(rt.dialogs()[0].kind, ui::DialogKind::Save);
    EXPECT_EQ(rt.dialogs()[0].defaultExt, ".txt");
    EXPECT_EQ(rt.dialogs()[0].filter, "Text File (*.txt)|*.txt| All Files (*.*)|*.*|");
    EXPECT_EQ(f.CommonDialog1.FilterIndex, 2);
    EXPECT_TRUE(f.CommonDialog1.CancelError);
    EXPECT_EQ(f.cbRecord.Caption.get(), "Logging STOP");
    EXPECT_EQ(f.cbRecord.BackColor.get(), vb::kRunning);
    // A single scan records nothing; the file holds the header only.
    f.cbReadV_Click();
    EXPECT_EQ(folder.read("run.txt"), chip::recordHeader() + "\r\n");

    // LED 31 is unused and not recorded, whatever it shows.
    f.LED[31].FillColor = vb::kRed;
    f.cbAutoScan_Click();
    rt.runFor(300);
    f.cbAutoScan_Click();  // stop request: the next tick still records
    rt.runFor(100);
    ASSERT_EQ(f.cbAutoScan.BackColor.get(), vb::kIdle);
    const std::string beforeClose = folder.read("run.txt");
    f.cbRecord_Click();
    EXPECT_EQ(f.cbRecord.Caption.get(), "Logging START");
    EXPECT_EQ(f.cbRecord.BackColor.get(), vb::kIdle);
    EXPECT_FALSE(rt.files().isOpen(1));

    const std::string text = folder.read("run.txt");
    EXPECT_EQ(text, beforeClose);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));
    const auto lines = splitLines(text);
    ASSERT_GE(lines.size(), 10u);  // ~15 ticks of 20 ms
    EXPECT_EQ(lines[0], chip::recordHeader());
    for (const auto& line : lines)
        EXPECT_EQ(splitFields(line).size(), 49u) << line;

    // The last line is what the form shows now.
    const auto last = splitFields(lines.back());
    const vb::DateTime now = rt.Now();
    EXPECT_EQ(last[0].substr(0, last[0].find("   ")), rt.RegionalDate(now));
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(last[static_cast<std::size_t>(i + 1)], f.VCELL[i].Text.get()) << i;
    EXPECT_EQ(last[15], "0");  // PCFET off
    EXPECT_EQ(last[16], "1");  // CFET on
    EXPECT_EQ(last[17], "1");  // DFET on
    for (int i = 0; i < 31; ++i) {
        const vb::Color c = f.LED[i].FillColor;
        EXPECT_EQ(last[static_cast<std::size_t>(18 + i)], c == vb::kWhite ? "0" : "1") << i;
    }
    EXPECT_EQ(last[34], "1");  // LDPR: a load is attached (green)
    EXPECT_EQ(last[48], "0");  // SLP, not the red LED 31 after it
}

TEST_F(RecordLogTest, CancelledDialogLeavesTheLogOff)
{
    auto& f = form();
    f.cbRecord_Click();  // no file chosen: Cancel
    EXPECT_EQ(rt.dialogs().size(), 1u);
    EXPECT_EQ(f.cbRecord.Caption.get(), "Logging START");
    EXPECT_EQ(f.cbRecord.BackColor.get(), vb::kIdle);
    EXPECT_FALSE(rt.files().isOpen(1));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_TRUE(rt.boxes().empty());
    // A file that cannot be created: the same, and a box says which and why.
    const std::string path = folder.file("no/such/folder/log.txt");
    rt.chooseFile(path);
    f.cbRecord_Click();
    EXPECT_EQ(f.cbRecord.BackColor.get(), vb::kIdle);
    EXPECT_FALSE(rt.files().isOpen(1));
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(rt.boxes()[0].prompt, "Logging not started: cannot write to " + path + "\r\nNo such file or directory.");
}

TEST_F(RecordLogTest, RefusedWhileAnotherRunHoldsFileNumber1)
{
    auto& f = form();
    ASSERT_TRUE(rt.files().Open(1, folder.file("samples.csv"), ui::OpenMode::Output));
    rt.chooseFile(folder.file("log.txt"));
    f.cbRecord_Click();
    EXPECT_TRUE(rt.dialogs().empty());
    EXPECT_EQ(f.cbRecord.Caption.get(), "Logging START");
    EXPECT_EQ(rt.files().path(1), folder.file("samples.csv"));
}

// A log that cannot be written stops with a box naming the file and the
// system's reason, and the button returns to "Logging START".
TEST_F(RecordLogTest, AWriteErrorStopsTheLogWithABox)
{
    auto& f = form();
    const std::string path = folder.file("full.txt");
    rt.chooseFile(path);
    ui::FileSizeLimit full(0);
    f.cbRecord.userClick();
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(rt.boxes()[0].prompt, "Logging stopped: cannot write to " + path + "\r\nFile too large.");
    EXPECT_EQ(rt.boxes()[0].icon, ui::vbExclamation);
    EXPECT_EQ(f.cbRecord.Caption.get(), "Logging START");
    EXPECT_EQ(f.cbRecord.BackColor.get(), vb::kIdle);
    EXPECT_FALSE(rt.files().isOpen(1));
}

// A disk that fills up during a run: every line in the file is whole, the log
// stops once with a box, the auto scan goes on. Needs a small file system (root).
TEST_F(RecordLogTest, ADiskFillingUpMidRunKeepsWholeLines)
{
    auto& f = form();
    const std::string mnt = folder.file("small");
    std::filesystem::create_directories(mnt);
    if (::geteuid() != 0 || ::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "no small file system to fill (needs root)";
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount(path.c_str()); }
    } unmount{mnt};

    const std::string path = mnt + "/log.txt";
    rt.chooseFile(path);
    f.cbRecord.userClick();
    f.cbAutoScan.userClick();
    rt.runFor(10000);  // about 500 ticks of some 150 bytes: more than 16 KiB
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(rt.boxes()[0].prompt, "Logging stopped: cannot write to " + path + "\r\nNo space left on device.");
    EXPECT_EQ(f.cbRecord.Caption.get(), "Logging START");
    EXPECT_FALSE(rt.files().isOpen(1));
    EXPECT_EQ(f.cbAutoScan.Caption.get(), "Auto Scan STOP");

    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto lines = splitLines(text);
    ASSERT_GT(lines.size(), 20u);
    for (const auto& line : lines)
        ASSERT_EQ(splitFields(line).size(), 49u) << line;
}

}  // namespace
}  // namespace monitor_test
