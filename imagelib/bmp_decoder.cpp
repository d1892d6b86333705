// Windows and OS/2 bitmaps: 1-32 bits, RLE4/RLE8 and bit-field pixels, either row order,
// or a whole embedded JPEG or PNG file.
#include "imagelib/bmp_bitfields.h"
#include "imagelib/bmp_header.h"
#include "imagelib/bmp_rle.h"
#include "imagelib/decoders.h"
#include "imagelib/dib_palette.h"

#include <algorithm>
#include <cstring>

namespace imagelib {
namespace {

// Palette pictures keep their indices (2 bits become 4); the others become 24-bit.
// (Run-length pictures are 8-bit, so that skipped pixels can be given a black entry.)
std::uint16_t OutputDepth(const BmpHeader& h) {
    if (h.bitsPerPixel == 2) return 4;
    return h.bitsPerPixel <= 8 ? h.bitsPerPixel : 24;
}

// Entries the file does not give stay black, so out-of-range indices show black.
void CopyPalette(ByteSpan file, const BmpHeader& h, Dib& dib) {
    const std::uint8_t* p = file.data() + h.paletteOffset;
    for (std::uint32_t i = 0; i < h.paletteEntries; ++i, p += h.paletteEntryBytes)
        SetPaletteEntry(dib, i, p[2], p[1], p[0]);
}

// The index that shows black: an existing black entry, else the first unused one, else
// (a full table without black) the darkest entry.
std::uint8_t BlackIndex(const Dib& dib, std::uint32_t usedEntries) {
    const RgbQuad* table = dib.Palette();
    unsigned darkest = 0, darkestSum = 766;
    for (std::uint32_t i = 0; i < usedEntries; ++i) {
        const unsigned sum = table[i].red + table[i].green + table[i].blue;
        if (sum < darkestSum) darkest = i, darkestSum = sum;
    }
    if (darkestSum == 0 || usedEntries >= 256) return static_cast<std::uint8_t>(darkest);
    return static_cast<std::uint8_t>(usedEntries);
}

void StoreMaskedRow(const BmpHeader& h, const std::uint8_t* src, std::uint8_t* dst) {
    const BitField red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alpha(h.masks[3]);
    const unsigned bytes = h.bitsPerPixel / 8;
    for (std::uint32_t x = 0; x < h.width; ++x, src += bytes) {
        std::uint32_t px = src[0] | (src[1] << 8);
        if (bytes == 4) px |= (src[2] << 16) | (static_cast<std::uint32_t>(src[3]) << 24);
        const std::uint8_t a = alpha.Present() ? alpha.Extract(px) : 255;
        dst[3 * x] = OverBlack(blue.Extract(px), a);
        dst[3 * x + 1] = OverBlack(green.Extract(px), a);
        dst[3 * x + 2] = OverBlack(red.Extract(px), a);
    }
}

void StoreRow(const BmpHeader& h, const std::uint8_t* src, std::uint8_t* dst) {
    switch (h.bitsPerPixel) {
        case 2:
            for (std::uint32_t x = 0; x < h.width; ++x) SetPackedIndex(dst, x, 4, PackedIndex(src, x, 2));
            break;
        case 16:
        case 32: StoreMaskedRow(h, src, dst); break;
        default: std::memcpy(dst, src, (static_cast<std::size_t>(h.width) * h.bitsPerPixel + 7) / 8);
    }
}

Status DecodeRows(ByteSpan file, const BmpHeader& h, Dib& dib) {
    const std::uint64_t rowBits = static_cast<std::uint64_t>(h.width) * h.bitsPerPixel;
    const std::uint64_t stride = (rowBits + 31) / 32 * 4;
    // The last row may lack its padding; anything shorter is a truncated file.
    const std::uint64_t needed = stride * (h.height - 1) + (rowBits + 7) / 8;
    if (needed > file.size() - h.bitsOffset) return Status::Error("BMP pixel data truncated");
    IMAGELIB_TRY(AllocateDib(h.width, h.height, OutputDepth(h), h.bitsPerPixel <= 8 ? 1u << OutputDepth(h) : 0, dib));
    if (h.bitsPerPixel <= 8) CopyPalette(file, h, dib);
    const std::uint8_t* src = file.data() + h.bitsOffset;
    for (std::uint32_t y = 0; y < h.height; ++y, src += stride) {
        // Rows are stored bottom-up unless the height was negative.
        std::uint8_t* dst = h.topDown ? dib.RowFromTop(y) : dib.RowFromTop(h.height - 1 - y);
        StoreRow(h, src, dst);
    }
    return Status::Ok();
}

bool IsRunLength(const BmpHeader& h) {
    return h.compression == kBmpRle4 || h.compression == kBmpRle8 || h.compression == kBmpOs2Rle24;
}

Status DecodeRunLength(ByteSpan file, const BmpHeader& h, Dib& dib) {
    const ByteSpan data = file.subspan(h.bitsOffset);
    if (h.compression == kBmpOs2Rle24) {
        // Zero-filled 24-bit rows are black already.
        IMAGELIB_TRY(AllocateDib(h.width, h.height, 24, 0, dib));
        DecodeBmpRle(data, BmpRunLength::kTwentyFourBit, dib);
        return Status::Ok();
    }
    IMAGELIB_TRY(AllocateDib(h.width, h.height, 8, 256, dib));
    CopyPalette(file, h, dib);
    const std::uint8_t black = BlackIndex(dib, h.paletteEntries);
    if (black != 0) std::memset(dib.bits.data(), black, dib.bits.size());
    DecodeBmpRle(data, h.compression == kBmpRle4 ? BmpRunLength::kFourBit : BmpRunLength::kEightBit, dib);
    return Status::Ok();
}

}  // namespace

Status DecodeBmp(ByteSpan file, Dib& out) {
    BmpHeader h;
    IMAGELIB_TRY(ReadBmpHeader(file, h));
    // A whole JPEG or PNG file may stand in for the pixel rows; its own decoder reads it.
    if (h.compression == kBmpJpeg) return DecodeImage(file.subspan(h.bitsOffset), FORMAT_JPEG, out);
    if (h.compression == kBmpPng) return DecodeImage(file.subspan(h.bitsOffset), FORMAT_PNG, out);
    Dib dib;
    if (IsRunLength(h)) IMAGELIB_TRY(DecodeRunLength(file, h, dib));
    else IMAGELIB_TRY(DecodeRows(file, h, dib));
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
