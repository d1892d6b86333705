// JPEG decoding against files made here with libjpeg's own encoder.
#include "imagelib/decoders.h"
#include "tests/imagelib/test_jpeg.h"

#include <gtest/gtest.h>


#include <vector>

namespace imagelib {
namespace {

using testing::ColourAt;
using testing::Near;
using testing::Rgb;

constexpr std::uint32_t kWidth = 32, kHeight = 16;

// Flat 8x8 blocks survive quality-100 coding almost exactly.
Rgb BlockColour(std::uint32_t x, std::uint32_t y) {
    const int block = static_cast<int>((x / 8) + 4 * (y / 8));
    return {(block * 37) % 256, (block * 91 + 40) % 256, (block * 53 + 200) % 256};
}

std::vector<std::uint8_t> EncodeJpeg(const testing::JpegEncoding& encoding) {
    return testing::EncodeTestJpeg(kWidth, kHeight, BlockColour, encoding);
}

struct ColourCase {
    const char* name;
    testing::JpegEncoding options;
    std::uint16_t depth;
};

class JpegColourTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(JpegColourTest, DecodesPixelsWithinTolerance) {
    const ColourCase& c = GetParam();
    const auto file = EncodeJpeg(c.options);
    Dib dib;
    ASSERT_TRUE(DecodeJpeg(file, dib).ok());
    ASSERT_EQ(dib.Width(), kWidth);
    ASSERT_EQ(dib.Height(), kHeight);
    ASSERT_EQ(dib.BitsPerPixel(), c.depth);
    for (std::uint32_t y = 0; y < kHeight; ++y)
        for (std::uint32_t x = 0; x < kWidth; ++x) {
            Rgb expected = BlockColour(x, y);
            if (c.options.space == JCS_GRAYSCALE) expected = {expected.g, expected.g, expected.g};
            ASSERT_PRED3(Near, ColourAt(dib, x, y), expected, 2) << "at " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Kinds, JpegColourTest,
                         ::testing::Values(ColourCase{"baseline", {JCS_RGB, false}, 24},
                                           ColourCase{"progressive", {JCS_RGB, true}, 24},
                                           ColourCase{"grey", {JCS_GRAYSCALE, false}, 8},
                                           ColourCase{"greyProgressive", {JCS_GRAYSCALE, true}, 8},
                                           ColourCase{"adobeCmyk", {JCS_CMYK, false}, 24}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JpegDecoder, GreyPictureHasAnEvenGreyTable) {
    Dib dib;
    ASSERT_TRUE(DecodeJpeg(EncodeJpeg({JCS_GRAYSCALE, false, 0}), dib).ok());
    ASSERT_EQ(dib.ColoursUsed(), 256u);
    for (int i = 0; i < 256; i += 51) EXPECT_EQ(dib.Palette()[i].red, i);
}

// Finds the first SOFn marker and patches its height and width.
void SetFrameSize(std::vector<std::uint8_t>& file, std::uint16_t width, std::uint16_t height) {
    for (std::size_t i = 2; i + 9 < file.size(); ++i)
        if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) {
            file[i + 5] = static_cast<std::uint8_t>(height >> 8);
            file[i + 6] = static_cast<std::uint8_t>(height);
            file[i + 7] = static_cast<std::uint8_t>(width >> 8);
            file[i + 8] = static_cast<std::uint8_t>(width);
            return;
        }
    FAIL() << "no frame header";
}

TEST(JpegDecoder, RefusesBrokenFilesAndLeavesOutputAlone) {
    const auto good = EncodeJpeg({});
    std::vector<std::uint8_t> huge = good;
    SetFrameSize(huge, 65500, 65500);  // 12 GiB of pixels from a tiny file
    std::vector<std::uint8_t> progressiveHuge = EncodeJpeg({JCS_RGB, true, 0});
    SetFrameSize(progressiveHuge, 65500, 65500);
    const std::vector<std::vector<std::uint8_t>> cases = {
        {},
        {0xFF, 0xD8},
        std::vector<std::uint8_t>(good.begin(), good.begin() + 20),  // cut inside the header
        std::vector<std::uint8_t>(300, 0xA5),                        // no JPEG at all
        huge,
        progressiveHuge,
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Dib dib;
        EXPECT_FALSE(DecodeJpeg(cases[i], dib).ok()) << "case " << i;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << "case " << i;
    }
}

TEST(JpegDecoder, TruncatedDataShowsThePartialPicture) {
    auto file = EncodeJpeg({});
    std::size_t scan = 2;
    while (scan + 1 < file.size() && !(file[scan] == 0xFF && file[scan + 1] == 0xDA)) ++scan;
    ASSERT_LT(scan + 40, file.size());
    file.resize(scan + 40);  // a few blocks of the scan remain
    Dib dib;
    ASSERT_TRUE(DecodeJpeg(file, dib).ok());
    EXPECT_EQ(dib.Width(), kWidth);
    EXPECT_PRED3(Near, ColourAt(dib, 0, 0), BlockColour(0, 0), 2);
    // Decoding stopped where the data did: no made-up grey below.
    EXPECT_EQ(ColourAt(dib, kWidth - 1, kHeight - 1), Rgb{});
}

std::size_t ScanStart(const std::vector<std::uint8_t>& file) {
    std::size_t scan = 2;
    while (scan + 1 < file.size() && !(file[scan] == 0xFF && file[scan + 1] == 0xDA)) ++scan;
    return scan;
}

// A damaged scan that ends in a marker (here the end of the picture) where coded data was
// still due stops where the data did at every scale, as a truncated file does: libjpeg
// would otherwise make up the rest of a picture the file may merely claim.
TEST(JpegDecoder, AScanCutShortByAMarkerStopsThereAtEveryScale) {
    auto file = EncodeJpeg({});
    const std::size_t scan = ScanStart(file);
    ASSERT_LT(scan + 40, file.size());
    file.resize(scan + 40);
    file.insert(file.end(), {0xFF, 0xD9});
    for (int reduction = 0; reduction <= 3; ++reduction) {
        Dib dib;
        PictureScale scale;
        ASSERT_TRUE(DecodeJpegScaled(file, FixedReduction(reduction), dib, scale).ok()) << reduction;
        EXPECT_PRED3(Near, ColourAt(dib, 0, 0), BlockColour(0, 0), 2) << reduction;
        EXPECT_EQ(ColourAt(dib, dib.Width() - 1, dib.Height() - 1), Rgb{}) << reduction;
    }
}

// After a restart marker the decoder picks up again, so a damaged segment before one costs
// only that segment.
TEST(JpegDecoder, DamageBeforeARestartMarkerCostsOnlyItsSegment) {
    auto file = EncodeJpeg({JCS_RGB, false, 1});
    std::size_t restart = ScanStart(file);
    while (restart + 1 < file.size() && !(file[restart] == 0xFF && file[restart + 1] == 0xD0)) ++restart;
    ASSERT_LT(restart + 1, file.size());
    // Most of the first row of blocks is cut out.
    const std::size_t data = ScanStart(file) + 2 + (file[ScanStart(file) + 2] << 8 | file[ScanStart(file) + 3]);
    ASSERT_LT(data + 4, restart);
    file.erase(file.begin() + static_cast<std::ptrdiff_t>(data + 4), file.begin() + static_cast<std::ptrdiff_t>(restart));
    Dib dib;
    ASSERT_TRUE(DecodeJpeg(file, dib).ok());
    EXPECT_PRED3(Near, ColourAt(dib, kWidth - 1, kHeight - 1), BlockColour(kWidth - 1, kHeight - 1), 2);
}

// Flat 8x8 blocks shrink to flat 8/2^r blocks under libjpeg's DCT scaling.
TEST(JpegDecoder, ScaledDecodeShrinksEachSideByPowersOfTwo) {
    for (bool progressive : {false, true}) {
        const auto file = EncodeJpeg({JCS_RGB, progressive, 0});
        for (int reduction = 0; reduction <= kMaxReduction; ++reduction) {
            Dib dib;
            PictureScale scale;
            ASSERT_TRUE(DecodeJpegScaled(file, FixedReduction(reduction), dib, scale).ok());
            const std::uint32_t step = 1u << reduction;
            EXPECT_EQ(scale.fullWidth, kWidth);
            EXPECT_EQ(scale.fullHeight, kHeight);
            EXPECT_EQ(scale.reduction, reduction);
            ASSERT_EQ(dib.Width(), kWidth / step);
            ASSERT_EQ(dib.Height(), kHeight / step);
            for (std::uint32_t y = 0; y < dib.Height(); ++y)
                for (std::uint32_t x = 0; x < dib.Width(); ++x)
                    ASSERT_PRED3(Near, ColourAt(dib, x, y), BlockColour(x * step, y * step), 3)
                        << "reduction " << reduction << " at " << x << "," << y;
        }
    }
}

TEST(JpegDecoder, ScaledDecodeHoldsReductionToAnEighthAndTakesGreyAndCmyk) {
    Dib dib;
    PictureScale scale;
    ASSERT_TRUE(DecodeJpegScaled(EncodeJpeg({}), FixedReduction(7), dib, scale).ok());
    EXPECT_EQ(scale.reduction, kMaxReduction);
    EXPECT_EQ(dib.Width(), kWidth / 8);
    ASSERT_TRUE(DecodeJpegScaled(EncodeJpeg({}), FixedReduction(-2), dib, scale).ok());
    EXPECT_EQ(scale.reduction, 0);
    EXPECT_EQ(dib.Width(), kWidth);
    for (J_COLOR_SPACE space : {JCS_GRAYSCALE, JCS_CMYK}) {
        ASSERT_TRUE(DecodeJpegScaled(EncodeJpeg({space, false, 0}), FixedReduction(2), dib, scale).ok());
        ASSERT_EQ(dib.Width(), kWidth / 4);
        ASSERT_EQ(dib.Height(), kHeight / 4);
        Rgb expected = BlockColour(4, 4);
        if (space == JCS_GRAYSCALE) expected = {expected.g, expected.g, expected.g};
        EXPECT_PRED3(Near, ColourAt(dib, 1, 1), expected, 3);
    }
}

// Through the table: formats without cheap scaling decode whole and say so.
TEST(JpegDecoder, ScaledDecodeOfOtherFormatsIsTheFullPicture) {
    Dib dib;
    PictureScale scale;
    std::uint32_t seenWidth = 0, seenHeight = 0;
    const ReductionRule rule = [&](std::uint32_t w, std::uint32_t h) {
        seenWidth = w;
        seenHeight = h;
        return 1;
    };
    ASSERT_TRUE(DecodeImageScaled(EncodeJpeg({}), FORMAT_JPEG, rule, dib, scale).ok());
    EXPECT_EQ(dib.Width(), kWidth / 2);
    EXPECT_EQ(seenWidth, kWidth) << "the rule is asked with the header's size";
    EXPECT_EQ(seenHeight, kHeight);
    EXPECT_FALSE(DecodeImageScaled(EncodeJpeg({}), FORMAT_UNKNOWN, FixedReduction(1), dib, scale).ok());
    EXPECT_EQ(dib.Width(), kWidth / 2) << "a failed decode leaves the output alone";
}

// A damaged file (found by the fuzzer) whose first frame header says 19 x 13 and which
// declares 34834 x 62875 later on: the size reported is the one the picture was made for.
constexpr std::uint8_t kSecondFrameHeader[] = {
    0xFF, 0xD8, 0xFF, 0xEE, 0x00, 0x0E, 0x41, 0x64, 0x6F, 0x62, 0x65, 0x00, 0x64, 0x00, 0x00, 0x00,
    0x7A, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x08, 0x06, 0x06, 0x07, 0x06, 0x05, 0x08, 0x07, 0x07,
    0x07, 0x09, 0x09, 0x08, 0x0A, 0x0C, 0x14, 0x0D, 0x0C, 0x0B, 0x0B, 0x0C, 0x19, 0x12, 0x13, 0x0F,
    0x14, 0x1D, 0x1A, 0x1F, 0x1E, 0x1D, 0x1A, 0x1C, 0x1C, 0x20, 0x24, 0x2E, 0x27, 0x20, 0x22, 0x2C,
    0x23, 0x1C, 0x1C, 0x28, 0x37, 0x29, 0x2C, 0x30, 0x31, 0x34, 0x34, 0x34, 0x1F, 0x27, 0x39, 0x3D,
    0x38, 0x32, 0x3C, 0x2E, 0x33, 0x34, 0x32, 0xFF, 0xC0, 0x00, 0x14, 0x08, 0x00, 0x0D, 0x00, 0x13,
    0x04, 0x43, 0x11, 0x00, 0x4D, 0x11, 0x00, 0x59, 0x11, 0x00, 0x4B, 0x11, 0x00, 0xFF, 0xC4, 0x00,
    0x1F, 0x00, 0x00, 0x01, 0x05, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0xFF, 0xC4,
    0x00, 0xB5, 0x10, 0x00, 0x02, 0x01, 0x03, 0x03, 0x02, 0x04, 0x03, 0x05, 0x05, 0x04, 0x04, 0x00,
    0x00, 0x01, 0x7D, 0x01, 0x02, 0x03, 0x00, 0x04, 0xEF, 0xF6, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13,
    0x51, 0x61, 0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15,
    0x52, 0xD1, 0xF0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0A, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x25,
    0x26, 0x27, 0x28, 0x29, 0x2A, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59,
    0x5A, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79,
    0x7A, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98,
    0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6,
    0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xD2, 0xD3, 0xD4,
    0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA,
    0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFF, 0xDA, 0x00, 0x0E, 0x04, 0x43,
    0x00, 0x4D, 0x00, 0x59, 0x00, 0x4B, 0x00, 0x00, 0x3F, 0x00, 0x5F, 0x87, 0x3A, 0x5D, 0xBE, 0x99,
    0xA7, 0x3D, 0xFD, 0xE1, 0xF2, 0xED, 0x6D, 0x62, 0x69, 0xA6, 0x7D, 0xA4, 0xED, 0x45, 0x19, 0x63,
    0x81, 0xC9, 0xC0, 0x07, 0xA5, 0x49, 0xE0, 0x0D, 0x3E, 0x1D, 0x1B, 0x46, 0x9F, 0x54, 0xB8, 0x8A,
    0x46, 0x82, 0xCA, 0xDD, 0xEE, 0x24, 0x58, 0xC0, 0x2C, 0x55, 0x14, 0xB1, 0x03, 0x24, 0x0C, 0xE0,
    0x7A, 0x8A, 0x9F, 0xC0, 0xD6, 0xF6, 0x7E, 0x1E, 0xD0, 0xA6, 0xD5, 0xEF, 0xFE, 0x4B, 0x5B, 0x48,
    0x8C, 0xAF, 0x82, 0x01, 0x6C, 0x74, 0x55, 0xC9, 0x00, 0xB1, 0x38, 0x00, 0x67, 0x92, 0x40, 0xAB,
    0x5E, 0x0E, 0x82, 0x1F, 0x0D, 0xF8, 0x6A, 0xEF, 0x59, 0x9D, 0x23, 0x29, 0x67, 0x6E, 0xD3, 0x04,
    0x79, 0x04, 0x62, 0x46, 0x03, 0xE5, 0x4D, 0xC7, 0xA1, 0x66, 0xC2, 0x8E, 0x0F, 0x24, 0x70, 0x6A,
    0xB7, 0x81, 0xAD, 0xEF, 0x3C, 0x43, 0xAE, 0xCD, 0xAB, 0xDF, 0xFC, 0xF7, 0x57, 0x72, 0x99, 0x5F,
    0x04, 0x90, 0xB9, 0xE8, 0xAB, 0x92, 0x48, 0x50, 0x30, 0x00, 0xCF, 0x00, 0x01, 0x55, 0xBC, 0x01,
    0xA7, 0xCD, 0xAC, 0xEB, 0x33, 0xEA, 0x97, 0x11, 0x46, 0xB3, 0xDE, 0xDC, 0x3D, 0xC4, 0x8B, 0x18,
    0x21, 0x43, 0x3B, 0x16, 0x20, 0x64, 0x93, 0x8C, 0x9F, 0x53, 0x55, 0xBE, 0x1C, 0xE9, 0x77, 0x1A,
    0x9E, 0x1C, 0x1C, 0x20, 0x24, 0x2E, 0x27, 0x20, 0x22, 0x2C, 0x23, 0x1C, 0x1C, 0x28, 0x37, 0x29,
    0x2C, 0x30, 0x31, 0x34, 0x34, 0x34, 0x1F, 0x27, 0x39, 0x3D, 0x38, 0x32, 0x3C, 0x2E, 0x33, 0x34,
    0x32, 0xFF, 0xC0, 0x00, 0x14, 0x08, 0xF5, 0x9B, 0x88, 0x12, 0x36, 0x77, 0xB7, 0x5B, 0x72, 0x1D,
    0x49, 0x1B, 0x65, 0x75, 0x89, 0x8F, 0x04, 0x73, 0xB5, 0x00, 0x0D, 0x00, 0x13, 0xC9, 0x1E, 0xF8,
    0xEB, 0x04, 0xD2,
};

TEST(JpegDecoder, TheFullSizeIsTheOneThePictureWasDecodedFor) {
    for (int reduction = 0; reduction <= kMaxReduction; ++reduction) {
        Dib dib;
        PictureScale scale;
        ASSERT_TRUE(DecodeJpegScaled(kSecondFrameHeader, FixedReduction(reduction), dib, scale).ok());
        EXPECT_EQ(scale.fullWidth, 19u);
        EXPECT_EQ(scale.fullHeight, 13u);
        const std::uint32_t step = 1u << reduction;
        EXPECT_EQ(dib.Width(), (19 + step - 1) / step);
        EXPECT_EQ(dib.Height(), (13 + step - 1) / step);
    }
}

}  // namespace
}  // namespace imagelib
