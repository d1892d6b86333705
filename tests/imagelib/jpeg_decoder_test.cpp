// JPEG decoding against files made here with libjpeg's own encoder.
#include "imagelib/decoders.h"
#include "tests/imagelib/dib_pixels.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

#include <cstdlib>
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

struct EncodeOptions {
    J_COLOR_SPACE space = JCS_RGB;
    bool progressive = false;
};

std::vector<std::uint8_t> EncodeJpeg(const EncodeOptions& options) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = options.space == JCS_GRAYSCALE ? 1 : (options.space == JCS_CMYK ? 4 : 3);
    cinfo.in_color_space = options.space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    for (int i = 0; i < cinfo.num_components; ++i)
        cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(kWidth) * cinfo.input_components);
    while (cinfo.next_scanline < kHeight) {
        for (std::uint32_t x = 0; x < kWidth; ++x) {
            const Rgb c = BlockColour(x, cinfo.next_scanline);
            JSAMPLE* p = &row[x * static_cast<std::size_t>(cinfo.input_components)];
            if (options.space == JCS_GRAYSCALE) {
                p[0] = static_cast<JSAMPLE>(c.g);
            } else if (options.space == JCS_CMYK) {
                // Adobe's inverted convention, which libjpeg's encoder marks as such.
                p[0] = static_cast<JSAMPLE>(c.r);
                p[1] = static_cast<JSAMPLE>(c.g);
                p[2] = static_cast<JSAMPLE>(c.b);
                p[3] = 255;
            } else {
                p[0] = static_cast<JSAMPLE>(c.r);
                p[1] = static_cast<JSAMPLE>(c.g);
                p[2] = static_cast<JSAMPLE>(c.b);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> file(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return file;
}

struct ColourCase {
    const char* name;
    EncodeOptions options;
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
    ASSERT_TRUE(DecodeJpeg(EncodeJpeg({JCS_GRAYSCALE, false}), dib).ok());
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
    std::vector<std::uint8_t> progressiveHuge = EncodeJpeg({JCS_RGB, true});
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

// Flat 8x8 blocks shrink to flat 8/2^r blocks under libjpeg's DCT scaling.
TEST(JpegDecoder, ScaledDecodeShrinksEachSideByPowersOfTwo) {
    for (bool progressive : {false, true}) {
        const auto file = EncodeJpeg({JCS_RGB, progressive});
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
        ASSERT_TRUE(DecodeJpegScaled(EncodeJpeg({space, false}), FixedReduction(2), dib, scale).ok());
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

}  // namespace
}  // namespace imagelib
