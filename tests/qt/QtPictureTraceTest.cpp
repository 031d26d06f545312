// The picture box's coalesced repaints and the trace window's appends.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include <gtest/gtest.h>

#include "QtTestSupport.h"
#include "program/Program.h"
#include "qt/PictureWidget.h"
#include "shell/Doco.h"
#include "ui/Form.h"
#include "ui/PictureBox.h"

namespace {

using qttest::widgetOf;

class ScopeForm : public ui::Form {
public:
    explicit ScopeForm(ui::Runtime& rt) : ui::Form(rt, "frmScope")
    {
        picGraph.move(0, 0, 200, 100);
        picGraph.resizeBuffer(200, 100);
    }
    ui::PictureBox picGraph{*this, "picGraph"};
};

TEST(QtPicture, ManyRefreshesRepaintAFewTimesAndShowTheLastPicture)
{
    qt::QtRuntime rt;
    ScopeForm f(rt);
    qt::WindowsFirst windowsFirst(rt);
    f.Show();
    auto* pic = widgetOf<qt::PictureWidget>(rt, f.picGraph);
    ASSERT_NE(pic, nullptr);
    const int before = pic->imageBuilds();

    QElapsedTimer t;
    t.start();
    int refreshes = 0;
    while (t.elapsed() < 200) {
        f.picGraph.PSet(refreshes % 200, 50, 0x00FF00);
        f.picGraph.Refresh();
        rt.DoEvents();
        ++refreshes;
    }
    qttest::pump(3 * qt::PictureWidget::kRepaintMs);

    const int builds = pic->imageBuilds() - before;
    EXPECT_GT(refreshes, 50);
    EXPECT_GE(builds, 1);
    EXPECT_LE(builds, 200 / qt::PictureWidget::kRepaintMs + 3);
    const QImage img = pic->grab().toImage();
    EXPECT_EQ(img.pixelColor((refreshes - 1) % 200, 50).name().toStdString(), QColor(0, 0xFF, 0).name().toStdString());
    EXPECT_EQ(img.pixelColor(0, 0).name().toStdString(), QColor(0xFF, 0xFF, 0xFF).name().toStdString());
}

// The program with its trace window shown.
struct QtTrace : ::testing::Test {
    QtTrace() { rt.titleSuffix = " (simulated)"; }
    void SetUp() override
    {
        doco.Show();
        text = widgetOf<QPlainTextEdit>(rt, doco.rtxt1);
        ASSERT_NE(text, nullptr);
    }

    qt::QtRuntime rt;
    Program p{rt, ProgramOptions{}};
    qt::WindowsFirst windowsFirst{rt};
    shell::Doco& doco = p.form<shell::Doco>();
    QPlainTextEdit* text = nullptr;
};

TEST_F(QtTrace, TheTraceWindowShowsAppendedLinesAndReplacedText)
{
    p.TraceOn = true;
    p.trace("I2C Register Read  &H10\r\n");
    p.trace("     data 3F\r\n");
    rt.updateViews();
    EXPECT_EQ(text->toPlainText(), "I2C Register Read  &H10\n     data 3F\n");
    EXPECT_EQ(rt.window(doco)->windowTitle().endsWith(" (simulated)"), true);

    doco.rtxt1.setText({});  // replaced, not appended: the view starts over
    rt.updateViews();
    EXPECT_EQ(text->toPlainText(), "");
    p.trace("next\r\n");
    rt.updateViews();
    EXPECT_EQ(text->toPlainText(), "next\n");
}

TEST_F(QtTrace, LinesTracedWithinAFrameReachTheWindowTogetherAndItKeepsTheLastLines)
{
    p.TraceOn = true;
    rt.updateViews();
    const long long frames = rt.viewUpdates().frames();
    for (int i = 0; i < 5000; ++i)
        p.trace("line " + std::to_string(i) + "\r\n");
    EXPECT_EQ(text->document()->blockCount(), 1);  // nothing shown before the frame
    rt.updateViews();
    EXPECT_EQ(rt.viewUpdates().frames(), frames + 1);
    EXPECT_EQ(text->document()->blockCount(), 5001);
    EXPECT_EQ(text->document()->findBlockByNumber(4999).text(), "line 4999");

    // Past the limit the oldest lines go, in the window as in the control,
    // whether the new lines came in one frame or in many.
    for (int i = 5000; i < 12000; ++i)
        p.trace("line " + std::to_string(i) + "\r\n");
    rt.updateViews();
    for (int i = 12000; i < 12500; ++i) {
        p.trace("line " + std::to_string(i) + "\r\n");
        if (i % 100 == 0)
            rt.updateViews();
    }
    rt.updateViews();
    EXPECT_EQ(text->document()->blockCount(), shell::Doco::kTraceLines + 1);
    EXPECT_EQ(text->document()->findBlockByNumber(0).text(), "line 2500");
    EXPECT_EQ(text->document()->findBlockByNumber(shell::Doco::kTraceLines - 1).text(), "line 12499");
    EXPECT_EQ(text->toPlainText().toStdString(), [&] {
        std::string s(doco.rtxt1.Text());
        std::erase(s, '\r');
        return s;
    }());
}

// A trace growing all the time is shown at a lower rate than the frames, but
// its last lines still reach the window by the frames alone.
TEST_F(QtTrace, ATraceGrowingEveryFrameReachesTheWindowByTheFramesAlone)
{
    p.TraceOn = true;
    QElapsedTimer t;
    t.start();
    int lines = 0;
    while (t.elapsed() < 400) {
        p.trace("line " + std::to_string(++lines) + "\r\n");
        qttest::pump(5);
    }
    const std::string last = "line " + std::to_string(lines);
    while (t.elapsed() < 3000 && text->document()->lastBlock().previous().text().toStdString() != last)
        qttest::pump(10);
    EXPECT_EQ(text->document()->lastBlock().previous().text().toStdString(), last);
}

}  // namespace
