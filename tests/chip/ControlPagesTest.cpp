// The control and demonstration pages as the Qt view lays them out: every
// shown control inside its frame or page, none on top of another.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "chip/MonitorFixture.h"

namespace monitor_test {
namespace {

using ControlPagesTest = MonitorTest;

TEST_F(ControlPagesTest, ShownControlsFitTheirContainerWithoutOverlap)
{
    auto& f = form();
    const std::set<const ui::Control*> frames = {&f.FrAnalogMon, &f.FrDataCollect, &f.FrCellBalanceBits,
        &f.FrMonitorBits, &f.FrUcControl, &f.FrCurDir, &f.FrCurErr};
    // The tab control's client area below its page captions.
    const int pageWidth = f.SSTab1.Width, pageHeight = f.SSTab1.Height - 30;
    // Siblings: same container and page.
    std::map<std::pair<const ui::Control*, int>, std::vector<const ui::Control*>> groups;
    for (const ui::Control* c : f.controls()) {
        const bool onPage = c->container() == &f.SSTab1 &&
            (c->containerPage() == chip::kPageControl || c->containerPage() == chip::kPageDemo);
        if (!c->Visible || (!onPage && frames.count(c->container()) == 0))
            continue;
        const int w = onPage ? pageWidth : c->container()->Width;
        const int h = onPage ? pageHeight : c->container()->Height;
        EXPECT_TRUE(c->Left >= 0 && c->Top >= 0 && c->Left + c->Width <= w && c->Top + c->Height <= h)
            << c->name() << "(" << c->index() << ")";
        groups[{c->container(), c->containerPage()}].push_back(c);
    }
    EXPECT_GE(groups.size(), 9u);
    for (const auto& [key, members] : groups)
        for (std::size_t i = 0; i < members.size(); ++i)
            for (std::size_t j = i + 1; j < members.size(); ++j) {
                const ui::Control& a = *members[i];
                const ui::Control& b = *members[j];
                EXPECT_FALSE(a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
                    b.Top < a.Top + a.Height)
                    << a.name() << "(" << a.index() << ") and " << b.name() << "(" << b.index() << ")";
            }
}

}  // namespace
}  // namespace monitor_test
