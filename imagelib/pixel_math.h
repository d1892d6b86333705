#pragma once

#include <cstdint>

namespace imagelib {

// An n-bit sample (0..maxValue) stretched to 0..255, rounded to nearest. Values above
// maxValue (a malformed file) come out as 255.
inline std::uint8_t ScaleToByte(std::uint32_t value, std::uint32_t maxValue) {
    if (maxValue == 0 || value >= maxValue) return maxValue == 0 ? 0 : 255;
    return static_cast<std::uint8_t>((static_cast<std::uint64_t>(value) * 255 + maxValue / 2) / maxValue);
}

// A colour channel laid over the viewer's black background with 8-bit alpha.
inline std::uint8_t OverBlack(std::uint8_t channel, std::uint8_t alpha) {
    return static_cast<std::uint8_t>((channel * alpha + 127) / 255);
}

// Pixel `x` of a row of 1, 2, 4 or 8-bit indices, leftmost pixel in the high bits.
inline std::uint8_t PackedIndex(const std::uint8_t* row, std::uint32_t x, unsigned bits) {
    const unsigned perByte = 8 / bits;
    const unsigned shift = bits * (perByte - 1 - x % perByte);
    return static_cast<std::uint8_t>((row[x / perByte] >> shift) & ((1u << bits) - 1));
}

// Stores index `value` as pixel `x` of a 1, 4 or 8-bit row (the row starts zeroed).
inline void SetPackedIndex(std::uint8_t* row, std::uint32_t x, unsigned bits, std::uint8_t value) {
    const unsigned perByte = 8 / bits;
    const unsigned shift = bits * (perByte - 1 - x % perByte);
    const auto mask = static_cast<std::uint8_t>(((1u << bits) - 1) << shift);
    row[x / perByte] = static_cast<std::uint8_t>((row[x / perByte] & ~mask) | ((value << shift) & mask));
}

}  // namespace imagelib
