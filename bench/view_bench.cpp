// The Qt view's share of the work, its waits taken out: a scan with new
// readings and the frame that shows them on the "Readings" page, and a register
// read whose value changed with its box's page shown, each beside the same
// work without a view; the cost of a frame against the number of unchanged
// controls; the trace lines of a scan and their frame.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchProgram.h"
#include "chip/KVN58C3_Main.h"
#include "program/Program.h"
#include "shell/Doco.h"
#include "shell/frmStartup.h"
#include "sim/EvalBoard.h"
#include "support/HeadlessRuntime.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"

#ifdef KVN_BENCH_QT
#include "BenchQt.h"
#endif

namespace {

using bench::benchOptions;

// The program on the simulated board with the chip form open, viewed or not.
template <class Rt> struct ChipBench {
    Rt rt;
    Program p{rt, benchOptions()};
    chip::KVN58C3_Main* form = nullptr;
    sim::EvalBoard* board = nullptr;

    bool open()
    {
        p.form<shell::frmStartup>().launch(0);
        form = &p.form<chip::KVN58C3_Main>();
        board = p.simBoard();
        if (!board)
            return false;
        board->faults.latencyMs = 0;
        board->chip().scanEveryRead = true;
        return true;
    }
};

template <class Rt> void scan(benchmark::State& state)
{
    ChipBench<Rt> b;
    if (!b.open()) {
        state.SkipWithError("no simulated board");
        return;
    }
    for (auto _ : state)
        b.form->cbReadV_Click();
    state.SetItemsProcessed(state.iterations());
}

// One measurement scan on a board that answers at once: the software's own time.
void BM_Scan_Headless(benchmark::State& state) { scan<ui::HeadlessRuntime>(state); }
BENCHMARK(BM_Scan_Headless)->Unit(benchmark::kMicrosecond);

#ifdef KVN_BENCH_QT
// The Qt runtime with the link's waits taken out (the simulated board waits
// through Sleep), so what is measured is the software's own time.
class NoWaitQtRuntime : public qt::QtRuntime {
public:
    void Sleep(int) override {}
};

using bench::showFrame;

// One scan with new readings, then bringing the chip form's views up to date
// and painting them on the "Readings" page.
void BM_ScanThenFrame_QtView(benchmark::State& state)
{
    ChipBench<NoWaitQtRuntime> b;
    if (!b.open()) {
        state.SkipWithError("no simulated board");
        return;
    }
    for (auto _ : state) {
        b.form->cbReadV_Click();
        showFrame(b.rt);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScanThenFrame_QtView)->Unit(benchmark::kMicrosecond);

#endif

// One register read (cbRead_Click) whose value changed, its box on the page
// shown; with a view, the frame that shows it follows.
template <class Rt> void registerRead(benchmark::State& state, void (*frame)(Rt&))
{
    ChipBench<Rt> b;
    if (!b.open()) {
        state.SkipWithError("no simulated board");
        return;
    }
    constexpr int kRegister = 0x49;
    b.form->SSTab1.Tab = chip::kPageUser;
    ui::TextBox& box = b.form->tbRegdata[kRegister];
    frame(b.rt);
    std::uint8_t value = 0;
    for (auto _ : state) {
        b.board->chip().forceRegister(kRegister, ++value);
        b.form->cbRead_Click(kRegister);
        frame(b.rt);
    }
    if (box.Text->size() != 2)
        state.SkipWithError("the register read failed");
    state.SetItemsProcessed(state.iterations());
}

void BM_RegisterRead_Headless(benchmark::State& state)
{
    registerRead<ui::HeadlessRuntime>(state, [](ui::HeadlessRuntime&) {});
}
BENCHMARK(BM_RegisterRead_Headless)->Unit(benchmark::kMicrosecond);

#ifdef KVN_BENCH_QT
void BM_RegisterReadThenFrame_QtView(benchmark::State& state)
{
    registerRead<NoWaitQtRuntime>(state, [](NoWaitQtRuntime& rt) { showFrame(rt); });
}
BENCHMARK(BM_RegisterReadThenFrame_QtView)->Unit(benchmark::kMicrosecond);

// A form of n text boxes, 27 of which change: bringing the views up to date and
// painting must cost the same whatever the number of unchanged boxes.
class ManyBoxes : public ui::Form {
public:
    ManyBoxes(ui::Runtime& rt, int n) : ui::Form(rt, "frmMany")
    {
        Width = 1000;
        Height = 700;
        for (int i = 0; i < n; ++i) {
            auto& box = boxes.add(i);
            box.move(4 + (i % 40) * 24, 4 + (i / 40) * 9, 22, 8);
        }
    }
    ui::ControlArray<ui::TextBox> boxes{*this, "boxes"};
};

void BM_TwentySevenChanges_QtView(benchmark::State& state)
{
    qt::QtRuntime rt;
    ManyBoxes f(rt, static_cast<int>(state.range(0)));
    qt::WindowsFirst windows(rt);
    f.Show();
    showFrame(rt);
    long long n = 0;
    for (auto _ : state) {
        ++n;
        for (int i = 0; i < 27; ++i)
            f.boxes[i].Text = std::to_string(n + i);
        showFrame(rt);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TwentySevenChanges_QtView)->Arg(30)->Arg(3000)->Unit(benchmark::kMicrosecond);

// One item added to a list of 10,000 and shown at once (as a listener search
// refreshes its list after each find).
class ListForm : public ui::Form {
public:
    explicit ListForm(ui::Runtime& rt) : ui::Form(rt, "frmList") { lstItems.move(8, 8, 300, 200); }
    ui::ListBox lstItems{*this, "lstItems"};
};

void BM_ListAddItemAt10000_QtView(benchmark::State& state)
{
    qt::QtRuntime rt;
    ListForm f(rt);
    qt::WindowsFirst windows(rt);
    f.Show();
    for (int i = 0; i < 10000; ++i)
        f.lstItems.AddItem("item " + std::to_string(i));
    showFrame(rt);
    long long n = 0;
    for (auto _ : state) {
        f.lstItems.AddItem("added " + std::to_string(++n));
        f.lstItems.Refresh();
        state.PauseTiming();
        if (f.lstItems.ListCount() > 10000)
            f.lstItems.RemoveItem(f.lstItems.ListCount() - 1);  // back to 10,000 (a rebuild, not timed)
        showFrame(rt);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ListAddItemAt10000_QtView)->Unit(benchmark::kMicrosecond)->Iterations(50);

// The trace lines of one scan (its three block reads) with the trace window
// shown, then the frame; the window's memory must stay bounded.
void BM_TraceLinesThenFrame_QtView(benchmark::State& state)
{
    constexpr int kLinesPerScan = 3;
    qt::QtRuntime rt;
    Program p(rt, benchOptions());
    qt::WindowsFirst windows(rt);
    shell::Doco& doco = p.form<shell::Doco>();
    doco.Show();
    p.TraceOn = true;
    long long n = 0;
    for (auto _ : state) {
        for (int i = 0; i < kLinesPerScan; ++i)
            p.trace("I2C Block Read  &H80 = &H" + std::to_string(++n) + " &H3F &H00 &H12\r\n");
        showFrame(rt);
    }
    state.counters["text_kB"] = static_cast<double>(doco.rtxt1.Text().size()) / 1024.0;
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TraceLinesThenFrame_QtView)->Unit(benchmark::kMicrosecond);

#endif

}  // namespace
