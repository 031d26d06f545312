// The A/D form under the offscreen platform: a channel click starts a run, the
// scope widget shows the trace at the picture's own size, Stop ends the run.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include "QtTestSupport.h"
#include "adutil/frmADUtil.h"
#include "program/Program.h"
#include "qt/PictureWidget.h"
#include "shell/frmStartup.h"

namespace {

TEST(QtScope, AChannelClickRunsUntilStopAndTheScopeShowsTheTrace)
{
    qttest::SimulatedProgram sim;
    ASSERT_TRUE(sim.folder.isValid());
    qt::QtRuntime& rt = sim.rt;
    Program& program = sim.program;
    rt.dispatch([&program] {
        program.form<shell::frmStartup>().launch(0);
        program.form<adutil::frmADUtil>().Show();
    });
    auto& f = program.form<adutil::frmADUtil>();
    auto* channel = qttest::widgetOf<QRadioButton>(rt, f.OptMuxSelect[3]);
    auto* stop = qttest::widgetOf<QPushButton>(rt, f.SSCmdStop);
    auto* scope = qttest::widgetOf<qt::PictureWidget>(rt, f.picTrace1_1);
    ASSERT_NE(channel, nullptr);
    ASSERT_NE(stop, nullptr);
    ASSERT_NE(scope, nullptr);
    EXPECT_EQ(scope->size(), QSize(320, 164));

    int tracePixels = -1;
    int gridPixels = 0;
    bool runningWhenGrabbed = false;
    // Once the run has drawn a stretch of trace: grab the scope, then Stop.
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!program.LoopRunning || f.records.ReadingCount < 60)
            return;
        watch.stop();
        runningWhenGrabbed = program.LoopRunning;
        // The view brings the picture up to date within a frame.
        qttest::pump(3 * qt::PictureWidget::kRepaintMs);
        const QImage img = scope->grab().toImage();
        tracePixels = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y) & 0xFFFFFF;
                tracePixels += c == 0x0000FF;
                gridPixels += c == 0x000000;
            }
        stop->click();
    });
    watch.start();
    // A run that never gets going is stopped all the same, and the checks below fail.
    QTimer::singleShot(20000, [&] {
        if (program.LoopRunning)
            stop->click();
    });
    channel->click();  // returns when the run has ended

    EXPECT_TRUE(runningWhenGrabbed);
    EXPECT_GT(tracePixels, 30);
    EXPECT_GT(gridPixels, 1000);  // drawn pixel for pixel: the grid lines stay sharp
    EXPECT_FALSE(program.LoopRunning);
    EXPECT_TRUE(f.frmDataRecord.Visible);
    EXPECT_GT(f.records.ReadingCount, 10);
}

}  // namespace
