#include "imagelib/info_header.h"
#include "imagelib/orientation.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace imagelib {
namespace {

// How the stored picture maps onto the upright one: upright (x, y) shows stored
// (x', y') with x' and y' swapped when transposed, each then counted from the far side
// when mirrored.
struct Mapping {
    bool transpose, mirrorColumns, mirrorRows;
};

constexpr Mapping kMappings[9] = {
    {false, false, false}, {false, false, false}, {false, true, false}, {false, true, true}, {false, false, true},
    {true, false, false},  {true, false, true},   {true, true, true},   {true, true, false},
};

// One pixel of any depth: a palette index, or blue-green-red packed for 24 bits.
std::uint32_t GetPixel(const std::uint8_t* row, std::uint32_t x, std::uint16_t depth) {
    switch (depth) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1u;
    case 4: return (row[x / 2] >> (x % 2 ? 0 : 4)) & 15u;
    case 8: return row[x];
    default: {
        const std::uint8_t* p = row + 3 * static_cast<std::size_t>(x);
        return p[0] | static_cast<std::uint32_t>(p[1]) << 8 | static_cast<std::uint32_t>(p[2]) << 16;
    }
    }
}

void SetPixel(std::uint8_t* row, std::uint32_t x, std::uint16_t depth, std::uint32_t v) {
    switch (depth) {
    case 1: {
        const auto bit = static_cast<std::uint8_t>(0x80u >> (x % 8));
        row[x / 8] = static_cast<std::uint8_t>(v ? row[x / 8] | bit : row[x / 8] & ~bit);
        break;
    }
    case 4: {
        const unsigned shift = x % 2 ? 0 : 4;
        row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & ~(15u << shift)) | (v & 15u) << shift);
        break;
    }
    case 8: row[x] = static_cast<std::uint8_t>(v); break;
    default: {
        std::uint8_t* p = row + 3 * static_cast<std::size_t>(x);
        p[0] = static_cast<std::uint8_t>(v);
        p[1] = static_cast<std::uint8_t>(v >> 8);
        p[2] = static_cast<std::uint8_t>(v >> 16);
    }
    }
}

void MirrorColumns(Dib& dib) {
    const std::uint32_t width = dib.Width();
    const std::uint16_t depth = dib.BitsPerPixel();
    for (std::uint32_t y = 0; y < dib.Height(); ++y) {
        std::uint8_t* row = dib.RowFromTop(y);
        for (std::uint32_t x = 0, far = width - 1; x < far; ++x, --far) {
            const std::uint32_t left = GetPixel(row, x, depth);
            SetPixel(row, x, depth, GetPixel(row, far, depth));
            SetPixel(row, far, depth, left);
        }
    }
}

void MirrorRows(Dib& dib) {
    const std::uint32_t stride = dib.Stride();
    for (std::uint32_t y = 0, far = dib.Height() - 1; y < far; ++y, --far)
        std::swap_ranges(dib.RowFromTop(y), dib.RowFromTop(y) + stride, dib.RowFromTop(far));
}

Status Transpose(Dib& dib, const Mapping& m) {
    using namespace dibheader;
    const std::uint32_t width = dib.Width(), height = dib.Height();
    const std::uint16_t depth = dib.BitsPerPixel();
    Dib upright;
    IMAGELIB_TRY(AllocateDib(height, width, depth, dib.ColoursUsed(), upright));
    std::memcpy(upright.Palette(), dib.Palette(), 4u * static_cast<std::size_t>(dib.ColoursUsed()));
    Put32(upright.header.data(), kXResolutionField, Get32(dib.header.data(), kYResolutionField));
    Put32(upright.header.data(), kYResolutionField, Get32(dib.header.data(), kXResolutionField));
    // Upright row y is stored column y; its pixel x comes from stored row x.
    for (std::uint32_t y = 0; y < width; ++y) {
        std::uint8_t* out = upright.RowFromTop(y);
        const std::uint32_t column = m.mirrorColumns ? width - 1 - y : y;
        for (std::uint32_t x = 0; x < height; ++x) {
            const std::uint32_t row = m.mirrorRows ? height - 1 - x : x;
            SetPixel(out, x, depth, GetPixel(dib.RowFromTop(row), column, depth));
        }
    }
    dib = std::move(upright);
    return Status::Ok();
}

}  // namespace

Status MakeUpright(Dib& dib, int orientation) {
    if (orientation <= kStoredUpright || orientation > 8 || dib.header.empty() || dib.bits.empty())
        return Status::Ok();
    const Mapping& m = kMappings[orientation];
    if (m.transpose) return Transpose(dib, m);
    if (m.mirrorColumns) MirrorColumns(dib);
    if (m.mirrorRows) MirrorRows(dib);
    return Status::Ok();
}

}  // namespace imagelib
