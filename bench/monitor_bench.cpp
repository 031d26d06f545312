// The measurement scan's own cost, and the auto scan at "Min" with the Qt
// view attached: can it hold its 20 ms tick, and at what CPU.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <filesystem>

#include "chip/KVN58C3_Main.h"
#include "link/BridgeProtocol.h"
#include "program/Program.h"
#include "shell/frmStartup.h"
#include "sim/EvalBoard.h"
#include "support/HeadlessRuntime.h"

#ifdef KVN_BENCH_QT
#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include "qt/QtRuntime.h"
#endif

namespace {

ProgramOptions benchOptions()
{
    ProgramOptions options;
    options.appPath = std::filesystem::temp_directory_path().string();
    options.simulate = true;
    return options;
}

// One scan on a board that answers at once: the software's own time.
void BM_ScanSoftwareTime(benchmark::State& state)
{
    ui::HeadlessRuntime rt;
    Program p(rt, benchOptions());
    p.form<shell::frmStartup>().launch(0);
    auto& form = p.form<chip::KVN58C3_Main>();
    for (auto _ : state)
        form.cbReadV_Click();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScanSoftwareTime)->Unit(benchmark::kMicrosecond);

#ifdef KVN_BENCH_QT
// Block reads of 0x80 (one per scan) among the reports the board took.
long long scansIn(const sim::EvalBoard& board)
{
    long long n = 0;
    for (const auto& r : board.log)
        n += r[usb::bridge::kCommandByte] == usb::bridge::kCmdI2cRead && r[5] == 0x80 && r[3] == 22;
    return n;
}

double processCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// The auto scan at "Min" on a board answering each report after 1 ms, the
// chip form shown through the Qt view, the event loop idling between ticks.
void BM_AutoScanMinWithQtView(benchmark::State& state)
{
    const int runMs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        qt::QtRuntime rt;
        Program p(rt, benchOptions());
        qt::WindowsFirst windows(rt);
        p.simBoard()->faults.latencyMs = 1;
        p.form<shell::frmStartup>().launch(0);
        auto& form = p.form<chip::KVN58C3_Main>();
        if (!rt.window(form)) {
            state.SkipWithError("the chip form has no window");
            break;
        }
        sim::EvalBoard& board = *p.simBoard();
        board.log.clear();

        const double cpu0 = processCpuSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        form.cbAutoScan_Click();
        QEventLoop loop;
        QTimer::singleShot(runMs, &loop, &QEventLoop::quit);
        loop.exec();
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        const double cpu = processCpuSeconds() - cpu0;
        const long long scans = scansIn(board);
        form.cbAutoScan_Click();

        state.counters["scans_per_s"] = static_cast<double>(scans) / wall;
        state.counters["ms_per_tick"] = scans > 0 ? wall * 1000.0 / static_cast<double>(scans) : 0.0;
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
    }
}
BENCHMARK(BM_AutoScanMinWithQtView)->Arg(3000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

}  // namespace
