#pragma once
// What the benchmarks of the Qt front end share: a runtime that shows the
// forms or not (the floor: the same work with no window), the frame a test
// would force, process CPU time, and the window flushes and paints counted.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "link/BridgeProtocol.h"
#include "qt/QtRuntime.h"
#include "sim/EvalBoard.h"
#include "ui/CommonDialog.h"

namespace bench {

// The Qt runtime, its windows shown or not, with the file dialogs answered at once.
class BenchRuntime : public qt::QtRuntime {
public:
    explicit BenchRuntime(bool windows = true, std::string file = {}) : windows_(windows), file_(std::move(file)) {}
    void formShown(ui::Form& f) override
    {
        if (windows_)
            qt::QtRuntime::formShown(f);
    }
    bool FileDialog(ui::CommonDialog& dlg, ui::DialogKind) override
    {
        dlg.FileName = file_;
        return true;
    }

private:
    bool windows_;
    std::string file_;
};

// Brings every view up to date and paints what changed, as the next frame would.
inline void showFrame(qt::QtRuntime& rt)
{
    rt.updateViews();
    QCoreApplication::processEvents();
}

// How long a case that is measured as a user runs it runs: KVN_BENCH_SECONDS, 10 by default.
inline int measuredMs()
{
    const char* s = std::getenv("KVN_BENCH_SECONDS");
    const double seconds = s ? std::atof(s) : 10.0;
    return static_cast<int>((seconds > 0 ? seconds : 10.0) * 1000.0);
}

inline double processCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// Process CPU and wall time from construction to stop().
class CpuWindow {
public:
    CpuWindow() : cpu0_(processCpuSeconds()), wall0_(std::chrono::steady_clock::now()) {}
    void stop()
    {
        cpu_ = processCpuSeconds() - cpu0_;
        wall_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0_).count();
    }
    // The share of a core, the rate of what was counted and the CPU each cost.
    void report(benchmark::State& state, double count, const std::string& what) const
    {
        state.counters["cpu_percent"] = 100.0 * cpu_ / wall_;
        state.counters[what + "_per_s"] = count / wall_;
        state.counters["us_cpu_per_" + what] = count > 0 ? 1e6 * cpu_ / count : 0.0;
    }

private:
    double cpu0_;
    std::chrono::steady_clock::time_point wall0_;
    double cpu_ = 0, wall_ = 1;
};

// Reads the board took that start at the register (count: how many bytes, 0 any).
inline long long readsOf(const sim::EvalBoard& board, std::uint8_t reg, int count = 0)
{
    long long n = 0;
    for (const auto& r : board.log)
        n += r[usb::bridge::kCommandByte] == usb::bridge::kCmdI2cRead && r[5] == reg && (count == 0 || r[3] == count);
    return n;
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

}  // namespace bench
