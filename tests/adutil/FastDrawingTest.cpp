// The picture's image as a 24-bit bottom-up bitmap with padded lines.
#include <random>

#include "PictureFixture.h"
#include "adutil/FastDrawing.h"

namespace {

using adutil::FastDrawing;
using adutil_test::PictureForm;

void paintNoise(ui::PictureBox& pic, unsigned seed)
{
    std::mt19937 rng(seed);
    for (int y = 0; y < pic.bufferHeight(); ++y)
        for (int x = 0; x < pic.bufferWidth(); ++x)
            pic.PSet(x, y, rng() & 0xFFFFFF);
}

TEST(FastDrawing, SizesFollowTheWidthMinusOneAndHeightConventions)
{
    ui::HeadlessRuntime rt;
    PictureForm form(rt, 320, 164);
    FastDrawing fd;
    EXPECT_EQ(fd.GetImageWidth(form.pic), 319);
    EXPECT_EQ(fd.GetImageHeight(form.pic), 164);
    EXPECT_EQ(fd.GetImageStreamLength(form.pic), 157440);
    EXPECT_EQ(FastDrawing::LineStride(320), 960);
    EXPECT_EQ(FastDrawing::LineStride(321), 964);
    EXPECT_EQ(FastDrawing::LineStride(1), 4);

    std::vector<std::uint8_t> stream;
    fd.GetImageDataStream(form.pic, stream);
    EXPECT_EQ(stream.size(), 157441u);  // indexes 0 to the stream length
    PictureForm padded(rt, 321, 5);
    fd.GetImageDataStream(padded.pic, stream);
    EXPECT_EQ(stream.size(), 964u * 5u);
}

TEST(FastDrawing, BytesAreBlueGreenRedBottomUpWithZeroFill)
{
    ui::HeadlessRuntime rt;
    PictureForm form(rt, 5, 3);  // 15 bytes a line, one fill byte
    form.pic.PSet(0, 2, 0x112233);  // bottom row: bitmap line 0
    form.pic.PSet(4, 0, 0xAABBCC);  // top row: line 2
    FastDrawing fd;
    FastDrawing::ImageData img;
    fd.GetImageData(form.pic, img);
    EXPECT_EQ(img.stride(), 16);
    EXPECT_EQ(img.lines(), 4);  // one more than the picture has
    EXPECT_EQ(img(0, 0, 0), 0x33);
    EXPECT_EQ(img(1, 0, 0), 0x22);
    EXPECT_EQ(img(2, 0, 0), 0x11);
    EXPECT_EQ(img.bytes()[2 * 16 + 12], 0xCC);
    EXPECT_EQ(img.bytes()[2 * 16 + 14], 0xAA);
    EXPECT_EQ(img(0, 1, 0), 0xFF);  // white background
    for (int line = 0; line < 4; ++line)
        EXPECT_EQ(img.bytes()[static_cast<std::size_t>(line * 16 + 15)], 0) << line;

    std::vector<std::uint8_t> stream;
    fd.GetImageDataStream(form.pic, stream);
    EXPECT_TRUE(std::equal(stream.begin(), stream.end(), img.bytes().begin()));
}

class FastDrawingRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(FastDrawingRoundTrip, BothFormsGiveThePictureBackPixelForPixel)
{
    const int width = GetParam();
    ui::HeadlessRuntime rt;
    PictureForm source(rt, width, 164), target(rt, width, 164), target2(rt, width, 164);
    paintNoise(source.pic, static_cast<unsigned>(width));
    FastDrawing fd;

    FastDrawing::ImageData img;
    fd.GetImageData(source.pic, img);
    const auto before = rt.doEventsCalls();
    fd.SetImageData(target.pic, img);
    EXPECT_EQ(rt.doEventsCalls(), before + 1);  // pending events run once
    EXPECT_EQ(target.pic.pixels(), source.pic.pixels());

    std::vector<std::uint8_t> stream;
    fd.GetImageDataStream(source.pic, stream);
    fd.SetImageDataStream(target2.pic, stream);
    EXPECT_EQ(target2.pic.pixels(), source.pic.pixels());

    // An edit through the array lands on the pixel it names.
    img(2, 7, 0) = 0x00;
    img(1, 7, 0) = 0x00;
    img(0, 7, 0) = 0x00;
    fd.SetImageData(target.pic, img);
    EXPECT_EQ(target.pic.Point(7, 163), 0x000000u);
    EXPECT_EQ(target.pic.Point(8, 163), source.pic.Point(8, 163));
}

INSTANTIATE_TEST_SUITE_P(Widths, FastDrawingRoundTrip, ::testing::Values(320, 321, 322, 323));

TEST(FastDrawing, ShortOrForeignBuffersChangeOnlyWhatTheyHoldInFull)
{
    ui::HeadlessRuntime rt;
    PictureForm form(rt, 10, 4), other(rt, 11, 4);
    FastDrawing fd;
    FastDrawing::ImageData foreign;
    fd.GetImageData(other.pic, foreign);
    paintNoise(form.pic, 3);
    const auto pixels = form.pic.pixels();
    fd.SetImageData(form.pic, foreign);  // another width: ignored
    EXPECT_EQ(form.pic.pixels(), pixels);

    std::vector<std::uint8_t> oneLine(FastDrawing::LineStride(10) + 5, 0);  // black, one whole line
    fd.SetImageDataStream(form.pic, oneLine);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(form.pic.Point(x, 3), 0u);
        EXPECT_EQ(form.pic.Point(x, 2), pixels[static_cast<std::size_t>(2 * 10 + x)]);
    }
}

}  // namespace
