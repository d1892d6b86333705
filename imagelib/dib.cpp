#include "imagelib/dib.h"

#include <cstring>

namespace imagelib {
namespace {

std::uint32_t Get32(const HeapBlock& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | b.data()[at + static_cast<std::size_t>(i)];
    return v;
}

void Put32(HeapBlock& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.data()[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

void Put16(HeapBlock& b, std::size_t at, std::uint16_t v) {
    b.data()[at] = static_cast<std::uint8_t>(v);
    b.data()[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace

std::uint32_t Dib::Width() const { return header.empty() ? 0 : Get32(header, 4); }
std::uint32_t Dib::Height() const { return header.empty() ? 0 : Get32(header, 8); }
std::uint16_t Dib::BitsPerPixel() const {
    return header.empty() ? 0 : static_cast<std::uint16_t>(header.data()[14] | (header.data()[15] << 8));
}
std::uint32_t Dib::ColoursUsed() const { return header.empty() ? 0 : Get32(header, 32); }
std::uint32_t Dib::Stride() const { return static_cast<std::uint32_t>(PaddedRowBytes(Width(), BitsPerPixel())); }

std::uint8_t* Dib::RowFromTop(std::uint32_t y) {
    return bits.data() + static_cast<std::size_t>(Height() - 1 - y) * Stride();
}

RgbQuad* Dib::Palette() { return reinterpret_cast<RgbQuad*>(header.data() + kInfoHeaderSize); }
const RgbQuad* Dib::Palette() const { return reinterpret_cast<const RgbQuad*>(header.data() + kInfoHeaderSize); }

std::uint64_t PaddedRowBytes(std::uint32_t width, std::uint16_t bitsPerPixel) {
    const std::uint64_t bits = static_cast<std::uint64_t>(width) * bitsPerPixel;
    const std::uint64_t bytes = ((bits + 31) / 32) * 4;
    return bytes > 0xFFFFFFFFull ? 0 : bytes;
}

Status AllocateDib(std::uint32_t width, std::uint32_t height, std::uint16_t bitsPerPixel,
                   std::uint32_t colours, Dib& out) {
    if (width == 0 || height == 0) return Status::Error("Image has no pixels");
    if (width > kMaxSide || height > kMaxSide) return Status::Error("Image side exceeds 65535 pixels");
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24)
        return Status::Error("Unsupported picture depth");
    if (colours > 256 || (bitsPerPixel <= 8 && colours > (1u << bitsPerPixel)))
        return Status::Error("Colour table too long");
    const std::uint64_t stride = PaddedRowBytes(width, bitsPerPixel);
    if (stride == 0 || stride > kMaxPixelBytes / height) return Status::Error("Pixel block exceeds the limit");
    const std::uint64_t imageSize = stride * height;

    Dib dib;
    dib.header = HeapBlock::Allocate(kInfoHeaderSize + 4u * colours);
    dib.bits = HeapBlock::Allocate(static_cast<std::size_t>(imageSize));
    if (dib.header.empty() || dib.bits.empty()) return Status::Error("Out of memory");
    Put32(dib.header, 0, kInfoHeaderSize);
    Put32(dib.header, 4, width);
    Put32(dib.header, 8, height);
    Put16(dib.header, 12, 1);
    Put16(dib.header, 14, bitsPerPixel);
    Put32(dib.header, 16, 0);  // plain RGB
    Put32(dib.header, 20, static_cast<std::uint32_t>(imageSize));
    Put32(dib.header, 32, colours);
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
