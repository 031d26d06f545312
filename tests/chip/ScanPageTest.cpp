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

// The temperature rows: one per sensor, its boxes under the column captions
// "Volts/LMT", "TGAINV" and "DegC".
TEST_F(ScanPageTest, TemperatureRowsCarryTheirColumnCaptions)
{
    auto& f = form();
    const char* columns[] = {"Volts/LMT", "TGAINV", "DegC"};
    const int rows[3][3] = {{24, 11, 18}, {25, 16, 12}, {26, 17, 13}};
    const char* rowCaptions[] = {"iTemp", "xT1", "xT2"};
    for (int c = 0; c < 3; ++c) {
        const ui::Label& caption = f.TempColumn[c];
        EXPECT_EQ(caption.Caption.get(), columns[c]);
        EXPECT_TRUE(caption.Visible.get());
        EXPECT_EQ(caption.containerPage(), chip::kPageReadings);
        for (int r = 0; r < 3; ++r) {
            const ui::TextBox& box = f.VCELL[rows[r][c]];
            EXPECT_EQ(box.Left, caption.Left) << rows[r][c];
            EXPECT_GT(box.Top, caption.Top) << rows[r][c];
            EXPECT_EQ(box.Top, f.VCELL[rows[r][0]].Top) << rows[r][c];
        }
    }
    for (int r = 0; r < 3; ++r) {
        const ui::Label& caption = f.CELL[rows[r][0]];
        EXPECT_EQ(caption.Caption.get(), rowCaptions[r]);
        EXPECT_TRUE(caption.Visible.get());
        EXPECT_LT(caption.Left, f.VCELL[rows[r][0]].Left);
    }
}

}  // namespace
}  // namespace monitor_test
