#pragma once
// Picture box: a pixel buffer the forms draw into, plus printed text.
// Refresh() marks it for repainting; the view coalesces repaints.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class PictureBox : public Control {
public:
    PictureBox(Form& f, std::string name, int index = -1);

    // Character cell of the fixed font the views draw printed text with.
    static constexpr int kCharWidth = 7;
    static constexpr int kCharHeight = 13;
    // What Point gives outside the picture: -1 as a Color.
    static constexpr Color kInvalidPixel = 0xFFFFFFFFu;

    // Sizes the pixel buffer to the control (call after move()) and clears it.
    void resizeBuffer(int width, int height);
    int bufferWidth() const { return w_; }
    int bufferHeight() const { return h_; }
    const std::vector<Color>& pixels() const { return pixels_; }
    // For a writer that sets runs of pixels itself: (x, y) lies at x + width * y.
    // Refresh() shows what it wrote.
    Color* pixelData() { return pixels_.data(); }

    void Cls();  // BackColor everywhere, text gone, CurrentX/Y 0
    // Inline: the scope's trace sets thousands of pixels per sample.
    void PSet(int x, int y, Color c)
    {
        if (x >= 0 && y >= 0 && x < w_ && y < h_)
            pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(w_) + static_cast<std::size_t>(x)] = c;
    }
    // kInvalidPixel outside the picture.
    Color Point(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= w_ || y >= h_)
            return kInvalidPixel;
        return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(w_) + static_cast<std::size_t>(x)];
    }
    void Line(int x1, int y1, int x2, int y2, Color c);
    void Print(std::string_view text);  // at CurrentX/CurrentY, then next line
    int TextWidth(std::string_view text) const { return static_cast<int>(text.size()) * kCharWidth; }
    int TextHeight(std::string_view = {}) const { return kCharHeight; }
    int CurrentX = 0, CurrentY = 0;

    struct TextItem {
        int x, y;
        Color color;
        std::string text;
    };
    const std::vector<TextItem>& texts() const { return texts_; }

    void Refresh();
    unsigned long long version() const { return version_; }

private:
    int w_ = 0, h_ = 0;
    std::vector<Color> pixels_;
    std::vector<TextItem> texts_;
    unsigned long long version_ = 0;
};

}  // namespace ui
