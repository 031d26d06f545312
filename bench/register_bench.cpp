// One register read as the chip form does it (cbRead_Click: lock, flush, I2C
// read, register image, indicator) on a board that answers at once, so the
// time is the software's own.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "chip/KVN58C3_Main.h"
#include "program/Program.h"
#include "shell/frmStartup.h"
#include "sim/EvalBoard.h"
#include "support/HeadlessRuntime.h"

namespace {

void BM_cbRead_Click(benchmark::State& state)
{
    ui::HeadlessRuntime rt;
    ProgramOptions options;
    options.appPath = std::filesystem::temp_directory_path().string();
    options.simulate = true;
    Program p(rt, options);
    p.form<shell::frmStartup>().launch(0);
    chip::KVN58C3_Main& form = p.form<chip::KVN58C3_Main>();
    sim::EvalBoard& board = *p.simBoard();
    board.faults.latencyMs = 0;
    constexpr int kRegister = 0x90;  // CELL1 low byte: changes with every chip scan
    for (auto _ : state)
        form.cbRead_Click(kRegister);
    if (form.tbRegdata[kRegister].Text->size() != 2 || !rt.boxes().empty())
        state.SkipWithError("the register read failed");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_cbRead_Click)->Unit(benchmark::kMicrosecond);

}  // namespace
