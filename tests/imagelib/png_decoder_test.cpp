// PNG decoding against files written here with libpng.
#include "imagelib/decoders.h"
#include "tests/imagelib/dib_pixels.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <functional>
#include <string>
#include <vector>

namespace imagelib {
namespace {

using testing::ColourAt;
using testing::IndexAt;
using testing::Rgb;

constexpr std::uint32_t kWidth = 13, kHeight = 11;  // odd sizes exercise row padding

struct PngShape {
    PngShape(int type = PNG_COLOR_TYPE_RGB, int depth = 8, bool interlace = false)
        : colourType(type), bitDepth(depth), interlaced(interlace) {}
    int colourType;
    int bitDepth;
    bool interlaced;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;         // tRNS for palette images
    const png_color_16* transparent = nullptr;  // tRNS for grey and RGB images
    std::uint32_t width = kWidth, height = kHeight;
};

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void NoFlush(png_structp) {}

int Channels(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

// Sample value `s` of channel `c` at (x, y), below 2^depth.
unsigned Sample(std::uint32_t x, std::uint32_t y, int c, int depth) {
    const unsigned max = (1u << depth) - 1;
    return (x * 7 + y * 13 + static_cast<unsigned>(c) * 5) % (max + 1);
}

// Writes a picture whose samples come from Sample(); 16-bit samples are value * 257 of
// an 8-bit value so that reduction to 8 bits is exact.
std::vector<std::uint8_t> EncodePng(const PngShape& shape) {
    std::vector<std::uint8_t> file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, WriteToVector, NoFlush);
    png_set_check_for_invalid_index(png, 0);  // lets tests write stray palette indices
    png_set_IHDR(png, info, shape.width, shape.height, shape.bitDepth, shape.colourType,
                 shape.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!shape.palette.empty()) png_set_PLTE(png, info, shape.palette.data(), static_cast<int>(shape.palette.size()));
    if (!shape.paletteAlpha.empty())
        png_set_tRNS(png, info, shape.paletteAlpha.data(), static_cast<int>(shape.paletteAlpha.size()), nullptr);
    if (shape.transparent) png_set_tRNS(png, info, nullptr, 0, const_cast<png_color_16*>(shape.transparent));
    png_write_info(png, info);
    const int channels = Channels(shape.colourType);
    const int sampleDepth = shape.bitDepth == 16 ? 8 : shape.bitDepth;
    const std::size_t rowBytes = (static_cast<std::size_t>(shape.width) * channels * shape.bitDepth + 7) / 8;
    std::vector<std::vector<png_byte>> rows(shape.height, std::vector<png_byte>(rowBytes, 0));
    for (std::uint32_t y = 0; y < shape.height; ++y)
        for (std::uint32_t x = 0; x < shape.width; ++x)
            for (int c = 0; c < channels; ++c) {
                const unsigned v = Sample(x, y, c, sampleDepth);
                const std::size_t i = static_cast<std::size_t>(x) * channels + static_cast<std::size_t>(c);
                if (shape.bitDepth == 16) {
                    rows[y][2 * i] = rows[y][2 * i + 1] = static_cast<png_byte>(v);
                } else if (shape.bitDepth == 8) {
                    rows[y][i] = static_cast<png_byte>(v);
                } else {
                    const std::size_t bit = i * static_cast<std::size_t>(shape.bitDepth);
                    rows[y][bit / 8] |= static_cast<png_byte>(v << (8 - shape.bitDepth - bit % 8));
                }
            }
    std::vector<png_bytep> pointers;
    for (auto& r : rows) pointers.push_back(r.data());
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return file;
}

std::vector<png_color> Palette(int count) {
    std::vector<png_color> p;
    for (int i = 0; i < count; ++i)
        p.push_back({static_cast<png_byte>(i * 11), static_cast<png_byte>(255 - i), static_cast<png_byte>(i * 3 + 1)});
    return p;
}

int OverBlack(unsigned v, unsigned a) { return static_cast<int>((v * a + 127) / 255); }

struct Case {
    std::string name;
    PngShape shape;
    std::uint16_t depth;
    std::function<Rgb(std::uint32_t, std::uint32_t)> expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

Rgb Grey(int v) { return {v, v, v}; }

std::vector<Case> Cases() {
    std::vector<Case> cases;
    auto rgb = [](std::uint32_t x, std::uint32_t y) {
        return Rgb{static_cast<int>(Sample(x, y, 0, 8)), static_cast<int>(Sample(x, y, 1, 8)),
                   static_cast<int>(Sample(x, y, 2, 8))};
    };
    auto rgba = [](std::uint32_t x, std::uint32_t y) {
        const unsigned a = Sample(x, y, 3, 8);
        return Rgb{OverBlack(Sample(x, y, 0, 8), a), OverBlack(Sample(x, y, 1, 8), a),
                   OverBlack(Sample(x, y, 2, 8), a)};
    };
    for (bool interlaced : {false, true}) {
        const std::string suffix = interlaced ? "Interlaced" : "";
        cases.push_back({"rgb8" + suffix, {PNG_COLOR_TYPE_RGB, 8, interlaced}, 24, rgb});
        cases.push_back({"rgb16" + suffix, {PNG_COLOR_TYPE_RGB, 16, interlaced}, 24, rgb});
        cases.push_back({"rgba8" + suffix, {PNG_COLOR_TYPE_RGB_ALPHA, 8, interlaced}, 24, rgba});
        cases.push_back({"rgba16" + suffix, {PNG_COLOR_TYPE_RGB_ALPHA, 16, interlaced}, 24, rgba});
        cases.push_back(
            {"greyAlpha8" + suffix,
             {PNG_COLOR_TYPE_GRAY_ALPHA, 8, interlaced},
             8,
             [](std::uint32_t x, std::uint32_t y) { return Grey(OverBlack(Sample(x, y, 0, 8), Sample(x, y, 1, 8))); }});
    }
    for (int depth : {1, 2, 4, 8}) {
        const int levels = 1 << depth;
        cases.push_back({"grey" + std::to_string(depth),
                         {PNG_COLOR_TYPE_GRAY, depth},
                         static_cast<std::uint16_t>(depth == 2 ? 8 : depth),
                         [depth, levels](std::uint32_t x, std::uint32_t y) {
                             return Grey(
                                 static_cast<int>(Sample(x, y, 0, depth) * 255 / static_cast<unsigned>(levels - 1)));
                         }});
        PngShape palette{PNG_COLOR_TYPE_PALETTE, depth};
        palette.palette = Palette(levels);
        cases.push_back({"palette" + std::to_string(depth), palette, static_cast<std::uint16_t>(depth == 2 ? 8 : depth),
                         [depth](std::uint32_t x, std::uint32_t y) {
                             const int i = static_cast<int>(Sample(x, y, 0, depth));
                             return Rgb{(i * 11) & 255, 255 - i, (i * 3 + 1) & 255};
                         }});
    }
    cases.push_back({"grey16", {PNG_COLOR_TYPE_GRAY, 16}, 8, [](std::uint32_t x, std::uint32_t y) {
                         return Grey(static_cast<int>(Sample(x, y, 0, 8)));
                     }});

    // Palette alpha composites the colour-table entries themselves.
    PngShape paletteAlpha{PNG_COLOR_TYPE_PALETTE, 4};
    paletteAlpha.palette = Palette(16);
    paletteAlpha.paletteAlpha = {0, 128, 255, 64};
    cases.push_back(
        {"paletteTrns", paletteAlpha, 4, [](std::uint32_t x, std::uint32_t y) {
             const int i = static_cast<int>(Sample(x, y, 0, 4));
             const unsigned a = i < 4 ? std::vector<unsigned>{0, 128, 255, 64}[static_cast<std::size_t>(i)] : 255;
             return Rgb{OverBlack(static_cast<unsigned>(i * 11), a), OverBlack(static_cast<unsigned>(255 - i), a),
                        OverBlack(static_cast<unsigned>(i * 3 + 1), a)};
         }});
    static const png_color_16 kGreyKey{0, 0, 0, 0, 5};
    PngShape greyKey{PNG_COLOR_TYPE_GRAY, 8};
    greyKey.transparent = &kGreyKey;
    cases.push_back({"greyTrns", greyKey, 8, [](std::uint32_t x, std::uint32_t y) {
                         const int v = static_cast<int>(Sample(x, y, 0, 8));
                         return Grey(v == 5 ? 0 : v);
                     }});
    static const png_color_16 kGrey16Key{0, 0, 0, 0, 5 * 257};
    PngShape grey16Key{PNG_COLOR_TYPE_GRAY, 16};
    grey16Key.transparent = &kGrey16Key;
    cases.push_back({"grey16Trns", grey16Key, 8, [](std::uint32_t x, std::uint32_t y) {
                         const int v = static_cast<int>(Sample(x, y, 0, 8));
                         return Grey(v == 5 ? 0 : v);
                     }});
    // The key is the colour of pixel (0, 0): (0, 5, 10).
    static const png_color_16 kRgbKey{0, 0, 5, 10, 0};
    PngShape rgbKey{PNG_COLOR_TYPE_RGB, 8};
    rgbKey.transparent = &kRgbKey;
    cases.push_back({"rgbTrns", rgbKey, 24, [rgb](std::uint32_t x, std::uint32_t y) {
                         const Rgb c = rgb(x, y);
                         return c == Rgb{0, 5, 10} ? Rgb{} : c;
                     }});
    return cases;
}

class PngPixelsTest : public ::testing::TestWithParam<Case> {};

TEST_P(PngPixelsTest, DecodesExactly) {
    const Case& c = GetParam();
    Dib dib;
    const Status status = DecodePng(EncodePng(c.shape), dib);
    ASSERT_TRUE(status.ok()) << status.message();
    ASSERT_EQ(dib.Width(), c.shape.width);
    ASSERT_EQ(dib.Height(), c.shape.height);
    ASSERT_EQ(dib.BitsPerPixel(), c.depth);
    for (std::uint32_t y = 0; y < c.shape.height; ++y)
        for (std::uint32_t x = 0; x < c.shape.width; ++x)
            ASSERT_EQ(ColourAt(dib, x, y), c.expected(x, y)) << "at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Kinds, PngPixelsTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

TEST(PngDecoder, PaletteImageKeepsItsIndices) {
    PngShape shape{PNG_COLOR_TYPE_PALETTE, 8};
    shape.palette = Palette(200);
    Dib dib;
    ASSERT_TRUE(DecodePng(EncodePng(shape), dib).ok());
    EXPECT_EQ(IndexAt(dib, 3, 2), static_cast<int>(Sample(3, 2, 0, 8)));
    // Entries past the file's palette are black, so stray indices show black.
    EXPECT_EQ(dib.ColoursUsed(), 256u);
    EXPECT_EQ(dib.Palette()[250].red, 0);
    EXPECT_EQ(dib.Palette()[250].green, 0);
}

void SetIhdrSize(std::vector<std::uint8_t>& file, std::uint32_t width, std::uint32_t height) {
    for (int i = 0; i < 4; ++i) {
        file[16 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        file[20 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    // The IHDR checksum covers the type and data: fix it so only the size is wrong.
    const uLong crc = crc32(crc32(0, nullptr, 0), file.data() + 12, 17);
    for (int i = 0; i < 4; ++i) file[29 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

TEST(PngDecoder, RefusesBrokenFilesAndLeavesOutputAlone) {
    const auto good = EncodePng({PNG_COLOR_TYPE_RGB_ALPHA, 8});
    auto tooWide = good;
    SetIhdrSize(tooWide, 70000, 10);  // above the side limit
    auto tooLarge = good;
    SetIhdrSize(tooLarge, 60000, 60000);  // a 13 GiB picture from a tiny file
    auto badCrc = good;
    badCrc[29] ^= 0xFF;
    std::vector<std::uint8_t> garbage(good.begin(), good.begin() + 8);
    garbage.resize(200, 0x5A);
    const std::vector<std::vector<std::uint8_t>> cases = {
        {},      std::vector<std::uint8_t>(good.begin(), good.begin() + 8), tooWide, tooLarge, badCrc,
        garbage, std::vector<std::uint8_t>(good.begin(), good.end() - 30),  // image data cut short
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Dib dib;
        EXPECT_FALSE(DecodePng(cases[i], dib).ok()) << "case " << i;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << "case " << i;
    }
}

// An interlaced picture with alpha keeps all its rows before composing them. For grey and
// alpha those take twice the picture: a picture at the size limit must be refused before
// anything is allocated, not decoded with 3 GiB in hand.
TEST(PngDecoder, RefusesInterlacedRowsBeyondTheStagingLimit) {
    auto file = EncodePng({PNG_COLOR_TYPE_GRAY_ALPHA, 8, true});
    SetIhdrSize(file, 32768, 32768);
    Dib dib;
    const Status status = DecodePng(file, dib);
    EXPECT_STREQ(status.message(), "Pixel block exceeds the limit");
    EXPECT_TRUE(dib.header.empty() && dib.bits.empty());
}

}  // namespace
}  // namespace imagelib
