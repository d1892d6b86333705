// The orientation tag of TIFF files, through the row reader and the RGBA reader, at
// 24 bits and below a byte a pixel.
#include "imagelib/decoders.h"
#include "tests/imagelib/dib_pixels.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace imagelib {
namespace {

using testing::ColourAt;
using testing::Rgb;

constexpr std::uint32_t kWidth = 40, kHeight = 24;

struct TiffCase {
    const char* name;
    std::uint16_t orientation;
    std::uint16_t bits = 8, samples = 3;
    bool tiled = false;
};

// Quarter `q` (0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right) as stored: four
// colours at 24 bits, four greys at 4 bits, and only the top-left one white at 1 bit.
Rgb QuarterColour(const TiffCase& c, int q) {
    if (c.bits == 1) return q == 0 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
    if (c.samples == 1) {
        const int grey = q * 5 * 17;
        return {grey, grey, grey};
    }
    static constexpr Rgb kColours[] = {{220, 30, 30}, {30, 200, 40}, {30, 40, 210}, {240, 230, 60}};
    return kColours[q];
}

unsigned StoredSample(const TiffCase& c, int q, unsigned sample) {
    const Rgb colour = QuarterColour(c, q);
    if (c.bits == 1) return colour.r ? 1 : 0;
    if (c.bits == 4) return static_cast<unsigned>(colour.r / 17);
    return static_cast<unsigned>(sample == 0 ? colour.r : sample == 1 ? colour.g : colour.b);
}

std::vector<std::uint8_t> EncodeQuarteredTiff(const TiffCase& c) {
    // The process id keeps runs from other worktrees off this file.
    const std::string path =
        ::testing::TempDir() + "tiff_orientation_" + c.name + "_" + std::to_string(getpid()) + ".tif";
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, c.bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, c.samples);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, c.samples == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, c.orientation);
    const std::uint32_t tileSide = 16;
    const std::uint32_t stripWidth = c.tiled ? tileSide : kWidth;
    const std::size_t rowBytes = (static_cast<std::size_t>(stripWidth) * c.samples * c.bits + 7) / 8;
    auto packRow = [&](std::uint32_t y, std::uint32_t x0, std::vector<std::uint8_t>& row) {
        std::fill(row.begin(), row.end(), 0);
        for (std::uint32_t x = 0; x < stripWidth && x0 + x < kWidth; ++x) {
            const int q = (y >= kHeight / 2 ? 2 : 0) + (x0 + x >= kWidth / 2 ? 1 : 0);
            for (unsigned s = 0; s < c.samples; ++s) {
                const unsigned v = StoredSample(c, q, s);
                const std::size_t bit = (static_cast<std::size_t>(x) * c.samples + s) * c.bits;
                row[bit / 8] = static_cast<std::uint8_t>(row[bit / 8] | v << (8 - c.bits - bit % 8));
            }
        }
    };
    std::vector<std::uint8_t> row(rowBytes);
    if (c.tiled) {
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, tileSide);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, tileSide);
        std::vector<std::uint8_t> tile(rowBytes * tileSide);
        for (std::uint32_t ty = 0; ty < kHeight; ty += tileSide)
            for (std::uint32_t tx = 0; tx < kWidth; tx += tileSide) {
                for (std::uint32_t r = 0; r < tileSide; ++r) {
                    packRow(std::min(ty + r, kHeight - 1), tx, row);
                    std::copy(row.begin(), row.end(), tile.begin() + static_cast<std::ptrdiff_t>(r * rowBytes));
                }
                TIFFWriteTile(tif, tile.data(), tx, ty, 0, 0);
            }
    } else {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 8);
        for (std::uint32_t y = 0; y < kHeight; ++y) {
            packRow(y, 0, row);
            TIFFWriteScanline(tif, row.data(), y, 0);
        }
    }
    TIFFClose(tif);
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::remove(path.c_str());
    return bytes;
}

// Which stored quarter each upright corner (top-left, top-right, bottom-left,
// bottom-right) shows.
constexpr int kUprightQuarters[9][4] = {
    {}, {0, 1, 2, 3}, {1, 0, 3, 2}, {3, 2, 1, 0}, {2, 3, 0, 1}, {0, 2, 1, 3}, {2, 0, 3, 1}, {3, 1, 2, 0}, {1, 3, 0, 2},
};

void ExpectUpright(Dib& dib, const TiffCase& c, int orientation) {
    const bool swapped = orientation >= 5;
    ASSERT_EQ(dib.Width(), swapped ? kHeight : kWidth);
    ASSERT_EQ(dib.Height(), swapped ? kWidth : kHeight);
    const std::uint32_t w = dib.Width() - 1, h = dib.Height() - 1;
    const std::uint32_t at[4][2] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ColourAt(dib, at[i][0], at[i][1]), QuarterColour(c, kUprightQuarters[orientation][i]))
            << "corner " << i;
}

class TiffOrientationTest : public ::testing::TestWithParam<TiffCase> {};

TEST_P(TiffOrientationTest, ComesOutUpright) {
    const TiffCase& c = GetParam();
    Dib dib;
    ASSERT_TRUE(DecodeTiff(EncodeQuarteredTiff(c), dib).ok());
    ExpectUpright(dib, c, c.orientation);
    PictureScale scale;
    Dib scaled;
    ASSERT_TRUE(DecodeImageScaled(EncodeQuarteredTiff(c), FORMAT_TIFF, FixedReduction(2), scaled, scale).ok());
    EXPECT_EQ(scale.fullWidth, dib.Width());
    EXPECT_EQ(scale.fullHeight, dib.Height());
}

INSTANTIATE_TEST_SUITE_P(Layouts, TiffOrientationTest,
                         ::testing::Values(TiffCase{"rgbTurned", 6}, TiffCase{"rgbMirrored", 2},
                                           TiffCase{"rgbTransverse", 7}, TiffCase{"tiledTurned", 8, 8, 3, true},
                                           TiffCase{"tiledUpsideDown", 3, 8, 3, true},
                                           TiffCase{"bilevelTransposed", 5, 1, 1},
                                           TiffCase{"bilevelMirrored", 2, 1, 1}, TiffCase{"grey4Turned", 8, 4, 1},
                                           TiffCase{"grey4Flipped", 4, 4, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// libtiff's writer refuses such values, so they are put into a written file's entry.
TEST(TiffOrientation, AbsurdValueLeavesThePictureAsStored) {
    const TiffCase c{"absurd", 6};
    const auto sound = EncodeQuarteredTiff(c);
    const std::uint8_t entry[] = {0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0};
    const auto at = std::search(sound.begin(), sound.end(), std::begin(entry), std::end(entry));
    ASSERT_NE(at, sound.end());
    for (std::uint8_t value : {0, 9, 255}) {
        auto file = sound;
        file[static_cast<std::size_t>(at - sound.begin()) + 8] = value;
        Dib dib;
        ASSERT_TRUE(DecodeTiff(file, dib).ok()) << int(value);
        ExpectUpright(dib, c, 1);
    }
}

}  // namespace
}  // namespace imagelib
