// The A/D form's 14-bit run: one sample's own time with the trace across the
// whole scope, and the run with the Qt view shown on a board answering each
// report after 1 ms.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "adutil/frmADUtil.h"
#include "link/BridgeProtocol.h"
#include "program/Program.h"
#include "regmap/ChipRegisters.h"
#include "shell/frmStartup.h"
#include "sim/EvalBoard.h"
#include "support/HeadlessRuntime.h"

#ifdef KVN_BENCH_QT
#include <QTimer>

#include "qt/FormWindow.h"
#include "qt/PictureWidget.h"
#include "qt/QtRuntime.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;

ProgramOptions benchOptions()
{
    ProgramOptions options;
    options.appPath = std::filesystem::temp_directory_path().string();
    options.simulate = true;
    return options;
}

// Per sample on a board that answers at once, measured once the trace spans
// all 320 columns (so every sample redraws the whole trace).
void BM_AdSampleSoftwareTime(benchmark::State& state)
{
    constexpr long long kSamples = 2000;
    ui::HeadlessRuntime rt;
    Program p(rt, benchOptions());
    p.form<shell::frmStartup>().launch(0);
    auto& ad = p.form<adutil::frmADUtil>();
    ad.Show();
    // Each sample sets the counter caption twice.
    long long counterChanges = 0;
    ad.lblReadCounter.setListener([&counterChanges](ui::PropId) { ++counterChanges; });
    p.simBoard()->chip().pack.noiseVolts = 0.0015;

    for (auto _ : state) {
        long long first = -1;
        Clock::time_point t0;
        double perSample = 0;
        std::function<void()> poll;
        poll = [&] {
            if (p.LoopRunning && first < 0 && ad.wave.PlotX >= ad.picTrace1_1.Width) {
                first = counterChanges;
                t0 = Clock::now();
            } else if (first >= 0 && (counterChanges - first) / 2 >= kSamples) {
                perSample = std::chrono::duration<double>(Clock::now() - t0).count() / kSamples;
                ad.SSCmdStop_Click();
                return;
            }
            rt.after(1, poll);
        };
        rt.after(1, poll);
        ad.OptMuxSelect[3].userClick();
        state.SetIterationTime(perSample);
    }
}
BENCHMARK(BM_AdSampleSoftwareTime)->UseManualTime()->Iterations(5)->Unit(benchmark::kMicrosecond);

#ifdef KVN_BENCH_QT
long long resultReads(const sim::EvalBoard& board)
{
    long long n = 0;
    for (const auto& r : board.log)
        n += r[usb::bridge::kCommandByte] == usb::bridge::kCmdI2cRead && r[5] == chipreg::kMonitorResult;
    return n;
}

// Samples per second against the floor of two 1 ms transfers per sample plus
// the 1 ms pause once the trace is full, and the scope's repaints per second.
void BM_AdRunWithQtView(benchmark::State& state)
{
    const int runMs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        qt::QtRuntime rt;
        Program p(rt, benchOptions());
        qt::WindowsFirst windows(rt);
        p.simBoard()->faults.latencyMs = 1;
        auto& ad = p.form<adutil::frmADUtil>();
        rt.dispatch([&p, &ad] {
            p.form<shell::frmStartup>().launch(0);
            ad.Show();
        });
        qt::FormWindow* window = rt.window(ad);
        auto* scope = window ? dynamic_cast<qt::PictureWidget*>(window->widgetOf(ad.picTrace1_1)) : nullptr;
        if (!scope) {
            state.SkipWithError("the A/D form has no scope widget");
            break;
        }
        sim::EvalBoard& board = *p.simBoard();
        board.log.clear();
        const int builds0 = scope->imageBuilds();
        const auto t0 = Clock::now();
        QTimer::singleShot(runMs, [&ad] { ad.SSCmdStop_Click(); });
        rt.dispatch([&ad] { ad.OptMuxSelect[3].userClick(); });
        const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
        const double samples = static_cast<double>(resultReads(board) - 1);
        state.counters["samples_per_s"] = samples / wall;
        state.counters["floor_samples_per_s"] = 1000.0 / 3.0;
        state.counters["ms_per_sample"] = samples > 0 ? wall * 1000.0 / samples : 0.0;
        state.counters["repaints_per_s"] = (scope->imageBuilds() - builds0) / wall;
    }
}
BENCHMARK(BM_AdRunWithQtView)->Arg(3000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

}  // namespace
