#pragma once

#include "imagelib/dib.h"

#include <cstddef>
#include <cstdint>

namespace imagelib {

// 8-bit RGB or RGBA pixels as a codec hands them over, top row first.
struct InterleavedRows {
    const std::uint8_t* data = nullptr;
    std::size_t stride = 0;
    std::uint32_t width = 0, height = 0;
    bool alpha = false;
    // Colours already multiplied by their alpha, which is what composing on black gives.
    bool premultiplied = false;
};

// Side of a picture decoded 2^reduction times smaller, rounded up as every scaled decode is.
inline std::uint32_t ReducedSide(std::uint32_t side, int reduction) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(side) + (1u << reduction) - 1) >> reduction);
}

// Makes the 24-bit picture of `rows` at `width` by `height`, no larger than the rows: alpha
// composed on black, each pixel the mean of the pixels it stands for.
Status RowsToDib(const InterleavedRows& rows, std::uint32_t width, std::uint32_t height, Dib& out);
// The same at 1/2^reduction of their size, each pixel the mean of a block of 2^reduction
// by 2^reduction (partial at the right and bottom edges).
Status RowsToDib(const InterleavedRows& rows, int reduction, Dib& out);

}  // namespace imagelib
