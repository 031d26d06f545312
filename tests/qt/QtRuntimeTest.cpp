// The Qt runtime: timers, the end of the program, errors kept inside the event loop.
#include <cstdint>
#include <stdexcept>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "QtTestSupport.h"
#include "ui/Form.h"
#include "ui/Timer.h"

namespace {

using qttest::widgetOf;

class TickForm : public ui::Form {
public:
    explicit TickForm(ui::Runtime& rt) : ui::Form(rt, "frmTick") { cmdGo.move(8, 8, 80, 26); }
    ui::Timer tmrTick{*this, "tmrTick"};
    ui::CommandButton cmdGo{*this, "cmdGo"};
};

struct QtRuntimeEnd : ::testing::Test {
    qt::QtRuntime rt;
    TickForm f{rt};
    qt::WindowsFirst windowsFirst{rt};
    QTimer watchdog;

    void SetUp() override
    {
        // A broken end must fail the test, not hang it.
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        watchdog.start(5000);
    }
};

TEST_F(QtRuntimeEnd, TimerTicksUntilEndStopsTheEventLoop)
{
    int ticks = 0;
    bool hookRan = false;
    rt.addEndHook([&] { hookRan = true; });
    f.tmrTick.Tick = [&] {
        if (++ticks == 3)
            rt.End();
    };
    f.tmrTick.Interval = 10;
    f.tmrTick.Enabled = true;
    f.Show();

    EXPECT_EQ(rt.exec(), 0);
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(rt.ended());
    EXPECT_TRUE(hookRan);
    EXPECT_FALSE(rt.window(f)->isVisible());
}

TEST_F(QtRuntimeEnd, EndInsideANestedDoEventsUnwindsTheOuterHandlerToo)
{
    bool loopFinished = false;
    int clicks = 0;
    f.cmdGo.Click = [&] {
        ++clicks;
        const auto start = rt.timeGetTime();
        while (rt.timeGetTime() - start < 3000)
            rt.DoEvents();
        loopFinished = true;
    };
    f.tmrTick.Tick = [&] { rt.End(); };
    f.tmrTick.Interval = 20;
    f.tmrTick.Enabled = true;
    f.Show();
    auto* button = widgetOf<QPushButton>(rt, f.cmdGo);

    button->click();
    EXPECT_TRUE(rt.ended());
    EXPECT_FALSE(loopFinished);

    // After the end no handler runs again, and the loop does not start.
    button->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(rt.exec(), 0);
}

TEST_F(QtRuntimeEnd, ATimerTickNeverStartsWhileItsHandlerRuns)
{
    int depth = 0, maxDepth = 0, ticks = 0;
    f.tmrTick.Tick = [&] {
        maxDepth = std::max(maxDepth, ++depth);
        if (++ticks == 3)
            rt.End();
        // Pump long enough for several intervals to pass.
        const auto start = rt.timeGetTime();
        while (rt.timeGetTime() - start < 50)
            rt.DoEvents();
        --depth;
    };
    f.tmrTick.Interval = 5;
    f.tmrTick.Enabled = true;
    EXPECT_EQ(rt.exec(), 0);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(maxDepth, 1);
}

TEST_F(QtRuntimeEnd, AnExceptionInAHandlerIsShownAndTheProgramGoesOn)
{
    QString shown;
    QTimer::singleShot(50, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    int clicks = 0;
    f.cmdGo.Click = [&] {
        if (++clicks == 1)
            throw std::runtime_error("boom");
    };
    f.Show();
    auto* button = widgetOf<QPushButton>(rt, f.cmdGo);
    button->click();
    EXPECT_EQ(shown, "Unexpected error: boom");
    EXPECT_FALSE(rt.ended());
    button->click();
    EXPECT_EQ(clicks, 2);
}

TEST_F(QtRuntimeEnd, EndWhileAMessageBoxIsOpenClosesItAndUnwindsItsCaller)
{
    bool afterBox = false;
    f.cmdGo.Click = [&] {
        rt.MsgBox("Waiting", ui::vbOKCancel);
        afterBox = true;
    };
    f.tmrTick.Tick = [&] { rt.End(); };
    f.tmrTick.Interval = 30;
    f.tmrTick.Enabled = true;
    f.Show();
    widgetOf<QPushButton>(rt, f.cmdGo)->click();
    EXPECT_TRUE(rt.ended());
    EXPECT_FALSE(afterBox);
}

TEST(QtRuntimeClock, ClocksAdvanceWithRealTime)
{
    qt::QtRuntime rt;
    const auto t0 = rt.timeGetTime();
    rt.Sleep(20);
    EXPECT_GE(rt.timeGetTime() - t0, 20u);
    EXPECT_GE(rt.Timer(), 0.0);
    EXPECT_LT(rt.Timer(), 86400.0);
}

// A wait of 300 ms with a timer ticking every 20 ms: it ends on its time, the
// ticks run meanwhile, and it turns about once per event, not thousands of times.
TEST_F(QtRuntimeEnd, AWaitBlocksUntilItsTimeAndRunsWhatFallsDueMeanwhile)
{
    int ticks = 0;
    f.tmrTick.Tick = [&] { ++ticks; };
    f.tmrTick.Interval = 20;
    f.tmrTick.Enabled = true;
    f.Show();
    const auto before = [](std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b) < 0; };
    const std::uint32_t until = rt.timeGetTime() + 300;
    int turns = 0;
    while (before(rt.timeGetTime(), until)) {
        rt.DoEventsUntil(until);
        ++turns;
    }
    EXPECT_LT(rt.timeGetTime() - until, 50u);
    EXPECT_GE(ticks, 10);
    EXPECT_LT(turns, 3 * ticks + 30);
}

}  // namespace
