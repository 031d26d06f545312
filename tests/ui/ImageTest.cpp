// Reading icon files into images: the shipped lamps, and files that are
// missing, cut short or of another kind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ui/Image.h"

namespace {

const std::filesystem::path kFolder =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "app/folder";

std::string bytesOf(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string writeTemp(const std::string& name, const std::string& bytes)
{
    const auto p = std::filesystem::temp_directory_path() / ("kvn-image-" + name);
    std::ofstream(p, std::ios::binary) << bytes;
    return p.string();
}

TEST(LoadPicture, ReadsTheShippedLampsTopDownWithTransparentCorners)
{
    const auto on = ui::LoadPicture((kFolder / "HPYELON.ICO").string());
    const auto off = ui::LoadPicture((kFolder / "HPYELOF.ICO").string());
    ASSERT_TRUE(on && off);
    EXPECT_EQ(on->width, 32);
    EXPECT_EQ(on->height, 32);
    EXPECT_EQ(on->pixels.size(), 32u * 32u);
    EXPECT_EQ(on->pixel(0, 0) >> 24, 0u);  // outside the lamp
    EXPECT_EQ(on->pixel(20, 20), 0xFFFFD800u);  // lit yellow, away from the shine
    EXPECT_EQ(off->pixel(20, 20), 0xFF605828u);
    EXPECT_EQ(on->pixel(16, 2), 0xFF786000u);  // the rim at the top row of the lamp
    EXPECT_FALSE(*on == *off);
}

TEST(LoadPicture, MissingShortOrForeignFilesGiveNothing)
{
    EXPECT_FALSE(ui::LoadPicture("/nonexistent/HPYELON.ICO"));
    const std::string icon = bytesOf(kFolder / "HPYELON.ICO");
    ASSERT_GT(icon.size(), 100u);
    EXPECT_FALSE(ui::LoadPicture(writeTemp("empty.ico", "")));
    EXPECT_FALSE(ui::LoadPicture(writeTemp("short.ico", icon.substr(0, icon.size() - 1))));
    EXPECT_FALSE(ui::LoadPicture(writeTemp("header.ico", icon.substr(0, 30))));
    EXPECT_FALSE(ui::LoadPicture(writeTemp("text.ico", "not an icon at all, but long enough to hold a header")));

    std::string cursor = icon;
    cursor[2] = 2;  // a cursor file, not an icon
    EXPECT_FALSE(ui::LoadPicture(writeTemp("cursor.ico", cursor)));
    std::string eightBit = icon;
    eightBit[22 + 14] = 8;  // a palette image, which the reader does not take
    EXPECT_FALSE(ui::LoadPicture(writeTemp("palette.ico", eightBit)));
    std::string huge = icon;
    huge[22 + 7] = 0x7F;  // an absurd width
    EXPECT_FALSE(ui::LoadPicture(writeTemp("huge.ico", huge)));
    EXPECT_TRUE(ui::LoadPicture(writeTemp("copy.ico", icon)));
}

}  // namespace
