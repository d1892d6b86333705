#include "tests/imagelib/byte_builder.h"

#include <gtest/gtest.h>

namespace imagelib_test {
namespace {

using imagelib::DecodeSunRaster;

struct SunFields {
    std::uint32_t width = 2, height = 1, depth = 24, type = 1, mapType = 0;
    std::vector<std::uint8_t> map, data;
};

std::vector<std::uint8_t> MakeSun(const SunFields& s) {
    ByteBuilder b;
    b.Be32(0x59a66a95).Be32(s.width).Be32(s.height).Be32(s.depth).Be32(static_cast<std::uint32_t>(s.data.size()));
    b.Be32(s.type).Be32(s.mapType).Be32(static_cast<std::uint32_t>(s.map.size()));
    return b.Append(s.map).Append(s.data).Bytes();
}

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255};

TEST(SunRasterDecoder, DepthsTypesAndColourMaps) {
    struct Case {
        const char* name;
        SunFields fields;
        int depth;
        Rgb first, second;
    } cases[] = {
        {"24-bit standard stores blue first", {2, 1, 24, 1, 0, {}, {255, 0, 0, 0, 0, 255}}, 24, kBlue, kRed},
        {"24-bit RGB type stores red first", {2, 1, 24, 3, 0, {}, {255, 0, 0, 0, 0, 255}}, 24, kRed, kBlue},
        {"32-bit skips the pad byte", {2, 1, 32, 1, 0, {}, {9, 255, 0, 0, 9, 0, 0, 255}}, 24, kBlue, kRed},
        {"32-bit RGB type", {2, 1, 32, 3, 0, {}, {9, 255, 0, 0, 9, 0, 0, 255}}, 24, kRed, kBlue},
        {"8-bit colour map in planes", {2, 1, 8, 1, 1, {255, 0, 0, 0, 0, 255}, {1, 0}}, 8, kBlue, kRed},
        {"8-bit without a map is grey", {2, 1, 8, 1, 0, {}, {0, 255}}, 8, kBlack, kWhite},
        {"1-bit without a map: set is black", {2, 1, 1, 1, 0, {}, {0x80, 0x00}}, 1, kBlack, kWhite},
        {"1-bit with a map", {2, 1, 1, 1, 1, {255, 0, 0, 0, 0, 255}, {0x80, 0x00}}, 1, kBlue, kRed},
        {"old type", {2, 1, 8, 0, 0, {}, {255, 0}}, 8, kWhite, kBlack},
    };
    for (const auto& c : cases) {
        RgbImage img;
        int depth = 0;
        ASSERT_TRUE(DecodeToRgb(DecodeSunRaster, MakeSun(c.fields), img, &depth)) << c.name;
        EXPECT_EQ(depth, c.depth) << c.name;
        EXPECT_EQ(PixelAt(img, 0, 0), c.first) << c.name;
        EXPECT_EQ(PixelAt(img, 1, 0), c.second) << c.name;
    }
}

TEST(SunRasterDecoder, RowsArePaddedToSixteenBits) {
    SunFields s{3, 2, 8, 1, 0, {}, {10, 20, 30, 99, 40, 50, 60, 99}};
    RgbImage img;
    ASSERT_TRUE(DecodeToRgb(DecodeSunRaster, MakeSun(s), img));
    EXPECT_EQ(PixelAt(img, 2, 0), (Rgb{30, 30, 30}));
    EXPECT_EQ(PixelAt(img, 0, 1), (Rgb{40, 40, 40}));
}

TEST(SunRasterDecoder, ByteEncodingEscapesAndRunsAcrossRows) {
    // 3 x 2 at 8 bits: rows of 4 bytes. A literal 0x80, then a run of four 7s that runs
    // into the second row, then 1, 2 and the pad byte.
    SunFields s{3, 2, 8, 2, 0, {}, {0x80, 0x00, 0x80, 0x03, 7, 1, 2, 0}};
    RgbImage img;
    ASSERT_TRUE(DecodeToRgb(DecodeSunRaster, MakeSun(s), img));
    EXPECT_EQ(PixelAt(img, 0, 0), (Rgb{0x80, 0x80, 0x80}));
    EXPECT_EQ(PixelAt(img, 2, 0), (Rgb{7, 7, 7}));
    EXPECT_EQ(PixelAt(img, 0, 1), (Rgb{7, 7, 7}));
    EXPECT_EQ(PixelAt(img, 1, 1), (Rgb{1, 1, 1}));
    EXPECT_EQ(PixelAt(img, 2, 1), (Rgb{2, 2, 2}));
}

TEST(SunRasterDecoder, RefusesMalformedFiles) {
    auto with = [](auto change) {
        SunFields s{2, 1, 24, 1, 0, {}, {1, 2, 3, 4, 5, 6}};
        change(s);
        return MakeSun(s);
    };
    struct Case { const char* name; std::vector<std::uint8_t> file; } cases[] = {
        {"pixel rows missing", with([](SunFields& s) { s.height = 2; })},
        {"byte-encoded data ends early", with([](SunFields& s) { s.type = 2; s.data = {0x80, 0x02, 9}; })},
        {"byte-encoded data ends inside an escape", with([](SunFields& s) { s.type = 2; s.data = {1, 2, 3, 4, 5, 0x80}; })},
        {"huge size in a small file", with([](SunFields& s) { s.width = 65535; s.height = 65535; })},
        {"huge size in a small byte-encoded file", with([](SunFields& s) { s.type = 2; s.width = 65535; s.height = 65535; })},
        {"side above 65535", with([](SunFields& s) { s.width = 65536; })},
        {"zero height", with([](SunFields& s) { s.height = 0; })},
        {"depth 4", with([](SunFields& s) { s.depth = 4; })},
        {"TIFF type", with([](SunFields& s) { s.type = 4; })},
        {"colour map longer than the file", [] { auto f = MakeSun(SunFields{}); f[31] = 0xFF; return f; }()},
        {"bad magic", [] { auto f = MakeSun(SunFields{}); f[0] = 0; return f; }()},
        {"header cut short", [] { auto f = MakeSun(SunFields{}); f.resize(20); return f; }()},
    };
    for (const auto& c : cases) {
        imagelib::Dib dib;
        EXPECT_FALSE(DecodeSunRaster(c.file, dib).ok()) << c.name;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << c.name;
    }
}

}  // namespace
}  // namespace imagelib_test
