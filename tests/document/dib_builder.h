#pragma once

#include "imagelib/info_header.h"
#include "viewer/document/dib_image.h"
#include "viewer/document/rgb_colour.h"

#include <cstdint>
#include <vector>

namespace testsupport {

// Hand-made pictures for the picture-tool tests: a 40-byte header with the given table and
// zero-filled rows of the padded size (depths without a row size get `fallbackStride`).
inline DibImage MakeDib(std::uint32_t width, std::uint32_t height, std::uint16_t bitsPerPixel,
                        const std::vector<RgbColour>& table = {}, std::uint32_t coloursUsed = 0,
                        std::uint32_t fallbackStride = 4) {
    using namespace dibheader;
    const std::uint64_t bitsPerRow = static_cast<std::uint64_t>(width) * bitsPerPixel;
    std::uint32_t stride = static_cast<std::uint32_t>((bitsPerRow + 31) / 32 * 4);
    if (stride == 0) stride = fallbackStride;
    DibImage dib;
    dib.header = imagelib::HeapBlock::Allocate(kInfoHeaderBytes + 4 * table.size());
    dib.bits = imagelib::HeapBlock::Allocate(static_cast<std::size_t>(stride) * height);
    std::uint8_t* h = dib.header.data();
    Put32(h, kSizeField, kInfoHeaderBytes);
    Put32(h, kWidthField, width);
    Put32(h, kHeightField, height);
    Put16(h, kPlanesField, 1);
    Put16(h, kBitCountField, bitsPerPixel);
    Put32(h, kImageSizeField, stride * height);
    Put32(h, kColoursUsedField, coloursUsed);
    for (std::size_t i = 0; i < table.size(); ++i) {
        std::uint8_t* quad = h + kInfoHeaderBytes + 4 * i;
        quad[0] = table[i].blue;
        quad[1] = table[i].green;
        quad[2] = table[i].red;
    }
    return dib;
}

inline std::uint32_t HeaderField(const DibImage& dib, std::size_t field) {
    return dibheader::Get32(dib.header.data(), field);
}

inline std::uint16_t Depth(const DibImage& dib) { return dibheader::Get16(dib.header.data(), dibheader::kBitCountField); }

// Row `y` in storage order (0 is the bottom row).
inline std::uint8_t* StoredRow(DibImage& dib, std::uint32_t y) {
    return dib.bits.data() + static_cast<std::size_t>(y) * (dib.bits.size() / HeaderField(dib, dibheader::kHeightField));
}

inline RgbColour TableColour(const DibImage& dib, std::size_t i) {
    const std::uint8_t* quad = dibheader::TableEntry(dib.header, i);
    return {quad[2], quad[1], quad[0]};
}

}  // namespace testsupport
