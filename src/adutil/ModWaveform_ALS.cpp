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
    const int width = picture.bufferWidth();
    const long long lastRow = picture.bufferHeight() - 1;
    vb::Color* const pixels = picture.pixelData();
    // One column's rows from..to (both included) take a colour, or the saved background.
    auto fill = [&](int x, long long from, long long to, vb::Color c) {
        if (from > to)
            return;
        vb::Color* p = pixels + static_cast<std::size_t>(from) * width + x;
        for (long long row = from; row <= to; ++row, p += width)
            *p = c;
    };
    auto restore = [&](int x, long long from, long long to) {
        if (from > to)
            return;
        vb::Color* p = pixels + static_cast<std::size_t>(from) * width + x;
        const vb::Color* saved = PixelSave.data() + static_cast<std::size_t>(from) * PixelArray::kSide + x;
        for (long long row = from; row <= to; ++row, p += width, saved += PixelArray::kSide)
            *p = *saved;
    };
    for (int x = n; x >= 1; --x) {
        const long long yNew = TraceY[static_cast<std::size_t>(x)];
        const long long yOld = TraceY[static_cast<std::size_t>(x + 1)];
        const long long y = yNew == 0 ? 1 : yNew;
        if (x < width) {
            // Painted: the mark (y - 1 to y + 1) and, right of column 1, the join
            // from this column's row to the left neighbour's, both ends included.
            // They touch, so they form one run of rows.
            long long paintFrom = y - 1, paintTo = y + 1;
            if (x > 1) {
                const long long left = TraceY[static_cast<std::size_t>(x - 1)];
                paintFrom = std::min(paintFrom, std::min(yNew, left));
                paintTo = std::max(paintTo, std::max(yNew, left));
            }
            paintFrom = std::max(paintFrom, 0LL);
            paintTo = std::min(paintTo, lastRow);
            // Erased to the saved background, when the row changed: the old mark
            // and join of this column, inside the pixel array; each pixel is
            // written once, the painted rows taking the colour.
            if (yNew != yOld) {
                const long long eraseFrom = std::max(std::min(yNew, yOld) - 1, 0LL);
                const long long eraseTo =
                    std::min({std::max(yNew, yOld) + 1, static_cast<long long>(PixelArray::kLast), lastRow});
                restore(x, eraseFrom, std::min(eraseTo, paintFrom - 1));
                restore(x, std::max(eraseFrom, paintTo + 1), eraseTo);
            }
            fill(x, paintFrom, paintTo, colour);
        }
        TraceY[static_cast<std::size_t>(x + 1)] = static_cast<std::int32_t>(y);
    }
    picture.Refresh();
}

}  // namespace adutil
