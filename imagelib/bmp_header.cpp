#include "imagelib/bmp_header.h"

#include "imagelib/dib.h"

#include <algorithm>
#include <cstdint>

namespace imagelib {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kArrayHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoBytes = 40;
// OS/2 version 2 headers are 16 to 64 bytes; 52 and 56 are the Windows V2 and V3 headers.
constexpr std::uint32_t kOs2MaxBytes = 64;

bool IsOs2V2(std::uint32_t size) {
    return size >= 16 && size <= kOs2MaxBytes && size != kInfoBytes && size != 52 && size != 56;
}

// A field of an information header that may be cut short: missing fields read as 0.
std::uint32_t Field32(ByteSpan header, std::size_t at) {
    if (at + 4 > header.size()) return 0;
    return header[at] | (header[at + 1] << 8) | (header[at + 2] << 16) | (static_cast<std::uint32_t>(header[at + 3]) << 24);
}
std::uint16_t Field16(ByteSpan header, std::size_t at) {
    if (at + 2 > header.size()) return 0;
    return static_cast<std::uint16_t>(header[at] | (header[at + 1] << 8));
}

Status ReadSizes(ByteSpan info, std::uint32_t headerSize, BmpHeader& h, std::uint16_t& planes) {
    std::int32_t width = 0, height = 0;
    if (headerSize == kCoreHeaderBytes) {
        width = Field16(info, 4);
        height = Field16(info, 6);
        planes = Field16(info, 8);
        h.bitsPerPixel = Field16(info, 10);
    } else {
        width = static_cast<std::int32_t>(Field32(info, 4));
        height = static_cast<std::int32_t>(Field32(info, 8));
        planes = Field16(info, 12);
        h.bitsPerPixel = Field16(info, 14);
    }
    if (width <= 0 || height == 0 || height == INT32_MIN) return Status::Error("BMP size is not positive");
    h.width = static_cast<std::uint32_t>(width);
    h.topDown = height < 0;
    h.height = static_cast<std::uint32_t>(height < 0 ? -height : height);
    // Checked here so that the size arithmetic that follows cannot overflow.
    if (h.width > kMaxSide || h.height > kMaxSide) return Status::Error("Image side exceeds 65535 pixels");
    return Status::Ok();
}

Status CheckLayout(const BmpHeader& h, std::uint16_t planes) {
    if (planes != 1) return Status::Error("BMP plane count is not 1");
    if (h.compression == kBmpJpeg || h.compression == kBmpPng) return Status::Ok();  // depth 0: the embedded file's
    switch (h.bitsPerPixel) {
        case 1: case 2: case 4: case 8: case 16: case 24: case 32: break;
        default: return Status::Error("Unsupported BMP depth");
    }
    const std::uint32_t c = h.compression;
    const bool ok = c == kBmpRgb || (c == kBmpRle8 && h.bitsPerPixel == 8) || (c == kBmpRle4 && h.bitsPerPixel == 4) ||
                    (c == kBmpOs2Rle24 && h.bitsPerPixel == 24) ||
                    ((c == kBmpBitFields || c == kBmpAlphaBitFields) && (h.bitsPerPixel == 16 || h.bitsPerPixel == 32));
    if (!ok) return Status::Error("Unsupported BMP compression");
    // Run-length pictures are always stored bottom-up.
    if (h.topDown && (c == kBmpRle8 || c == kBmpRle4 || c == kBmpOs2Rle24))
        return Status::Error("Top-down run-length BMP");
    return Status::Ok();
}

void SetMasks(ByteSpan file, std::size_t infoEnd, std::uint32_t headerSize, ByteSpan info, BmpHeader& h,
              std::size_t& paletteOffset) {
    paletteOffset = infoEnd;
    if (h.compression == kBmpRgb) {
        h.masks = h.bitsPerPixel == 16 ? std::array<std::uint32_t, 4>{0x7C00, 0x03E0, 0x001F, 0}
                                       : std::array<std::uint32_t, 4>{0xFF0000, 0xFF00, 0xFF, 0};
        return;
    }
    if (h.compression != kBmpBitFields && h.compression != kBmpAlphaBitFields) return;
    if (headerSize >= 52) {
        for (std::size_t i = 0; i < 3; ++i) h.masks[i] = Field32(info, kInfoBytes + 4 * i);
        if (headerSize >= 56) h.masks[3] = Field32(info, kInfoBytes + 12);
        return;
    }
    // A 40-byte header is followed by three masks (four with an alpha mask).
    const std::size_t count = h.compression == kBmpAlphaBitFields ? 4 : 3;
    ByteSpan after = file.subspan(infoEnd);
    for (std::size_t i = 0; i < count; ++i) h.masks[i] = Field32(after, 4 * i);
    paletteOffset = infoEnd + 4 * count;
}

}  // namespace

Status ReadBmpHeader(ByteSpan file, BmpHeader& h) {
    ByteReader in(file);
    // An OS/2 bitmap array starts with a 14-byte entry header; its first picture follows,
    // with offsets still counted from the start of the file.
    const std::size_t start = file.size() >= 2 && file[0] == 'B' && file[1] == 'A' ? kArrayHeaderBytes : 0;
    if (!in.Seek(start)) return Status::Error("BMP header truncated");
    std::uint8_t b = 0, m = 0;
    std::uint32_t fileSize = 0, reserved = 0, bitsOffset = 0, headerSize = 0;
    if (!in.ReadU8(b) || !in.ReadU8(m) || b != 'B' || m != 'M') return Status::Error("Not a BMP file");
    if (!in.ReadLE32(fileSize) || !in.ReadLE32(reserved) || !in.ReadLE32(bitsOffset) || !in.ReadLE32(headerSize))
        return Status::Error("BMP header truncated");
    if (headerSize != kCoreHeaderBytes && headerSize < 16) return Status::Error("Unsupported BMP header size");
    in.Seek(start + kFileHeaderBytes);
    ByteSpan info;
    if (!in.ReadBytes(headerSize, info)) return Status::Error("BMP header truncated");

    std::uint16_t planes = 0;
    IMAGELIB_TRY(ReadSizes(info, headerSize, h, planes));
    h.compression = headerSize == kCoreHeaderBytes ? kBmpRgb : Field32(info, 16);
    // OS/2 gives 3 and 4 other meanings: Huffman 1D (not supported) and 24-bit run length.
    if (IsOs2V2(headerSize) && h.compression == kBmpJpeg) h.compression = kBmpOs2Rle24;
    else if (IsOs2V2(headerSize) && h.compression >= kBmpBitFields) return Status::Error("Unsupported BMP compression");
    IMAGELIB_TRY(CheckLayout(h, planes));

    const std::size_t infoEnd = start + kFileHeaderBytes + headerSize;
    std::size_t paletteOffset = infoEnd;
    SetMasks(file, infoEnd, headerSize, info, h, paletteOffset);
    if (paletteOffset > file.size()) return Status::Error("BMP bit fields truncated");

    h.paletteOffset = paletteOffset;
    h.paletteEntryBytes = headerSize == kCoreHeaderBytes ? 3 : 4;
    const bool embedded = h.compression == kBmpJpeg || h.compression == kBmpPng;
    if (h.bitsPerPixel <= 8 && !embedded) {
        const std::uint32_t fullTable = 1u << h.bitsPerPixel;
        const std::uint32_t used = headerSize == kCoreHeaderBytes ? 0 : Field32(info, 32);
        std::uint64_t entries = used == 0 || used > fullTable ? fullTable : used;
        // Some writers store a shorter table than the depth implies; the pixel offset tells.
        if (bitsOffset > paletteOffset)
            entries = std::min<std::uint64_t>(entries, (bitsOffset - paletteOffset) / h.paletteEntryBytes);
        if (paletteOffset + entries * h.paletteEntryBytes > file.size()) return Status::Error("BMP palette truncated");
        h.paletteEntries = static_cast<std::uint32_t>(entries);
    }
    const std::size_t paletteEnd = paletteOffset + static_cast<std::size_t>(h.paletteEntries) * h.paletteEntryBytes;
    // An offset inside the headers is a writer's mistake; the pixels then follow the palette.
    h.bitsOffset = bitsOffset < paletteEnd ? paletteEnd : bitsOffset;
    if (h.bitsOffset >= file.size()) return Status::Error("BMP pixel data missing");
    return Status::Ok();
}

}  // namespace imagelib
