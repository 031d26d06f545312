#include "ui/PictureBox.h"

#include <algorithm>
#include <cstdlib>

namespace ui {

PictureBox::PictureBox(Form& f, std::string name, int index) : Control(f, Kind::PictureBox, std::move(name), index)
{
    BackColor.setQuietly(vb::kWindow);
}

void PictureBox::resizeBuffer(int width, int height)
{
    w_ = std::max(width, 0);
    h_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(w_) * static_cast<std::size_t>(h_), BackColor);
    texts_.clear();
    Refresh();
}

void PictureBox::Cls()
{
    std::fill(pixels_.begin(), pixels_.end(), static_cast<Color>(BackColor));
    texts_.clear();
    CurrentX = 0;
    CurrentY = 0;
    Refresh();
}

void PictureBox::Line(int x1, int y1, int x2, int y2, Color c)
{
    // Bresenham; the end point is not drawn, as the toolkit's line does.
    int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    while (!(x1 == x2 && y1 == y2)) {
        PSet(x1, y1, c);
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void PictureBox::Print(std::string_view text)
{
    texts_.push_back({CurrentX, CurrentY, ForeColor, std::string(text)});
    CurrentX = 0;
    CurrentY += kCharHeight;
}

void PictureBox::Refresh()
{
    ++version_;
    propertyChanged(PropId::Picture);
}

}  // namespace ui
