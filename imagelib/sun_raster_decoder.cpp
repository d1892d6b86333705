// Sun raster files: old, standard, byte-encoded and RGB-order types; 1, 8, 24 and 32 bits.
#include "imagelib/decoders.h"
#include "imagelib/dib_palette.h"
#include "imagelib/pixel_math.h"
#include "imagelib/sun_raster_rows.h"

#include <algorithm>

namespace imagelib {
namespace {

constexpr std::uint32_t kMagic = 0x59a66a95;
enum RasterType : std::uint32_t { kOld = 0, kStandard = 1, kByteEncoded = 2, kRgbOrder = 3 };
enum MapType : std::uint32_t { kNoMap = 0, kRgbMap = 1, kRawMap = 2 };

struct SunHeader {
    std::uint32_t width = 0, height = 0, depth = 0, length = 0, type = 0, mapType = 0, mapLength = 0;
};

Status ReadHeader(ByteReader& in, SunHeader& h) {
    std::uint32_t magic = 0;
    if (!in.ReadBE32(magic) || magic != kMagic) return Status::Error("Not a Sun raster file");
    if (!in.ReadBE32(h.width) || !in.ReadBE32(h.height) || !in.ReadBE32(h.depth) || !in.ReadBE32(h.length) ||
        !in.ReadBE32(h.type) || !in.ReadBE32(h.mapType) || !in.ReadBE32(h.mapLength))
        return Status::Error("Sun raster header truncated");
    if (h.type > kRgbOrder) return Status::Error("Unsupported Sun raster type");
    if (h.depth != 1 && h.depth != 8 && h.depth != 24 && h.depth != 32)
        return Status::Error("Unsupported Sun raster depth");
    if (h.mapType > kRawMap) return Status::Error("Unsupported Sun raster colour map");
    return Status::Ok();
}

// The colour map is three planes (all reds, all greens, all blues) of mapLength / 3 bytes.
Status ReadColourMap(ByteReader& in, const SunHeader& h, Dib& dib) {
    ByteSpan map;
    if (!in.ReadBytes(h.mapLength, map)) return Status::Error("Sun raster colour map truncated");
    const std::uint32_t tableSize = h.depth == 1 ? 2 : 256;
    if (h.depth > 8 || h.mapType != kRgbMap || h.mapLength < 3) {
        // True-colour pictures ignore a map; an index picture without one is grey (8 bits)
        // or black on white (1 bit, where a set bit is black).
        if (h.depth == 8) SetGreyPalette(dib, 256);
        if (h.depth == 1) SetPaletteEntry(dib, 0, 255, 255, 255);
        return Status::Ok();
    }
    const std::uint32_t entries = h.mapLength / 3;
    for (std::uint32_t i = 0; i < entries && i < tableSize; ++i)
        SetPaletteEntry(dib, i, map[i], map[entries + i], map[2 * entries + i]);
    return Status::Ok();
}

void StoreRow(const SunHeader& h, const std::uint8_t* src, std::uint8_t* dst) {
    if (h.depth <= 8) {
        std::copy(src, src + (h.width * h.depth + 7) / 8, dst);
        return;
    }
    // Pixels are blue, green, red (after a pad byte at 32 bits); the RGB type reverses them.
    const unsigned step = h.depth / 8;
    const unsigned skip = step - 3;
    for (std::uint32_t x = 0; x < h.width; ++x) {
        const std::uint8_t* p = src + x * step + skip;
        std::uint8_t* q = dst + 3 * x;
        if (h.type == kRgbOrder) {
            q[0] = p[2], q[1] = p[1], q[2] = p[0];
        } else {
            q[0] = p[0], q[1] = p[1], q[2] = p[2];
        }
    }
}

}  // namespace

Status DecodeSunRaster(ByteSpan file, Dib& out) {
    ByteReader in(file);
    SunHeader h;
    IMAGELIB_TRY(ReadHeader(in, h));
    if (h.width == 0 || h.height == 0) return Status::Error("Image has no pixels");
    if (h.width > kMaxSide || h.height > kMaxSide) return Status::Error("Image side exceeds 65535 pixels");

    // Rows are padded to 16 bits. Plain data must be all there; run-length data expands at
    // most 256 times (a three-byte run of 256), so bigger claims are refused before allocating.
    const std::uint64_t rowBytes = ((static_cast<std::uint64_t>(h.width) * h.depth + 15) / 16) * 2;
    const std::uint64_t dataBytes = rowBytes * h.height;
    const std::uint64_t available = file.size() - in.Position();
    if (h.mapLength > available) return Status::Error("Sun raster colour map truncated");
    const std::uint64_t pixelBytes = available - h.mapLength;
    if (h.type == kByteEncoded ? dataBytes > pixelBytes * 86 : dataBytes > pixelBytes)
        return Status::Error("Sun raster pixel data truncated");

    Dib dib;
    const auto outDepth = static_cast<std::uint16_t>(h.depth > 8 ? 24 : h.depth);
    IMAGELIB_TRY(AllocateDib(h.width, h.height, outDepth, h.depth == 1 ? 2 : h.depth == 8 ? 256 : 0, dib));
    IMAGELIB_TRY(ReadColourMap(in, h, dib));

    SunRowSource rows(in, static_cast<std::size_t>(rowBytes), h.type == kByteEncoded);
    for (std::uint32_t y = 0; y < h.height; ++y) {
        const std::uint8_t* row = nullptr;
        IMAGELIB_TRY(rows.Next(row));
        StoreRow(h, row, dib.RowFromTop(y));
    }
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
