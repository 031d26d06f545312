// The readings page as the Qt view lays it out: every control placed, none on top of another.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "chip/MonitorFixture.h"

namespace monitor_test {
namespace {

using ScanPageTest = MonitorTest;

bool overlap(const ui::Control& a, const ui::Control& b)
{
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
        b.Top < a.Top + a.Height;
}

TEST_F(ScanPageTest, ControlsOfOneContainerDoNotOverlap)
{
    auto& f = form();
    EXPECT_EQ(f.SSTab1.Tab.get(), chip::kPageReadings);
    // Siblings: same container and page.
    std::map<std::pair<const ui::Control*, int>, std::vector<const ui::Control*>> groups;
    for (const ui::Control* c : f.controls()) {
        if (!c->Visible || c->kind() == ui::Kind::Timer || c->kind() == ui::Kind::Menu ||
            c->kind() == ui::Kind::CommonDialog)
            continue;
        groups[{c->container(), c->containerPage()}].push_back(c);
    }
    const auto& page = groups[{&f.SSTab1, chip::kPageReadings}];
    EXPECT_GE(page.size(), 60u);
    for (const auto& [key, members] : groups) {
        if (key.first != &f.SSTab1 && key.first != &f.FrStatusBits && key.first != &f.FrFets &&
            key.first != &f.FrBalance)
            continue;
        if (key.first == &f.SSTab1 && key.second != chip::kPageReadings)
            continue;
        for (std::size_t i = 0; i < members.size(); ++i) {
            EXPECT_GT(members[i]->Width, 0) << members[i]->name() << members[i]->index();
            for (std::size_t j = i + 1; j < members.size(); ++j)
                EXPECT_FALSE(overlap(*members[i], *members[j]))
                    << members[i]->name() << "(" << members[i]->index() << ") and " << members[j]->name() << "("
                    << members[j]->index() << ")";
        }
    }
}

}  // namespace
}  // namespace monitor_test
