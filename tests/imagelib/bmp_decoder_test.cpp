#include "tests/imagelib/byte_builder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace imagelib_test {
namespace {

using imagelib::DecodeBmp;

struct BmpFields {
    std::int32_t width = 2, height = 2;
    std::uint16_t bits = 24, planes = 1;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    std::vector<std::uint32_t> masks;  // in the header (>= 52 bytes) or after a 40-byte one
    std::vector<std::uint8_t> palette;  // 4 bytes an entry (blue, green, red, 0)
    std::vector<std::uint8_t> pixels;
};

std::vector<std::uint8_t> MakeBmp(const BmpFields& s) {
    const std::uint32_t extraMasks = s.headerSize == 40 ? static_cast<std::uint32_t>(4 * s.masks.size()) : 0;
    const std::uint32_t offset = 14 + s.headerSize + extraMasks + static_cast<std::uint32_t>(s.palette.size());
    ByteBuilder b;
    b.Text("BM").Le32(offset + static_cast<std::uint32_t>(s.pixels.size())).Le32(0).Le32(offset);
    b.Le32(s.headerSize).Le32(static_cast<std::uint32_t>(s.width)).Le32(static_cast<std::uint32_t>(s.height));
    b.Le16(s.planes).Le16(s.bits).Le32(s.compression).Le32(0).Le32(0).Le32(0);
    b.Le32(static_cast<std::uint32_t>(s.palette.size() / 4)).Le32(0);
    if (s.headerSize > 40) {
        for (std::uint32_t m : s.masks) b.Le32(m);
        b.Zeros(s.headerSize - 40 - 4 * s.masks.size());
    } else {
        for (std::uint32_t m : s.masks) b.Le32(m);
    }
    b.Append(s.palette).Append(s.pixels);
    return b.Bytes();
}

const std::vector<std::uint8_t> kFourColours = {0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 255, 0, 0, 0};
constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255};

TEST(BmpDecoder, RowOrderFollowsTheSignOfTheHeight) {
    // Two 24-bit rows as stored: first row red, second row blue (padding to 8 bytes).
    const std::vector<std::uint8_t> rows = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0};
    struct Case { std::int32_t height; Rgb top, bottom; } cases[] = {{2, kBlue, kRed}, {-2, kRed, kBlue}};
    for (const auto& c : cases) {
        BmpFields s;
        s.height = c.height;
        s.pixels = rows;
        RgbImage img;
        ASSERT_TRUE(DecodeToRgb(DecodeBmp, MakeBmp(s), img)) << c.height;
        EXPECT_EQ(PixelAt(img, 1, 0), c.top) << c.height;
        EXPECT_EQ(PixelAt(img, 0, 1), c.bottom) << c.height;
    }
}

TEST(BmpDecoder, PaletteDepthsStayIndexedAndTwoBitsBecomeFour) {
    struct Case { std::uint16_t bits; std::uint8_t rowByte; int depth; Rgb first, second; } cases[] = {
        {1, 0x40, 1, kBlack, kWhite},  // pixels 0, 1
        {2, 0x90, 4, kRed, kWhite},    // pixels 2, 1
        {4, 0x32, 4, kBlue, kRed},
        {8, 0x03, 8, kBlue, kBlack},
    };
    for (const auto& c : cases) {
        BmpFields s;
        s.bits = c.bits;
        s.height = 1;
        s.palette = kFourColours;
        s.pixels = {c.rowByte, 0, 0, 0};
        RgbImage img;
        int depth = 0;
        ASSERT_TRUE(DecodeToRgb(DecodeBmp, MakeBmp(s), img, &depth)) << c.bits;
        EXPECT_EQ(depth, c.depth) << c.bits;
        EXPECT_EQ(PixelAt(img, 0, 0), c.first) << c.bits;
        EXPECT_EQ(PixelAt(img, 1, 0), c.second) << c.bits;
    }
}

TEST(BmpDecoder, IndexBeyondTheColourTableShowsBlack) {
    BmpFields s;
    s.bits = 8;
    s.height = 1;
    s.palette = {255, 255, 255, 0};  // one entry: white
    s.pixels = {0, 200, 0, 0};
    RgbImage img;
    ASSERT_TRUE(DecodeToRgb(DecodeBmp, MakeBmp(s), img));
    EXPECT_EQ(PixelAt(img, 0, 0), kWhite);
    EXPECT_EQ(PixelAt(img, 1, 0), kBlack);
}

TEST(BmpDecoder, BitFieldsAreScaledToEightBits) {
    struct Case {
        const char* name;
        std::uint16_t bits;
        std::uint32_t compression, headerSize;
        std::vector<std::uint32_t> masks;
        std::uint32_t pixel;
        Rgb expected;
    } cases[] = {
        {"default 5-5-5", 16, 0, 40, {}, 0x7C00 | (16 << 5) | 1, {255, 132, 8}},
        {"5-6-5 after the header", 16, 3, 40, {0xF800, 0x07E0, 0x001F}, 0x07E0, {0, 255, 0}},
        {"1-bit and 3-bit fields", 16, 3, 40, {0x8000, 0x7000, 0x0001}, 0x8000 | 0x3000 | 1, {255, 109, 255}},
        {"32-bit default ignores the fourth byte", 32, 0, 40, {}, 0x00102030, {0x10, 0x20, 0x30}},
        {"10-bit fields", 32, 3, 40, {0x3FF00000, 0x000FFC00, 0x000003FF}, (1023u << 20) | (512u << 10), {255, 128, 0}},
        {"V5 alpha mask laid over black", 32, 3, 124, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 0x80FF0000u, {128, 0, 0}},
        {"alpha bit fields in a 40-byte header", 32, 6, 40, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 0x00FFFFFFu, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        BmpFields s;
        s.width = 1;
        s.height = 1;
        s.bits = c.bits;
        s.compression = c.compression;
        s.headerSize = c.headerSize;
        s.masks = c.masks;
        s.pixels = {std::uint8_t(c.pixel), std::uint8_t(c.pixel >> 8), std::uint8_t(c.pixel >> 16), std::uint8_t(c.pixel >> 24)};
        RgbImage img;
        int depth = 0;
        ASSERT_TRUE(DecodeToRgb(DecodeBmp, MakeBmp(s), img, &depth)) << c.name;
        EXPECT_EQ(depth, 24) << c.name;
        EXPECT_EQ(PixelAt(img, 0, 0), c.expected) << c.name;
    }
}

TEST(BmpDecoder, RunLengthCodesPaintSkipsBlackAndCutRunsAtTheEdge) {
    // Entry 0 is white, so skipped pixels must not simply be index 0.
    const std::vector<std::uint8_t> palette = {255, 255, 255, 0, 0, 0, 255, 0};
    struct Case {
        const char* name;
        std::uint32_t compression;
        std::vector<std::uint8_t> data;
        std::vector<Rgb> bottomRow, topRow;  // 4 x 2 picture
    } cases[] = {
        {"RLE8 run, end of line, literal", 1, {2, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 1},
         {kRed, kRed, kBlack, kBlack}, {kRed, kWhite, kRed, kBlack}},
        {"RLE8 delta skips pixels", 1, {1, 1, 0, 2, 2, 1, 1, 0, 0, 1},
         {kRed, kBlack, kBlack, kBlack}, {kBlack, kBlack, kBlack, kWhite}},
        {"RLE8 run past the right edge is cut, not wrapped", 1, {6, 1, 0, 1},
         {kRed, kRed, kRed, kRed}, {kBlack, kBlack, kBlack, kBlack}},
        {"RLE8 data ending early leaves the rest black", 1, {3, 1},
         {kRed, kRed, kRed, kBlack}, {kBlack, kBlack, kBlack, kBlack}},
        {"RLE4 alternates nibbles, odd literal padded", 2, {3, 0x10, 0, 0, 0, 3, 0x01, 0x10, 0, 1},
         {kRed, kWhite, kRed, kBlack}, {kWhite, kRed, kRed, kBlack}},
    };
    for (const auto& c : cases) {
        BmpFields s;
        s.width = 4;
        s.bits = c.compression == 1 ? 8 : 4;
        s.compression = c.compression;
        s.palette = palette;
        s.pixels = c.data;
        RgbImage img;
        ASSERT_TRUE(DecodeToRgb(DecodeBmp, MakeBmp(s), img)) << c.name;
        for (std::uint32_t x = 0; x < 4; ++x) {
            EXPECT_EQ(PixelAt(img, x, 1), c.bottomRow[x]) << c.name << " bottom x=" << x;
            EXPECT_EQ(PixelAt(img, x, 0), c.topRow[x]) << c.name << " top x=" << x;
        }
    }
}

TEST(BmpDecoder, Os2RunLength24PaintsColoursAndLeavesSkipsBlack) {
    BmpFields s;
    s.width = 3;
    s.headerSize = 64;  // OS/2 version 2, where compression 4 is RLE24
    s.compression = 4;
    s.pixels = {2, 0, 0, 255, 0, 0,                                   // two reds, end of line
                0, 3, 255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 0, 1};  // blue, white, red (+pad)
    RgbImage img;
    int depth = 0;
    ASSERT_TRUE(DecodeToRgb(DecodeBmp, MakeBmp(s), img, &depth));
    EXPECT_EQ(depth, 24);
    const Rgb bottom[] = {kRed, kRed, kBlack}, top[] = {kBlue, kWhite, kRed};
    for (std::uint32_t x = 0; x < 3; ++x) {
        EXPECT_EQ(PixelAt(img, x, 1), bottom[x]) << x;
        EXPECT_EQ(PixelAt(img, x, 0), top[x]) << x;
    }
}

TEST(BmpDecoder, CoreHeaderUsesThreeBytePaletteEntries) {
    ByteBuilder b;
    b.Text("BM").Le32(0).Le32(0).Le32(14 + 12 + 6);
    b.Le32(12).Le16(2).Le16(1).Le16(1).Le16(1);
    b.U8({0, 0, 255, 255, 0, 0});  // red, blue
    b.U8({0x40, 0, 0, 0});
    RgbImage img;
    ASSERT_TRUE(DecodeToRgb(DecodeBmp, b.Bytes(), img));
    EXPECT_EQ(PixelAt(img, 0, 0), kRed);
    EXPECT_EQ(PixelAt(img, 1, 0), kBlue);
}

TEST(BmpDecoder, BitmapArrayShowsItsFirstPicture) {
    // A 14-byte array entry, then a core bitmap whose pixel offset counts from the file start.
    ByteBuilder b;
    b.Text("BA").Le32(0).Le32(0).Le16(0).Le16(0);
    b.Text("BM").Le32(0).Le32(0).Le32(14 + 14 + 12 + 6);
    b.Le32(12).Le16(2).Le16(1).Le16(1).Le16(1);
    b.U8({0, 0, 255, 255, 0, 0});
    b.U8({0x80, 0, 0, 0});
    RgbImage img;
    ASSERT_TRUE(DecodeToRgb(DecodeBmp, b.Bytes(), img));
    EXPECT_EQ(PixelAt(img, 0, 0), kBlue);
    EXPECT_EQ(PixelAt(img, 1, 0), kRed);
}

// Uncompressed rows are all in the file or the picture is refused: a few bytes may not
// declare a picture of any size. Only the last row may lack its padding.
TEST(BmpDecoder, UncompressedPictureNeedsAllItsRows) {
    struct Case {
        const char* name;
        std::uint16_t bits;
        std::uint32_t compression;
        std::vector<std::uint32_t> masks;
        std::int32_t width, height;
        std::size_t stride, lastRow;
    } cases[] = {
        {"1 bit", 1, 0, {}, 40, 9, 8, 5},
        {"4 bits, top-down", 4, 0, {}, 9, -7, 8, 5},
        {"8 bits", 8, 0, {}, 5, 6, 8, 5},
        {"16-bit fields", 16, 3, {0xF800, 0x07E0, 0x001F}, 3, 4, 8, 6},
        {"32 bits", 32, 0, {}, 2, 5, 8, 8},
        {"8 bits, 32767 x 32767", 8, 0, {}, 32767, 32767, 32768, 32767},
    };
    for (const auto& c : cases) {
        BmpFields s;
        s.bits = c.bits;
        s.compression = c.compression;
        s.masks = c.masks;
        s.width = c.width;
        s.height = c.height;
        if (c.bits <= 8) s.palette.assign(4u << c.bits, 0x80);
        const std::size_t rows = static_cast<std::size_t>(c.height < 0 ? -c.height : c.height);
        const std::size_t whole = c.stride * (rows - 1) + c.lastRow;
        imagelib::Dib dib;
        if (rows < 100) {
            s.pixels.assign(whole, 0);
            EXPECT_TRUE(DecodeBmp(MakeBmp(s), dib).ok()) << c.name;
        }
        s.pixels.assign(std::min<std::size_t>(whole - 1, 4096), 0);
        dib = imagelib::Dib();
        const imagelib::Status status = DecodeBmp(MakeBmp(s), dib);
        EXPECT_STREQ(status.message(), "BMP pixel data truncated") << c.name;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << c.name;
    }
}

TEST(BmpDecoder, RefusesMalformedFilesBeforeAllocating) {
    auto with = [](auto change) {
        BmpFields s;
        s.pixels.assign(16, 0);
        change(s);
        return MakeBmp(s);
    };
    struct Case { const char* name; std::vector<std::uint8_t> file; } cases[] = {
        {"pixel rows missing", with([](BmpFields& s) { s.pixels.resize(9); })},
        {"huge size in a small file", with([](BmpFields& s) { s.width = 30000; s.height = 30000; })},
        {"side above 65535", with([](BmpFields& s) { s.width = 70000; s.height = 1; s.bits = 1; s.pixels.assign(8800, 0); })},
        {"zero width", with([](BmpFields& s) { s.width = 0; })},
        {"zero height", with([](BmpFields& s) { s.height = 0; })},
        {"two planes", with([](BmpFields& s) { s.planes = 2; })},
        {"depth 3", with([](BmpFields& s) { s.bits = 3; })},
        {"run-length with 24 bits", with([](BmpFields& s) { s.compression = 1; })},
        {"top-down run-length", with([](BmpFields& s) { s.bits = 8; s.compression = 1; s.height = -2; })},
        {"embedded JPEG data that is no JPEG file", with([](BmpFields& s) { s.compression = 4; })},
        {"header size 8", with([](BmpFields& s) { s.headerSize = 8; })},
    };
    for (const auto& c : cases) {
        imagelib::Dib dib;
        EXPECT_FALSE(DecodeBmp(c.file, dib).ok()) << c.name;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << c.name;
    }
    imagelib::Dib dib;
    const std::vector<std::uint8_t> good = with([](BmpFields&) {});
    for (std::size_t cut : {0u, 2u, 13u, 20u, 53u})
        EXPECT_FALSE(DecodeBmp(imagelib::ByteSpan(good).first(cut), dib).ok()) << "cut at " << cut;
}

}  // namespace
}  // namespace imagelib_test
