#include "adutil/FastDrawing.h"

#include <algorithm>

#include "ui/Form.h"
#include "ui/Runtime.h"

namespace adutil {

long FastDrawing::GetImageStreamLength(const ui::PictureBox& picture) const
{
    return static_cast<long>(picture.bufferHeight()) * picture.bufferWidth() * 3;
}

void FastDrawing::encode(const ui::PictureBox& picture, std::uint8_t* out)
{
    const int w = picture.bufferWidth(), h = picture.bufferHeight();
    const std::size_t stride = static_cast<std::size_t>(LineStride(w));
    const auto& px = picture.pixels();
    for (int line = 0; line < h; ++line) {
        const vb::Color* row = px.data() + static_cast<std::size_t>(h - 1 - line) * static_cast<std::size_t>(w);
        std::uint8_t* o = out + stride * static_cast<std::size_t>(line);
        for (int x = 0; x < w; ++x) {
            const vb::Color c = row[x];
            *o++ = static_cast<std::uint8_t>(c & 0xFF);
            *o++ = static_cast<std::uint8_t>((c >> 8) & 0xFF);
            *o++ = static_cast<std::uint8_t>((c >> 16) & 0xFF);
        }
        std::fill(o, out + stride * static_cast<std::size_t>(line + 1), std::uint8_t{0});
    }
}

void FastDrawing::decode(ui::PictureBox& picture, const std::uint8_t* in, std::size_t size)
{
    const int w = picture.bufferWidth(), h = picture.bufferHeight();
    const std::size_t stride = static_cast<std::size_t>(LineStride(w));
    const int whole =
        stride == 0 ? 0 : static_cast<int>(std::min<std::size_t>(size / stride, static_cast<std::size_t>(h)));
    for (int line = 0; line < whole; ++line) {
        const std::uint8_t* i = in + stride * static_cast<std::size_t>(line);
        const int y = h - 1 - line;
        for (int x = 0; x < w; ++x, i += 3)
            picture.PSet(x, y, vb::RGB(i[2], i[1], i[0]));
    }
    picture.Refresh();
}

void FastDrawing::GetImageData(const ui::PictureBox& picture, ImageData& bytes) const
{
    bytes.width_ = picture.bufferWidth();
    bytes.lines_ = picture.bufferHeight() + 1;
    bytes.stride_ = LineStride(bytes.width_);
    bytes.bytes_.assign(static_cast<std::size_t>(bytes.stride_) * static_cast<std::size_t>(bytes.lines_), 0);
    encode(picture, bytes.bytes_.data());
}

void FastDrawing::SetImageData(ui::PictureBox& picture, const ImageData& bytes) const
{
    // Bytes taken from a picture of another width would land on the wrong pixels.
    if (bytes.width_ == picture.bufferWidth())
        decode(picture, bytes.bytes_.data(), bytes.bytes_.size());
    picture.rt().DoEvents();
}

void FastDrawing::GetImageDataStream(const ui::PictureBox& picture, std::vector<std::uint8_t>& bytes) const
{
    const std::size_t padded =
        static_cast<std::size_t>(LineStride(picture.bufferWidth())) * static_cast<std::size_t>(picture.bufferHeight());
    bytes.assign(std::max(padded, static_cast<std::size_t>(GetImageStreamLength(picture)) + 1), 0);
    encode(picture, bytes.data());
}

void FastDrawing::SetImageDataStream(ui::PictureBox& picture, const std::vector<std::uint8_t>& bytes) const
{
    decode(picture, bytes.data(), bytes.size());
    picture.rt().DoEvents();
}

}  // namespace adutil
