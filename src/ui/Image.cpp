#include "ui/Image.h"

#include <fstream>
#include <iterator>

namespace ui {

namespace {

// Little-endian fields of the file, bounds-checked.
class Bytes {
public:
    explicit Bytes(std::string data) : data_(std::move(data)) {}
    std::size_t size() const { return data_.size(); }
    bool has(std::size_t at, std::size_t n) const { return at <= data_.size() && n <= data_.size() - at; }
    std::uint32_t u8(std::size_t at) const { return static_cast<unsigned char>(data_[at]); }
    std::uint32_t u16(std::size_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }

private:
    std::string data_;
};

constexpr std::size_t kDirSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr int kMaxSide = 256;

std::size_t rowBytes(int width, int bits) { return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4; }

}  // namespace

std::optional<Image> LoadPicture(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    const Bytes f(std::string(std::istreambuf_iterator<char>(in), {}));

    // Icon directory: reserved 0, type 1, at least one entry.
    if (!f.has(0, kDirSize + kEntrySize) || f.u16(0) != 0 || f.u16(2) != 1 || f.u16(4) == 0)
        return std::nullopt;
    const std::size_t offset = f.u32(kDirSize + 12);
    const std::size_t length = f.u32(kDirSize + 8);
    if (!f.has(offset, length) || length < kInfoHeaderSize || f.u32(offset) != kInfoHeaderSize)
        return std::nullopt;

    // The bitmap's height counts the colour rows and the mask rows.
    const auto width = static_cast<std::int32_t>(f.u32(offset + 4));
    const auto doubleHeight = static_cast<std::int32_t>(f.u32(offset + 8));
    const int bits = static_cast<int>(f.u16(offset + 14));
    const std::uint32_t compression = f.u32(offset + 16);
    const int height = doubleHeight / 2;
    if (width <= 0 || width > kMaxSide || height <= 0 || height > kMaxSide || compression != 0 ||
        (bits != 24 && bits != 32))
        return std::nullopt;

    const std::size_t colourStart = offset + kInfoHeaderSize;
    const std::size_t colourRow = rowBytes(width, bits);
    const std::size_t maskStart = colourStart + colourRow * static_cast<std::size_t>(height);
    const std::size_t maskRow = rowBytes(width, 1);
    if (!f.has(colourStart, colourRow * static_cast<std::size_t>(height) + maskRow * static_cast<std::size_t>(height)))
        return std::nullopt;

    Image img;
    img.width = width;
    img.height = height;
    img.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    // Rows are stored bottom up, pixels as blue, green, red (and alpha).
    for (int y = 0; y < height; ++y) {
        const std::size_t row = colourStart + colourRow * static_cast<std::size_t>(height - 1 - y);
        const std::size_t mask = maskStart + maskRow * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::size_t p = row + static_cast<std::size_t>(x) * static_cast<std::size_t>(bits / 8);
            const bool transparent = (f.u8(mask + static_cast<std::size_t>(x / 8)) >> (7 - x % 8)) & 1;
            std::uint32_t alpha = bits == 32 ? f.u8(p + 3) : 0xFF;
            if (transparent)
                alpha = 0;
            img.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
                alpha << 24 | f.u8(p + 2) << 16 | f.u8(p + 1) << 8 | f.u8(p);
        }
    }
    return img;
}

}  // namespace ui
