#pragma once

#include "imagelib/byte_reader.h"
#include "imagelib/status.h"

namespace imagelib {

// One TGA pixel or colour-map entry as blue, green, red and alpha.
struct TgaColour {
    std::uint8_t blue = 0, green = 0, red = 0, alpha = 255;
};

// Reads a 15/16-bit (5-5-5 plus attribute bit), 24-bit or 32-bit little-endian colour.
// The attribute bit or fourth byte counts as alpha only when `useAlpha` says so.
TgaColour ReadTgaColour(const std::uint8_t* p, unsigned bits, bool useAlpha);

// Hands out the pixels of a raw or run-length TGA image in file order; run-length
// packets may run on from one scan line into the next.
class TgaPixelStream {
public:
    TgaPixelStream(ByteReader& in, unsigned pixelBytes, bool runLength)
        : in_(in), pixelBytes_(pixelBytes), runLength_(runLength) {}

    // Points `pixel` at the next pixel's bytes; fails when the data ends first.
    Status Next(const std::uint8_t*& pixel);

private:
    ByteReader& in_;
    unsigned pixelBytes_;
    bool runLength_;
    std::uint32_t packetLeft_ = 0;
    bool inRun_ = false;
    const std::uint8_t* runPixel_ = nullptr;
};

}  // namespace imagelib
