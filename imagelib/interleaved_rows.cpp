#include "imagelib/interleaved_rows.h"

#include "imagelib/pixel_math.h"

#include <algorithm>
#include <vector>

namespace imagelib {
namespace {

// The colour a pixel shows on the black background, red first.
inline void Shown(const InterleavedRows& rows, const std::uint8_t* p, unsigned rgb[3]) {
    const unsigned a = rows.alpha && !rows.premultiplied ? p[3] : 255;
    for (int c = 0; c < 3; ++c) rgb[c] = a == 255 ? p[c] : OverBlack(p[c], static_cast<std::uint8_t>(a));
}

void CopyRows(const InterleavedRows& rows, Dib& dib) {
    const std::size_t step = rows.alpha ? 4 : 3;
    for (std::uint32_t y = 0; y < rows.height; ++y) {
        const std::uint8_t* in = rows.data + y * rows.stride;
        std::uint8_t* out = dib.RowFromTop(y);
        for (std::uint32_t x = 0; x < rows.width; ++x, in += step, out += 3) {
            unsigned rgb[3];
            Shown(rows, in, rgb);
            out[0] = static_cast<std::uint8_t>(rgb[2]);
            out[1] = static_cast<std::uint8_t>(rgb[1]);
            out[2] = static_cast<std::uint8_t>(rgb[0]);
        }
    }
}

// Output pixel blockOf(x, y) averages the source pixels that fall in it: blocks of
// 2^reduction pixels for the power-of-two reductions, so stored pixel i stands for the same
// source pixels as in a scaled decode; x * width / rows.width for other sizes.
void AverageBlocks(const InterleavedRows& rows, int reduction, Dib& dib) {
    const std::size_t step = rows.alpha ? 4 : 3;
    const std::uint32_t width = dib.Width(), height = dib.Height();
    auto blockOf = [reduction](std::uint32_t i, std::uint32_t out, std::uint32_t in) {
        return reduction >= 0 ? i >> reduction : static_cast<std::uint32_t>(std::uint64_t{i} * out / in);
    };
    std::vector<std::uint32_t> column(rows.width), columns(width, 0);
    std::vector<std::uint64_t> sums(static_cast<std::size_t>(width) * 3);
    for (std::uint32_t x = 0; x < rows.width; ++x) {
        column[x] = blockOf(x, width, rows.width);
        ++columns[column[x]];
    }
    std::uint32_t y = 0;
    for (std::uint32_t oy = 0; oy < height; ++oy) {
        std::fill(sums.begin(), sums.end(), 0);
        std::uint32_t lines = 0;
        for (; y < rows.height && blockOf(y, height, rows.height) == oy; ++y, ++lines) {
            const std::uint8_t* in = rows.data + y * rows.stride;
            for (std::uint32_t x = 0; x < rows.width; ++x, in += step) {
                unsigned rgb[3];
                Shown(rows, in, rgb);
                std::uint64_t* sum = &sums[static_cast<std::size_t>(column[x]) * 3];
                sum[0] += rgb[0];
                sum[1] += rgb[1];
                sum[2] += rgb[2];
            }
        }
        std::uint8_t* out = dib.RowFromTop(oy);
        for (std::uint32_t ox = 0; ox < width; ++ox, out += 3) {
            const std::uint64_t count = static_cast<std::uint64_t>(columns[ox]) * lines;
            const std::uint64_t* sum = &sums[static_cast<std::size_t>(ox) * 3];
            out[0] = static_cast<std::uint8_t>((sum[2] + count / 2) / count);
            out[1] = static_cast<std::uint8_t>((sum[1] + count / 2) / count);
            out[2] = static_cast<std::uint8_t>((sum[0] + count / 2) / count);
        }
    }
}

Status MakeDib(const InterleavedRows& rows, std::uint32_t width, std::uint32_t height, int reduction, Dib& out) {
    if (!rows.data) return Status::Error("No decoded pixels");
    if (width > rows.width || height > rows.height) return Status::Error("Picture smaller than wanted");
    Dib dib;
    IMAGELIB_TRY(AllocateDib(width, height, 24, 0, dib));
    if (width == rows.width && height == rows.height) CopyRows(rows, dib);
    else AverageBlocks(rows, reduction, dib);
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace

Status RowsToDib(const InterleavedRows& rows, std::uint32_t width, std::uint32_t height, Dib& out) {
    return MakeDib(rows, width, height, -1, out);
}

Status RowsToDib(const InterleavedRows& rows, int reduction, Dib& out) {
    return MakeDib(rows, ReducedSide(rows.width, reduction), ReducedSide(rows.height, reduction), reduction, out);
}

}  // namespace imagelib
