// The Qt view's share of the work: a scan, a register read and a trace line
// with the form shown through the Qt view (offscreen), each beside the same
// work without a view; the cost of bringing the views up to date against the
// number of unchanged controls; and the window flushes and widget paints per
// second of an auto scan at "Min".
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchProgram.h"
#include "chip/KVN58C3_Main.h"
#include "link/BridgeProtocol.h"
#include "program/Program.h"
#include "shell/Doco.h"
#include "shell/frmStartup.h"
#include "sim/EvalBoard.h"
#include "support/HeadlessRuntime.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"

#ifdef KVN_BENCH_QT
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "qt/QtRuntime.h"
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
        board->faults.latencyMs = 0;
        return board != nullptr;
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

// Brings every view up to date and paints what changed, as the next frame would.
void showFrame(qt::QtRuntime& rt)
{
    rt.updateViews();
    QCoreApplication::processEvents();
}

// Counts the windows' update requests (each one a repaint of the window's dirty
// region and a flush of its backing store) and the widgets' paint events.
class PaintCounter : public QObject {
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;

    long long flushes = 0;
    long long paints = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::UpdateRequest &&
            (o->isWindowType() || (o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())))
            ++flushes;
        else if (e->type() == QEvent::Paint && o->isWidgetType())
            ++paints;
        return false;
    }
};

// The same with the chip form shown: the marks, the pumps and the frames that
// fall within the run, painted as the program paints them.
void BM_Scan_QtView(benchmark::State& state) { scan<NoWaitQtRuntime>(state); }
BENCHMARK(BM_Scan_QtView)->Unit(benchmark::kMicrosecond);

// One scan, then bringing the chip form's views up to date and painting them:
// the cost of the frame that follows a scan.
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

template <class Rt> void registerRead(benchmark::State& state)
{
    ChipBench<Rt> b;
    if (!b.open()) {
        state.SkipWithError("no simulated board");
        return;
    }
    constexpr int kRegister = 0x49;  // on the page shown at start, so its box repaints
    ui::TextBox& box = b.form->tbRegdata[kRegister];
    for (auto _ : state) {
        // Something else on show first (as the view sees it too), so the read changes the value shown.
        box.Text = "--";
        b.form->cbRead_Click(kRegister);
    }
    if (box.Text->size() != 2)
        state.SkipWithError("the register read failed");
    state.SetItemsProcessed(state.iterations());
}

// One register read (cbRead_Click) whose value changed.
void BM_RegisterRead_Headless(benchmark::State& state) { registerRead<ui::HeadlessRuntime>(state); }
BENCHMARK(BM_RegisterRead_Headless)->Unit(benchmark::kMicrosecond);

#ifdef KVN_BENCH_QT
void BM_RegisterRead_QtView(benchmark::State& state) { registerRead<NoWaitQtRuntime>(state); }
BENCHMARK(BM_RegisterRead_QtView)->Unit(benchmark::kMicrosecond);

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

// One trace line with the trace window shown, the events pumped after it as a
// transfer would; the window's memory must stay bounded.
void BM_TraceLine_QtView(benchmark::State& state)
{
    qt::QtRuntime rt;
    Program p(rt, benchOptions());
    qt::WindowsFirst windows(rt);
    shell::Doco& doco = p.form<shell::Doco>();
    doco.Show();
    p.TraceOn = true;
    long long n = 0;
    for (auto _ : state) {
        p.trace("I2C Register Read  &H" + std::to_string(++n) + " = &H3F\r\n");
        rt.DoEvents();
    }
    showFrame(rt);
    state.counters["text_kB"] = static_cast<double>(doco.rtxt1.Text().size()) / 1024.0;
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TraceLine_QtView)->Unit(benchmark::kMicrosecond)->Iterations(20000);

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
void BM_AutoScanMin_QtView(benchmark::State& state)
{
    const int runMs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        ChipBench<qt::QtRuntime> b;
        qt::WindowsFirst windows(b.rt);
        if (!b.open() || !b.rt.window(*b.form)) {
            state.SkipWithError("the chip form has no window");
            break;
        }
        b.board->faults.latencyMs = 1;
        showFrame(b.rt);
        b.board->log.clear();

        long long scans = 0;
        QTimer drain;  // counts and forgets the board's reports as they come
        QObject::connect(&drain, &QTimer::timeout, [&] {
            scans += scansIn(*b.board);
            b.board->log.clear();
        });
        drain.start(100);
        PaintCounter counter;
        const double cpu0 = processCpuSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        b.form->cbAutoScan_Click();
        QEventLoop loop;
        QTimer::singleShot(runMs, &loop, &QEventLoop::quit);
        loop.exec();
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        const double cpu = processCpuSeconds() - cpu0;
        scans += scansIn(*b.board);
        b.form->cbAutoScan_Click();

        state.counters["scans_per_s"] = static_cast<double>(scans) / wall;
        state.counters["flushes_per_s"] = static_cast<double>(counter.flushes) / wall;
        state.counters["paints_per_s"] = static_cast<double>(counter.paints) / wall;
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
    }
}
BENCHMARK(BM_AutoScanMin_QtView)->Arg(3000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

#endif

}  // namespace
