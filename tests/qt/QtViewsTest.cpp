// Real widgets kept in step with the controls, both ways.
#include <array>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include "QtTestSupport.h"
#include "qt/ValueEdit.h"
#include "ui/Form.h"

namespace {

using qttest::widgetOf;

class PanelForm : public ui::Form {
public:
    explicit PanelForm(ui::Runtime& rt) : ui::Form(rt, "frmPanel")
    {
        Caption = "Panel";
        cmdRun.Caption = "Run";
        cmdRun.move(8, 8, 100, 30);
        lblState.move(120, 8, 120, 20);
        txtValue.move(8, 48, 100, 22);
        chkTrace.Caption = "Trace";
        chkTrace.move(8, 80, 100, 22);
        fraMode.Caption = "Mode";
        fraMode.move(8, 110, 200, 80);
        optA.setContainer(&fraMode);
        optA.move(8, 20, 80, 22);
        optB.setContainer(&fraMode);
        optB.move(8, 46, 80, 22);
        cboPort.move(220, 48, 100, 22);
        for (const char* s : {"P0", "P1", "P2"})
            cboPort.AddItem(s);
        tabPages.setTabs({"One", "Two"});
        tabPages.move(220, 80, 200, 120);
        lblOnTwo.setContainer(&tabPages, 1);
        lblOnTwo.move(4, 4, 80, 20);
        grdData.move(8, 210, 200, 80);
        lstLog.move(220, 210, 200, 80);
        barLevel.move(250, 8, 120, 16);
    }

    ui::CommandButton cmdRun{*this, "cmdRun"};
    ui::Label lblState{*this, "lblState"};
    ui::TextBox txtValue{*this, "txtValue"};
    ui::CheckBox chkTrace{*this, "chkTrace"};
    ui::Frame fraMode{*this, "fraMode"};
    ui::OptionButton optA{*this, "optA"};
    ui::OptionButton optB{*this, "optB"};
    ui::ComboBox cboPort{*this, "cboPort"};
    ui::TabControl tabPages{*this, "tabPages"};
    ui::Label lblOnTwo{*this, "lblOnTwo"};
    ui::Grid grdData{*this, "grdData"};
    ui::ListBox lstLog{*this, "lstLog"};
    ui::ProgressBar barLevel{*this, "barLevel"};
};

struct QtViews : ::testing::Test {
    qt::QtRuntime rt;
    PanelForm f{rt};
    qt::WindowsFirst windowsFirst{rt};
};

TEST_F(QtViews, ButtonClickRunsTheHandlerAndShowsItsColourAsAFlatFill)
{
    int clicks = 0;
    f.cmdRun.Click = [&] {
        ++clicks;
        f.cmdRun.BackColor = vb::kRunning;
        f.lblState.Caption = "Running";
    };
    f.Show();
    auto* button = widgetOf<QPushButton>(rt, f.cmdRun);
    ASSERT_NE(button, nullptr);

    button->click();
    rt.updateViews();

    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(widgetOf<QLabel>(rt, f.lblState)->text(), "Running");
    EXPECT_EQ(button->styleSheet(), "");  // the button paints its colour itself
    const QImage img = button->grab().toImage();
    const QColor want(0xFF, 0xC0, 0xC0);
    // Left of the caption, near the top and the bottom: one flat colour, no gradient.
    EXPECT_EQ(img.pixelColor(4, img.height() / 2).name().toStdString(), want.name().toStdString());
    EXPECT_EQ(img.pixelColor(4, 4).name().toStdString(), want.name().toStdString());
    EXPECT_EQ(img.pixelColor(4, img.height() - 5).name().toStdString(), want.name().toStdString());
}

TEST_F(QtViews, ButtonHiddenOrDisabledByTheModelDoesNotRunTheHandler)
{
    int clicks = 0;
    f.cmdRun.Click = [&] { ++clicks; };
    f.Show();
    auto* button = widgetOf<QPushButton>(rt, f.cmdRun);
    f.cmdRun.Enabled = false;
    rt.updateViews();
    EXPECT_FALSE(button->isEnabled());
    button->click();
    EXPECT_EQ(clicks, 0);
    f.cmdRun.Enabled = true;
    f.cmdRun.Visible = false;
    rt.updateViews();
    EXPECT_TRUE(button->isHidden());
}

TEST_F(QtViews, TypingRunsChangeOncePerKeyAndCodeSetTextShowsWithoutAnEcho)
{
    int changes = 0;
    f.txtValue.Change = [&] { ++changes; };
    f.Show();
    auto* edit = widgetOf<QLineEdit>(rt, f.txtValue);
    ASSERT_NE(edit, nullptr);

    qttest::type(edit, "12");
    EXPECT_EQ(f.txtValue.Text.get(), "12");
    EXPECT_EQ(changes, 2);

    f.txtValue.Text = "3.30";
    rt.updateViews();
    EXPECT_EQ(edit->text(), "3.30");
    EXPECT_EQ(changes, 3);
}

TEST_F(QtViews, CheckBoxAndOptionButtonsFollowCodeAndClicks)
{
    int checkClicks = 0;
    f.chkTrace.Click = [&] { ++checkClicks; };
    f.Show();
    auto* check = widgetOf<QCheckBox>(rt, f.chkTrace);
    f.chkTrace.Value = 1;
    rt.updateViews();
    EXPECT_EQ(check->checkState(), Qt::Checked);
    EXPECT_EQ(checkClicks, 1);

    check->click();
    rt.updateViews();
    EXPECT_EQ(f.chkTrace.Value.get(), 0);
    EXPECT_EQ(check->checkState(), Qt::Unchecked);
    EXPECT_EQ(checkClicks, 2);

    auto* a = widgetOf<QRadioButton>(rt, f.optA);
    auto* b = widgetOf<QRadioButton>(rt, f.optB);
    EXPECT_EQ(a->parentWidget(), widgetOf<QWidget>(rt, f.fraMode));
    f.optA.Value = true;
    rt.updateViews();
    EXPECT_TRUE(a->isChecked());
    b->click();
    rt.updateViews();
    EXPECT_TRUE(f.optB.Value.get());
    EXPECT_FALSE(f.optA.Value.get());
    EXPECT_FALSE(a->isChecked());
    // A second click on the selected button leaves it selected.
    b->click();
    rt.updateViews();
    EXPECT_TRUE(b->isChecked());
}

TEST_F(QtViews, OptionLosingTheFocusWithinTheFormRaisesLostFocus)
{
    int lost = 0;
    f.optA.LostFocus = [&] {
        ++lost;
        f.optA.Value = false;
    };
    f.Show();
    auto* a = widgetOf<QRadioButton>(rt, f.optA);
    f.optA.Value = true;
    QFocusEvent toAnotherControl(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(a, &toAnotherControl);
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(a->isChecked());
    // A message box or another window taking the focus is no move within the form.
    for (Qt::FocusReason r : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, r);
        QApplication::sendEvent(a, &away);
    }
    EXPECT_EQ(lost, 1);
}

TEST_F(QtViews, ChoosingAComboItemSetsIndexAndTextThenClicks)
{
    std::vector<std::string> events;
    f.cboPort.Change = [&] { events.push_back("Change " + f.cboPort.Text.get()); };
    f.cboPort.Click = [&] { events.push_back("Click " + std::to_string(f.cboPort.ListIndex)); };
    f.Show();
    auto* combo = widgetOf<QComboBox>(rt, f.cboPort);
    ASSERT_EQ(combo->count(), 3);

    emit combo->activated(1);
    rt.updateViews();
    EXPECT_EQ(events, (std::vector<std::string>{"Change P1", "Click 1"}));
    EXPECT_EQ(combo->currentText(), "P1");

    f.cboPort.ListIndex = 2;
    rt.updateViews();
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(combo->currentText(), "P2");
}

// Typed text that names no item leaves nothing chosen, so the code choosing
// an item again shows it in the box.
TEST_F(QtViews, TypedComboTextThatIsNoItemClearsTheIndex)
{
    int clicks = 0;
    f.cboPort.Click = [&] { ++clicks; };
    f.cboPort.ListIndex = 2;
    f.Show();
    auto* combo = widgetOf<QComboBox>(rt, f.cboPort);
    ASSERT_TRUE(combo->isEditable());
    clicks = 0;

    combo->lineEdit()->clear();
    qttest::type(combo->lineEdit(), "xyz");
    EXPECT_EQ(f.cboPort.Text.get(), "xyz");
    EXPECT_EQ(f.cboPort.ListIndex.get(), -1);
    combo->lineEdit()->clear();
    qttest::type(combo->lineEdit(), "P1");
    EXPECT_EQ(f.cboPort.ListIndex.get(), 1);
    EXPECT_EQ(clicks, 0);

    qttest::type(combo->lineEdit(), "x");
    f.cboPort.ListIndex = 2;
    rt.updateViews();
    EXPECT_EQ(combo->currentText(), "P2");
}

TEST_F(QtViews, TabPagesHoldTheirControlsAndAPageChangeSetsTabThenClicks)
{
    int clicks = 0;
    f.tabPages.Click = [&] {
        ++clicks;
        EXPECT_EQ(f.tabPages.Tab.get(), 1);
    };
    f.Show();
    auto* tabs = widgetOf<QTabWidget>(rt, f.tabPages);
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(1), "Two");
    EXPECT_EQ(widgetOf<QLabel>(rt, f.lblOnTwo)->parentWidget(), tabs->widget(1));

    tabs->setCurrentIndex(1);
    EXPECT_EQ(clicks, 1);
    f.tabPages.Tab = 0;
    rt.updateViews();
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(QtViews, GridShowsTheCellsAfterTheEventsRun)
{
    f.grdData.setRows(3);
    f.grdData.setCols(2);
    f.Show();
    f.grdData.setTextMatrix(0, 1, "Value");
    f.grdData.setTextMatrix(2, 1, "4.200");
    rt.DoEvents();
    auto* table = widgetOf<QTableWidget>(rt, f.grdData);
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->item(0, 1)->text(), "Value");
    EXPECT_EQ(table->item(2, 1)->text(), "4.200");
}

TEST_F(QtViews, CaptionChangesShowInTheTitleWithTheSuffix)
{
    rt.titleSuffix = " (simulated)";
    f.Show();
    EXPECT_EQ(rt.window(f)->windowTitle(), "Panel (simulated)");
    f.Caption = "Panel 2";
    EXPECT_EQ(rt.window(f)->windowTitle(), "Panel 2 (simulated)");
}

class StubbornForm : public ui::Form {
public:
    explicit StubbornForm(ui::Runtime& rt) : ui::Form(rt, "frmStubborn") {}
    int cancel = 1;

protected:
    void Form_Unload(int& Cancel) override { Cancel = cancel; }
};

TEST(QtWindow, ClosingUnloadsTheFormUnlessItCancelsAndTheLastWindowEndsTheProgram)
{
    qt::QtRuntime rt;
    StubbornForm f(rt);
    qt::WindowsFirst windowsFirst(rt);
    f.Show();
    qt::FormWindow* w = rt.window(f);
    ASSERT_NE(w, nullptr);

    w->close();
    EXPECT_TRUE(f.loaded());
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(rt.ended());

    f.cancel = 0;
    w->close();
    EXPECT_FALSE(f.loaded());
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(rt.ended());
}

}  // namespace

namespace {

// A handler that runs a long loop, pumping events between steps, as the scans do.
TEST_F(QtViews, ALoopPumpingEventsIsShownAFewTimesASecondAndAStopClickGetsThrough)
{
    bool stop = false;
    f.cmdRun.Click = [&] { stop = true; };
    f.Show();
    rt.updateViews();
    auto* label = widgetOf<QLabel>(rt, f.lblState);
    auto* button = widgetOf<QPushButton>(rt, f.cmdRun);
    QTimer::singleShot(150, button, [button] { button->click(); });  // the user's "Stop"

    const long long framesBefore = rt.viewUpdates().frames();
    QElapsedTimer t;
    t.start();
    int steps = 0;
    while (!stop && t.elapsed() < 5000) {
        ++steps;
        f.lblState.Caption = std::to_string(steps);
        f.txtValue.Text = std::to_string(steps % 7);
        rt.DoEvents();
    }
    const long long elapsed = t.elapsed();
    const long long frames = rt.viewUpdates().frames() - framesBefore;

    EXPECT_TRUE(stop);
    EXPECT_LT(elapsed, 1000);
    EXPECT_GT(steps, 2 * frames);  // many changes per frame
    EXPECT_LE(frames, elapsed / qt::ViewUpdates::kFrameMs + 2);
    // Once the loop is done, the next frame shows where it ended.
    qttest::pump(2 * qt::ViewUpdates::kFrameMs);
    EXPECT_EQ(label->text().toStdString(), std::to_string(steps));
    EXPECT_EQ(widgetOf<qt::ValueEdit>(rt, f.txtValue)->value().toStdString(), std::to_string(steps % 7));
}

TEST_F(QtViews, AViewChangedAndChangedBackWithinAFrameLeavesTheWidgetAlone)
{
    f.Show();
    rt.updateViews();
    auto* button = widgetOf<QPushButton>(rt, f.cmdRun);
    const QImage shown = button->grab().toImage();
    f.cmdRun.Caption = "Busy";
    f.cmdRun.BackColor = vb::kRunning;
    f.cmdRun.Caption = "Run";
    f.cmdRun.BackColor = vb::kButtonFace;
    rt.updateViews();
    EXPECT_EQ(button->text(), "Run");
    EXPECT_EQ(button->grab().toImage(), shown);
    f.cmdRun.BackColor = vb::kRunning;
    rt.updateViews();
    EXPECT_EQ(button->grab().toImage().pixelColor(4, 4), QColor(0xFF, 0xC0, 0xC0));
}

TEST_F(QtViews, ViewsOfAHiddenPageOrWindowCatchUpAsTheyAreShown)
{
    f.Show();
    rt.updateViews();
    auto* onTwo = widgetOf<QLabel>(rt, f.lblOnTwo);
    f.lblOnTwo.Caption = "4.20";
    rt.updateViews();
    EXPECT_EQ(onTwo->text(), "");  // page "One" is shown
    f.tabPages.Tab = 1;
    rt.updateViews();
    EXPECT_EQ(onTwo->text(), "4.20");

    auto* state = widgetOf<QLabel>(rt, f.lblState);
    f.Hide();
    f.lblState.Caption = "Stopped";
    rt.updateViews();
    EXPECT_EQ(state->text(), "");
    f.Show();
    EXPECT_EQ(state->text(), "Stopped");
}

// What the window last put on the screen where w is.
QImage onScreen(QWidget* w)
{
    QCoreApplication::processEvents();
    const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
    return QGuiApplication::primaryScreen()
        ->grabWindow(w->window()->winId(), at.x(), at.y(), w->width(), w->height())
        .toImage();
}

// The box paints its value itself until it is edited (a number copied from
// pictures of its characters where that gives the same pixels, or drawn); a new
// value must look as the line edit paints it, and edit as one.
TEST_F(QtViews, ATextBoxShowsTheModelTextAsItsLineEditWouldAndEditsIt)
{
    f.txtValue.Text = "3.615";
    f.Show();
    rt.updateViews();
    auto* box = widgetOf<qt::ValueEdit>(rt, f.txtValue);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->value(), "3.615");
    for (int alignment : {0, 1, 2}) {
        f.txtValue.Alignment = alignment;
        // A reading, hexadecimal capitals, a text that is no number.
        f.txtValue.Text = std::array{"-0.0527", "3A", "7.5 V"}[static_cast<std::size_t>(alignment)];
        rt.updateViews();
        ASSERT_FALSE(box->editing());
        const QImage shown = onScreen(box);
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
        QApplication::sendEvent(box, &end);
        ASSERT_TRUE(box->editing());
        EXPECT_EQ(box->text().toStdString(), f.txtValue.Text.get());
        EXPECT_EQ(onScreen(box), shown) << "alignment " << alignment;
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &out);
    }
    qttest::type(box, "7");
    EXPECT_EQ(f.txtValue.Text.get(), "7.5 V7");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
    EXPECT_FALSE(box->editing());
    EXPECT_EQ(box->value(), "7.5 V7");
}

// A label draws a reading from its glyphs; it must look as the label itself
// would draw it, in every alignment and colour.
TEST_F(QtViews, ALabelShowsAReadingAsTheLabelWouldDrawIt)
{
    f.Show();
    auto* label = widgetOf<QLabel>(rt, f.lblState);
    ASSERT_NE(label, nullptr);
    for (int alignment : {0, 1, 2})
        for (const char* text : {"3.615", "-0.0527", "12,345.0", " 6719", "3FFA", "+4.20E-3", "7.5 V", "5 "}) {
            f.lblState.Alignment = alignment;
            f.lblState.Caption = text;
            f.lblState.ForeColor = alignment == 1 ? 0x0000FF : 0;
            rt.updateViews();
            QLabel plain;
            plain.setTextFormat(Qt::PlainText);
            plain.setWordWrap(label->wordWrap());
            plain.setAlignment(label->alignment());
            plain.setFont(label->font());
            plain.setPalette(label->palette());
            plain.setAutoFillBackground(label->autoFillBackground());
            plain.setText(label->text());
            plain.resize(label->size());
            EXPECT_EQ(label->grab().toImage(), plain.grab().toImage()) << text << " alignment " << alignment;
        }
}

// The bar shows the value's share of its range, to the pixel, and stays full
// or empty past its ends.
TEST_F(QtViews, AProgressBarShowsTheShareOfItsRange)
{
    f.barLevel.Min = 10;
    f.barLevel.Max = 20;
    f.Show();
    QWidget* bar = widgetOf<QWidget>(rt, f.barLevel);
    ASSERT_NE(bar, nullptr);
    // The share of the inside (within the one-pixel border), along the middle row, in the highlight colour.
    auto shownShare = [&] {
        rt.updateViews();
        const QImage img = bar->grab().toImage();
        const QRgb fill = bar->palette().color(QPalette::Highlight).rgb();
        int n = 0;
        for (int x = 1; x < img.width() - 1; ++x)
            n += img.pixel(x, img.height() / 2) == fill;
        return double(n) / (img.width() - 2);
    };
    for (auto [value, share] : {std::pair{12.5, 0.25}, {20.0, 1.0}, {35.0, 1.0}, {-4.0, 0.0}}) {
        f.barLevel.Value = value;
        EXPECT_NEAR(shownShare(), share, 0.5 / 118) << value;
    }
    f.barLevel.Value = 15;
    f.barLevel.move(250, 8, 60, 16);  // half as wide
    EXPECT_NEAR(shownShare(), 0.5, 0.5 / 58);
}

// Items added since the last frame are appended; whatever else changed, the
// list shows the control's items in order.
TEST_F(QtViews, AListShowsItsItemsInOrderAsTheyAreAddedRemovedAndCleared)
{
    f.Show();
    auto* list = widgetOf<QListWidget>(rt, f.lstLog);
    auto shown = [&] {
        rt.updateViews();
        std::vector<std::string> items;
        for (int i = 0; i < list->count(); ++i)
            items.push_back(list->item(i)->text().toStdString());
        return items;
    };
    f.lstLog.AddItem("a");
    f.lstLog.AddItem("b");
    EXPECT_EQ(shown(), f.lstLog.List());
    f.lstLog.AddItem("c");
    EXPECT_EQ(shown(), f.lstLog.List());
    f.lstLog.RemoveItem(0);
    f.lstLog.AddItem("d");
    f.lstLog.AddItem("e");
    EXPECT_EQ(shown(), f.lstLog.List());
    f.lstLog.Clear();
    f.lstLog.AddItem("f");
    EXPECT_EQ(shown(), f.lstLog.List());
    f.lstLog.RemoveItem(0);
    f.lstLog.AddItem("g");
    EXPECT_EQ(shown(), (std::vector<std::string>{"g"}));
}

TEST_F(QtViews, AScrollBarIsPaintedInFlatFills)
{
    for (int i = 0; i < 60; ++i)
        f.lstLog.AddItem(std::to_string(i));
    f.Show();
    rt.updateViews();
    QScrollBar* bar = widgetOf<QListWidget>(rt, f.lstLog)->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    bar->setValue(bar->maximum() / 2);
    // Where the style puts the slider and the arrow (the bar's own option builder is protected).
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = opt.sliderValue = bar->value();
    opt.pageStep = bar->pageStep();
    opt.singleStep = bar->singleStep();
    const QRect slider = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
    const QRect add = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarAddLine, bar);
    ASSERT_GT(add.top() - slider.bottom(), 4);
    const QImage img = bar->grab().toImage();
    // One colour down the track between the slider and the arrow, and one down the slider's inside.
    const int x = img.width() / 2;
    auto oneColour = [&](int from, int to) {
        for (int y = from + 1; y < to; ++y)
            if (img.pixel(x, y) != img.pixel(x, from))
                return false;
        return true;
    };
    EXPECT_TRUE(oneColour(slider.bottom() + 1, add.top() - 1));
    EXPECT_TRUE(oneColour(slider.top() + 1, slider.bottom() - 1));
    EXPECT_NE(img.pixel(x, slider.center().y()), img.pixel(x, add.top() - 2));
}

}  // namespace
