// The scope's pixel helpers: whole-picture copies and the scrolling trace,
// checked pixel by pixel.
#include <algorithm>
#include <random>

#include "PictureFixture.h"
#include "adutil/ModWaveform_ALS.h"

namespace {

using adutil::ModWaveform_ALS;
using adutil::PixelArray;
using adutil_test::PictureForm;

constexpr vb::Color kTrace = 0x0000FF;
constexpr vb::Color kGrid = 0x000000;

// Every column erased and drawn in turn, as the trace was first drawn: what the
// pass that writes each pixel once must match pixel for pixel.
void redrawEveryColumn(ModWaveform_ALS& w, ui::PictureBox& picture, long columnCount)
{
    if (columnCount < 1) {
        picture.Refresh();
        return;
    }
    const int n = static_cast<int>(std::min<long>(columnCount, ModWaveform_ALS::kMaxColumns));
    const vb::Color colour = vb::RGB(w.TraceColorR, w.TraceColorG, w.TraceColorB);
    auto& t = w.TraceY;
    for (int x = n; x >= 1; --x) {
        const long long yNew = t[static_cast<std::size_t>(x)];
        const long long yOld = t[static_cast<std::size_t>(x + 1)];
        if (yNew != yOld) {
            const long long from = std::max(std::min(yNew, yOld) - 1, 0LL);
            const long long to = std::min<long long>(std::max(yNew, yOld) + 1, PixelArray::kLast);
            for (long long y = from; y <= to; ++y)
                picture.PSet(x, static_cast<int>(y), w.PixelSave(x, static_cast<int>(y)));
        }
        const long long y = yNew == 0 ? 1 : yNew;
        for (long long row : {y, y + 1, y - 1})
            if (row >= 0 && row < picture.bufferHeight())
                picture.PSet(x, static_cast<int>(row), colour);
        if (x > 1) {
            const long long a = t[static_cast<std::size_t>(x)];
            const long long b = t[static_cast<std::size_t>(x - 1)];
            const long long top = std::max(std::min(a, b), 0LL);
            const long long bottom = std::min<long long>(std::max(a, b), picture.bufferHeight() - 1);
            for (long long j = top; j <= bottom; ++j)
                picture.PSet(x, static_cast<int>(j), colour);
        }
        t[static_cast<std::size_t>(x + 1)] = static_cast<std::int32_t>(y);
    }
    picture.Refresh();
}

class ScrollingTrace : public ::testing::Test {
protected:
    ScrollingTrace()
    {
        w.TraceColorB = 0xFF;
        // A background with a grid row and column, saved as the grid drawing saves it.
        w.ClearPixelArray(form.pic, w.PixelSave);
        w.WritePixels(form.pic, w.PixelSave);
        for (int x = 0; x < 320; ++x)
            form.pic.PSet(x, kGridRow, kGrid);
        for (int y = 0; y < 164; ++y)
            form.pic.PSet(kGridColumn, y, kGrid);
        w.ReadPixels(form.pic, w.PixelSave);
    }
    vb::Color at(int x, int y) const { return form.pic.Point(x, y); }
    // One sample as the acquisition loop plots it.
    void plot(int row)
    {
        w.TraceY[1] = row;
        w.DrawScrollingTrace(form.pic, w.PlotX);
        if (form.pic.Width > w.PlotX)
            ++w.PlotX;
    }

    static constexpr int kGridRow = 20, kGridColumn = 4;
    ui::HeadlessRuntime rt;
    PictureForm form{rt, 320, 164};
    ModWaveform_ALS w;
};

TEST_F(ScrollingTrace, WholePictureCopiesIncludeTheRowBelowThePicture)
{
    EXPECT_EQ(w.PixelSave(0, 0), vb::kWhite);
    EXPECT_EQ(w.PixelSave(kGridColumn, 100), kGrid);
    EXPECT_EQ(w.PixelSave(319, kGridRow), kGrid);
    EXPECT_EQ(w.PixelSave(100, 164), PixelArray::kInvalidPixel);  // one row below the picture
    EXPECT_EQ(w.PixelSave(320, 10), 0u);  // beyond the last column: untouched

    const auto before = form.pic.version();
    form.pic.Cls();
    w.RestoreBackground(form.pic);
    EXPECT_GT(form.pic.version(), before + 1);
    EXPECT_EQ(form.pic.pixels().size(), 320u * 164u);
    for (int y = 0; y < 164; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(at(x, y), w.PixelSave(x, y)) << x << "," << y;
}

TEST_F(ScrollingTrace, AColumnCountBelowOneOnlyRepaints)
{
    w.TraceY[1] = 50;
    w.TraceY[2] = 60;
    for (long n : {0L, -3L}) {
        const auto before = form.pic.version();
        w.DrawScrollingTrace(form.pic, n);
        EXPECT_EQ(form.pic.version(), before + 1);
    }
    EXPECT_EQ(w.TraceY[2], 60);
    for (int y = 0; y < 164; ++y)
        EXPECT_EQ(at(1, y), w.PixelSave(1, y));
}

TEST_F(ScrollingTrace, RowZeroMarksTheTopThreeRowsAndIsKeptAsOne)
{
    w.TraceY[1] = 0;
    w.TraceY[2] = 0;
    w.DrawScrollingTrace(form.pic, 1);
    EXPECT_EQ(at(1, 0), kTrace);
    EXPECT_EQ(at(1, 1), kTrace);
    EXPECT_EQ(at(1, 2), kTrace);
    EXPECT_EQ(at(1, 3), vb::kWhite);
    EXPECT_EQ(w.TraceY[2], 1);
}

TEST_F(ScrollingTrace, EqualRowsEraseNothingAndRedrawTheMark)
{
    w.TraceY[1] = 50;
    w.TraceY[2] = 50;
    form.pic.PSet(1, 48, 0x123456);  // would go under an erase of rows 48 to 52
    form.pic.PSet(1, 52, 0x123456);
    w.DrawScrollingTrace(form.pic, 1);
    EXPECT_EQ(at(1, 48), 0x123456u);
    EXPECT_EQ(at(1, 52), 0x123456u);
    for (int y = 49; y <= 51; ++y)
        EXPECT_EQ(at(1, y), kTrace);
}

TEST_F(ScrollingTrace, ColumnsJoinToTheirLeftNeighbourAndColumnOneHasNoJoin)
{
    // Column 1 showed row 40 and gets 10; column 2 takes over row 40.
    w.TraceY[1] = 10;
    w.TraceY[2] = 40;
    w.TraceY[3] = 40;
    w.DrawScrollingTrace(form.pic, 2);

    for (int y = 0; y < 164; ++y) {
        // Column 1: the mark at 9..11 only, no join down to 40.
        const vb::Color col1 = y >= 9 && y <= 11 ? kTrace : w.PixelSave(1, y);
        // Column 2: its mark at 39..41 and the join up to column 1's row 10.
        const vb::Color col2 = y >= 10 && y <= 41 ? kTrace : w.PixelSave(2, y);
        ASSERT_EQ(at(1, y), col1) << "row " << y;
        ASSERT_EQ(at(2, y), col2) << "row " << y;
    }
    EXPECT_EQ(w.TraceY[2], 10);
    EXPECT_EQ(w.TraceY[3], 40);
}

TEST_F(ScrollingTrace, AnOldMarkGivesWayToTheSavedGrid)
{
    // A flat trace along the grid row, then a step away: the grid row and the
    // grid column it crossed come back.
    w.TraceY.fill(1);
    w.PlotX = 1;
    for (int i = 0; i < 8; ++i)
        plot(kGridRow);
    EXPECT_EQ(at(kGridColumn, kGridRow - 1), kTrace);
    for (int i = 0; i < 8; ++i)
        plot(100);
    EXPECT_EQ(at(kGridColumn, kGridRow), kGrid);
    EXPECT_EQ(at(kGridColumn, kGridRow - 1), kGrid);  // the grid column
    EXPECT_EQ(at(kGridColumn - 1, kGridRow), kGrid);  // the grid row
    EXPECT_EQ(at(kGridColumn - 1, kGridRow + 1), vb::kWhite);
    EXPECT_EQ(at(kGridColumn, 100), kTrace);
}

// 400 samples on a 320-pixel picture: the picture always equals the
// background with each shown column's mark and its join to the left neighbour.
TEST_F(ScrollingTrace, ALongRunShowsExactlyTheTraceOfTheLastSamples)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> row(1, 160);
    w.TraceY.fill(1);
    w.PlotX = 1;
    for (int sample = 0; sample < 400; ++sample) {
        plot(row(rng));
        if (sample % 97 != 0 && sample != 399)
            continue;
        const int shown = std::min<int>(w.PlotX - 1, 319);
        for (int x = 0; x < 320; ++x) {
            for (int y = 0; y < 164; ++y) {
                bool trace = false;
                if (x >= 1 && x <= shown) {
                    const int r = w.TraceY[static_cast<std::size_t>(x + 1)];
                    trace = y >= r - 1 && y <= r + 1;
                    if (x > 1) {
                        const int left = w.TraceY[static_cast<std::size_t>(x)];
                        trace = trace || (y >= std::min(r, left) && y <= std::max(r, left));
                    }
                }
                ASSERT_EQ(at(x, y), trace ? kTrace : w.PixelSave(x, y))
                    << "sample " << sample << " pixel " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(w.PlotX, 320);
}

TEST_F(ScrollingTrace, RowsAndColumnsOutsideTheArraysAreHeldInside)
{
    w.TraceY.fill(2000000000);
    w.TraceY[1] = -2000000000;
    w.DrawScrollingTrace(form.pic, 5000);  // more columns than the arrays hold
    EXPECT_EQ(w.TraceY[2], -2000000000);
    EXPECT_EQ(w.TraceY[ModWaveform_ALS::kMaxColumns + 1], 2000000000);
    // The join of column 2 runs across the whole picture height.
    for (int y = 0; y < 164; ++y)
        EXPECT_EQ(at(2, y), kTrace);
}

// Thousands of samples of every kind (flat, noisy, steps across the picture,
// zero, rows outside it), with stray pixels drawn in between, the background
// restored, the picture resized and the column count beyond the picture: the
// pass matches the column-by-column redraw pixel for pixel, and so do the rows it keeps.
TEST_F(ScrollingTrace, EachPassMatchesTheColumnByColumnRedraw)
{
    PictureForm other{rt, 320, 164};
    ModWaveform_ALS ref = w;  // the same background and rows
    for (int y = 0; y < 164; ++y)
        for (int x = 0; x < 320; ++x)
            other.pic.PSet(x, y, at(x, y));
    std::mt19937 rng(11);
    w.TraceY.fill(1);
    ref.TraceY.fill(1);
    long columns = 1;
    for (int sample = 0; sample < 3000; ++sample) {
        const int kind = sample / 100 % 6;
        int row = 0;
        switch (kind) {
        case 0: row = 80; break;
        case 1: row = 60 + static_cast<int>(rng() % 40); break;
        case 2: row = sample % 2 ? 1 : 163; break;
        case 3: row = static_cast<int>(rng() % 3); break;
        case 4: row = static_cast<int>(rng() % 400) - 100; break;
        default: row = static_cast<int>(rng() % 164); break;
        }
        w.TraceY[1] = ref.TraceY[1] = row;
        if (sample % 250 == 17) {  // a stray pixel where the trace may pass
            const int x = static_cast<int>(rng() % 320), y = static_cast<int>(rng() % 164);
            form.pic.PSet(x, y, 0x123456);
            other.pic.PSet(x, y, 0x123456);
        }
        if (sample % 700 == 350) {  // the background back, the rows kept
            w.RestoreBackground(form.pic);
            ref.RestoreBackground(other.pic);
        }
        if (sample == 1500) {  // a smaller picture, then columns beyond it
            form.pic.resizeBuffer(200, 100);
            other.pic.resizeBuffer(200, 100);
            columns = 260;
        }
        w.DrawScrollingTrace(form.pic, columns);
        redrawEveryColumn(ref, other.pic, columns);
        ASSERT_EQ(form.pic.pixels(), other.pic.pixels()) << "sample " << sample;
        ASSERT_EQ(w.TraceY, ref.TraceY) << "sample " << sample;
        if (columns < 319)
            ++columns;
    }
}

}  // namespace
