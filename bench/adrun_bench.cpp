// The A/D form's runs, 14-bit and 12-bit: one sample's own time with the
// trace across the whole scope, and the run with the Qt view shown on a board
// answering each report after 1 ms.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "BenchProgram.h"
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

using bench::benchOptions;

// The benchmarks' argument: the run's resolution in bits.
constexpr int k12Bit = 12;
constexpr int k14Bit = 14;
constexpr int kChannel = 3;

// The next channel click runs the run of that resolution.
void chooseResolution(adutil::frmADUtil& ad, int bits)
{
    if (bits == k12Bit)
        ad.OptBits[0].Value = true;
}

// Reads of the register the run's samples come from.
std::uint8_t sampleRegister(int bits)
{
    return bits == k12Bit ? chipreg::cellRegister(kChannel) : chipreg::kMonitorResult;
}

// Per sample on a board that answers at once, measured once the trace spans
// all 320 columns (so every sample redraws the whole trace).
void BM_AdSampleSoftwareTime(benchmark::State& state)
{
    constexpr long long kSamples = 2000;
    const int bits = static_cast<int>(state.range(0));
    ui::HeadlessRuntime rt;
    Program p(rt, benchOptions());
    p.form<shell::frmStartup>().launch(0);
    auto& ad = p.form<adutil::frmADUtil>();
    ad.Show();
    chooseResolution(ad, bits);
    // Each 14-bit sample sets the counter caption twice, each 12-bit one once.
    const long long changesPerSample = bits == k12Bit ? 1 : 2;
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
            } else if (first >= 0 && (counterChanges - first) / changesPerSample >= kSamples) {
                perSample = std::chrono::duration<double>(Clock::now() - t0).count() / kSamples;
                ad.SSCmdStop_Click();
                return;
            }
            rt.after(1, poll);
        };
        rt.after(1, poll);
        ad.OptMuxSelect[kChannel].userClick();
        state.SetIterationTime(perSample);
    }
}
BENCHMARK(BM_AdSampleSoftwareTime)
    ->Arg(k14Bit)
    ->Arg(k12Bit)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMicrosecond);

#ifdef KVN_BENCH_QT
long long sampleReads(const sim::EvalBoard& board, int bits)
{
    long long n = 0;
    for (const auto& r : board.log)
        n += r[usb::bridge::kCommandByte] == usb::bridge::kCmdI2cRead && r[5] == sampleRegister(bits);
    return n;
}

// Samples per second against the floor of three milliseconds a sample, and
// the scope's repaints per second. 14-bit: two 1 ms transfers plus the 1 ms
// pause once the trace is full; 12-bit: one 1 ms transfer, the pause, and the
// pass's own 1 ms wait after the previous one.
void BM_AdRunWithQtView(benchmark::State& state)
{
    const int runMs = static_cast<int>(state.range(0));
    const int bits = static_cast<int>(state.range(1));
    for (auto _ : state) {
        qt::QtRuntime rt;
        Program p(rt, benchOptions());
        qt::WindowsFirst windows(rt);
        p.simBoard()->faults.latencyMs = 1;
        auto& ad = p.form<adutil::frmADUtil>();
        rt.dispatch([&p, &ad, bits] {
            p.form<shell::frmStartup>().launch(0);
            ad.Show();
            chooseResolution(ad, bits);
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
        rt.dispatch([&ad] { ad.OptMuxSelect[kChannel].userClick(); });
        const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
        const double samples = static_cast<double>(sampleReads(board, bits) - 1);
        state.counters["samples_per_s"] = samples / wall;
        state.counters["floor_samples_per_s"] = 1000.0 / 3.0;
        state.counters["ms_per_sample"] = samples > 0 ? wall * 1000.0 / samples : 0.0;
        state.counters["repaints_per_s"] = (scope->imageBuilds() - builds0) / wall;
    }
}
BENCHMARK(BM_AdRunWithQtView)
    ->Args({3000, k14Bit})
    ->Args({3000, k12Bit})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
#endif

}  // namespace
