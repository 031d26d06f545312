// The analog monitor's cost: one channel conversion (write, convert, read)
// in software alone, and the single-channel series on a board answering each
// report after 1 ms on the virtual clock, against the floor its transfers set
// (the series on the real runtime and clocks: user_bench.cpp).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "BenchProgram.h"
#include "chip/KVN58C3_Main.h"
#include "link/BridgeProtocol.h"
#include "program/Program.h"
#include "shell/frmStartup.h"
#include "sim/EvalBoard.h"
#include "support/HeadlessRuntime.h"
#include "ui/CommonDialog.h"

namespace {

using bench::benchOptions;

// One conversion on a board that answers at once: the software's own time.
void BM_WriteVoltMonSoftwareTime(benchmark::State& state)
{
    ui::HeadlessRuntime rt;
    Program p(rt, benchOptions());
    p.form<shell::frmStartup>().launch(0);
    auto& form = p.form<chip::KVN58C3_Main>();
    sim::EvalBoard& board = *p.simBoard();
    form.tbVoltageMon.ListIndex = 1;
    long long n = 0;
    for (auto _ : state) {
        form.cbWriteVoltMon_Click();
        if ((++n & 1023) == 0)
            board.log.clear();  // keeps the board's report log from growing without end
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteVoltMonSoftwareTime)->Unit(benchmark::kMicrosecond);

// "Sample Single Voltage" with 1 ms report latency, timed on the virtual
// clock (transfers, the link's input flushes, event pumps and the run's own
// 0.01 s wait per sample all advance it). The floor is the transfers of one
// sample times the latency.
void BM_SampleSingleVoltageAt1msLatency(benchmark::State& state)
{
    const int samples = static_cast<int>(state.range(0));
    const auto file = std::filesystem::temp_directory_path() / "kvn-bench-series.txt";
    for (auto _ : state) {
        ui::HeadlessRuntime rt;
        Program p(rt, benchOptions());
        p.form<shell::frmStartup>().launch(0);
        auto& form = p.form<chip::KVN58C3_Main>();
        sim::EvalBoard& board = *p.simBoard();
        board.faults.latencyMs = 1;
        form.tbVoltageMon.ListIndex = 1;
        form.tbSamples2.Text = std::to_string(samples);
        rt.chooseFile(file.string());
        board.log.clear();
        const long long t0 = rt.now();
        form.SampleVoltages_Click();
        const double seconds = static_cast<double>(rt.now() - t0) / 1000.0;
        const double transfers = static_cast<double>(board.log.size()) / samples;
        state.counters["samples_per_s"] = samples / seconds;
        state.counters["transfers_per_sample"] = transfers;
        state.counters["floor_samples_per_s"] = 1000.0 / (transfers * board.faults.latencyMs);
        state.counters["ms_per_sample"] = seconds * 1000.0 / samples;
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_SampleSingleVoltageAt1msLatency)->Arg(500)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
