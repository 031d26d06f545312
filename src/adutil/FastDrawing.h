#pragma once
// Bulk access to a picture's image as a 24-bit device-independent bitmap:
// three bytes per pixel in the order blue, green, red, lines bottom-up (line 0
// is the picture's bottom row), each line padded with fill bytes to a
// multiple of 4. The grid of the scope is drawn through it.
#include <cstdint>
#include <vector>

#include "ui/PictureBox.h"

namespace adutil {

class FastDrawing {
public:
    // The image as bytes indexed (colour, column, line): colour 0 blue, 1
    // green, 2 red; lines 0 to the picture's height, one more than the picture
    // has, so a caller looping 0 to GetImageHeight stays inside. Element
    // (c, x, l) is byte c + 3 x + stride l of the bitmap.
    class ImageData {
    public:
        std::uint8_t& operator()(int colour, int x, int line) { return bytes_[offset(colour, x, line)]; }
        std::uint8_t operator()(int colour, int x, int line) const { return bytes_[offset(colour, x, line)]; }
        int width() const { return width_; }
        int lines() const { return lines_; }
        int stride() const { return stride_; }
        const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    private:
        friend class FastDrawing;
        std::size_t offset(int colour, int x, int line) const
        {
            return static_cast<std::size_t>(colour) + 3 * static_cast<std::size_t>(x) +
                static_cast<std::size_t>(stride_) * static_cast<std::size_t>(line);
        }
        int width_ = 0, lines_ = 0, stride_ = 0;
        std::vector<std::uint8_t> bytes_;
    };

    // Bytes of one bitmap line of a picture this wide, fill bytes included.
    static int LineStride(int width) { return (3 * width + 3) / 4 * 4; }

    // The last column index (width - 1).
    int GetImageWidth(const ui::PictureBox& picture) const { return picture.bufferWidth() - 1; }
    // The line count.
    int GetImageHeight(const ui::PictureBox& picture) const { return picture.bufferHeight(); }
    // Height x width x 3: the bitmap's size when its lines need no fill bytes.
    long GetImageStreamLength(const ui::PictureBox& picture) const;

    void GetImageData(const ui::PictureBox& picture, ImageData& bytes) const;
    // Writes the bitmap into the picture, repaints it and lets pending events run.
    void SetImageData(ui::PictureBox& picture, const ImageData& bytes) const;
    // The same as one flat array: the bitmap's padded lines, at least
    // GetImageStreamLength + 1 bytes.
    void GetImageDataStream(const ui::PictureBox& picture, std::vector<std::uint8_t>& bytes) const;
    void SetImageDataStream(ui::PictureBox& picture, const std::vector<std::uint8_t>& bytes) const;

private:
    static void encode(const ui::PictureBox& picture, std::uint8_t* out);
    // Decodes the lines the buffer holds in full; a short buffer leaves the rest of the picture as it is.
    static void decode(ui::PictureBox& picture, const std::uint8_t* in, std::size_t size);
};

}  // namespace adutil
