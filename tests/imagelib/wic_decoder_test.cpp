// The Windows build's codecs (the Windows Imaging Component): each format to its pixels,
// GIF composition, orientation, damaged and oversized files, and scaled JPEG decoding.
#include "imagelib/decoders.h"
#include "imagelib/wic_scaled_jpeg.h"
#include "imagelib/wic_source_transform.h"
#include "tests/imagelib/oriented_jpeg.h"
#include "tests/imagelib/wic_test_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace imagelib {
namespace {

using testing::Bgra;
using testing::ColourAt;
using testing::GifImage;
using testing::Near;
using testing::Rgb;

Rgb RgbOf(Bgra p) { return {p.r, p.g, p.b}; }
Bgra Pattern(std::uint32_t x, std::uint32_t y) {
    return Bgra{static_cast<std::uint8_t>(x * 20), static_cast<std::uint8_t>(y * 30), static_cast<std::uint8_t>(x ^ y),
                255};
}

TEST(WicDecoders, PngWithAlphaIsLaidOverBlack) {
    constexpr std::uint32_t w = 7, h = 5;
    testing::Picture pixels(w * h);
    for (std::uint32_t y = 0; y < h; ++y)
        for (std::uint32_t x = 0; x < w; ++x) pixels[y * w + x] = Bgra{Pattern(x, y).b, Pattern(x, y).g, 200, std::uint8_t(x * 40)};
    const auto file = testing::EncodeWithWic(GUID_ContainerFormatPng, pixels, w, h);
    ASSERT_FALSE(file.empty());
    Dib dib;
    ASSERT_TRUE(DecodeImage(file, FORMAT_PNG, dib).ok());
    ASSERT_EQ(dib.Width(), w);
    ASSERT_EQ(dib.Height(), h);
    ASSERT_EQ(dib.BitsPerPixel(), 24);
    for (std::uint32_t y = 0; y < h; ++y)
        for (std::uint32_t x = 0; x < w; ++x) {
            const Bgra p = pixels[y * w + x];
            auto over = [&](int v) { return (v * p.a + 127) / 255; };
            EXPECT_EQ(ColourAt(dib, x, y), (Rgb{over(p.r), over(p.g), over(p.b)})) << x << "," << y;
        }
}

TEST(WicDecoders, TiffAndJpegDecodeToTheirPixels) {
    Dib tiff;
    ASSERT_TRUE(DecodeImage(testing::RgbTiff(9, 4, Pattern), FORMAT_TIFF, tiff).ok());
    ASSERT_EQ(tiff.Width(), 9u);
    ASSERT_EQ(tiff.Height(), 4u);
    for (std::uint32_t y = 0; y < 4; ++y)
        for (std::uint32_t x = 0; x < 9; ++x) EXPECT_EQ(ColourAt(tiff, x, y), RgbOf(Pattern(x, y))) << x << "," << y;

    Dib jpeg;
    ASSERT_TRUE(DecodeImage(testing::EncodeQuarteredJpeg(), FORMAT_JPEG, jpeg).ok());
    ASSERT_EQ(jpeg.Width(), testing::kQuarteredWidth);
    ASSERT_EQ(jpeg.Height(), testing::kQuarteredHeight);
    EXPECT_PRED3(Near, ColourAt(jpeg, 3, 3), testing::QuarterColour(testing::kTopLeft), 8);
    EXPECT_PRED3(Near, ColourAt(jpeg, 60, 28), testing::QuarterColour(testing::kBottomRight), 8);
}

TEST(WicDecoders, AFileOfAnotherFormatIsRefused) {
    const auto png = testing::EncodeWithWic(GUID_ContainerFormatPng, testing::Picture(4), 2, 2);
    const auto tiff = testing::RgbTiff(2, 2, Pattern);
    Dib dib;
    EXPECT_FALSE(DecodeImage(png, FORMAT_JPEG, dib).ok());
    EXPECT_FALSE(DecodeImage(tiff, FORMAT_PNG, dib).ok());
    EXPECT_FALSE(DecodeImage(png, FORMAT_TIFF, dib).ok());
    EXPECT_FALSE(DecodeImage(tiff, FORMAT_GIF, dib).ok());
    EXPECT_TRUE(dib.header.empty());
}

TEST(WicDecoders, Jpeg2000IsRefused) {
    const std::uint8_t codestream[] = {0xFF, 0x4F, 0xFF, 0x51, 0, 41, 0, 0};
    Dib dib;
    const Status status = DecodeImage(codestream, FORMAT_JPC, dib);
    EXPECT_FALSE(status.ok());
    EXPECT_STREQ(status.message(), "No JPEG 2000 decoder on Windows");
    EXPECT_FALSE(DecodeImage(codestream, FORMAT_JP2, dib).ok());
}

// Cut at every length, then with bytes overwritten: an error or a picture, never a crash.
TEST(WicDecoders, DamagedFilesGiveAnErrorNotACrash) {
    const std::vector<std::pair<ImageFormat, std::vector<std::uint8_t>>> files = {
        {FORMAT_JPEG, testing::EncodeQuarteredJpeg()},
        {FORMAT_PNG, testing::EncodeWithWic(GUID_ContainerFormatPng, testing::Picture(64 * 8), 64, 8)},
        {FORMAT_TIFF, testing::RgbTiff(16, 8, Pattern)},
        {FORMAT_GIF, testing::BuildGif(8, 8, {Bgra{0, 0, 255}}, {GifImage{0, 0, 8, 8, std::vector<std::uint8_t>(64)}})},
    };
    for (const auto& [format, file] : files) {
        ASSERT_FALSE(file.empty());
        const std::size_t step = std::max<std::size_t>(1, file.size() / 40);
        for (std::size_t cut = 0; cut < file.size(); cut += step) {
            Dib dib;
            const std::vector<std::uint8_t> part(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
            if (DecodeImage(part, format, dib).ok()) {
                EXPECT_GT(dib.Width(), 0u) << format << " cut " << cut;
            }
            std::vector<std::uint8_t> spoilt = file;
            for (std::size_t i = cut; i < std::min(spoilt.size(), cut + 8); ++i) spoilt[i] = 0xA5;
            (void)DecodeImage(spoilt, format, dib);
        }
    }
    Dib dib;
    EXPECT_FALSE(DecodeImage(std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xD9}, FORMAT_JPEG, dib).ok());
}

// The claimed size is checked before WIC is asked for any pixel: the message is ours.
TEST(WicDecoders, AnAbsurdClaimedSizeIsRefusedFirst) {
    auto jpeg = testing::EncodeQuarteredJpeg();
    for (std::size_t i = 2; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = jpeg[i + 6] = jpeg[i + 7] = jpeg[i + 8] = 0xFF;  // 65535 x 65535
            break;
        }
    auto png = testing::EncodeWithWic(GUID_ContainerFormatPng, testing::Picture(4), 2, 2);
    png[16] = 0x00, png[17] = 0x01, png[18] = 0x86, png[19] = 0xA0;  // 100000 wide
    auto gif = testing::BuildGif(2, 2, {}, {GifImage{0, 0, 2, 2, std::vector<std::uint8_t>(4)}});
    gif[6] = gif[7] = gif[8] = gif[9] = 0xFF;
    // Width and length are the first two entries of the IFD after the 12 pixel bytes.
    auto tiff = testing::RgbTiff(2, 2, Pattern);
    for (std::size_t at : {38u, 50u}) tiff[at] = 0x60, tiff[at + 1] = 0xEA;  // 60000
    const struct {
        ImageFormat format;
        const std::vector<std::uint8_t>& file;
        const char* message;
    } cases[] = {{FORMAT_JPEG, jpeg, "Pixel block exceeds the limit"},
                 {FORMAT_PNG, png, "Image side exceeds 65535 pixels"},
                 {FORMAT_GIF, gif, "Pixel block exceeds the limit"},
                 {FORMAT_TIFF, tiff, "Pixel block exceeds the limit"}};
    for (const auto& c : cases) {
        Dib dib;
        const Status status = DecodeImage(c.file, c.format, dib);
        EXPECT_STREQ(status.message(), c.message) << c.format;
        EXPECT_TRUE(dib.bits.empty());
    }
}

TEST(WicDecoders, TiffOrientationTurnsThePictureUpright) {
    const auto pixel = [](std::uint32_t x, std::uint32_t y) { return Pattern(x, y); };
    Dib turned, half;
    ASSERT_TRUE(DecodeImage(testing::RgbTiff(5, 3, pixel, 6), FORMAT_TIFF, turned).ok());
    ASSERT_TRUE(DecodeImage(testing::RgbTiff(5, 3, pixel, 3), FORMAT_TIFF, half).ok());
    ASSERT_EQ(turned.Width(), 3u);
    ASSERT_EQ(turned.Height(), 5u);
    // 6: the stored picture is shown a quarter turn clockwise.
    for (std::uint32_t y = 0; y < 5; ++y)
        for (std::uint32_t x = 0; x < 3; ++x) EXPECT_EQ(ColourAt(turned, x, y), RgbOf(Pattern(y, 2 - x)));
    EXPECT_EQ(ColourAt(half, 0, 0), RgbOf(Pattern(4, 2)));
}

class WicJpegOrientation : public ::testing::TestWithParam<int> {};

TEST_P(WicJpegOrientation, ComesOutUprightFromItsExifTag) {
    testing::ExifTag tag;
    tag.value = static_cast<std::uint16_t>(GetParam());
    tag.bigEndian = GetParam() % 2 == 0;
    const auto file = testing::WithApp1(testing::EncodeQuarteredJpeg(), {testing::ExifBody(tag)});
    Dib dib;
    ASSERT_TRUE(DecodeImage(file, FORMAT_JPEG, dib).ok());
    const bool swapped = GetParam() >= 5;
    ASSERT_EQ(dib.Width(), swapped ? testing::kQuarteredHeight : testing::kQuarteredWidth);
    // Where the stored top-left quarter lands in the upright picture.
    static constexpr bool kRight[9] = {false, false, true, true, false, false, true, true, false};
    static constexpr bool kBottom[9] = {false, false, false, true, true, false, false, true, true};
    const std::uint32_t x = kRight[GetParam()] ? dib.Width() - 2 : 1, y = kBottom[GetParam()] ? dib.Height() - 2 : 1;
    EXPECT_PRED3(Near, ColourAt(dib, x, y), testing::QuarterColour(testing::kTopLeft), 8);
}

INSTANTIATE_TEST_SUITE_P(AllEight, WicJpegOrientation, ::testing::Range(1, 9));

}  // namespace
}  // namespace imagelib
