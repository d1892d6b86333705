#include "imagelib/bmp_rle.h"

#include <algorithm>
#include <cstring>

namespace imagelib {
namespace {

enum Escape : std::uint8_t { kEndOfLine = 0, kEndOfPicture = 1, kDelta = 2 };

class RleCanvas {
public:
    RleCanvas(Dib& dib, unsigned pixelBytes)
        : dib_(dib), width_(dib.Width()), height_(dib.Height()), stride_(dib.Stride()), pixelBytes_(pixelBytes) {}

    bool Done() const { return y_ >= height_; }
    // One index byte, or three colour bytes (blue, green, red).
    void Put(const std::uint8_t* pixel) {
        if (x_ >= width_) return;
        std::memcpy(dib_.bits.data() + static_cast<std::size_t>(y_) * stride_ + std::size_t{x_} * pixelBytes_, pixel,
                    pixelBytes_);
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
    unsigned pixelBytes_;
    std::uint32_t x_ = 0, y_ = 0;  // y counts up from the bottom row
};

// Paints `count` pixels taken from `bytes`: two a byte in RLE4 (high nibble first), one
// in RLE8, three bytes each in RLE24. A run repeats one pixel (`repeat`).
void Paint(RleCanvas& canvas, BmpRunLength kind, const std::uint8_t* bytes, std::uint32_t count, bool repeat) {
    for (std::uint32_t i = 0; i < count; ++i) {
        if (kind == BmpRunLength::kTwentyFourBit) {
            canvas.Put(bytes + (repeat ? 0 : 3 * i));
            continue;
        }
        std::uint8_t index = repeat ? bytes[0] : kind == BmpRunLength::kEightBit ? bytes[i] : bytes[i / 2];
        if (kind == BmpRunLength::kFourBit) index = static_cast<std::uint8_t>(i % 2 == 0 ? index >> 4 : index & 0x0F);
        canvas.Put(&index);
    }
}

std::size_t PixelBytes(BmpRunLength kind, std::uint32_t count) {
    switch (kind) {
        case BmpRunLength::kFourBit: return (count + 1) / 2;
        case BmpRunLength::kEightBit: return count;
        case BmpRunLength::kTwentyFourBit: return 3 * std::size_t{count};
    }
    return count;
}

}  // namespace

void DecodeBmpRle(ByteSpan data, BmpRunLength kind, Dib& dib) {
    ByteReader in(data);
    RleCanvas canvas(dib, kind == BmpRunLength::kTwentyFourBit ? 3 : 1);
    std::uint8_t count = 0, code = 0;
    ByteSpan bytes;
    while (!canvas.Done() && in.ReadU8(count)) {
        if (count > 0) {
            if (!in.ReadBytes(kind == BmpRunLength::kTwentyFourBit ? 3 : 1, bytes)) return;
            Paint(canvas, kind, bytes.data(), count, true);
            continue;
        }
        if (!in.ReadU8(code)) return;
        switch (code) {
            case kEndOfLine: canvas.NextLine(); break;
            case kEndOfPicture: canvas.End(); break;
            case kDelta: {
                std::uint8_t dx = 0, dy = 0;
                if (!in.ReadU8(dx) || !in.ReadU8(dy)) return;
                canvas.Move(dx, dy);
                break;
            }
            default: {
                // A literal run of `code` pixels, padded to a 16-bit boundary.
                const std::size_t size = PixelBytes(kind, code);
                if (!in.ReadBytes(size, bytes)) return;
                Paint(canvas, kind, bytes.data(), code, false);
                if (size % 2 == 1) in.Skip(1);
            }
        }
    }
}

}  // namespace imagelib
