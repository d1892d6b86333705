#pragma once

#include "imagelib/dib.h"
#include "imagelib/heap_block.h"

#include <cstddef>
#include <cstdint>

// Little-endian fields of the 40-byte bitmap information header at the start of a
// picture's header block. Callers check the block is at least kInfoHeaderBytes long.
namespace dibheader {

inline constexpr std::size_t kInfoHeaderBytes = imagelib::kInfoHeaderSize;
inline constexpr std::size_t kSizeField = 0;
inline constexpr std::size_t kWidthField = 4;
inline constexpr std::size_t kHeightField = 8;
inline constexpr std::size_t kPlanesField = 12;
inline constexpr std::size_t kBitCountField = 14;
inline constexpr std::size_t kCompressionField = 16;
inline constexpr std::size_t kImageSizeField = 20;
inline constexpr std::size_t kXResolutionField = 24;
inline constexpr std::size_t kYResolutionField = 28;
inline constexpr std::size_t kColoursUsedField = 32;
inline constexpr std::size_t kColoursImportantField = 36;
// Compression value of plain, uncompressed rows.
inline constexpr std::uint32_t kPlainRgb = 0;

inline std::uint32_t Get32(const std::uint8_t* p, std::size_t at) {
    return static_cast<std::uint32_t>(p[at]) | static_cast<std::uint32_t>(p[at + 1]) << 8 |
           static_cast<std::uint32_t>(p[at + 2]) << 16 | static_cast<std::uint32_t>(p[at + 3]) << 24;
}
inline std::uint16_t Get16(const std::uint8_t* p, std::size_t at) {
    return static_cast<std::uint16_t>(p[at] | p[at + 1] << 8);
}
inline void Put32(std::uint8_t* p, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) p[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void Put16(std::uint8_t* p, std::size_t at, std::uint16_t v) {
    p[at] = static_cast<std::uint8_t>(v);
    p[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// Colour-table entry `i` (blue, green, red, reserved) of a header block.
inline const std::uint8_t* TableEntry(const imagelib::HeapBlock& header, std::size_t i) {
    return header.data() + kInfoHeaderBytes + 4 * i;
}

}  // namespace dibheader
