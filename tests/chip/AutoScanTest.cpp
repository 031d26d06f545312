// The auto-scan tick, its stop rule, and the wait for the chip's own scan.
#include <gtest/gtest.h>

#include <algorithm>

#include "chip/MonitorFixture.h"

namespace monitor_test {
namespace {

using AutoScanTest = MonitorTest;

constexpr std::uint8_t kSleep = 0x04;  // 0x88: a sleeping chip holds its scan flag

// Block-read triples in the board's log since from; fails on any interleaving.
int scansSince(const std::vector<std::string>& reads)
{
    int scans = 0;
    std::size_t i = 0;
    while (i < reads.size()) {
        if (reads[i] != "80/22") {  // single reads outside a scan (0x82 while waiting)
            ++i;
            continue;
        }
        EXPECT_LE(i + 3, reads.size());
        if (i + 3 > reads.size())
            break;
        EXPECT_EQ(reads[i + 1], "96/22");
        EXPECT_EQ(reads[i + 2], "49/2");
        ++scans;
        i += 3;
    }
    return scans;
}

TEST_F(AutoScanTest, StopRequestStillScansAndRecordsOnceThenTurnsGrey)
{
    auto& f = form();
    rt.chooseFile(folder.file("log.txt"));
    f.cbRecord_Click();
    f.cbAutoScan_Click();
    EXPECT_EQ(f.Timer2.Interval.get(), 20);
    rt.runFor(200);
    const std::size_t atStop = board().log.size();
    const std::string logAtStop = folder.read("log.txt");
    f.cbAutoScan_Click();
    EXPECT_EQ(f.cbAutoScan.BackColor.get(), vb::kRunning);
    EXPECT_EQ(f.cbAutoScan.Caption.get(), "Auto Scan START");
    rt.runFor(25);
    EXPECT_EQ(scansSince(readsOf(atStop)), 1);
    const std::string logAfter = folder.read("log.txt");
    ASSERT_EQ(logAfter.substr(0, logAtStop.size()), logAtStop);
    EXPECT_EQ(std::count(logAfter.begin() + static_cast<std::ptrdiff_t>(logAtStop.size()), logAfter.end(), '\n'), 1);
    EXPECT_EQ(f.cbAutoScan.BackColor.get(), vb::kIdle);
    EXPECT_EQ(f.Timer2.Interval.get(), 0);
    EXPECT_TRUE(f.Timer2.Enabled.get());
    const std::size_t after = board().log.size();
    rt.runFor(500);
    EXPECT_EQ(board().log.size(), after);
    EXPECT_EQ(folder.read("log.txt"), logAfter);
}

TEST_F(AutoScanTest, GuardBlocksFromStartUntilTheStopCompletes)
{
    auto& f = form();
    rt.clearBoxes();
    EXPECT_FALSE(f.autoScan.blocks());
    EXPECT_TRUE(rt.boxes().empty());

    f.cbAutoScan_Click();
    EXPECT_TRUE(f.autoScan.blocks());
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(
        rt.boxes()[0].prompt, "Operation Blocked during Auto scan. Please stop Auto scan before using this feature");
    EXPECT_EQ(rt.boxes()[0].icon, ui::vbExclamation);
    EXPECT_EQ(rt.boxes()[0].buttons, ui::vbOKOnly);

    // A stop request keeps the button light red, and the guard with it, until the next tick.
    f.cbAutoScan_Click();
    EXPECT_TRUE(f.autoScan.blocks());
    rt.runFor(25);
    EXPECT_EQ(f.cbAutoScan.BackColor.get(), vb::kIdle);
    EXPECT_FALSE(f.autoScan.blocks());
    EXPECT_EQ(rt.boxes().size(), 2u);
}

TEST_F(AutoScanTest, RateBoxWhileIdleStartsNothing)
{
    auto& f = form();
    const std::size_t from = board().log.size();
    f.cbAutorate.Text = "1";
    rt.runFor(3000);
    EXPECT_EQ(readsSince(from), 0u);
    // Nor once a run has stopped.
    f.cbAutoScan_Click();
    rt.runFor(1500);
    f.cbAutoScan_Click();
    rt.runFor(1100);
    ASSERT_EQ(f.cbAutoScan.BackColor.get(), vb::kIdle);
    const std::size_t stopped = board().log.size();
    f.cbAutorate.Text = "Min";
    rt.runFor(3000);
    EXPECT_EQ(readsSince(stopped), 0u);
    EXPECT_EQ(f.cbAutoScan.BackColor.get(), vb::kIdle);
}

TEST_F(AutoScanTest, SixtySecondsTickEveryMinuteAndARateChangeActsAtOnce)
{
    auto& f = form();
    f.cbAutorate.Text = "60";
    const std::size_t from = board().log.size();
    f.cbAutoScan_Click();
    EXPECT_EQ(f.Timer2.Interval.get(), 60000);
    rt.runFor(59000);
    EXPECT_EQ(scansSince(readsOf(from)), 0);
    rt.runFor(62000);
    EXPECT_EQ(scansSince(readsOf(from)), 2);
    f.cbAutorate.Text = "1";
    const std::size_t fast = board().log.size();
    rt.runFor(5500);
    EXPECT_EQ(scansSince(readsOf(fast)), 5);
}

TEST_F(AutoScanTest, MinNeverRunsTwoScansAtOnce)
{
    auto& f = form();
    // Each report takes 8 ms: a scan lasts longer than the 20 ms tick.
    board().faults.latencyMs = 8;
    const std::size_t from = board().log.size();
    const long long start = rt.now();
    f.cbAutoScan_Click();
    rt.runFor(2000);
    const int scans = scansSince(readsOf(from));
    EXPECT_GT(scans, 20);
    EXPECT_LE(scans, (rt.now() - start) / 20);
}

TEST_F(AutoScanTest, TickDuringAClickedScanIsSkippedNotWaitedFor)
{
    auto& f = form();
    f.cbAutoScan_Click();
    rt.runFor(100);
    // A register-side handler runs a scan while the auto scan runs; its wait
    // for the sleeping chip pumps events, so ticks come up inside it.
    f.ChkSyncuPdoescan.Value = 1;
    setChipRegister(0x88, kSleep);
    const std::size_t from = board().log.size();
    int nested = 0;
    rt.after(500, [&] {
        ++nested;
        f.cbReadV_Click();  // a second scan inside the first returns at once
    });
    f.cbReadV_Click();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(scansSince(readsOf(from)), 1);
    EXPECT_EQ(f.LEDSync[0].FillColor.get(), vb::kRed);
    // The auto scan goes on afterwards.
    f.ChkSyncuPdoescan.Value = 0;
    setChipRegister(0x88, 0);
    const std::size_t later = board().log.size();
    rt.runFor(3000);  // every scan still pauses after the time-out
    EXPECT_GE(scansSince(readsOf(later)), 2);
}

TEST_F(AutoScanTest, WaitEndedByTimerSyncPaintsRedAndLaterScansPauseUntilAWait)
{
    auto& f = form();
    f.ChkSyncuPdoescan.Value = 1;
    setChipRegister(0x88, kSleep);
    long long t = rt.now();
    f.cbReadV_Click();
    EXPECT_GE(rt.now() - t, 3000);  // 2000 ms wait, 1000 ms pause
    EXPECT_LT(rt.now() - t, 3100);
    EXPECT_EQ(f.LEDSync[0].FillColor.get(), vb::kRed);
    EXPECT_TRUE(f.autoScan.SyncTimeout);
    EXPECT_EQ(f.cbReadV.Caption.get(), "Read Voltages (Single)");

    // Sync box cleared: every scan still shows the time-out and pauses.
    f.ChkSyncuPdoescan.Value = 0;
    setChipRegister(0x88, 0);
    for (int i = 0; i < 2; ++i) {
        f.LEDSync[0].FillColor = vb::kWhite;
        t = rt.now();
        f.cbReadV_Click();
        EXPECT_GE(rt.now() - t, 1000);
        EXPECT_EQ(f.LEDSync[0].FillColor.get(), vb::kRed);
    }

    // A wait the chip ends: blue, then green on the next scan, no pause.
    f.ChkSyncuPdoescan.Value = 1;
    t = rt.now();
    f.cbReadV_Click();
    EXPECT_LT(rt.now() - t, 100);
    EXPECT_FALSE(f.autoScan.SyncTimeout);
    EXPECT_EQ(f.LEDSync[0].FillColor.get(), vb::QBColor(9));
    f.cbReadV_Click();
    EXPECT_EQ(f.LEDSync[0].FillColor.get(), vb::QBColor(10));
    // That wait's timer does not come back later as a time-out.
    rt.runFor(2500);
    EXPECT_FALSE(f.autoScan.SyncTimeout);
    t = rt.now();
    f.ChkSyncuPdoescan.Value = 0;
    f.cbReadV_Click();
    EXPECT_LT(rt.now() - t, 100);
}

TEST_F(AutoScanTest, EveryWaitGetsItsOwnFullPeriod)
{
    auto& f = form();
    f.ChkSyncuPdoescan.Value = 1;
    board().chip().forceRegister(0x82, 0x40);  // the chip's own scan never ends...
    rt.after(1500, [&] { board().chip().releaseRegister(0x82); });  // ...until now
    f.cbReadV_Click();
    EXPECT_FALSE(f.autoScan.SyncTimeout);
    EXPECT_EQ(f.LEDSync[0].FillColor.get(), vb::QBColor(9));
    // The next wait starts 1500 ms into the first one's period and still gets 2000 ms.
    board().chip().forceRegister(0x82, 0x40);
    const long long t = rt.now();
    f.cbReadV_Click();
    EXPECT_GE(rt.now() - t, 3000);  // 2000 ms wait, 1000 ms pause
    EXPECT_TRUE(f.autoScan.SyncTimeout);
    EXPECT_EQ(f.LEDSync[0].FillColor.get(), vb::kRed);
}

TEST_F(AutoScanTest, AbortSyncEndsTheWaitWithoutRedOrPause)
{
    auto& f = form();
    f.ChkSyncuPdoescan.Value = 1;
    setChipRegister(0x88, kSleep);
    f.LEDSync[0].FillColor = vb::kWhite;
    rt.after(300, [&] { f.cmdAbortSync.userClick(); });
    const long long t = rt.now();
    f.cbReadV_Click();
    EXPECT_GE(rt.now() - t, 300);
    EXPECT_LT(rt.now() - t, 400);
    EXPECT_FALSE(f.autoScan.SyncRun);
    EXPECT_FALSE(f.autoScan.SyncTimeout);
    EXPECT_EQ(f.LEDSync[0].FillColor.get(), vb::kWhite);
    EXPECT_EQ(f.cbReadV.Caption.get(), "Read Voltages (Single)");
    rt.runFor(2500);
    EXPECT_FALSE(f.autoScan.SyncTimeout);
}

}  // namespace
}  // namespace monitor_test
