// TIFF through libtiff, first page only. Bilevel, grey and palette pages of 1, 4 or 8
// bits stay indexed and 8-bit RGB is read straight into the picture's rows; everything
// else goes through libtiff's RGBA reader one strip or tile row at a time.
#include "imagelib/colour_profile.h"
#include "imagelib/decoders.h"
#include "imagelib/dib_palette.h"
#include "imagelib/orientation.h"
#include "imagelib/tiff_compression.h"
#include "imagelib/tiff_memory_file.h"

#include <algorithm>
#include <cstring>

namespace imagelib {
namespace {

// Largest band of RGBA pixels converted at once.
constexpr std::uint64_t kMaxBandBytes = 64u << 20;

struct PageInfo {
    std::uint32_t width = 0, height = 0;
    std::uint16_t bits = 1, samples = 1, photometric = PHOTOMETRIC_MINISWHITE;
    std::uint16_t planar = PLANARCONFIG_CONTIG, compression = COMPRESSION_NONE;
    std::uint16_t sampleFormat = SAMPLEFORMAT_UINT, extraCount = 0;
    bool tiled = false;
    bool associatedAlpha = false;
};

PageInfo ReadPageInfo(TIFF* tif) {
    PageInfo p;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &p.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &p.height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &p.bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &p.samples);
    TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &p.photometric);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &p.planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &p.compression);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &p.sampleFormat);
    std::uint16_t* extraTypes = nullptr;
    TIFFGetFieldDefaulted(tif, TIFFTAG_EXTRASAMPLES, &p.extraCount, &extraTypes);
    p.associatedAlpha = p.extraCount > 0 && extraTypes && extraTypes[0] == EXTRASAMPLE_ASSOCALPHA;
    p.tiled = TIFFIsTiled(tif) != 0;
    return p;
}

// Pages read a row at a time with TIFFReadScanline, and what each row needs.
enum class RowKind {
    None,        // not readable by rows: libtiff's RGBA reader instead
    Indexed,     // 1, 4 or 8 bits a pixel: the stored row is the picture row
    TwoBit,      // 2 bits a pixel, unpacked to one byte each
    Rgb,         // 8-bit RGB, swapped to BGR in place
    GreyAlpha,   // 8-bit grey + alpha, composited onto black
};

RowKind KindOf(const PageInfo& p) {
    if (p.tiled || p.compression == COMPRESSION_OJPEG || p.sampleFormat != SAMPLEFORMAT_UINT) return RowKind::None;
    const bool grey = p.photometric == PHOTOMETRIC_MINISBLACK || p.photometric == PHOTOMETRIC_MINISWHITE;
    if (p.samples == 1 && (grey || p.photometric == PHOTOMETRIC_PALETTE)) {
        if (p.bits == 1 || p.bits == 4 || p.bits == 8) return RowKind::Indexed;
        if (p.bits == 2) return RowKind::TwoBit;
        return RowKind::None;
    }
    if (p.bits != 8 || p.planar != PLANARCONFIG_CONTIG) return RowKind::None;
    if (p.samples == 3 && p.photometric == PHOTOMETRIC_RGB) return RowKind::Rgb;
    if (p.samples == 2 && p.extraCount == 1 && grey) return RowKind::GreyAlpha;
    return RowKind::None;
}

// Colour maps hold 16-bit values, but some writers store 8-bit ones.
Status FillColourMap(TIFF* tif, const PageInfo& p, Dib& dib) {
    std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (!TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue)) return Status::Error("TIFF palette missing");
    const std::uint32_t count = 1u << p.bits;
    bool eightBit = true;
    for (std::uint32_t i = 0; i < count; ++i)
        if (red[i] > 255 || green[i] > 255 || blue[i] > 255) eightBit = false;
    const int shift = eightBit ? 0 : 8;
    RgbQuad* table = dib.Palette();
    for (std::uint32_t i = 0; i < count; ++i)
        table[i] = RgbQuad{static_cast<std::uint8_t>(blue[i] >> shift), static_cast<std::uint8_t>(green[i] >> shift),
                           static_cast<std::uint8_t>(red[i] >> shift), 0};
    return Status::Ok();
}

// Four pixels at a time through a small local copy, which compilers turn into a few
// wide moves and shuffles; this row copy is most of our cost beside libtiff's own work.
void RgbToBgr(const std::uint8_t* in, std::uint8_t* out, std::uint32_t width) {
    std::uint32_t x = 0;
    for (; x + 4 <= width; x += 4, in += 12, out += 12) {
        std::uint8_t t[12];
        std::memcpy(t, in, 12);
        const std::uint8_t swapped[12] = {t[2], t[1], t[0], t[5], t[4], t[3], t[8], t[7], t[6], t[11], t[10], t[9]};
        std::memcpy(out, swapped, 12);
    }
    for (; x < width; ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

void UnpackTwoBit(const std::uint8_t* in, std::uint8_t* out, std::uint32_t width) {
    for (std::uint32_t x = 0; x < width; ++x) out[x] = static_cast<std::uint8_t>((in[x / 4] >> (6 - 2 * (x % 4))) & 3);
}

void CompositeGreyAlpha(const std::uint8_t* in, std::uint8_t* out, std::uint32_t width, bool associated) {
    for (std::uint32_t x = 0; x < width; ++x, in += 2)
        out[x] = associated ? in[0] : static_cast<std::uint8_t>((in[0] * in[1] + 127) / 255);
}

Status DecodeRows(TIFF* tif, const PageInfo& p, RowKind kind, bool associatedAlpha, Dib& out) {
    const std::uint16_t depth = kind == RowKind::Rgb ? 24 : (kind == RowKind::Indexed ? p.bits : 8);
    const std::uint32_t levels = kind == RowKind::Rgb ? 0 : (kind == RowKind::GreyAlpha ? 256 : (1u << p.bits));
    Dib dib;
    IMAGELIB_TRY(AllocateDib(p.width, p.height, depth, depth <= 8 ? (1u << depth) : 0, dib));
    const auto scanline = static_cast<std::uint64_t>(TIFFScanlineSize64(tif));
    const bool direct = kind == RowKind::Indexed || kind == RowKind::Rgb;
    if (direct && scanline > dib.Stride()) return Status::Error("Unexpected TIFF row size");
    if (p.photometric == PHOTOMETRIC_PALETTE) {
        IMAGELIB_TRY(FillColourMap(tif, p, dib));
    } else if (levels) {
        SetGreyPalette(dib, levels);
        if (p.photometric == PHOTOMETRIC_MINISWHITE) std::reverse(dib.Palette(), dib.Palette() + levels);
    }
    // Whole strips decode much faster than single scanlines; a strip too large for a
    // working buffer is read a scanline at a time instead.
    std::uint32_t rowsPerStrip = p.height;
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    rowsPerStrip = std::clamp<std::uint32_t>(rowsPerStrip, 1, p.height);
    const auto stripSize = static_cast<std::uint64_t>(TIFFStripSize64(tif));
    const bool byStrip = stripSize > 0 && stripSize <= kMaxBandBytes && stripSize >= scanline * rowsPerStrip;
    const std::uint64_t bufferSize = byStrip ? stripSize : scanline;
    if (scanline == 0 || bufferSize > kMaxBandBytes) return Status::Error("Unexpected TIFF row size");
    HeapBlock buffer = HeapBlock::Allocate(static_cast<std::size_t>(bufferSize));
    if (buffer.empty()) return Status::Error("Out of memory");

    const auto storeRow = [&](const std::uint8_t* in, std::uint32_t y) {
        std::uint8_t* row = dib.RowFromTop(y);
        switch (kind) {
        case RowKind::Indexed: std::memcpy(row, in, static_cast<std::size_t>(scanline)); break;
        case RowKind::Rgb: RgbToBgr(in, row, p.width); break;
        case RowKind::TwoBit: UnpackTwoBit(in, row, p.width); break;
        case RowKind::GreyAlpha: CompositeGreyAlpha(in, row, p.width, associatedAlpha); break;
        case RowKind::None: break;
        }
    };
    // A damaged strip keeps the rows decoded before the damage and the rest stays blank;
    // reading goes on, since fax pages in particular often have a bad line or two.
    // Warnings never count. A page without one whole strip or row is refused.
    std::uint32_t goodRows = 0;
    if (byStrip) {
        for (std::uint32_t y = 0; y < p.height; y += rowsPerStrip) {
            const std::uint32_t rows = std::min(rowsPerStrip, p.height - y);
            const auto bytes = static_cast<tmsize_t>(scanline * rows);
            const std::uint32_t strip = TIFFComputeStrip(tif, y, 0);
            if (TIFFReadEncodedStrip(tif, strip, buffer.data(), bytes) >= bytes) {
                goodRows += rows;
            } else {
                // The failed read left its partial rows mixed with the previous strip's;
                // a second read into a cleared buffer keeps only what this strip holds.
                std::memset(buffer.data(), 0, static_cast<std::size_t>(bytes));
                (void)TIFFReadEncodedStrip(tif, strip, buffer.data(), bytes);
            }
            for (std::uint32_t r = 0; r < rows; ++r) storeRow(buffer.data() + r * scanline, y + r);
        }
    } else {
        for (std::uint32_t y = 0; y < p.height; ++y) {
            if (TIFFReadScanline(tif, buffer.data(), y, 0) < 0) continue;
            storeRow(buffer.data(), y);
            ++goodRows;
        }
    }
    if (goodRows == 0) return Status::Error("Corrupt TIFF data");
    out = std::move(dib);
    return Status::Ok();
}

class RgbaImage {
public:
    ~RgbaImage() {
        if (begun_) TIFFRGBAImageEnd(&img_);
    }
    bool Begin(TIFF* tif) {
        char message[1024];
        if (!TIFFRGBAImageOK(tif, message) || !TIFFRGBAImageBegin(&img_, tif, 0, message)) return false;
        begun_ = true;
        // Rows in stored order: the band loop below depends on no flipping.
        img_.req_orientation = ORIENTATION_TOPLEFT;
        img_.orientation = ORIENTATION_TOPLEFT;
        return true;
    }
    TIFFRGBAImage& get() { return img_; }

private:
    TIFFRGBAImage img_{};
    bool begun_ = false;
};

std::uint32_t BandHeight(TIFF* tif, const PageInfo& p) {
    std::uint32_t band = p.height;
    if (p.tiled) TIFFGetField(tif, TIFFTAG_TILELENGTH, &band);
    else TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &band);
    const std::uint64_t cap = std::max<std::uint64_t>(1, kMaxBandBytes / (4ull * p.width));
    return static_cast<std::uint32_t>(std::clamp<std::uint64_t>(band, 1, std::min<std::uint64_t>(cap, p.height)));
}

Status DecodeRgba(TIFF* tif, const PageInfo& p, Dib& out) {
    Dib dib;
    IMAGELIB_TRY(AllocateDib(p.width, p.height, 24, 0, dib));
    RgbaImage image;
    if (!image.Begin(tif)) return Status::Error("Unsupported TIFF layout");
    TIFFRGBAImage& img = image.get();
    if (img.width != p.width || img.height != p.height) return Status::Error("Unexpected TIFF size");
    const std::uint32_t band = BandHeight(tif, p);
    HeapBlock raster = HeapBlock::Allocate(static_cast<std::size_t>(4ull * p.width * band));
    if (raster.empty()) return Status::Error("Out of memory");
    auto* pixels = reinterpret_cast<std::uint32_t*>(raster.data());
    for (std::uint32_t y = 0; y < p.height; y += band) {
        const std::uint32_t rows = std::min(band, p.height - y);
        img.row_offset = static_cast<int>(y);
        img.col_offset = 0;
        if (!TIFFRGBAImageGet(&img, pixels, p.width, rows)) return Status::Error("Corrupt TIFF data");
        for (std::uint32_t r = 0; r < rows; ++r) {
            const std::uint32_t* in = pixels + static_cast<std::size_t>(r) * p.width;
            std::uint8_t* bgr = dib.RowFromTop(y + r);
            for (std::uint32_t x = 0; x < p.width; ++x, bgr += 3) {
                const std::uint32_t v = in[x];
                // libtiff hands alpha pixels over premultiplied: composited onto black.
                bgr[0] = static_cast<std::uint8_t>(TIFFGetB(v));
                bgr[1] = static_cast<std::uint8_t>(TIFFGetG(v));
                bgr[2] = static_cast<std::uint8_t>(TIFFGetR(v));
            }
        }
    }
    out = std::move(dib);
    return Status::Ok();
}

// Group 3 one-dimensional pages are meant to start every line with an end-of-line code,
// which libtiff's Group 3 reader searches for; some writers leave all of them out, and
// then it finds none and yields blank strips. Such a page is the same run-length code
// without byte alignment, so when the first strip does not open with an end-of-line
// code (eleven zero bits; no white run code starts with more than seven) it is read
// that way instead.
void ReadFaxWithoutEolsIfNeeded(TIFF* tif, const PageInfo& p) {
    if (p.compression != COMPRESSION_CCITTFAX3 || p.tiled) return;
    std::uint32_t options = 0;
    TIFFGetField(tif, TIFFTAG_GROUP3OPTIONS, &options);
    if (options & GROUP3OPT_2DENCODING) return;
    std::uint8_t head[2] = {};
    if (TIFFReadRawStrip(tif, 0, head, sizeof head) != static_cast<tmsize_t>(sizeof head)) return;
    std::uint16_t fillOrder = FILLORDER_MSB2LSB;
    TIFFGetFieldDefaulted(tif, TIFFTAG_FILLORDER, &fillOrder);
    const std::uint8_t firstThree = fillOrder == FILLORDER_LSB2MSB ? 0x07 : 0xE0;
    if (head[0] == 0 && (head[1] & firstThree) == 0) return;
    if (TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTRLE))
        TIFFSetField(tif, TIFFTAG_FAXMODE, FAXMODE_NORTC | FAXMODE_NOEOL);
}

}  // namespace

Status DecodeTiff(ByteSpan file, Dib& out) {
    if (file.size() < 8) return Status::Error("Truncated TIFF file");
    TiffMemoryFile memory{file};
    TiffHandle tif(OpenTiffInMemory(memory));
    if (!tif.get()) return Status::Error("Corrupt TIFF header");
    const PageInfo page = ReadPageInfo(tif.get());
    const RowKind kind = KindOf(page);
    // Refuse absurd sizes before libtiff sets up any buffer for them.
    if (page.width == 0 || page.height == 0) return Status::Error("Image has no pixels");
    if (page.width > kMaxSide || page.height > kMaxSide) return Status::Error("Image side exceeds 65535 pixels");
    // Before any strip reaches a codec.
    if (!IsReadableTiffCompression(page.compression)) return Status::Error("Unsupported TIFF compression");
    ReadFaxWithoutEolsIfNeeded(tif.get(), page);
    Dib dib;
    IMAGELIB_TRY(kind == RowKind::None ? DecodeRgba(tif.get(), page, dib)
                                       : DecodeRows(tif.get(), page, kind, page.associatedAlpha, dib));
    std::uint32_t profileBytes = 0;
    void* profile = nullptr;
    if (TIFFGetField(tif.get(), TIFFTAG_ICCPROFILE, &profileBytes, &profile) && profile)
        ConvertToSrgb(ByteSpan(static_cast<const std::uint8_t*>(profile), profileBytes), dib);
    // A value outside 1..8 (libtiff drops most of them itself) leaves the picture as stored.
    std::uint16_t orientation = kStoredUpright;
    TIFFGetField(tif.get(), TIFFTAG_ORIENTATION, &orientation);
    IMAGELIB_TRY(MakeUpright(dib, orientation));
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
