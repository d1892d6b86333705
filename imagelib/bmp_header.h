#pragma once

#include "imagelib/byte_reader.h"
#include "imagelib/status.h"

#include <array>

namespace imagelib {

enum BmpCompression : std::uint32_t {
    kBmpRgb = 0,
    kBmpRle8 = 1,
    kBmpRle4 = 2,
    kBmpBitFields = 3,
    kBmpJpeg = 4,
    kBmpPng = 5,
    kBmpAlphaBitFields = 6,
    // OS/2 headers give 4 this meaning; kept apart from the embedded JPEG's 4.
    kBmpOs2Rle24 = 0x104,
};

// What the file and information headers of a BMP file say, checked for consistency.
struct BmpHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool topDown = false;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = kBmpRgb;
    // Red, green, blue and alpha masks for 16 and 32-bit pixels (alpha 0 = opaque).
    std::array<std::uint32_t, 4> masks{};
    std::size_t paletteOffset = 0;
    std::uint32_t paletteEntries = 0;
    unsigned paletteEntryBytes = 4;
    std::size_t bitsOffset = 0;
};

Status ReadBmpHeader(ByteSpan file, BmpHeader& out);

}  // namespace imagelib
