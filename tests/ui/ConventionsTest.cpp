// The form runtime's conventions, on the headless runtime.
#include <gtest/gtest.h>

#include "support/HeadlessRuntime.h"
#include "ui/ControlArray.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Timer.h"

namespace {

struct TestForm : ui::Form {
    explicit TestForm(ui::Runtime& rt) : ui::Form(rt, "TestForm") {}
    ui::CheckBox chk{*this, "chk"};
    ui::Frame fra{*this, "fra"};
    ui::ControlArray<ui::OptionButton> opt{*this, "opt"};
    ui::TextBox txt{*this, "txt"};
    ui::Timer tmr{*this, "tmr"};
    int loads = 0;
    void Form_Load() override { ++loads; }
};

TEST(UiConventions, CheckBoxValueSetInCodeRunsClickOnlyOnChange)
{
    ui::HeadlessRuntime rt;
    TestForm f(rt);
    int clicks = 0;
    f.chk.Click = [&] { ++clicks; };
    f.chk.Value = 1;
    f.chk.Value = 1;
    f.chk.Value = 0;
    EXPECT_EQ(clicks, 2);
    f.chk.userClick();
    EXPECT_EQ(f.chk.Value, 1);
    EXPECT_EQ(clicks, 3);
}

TEST(UiConventions, OptionButtonsOfOneContainerExcludeEachOther)
{
    ui::HeadlessRuntime rt;
    TestForm f(rt);
    std::vector<int> clicked;
    for (int i : {0, 2, 5}) {
        f.opt.add(i).Click = [&, i] { clicked.push_back(i); };
        f.opt[i].setContainer(&f.fra);
    }
    ui::OptionButton outside(f, "other");
    outside.Value = true;
    f.opt[2].Value = true;
    f.opt[5].Value = true;
    f.opt[5].Value = true;  // already selected: no click
    EXPECT_EQ(clicked, (std::vector<int>{2, 5}));
    EXPECT_FALSE(f.opt[2].Value);
    EXPECT_TRUE(outside.Value);  // another group
    EXPECT_FALSE(f.opt.exists(1));
    EXPECT_THROW(f.opt[1], std::out_of_range);
}

TEST(UiConventions, AControlArrayAddedOutOfOrderKeepsItsBoundsAndIndexOrder)
{
    ui::HeadlessRuntime rt;
    TestForm f(rt);
    EXPECT_EQ(f.opt.UBound(), -1);
    for (int i : {4, 7, 1})
        f.opt.add(i);
    f.opt.add(4);  // replaced, not counted twice
    std::vector<int> order;
    f.opt.forEach([&](int i, ui::OptionButton& o) {
        EXPECT_EQ(&o, &f.opt[i]);
        order.push_back(i);
    });
    EXPECT_EQ(order, (std::vector<int>{1, 4, 7}));
    EXPECT_EQ(f.opt.size(), 3u);
    EXPECT_EQ(f.opt.LBound(), 1);
    EXPECT_EQ(f.opt.UBound(), 7);
    for (int i : {-1, 0, 2, 8})
        EXPECT_FALSE(f.opt.exists(i)) << i;
}

TEST(UiConventions, TextChangeRunsChangeHandler)
{
    ui::HeadlessRuntime rt;
    TestForm f(rt);
    std::vector<std::string> seen;
    f.txt.Change = [&] { seen.push_back(f.txt.Text); };
    f.txt.Text = "12";
    f.txt.Text = "12";
    f.txt.Text = "";
    EXPECT_EQ(seen, (std::vector<std::string>{"12", ""}));
}

TEST(UiConventions, FormLoadsOnceUntilUnloaded)
{
    ui::HeadlessRuntime rt;
    TestForm f(rt);
    f.Show();
    f.Show();
    f.Load();
    EXPECT_EQ(f.loads, 1);
    EXPECT_TRUE(f.Visible);
    f.Unload();
    EXPECT_FALSE(f.Visible);
    EXPECT_FALSE(f.loaded());
    f.Show();
    EXPECT_EQ(f.loads, 2);
}

TEST(UiConventions, AFormLoadedAgainAfterAnUnloadFindsItsControlsAsDesignedWithoutEvents)
{
    ui::HeadlessRuntime rt;
    TestForm f(rt);
    f.chk.Caption = "Design";
    f.chk.move(10, 10, 80, 20);
    f.opt.add(0).Value = true;
    f.opt.add(1);
    f.tmr.Interval = 100;
    f.Show();

    int events = 0;
    f.chk.Click = [&] { ++events; };
    f.txt.Change = [&] { ++events; };
    f.opt[0].Click = [&] { ++events; };
    int ticks = 0;
    f.tmr.Tick = [&] { ++ticks; };
    f.chk.Value = 1;
    f.chk.Caption = "Run";
    f.chk.Visible = false;
    f.chk.move(200, 10, 80, 20);
    f.txt.Text = "typed";
    f.opt[1].Value = true;
    f.tmr.Enabled = true;
    f.opt.add(2).Caption = "made at run time";
    events = 0;

    f.Unload();
    f.Show();
    EXPECT_EQ(f.chk.Value, 0);
    EXPECT_EQ(f.chk.Caption.get(), "Design");
    EXPECT_TRUE(f.chk.Visible);
    EXPECT_EQ(f.chk.Left, 10);
    EXPECT_EQ(f.txt.Text.get(), "");
    EXPECT_TRUE(f.opt[0].Value);
    EXPECT_FALSE(f.opt[1].Value);
    EXPECT_EQ(f.opt[2].Caption.get(), "made at run time");
    EXPECT_EQ(events, 0);
    // The timer is off again, as designed.
    rt.runFor(500);
    EXPECT_EQ(ticks, 0);
}

TEST(UiTimers, TicksAtIntervalOnlyWhileEnabled)
{
    ui::HeadlessRuntime rt;
    TestForm f(rt);
    std::vector<long long> ticks;
    f.tmr.Tick = [&] { ticks.push_back(rt.now()); };
    f.tmr.Interval = 100;
    rt.runFor(250);
    EXPECT_TRUE(ticks.empty());
    f.tmr.Enabled = true;
    rt.runFor(350);
    EXPECT_EQ(ticks, (std::vector<long long>{350, 450, 550}));
    f.tmr.Enabled = false;
    rt.runFor(500);
    EXPECT_EQ(ticks.size(), 3u);
}

TEST(UiTimers, TickNeverReentersItsHandlerWhileItPumpsEvents)
{
    ui::HeadlessRuntime rt;
    TestForm f(rt);
    int depth = 0, maxDepth = 0, ticks = 0;
    f.tmr.Interval = 20;
    f.tmr.Tick = [&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        rt.runFor(75);  // the next ticks fall due while this one pumps
        --depth;
    };
    f.tmr.Enabled = true;
    rt.runFor(400);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_GE(ticks, 4);
    EXPECT_FALSE(f.tmr.running());
}

TEST(UiTimers, SleepBlocksEverything)
{
    ui::HeadlessRuntime rt;
    TestForm f(rt);
    int ticks = 0;
    f.tmr.Tick = [&] { ++ticks; };
    f.tmr.Interval = 10;
    f.tmr.Enabled = true;
    rt.Sleep(1000);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(rt.now(), 1000);
    rt.DoEvents();  // overdue: one tick, not a burst
    EXPECT_EQ(ticks, 1);
}

TEST(UiRuntime, ScriptedBoxesAreRecordedAndUnscriptedOnesNeverRetry)
{
    ui::HeadlessRuntime rt;
    rt.answerNext(ui::vbRetry);
    EXPECT_EQ(rt.MsgBox("first", ui::vbRetryCancel | ui::vbCritical, "T"), ui::vbRetry);
    EXPECT_EQ(rt.MsgBox("second", ui::vbRetryCancel), ui::vbCancel);
    EXPECT_EQ(rt.MsgBox("third"), ui::vbOK);
    ASSERT_EQ(rt.boxes().size(), 3u);
    EXPECT_EQ(rt.boxes()[0].prompt, "first");
    EXPECT_EQ(rt.boxes()[0].buttons, ui::vbRetryCancel);
    EXPECT_EQ(rt.boxes()[0].icon, ui::vbCritical);
    EXPECT_EQ(rt.boxes()[0].title, "T");
    EXPECT_EQ(rt.boxes()[2].title, rt.appTitle);
}

TEST(UiRuntime, ScheduledActionsRunAtTheirVirtualTime)
{
    ui::HeadlessRuntime rt;
    std::vector<long long> at;
    rt.at(30, [&] { at.push_back(rt.now()); });
    rt.at(10, [&] { at.push_back(rt.now()); });
    rt.Sleep(20);
    rt.runFor(20);
    EXPECT_EQ(at, (std::vector<long long>{21, 30}));
}

TEST(UiRuntime, ClocksFollowTheVirtualTime)
{
    ui::HeadlessRuntime rt(vb::DateTime{2026, 12, 31, 23, 59, 59});
    const auto t0 = rt.timeGetTime();
    rt.Sleep(1500);
    EXPECT_EQ(rt.timeGetTime() - t0, 1500u);
    EXPECT_NEAR(rt.Timer(), 0.5, 1e-9);  // past midnight
    EXPECT_EQ(vb::DateText(rt.Now()), "01-01-2027");
    EXPECT_EQ(vb::TimeText(rt.Now()), "00:00:00");
}

}  // namespace

namespace {

TEST(UiRichText, ALineLimitKeepsTheNewestLinesHoweverTheTextArrives)
{
    ui::HeadlessRuntime rt;
    ui::Form f(rt, "frm");
    ui::RichTextBox box(f, "rtxt");
    box.setMaxLines(3);
    std::string all;
    // Pieces that split lines and carry several line ends at once.
    for (const char* piece : {"a1\r\n", "b", "2\r\nc3\r\nd", "4\r\ne5\r\n", "f"}) {
        box.append(piece);
        all += piece;
        const unsigned long long dropped = box.dropped();
        EXPECT_EQ(all.substr(static_cast<std::size_t>(dropped)), box.Text());
    }
    EXPECT_EQ(box.Text(), "c3\r\nd4\r\ne5\r\nf");

    const auto generation = box.generation();
    box.setText("x\r\ny\r\nz\r\nw\r\n");
    EXPECT_EQ(box.Text(), "y\r\nz\r\nw\r\n");
    EXPECT_EQ(box.dropped(), 3u);  // counted from the new text
    EXPECT_NE(box.generation(), generation);

    // A long run keeps its memory to the limit's worth of text.
    box.setText({});
    for (int i = 0; i < 100000; ++i)
        box.append("0123456789\r\n");
    EXPECT_EQ(box.Text().size(), 3u * 12u);
    EXPECT_EQ(box.dropped(), (100000u - 3u) * 12u);
}

}  // namespace
