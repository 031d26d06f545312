// What the program costs as a user runs it: the real runtime, real waits, the
// simulated board answering each report after 1 ms and measuring anew for every
// scan, the forms shown on the platform Qt runs on. Each case runs for
// KVN_BENCH_SECONDS (10 by default) and reports the process CPU as a share of
// a core and per scan or sample; window:0 is the same work with no window
// shown, the floor the views add to.
#ifdef KVN_BENCH_QT
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "BenchProgram.h"
#include "BenchQt.h"
#include "adutil/frmADUtil.h"
#include "chip/KVN58C3_Main.h"
#include "program/Program.h"
#include "regmap/ChipRegisters.h"
#include "shell/Doco.h"
#include "shell/frmStartup.h"
#include "sim/EvalBoard.h"

namespace {

using bench::BenchRuntime;
using bench::CpuWindow;

constexpr int kLatencyMs = 1;

// The program started on the simulated board, its chip form open (on the
// "Readings" page, as it opens), the forms shown or not.
struct UserRun {
    explicit UserRun(bool windows, std::string file = {}) : rt(windows, std::move(file))
    {
        rt.dispatch([this] { p.form<shell::frmStartup>().launch(0); });
        form = &p.form<chip::KVN58C3_Main>();
        board = p.simBoard();
        board->faults.latencyMs = kLatencyMs;
        board->chip().scanEveryRead = true;
        board->log.clear();
    }

    BenchRuntime rt;
    Program p{rt, bench::benchOptions()};
    qt::WindowsFirst windowsFirst{rt};
    chip::KVN58C3_Main* form = nullptr;
    sim::EvalBoard* board = nullptr;
};

bool windowsOf(const benchmark::State& state) { return state.range(0) != 0; }

// Scans by "Read" one after another as fast as the link allows.
void BM_User_ScansBackToBack(benchmark::State& state)
{
    for (auto _ : state) {
        UserRun u(windowsOf(state));
        const int runMs = bench::measuredMs();
        long long scans = 0;
        QElapsedTimer t;
        t.start();
        CpuWindow cpu;
        while (t.elapsed() < runMs) {
            u.rt.dispatch([&u] { u.form->cbReadV_Click(); });
            if ((++scans & 255) == 0)
                u.board->log.clear();
        }
        cpu.stop();
        cpu.report(state, static_cast<double>(scans), "scan");
    }
}
BENCHMARK(BM_User_ScansBackToBack)->ArgName("window")->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

// The auto scan at "Min" (its fastest tick), the event loop idling between
// ticks; with the trace window open and the trace on when asked.
void autoScan(benchmark::State& state, bool trace)
{
    for (auto _ : state) {
        UserRun u(windowsOf(state));
        if (trace) {
            u.rt.dispatch([&u] { u.p.form<shell::Doco>().Show(); });
            u.p.TraceOn = true;
        }
        bench::showFrame(u.rt);
        u.board->log.clear();
        long long scans = 0;
        QTimer drain;  // counts and forgets the board's reports as they come
        QObject::connect(&drain, &QTimer::timeout, [&] {
            scans += bench::readsOf(*u.board, chipreg::kStatusFirst, 22);
            u.board->log.clear();
        });
        drain.start(100);
        bench::PaintCounter paints;
        CpuWindow cpu;
        u.rt.dispatch([&u] { u.form->cbAutoScan_Click(); });
        QEventLoop loop;
        QTimer::singleShot(bench::measuredMs(), &loop, &QEventLoop::quit);
        loop.exec();
        cpu.stop();
        scans += bench::readsOf(*u.board, chipreg::kStatusFirst, 22);
        u.rt.dispatch([&u] { u.form->cbAutoScan_Click(); });
        cpu.report(state, static_cast<double>(scans), "scan");
        state.counters["flushes_per_s"] = static_cast<double>(paints.flushes) * 1000.0 / bench::measuredMs();
    }
}
void BM_User_AutoScanMin(benchmark::State& state) { autoScan(state, false); }
void BM_User_AutoScanMinWithTrace(benchmark::State& state) { autoScan(state, true); }
BENCHMARK(BM_User_AutoScanMin)->ArgName("window")->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_User_AutoScanMinWithTrace)
    ->ArgName("window")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The A/D form's run on one channel, the scope shown; arguments: the run's
// resolution in bits, windows.
void BM_User_AdRun(benchmark::State& state)
{
    constexpr int kChannel = 3;
    const int bits = static_cast<int>(state.range(0));
    const std::uint8_t sampleRegister = bits == 12 ? chipreg::cellRegister(kChannel) : chipreg::kMonitorResult;
    for (auto _ : state) {
        UserRun u(state.range(1) != 0);
        auto& ad = u.p.form<adutil::frmADUtil>();
        u.rt.dispatch([&ad, bits] {
            ad.Show();
            if (bits == 12)
                ad.OptBits[0].Value = true;
        });
        u.board->log.clear();
        QTimer::singleShot(bench::measuredMs(), [&ad] { ad.SSCmdStop_Click(); });
        CpuWindow cpu;
        u.rt.dispatch([&ad] { ad.OptMuxSelect[kChannel].userClick(); });
        cpu.stop();
        cpu.report(state, static_cast<double>(bench::readsOf(*u.board, sampleRegister)), "sample");
    }
}
BENCHMARK(BM_User_AdRun)
    ->ArgNames({"bits", "window"})
    ->Args({14, 1})
    ->Args({14, 0})
    ->Args({12, 1})
    ->Args({12, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// "Sample Single Voltage" on the first channel into a file, its page shown.
void BM_User_SampleSingleVoltage(benchmark::State& state)
{
    const auto file = std::filesystem::temp_directory_path() / "kvn-bench-series.txt";
    for (auto _ : state) {
        UserRun u(windowsOf(state), file.string());
        chip::KVN58C3_Main& form = *u.form;
        form.tbVoltageMon.ListIndex = 1;
        form.tbSamples2.Text = "32767";
        form.SSTab1.Tab = chip::kPageControl;
        QTimer::singleShot(bench::measuredMs(), [&u] { u.p.AbortDataCollect = true; });
        CpuWindow cpu;
        u.rt.dispatch([&form] { form.SampleVoltages_Click(); });
        cpu.stop();
        cpu.report(state, static_cast<double>(bench::readsOf(*u.board, chipreg::kMonitorResult)), "sample");
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_User_SampleSingleVoltage)->ArgName("window")->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
#endif
