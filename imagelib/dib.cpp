#include "imagelib/dib.h"

#include "imagelib/info_header.h"

#include <cstring>

namespace imagelib {
using namespace dibheader;

std::uint32_t Dib::Width() const { return header.empty() ? 0 : Get32(header.data(), kWidthField); }
std::uint32_t Dib::Height() const { return header.empty() ? 0 : Get32(header.data(), kHeightField); }
std::uint16_t Dib::BitsPerPixel() const {
    return header.empty() ? 0 : Get16(header.data(), kBitCountField);
}
std::uint32_t Dib::ColoursUsed() const { return header.empty() ? 0 : Get32(header.data(), kColoursUsedField); }
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

Status CheckDibSize(std::uint32_t width, std::uint32_t height, std::uint16_t bitsPerPixel, std::uint32_t colours) {
    if (width == 0 || height == 0) return Status::Error("Image has no pixels");
    if (width > kMaxSide || height > kMaxSide) return Status::Error("Image side exceeds 65535 pixels");
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24)
        return Status::Error("Unsupported picture depth");
    if (colours > 256 || (bitsPerPixel <= 8 && colours > (1u << bitsPerPixel)))
        return Status::Error("Colour table too long");
    const std::uint64_t stride = PaddedRowBytes(width, bitsPerPixel);
    if (stride == 0 || stride > kMaxPixelBytes / height) return Status::Error("Pixel block exceeds the limit");
    return Status::Ok();
}

Status AllocateDib(std::uint32_t width, std::uint32_t height, std::uint16_t bitsPerPixel,
                   std::uint32_t colours, Dib& out) {
    IMAGELIB_TRY(CheckDibSize(width, height, bitsPerPixel, colours));
    const std::uint64_t imageSize = PaddedRowBytes(width, bitsPerPixel) * height;

    Dib dib;
    dib.header = HeapBlock::Allocate(kInfoHeaderSize + 4u * colours);
    dib.bits = HeapBlock::Allocate(static_cast<std::size_t>(imageSize));
    if (dib.header.empty() || dib.bits.empty()) return Status::Error("Out of memory");
    std::uint8_t* h = dib.header.data();
    Put32(h, kSizeField, kInfoHeaderSize);
    Put32(h, kWidthField, width);
    Put32(h, kHeightField, height);
    Put16(h, kPlanesField, 1);
    Put16(h, kBitCountField, bitsPerPixel);
    Put32(h, kCompressionField, kPlainRgb);
    Put32(h, kImageSizeField, static_cast<std::uint32_t>(imageSize));
    Put32(h, kColoursUsedField, colours);
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
