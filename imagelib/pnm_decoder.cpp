// Netpbm files: P1-P3 (plain text), P4-P6 (binary) and P7 arbitrary maps of 1-4 channels.
#include "imagelib/decoders.h"
#include "imagelib/dib_palette.h"
#include "imagelib/pixel_math.h"
#include "imagelib/pnm_header.h"

#include <algorithm>

namespace imagelib {
namespace {

// One plain-format sample: a decimal number, or for P1 a single 0/1 digit.
Status ReadPlainSample(ByteReader& in, bool singleDigit, std::uint32_t& out) {
    if (!singleDigit) return ReadPnmNumber(in, 65535, out);
    SkipPnmSpace(in);
    std::uint8_t c = 0;
    if (!in.ReadU8(c) || (c != '0' && c != '1')) return Status::Error("PNM bit missing");
    out = c - '0';
    return Status::Ok();
}

// Binary bitmap rows are packed like 1-bit picture rows (1 = black, set by the table).
Status DecodeRawBitmap(ByteReader& in, const PnmHeader& h, Dib& dib) {
    const std::size_t rowBytes = (h.width + 7) / 8;
    for (std::uint32_t y = 0; y < h.height; ++y) {
        ByteSpan row;
        if (!in.ReadBytes(rowBytes, row)) return Status::Error("PNM pixel data truncated");
        std::copy(row.begin(), row.end(), dib.RowFromTop(y));
    }
    return Status::Ok();
}

Status ReadSample(ByteReader& in, const PnmHeader& h, std::uint32_t& out) {
    if (h.Plain()) return ReadPlainSample(in, h.Bitmap(), out);
    if (h.maxValue < 256) {
        std::uint8_t v = 0;
        if (!in.ReadU8(v)) return Status::Error("PNM pixel data truncated");
        out = v;
        return Status::Ok();
    }
    std::uint16_t v = 0;
    if (!in.ReadBE16(v)) return Status::Error("PNM pixel data truncated");
    out = v;
    return Status::Ok();
}

Status DecodeSamples(ByteReader& in, const PnmHeader& h, Dib& dib) {
    const unsigned colours = h.Colour() ? 3 : 1;
    for (std::uint32_t y = 0; y < h.height; ++y) {
        std::uint8_t* row = dib.RowFromTop(y);
        for (std::uint32_t x = 0; x < h.width; ++x) {
            if (h.Bitmap()) {
                std::uint32_t bit = 0;
                IMAGELIB_TRY(ReadSample(in, h, bit));
                SetPackedIndex(row, x, 1, static_cast<std::uint8_t>(bit));
                continue;
            }
            std::uint8_t levels[4] = {0, 0, 0, 255};
            for (unsigned c = 0; c < h.channels; ++c) {
                std::uint32_t v = 0;
                IMAGELIB_TRY(ReadSample(in, h, v));
                levels[h.alpha && c == h.channels - 1 ? 3 : c] = ScaleToByte(v, h.maxValue);
            }
            // Samples are red, green, blue (or grey); picture rows want blue first.
            if (colours == 3) {
                for (unsigned c = 0; c < 3; ++c) row[3 * x + (2 - c)] = OverBlack(levels[c], levels[3]);
            } else {
                row[x] = OverBlack(levels[0], levels[3]);
            }
        }
    }
    return Status::Ok();
}

}  // namespace

Status DecodePnm(ByteSpan file, Dib& out) {
    ByteReader in(file);
    PnmHeader h;
    IMAGELIB_TRY(ReadPnmHeader(in, h));

    // Refuse sizes the remaining bytes cannot hold before asking for memory (for the plain
    // formats a lower bound: one character a bit, three a colour pixel).
    const std::uint64_t pixels = static_cast<std::uint64_t>(h.width) * h.height;
    const std::uint64_t sampleBytes = h.maxValue < 256 ? 1 : 2;
    const std::uint64_t needed = h.Plain() ? pixels * (h.Colour() ? 6 : 2) / 2
                                 : h.Bitmap() ? static_cast<std::uint64_t>((h.width + 7) / 8) * h.height
                                              : pixels * sampleBytes * h.channels;
    if (needed > in.Remaining()) return Status::Error("PNM pixel data truncated");

    Dib dib;
    if (h.Bitmap()) {
        IMAGELIB_TRY(AllocateDib(h.width, h.height, 1, 2, dib));
        SetPaletteEntry(dib, 0, 255, 255, 255);
        SetPaletteEntry(dib, 1, 0, 0, 0);
    } else if (h.Colour()) {
        IMAGELIB_TRY(AllocateDib(h.width, h.height, 24, 0, dib));
    } else {
        IMAGELIB_TRY(AllocateDib(h.width, h.height, 8, 256, dib));
        SetGreyPalette(dib, 256);
    }
    if (h.kind == '4') IMAGELIB_TRY(DecodeRawBitmap(in, h, dib));
    else IMAGELIB_TRY(DecodeSamples(in, h, dib));
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
