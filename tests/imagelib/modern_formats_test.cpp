// HEIF, AVIF and WebP pictures decoded against the pictures their encoders were given:
// exact where the encoding was lossless, within the codec's error otherwise; alpha on
// black, the containers' rotation and mirroring, colour descriptions, animations, and
// the reduced decodes the picture cache asks for.
#include "imagelib/colour_profile.h"
#include "imagelib/orientation.h"
#include "tests/imagelib/modern_fixtures.h"

#include <lcms2.h>

#include <algorithm>

namespace imagelib_test {
namespace {

using imagelib::Dib;
using imagelib::PictureScale;
using imagelib::Status;

struct Case {
    const char* file;
    ImageFormat format;
    const char* source;
    int tolerance;
};

// Lossy errors measured on these files stay at 7; the lossless ones are exact, and
// premultiplying in the codec rounds by one.
const Case kCases[] = {
    {"picture.heic", FORMAT_HEIF, "picture.png", 8},     {"thumbnail.heic", FORMAT_HEIF, "picture.png", 8},
    {"picture.avif", FORMAT_AVIF, "picture.png", 8},     {"lossless.avif", FORMAT_AVIF, "picture.png", 0},
    {"picture.webp", FORMAT_WEBP, "picture.png", 8},     {"lossless.webp", FORMAT_WEBP, "picture.png", 0},
    {"animation.webp", FORMAT_WEBP, "picture.png", 0},   {"transparent.heic", FORMAT_HEIF, "transparent.png", 8},
    {"transparent.avif", FORMAT_AVIF, "transparent.png", 1}, {"transparent.webp", FORMAT_WEBP, "transparent.png", 1},
};

TEST(ModernFormats, EachFileMatchesThePictureItsEncoderWasGiven) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.file);
        const std::vector<std::uint8_t> bytes = Fixture(c.file);
        Dib dib;
        const Status status = imagelib::DecodeImage(Span(bytes), c.format, dib);
        ASSERT_TRUE(status.ok()) << status.message();
        EXPECT_EQ(dib.BitsPerPixel(), 24);
        const RgbImage expected = Source(c.source), actual = FromDib(dib);
        const Difference d = Compare(actual, expected, c.tolerance);
        EXPECT_TRUE(d.sameSize && d.pixelsBeyond == 0) << Describe(d, actual, expected);
    }
}

// The source picture turned as a camera orientation says, through the one function.
RgbImage Turned(int orientation) {
    const std::vector<std::uint8_t> bytes = Fixture("picture.png");
    Dib dib;
    EXPECT_TRUE(imagelib::DecodePng(Span(bytes), dib).ok());
    EXPECT_TRUE(imagelib::MakeUpright(dib, orientation).ok());
    return FromDib(dib);
}

TEST(ModernFormats, AvifRotationAndMirroringAreAppliedAsLibheifAppliesThem) {
    // avifenc --irot 1: a quarter anticlockwise; --irot 3 --imir 1: three quarters, then
    // left and right exchanged; --imir 0: top and bottom exchanged.
    const std::pair<const char*, int> cases[] = {{"irot1.avif", 8}, {"irot3-imir1.avif", 5}, {"imir0.avif", 4}};
    for (const auto& [file, orientation] : cases) {
        SCOPED_TRACE(file);
        const std::vector<std::uint8_t> bytes = Fixture(file);
        Dib avif, heif;
        PictureScale scale;
        ASSERT_TRUE(imagelib::DecodeAvifScaled(Span(bytes), imagelib::FixedReduction(0), avif, scale).ok());
        // libheif reads the same container and turns the picture itself.
        ASSERT_TRUE(imagelib::DecodeHeif(Span(bytes), heif).ok());
        const RgbImage expected = Turned(orientation);
        const Difference d = Compare(FromDib(avif), expected, 0);
        EXPECT_TRUE(d.sameSize && d.pixelsBeyond == 0) << Describe(d, FromDib(avif), expected);
        const Difference h = Compare(FromDib(heif), expected, 0);
        EXPECT_TRUE(h.sameSize && h.pixelsBeyond == 0) << Describe(h, FromDib(heif), expected);
        EXPECT_EQ(scale.fullWidth, expected.width);
        EXPECT_EQ(scale.fullHeight, expected.height);
    }
}

// Display P3 as the tests of the other formats build it.
std::vector<std::uint8_t> DisplayP3Profile() {
    const cmsCIExyY white = {0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries = {{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    const cmsFloat64Number srgbCurve[] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<std::uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    cmsFreeToneCurve(curve);
    return bytes;
}

// The pixels of `untagged` (the same coded picture without a colour description) taken as
// Display P3 and converted to sRGB by lcms directly.
RgbImage ConvertedByLcms(const char* untagged, ImageFormat format) {
    const std::vector<std::uint8_t> bytes = Fixture(untagged);
    Dib dib;
    EXPECT_TRUE(imagelib::DecodeImage(Span(bytes), format, dib).ok());
    const std::vector<std::uint8_t> p3 = DisplayP3Profile();
    cmsHPROFILE in = cmsOpenProfileFromMem(p3.data(), static_cast<cmsUInt32Number>(p3.size()));
    cmsHPROFILE out = cmsCreate_sRGBProfile();
    cmsHTRANSFORM t = cmsCreateTransform(in, TYPE_BGR_8, out, TYPE_BGR_8, INTENT_PERCEPTUAL, 0);
    for (std::uint32_t y = 0; y < dib.Height(); ++y) cmsDoTransform(t, dib.RowFromTop(y), dib.RowFromTop(y), dib.Width());
    cmsDeleteTransform(t);
    cmsCloseProfile(in);
    cmsCloseProfile(out);
    return FromDib(dib);
}

TEST(ModernFormats, DisplayP3PicturesComeOutInSrgb) {
    // The HEIF carries an ICC profile, the AVIF an nclx description (primaries 12,
    // transfer 13); both were coded from the same pixels as their untagged siblings.
    const Case cases[] = {{"display-p3.heic", FORMAT_HEIF, "picture.heic", 1},
                          {"display-p3.avif", FORMAT_AVIF, "picture.avif", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::vector<std::uint8_t> bytes = Fixture(c.file);
        Dib dib;
        ASSERT_TRUE(imagelib::DecodeImage(Span(bytes), c.format, dib).ok());
        const RgbImage expected = ConvertedByLcms(c.source, c.format), actual = FromDib(dib);
        const Difference d = Compare(actual, expected, c.tolerance);
        EXPECT_TRUE(d.sameSize && d.pixelsBeyond == 0) << Describe(d, actual, expected);
        // And the conversion did something: P3 greens are beyond sRGB's.
        const std::vector<std::uint8_t> untagged = Fixture(c.source);
        Dib plain;
        ASSERT_TRUE(imagelib::DecodeImage(Span(untagged), c.format, plain).ok());
        EXPECT_GT(Compare(actual, FromDib(plain), 0).maxChannelDiff, 10);
    }
}

// The source averaged over blocks of 2^reduction pixels, as a reference for reduced decodes.
RgbImage Averaged(const RgbImage& full, int reduction) {
    const std::uint32_t step = 1u << reduction;
    RgbImage out;
    out.width = (full.width + step - 1) / step;
    out.height = (full.height + step - 1) / step;
    out.rgb.resize(std::size_t{out.width} * out.height * 3);
    for (std::uint32_t y = 0; y < out.height; ++y)
        for (std::uint32_t x = 0; x < out.width; ++x)
            for (int c = 0; c < 3; ++c) {
                unsigned sum = 0, count = 0;
                for (std::uint32_t v = y * step; v < std::min(full.height, (y + 1) * step); ++v)
                    for (std::uint32_t u = x * step; u < std::min(full.width, (x + 1) * step); ++u, ++count)
                        sum += full.At(u, v)[c];
                out.rgb[(std::size_t{y} * out.width + x) * 3 + c] = static_cast<std::uint8_t>((sum + count / 2) / count);
            }
    return out;
}

TEST(ModernFormats, ReducedDecodesHaveTheRoundedUpSidesAndTheFullSize) {
    // Tolerances: the codec's error plus the resampling differences (libwebp scales with
    // its own filter, a thumbnail is a picture of another size averaged down).
    const Case cases[] = {{"lossless.webp", FORMAT_WEBP, "picture.png", 8},
                          {"animation.webp", FORMAT_WEBP, "picture.png", 0},
                          {"picture.heic", FORMAT_HEIF, "picture.png", 8},
                          {"thumbnail.heic", FORMAT_HEIF, "picture.png", 16},
                          {"lossless.avif", FORMAT_AVIF, "picture.png", 0},
                          {"transparent.webp", FORMAT_WEBP, "transparent.png", 16}};
    const RgbImage picture = Source("picture.png");
    for (const Case& c : cases) {
        for (int reduction = 1; reduction <= imagelib::kMaxReduction; ++reduction) {
            SCOPED_TRACE(std::string(c.file) + " at reduction " + std::to_string(reduction));
            const std::vector<std::uint8_t> bytes = Fixture(c.file);
            Dib dib;
            PictureScale scale;
            const Status status =
                imagelib::DecodeImageScaled(Span(bytes), c.format, imagelib::FixedReduction(reduction), dib, scale);
            ASSERT_TRUE(status.ok()) << status.message();
            EXPECT_EQ(scale.fullWidth, picture.width);
            EXPECT_EQ(scale.fullHeight, picture.height);
            EXPECT_EQ(scale.reduction, reduction);
            const RgbImage expected = Averaged(Source(c.source), reduction), actual = FromDib(dib);
            const Difference d = Compare(actual, expected, c.tolerance);
            EXPECT_TRUE(d.sameSize && d.pixelsBeyond == 0) << Describe(d, actual, expected);
        }
    }
}

// A quarter turn anticlockwise (orientation 8).
RgbImage TurnedAnticlockwise(const RgbImage& in) {
    RgbImage out;
    out.width = in.height;
    out.height = in.width;
    out.rgb.resize(in.rgb.size());
    for (std::uint32_t y = 0; y < out.height; ++y)
        for (std::uint32_t x = 0; x < out.width; ++x)
            std::copy_n(in.At(in.width - 1 - y, x), 3, &out.rgb[(std::size_t{y} * out.width + x) * 3]);
    return out;
}

TEST(ModernFormats, AReducedAvifIsTurnedAfterReducing) {
    // As JPEG: the blocks are the stored picture's, so the partial ones at its right edge
    // end up at the top.
    const std::vector<std::uint8_t> bytes = Fixture("irot1.avif");
    Dib dib;
    PictureScale scale;
    ASSERT_TRUE(imagelib::DecodeAvifScaled(Span(bytes), imagelib::FixedReduction(1), dib, scale).ok());
    const RgbImage expected = TurnedAnticlockwise(Averaged(Source("picture.png"), 1));
    const Difference d = Compare(FromDib(dib), expected, 0);
    EXPECT_TRUE(d.sameSize && d.pixelsBeyond == 0) << Describe(d, FromDib(dib), expected);
    EXPECT_EQ(scale.fullWidth, 31u);
    EXPECT_EQ(scale.fullHeight, 47u);
}

TEST(ModernFormats, AReducedHeifComesFromItsThumbnailWhenThatIsLargeEnough) {
    // The picture's own coded tile has a type no decoder knows; its 32 x 20 thumbnail is
    // whole.
    const std::vector<std::uint8_t> bytes = Fixture("thumbnail-only.heic");
    Dib full;
    EXPECT_FALSE(imagelib::DecodeHeif(Span(bytes), full).ok());
    // Half size (24 x 16) fits in the thumbnail.
    Dib half;
    PictureScale scale;
    ASSERT_TRUE(imagelib::DecodeHeifScaled(Span(bytes), imagelib::FixedReduction(1), half, scale).ok());
    const RgbImage expected = Averaged(Source("picture.png"), 1);
    const Difference d = Compare(FromDib(half), expected, 16);
    EXPECT_TRUE(d.sameSize && d.pixelsBeyond == 0) << Describe(d, FromDib(half), expected);
    EXPECT_EQ(scale.fullWidth, 47u);
    EXPECT_EQ(scale.reduction, 1);
    // The full size does not.
    EXPECT_FALSE(imagelib::DecodeHeifScaled(Span(bytes), imagelib::FixedReduction(0), half, scale).ok());
}

}  // namespace
}  // namespace imagelib_test
