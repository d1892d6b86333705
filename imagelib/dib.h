#pragma once

#include "imagelib/heap_block.h"
#include "imagelib/status.h"

#include <cstdint>

namespace imagelib {

// Size of the bitmap information header that starts every packed picture.
inline constexpr std::uint32_t kInfoHeaderSize = 40;
// Largest side a picture may have (the viewer's tools take 16-bit sizes).
inline constexpr std::uint32_t kMaxSide = 65535;
// Largest pixel block a decoder may ask for.
inline constexpr std::uint64_t kMaxPixelBytes = 1ull << 30;
// Largest block of rows a decoder may stage before composing them into the picture: four
// bytes a pixel of the largest 24-bit picture. Two limits' worth would let one staging
// block alone reach 2 GiB.
inline constexpr std::uint64_t kMaxStagingBytes = kMaxPixelBytes / 3 * 4;

struct RgbQuad {
    std::uint8_t blue = 0, green = 0, red = 0, reserved = 0;
};

// A decoded picture: the 40-byte info header with its colour table in one block,
// bottom-up rows padded to 4 bytes in the other. Depth 1, 4, 8 or 24.
class Dib {
public:
    HeapBlock header;
    HeapBlock bits;

    std::uint32_t Width() const;
    std::uint32_t Height() const;
    std::uint16_t BitsPerPixel() const;
    std::uint32_t ColoursUsed() const;
    std::uint32_t Stride() const;

    // Row `y` counted from the top of the picture, as most formats store them.
    std::uint8_t* RowFromTop(std::uint32_t y);
    // Colour-table entries that follow the info header.
    RgbQuad* Palette();
    const RgbQuad* Palette() const;
};

// Bytes of one row padded to 4, or 0 when the size does not fit 32 bits.
std::uint64_t PaddedRowBytes(std::uint32_t width, std::uint16_t bitsPerPixel);

// The checks AllocateDib makes, without allocating.
Status CheckDibSize(std::uint32_t width, std::uint32_t height, std::uint16_t bitsPerPixel, std::uint32_t colours);

// The one allocation function of the library: checks the size against the limits
// (overflow-checked in 64 bits) and makes zero-filled header and pixel blocks with the
// header filled in. `colours` is the colour-table length (0 for 24 bits, at most 256).
Status AllocateDib(std::uint32_t width, std::uint32_t height, std::uint16_t bitsPerPixel,
                   std::uint32_t colours, Dib& out);

}  // namespace imagelib
