#pragma once
// Pixel helpers of the A/D form's scope: the saved background (grid) image,
// whole-picture clear/read/write/restore, and the scrolling trace the
// acquisition loops draw once per sample.
#include <array>
#include <cstdint>
#include <vector>

#include "ui/PictureBox.h"

namespace adutil {

// A colour per pixel (x, y) of a picture up to 1111 x 1111; element (x, y)
// lies at x + 1111 * y. The row one below a picture reads as kInvalidPixel.
class PixelArray {
public:
    static constexpr int kSide = 1111;
    static constexpr int kLast = kSide - 1;
    static constexpr vb::Color kInvalidPixel = ui::PictureBox::kInvalidPixel;

    PixelArray() : cells_(static_cast<std::size_t>(kSide) * kSide, 0) {}
    vb::Color& operator()(int x, int y) { return cells_[index(x, y)]; }
    vb::Color operator()(int x, int y) const { return cells_[index(x, y)]; }
    // Element (0, 0), for a reader that walks a column (kSide apart).
    const vb::Color* data() const { return cells_.data(); }

private:
    static std::size_t index(int x, int y)
    {
        return static_cast<std::size_t>(x) + static_cast<std::size_t>(kSide) * static_cast<std::size_t>(y);
    }
    std::vector<vb::Color> cells_;
};

class ModWaveform_ALS {
public:
    // Holds the trace picture as it was after the grid was drawn.
    PixelArray PixelSave;
    // Row per trace column: the caller puts the newest sample's row into
    // element 1; after a pass element c + 1 holds the row drawn at column c.
    std::array<std::int32_t, PixelArray::kSide> TraceY{};
    std::uint8_t TraceColorR = 0, TraceColorG = 0, TraceColorB = 0;
    // Trace columns in use; the loops pass it as the column count.
    std::int32_t PlotX = 0;

    // Every pixel of the picture (and the row below it) white.
    void ClearPixelArray(const ui::PictureBox& picture, PixelArray& pixels) const;
    // The picture's pixels into the array; the row below it reads as kInvalidPixel.
    void ReadPixels(const ui::PictureBox& picture, PixelArray& pixels) const;
    // The array's pixels into the picture, then a repaint.
    void WritePixels(ui::PictureBox& picture, const PixelArray& pixels) const;
    void RestoreBackground(ui::PictureBox& picture) const { WritePixels(picture, PixelSave); }
    // Shifts the shown trace one column right and draws TraceY(1) at column 1,
    // over columns 1 to columnCount.
    void DrawScrollingTrace(ui::PictureBox& picture, long columnCount);

    // Highest column count DrawScrollingTrace takes: it writes TraceY(n + 1).
    static constexpr int kMaxColumns = PixelArray::kLast - 1;
};

}  // namespace adutil
