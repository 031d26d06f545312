#include "adutil/ModWaveform_ALS.h"

#include <algorithm>

namespace adutil {

namespace {

// The pixel range of the whole-picture loops: columns 0 to Width - 1 and rows
// 0 to Height (one below the picture), kept inside the pixel array.
struct Extent {
    int lastX, lastY;
};

Extent extentOf(const ui::PictureBox& picture)
{
    return {std::min(picture.Width - 1, PixelArray::kLast), std::min(picture.Height, PixelArray::kLast)};
}

}  // namespace

void ModWaveform_ALS::ClearPixelArray(const ui::PictureBox& picture, PixelArray& pixels) const
{
    const Extent e = extentOf(picture);
    for (int x = 0; x <= e.lastX; ++x)
        for (int y = 0; y <= e.lastY; ++y)
            pixels(x, y) = vb::kWhite;
}

void ModWaveform_ALS::ReadPixels(const ui::PictureBox& picture, PixelArray& pixels) const
{
    const Extent e = extentOf(picture);
    for (int x = 0; x <= e.lastX; ++x)
        for (int y = 0; y <= e.lastY; ++y)
            pixels(x, y) = picture.Point(x, y);
}

void ModWaveform_ALS::WritePixels(ui::PictureBox& picture, const PixelArray& pixels) const
{
    const Extent e = extentOf(picture);
    for (int x = 0; x <= e.lastX; ++x)
        for (int y = 0; y <= e.lastY; ++y)
            picture.PSet(x, y, pixels(x, y));
    picture.Refresh();
}

void ModWaveform_ALS::DrawScrollingTrace(ui::PictureBox& picture, long columnCount)
{
    if (columnCount < 1) {
        picture.Refresh();
        return;
    }
    // TraceY(n + 1) is written, so n stays one below the last element.
    const int n = static_cast<int>(std::min<long>(columnCount, kMaxColumns));
    const vb::Color colour = vb::RGB(TraceColorR, TraceColorG, TraceColorB);
    for (int x = n; x >= 1; --x) {
        const long long yNew = TraceY[static_cast<std::size_t>(x)];
        const long long yOld = TraceY[static_cast<std::size_t>(x + 1)];
        if (yNew != yOld) {
            // The old mark and join of this column give way to the saved background.
            const long long from = std::max(std::min(yNew, yOld) - 1, 0LL);
            const long long to = std::min<long long>(std::max(yNew, yOld) + 1, PixelArray::kLast);
            for (long long y = from; y <= to; ++y)
                picture.PSet(x, static_cast<int>(y), PixelSave(x, static_cast<int>(y)));
        }
        const long long y = yNew == 0 ? 1 : yNew;
        for (long long row : {y, y + 1, y - 1})
            if (row >= 0 && row < picture.bufferHeight())
                picture.PSet(x, static_cast<int>(row), colour);
        if (x > 1) {
            // The join from this column's row to the next column's, both ends
            // included; only its rows inside the picture can show.
            const long long a = TraceY[static_cast<std::size_t>(x)];
            const long long b = TraceY[static_cast<std::size_t>(x - 1)];
            const long long top = std::max(std::min(a, b), 0LL);
            const long long bottom = std::min<long long>(std::max(a, b), picture.bufferHeight() - 1);
            for (long long j = top; j <= bottom; ++j)
                picture.PSet(x, static_cast<int>(j), colour);
        }
        TraceY[static_cast<std::size_t>(x + 1)] = static_cast<std::int32_t>(y);
    }
    picture.Refresh();
}

}  // namespace adutil
