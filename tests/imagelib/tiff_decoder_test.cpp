// TIFF decoding against files written here with libtiff (through a scratch file).
#include "imagelib/decoders.h"
#include "tests/imagelib/dib_pixels.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace imagelib {
namespace {

using testing::ColourAt;
using testing::IndexAt;
using testing::Near;
using testing::Rgb;

constexpr std::uint32_t kWidth = 37, kHeight = 21;

struct TiffShape {
    std::string name;
    std::uint16_t compression = COMPRESSION_NONE;
    std::uint16_t photometric = PHOTOMETRIC_RGB;
    std::uint16_t bits = 8, samples = 3;
    std::uint16_t extra = 0;  // EXTRASAMPLE_* for a last alpha sample, when samples say so
    bool tiled = false;
    std::uint32_t rowsPerStrip = 4;
    std::uint32_t faxMode = FAXMODE_CLASSIC;  // how a fax writer lays out lines
    std::uint16_t fillOrder = FILLORDER_MSB2LSB;
};

unsigned Sample(std::uint32_t x, std::uint32_t y, unsigned c, unsigned max) {
    return (x * 5 + y * 11 + c * 17) % (max + 1);
}

std::vector<std::uint8_t> ReadBack(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::remove(path.c_str());
    return bytes;
}

std::vector<std::uint8_t> EncodeTiff(const TiffShape& shape) {
    // Named by process too: CTest runs each test in a process of its own, two at a time.
    const std::string path =
        ::testing::TempDir() + "tiff_fixture_" + shape.name + "_" + std::to_string(getpid()) + ".tif";
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, shape.bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, shape.samples);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, shape.photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, shape.compression);
    if (shape.extra) TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &shape.extra);
    if (shape.compression == COMPRESSION_JPEG) TIFFSetField(tif, TIFFTAG_JPEGQUALITY, 100);
    if (shape.faxMode != FAXMODE_CLASSIC) TIFFSetField(tif, TIFFTAG_FAXMODE, shape.faxMode);
    TIFFSetField(tif, TIFFTAG_FILLORDER, shape.fillOrder);
    std::vector<std::uint16_t> map(1u << 8);
    if (shape.photometric == PHOTOMETRIC_PALETTE) {
        std::vector<std::uint16_t> red(1u << shape.bits), green(red.size()), blue(red.size());
        for (std::size_t i = 0; i < red.size(); ++i) {
            red[i] = static_cast<std::uint16_t>(i * 4000);
            green[i] = static_cast<std::uint16_t>(65535 - i * 3000);
            blue[i] = static_cast<std::uint16_t>(i * 257);
        }
        TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
    }
    const unsigned max = (1u << shape.bits) - 1;
    const std::size_t rowBytes = (static_cast<std::size_t>(kWidth) * shape.samples * shape.bits + 7) / 8;
    auto fillRow = [&](std::uint32_t y, std::vector<std::uint8_t>& row, std::uint32_t x0, std::uint32_t count) {
        std::fill(row.begin(), row.end(), 0);
        for (std::uint32_t x = 0; x < count; ++x)
            for (unsigned c = 0; c < shape.samples; ++c) {
                const unsigned v = Sample(x0 + x, y, c, max);
                const std::size_t i = static_cast<std::size_t>(x) * shape.samples + c;
                if (shape.bits == 16) {
                    row[2 * i] = row[2 * i + 1] = static_cast<std::uint8_t>(v >> 8);
                } else if (shape.bits == 8) {
                    row[i] = static_cast<std::uint8_t>(v);
                } else {
                    const std::size_t bit = i * shape.bits;
                    row[bit / 8] |= static_cast<std::uint8_t>(v << (8 - shape.bits - bit % 8));
                }
            }
    };
    if (shape.tiled) {
        constexpr std::uint32_t kTile = 16;
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, kTile);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, kTile);
        std::vector<std::uint8_t> tile(static_cast<std::size_t>(TIFFTileSize(tif)));
        const std::size_t tileRow = static_cast<std::size_t>(kTile) * shape.samples * shape.bits / 8;
        std::vector<std::uint8_t> row(tileRow);
        for (std::uint32_t ty = 0; ty < kHeight; ty += kTile)
            for (std::uint32_t tx = 0; tx < kWidth; tx += kTile) {
                for (std::uint32_t r = 0; r < kTile; ++r) {
                    fillRow(ty + r, row, tx, kTile);
                    std::copy(row.begin(), row.end(), tile.begin() + static_cast<std::ptrdiff_t>(r * tileRow));
                }
                TIFFWriteTile(tif, tile.data(), tx, ty, 0, 0);
            }
    } else {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, shape.rowsPerStrip);
        std::vector<std::uint8_t> row(rowBytes);
        for (std::uint32_t y = 0; y < kHeight; ++y) {
            fillRow(y, row, 0, kWidth);
            TIFFWriteScanline(tif, row.data(), y, 0);
        }
    }
    TIFFClose(tif);
    return ReadBack(path);
}

struct Case {
    TiffShape shape;
    std::uint16_t depth;
    int tolerance;
    std::function<Rgb(std::uint32_t, std::uint32_t)> expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.shape.name; }

Rgb Rgb8(std::uint32_t x, std::uint32_t y) {
    return {static_cast<int>(Sample(x, y, 0, 255)), static_cast<int>(Sample(x, y, 1, 255)),
            static_cast<int>(Sample(x, y, 2, 255))};
}

std::vector<Case> Cases() {
    auto grey = [](unsigned bits, bool white) {
        return [bits, white](std::uint32_t x, std::uint32_t y) {
            const unsigned max = (1u << bits) - 1;
            int v = static_cast<int>(Sample(x, y, 0, max) * 255 / max);
            if (white) v = 255 - v;
            return Rgb{v, v, v};
        };
    };
    auto palette = [](unsigned bits) {
        return [bits](std::uint32_t x, std::uint32_t y) {
            const unsigned i = Sample(x, y, 0, (1u << bits) - 1);
            return Rgb{static_cast<std::uint16_t>(i * 4000) >> 8, static_cast<std::uint16_t>(65535 - i * 3000) >> 8,
                       static_cast<int>(i)};
        };
    };
    auto rgbaOverBlack = [](std::uint32_t x, std::uint32_t y) {
        const unsigned a = Sample(x, y, 3, 255);
        auto over = [a](unsigned v) { return static_cast<int>((v * a + 127) / 255); };
        return Rgb{over(Sample(x, y, 0, 255)), over(Sample(x, y, 1, 255)), over(Sample(x, y, 2, 255))};
    };
    return {
        {{"rgbNone"}, 24, 0, Rgb8},
        {{"rgbDeflate", COMPRESSION_ADOBE_DEFLATE}, 24, 0, Rgb8},
        {{"rgbLzw", COMPRESSION_LZW}, 24, 0, Rgb8},
        {{"rgbPackBits", COMPRESSION_PACKBITS}, 24, 0, Rgb8},
        {{"rgbTiled", COMPRESSION_LZW, PHOTOMETRIC_RGB, 8, 3, 0, true}, 24, 0, Rgb8},
        {{"rgbJpeg", COMPRESSION_JPEG, PHOTOMETRIC_RGB, 8, 3, 0, false, 8}, 24, 40, Rgb8},
        {{"rgb16", COMPRESSION_NONE, PHOTOMETRIC_RGB, 16, 3},
         24,
         1,
         [](std::uint32_t x, std::uint32_t y) {
             return Rgb{static_cast<int>(Sample(x, y, 0, 65535) >> 8), static_cast<int>(Sample(x, y, 1, 65535) >> 8),
                        static_cast<int>(Sample(x, y, 2, 65535) >> 8)};
         }},
        {{"rgbaUnassociated", COMPRESSION_LZW, PHOTOMETRIC_RGB, 8, 4, EXTRASAMPLE_UNASSALPHA}, 24, 1, rgbaOverBlack},
        {{"bilevelG4", COMPRESSION_CCITTFAX4, PHOTOMETRIC_MINISWHITE, 1, 1}, 1, 0, grey(1, true)},
        {{"bilevelG3", COMPRESSION_CCITTFAX3, PHOTOMETRIC_MINISBLACK, 1, 1}, 1, 0, grey(1, false)},
        {{"bilevelG3LsbFirst", COMPRESSION_CCITTFAX3, PHOTOMETRIC_MINISWHITE, 1, 1, 0, false, 4, FAXMODE_CLASSIC,
          FILLORDER_LSB2MSB},
         1,
         0,
         grey(1, true)},
        // Lines without end-of-line codes, which libtiff's Group 3 reader cannot find.
        {{"bilevelG3NoEol", COMPRESSION_CCITTFAX3, PHOTOMETRIC_MINISWHITE, 1, 1, 0, false, 4,
          FAXMODE_NOEOL | FAXMODE_NORTC},
         1,
         0,
         grey(1, true)},
        {{"bilevelG3NoEolLsbFirst", COMPRESSION_CCITTFAX3, PHOTOMETRIC_MINISWHITE, 1, 1, 0, false, 4,
          FAXMODE_NOEOL | FAXMODE_NORTC, FILLORDER_LSB2MSB},
         1,
         0,
         grey(1, true)},
        {{"grey2", COMPRESSION_NONE, PHOTOMETRIC_MINISBLACK, 2, 1}, 8, 0, grey(2, false)},
        {{"grey4White", COMPRESSION_LZW, PHOTOMETRIC_MINISWHITE, 4, 1}, 4, 0, grey(4, true)},
        {{"grey8", COMPRESSION_ADOBE_DEFLATE, PHOTOMETRIC_MINISBLACK, 8, 1}, 8, 0, grey(8, false)},
        {{"grey16", COMPRESSION_NONE, PHOTOMETRIC_MINISBLACK, 16, 1},
         24,
         1,
         [](std::uint32_t x, std::uint32_t y) {
             const int v = static_cast<int>(Sample(x, y, 0, 65535) >> 8);
             return Rgb{v, v, v};
         }},
        {{"greyAlphaAssociated", COMPRESSION_NONE, PHOTOMETRIC_MINISBLACK, 8, 2, EXTRASAMPLE_ASSOCALPHA},
         8,
         0,
         grey(8, false)},
        {{"palette4", COMPRESSION_PACKBITS, PHOTOMETRIC_PALETTE, 4, 1}, 4, 0, palette(4)},
        {{"palette8", COMPRESSION_LZW, PHOTOMETRIC_PALETTE, 8, 1}, 8, 0, palette(8)},
    };
}

class TiffPixelsTest : public ::testing::TestWithParam<Case> {};

TEST_P(TiffPixelsTest, DecodesPixels) {
    const Case& c = GetParam();
    Dib dib;
    const Status status = DecodeTiff(EncodeTiff(c.shape), dib);
    ASSERT_TRUE(status.ok()) << status.message();
    ASSERT_EQ(dib.Width(), kWidth);
    ASSERT_EQ(dib.Height(), kHeight);
    ASSERT_EQ(dib.BitsPerPixel(), c.depth);
    for (std::uint32_t y = 0; y < kHeight; ++y)
        for (std::uint32_t x = 0; x < kWidth; ++x)
            ASSERT_PRED3(Near, ColourAt(dib, x, y), c.expected(x, y), c.tolerance) << "at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Kinds, TiffPixelsTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.shape.name; });

TEST(TiffDecoder, PaletteKeepsIndices) {
    Dib dib;
    ASSERT_TRUE(DecodeTiff(EncodeTiff({"indices", COMPRESSION_NONE, PHOTOMETRIC_PALETTE, 8, 1}), dib).ok());
    EXPECT_EQ(IndexAt(dib, 5, 3), static_cast<int>(Sample(5, 3, 0, 255)));
}

std::uint32_t Le32(const std::vector<std::uint8_t>& file, std::size_t at) {
    return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) | (static_cast<std::uint32_t>(file[at + 3]) << 24);
}

// Overwrites value `index` of a SHORT or LONG tag in the first directory.
void SetTag(std::vector<std::uint8_t>& file, std::uint16_t tag, std::uint32_t value, std::uint32_t index = 0) {
    const std::uint32_t ifd = Le32(file, 4);
    const std::uint16_t count = static_cast<std::uint16_t>(file[ifd] | (file[ifd + 1] << 8));
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t e = ifd + 2 + 12 * i;
        if ((file[e] | (file[e + 1] << 8)) != tag) continue;
        const std::size_t size = file[e + 2] == 3 ? 2 : 4;
        const std::uint32_t values = Le32(file, e + 4);
        ASSERT_LT(index, values);
        const std::size_t at = (values * size <= 4 ? e + 8 : Le32(file, e + 8)) + index * size;
        for (std::size_t b = 0; b < size; ++b) file[at + b] = static_cast<std::uint8_t>(value >> (8 * b));
        return;
    }
    FAIL() << "tag " << tag << " missing";
}

TEST(TiffDecoder, DamagedStripKeepsItsFirstRowsAndTheOtherStrips) {
    constexpr std::uint32_t kRows = 8;
    auto file = EncodeTiff({"damaged", COMPRESSION_CCITTFAX3, PHOTOMETRIC_MINISWHITE, 1, 1, 0, false, kRows});
    ASSERT_EQ(file[0], 'I');
    // Strip 1 loses the second half of its data: its decode ends in an error.
    const std::uint32_t ifd = Le32(file, 4);
    std::uint32_t countsAt = 0;
    const std::uint32_t tags = file[ifd] | (file[ifd + 1] << 8u);
    for (std::uint32_t i = 0; i < tags; ++i)
        if ((file[ifd + 2 + 12 * i] | (file[ifd + 3 + 12 * i] << 8)) == TIFFTAG_STRIPBYTECOUNTS)
            countsAt = Le32(file, ifd + 2 + 12 * i + 8);
    ASSERT_NE(countsAt, 0u);
    SetTag(file, TIFFTAG_STRIPBYTECOUNTS, Le32(file, countsAt + 4) / 2, 1);

    Dib dib;
    const Status status = DecodeTiff(file, dib);
    ASSERT_TRUE(status.ok()) << status.message();
    auto rowIsRight = [&](std::uint32_t y) {
        for (std::uint32_t x = 0; x < kWidth; ++x)
            if (IndexAt(dib, x, y) != static_cast<int>(Sample(x, y, 0, 1))) return false;
        return true;
    };
    auto rowIsBlank = [&](std::uint32_t y) {
        for (std::uint32_t x = 0; x < kWidth; ++x)
            if (IndexAt(dib, x, y) != 0) return false;
        return true;
    };
    for (std::uint32_t y = 0; y < kHeight; ++y) {
        if (y < kRows || y >= 2 * kRows) {
            EXPECT_TRUE(rowIsRight(y)) << "row " << y;
        }
    }
    // Rows decoded before the damage are kept; the rest of the strip is blank, not
    // left over from the strip before.
    EXPECT_TRUE(rowIsRight(kRows));
    std::uint32_t kept = kRows;
    while (kept < 2 * kRows && rowIsRight(kept)) ++kept;
    for (std::uint32_t y = kept + 1; y < 2 * kRows; ++y) EXPECT_TRUE(rowIsBlank(y)) << "row " << y;
    EXPECT_LT(kept, 2 * kRows - 1);
}

TEST(TiffDecoder, RefusesBrokenFilesAndLeavesOutputAlone) {
    const auto good = EncodeTiff({"broken", COMPRESSION_LZW});
    ASSERT_EQ(good[0], 'I');  // the patching below assumes little-endian
    auto wide = good;
    SetTag(wide, TIFFTAG_IMAGEWIDTH, 70000);
    auto huge = good;
    SetTag(huge, TIFFTAG_IMAGEWIDTH, 60000);
    SetTag(huge, TIFFTAG_IMAGELENGTH, 60000);
    auto badStrips = good;
    for (std::uint32_t strip = 0; strip < (kHeight + 3) / 4; ++strip)
        SetTag(badStrips, TIFFTAG_STRIPOFFSETS, 0xFFFFFF00u, strip);
    const std::vector<std::vector<std::uint8_t>> cases = {
        {},
        {'I', 'I', 42, 0},
        std::vector<std::uint8_t>(good.begin(), good.begin() + 8),
        std::vector<std::uint8_t>(500, 0x49),
        wide,
        huge,
        badStrips,
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Dib dib;
        EXPECT_FALSE(DecodeTiff(cases[i], dib).ok()) << "case " << i;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << "case " << i;
    }
}

// Schemes outside the tested set never reach their codec, whatever libtiff was built with.
TEST(TiffDecoder, RefusesCompressionSchemesOutsideTheTestedSet) {
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
    for (const std::uint16_t scheme : {COMPRESSION_ZSTD, COMPRESSION_LZMA, COMPRESSION_PIXARLOG}) {
        if (!TIFFIsCODECConfigured(scheme)) continue;
        const TiffShape shape{"scheme" + std::to_string(scheme), scheme};
        files.emplace_back(shape.name, EncodeTiff(shape));
    }
    // JBIG streams declaring pictures far larger than the page: the JBIG library aborts
    // the process when it cannot allocate for them.
    const char* source = std::getenv("VARNELLE_SOURCE_DIR");
    for (const char* name : {"tiff-jbig-huge-alloc.tif", "tiff-jbig-oom.tif"}) {
        std::ifstream in(std::string(source ? source : ".") + "/fuzz/corpus/tiff/" + name, std::ios::binary);
        files.emplace_back(name, std::vector<std::uint8_t>{std::istreambuf_iterator<char>(in), {}});
        ASSERT_FALSE(files.back().second.empty()) << name;
    }
    for (const auto& [name, bytes] : files) {
        Dib dib;
        const Status status = DecodeTiff(bytes, dib);
        EXPECT_STREQ(status.message(), "Unsupported TIFF compression") << name;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << name;
    }
}

}  // namespace
}  // namespace imagelib
