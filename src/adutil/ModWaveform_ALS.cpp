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
    const long long lastRow = picture.bufferHeight() - 1;
    for (int x = n; x >= 1; --x) {
        const long long yNew = TraceY[static_cast<std::size_t>(x)];
        const long long yOld = TraceY[static_cast<std::size_t>(x + 1)];
        const long long y = yNew == 0 ? 1 : yNew;
        if (x < picture.bufferWidth()) {
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
            // Erased to the saved background first, when the row changed: the old
            // mark and join of this column, inside the pixel array.
            long long eraseFrom = 0, eraseTo = -1;
            if (yNew != yOld) {
                eraseFrom = std::max(std::min(yNew, yOld) - 1, 0LL);
                eraseTo = std::min({std::max(yNew, yOld) + 1, static_cast<long long>(PixelArray::kLast), lastRow});
            }
            // Each pixel once: painted rows take the colour, the other erased rows the background.
            const bool erase = eraseFrom <= eraseTo;
            const long long from = erase ? std::min(paintFrom, eraseFrom) : paintFrom;
            const long long to = erase ? std::max(paintTo, eraseTo) : paintTo;
            for (long long row = from; row <= to; ++row) {
                const int r = static_cast<int>(row);
                if (row >= paintFrom && row <= paintTo)
                    picture.PSet(x, r, colour);
                else if (row >= eraseFrom && row <= eraseTo)
                    picture.PSet(x, r, PixelSave(x, r));
            }
        }
        TraceY[static_cast<std::size_t>(x + 1)] = static_cast<std::int32_t>(y);
    }
    picture.Refresh();
}

}  // namespace adutil
