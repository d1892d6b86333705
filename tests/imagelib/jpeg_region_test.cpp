// A part of a JPEG picture decoded alone must be exactly that part of the whole decode.
#include "imagelib/decoders.h"
#include "tests/imagelib/oriented_jpeg.h"
#include "tests/imagelib/test_jpeg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace imagelib {
namespace {

using testing::ColourAt;
using testing::Rgb;

// Odd sides, so the last block column and row are partial.
constexpr std::uint32_t kWidth = 203, kHeight = 149;

// Detail in every pixel: a region that upsampled or smoothed its edges differently would show.
Rgb Texture(std::uint32_t x, std::uint32_t y) {
    return {static_cast<int>((x * 7 + y * 3) % 256), static_cast<int>((x * y + 40) % 256),
            static_cast<int>((x ^ (y * 5)) % 256)};
}

Dib WholeAt(const std::vector<std::uint8_t>& file, int reduction) {
    Dib whole;
    PictureScale scale;
    EXPECT_TRUE(DecodeJpegScaled(file, FixedReduction(reduction), whole, scale).ok());
    return whole;
}

// Every pixel of `part` against the same pixel of `whole`.
void ExpectSamePixels(Dib& whole, Dib& part, const PixelRect& region) {
    ASSERT_EQ(part.Width(), region.width);
    ASSERT_EQ(part.Height(), region.height);
    ASSERT_EQ(part.BitsPerPixel(), whole.BitsPerPixel());
    for (std::uint32_t y = 0; y < region.height; ++y)
        for (std::uint32_t x = 0; x < region.width; ++x)
            ASSERT_EQ(ColourAt(part, x, y), ColourAt(whole, region.left + x, region.top + y))
                << "at " << region.left + x << "," << region.top + y;
}

struct RegionCase {
    const char* name;
    testing::JpegEncoding encoding;
    int reduction;
    PixelRect wanted;
};

class JpegRegionTest : public ::testing::TestWithParam<RegionCase> {};

TEST_P(JpegRegionTest, HoldsTheSamePixelsAsTheWholeDecode) {
    const RegionCase& c = GetParam();
    const auto file = testing::EncodeTestJpeg(kWidth, kHeight, Texture, c.encoding);
    Dib whole = WholeAt(file, c.reduction);
    Dib part;
    PixelRect region;
    PictureScale scale;
    ASSERT_TRUE(DecodeJpegRegion(file, c.reduction, c.wanted, part, region, scale).ok());
    EXPECT_EQ(scale.fullWidth, kWidth);
    EXPECT_EQ(scale.fullHeight, kHeight);
    EXPECT_EQ(scale.reduction, c.reduction);
    // The rows asked for exactly; the columns at least those, widened to whole blocks.
    const std::uint32_t right = std::min(c.wanted.left + c.wanted.width, whole.Width());
    const std::uint32_t bottom = std::min(c.wanted.top + c.wanted.height, whole.Height());
    EXPECT_EQ(region.top, c.wanted.top);
    EXPECT_EQ(region.top + region.height, bottom);
    EXPECT_LE(region.left, c.wanted.left);
    EXPECT_GE(region.left + region.width, right);
    EXPECT_LE(region.left + region.width, whole.Width());
    ExpectSamePixels(whole, part, region);
}

const testing::JpegEncoding kSubsampled{JCS_RGB, false, 0, true};
const testing::JpegEncoding kProgressiveSubsampled{JCS_RGB, true, 0, true};
const testing::JpegEncoding kFullChroma{};
const testing::JpegEncoding kGrey{JCS_GRAYSCALE};
const testing::JpegEncoding kCmyk{JCS_CMYK};

INSTANTIATE_TEST_SUITE_P(
    Parts, JpegRegionTest,
    ::testing::Values(
        // 4:2:0 blocks are 16 pixels wide: an offset of 21 and a width of 37 are widened.
        RegionCase{"subsampledOddOffsets", kSubsampled, 0, {21, 33, 37, 41}},
        RegionCase{"subsampledHalfScale", kSubsampled, 1, {13, 7, 19, 23}},
        RegionCase{"progressive", kProgressiveSubsampled, 0, {45, 61, 50, 30}},
        RegionCase{"progressiveHalfScale", kProgressiveSubsampled, 1, {9, 11, 31, 27}},
        RegionCase{"fullChroma", kFullChroma, 0, {3, 5, 11, 13}},
        RegionCase{"grey", kGrey, 1, {17, 19, 21, 23}},
        RegionCase{"adobeCmyk", kCmyk, 0, {29, 31, 33, 35}},
        // The edges: the top-left corner, the bottom-right one (asked past the picture), a
        // one-pixel sliver, and the whole picture.
        RegionCase{"topLeftCorner", kSubsampled, 0, {0, 0, 40, 30}},
        RegionCase{"bottomRightPastTheEdge", kSubsampled, 0, {180, 130, 100, 100}},
        RegionCase{"bottomRightHalfScale", kSubsampled, 1, {90, 60, 50, 50}},
        RegionCase{"lastColumnAndRow", kSubsampled, 0, {202, 148, 1, 1}},
        RegionCase{"everything", kSubsampled, 0, {0, 0, kWidth, kHeight}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JpegRegion, RefusesARegionOutsideThePictureOrEmpty) {
    const auto file = testing::EncodeTestJpeg(kWidth, kHeight, Texture, kSubsampled);
    Dib part;
    PixelRect region;
    PictureScale scale;
    EXPECT_FALSE(DecodeJpegRegion(file, 0, {kWidth, 0, 10, 10}, part, region, scale).ok());
    EXPECT_FALSE(DecodeJpegRegion(file, 1, {0, 75, 10, 10}, part, region, scale).ok());  // 75 rows at 1/2
    EXPECT_FALSE(DecodeJpegRegion(file, 0, {5, 5, 0, 10}, part, region, scale).ok());
    EXPECT_TRUE(part.bits.empty());
}

// A region of a file whose data ends early: what was there is as the whole decode has it,
// the rest black, and below the end all black; nothing made up, no failure.
TEST(JpegRegion, OfATruncatedFileIsBlackWhereTheDataEnded) {
    auto file = testing::EncodeTestJpeg(kWidth, kHeight, Texture, kSubsampled);
    file.resize(file.size() / 3);
    Dib whole = WholeAt(file, 0);
    Dib part;
    PixelRect region;
    PictureScale scale;
    ASSERT_TRUE(DecodeJpegRegion(file, 0, {21, 10, 90, 120}, part, region, scale).ok());
    ExpectSamePixels(whole, part, region);
    EXPECT_EQ(ColourAt(part, 0, region.height - 1), Rgb{});

    ASSERT_TRUE(DecodeJpegRegion(file, 0, {21, 120, 90, 29}, part, region, scale).ok());
    for (std::uint32_t y = 0; y < region.height; ++y) ASSERT_EQ(ColourAt(part, 5, y), Rgb{}) << y;
}

TEST(JpegRegion, RefusesDamagedAndHugeFiles) {
    const auto file = testing::EncodeTestJpeg(kWidth, kHeight, Texture, kSubsampled);
    Dib part;
    PixelRect region;
    PictureScale scale;
    const std::vector<std::uint8_t> header(file.begin(), file.begin() + 20);
    EXPECT_FALSE(DecodeJpegRegion(header, 0, {0, 0, 10, 10}, part, region, scale).ok());
    std::vector<std::uint8_t> garbage(file.size(), 0x5A);
    EXPECT_FALSE(DecodeJpegRegion(garbage, 0, {0, 0, 10, 10}, part, region, scale).ok());

    // A frame header claiming 65000 x 65000 is refused at every scale, region or not.
    auto huge = file;
    for (std::size_t i = 2; i + 8 < huge.size(); ++i) {
        if (huge[i] != 0xFF || huge[i + 1] != 0xC0) continue;
        huge[i + 5] = huge[i + 7] = 0xFD;
        huge[i + 6] = huge[i + 8] = 0xE8;
        break;
    }
    EXPECT_FALSE(DecodeJpegScaled(huge, FixedReduction(3), part, scale).ok());
    EXPECT_FALSE(DecodeJpegRegion(huge, 3, {0, 0, 10, 10}, part, region, scale).ok());
    EXPECT_TRUE(part.bits.empty());
}

// A turned picture would need the whole picture decoded to find a part of it upright.
TEST(JpegRegion, RefusesAPictureStoredTurned) {
    const auto file = testing::WithApp1(testing::EncodeQuarteredJpeg(), {testing::ExifBody({6})});
    Dib part;
    PixelRect region;
    PictureScale scale;
    EXPECT_FALSE(DecodeJpegRegion(file, 0, {0, 0, 8, 8}, part, region, scale).ok());
    const auto upright = testing::WithApp1(testing::EncodeQuarteredJpeg(), {testing::ExifBody({1})});
    EXPECT_TRUE(DecodeJpegRegion(upright, 0, {0, 0, 8, 8}, part, region, scale).ok());
}

TEST(JpegRegion, OtherFormatsAreRefused) {
    const auto file = testing::EncodeTestJpeg(kWidth, kHeight, Texture, kSubsampled);
    Dib part;
    PixelRect region;
    PictureScale scale;
    EXPECT_FALSE(DecodeImageRegion(file, FORMAT_PNG, 0, {0, 0, 8, 8}, part, region, scale).ok());
    EXPECT_TRUE(DecodeImageRegion(file, FORMAT_JPEG, 0, {0, 0, 8, 8}, part, region, scale).ok());
}

}  // namespace
}  // namespace imagelib
