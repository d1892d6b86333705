// Portable bitmap, grey map and pixmap files: P1-P3 (plain text) and P4-P6 (binary).
#include "imagelib/decoders.h"
#include "imagelib/dib_palette.h"
#include "imagelib/pixel_math.h"

#include <algorithm>

namespace imagelib {
namespace {

bool IsSpace(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

// Skips white space and '#' comments (which run to the end of their line).
void SkipSpaceAndComments(ByteReader& in) {
    std::uint8_t c = 0;
    ByteReader peek = in;
    while (peek.ReadU8(c)) {
        if (c == '#') {
            while (peek.ReadU8(c) && c != '\n' && c != '\r') {}
        } else if (!IsSpace(c)) {
            return;
        }
        in = peek;
    }
}

// A decimal header number; refuses signs and values above `limit`.
Status ReadNumber(ByteReader& in, std::uint32_t limit, std::uint32_t& out) {
    SkipSpaceAndComments(in);
    std::uint64_t value = 0;
    std::size_t digits = 0;
    ByteReader peek = in;
    std::uint8_t c = 0;
    while (peek.ReadU8(c) && IsDigit(c)) {
        value = value * 10 + (c - '0');
        if (value > limit) return Status::Error("PNM header number out of range");
        ++digits;
        in = peek;
    }
    if (digits == 0) return Status::Error("PNM header number missing");
    out = static_cast<std::uint32_t>(value);
    return Status::Ok();
}

// One plain-format sample: a decimal number, or for P1 a single 0/1 digit.
Status ReadPlainSample(ByteReader& in, bool singleDigit, std::uint32_t& out) {
    if (!singleDigit) return ReadNumber(in, 65535, out);
    SkipSpaceAndComments(in);
    std::uint8_t c = 0;
    if (!in.ReadU8(c) || (c != '0' && c != '1')) return Status::Error("PNM bit missing");
    out = c - '0';
    return Status::Ok();
}

struct PnmHeader {
    char kind = 0;  // '1'..'6'
    std::uint32_t width = 0, height = 0, maxValue = 1;
    bool Plain() const { return kind <= '3'; }
    bool Bitmap() const { return kind == '1' || kind == '4'; }
    bool Colour() const { return kind == '3' || kind == '6'; }
};

Status ReadHeader(ByteReader& in, PnmHeader& h) {
    std::uint8_t p = 0, kind = 0;
    if (!in.ReadU8(p) || !in.ReadU8(kind) || p != 'P' || kind < '1' || kind > '6')
        return Status::Error("Not a PNM file");
    h.kind = static_cast<char>(kind);
    IMAGELIB_TRY(ReadNumber(in, kMaxSide, h.width));
    IMAGELIB_TRY(ReadNumber(in, kMaxSide, h.height));
    if (!h.Bitmap()) {
        IMAGELIB_TRY(ReadNumber(in, 65535, h.maxValue));
        if (h.maxValue == 0) return Status::Error("PNM maximum value is zero");
    }
    // Binary samples start after exactly one white-space byte.
    std::uint8_t separator = 0;
    if (!h.Plain() && (!in.ReadU8(separator) || !IsSpace(separator)))
        return Status::Error("PNM header not ended by white space");
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
    const unsigned channels = h.Colour() ? 3 : 1;
    for (std::uint32_t y = 0; y < h.height; ++y) {
        std::uint8_t* row = dib.RowFromTop(y);
        for (std::uint32_t x = 0; x < h.width; ++x) {
            if (h.Bitmap()) {
                std::uint32_t bit = 0;
                IMAGELIB_TRY(ReadSample(in, h, bit));
                SetPackedIndex(row, x, 1, static_cast<std::uint8_t>(bit));
                continue;
            }
            for (unsigned c = 0; c < channels; ++c) {
                std::uint32_t v = 0;
                IMAGELIB_TRY(ReadSample(in, h, v));
                const std::uint8_t level = ScaleToByte(v, h.maxValue);
                // Pixmaps store red, green, blue; picture rows want blue first.
                if (channels == 3) row[3 * x + (2 - c)] = level;
                else row[x] = level;
            }
        }
    }
    return Status::Ok();
}

}  // namespace

Status DecodePnm(ByteSpan file, Dib& out) {
    ByteReader in(file);
    PnmHeader h;
    IMAGELIB_TRY(ReadHeader(in, h));

    // Refuse sizes the remaining bytes cannot hold before asking for memory (for the plain
    // formats a lower bound: one character a bit, three a colour pixel).
    const std::uint64_t pixels = static_cast<std::uint64_t>(h.width) * h.height;
    const std::uint64_t sampleBytes = h.maxValue < 256 ? 1 : 2;
    const std::uint64_t needed = h.Plain() ? pixels * (h.Colour() ? 6 : 2) / 2
                                 : h.Bitmap() ? static_cast<std::uint64_t>((h.width + 7) / 8) * h.height
                                              : pixels * sampleBytes * (h.Colour() ? 3 : 1);
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
