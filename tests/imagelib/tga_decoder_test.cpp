#include "tests/imagelib/byte_builder.h"

#include <gtest/gtest.h>

namespace imagelib_test {
namespace {

using imagelib::DecodeTga;

struct TgaFields {
    int type = 2;
    int width = 2, height = 2, bits = 24, descriptor = 0;
    int mapType = 0, mapFirst = 0, mapLength = 0, mapBits = 0;
    std::vector<std::uint8_t> map, pixels;
};

std::vector<std::uint8_t> MakeTga(const TgaFields& s) {
    ByteBuilder b;
    b.U8({0, s.mapType, s.type}).Le16(static_cast<std::uint32_t>(s.mapFirst)).Le16(static_cast<std::uint32_t>(s.mapLength));
    b.U8({s.mapBits}).Le16(0).Le16(0).Le16(static_cast<std::uint32_t>(s.width)).Le16(static_cast<std::uint32_t>(s.height));
    b.U8({s.bits, s.descriptor}).Append(s.map).Append(s.pixels);
    return b.Bytes();
}

constexpr Rgb kBlack{0, 0, 0}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};

TEST(TgaDecoder, OriginBitsPlaceTheFirstStoredPixel) {
    // Stored order: red, green, blue, white (BGR bytes).
    const std::vector<std::uint8_t> pixels = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
    struct Case { const char* name; int descriptor; Rgb topLeft, topRight, bottomLeft, bottomRight; } cases[] = {
        {"bottom-left", 0x00, kBlue, kWhite, kRed, kGreen},
        {"bottom-right", 0x10, kWhite, kBlue, kGreen, kRed},
        {"top-left", 0x20, kRed, kGreen, kBlue, kWhite},
        {"top-right", 0x30, kGreen, kRed, kWhite, kBlue},
    };
    for (const auto& c : cases) {
        TgaFields s;
        s.descriptor = c.descriptor;
        s.pixels = pixels;
        RgbImage img;
        ASSERT_TRUE(DecodeToRgb(DecodeTga, MakeTga(s), img)) << c.name;
        EXPECT_EQ(PixelAt(img, 0, 0), c.topLeft) << c.name;
        EXPECT_EQ(PixelAt(img, 1, 0), c.topRight) << c.name;
        EXPECT_EQ(PixelAt(img, 0, 1), c.bottomLeft) << c.name;
        EXPECT_EQ(PixelAt(img, 1, 1), c.bottomRight) << c.name;
    }
}

TEST(TgaDecoder, RunLengthPacketsMayCrossScanLines) {
    TgaFields s;
    s.type = 10;
    s.descriptor = 0x20;
    // A run of three reds, then a raw packet of one blue.
    s.pixels = {0x82, 0, 0, 255, 0x00, 255, 0, 0};
    RgbImage img;
    ASSERT_TRUE(DecodeToRgb(DecodeTga, MakeTga(s), img));
    EXPECT_EQ(PixelAt(img, 1, 0), kRed);
    EXPECT_EQ(PixelAt(img, 0, 1), kRed);
    EXPECT_EQ(PixelAt(img, 1, 1), kBlue);
}

TEST(TgaDecoder, AlphaIsLaidOverBlackOnlyWhereItIsAlpha) {
    struct Case {
        const char* name;
        int bits, descriptor;
        std::vector<std::uint8_t> pixel;  // two pixels
        Rgb first, second;
    } cases[] = {
        {"16-bit attribute bit without declared attribute bits is ignored", 16, 0x20, {0x00, 0x7C, 0x1F, 0x80}, kRed, kBlue},
        {"16-bit attribute bit declared: clear is transparent", 16, 0x21, {0x00, 0x7C, 0x1F, 0x80}, kBlack, kBlue},
        {"15-bit: no attribute bit at all", 15, 0x21, {0x00, 0x7C, 0x1F, 0x00}, kRed, kBlue},
        {"32-bit alpha", 32, 0x28, {0, 0, 255, 128, 255, 0, 0, 255}, {128, 0, 0}, kBlue},
        {"32-bit alpha without declared bits", 32, 0x20, {0, 0, 255, 0, 255, 0, 0, 255}, kBlack, kBlue},
        {"32-bit fourth byte zero throughout is padding", 32, 0x20, {0, 0, 255, 0, 255, 0, 0, 0}, kRed, kBlue},
    };
    for (const auto& c : cases) {
        TgaFields s;
        s.width = 2;
        s.height = 1;
        s.bits = c.bits;
        s.descriptor = c.descriptor;
        s.pixels = c.pixel;
        RgbImage img;
        ASSERT_TRUE(DecodeToRgb(DecodeTga, MakeTga(s), img)) << c.name;
        EXPECT_EQ(PixelAt(img, 0, 0), c.first) << c.name;
        EXPECT_EQ(PixelAt(img, 1, 0), c.second) << c.name;
    }
}

TEST(TgaDecoder, ColourMapStartsAtItsFirstIndex) {
    TgaFields s;
    s.type = 1;
    s.width = 3;
    s.height = 1;
    s.bits = 8;
    s.mapType = 1;
    s.mapFirst = 5;
    s.mapLength = 2;
    s.mapBits = 15;
    s.map = {0x00, 0x7C, 0xE0, 0x03};  // entry 5 red, entry 6 green
    s.pixels = {5, 6, 9};              // 9 lies outside the map
    RgbImage img;
    int depth = 0;
    ASSERT_TRUE(DecodeToRgb(DecodeTga, MakeTga(s), img, &depth));
    EXPECT_EQ(depth, 8);
    EXPECT_EQ(PixelAt(img, 0, 0), kRed);
    EXPECT_EQ(PixelAt(img, 1, 0), kGreen);
    EXPECT_EQ(PixelAt(img, 2, 0), kBlack);
}

TEST(TgaDecoder, TrueColourSkipsAnUnusedColourMap) {
    TgaFields s;
    s.width = 1;
    s.height = 1;
    s.mapType = 1;
    s.mapLength = 2;
    s.mapBits = 24;
    s.map = {1, 2, 3, 4, 5, 6};
    s.pixels = {255, 0, 0};
    RgbImage img;
    ASSERT_TRUE(DecodeToRgb(DecodeTga, MakeTga(s), img));
    EXPECT_EQ(PixelAt(img, 0, 0), kBlue);
}

TEST(TgaDecoder, GreyWithAlphaStaysAnEightBitGreyPicture) {
    TgaFields s;
    s.type = 3;
    s.width = 2;
    s.height = 1;
    s.bits = 16;
    s.descriptor = 0x08;
    s.pixels = {200, 255, 200, 0};
    RgbImage img;
    int depth = 0;
    ASSERT_TRUE(DecodeToRgb(DecodeTga, MakeTga(s), img, &depth));
    EXPECT_EQ(depth, 8);
    EXPECT_EQ(PixelAt(img, 0, 0), (Rgb{200, 200, 200}));
    EXPECT_EQ(PixelAt(img, 1, 0), kBlack);
}

TEST(TgaDecoder, RefusesMalformedFiles) {
    auto with = [](auto change) {
        TgaFields s;
        s.pixels.assign(12, 0);
        change(s);
        return MakeTga(s);
    };
    struct Case { const char* name; std::vector<std::uint8_t> file; } cases[] = {
        {"raw pixels missing", with([](TgaFields& s) { s.pixels.resize(11); })},
        {"run-length data ends inside a packet", with([](TgaFields& s) { s.type = 10; s.pixels = {0x81, 1, 2, 3, 0x01, 4, 5, 6}; })},
        {"huge size in a small file", with([](TgaFields& s) { s.width = 65535; s.height = 65535; })},
        {"zero width", with([](TgaFields& s) { s.width = 0; })},
        {"8-bit colour-map entries", with([](TgaFields& s) { s.type = 1; s.bits = 8; s.mapType = 1; s.mapLength = 1; s.mapBits = 8; s.map = {0}; })},
        {"colour-mapped without a map", with([](TgaFields& s) { s.type = 1; s.bits = 8; })},
        {"image type 4", with([](TgaFields& s) { s.type = 4; })},
        {"no image data type", with([](TgaFields& s) { s.type = 0; })},
        {"12-bit pixels", with([](TgaFields& s) { s.bits = 12; })},
        {"colour map cut short", with([](TgaFields& s) { s.mapType = 1; s.mapLength = 200; s.mapBits = 24; })},
    };
    for (const auto& c : cases) {
        imagelib::Dib dib;
        EXPECT_FALSE(DecodeTga(c.file, dib).ok()) << c.name;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << c.name;
    }
}

}  // namespace
}  // namespace imagelib_test
