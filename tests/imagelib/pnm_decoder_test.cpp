#include "tests/imagelib/byte_builder.h"

#include <gtest/gtest.h>

#include <string>

namespace imagelib_test {
namespace {

using imagelib::DecodePnm;

// Header text followed by raw sample bytes.
std::vector<std::uint8_t> Bytes(const std::string& text, std::initializer_list<std::uint8_t> raw = {}) {
    std::vector<std::uint8_t> out(text.begin(), text.end());
    out.insert(out.end(), raw);
    return out;
}

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255};

TEST(PnmDecoder, EachKindDecodesToItsDepthWithScaledSamples) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        int depth;
        Rgb first, second;
    } cases[] = {
        {"P1 (1 is black, digits may touch)", Bytes("P1\n2 1\n10"), 1, kBlack, kWhite},
        {"P4 packed bits", Bytes("P4 2 1\n", {0x40}), 1, kWhite, kBlack},
        {"P2 maxval 1000, rounded", Bytes("P2 2 1 1000 500 1000"), 8, {128, 128, 128}, kWhite},
        {"P5 maxval 15", Bytes("P5 2 1 15\n", {1, 15}), 8, {17, 17, 17}, kWhite},
        {"P5 16-bit big-endian", Bytes("P5 2 1 65535\n", {0x80, 0x00, 0xFF, 0xFF}), 8,
         {128, 128, 128}, kWhite},
        {"P3 with comments", Bytes("P3 # size next\n2 1 # then maxval\n255\n255 0 0 # red\n0 0 255"), 24, {255, 0, 0},
         {0, 0, 255}},
        {"P6", Bytes("P6\n2 1\n255\n", {1, 2, 3, 4, 5, 6}), 24, {1, 2, 3}, {4, 5, 6}},
        {"P6 sample above maxval clamps", Bytes("P6 2 1 100\n", {200, 50, 0, 0, 0, 100}), 24,
         {255, 128, 0}, {0, 0, 255}},
        {"P7 grey + alpha laid over black", Bytes("P7\nWIDTH 2\nHEIGHT 1\nDEPTH 2\nMAXVAL 255\nTUPLTYPE GRAYSCALE_ALPHA\nENDHDR\n",
                                                 {200, 255, 200, 0}), 8, {200, 200, 200}, kBlack},
        {"P7 RGB + alpha, 16-bit", Bytes("P7 WIDTH 2 HEIGHT 1 DEPTH 4 MAXVAL 65535\n# rgba\nENDHDR\n",
                                         {255, 255, 0, 0, 0, 0, 0x80, 0x00, 0, 0, 0, 0, 255, 255, 255, 255}), 24,
         {128, 0, 0}, {0, 0, 255}},
        {"P7 black-and-white: 1 is white", Bytes("P7\nWIDTH 2\nHEIGHT 1\nDEPTH 1\nMAXVAL 1\nTUPLTYPE BLACKANDWHITE\nENDHDR\n",
                                                 {1, 0}), 8, kWhite, kBlack},
        {"comment right after the magic", Bytes("P5#x\n2 1 255\n", {0, 255}), 8, kBlack, kWhite},
    };
    for (const auto& c : cases) {
        RgbImage img;
        int depth = 0;
        ASSERT_TRUE(DecodeToRgb(DecodePnm, c.file, img, &depth)) << c.name;
        EXPECT_EQ(depth, c.depth) << c.name;
        EXPECT_EQ(PixelAt(img, 0, 0), c.first) << c.name;
        EXPECT_EQ(PixelAt(img, 1, 0), c.second) << c.name;
    }
}

TEST(PnmDecoder, RawBitmapRowsIgnoreTheirPaddingBits) {
    // Width 9: each row is two bytes, the last seven bits unused.
    std::vector<std::uint8_t> file = Bytes("P4\n9 2\n");
    file.insert(file.end(), {0x00, 0x7F, 0xFF, 0x80});
    RgbImage img;
    ASSERT_TRUE(DecodeToRgb(DecodePnm, file, img));
    EXPECT_EQ(PixelAt(img, 8, 0), kWhite);
    EXPECT_EQ(PixelAt(img, 0, 1), kBlack);
    EXPECT_EQ(PixelAt(img, 8, 1), kBlack);
}

TEST(PnmDecoder, RefusesMalformedFiles) {
    struct Case { const char* name; std::vector<std::uint8_t> file; } cases[] = {
        {"negative width", Bytes("P6 -1 1 255\n...")},
        {"maxval missing", Bytes("P5 1 1\n")},
        {"maxval zero", Bytes("P5 1 1 0\n\x01")},
        {"maxval above 65535", Bytes("P5 1 1 65536\n\x01\x01")},
        {"side above 65535", Bytes("P4 65536 1\n")},
        {"huge size in a small file", Bytes("P6 60000 60000 255\n\x01\x02\x03")},
        {"raster cut short", Bytes("P6 2 1 255\n\x01\x02\x03")},
        {"plain sample missing", Bytes("P2 2 1 255 7")},
        {"plain bitmap with a stray character", Bytes("P1 2 1 0 x")},
        {"no white space before the raster", Bytes("P5 1 1 255")},
        {"P7 without ENDHDR", Bytes("P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\n", {1})},
        {"P7 with five channels", Bytes("P7\nWIDTH 1\nHEIGHT 1\nDEPTH 5\nMAXVAL 255\nENDHDR\n", {1, 2, 3, 4, 5})},
        {"P7 without a size", Bytes("P7\nDEPTH 1\nMAXVAL 255\nENDHDR\n", {1})},
        {"P7 unknown header line", Bytes("P7\nWIDTH 1\nHEIGHT 1\nCOLOUR 1\nENDHDR\n", {1})},
        {"not a PNM file", Bytes("Q6 1 1 255\n\x01\x02\x03")},
    };
    for (const auto& c : cases) {
        imagelib::Dib dib;
        EXPECT_FALSE(DecodePnm(c.file, dib).ok()) << c.name;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << c.name;
    }
}

}  // namespace
}  // namespace imagelib_test
