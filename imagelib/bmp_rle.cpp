#include "imagelib/bmp_rle.h"

#include <algorithm>

namespace imagelib {
namespace {

enum Escape : std::uint8_t { kEndOfLine = 0, kEndOfPicture = 1, kDelta = 2 };

class RleCanvas {
public:
    explicit RleCanvas(Dib& dib) : dib_(dib), width_(dib.Width()), height_(dib.Height()), stride_(dib.Stride()) {}

    bool Done() const { return y_ >= height_; }
    void Put(std::uint8_t index) {
        if (x_ >= width_) return;
        dib_.bits.data()[static_cast<std::size_t>(y_) * stride_ + x_] = index;
        ++x_;
    }
    void NextLine() {
        x_ = 0;
        ++y_;
    }
    void Move(std::uint8_t dx, std::uint8_t dy) {
        x_ = std::min(x_ + dx, width_);
        y_ += dy;
    }
    void End() { y_ = height_; }

private:
    Dib& dib_;
    std::uint32_t width_, height_, stride_;
    std::uint32_t x_ = 0, y_ = 0;  // y counts up from the bottom row
};

// Two pixels a byte in RLE4 (high nibble first), one in RLE8.
std::uint8_t PixelOf(std::uint8_t value, bool rle4, std::uint32_t i) {
    if (!rle4) return value;
    return static_cast<std::uint8_t>(i % 2 == 0 ? value >> 4 : value & 0x0F);
}

bool ReadLiteral(ByteReader& in, std::uint8_t count, bool rle4, RleCanvas& canvas) {
    const std::size_t bytes = rle4 ? (count + 1u) / 2u : count;
    ByteSpan run;
    if (!in.ReadBytes(bytes, run)) return false;
    for (std::uint32_t i = 0; i < count; ++i) canvas.Put(PixelOf(run[rle4 ? i / 2 : i], rle4, i));
    // Literal runs are padded to a 16-bit boundary.
    if (bytes % 2 == 1) in.Skip(1);
    return true;
}

}  // namespace

void DecodeBmpRle(ByteSpan data, bool rle4, Dib& dib) {
    ByteReader in(data);
    RleCanvas canvas(dib);
    std::uint8_t count = 0, value = 0;
    while (!canvas.Done() && in.ReadU8(count) && in.ReadU8(value)) {
        if (count > 0) {
            for (std::uint32_t i = 0; i < count; ++i) canvas.Put(PixelOf(value, rle4, i));
            continue;
        }
        switch (value) {
            case kEndOfLine: canvas.NextLine(); break;
            case kEndOfPicture: canvas.End(); break;
            case kDelta: {
                std::uint8_t dx = 0, dy = 0;
                if (!in.ReadU8(dx) || !in.ReadU8(dy)) return;
                canvas.Move(dx, dy);
                break;
            }
            default:
                if (!ReadLiteral(in, value, rle4, canvas)) return;
        }
    }
}

}  // namespace imagelib
