#pragma once

#include "imagelib/pixel_math.h"

#include <bit>
#include <cstdint>

namespace imagelib {

// One colour channel of a 16 or 32-bit BMP pixel, given by its mask; the channel's
// n bits are stretched to 8 so that all-ones is 255 whatever n is.
class BitField {
public:
    explicit BitField(std::uint32_t mask)
        : mask_(mask), shift_(mask ? static_cast<unsigned>(std::countr_zero(mask)) : 0),
          max_(mask ? (mask >> shift_) : 0) {}

    bool Present() const { return mask_ != 0; }
    std::uint8_t Extract(std::uint32_t pixel) const { return ScaleToByte((pixel & mask_) >> shift_, max_); }

private:
    std::uint32_t mask_;
    unsigned shift_;
    std::uint32_t max_;
};

}  // namespace imagelib
