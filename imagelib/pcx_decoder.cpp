// PCX files, versions 0-5: 1, 2, 4 or 8 bits in 1-4 planes, run-length encoded scan lines.
#include "imagelib/decoders.h"
#include "imagelib/dib_palette.h"
#include "imagelib/pixel_math.h"

#include <vector>

namespace imagelib {
namespace {

constexpr std::size_t kHeaderBytes = 128;
constexpr std::uint8_t kManufacturer = 0x0A;
// A 256-colour palette is appended as a marker byte and 256 red, green, blue triples.
constexpr std::uint8_t kVgaPaletteMarker = 0x0C;
constexpr std::size_t kVgaPaletteBytes = 1 + 768;

// The 16-colour EGA palette that versions 0 and 3 assume (their header palette is unused).
constexpr std::uint8_t kDefaultEgaPalette[16][3] = {
    {0, 0, 0},       {0, 0, 170},    {0, 170, 0},    {0, 170, 170},  {170, 0, 0},    {170, 0, 170},
    {170, 85, 0},    {170, 170, 170}, {85, 85, 85},  {85, 85, 255},  {85, 255, 85},  {85, 255, 255},
    {255, 85, 85},   {255, 85, 255}, {255, 255, 85}, {255, 255, 255}};

struct PcxHeader {
    std::uint8_t version = 0, encoding = 0, bitsPerPixel = 0, planes = 0;
    std::uint32_t width = 0, height = 0, bytesPerLine = 0;
    ByteSpan egaPalette;  // 16 triples
};

Status ReadHeader(ByteReader& in, PcxHeader& h) {
    std::uint8_t manufacturer = 0, reserved = 0;
    std::uint16_t xMin = 0, yMin = 0, xMax = 0, yMax = 0, dpi = 0, bytesPerLine = 0;
    if (!in.ReadU8(manufacturer) || !in.ReadU8(h.version) || !in.ReadU8(h.encoding) || !in.ReadU8(h.bitsPerPixel) ||
        !in.ReadLE16(xMin) || !in.ReadLE16(yMin) || !in.ReadLE16(xMax) || !in.ReadLE16(yMax) ||
        !in.ReadLE16(dpi) || !in.ReadLE16(dpi) || !in.ReadBytes(48, h.egaPalette) || !in.ReadU8(reserved) ||
        !in.ReadU8(h.planes) || !in.ReadLE16(bytesPerLine) || !in.Seek(kHeaderBytes))
        return Status::Error("PCX header truncated");
    if (manufacturer != kManufacturer || h.version > 5) return Status::Error("Not a PCX file");
    if (h.encoding > 1) return Status::Error("Unsupported PCX encoding");
    if (xMax < xMin || yMax < yMin) return Status::Error("Image has no pixels");
    h.width = static_cast<std::uint32_t>(xMax - xMin) + 1;
    h.height = static_cast<std::uint32_t>(yMax - yMin) + 1;
    h.bytesPerLine = bytesPerLine;

    const bool planar = h.bitsPerPixel == 1 && h.planes >= 1 && h.planes <= 4;
    const bool packed = h.planes == 1 && (h.bitsPerPixel == 2 || h.bitsPerPixel == 4 || h.bitsPerPixel == 8);
    const bool trueColour = h.bitsPerPixel == 8 && (h.planes == 3 || h.planes == 4);
    if (!planar && !packed && !trueColour) return Status::Error("Unsupported PCX bit layout");
    // Each plane's line must hold the whole width, or decoding would read past it.
    if (static_cast<std::uint64_t>(h.bytesPerLine) * 8 < static_cast<std::uint64_t>(h.width) * h.bitsPerPixel)
        return Status::Error("PCX line shorter than the picture");
    return Status::Ok();
}

// Decodes one scan line (all planes) of the run-length stream; runs may cross lines.
class ScanLineReader {
public:
    ScanLineReader(ByteReader& in, bool encoded, std::size_t lineBytes)
        : in_(in), encoded_(encoded), line_(lineBytes) {}

    Status Next() {
        for (auto& b : line_) {
            while (runLeft_ == 0) {  // an empty run (0xC0) yields nothing
                std::uint8_t c = 0;
                if (!in_.ReadU8(c)) return Status::Error("PCX pixel data truncated");
                runValue_ = c;
                runLeft_ = 1;
                if (encoded_ && (c & 0xC0) == 0xC0) {
                    runLeft_ = c & 0x3Fu;
                    if (!in_.ReadU8(runValue_)) return Status::Error("PCX pixel data truncated");
                }
            }
            --runLeft_;
            b = runValue_;
        }
        return Status::Ok();
    }
    const std::uint8_t* Plane(std::size_t index, std::size_t bytesPerLine) const {
        return line_.data() + index * bytesPerLine;
    }

private:
    ByteReader& in_;
    bool encoded_;
    std::vector<std::uint8_t> line_;
    std::uint8_t runValue_ = 0;
    std::uint32_t runLeft_ = 0;
};

// The depth of the picture we make: 1-bit mono, 4-bit for up to 16 colours, 8 or 24.
std::uint16_t OutputDepth(const PcxHeader& h) {
    const unsigned bits = h.bitsPerPixel * h.planes;
    if (h.planes >= 3 && h.bitsPerPixel == 8) return 24;
    if (bits == 1) return 1;
    return bits <= 4 ? 4 : 8;
}

void SetPalette(const PcxHeader& h, ByteSpan file, Dib& dib) {
    const unsigned bits = h.bitsPerPixel * h.planes;
    if (bits == 1) {
        // Mono files: a set bit is white, whatever the header palette holds.
        SetPaletteEntry(dib, 1, 255, 255, 255);
    } else if (bits <= 4) {
        for (unsigned i = 0; i < (1u << bits); ++i) {
            if (h.version == 0 || h.version == 3)
                SetPaletteEntry(dib, i, kDefaultEgaPalette[i][0], kDefaultEgaPalette[i][1], kDefaultEgaPalette[i][2]);
            else
                SetPaletteEntry(dib, i, h.egaPalette[3 * i], h.egaPalette[3 * i + 1], h.egaPalette[3 * i + 2]);
        }
    } else if (bits == 8) {
        const bool hasVga = file.size() >= kHeaderBytes + kVgaPaletteBytes &&
                            file[file.size() - kVgaPaletteBytes] == kVgaPaletteMarker;
        if (!hasVga) {
            SetGreyPalette(dib, 256);
            return;
        }
        const std::uint8_t* p = file.data() + file.size() - 768;
        for (unsigned i = 0; i < 256; ++i) SetPaletteEntry(dib, i, p[3 * i], p[3 * i + 1], p[3 * i + 2]);
    }
}

void StoreLine(const PcxHeader& h, const ScanLineReader& line, std::uint16_t depth, std::uint8_t* row) {
    const std::size_t bpl = h.bytesPerLine;
    if (depth == 24) {
        const std::uint8_t* r = line.Plane(0, bpl);
        const std::uint8_t* g = line.Plane(1, bpl);
        const std::uint8_t* b = line.Plane(2, bpl);
        const std::uint8_t* a = h.planes == 4 ? line.Plane(3, bpl) : nullptr;
        for (std::uint32_t x = 0; x < h.width; ++x) {
            const std::uint8_t alpha = a ? a[x] : 255;
            row[3 * x] = OverBlack(b[x], alpha);
            row[3 * x + 1] = OverBlack(g[x], alpha);
            row[3 * x + 2] = OverBlack(r[x], alpha);
        }
        return;
    }
    for (std::uint32_t x = 0; x < h.width; ++x) {
        // Plane k holds bit k of the colour index.
        std::uint8_t index = 0;
        for (unsigned k = 0; k < h.planes; ++k)
            index = static_cast<std::uint8_t>(index | (PackedIndex(line.Plane(k, bpl), x, h.bitsPerPixel) << (k * h.bitsPerPixel)));
        SetPackedIndex(row, x, depth, index);
    }
}

}  // namespace

Status DecodePcx(ByteSpan file, Dib& out) {
    ByteReader in(file);
    PcxHeader h;
    IMAGELIB_TRY(ReadHeader(in, h));
    if (h.width > kMaxSide || h.height > kMaxSide) return Status::Error("Image side exceeds 65535 pixels");

    // A run byte pair yields at most 63 bytes, so refuse sizes the file cannot hold.
    const std::uint64_t lineBytes = static_cast<std::uint64_t>(h.bytesPerLine) * h.planes;
    const std::uint64_t maxExpansion = h.encoding == 1 ? 63 : 1;
    if (lineBytes * h.height > (file.size() - kHeaderBytes) * maxExpansion)
        return Status::Error("PCX pixel data truncated");

    const std::uint16_t depth = OutputDepth(h);
    Dib dib;
    IMAGELIB_TRY(AllocateDib(h.width, h.height, depth, depth <= 8 ? 1u << depth : 0, dib));
    SetPalette(h, file, dib);

    ScanLineReader line(in, h.encoding == 1, static_cast<std::size_t>(lineBytes));
    for (std::uint32_t y = 0; y < h.height; ++y) {
        IMAGELIB_TRY(line.Next());
        StoreLine(h, line, depth, dib.RowFromTop(y));
    }
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
