// The A/D form's runs, 14-bit and 12-bit: one sample's own time with the
// trace across the whole scope (the run as a user sees it: user_bench.cpp).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "BenchProgram.h"
#include "adutil/frmADUtil.h"
#include "program/Program.h"
#include "shell/frmStartup.h"
#include "sim/EvalBoard.h"
#include "support/HeadlessRuntime.h"

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

}  // namespace
