#pragma once
// An image a control shows (a button's picture), and reading one from an icon file.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ui {

struct Image {
    int width = 0;
    int height = 0;
    // 0xAARRGGBB, row by row from the top.
    std::vector<std::uint32_t> pixels;

    bool empty() const { return width <= 0 || height <= 0; }
    std::uint32_t pixel(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
    friend bool operator==(const Image&, const Image&) = default;
};

// The first image of an icon file (uncompressed 24- or 32-bit bitmap with its
// transparency mask). Nothing when the file is missing or not such an icon.
std::optional<Image> LoadPicture(const std::string& path);

}  // namespace ui
