#include "imagelib/info_header.h"
#include "imagelib/orientation.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
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

// One pixel of any depth: a palette index, or blue-green-red packed for 24 bits. The
// depth is a template argument so the pixel loops compile to plain moves.
template <std::uint16_t depth>
std::uint32_t GetPixel(const std::uint8_t* row, std::uint32_t x) {
    if constexpr (depth == 1) return (row[x / 8] >> (7 - x % 8)) & 1u;
    else if constexpr (depth == 4) return (row[x / 2] >> (x % 2 ? 0 : 4)) & 15u;
    else if constexpr (depth == 8) return row[x];
    else {
        const std::uint8_t* p = row + 3 * static_cast<std::size_t>(x);
        return p[0] | static_cast<std::uint32_t>(p[1]) << 8 | static_cast<std::uint32_t>(p[2]) << 16;
    }
}

template <std::uint16_t depth>
void SetPixel(std::uint8_t* row, std::uint32_t x, std::uint32_t v) {
    if constexpr (depth == 1) {
        const auto bit = static_cast<std::uint8_t>(0x80u >> (x % 8));
        row[x / 8] = static_cast<std::uint8_t>(v ? row[x / 8] | bit : row[x / 8] & ~bit);
    } else if constexpr (depth == 4) {
        const unsigned shift = x % 2 ? 0 : 4;
        row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & ~(15u << shift)) | (v & 15u) << shift);
    } else if constexpr (depth == 8) {
        row[x] = static_cast<std::uint8_t>(v);
    } else {
        std::uint8_t* p = row + 3 * static_cast<std::size_t>(x);
        p[0] = static_cast<std::uint8_t>(v);
        p[1] = static_cast<std::uint8_t>(v >> 8);
        p[2] = static_cast<std::uint8_t>(v >> 16);
    }
}

// Calls `work` with the picture's depth as a compile-time constant.
template <typename Work>
void WithDepth(std::uint16_t depth, Work&& work) {
    switch (depth) {
    case 1: work(std::integral_constant<std::uint16_t, 1>()); break;
    case 4: work(std::integral_constant<std::uint16_t, 4>()); break;
    case 8: work(std::integral_constant<std::uint16_t, 8>()); break;
    default: work(std::integral_constant<std::uint16_t, 24>()); break;
    }
}

void MirrorColumns(Dib& dib, std::uint32_t rows) {
    const std::uint32_t width = dib.Width();
    WithDepth(dib.BitsPerPixel(), [&](auto depth) {
        for (std::uint32_t y = 0; y < rows; ++y) {
            std::uint8_t* row = dib.RowFromTop(y);
            for (std::uint32_t x = 0, far = width - 1; x < far; ++x, --far) {
                const std::uint32_t left = GetPixel<depth>(row, x);
                SetPixel<depth>(row, x, GetPixel<depth>(row, far));
                SetPixel<depth>(row, far, left);
            }
        }
    });
}

// A pair of rows both past the decoded ones is zero on both sides: nothing to swap.
void MirrorRows(Dib& dib, std::uint32_t rows) {
    const std::uint32_t stride = dib.Stride();
    for (std::uint32_t y = 0, far = dib.Height() - 1; y < far && y < rows; ++y, --far)
        std::swap_ranges(dib.RowFromTop(y), dib.RowFromTop(y) + stride, dib.RowFromTop(far));
}

// The upright picture starts zeroed, so stored rows past the decoded ones need no copy.
Status Transpose(Dib& dib, const Mapping& m, std::uint32_t rows) {
    using namespace dibheader;
    const std::uint32_t width = dib.Width(), height = dib.Height();
    const std::uint16_t depth = dib.BitsPerPixel();
    Dib upright;
    IMAGELIB_TRY(AllocateDib(height, width, depth, dib.ColoursUsed(), upright));
    std::memcpy(upright.Palette(), dib.Palette(), 4u * static_cast<std::size_t>(dib.ColoursUsed()));
    Put32(upright.header.data(), kXResolutionField, Get32(dib.header.data(), kYResolutionField));
    Put32(upright.header.data(), kYResolutionField, Get32(dib.header.data(), kXResolutionField));
    // Upright row y is stored column y; its pixel x comes from stored row x. Bands of
    // upright rows keep the stored rows they read in the cache.
    constexpr std::uint32_t kBand = 16;
    WithDepth(depth, [&](auto d) {
        for (std::uint32_t top = 0; top < width; top += kBand) {
            const std::uint32_t bottom = std::min(width, top + kBand);
            for (std::uint32_t stored = 0; stored < rows; ++stored) {
                const std::uint32_t x = m.mirrorRows ? height - 1 - stored : stored;
                const std::uint8_t* in = dib.RowFromTop(stored);
                for (std::uint32_t y = top; y < bottom; ++y)
                    SetPixel<d>(upright.RowFromTop(y), x, GetPixel<d>(in, m.mirrorColumns ? width - 1 - y : y));
            }
        }
    });
    dib = std::move(upright);
    return Status::Ok();
}

}  // namespace

Status MakeUpright(Dib& dib, int orientation, std::uint32_t decodedRows) {
    if (orientation <= kStoredUpright || orientation > 8 || dib.header.empty() || dib.bits.empty())
        return Status::Ok();
    const Mapping& m = kMappings[orientation];
    const std::uint32_t rows = std::min(decodedRows, dib.Height());
    if (m.transpose) return Transpose(dib, m, rows);
    if (m.mirrorColumns) MirrorColumns(dib, rows);
    if (m.mirrorRows) MirrorRows(dib, rows);
    return Status::Ok();
}

}  // namespace imagelib
