#pragma once

#include "imagelib/heap_block.h"

#include <cstdint>
#include <optional>

// The shape of a picture whose header and pixel block agree with each other.
struct DibLayout {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t tableEntries = 0;  // colour-table entries after the info header
    std::uint32_t stride = 0;        // bytes of one padded row

    // Start of row `y` counted from the top; rows are stored bottom row first.
    const std::uint8_t* RowFromTop(const imagelib::HeapBlock& bits, std::uint32_t y) const {
        return bits.data() + static_cast<std::size_t>(height - 1u - y) * stride;
    }
};

// Empty when a block is missing, a side is 0 or does not fit 16 bits, the depth has no
// row size, the colour table is invalid, or a block is shorter than the header says.
// Every operation that reads pixels goes through this, so a damaged header cannot make
// it read outside its blocks.
std::optional<DibLayout> ReadDibLayout(const imagelib::HeapBlock& header, const imagelib::HeapBlock& bits);
