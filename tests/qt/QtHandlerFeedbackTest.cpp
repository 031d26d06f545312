// What the user sees of a handler that pumps no events: a list it refreshes,
// the hourglass, and message-box lines broken as the prompt breaks them.
#include <QApplication>
#include <QCursor>
#include <QListWidget>
#include <QMessageBox>

#include <gtest/gtest.h>

#include "QtTestSupport.h"
#include "qt/Dialogs.h"
#include "ui/Form.h"

namespace {

using qttest::widgetOf;

class ListForm : public ui::Form {
public:
    explicit ListForm(ui::Runtime& rt) : ui::Form(rt, "frmList") { lstReadings.move(8, 8, 200, 100); }
    ui::ListBox lstReadings{*this, "lstReadings"};
};

TEST(QtHandlerFeedback, ARefreshedListShowsItsItemsBeforeTheHandlerReturns)
{
    qt::QtRuntime rt;
    ListForm f(rt);
    qt::WindowsFirst windowsFirst(rt);
    rt.dispatch([&f] { f.Show(); });
    rt.updateViews();
    auto* list = widgetOf<QListWidget>(rt, f.lstReadings);
    ASSERT_NE(list, nullptr);

    int shownInside = -1;
    int shownWithoutRefresh = -1;
    rt.dispatch([&] {
        f.lstReadings.AddItem("Finding all listeners on the bus...");
        shownWithoutRefresh = list->count();
        f.lstReadings.Refresh();
        shownInside = list->count();
    });
    EXPECT_EQ(shownWithoutRefresh, 0);  // a frame shows changes, not each change
    EXPECT_EQ(shownInside, 1);
}

TEST(QtHandlerFeedback, TheHourglassIsOverEveryWindowUntilTheDefaultPointerIsBack)
{
    {
        qt::QtRuntime rt;
        rt.setScreenMousePointer(ui::vbHourglass);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        rt.setScreenMousePointer(ui::vbHourglass);  // once is enough to take back
        rt.setScreenMousePointer(ui::vbDefault);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        // A program that ends under the hourglass gives the pointer back.
        rt.setScreenMousePointer(ui::vbHourglass);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtHandlerFeedback, MessageBoxLinesBreakAtCarriageReturnsAsAtLineEnds)
{
    const auto box =
        qt::makeMessageBox("Unable to open dvm device\ribsta = &H8100\r\niberr = 2", ui::vbOKOnly, "Error", nullptr);
    EXPECT_EQ(box->text(), "Unable to open dvm device\nibsta = &H8100\niberr = 2");
}

}  // namespace
