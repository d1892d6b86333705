// GIF decoding against files written here with giflib's encoder.
#include "imagelib/decoders.h"
#include "tests/imagelib/dib_pixels.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace imagelib {
namespace {

using testing::ColourAt;
using testing::IndexAt;
using testing::Rgb;

int WriteToVector(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

struct FrameShape {
    FrameShape(int l = 0, int t = 0, int w = 0, int h = 0, bool interlace = false, std::vector<Rgb> local = {},
               int transparentIndex = -1)
        : left(l),
          top(t),
          width(w),
          height(h),
          interlaced(interlace),
          localColours(std::move(local)),
          transparent(transparentIndex) {}
    int left, top, width, height;
    bool interlaced;
    std::vector<Rgb> localColours;
    int transparent;
    std::function<int(int, int)> index = [](int x, int y) { return (x + y) % 4; };
};

struct GifShape {
    GifShape(int w, int h, std::vector<Rgb> global, bool hasFrame = true, FrameShape f = {})
        : screenWidth(w), screenHeight(h), colours(std::move(global)), withFrame(hasFrame), frame(std::move(f)) {}
    int screenWidth, screenHeight;
    std::vector<Rgb> colours;  // global colour table; power-of-two length
    bool withFrame;
    FrameShape frame;
};

ColorMapObject* MakeMap(const std::vector<Rgb>& colours) {
    if (colours.empty()) return nullptr;
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), nullptr);
    for (std::size_t i = 0; i < colours.size(); ++i)
        map->Colors[i] = GifColorType{static_cast<GifByteType>(colours[i].r), static_cast<GifByteType>(colours[i].g),
                                      static_cast<GifByteType>(colours[i].b)};
    return map;
}

std::vector<int> StoredOrder(int height, bool interlaced) {
    std::vector<int> rows;
    if (!interlaced) {
        for (int y = 0; y < height; ++y) rows.push_back(y);
        return rows;
    }
    for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
        for (int y = start; y < height; y += step) rows.push_back(y);
    return rows;
}

std::vector<std::uint8_t> EncodeGif(const GifShape& shape) {
    std::vector<std::uint8_t> file;
    int error = 0;
    GifFileType* gif = EGifOpen(&file, WriteToVector, &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = MakeMap(shape.colours);
    EGifPutScreenDesc(gif, shape.screenWidth, shape.screenHeight, 8, 0, global);
    GifFreeMapObject(global);
    if (shape.withFrame) {
        const FrameShape& f = shape.frame;
        if (f.transparent >= 0) {
            GraphicsControlBlock gcb{};
            gcb.TransparentColor = f.transparent;
            GifByteType extension[4];
            const auto length = EGifGCBToExtension(&gcb, extension);
            EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension);
        }
        ColorMapObject* local = MakeMap(f.localColours);
        EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local);
        GifFreeMapObject(local);
        std::vector<GifPixelType> line(static_cast<std::size_t>(f.width));
        for (int y : StoredOrder(f.height, f.interlaced)) {
            for (int x = 0; x < f.width; ++x)
                line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(f.index(x, y));
            EGifPutLine(gif, line.data(), f.width);
        }
    }
    EGifCloseFile(gif, &error);
    return file;
}

const std::vector<Rgb> kFour = {{200, 10, 10}, {10, 200, 10}, {0, 0, 0}, {250, 250, 250}};

TEST(GifDecoder, FullScreenFrameKeepsIndicesAndColourTable) {
    GifShape shape{5, 4, kFour};
    shape.frame = FrameShape(0, 0, 5, 4);
    Dib dib;
    ASSERT_TRUE(DecodeGif(EncodeGif(shape), dib).ok());
    ASSERT_EQ(dib.BitsPerPixel(), 8);
    ASSERT_EQ(dib.Width(), 5u);
    ASSERT_EQ(dib.Height(), 4u);
    for (std::uint32_t y = 0; y < 4; ++y)
        for (std::uint32_t x = 0; x < 5; ++x) {
            ASSERT_EQ(IndexAt(dib, x, y), static_cast<int>((x + y) % 4));
            ASSERT_EQ(ColourAt(dib, x, y), kFour[(x + y) % 4]);
        }
}

TEST(GifDecoder, InterlacedRowsLandInPlace) {
    GifShape shape{3, 19, {}};
    for (int i = 0; i < 32; ++i) shape.colours.push_back({i * 8, i, 255 - i});
    shape.frame = FrameShape(0, 0, 3, 19, true);
    shape.frame.index = [](int, int y) { return y; };
    Dib dib;
    ASSERT_TRUE(DecodeGif(EncodeGif(shape), dib).ok());
    for (std::uint32_t y = 0; y < 19; ++y) EXPECT_EQ(IndexAt(dib, 1, y), static_cast<int>(y)) << "row " << y;
}

struct PlacementCase {
    const char* name;
    GifShape shape;
    std::uint16_t depth;
    // Expected colour, or black where the frame does not reach.
    std::function<Rgb(int, int)> expected;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

std::vector<PlacementCase> PlacementCases() {
    std::vector<Rgb> noBlack256;
    for (int i = 0; i < 256; ++i) noBlack256.push_back({i, 255 - i, 128});
    const std::vector<Rgb> noBlack4 = {{200, 10, 10}, {10, 200, 10}, {10, 10, 200}, {250, 250, 250}};
    auto inFrame = [](int left, int top, int w, int h, std::vector<Rgb> colours, int transparent) {
        return [=](int x, int y) {
            if (x < left || y < top || x >= left + w || y >= top + h) return Rgb{};
            const int i = ((x - left) + (y - top)) % 4;
            return i == transparent ? Rgb{} : colours[static_cast<std::size_t>(i)];
        };
    };
    std::vector<PlacementCase> cases;
    cases.push_back(
        {"frameInsideScreen", GifShape(6, 5, kFour, true, FrameShape(1, 2, 3, 2)), 8, inFrame(1, 2, 3, 2, kFour, -1)});
    cases.push_back({"frameWithoutBlackEntry", GifShape(6, 5, noBlack4, true, FrameShape(1, 1, 2, 2)), 8,
                     inFrame(1, 1, 2, 2, noBlack4, -1)});
    cases.push_back({"frameCroppedByScreen", GifShape(4, 3, kFour, true, FrameShape(2, 1, 5, 5)), 8,
                     inFrame(2, 1, 5, 5, kFour, -1)});
    cases.push_back({"transparentIndex", GifShape(4, 4, noBlack4, true, FrameShape(0, 0, 4, 4, false, {}, 1)), 8,
                     inFrame(0, 0, 4, 4, noBlack4, 1)});
    cases.push_back({"localColoursWin", GifShape(4, 4, kFour, true, FrameShape(0, 0, 4, 4, false, noBlack4)), 8,
                     inFrame(0, 0, 4, 4, noBlack4, -1)});
    // All 256 entries used and none black: the uncovered pixels need true colour.
    cases.push_back({"fullTableWithoutBlack", GifShape(5, 5, noBlack256, true, FrameShape(1, 1, 3, 3)), 24,
                     inFrame(1, 1, 3, 3, noBlack256, -1)});
    cases.push_back({"noImageAtAll", GifShape(3, 2, kFour, false), 8, [](int, int) { return Rgb{}; }});
    return cases;
}

class GifPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(GifPlacementTest, ShowsTheFrameOnABlackScreen) {
    const PlacementCase& c = GetParam();
    Dib dib;
    const Status status = DecodeGif(EncodeGif(c.shape), dib);
    ASSERT_TRUE(status.ok()) << status.message();
    ASSERT_EQ(dib.Width(), static_cast<std::uint32_t>(c.shape.screenWidth));
    ASSERT_EQ(dib.Height(), static_cast<std::uint32_t>(c.shape.screenHeight));
    ASSERT_EQ(dib.BitsPerPixel(), c.depth);
    for (int y = 0; y < c.shape.screenHeight; ++y)
        for (int x = 0; x < c.shape.screenWidth; ++x)
            ASSERT_EQ(ColourAt(dib, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)), c.expected(x, y))
                << "at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Cases, GifPlacementTest, ::testing::ValuesIn(PlacementCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GifDecoder, TruncatedFrameKeepsItsFirstRowsAndShowsBlackBelow) {
    GifShape shape{64, 64, kFour};
    shape.frame = FrameShape(0, 0, 64, 64);
    shape.frame.index = [](int x, int y) { return (x * 7 + y * 3) % 3 == 0 ? 0 : 1 + (x ^ y) % 3; };
    auto file = EncodeGif(shape);
    file.resize(file.size() / 2);
    Dib dib;
    ASSERT_TRUE(DecodeGif(file, dib).ok());
    EXPECT_EQ(ColourAt(dib, 5, 0), kFour[static_cast<std::size_t>(shape.frame.index(5, 0))]);
    EXPECT_EQ(ColourAt(dib, 5, 63), Rgb{});
}

TEST(GifDecoder, RefusesBrokenFilesAndLeavesOutputAlone) {
    GifShape noScreen{0, 0, kFour, false};
    std::vector<std::uint8_t> notGif(100, 0x47);
    const std::vector<std::vector<std::uint8_t>> cases = {
        {},
        {'G', 'I', 'F', '8', '9', 'a'},
        notGif,
        EncodeGif(noScreen),
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Dib dib;
        EXPECT_FALSE(DecodeGif(cases[i], dib).ok()) << "case " << i;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << "case " << i;
    }
}

}  // namespace
}  // namespace imagelib
