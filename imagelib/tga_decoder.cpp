// TGA files: colour-mapped (1, 9), true-colour (2, 10) and grey (3, 11), raw or run-length.
#include "imagelib/decoders.h"
#include "imagelib/dib_palette.h"
#include "imagelib/pixel_math.h"
#include "imagelib/tga_pixels.h"

namespace imagelib {
namespace {

enum TgaType : std::uint8_t { kMapped = 1, kTrueColour = 2, kGrey = 3, kRunLength = 8 };
constexpr std::uint8_t kTopToBottom = 0x20;
constexpr std::uint8_t kRightToLeft = 0x10;
constexpr std::uint8_t kAttributeBitsMask = 0x0F;

struct TgaHeader {
    std::uint8_t idLength = 0, mapType = 0, imageType = 0, mapEntryBits = 0, pixelBits = 0, descriptor = 0;
    std::uint16_t mapFirst = 0, mapLength = 0, width = 0, height = 0;
    TgaType Kind() const { return static_cast<TgaType>(imageType & ~kRunLength); }
};

Status ReadHeader(ByteReader& in, TgaHeader& h) {
    std::uint16_t origin = 0;
    if (!in.ReadU8(h.idLength) || !in.ReadU8(h.mapType) || !in.ReadU8(h.imageType) || !in.ReadLE16(h.mapFirst) ||
        !in.ReadLE16(h.mapLength) || !in.ReadU8(h.mapEntryBits) || !in.ReadLE16(origin) || !in.ReadLE16(origin) ||
        !in.ReadLE16(h.width) || !in.ReadLE16(h.height) || !in.ReadU8(h.pixelBits) || !in.ReadU8(h.descriptor))
        return Status::Error("TGA header truncated");
    const TgaType kind = h.Kind();
    if (h.mapType > 1 || (h.imageType & ~(kRunLength | 3)) != 0 || kind == 0)
        return Status::Error("Unsupported TGA image type");
    const unsigned bits = h.pixelBits;
    if (kind == kMapped && (h.mapType != 1 || bits != 8)) return Status::Error("Unsupported TGA colour-mapped layout");
    if (kind == kTrueColour && bits != 15 && bits != 16 && bits != 24 && bits != 32)
        return Status::Error("Unsupported TGA pixel depth");
    if (kind == kGrey && bits != 8 && bits != 16) return Status::Error("Unsupported TGA grey depth");
    if (kind == kMapped && h.mapEntryBits != 15 && h.mapEntryBits != 16 && h.mapEntryBits != 24 &&
        h.mapEntryBits != 32)
        return Status::Error("Unsupported TGA colour-map entry size");
    return Status::Ok();
}

// Whether every pixel of the stream has a zero fourth byte (read without decoding).
bool AllAlphaZero(ByteReader in, unsigned pixelBytes, bool runLength, std::uint64_t pixels) {
    TgaPixelStream stream(in, pixelBytes, runLength);
    for (std::uint64_t i = 0; i < pixels; ++i) {
        const std::uint8_t* p = nullptr;
        if (!stream.Next(p).ok()) return true;
        if (p[3] != 0) return false;
    }
    return true;
}

// Whether pixels carry alpha. The 16-bit attribute bit is alpha only when the descriptor
// declares attribute bits. The fourth byte of 32-bit pixels is alpha even when the
// descriptor declares none (writers commonly leave the count at 0), unless it is 0
// throughout: then it is padding, and reading it as alpha would show a black picture.
bool PixelsHaveAlpha(const TgaHeader& h, ByteReader pixelData) {
    const unsigned bits = h.Kind() == kMapped ? h.mapEntryBits : h.pixelBits;
    if (h.Kind() == kGrey) return h.pixelBits == 16 && (h.descriptor & kAttributeBitsMask) != 0;
    if (bits == 16) return (h.descriptor & kAttributeBitsMask) != 0;
    if (bits != 32) return false;
    if (h.Kind() == kMapped) return true;
    return !AllAlphaZero(pixelData, 4, (h.imageType & kRunLength) != 0, std::uint64_t{h.width} * h.height);
}

// The colour map becomes the 256-entry table: entry mapFirst + i is map entry i, alpha
// laid over black. Indices the map does not cover stay black.
Status ReadColourMap(ByteReader& in, const TgaHeader& h, bool alpha, Dib* dib) {
    const unsigned entryBytes = (h.mapEntryBits + 7u) / 8u;
    ByteSpan map;
    if (!in.ReadBytes(static_cast<std::size_t>(entryBytes) * h.mapLength, map))
        return Status::Error("TGA colour map truncated");
    if (!dib) return Status::Ok();  // a true-colour picture skips its map
    for (std::uint32_t i = 0; i < h.mapLength && h.mapFirst + i < 256; ++i) {
        const TgaColour c = ReadTgaColour(map.data() + i * entryBytes, h.mapEntryBits, alpha);
        SetPaletteEntry(*dib, h.mapFirst + i, OverBlack(c.red, c.alpha), OverBlack(c.green, c.alpha),
                        OverBlack(c.blue, c.alpha));
    }
    return Status::Ok();
}

void StorePixel(const TgaHeader& h, bool alpha, const std::uint8_t* p, std::uint8_t* row, std::uint32_t x) {
    if (h.Kind() == kMapped) {
        row[x] = p[0];
    } else if (h.Kind() == kGrey) {
        row[x] = h.pixelBits == 16 && alpha ? OverBlack(p[0], p[1]) : p[0];
    } else {
        const TgaColour c = ReadTgaColour(p, h.pixelBits, alpha);
        row[3 * x] = OverBlack(c.blue, c.alpha);
        row[3 * x + 1] = OverBlack(c.green, c.alpha);
        row[3 * x + 2] = OverBlack(c.red, c.alpha);
    }
}

}  // namespace

Status DecodeTga(ByteSpan file, Dib& out) {
    ByteReader in(file);
    TgaHeader h;
    IMAGELIB_TRY(ReadHeader(in, h));
    if (h.width == 0 || h.height == 0) return Status::Error("Image has no pixels");
    if (!in.Skip(h.idLength)) return Status::Error("TGA image id truncated");

    const bool mapped = h.Kind() == kMapped;
    // Pixels are read through the bounded stream; this only refuses absurd sizes early.
    const unsigned pixelBytes = (h.pixelBits + 7u) / 8u;
    const std::uint64_t pixels = static_cast<std::uint64_t>(h.width) * h.height;
    const std::uint64_t minBytes = (h.imageType & kRunLength) ? (pixels + 127) / 128 * (1 + pixelBytes) : pixels * pixelBytes;
    if (minBytes > in.Remaining()) return Status::Error("TGA pixel data truncated");

    // The colour map sits between the header and the pixels.
    ByteReader pixelData = in;
    const std::size_t mapBytes = h.mapType == 1 ? std::size_t{h.mapLength} * ((h.mapEntryBits + 7u) / 8u) : 0;
    if (!pixelData.Skip(mapBytes)) return Status::Error("TGA colour map truncated");
    const bool alpha = PixelsHaveAlpha(h, pixelData);

    Dib dib;
    IMAGELIB_TRY(AllocateDib(h.width, h.height, h.Kind() == kTrueColour ? 24 : 8, h.Kind() == kTrueColour ? 0 : 256, dib));
    if (h.mapType == 1) IMAGELIB_TRY(ReadColourMap(in, h, alpha, mapped ? &dib : nullptr));
    if (h.Kind() == kGrey) SetGreyPalette(dib, 256);

    TgaPixelStream pixelsIn(in, pixelBytes, (h.imageType & kRunLength) != 0);
    const bool topDown = (h.descriptor & kTopToBottom) != 0;
    const bool rightToLeft = (h.descriptor & kRightToLeft) != 0;
    for (std::uint32_t line = 0; line < h.height; ++line) {
        std::uint8_t* row = dib.RowFromTop(topDown ? line : h.height - 1 - line);
        for (std::uint32_t col = 0; col < h.width; ++col) {
            const std::uint8_t* p = nullptr;
            IMAGELIB_TRY(pixelsIn.Next(p));
            StorePixel(h, alpha, p, row, rightToLeft ? h.width - 1 - col : col);
        }
    }
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
