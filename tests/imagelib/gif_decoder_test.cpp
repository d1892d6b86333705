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
    int disposal = DISPOSAL_UNSPECIFIED;
    int delay = 0;
};

struct GifShape {
    GifShape(int w, int h, std::vector<Rgb> global, bool hasFrame = true, FrameShape f = {})
        : screenWidth(w), screenHeight(h), colours(std::move(global)), withFrame(hasFrame), frame(std::move(f)) {}
    int screenWidth, screenHeight;
    std::vector<Rgb> colours;  // global colour table; power-of-two length
    bool withFrame;
    FrameShape frame;
    std::vector<FrameShape> more;  // images after the first
    bool looping = false;
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

void PutImage(GifFileType* gif, const FrameShape& f) {
    if (f.transparent >= 0 || f.disposal != DISPOSAL_UNSPECIFIED || f.delay > 0) {
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = f.transparent;
        gcb.DisposalMode = f.disposal;
        gcb.DelayTime = f.delay;
        GifByteType extension[4];
        const auto length = EGifGCBToExtension(&gcb, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension);
    }
    ColorMapObject* local = MakeMap(f.localColours);
    EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local);
    GifFreeMapObject(local);
    std::vector<GifPixelType> line(static_cast<std::size_t>(f.width));
    for (int y : StoredOrder(f.height, f.interlaced)) {
        for (int x = 0; x < f.width; ++x) line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(f.index(x, y));
        EGifPutLine(gif, line.data(), f.width);
    }
}

std::vector<std::uint8_t> EncodeGif(const GifShape& shape) {
    std::vector<std::uint8_t> file;
    int error = 0;
    GifFileType* gif = EGifOpen(&file, WriteToVector, &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = MakeMap(shape.colours);
    EGifPutScreenDesc(gif, shape.screenWidth, shape.screenHeight, 8, 0, global);
    GifFreeMapObject(global);
    if (shape.looping) {
        static const GifByteType kLoop[] = {1, 0, 0};
        EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
        EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
        EGifPutExtensionBlock(gif, 3, kLoop);
        EGifPutExtensionTrailer(gif);
    }
    if (shape.withFrame) PutImage(gif, shape.frame);
    for (const FrameShape& f : shape.more) PutImage(gif, f);
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

const std::vector<Rgb> kNoBlack = {{200, 10, 10}, {10, 200, 10}, {10, 10, 200}, {250, 250, 250}};

std::function<int(int, int)> Solid(int index) {
    return [index](int, int) { return index; };
}

FrameShape Image(int left, int width, std::function<int(int, int)> index, int disposal = DISPOSAL_UNSPECIFIED,
                 int delay = 0, int transparent = -1, std::vector<Rgb> local = {}) {
    FrameShape f(left, 0, width, 1, false, std::move(local), transparent);
    f.index = std::move(index);
    f.disposal = disposal;
    f.delay = delay;
    return f;
}

std::vector<Rgb> Ramp(int shift) {
    std::vector<Rgb> colours;
    for (int i = 0; i < 256; ++i) colours.push_back({(i + shift) % 256, 255 - i, 1 + shift});
    return colours;
}

struct CompositionCase {
    const char* name;
    std::vector<FrameShape> images;
    std::vector<Rgb> expected;  // the 3x1 screen, left to right
    std::uint16_t depth = 8;
    std::vector<Rgb> global = kNoBlack;
    bool looping = false;
};

void PrintTo(const CompositionCase& c, std::ostream* os) { *os << c.name; }

std::vector<CompositionCase> CompositionCases() {
    const Rgb red = kNoBlack[0], green = kNoBlack[1], blue = kNoBlack[2], black{};
    const std::vector<Rgb> full = Ramp(0), other = Ramp(7);
    const Rgb f5 = full[5], f9 = full[9];
    auto rampAt = [](const std::vector<Rgb>& ramp, int i) { return ramp[static_cast<std::size_t>(i)]; };
    return {
        {"imagesSideBySide", {Image(0, 1, Solid(0)), Image(1, 1, Solid(1))}, {red, green, black}},
        {"laterImageCoversEarlier", {Image(0, 3, Solid(0)), Image(1, 2, Solid(1))}, {red, green, green}},
        {"transparentPixelsShowWhatIsBelow",
         {Image(0, 2, Solid(0)), Image(0, 3, [](int x, int) { return x == 0 ? 1 : 3; }, DISPOSAL_UNSPECIFIED, 0, 3)},
         {green, red, black}},
        {"keepLeavesTheImage", {Image(0, 2, Solid(0), DISPOSE_DO_NOT), Image(2, 1, Solid(1))}, {red, red, green}},
        {"backgroundClearsToBlack",
         {Image(0, 3, Solid(0)), Image(1, 1, Solid(1), DISPOSE_BACKGROUND), Image(2, 1, Solid(2))},
         {red, black, blue}},
        {"previousRestoresWhatWasBelow",
         {Image(0, 3, Solid(0)), Image(0, 2, Solid(1), DISPOSE_PREVIOUS), Image(2, 1, Solid(2))},
         {red, red, blue}},
        {"previousOfFirstImageIsBlankScreen", {Image(0, 2, Solid(0), DISPOSE_PREVIOUS), Image(2, 1, Solid(1))},
         {black, black, green}},
        {"lastImageIsNotDisposed", {Image(0, 3, Solid(0)), Image(0, 1, Solid(1), DISPOSE_BACKGROUND)},
         {green, red, red}},
        {"delayOnFirstImageStops", {Image(0, 1, Solid(0), DISPOSAL_UNSPECIFIED, 10), Image(1, 1, Solid(1))},
         {red, black, black}},
        {"delayOnSecondImageIncludesIt",
         {Image(0, 1, Solid(0)), Image(1, 1, Solid(1), DISPOSAL_UNSPECIFIED, 10), Image(2, 1, Solid(2))},
         {red, green, black}},
        {"loopingWithoutDelaysShowsFirstImage", {Image(0, 1, Solid(0)), Image(1, 1, Solid(1))}, {red, black, black},
         8, kNoBlack, true},
        {"loopingWithLaterDelayComposes",
         {Image(0, 1, Solid(0)), Image(1, 1, Solid(1), DISPOSAL_UNSPECIFIED, 5), Image(2, 1, Solid(2))},
         {red, green, black}, 8, kNoBlack, true},
        {"identicalLocalTableKeepsIndices",
         {Image(0, 1, Solid(0)), Image(1, 1, Solid(1), DISPOSAL_UNSPECIFIED, 0, -1, kNoBlack)},
         {red, green, black}},
        {"localTablesBeyond256ColoursGiveTrueColour",
         {Image(0, 2, [](int x, int) { return 10 + x; }, DISPOSAL_UNSPECIFIED, 0, -1, full),
          Image(1, 2, [](int x, int) { return 20 + x; }, DISPOSAL_UNSPECIFIED, 0, -1, other)},
         {rampAt(full, 10), rampAt(other, 20), rampAt(other, 21)}, 24},
        {"fullTableWithoutBlackCoveredStaysIndexed", {Image(0, 3, Solid(5)), Image(2, 1, Solid(9))}, {f5, f5, f9}, 8,
         full},
        {"fullTableWithoutBlackClearedGivesTrueColour",
         {Image(0, 3, Solid(5)), Image(1, 1, Solid(7), DISPOSE_BACKGROUND), Image(2, 1, Solid(9))},
         {f5, black, f9}, 24, full},
    };
}

class GifCompositionTest : public ::testing::TestWithParam<CompositionCase> {};

TEST_P(GifCompositionTest, ShowsTheFirstFrame) {
    const CompositionCase& c = GetParam();
    GifShape shape{3, 1, c.global};
    shape.frame = c.images.front();
    shape.more.assign(c.images.begin() + 1, c.images.end());
    shape.looping = c.looping;
    Dib dib;
    const Status status = DecodeGif(EncodeGif(shape), dib);
    ASSERT_TRUE(status.ok()) << status.message();
    ASSERT_EQ(dib.BitsPerPixel(), c.depth);
    for (std::uint32_t x = 0; x < 3; ++x) EXPECT_EQ(ColourAt(dib, x, 0), c.expected[x]) << "at " << x;
}

INSTANTIATE_TEST_SUITE_P(Cases, GifCompositionTest, ::testing::ValuesIn(CompositionCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GifDecoder, ComposesAtMost4096Images) {
    GifShape shape{1, 1, kNoBlack};
    shape.frame = Image(0, 1, Solid(0));
    for (int i = 1; i < 5000; ++i) shape.more.push_back(Image(0, 1, Solid(i == 4095 ? 2 : i < 4095 ? 0 : 1)));
    Dib dib;
    ASSERT_TRUE(DecodeGif(EncodeGif(shape), dib).ok());
    EXPECT_EQ(ColourAt(dib, 0, 0), kNoBlack[2]);
}

TEST(GifDecoder, TruncatedLaterImageLeavesWhatIsBelowItsMissingRows) {
    GifShape shape{64, 64, kNoBlack};
    shape.frame = FrameShape(0, 0, 64, 64);
    shape.frame.index = Solid(0);
    FrameShape second(0, 0, 64, 64);
    // Noisy enough that its data spans several blocks, so the cut leaves whole blocks.
    second.index = [](int x, int y) {
        const unsigned hash = (static_cast<unsigned>(x) * 2654435761u) ^ (static_cast<unsigned>(y) * 40503u);
        return 1 + static_cast<int>((hash >> 7) % 3);
    };
    const std::size_t firstOnly = EncodeGif(shape).size() - 1;  // without the trailer
    shape.more.push_back(second);
    auto file = EncodeGif(shape);
    file.resize(firstOnly + (file.size() - firstOnly) / 2);
    Dib dib;
    ASSERT_TRUE(DecodeGif(file, dib).ok());
    EXPECT_EQ(ColourAt(dib, 5, 0), kNoBlack[static_cast<std::size_t>(second.index(5, 0))]);
    EXPECT_EQ(ColourAt(dib, 5, 63), kNoBlack[0]);
}

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
    // giflib reads no LZW minimum code size above 8; the byte follows the image descriptor.
    GifShape wideCodes{2, 2, kFour, true, FrameShape(0, 0, 2, 2)};
    std::vector<std::uint8_t> codeSize11 = EncodeGif(wideCodes);
    codeSize11[13 + 3 * 4 + 10] = 11;
    const std::vector<std::vector<std::uint8_t>> cases = {
        {},
        {'G', 'I', 'F', '8', '9', 'a'},
        notGif,
        EncodeGif(noScreen),
        codeSize11,
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Dib dib;
        EXPECT_FALSE(DecodeGif(cases[i], dib).ok()) << "case " << i;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << "case " << i;
    }
}

}  // namespace
}  // namespace imagelib
