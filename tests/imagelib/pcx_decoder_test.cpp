#include "tests/imagelib/byte_builder.h"

#include <gtest/gtest.h>

namespace imagelib_test {
namespace {

using imagelib::DecodePcx;

struct PcxFields {
    int version = 5, encoding = 1, bits = 8, planes = 1;
    int width = 2, height = 1, bytesPerLine = 2;
    std::vector<std::uint8_t> egaPalette;  // up to 48 bytes
    std::vector<std::uint8_t> data, trailer;
};

std::vector<std::uint8_t> MakePcx(const PcxFields& s) {
    ByteBuilder b;
    b.U8({0x0A, s.version, s.encoding, s.bits}).Le16(0).Le16(0);
    b.Le16(static_cast<std::uint32_t>(s.width - 1)).Le16(static_cast<std::uint32_t>(s.height - 1)).Le16(72).Le16(72);
    std::vector<std::uint8_t> ega = s.egaPalette;
    ega.resize(48);
    b.Append(ega).U8({0, s.planes}).Le16(static_cast<std::uint32_t>(s.bytesPerLine)).Le16(1).Zeros(58);
    return b.Append(s.data).Append(s.trailer).Bytes();
}

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255};

TEST(PcxDecoder, PlaneAndBitLayoutsPickDepthAndColours) {
    const std::vector<std::uint8_t> ega = {0, 0, 0, 10, 20, 30, 255, 0, 0, 0, 0, 255, 1, 1, 1, 2, 2, 2,
                                           3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8,
                                           9, 9, 9, 11, 11, 11, 12, 12, 12, 200, 100, 50};
    std::vector<std::uint8_t> vga(1, 0x0C);
    for (int i = 0; i < 256; ++i) vga.insert(vga.end(), {std::uint8_t(i), 0, std::uint8_t(255 - i)});
    struct Case {
        const char* name;
        int version, bits, planes, bytesPerLine;
        std::vector<std::uint8_t> data, trailer;
        int depth;
        Rgb first, second;
    } cases[] = {
        // Mono: a set bit is white whatever the header palette says.
        {"1 bit, 1 plane", 5, 1, 1, 2, {0x40, 0x00}, {}, 1, kBlack, kWhite},
        // Plane k holds bit k: pixel 0 = 0b1111 (entry 15), pixel 1 = 0b0010 (entry 2).
        {"1 bit, 4 planes", 5, 1, 4, 1, {0x80, 0xC0, 0x80, 0x80}, {}, 4, {200, 100, 50}, kRed},
        {"1 bit, 2 planes", 5, 1, 2, 1, {0x40, 0x80}, {}, 4, kRed, {10, 20, 30}},
        {"2 bits, 1 plane", 5, 2, 1, 1, {0xD0}, {}, 4, kBlue, {10, 20, 30}},
        {"4 bits, 1 plane", 5, 4, 1, 1, {0x2F}, {}, 4, kRed, {200, 100, 50}},
        {"8 bits with the palette trailer", 5, 8, 1, 2, {0x00, 0xFF}, vga, 8, kBlue, kRed},
        {"8 bits, 3 planes", 5, 8, 3, 2, {255, 0, 0, 0, 0, 255}, {}, 24, kRed, kBlue},
        {"8 bits, 4 planes: alpha over black", 5, 8, 4, 2, {255, 255, 0, 0, 0, 0, 128, 255}, {}, 24, {128, 0, 0}, kRed},
        {"version 3 uses the default EGA palette", 3, 1, 4, 1, {0x80, 0x00, 0x80, 0x00}, {}, 4, {170, 0, 170}, kBlack},
    };
    for (const auto& c : cases) {
        PcxFields s;
        s.version = c.version;
        s.encoding = 0;
        s.bits = c.bits;
        s.planes = c.planes;
        s.bytesPerLine = c.bytesPerLine;
        s.egaPalette = ega;
        s.data = c.data;
        s.trailer = c.trailer;
        RgbImage img;
        int depth = 0;
        ASSERT_TRUE(DecodeToRgb(DecodePcx, MakePcx(s), img, &depth)) << c.name;
        EXPECT_EQ(depth, c.depth) << c.name;
        EXPECT_EQ(PixelAt(img, 0, 0), c.first) << c.name;
        EXPECT_EQ(PixelAt(img, 1, 0), c.second) << c.name;
    }
}

TEST(PcxDecoder, RunsMayCrossScanLinesAndEmptyRunsYieldNothing) {
    PcxFields s;
    s.bits = 8;
    s.planes = 3;
    s.width = 1;
    s.height = 2;
    s.bytesPerLine = 1;
    // Line 1: R=255 G=255 B=0 (a run of 2, then 0); line 2 from a run of 3 that starts
    // after an empty run: all 0xC1 (itself needing a run byte).
    s.data = {0xC2, 255, 0x00, 0xC0, 7, 0xC3, 0xC1};
    RgbImage img;
    ASSERT_TRUE(DecodeToRgb(DecodePcx, MakePcx(s), img));
    EXPECT_EQ(PixelAt(img, 0, 0), (Rgb{255, 255, 0}));
    EXPECT_EQ(PixelAt(img, 0, 1), (Rgb{0xC1, 0xC1, 0xC1}));
}

TEST(PcxDecoder, RefusesMalformedFiles) {
    auto with = [](auto change) {
        PcxFields s;
        s.data = {0xC4, 7};
        change(s);
        return MakePcx(s);
    };
    struct Case { const char* name; std::vector<std::uint8_t> file; } cases[] = {
        {"line shorter than the width", with([](PcxFields& s) { s.width = 3; })},
        {"data ends inside a line", with([](PcxFields& s) { s.height = 3; })},
        {"data ends inside a run", with([](PcxFields& s) { s.data = {0xC1}; })},
        {"huge size in a small file", with([](PcxFields& s) { s.width = 65535; s.height = 65535; s.bytesPerLine = 65535; })},
        {"wrong maker byte", [] { auto f = MakePcx(PcxFields{}); f[0] = 0x0B; return f; }()},
        {"8 bits in 2 planes", with([](PcxFields& s) { s.planes = 2; })},
        {"4 bits in 2 planes", with([](PcxFields& s) { s.bits = 4; s.planes = 2; })},
        {"unknown encoding", with([](PcxFields& s) { s.encoding = 2; })},
        {"header only", [] { auto f = MakePcx(PcxFields{}); f.resize(100); return f; }()},
    };
    for (const auto& c : cases) {
        imagelib::Dib dib;
        EXPECT_FALSE(DecodePcx(c.file, dib).ok()) << c.name;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << c.name;
    }
}

}  // namespace
}  // namespace imagelib_test
