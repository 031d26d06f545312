#include <gtest/gtest.h>

#include "qt/FileFilter.h"

namespace {

using V = std::vector<std::string>;

TEST(QtFileFilter, PairsBecomeQtNameFilters)
{
    EXPECT_EQ(qt::nameFilters("Text (*.txt)|*.txt|All|*.*"), (V{"Text (*.txt)", "All (*.*)"}));
    EXPECT_EQ(qt::nameFilters("Data|*.csv;*.txt"), (V{"Data (*.csv *.txt)"}));
    // The pattern after the bar is what lists files, whatever the description says.
    EXPECT_EQ(qt::nameFilters("Text (*.txt)|*.dat"), (V{"Text (*.dat)"}));
}

TEST(QtFileFilter, MalformedFiltersGiveWhatCanBeUsed)
{
    EXPECT_EQ(qt::nameFilters(""), V{});
    EXPECT_EQ(qt::nameFilters("Text only"), V{});
    EXPECT_EQ(qt::nameFilters("Text|*.txt|Dangling"), (V{"Text (*.txt)"}));
    EXPECT_EQ(qt::nameFilters("|*.txt"), (V{"*.txt (*.txt)"}));
    EXPECT_EQ(qt::nameFilters("Empty||All|*.*"), (V{"All (*.*)"}));
}

}  // namespace
