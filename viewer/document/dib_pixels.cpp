#include "viewer/document/dib_pixels.h"

#include "imagelib/info_header.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

std::uint32_t Pack(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return kOpaque | static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue;
}

}  // namespace

void ReadRowRgb(const DibLayout& layout, const DibImage& image, std::uint32_t y, std::span<std::uint32_t> out) {
    const std::uint8_t* row = layout.RowFromTop(image.bits, y);
    const std::uint32_t depth = layout.bitsPerPixel;
    const std::size_t width = std::min<std::size_t>(layout.width, out.size());
    if (depth >= 24) {
        const std::size_t step = depth / 8;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint8_t* p = row + x * step;
            out[x] = Pack(p[2], p[1], p[0]);
        }
        return;
    }
    const std::uint32_t perByte = 8 / depth;
    const std::uint32_t mask = (1u << depth) - 1;
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint32_t shift = depth * (perByte - 1 - static_cast<std::uint32_t>(x % perByte));
        const std::uint32_t index = (row[x / perByte] >> shift) & mask;
        if (index >= layout.tableEntries) {
            out[x] = Pack(0, 0, 0);
            continue;
        }
        const std::uint8_t* quad = dibheader::TableEntry(image.header, index);
        out[x] = Pack(quad[2], quad[1], quad[0]);
    }
}

void MakeKeyTransparent(std::span<std::uint32_t> pixels, RgbColour key) {
    const std::uint32_t keyRgb = Pack(key.red, key.green, key.blue) & 0xFFFFFFu;
    for (std::uint32_t& p : pixels) {
        const std::uint32_t rgb = p & 0xFFFFFFu;
        p = rgb == keyRgb ? 0u : (kOpaque | rgb);
    }
}
