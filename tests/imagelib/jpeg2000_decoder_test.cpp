// JPEG 2000 decoding against code streams and jp2 files encoded here with OpenJPEG.
#include "imagelib/decoders.h"
#include "tests/imagelib/dib_pixels.h"

#include <gtest/gtest.h>
#include <openjpeg.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace imagelib {
namespace {

using testing::ColourAt;
using testing::Rgb;

constexpr std::uint32_t kWidth = 40, kHeight = 24;

struct Sink {
    std::vector<std::uint8_t> bytes;
    std::size_t pos = 0;
};

OPJ_SIZE_T WriteSink(void* buffer, OPJ_SIZE_T size, void* user) {
    auto* s = static_cast<Sink*>(user);
    if (s->bytes.size() < s->pos + size) s->bytes.resize(s->pos + size);
    std::memcpy(s->bytes.data() + s->pos, buffer, size);
    s->pos += size;
    return size;
}
OPJ_OFF_T SkipSink(OPJ_OFF_T count, void* user) {
    static_cast<Sink*>(user)->pos += static_cast<std::size_t>(count);
    return count;
}
OPJ_BOOL SeekSink(OPJ_OFF_T offset, void* user) {
    static_cast<Sink*>(user)->pos = static_cast<std::size_t>(offset);
    return OPJ_TRUE;
}

struct J2kShape {
    std::string name;
    OPJ_CODEC_FORMAT codec = OPJ_CODEC_J2K;
    int components = 3;
    int precision = 8;
    bool sgnd = false;
    OPJ_UINT32 chromaStep = 1;  // subsampling of components 1 and 2
    OPJ_COLOR_SPACE space = OPJ_CLRSPC_SRGB;
    int tile = 0;  // tile side; 0 for one tile
    std::vector<std::pair<OPJ_UINT32, OPJ_UINT32>> steps = {};  // (dx, dy) of every component, instead of chromaStep
    std::vector<int> precisions = {};                            // of every component, instead of precision
};

void PrintTo(const J2kShape& s, std::ostream* os) { *os << s.name; }

int Sample(std::uint32_t x, std::uint32_t y, int c, int precision) {
    return static_cast<int>((x * 9 + y * 5 + static_cast<unsigned>(c) * 70) % (1u << precision));
}

int PrecisionOf(const J2kShape& shape, int c) {
    return shape.precisions.empty() ? shape.precision : shape.precisions[static_cast<std::size_t>(c)];
}

// Lossless (reversible) coding, so pixels come back exactly.
std::vector<std::uint8_t> EncodeJ2k(const J2kShape& shape) {
    std::vector<opj_image_cmptparm_t> parms(static_cast<std::size_t>(shape.components));
    for (int c = 0; c < shape.components; ++c) {
        opj_image_cmptparm_t& p = parms[static_cast<std::size_t>(c)];
        p = {};
        p.dx = p.dy = (c == 1 || c == 2) ? shape.chromaStep : 1;
        if (!shape.steps.empty()) std::tie(p.dx, p.dy) = shape.steps[static_cast<std::size_t>(c)];
        p.w = (kWidth + p.dx - 1) / p.dx;
        p.h = (kHeight + p.dy - 1) / p.dy;
        p.prec = static_cast<OPJ_UINT32>(PrecisionOf(shape, c));
        p.sgnd = shape.sgnd;
    }
    opj_image_t* image = opj_image_create(static_cast<OPJ_UINT32>(shape.components), parms.data(), shape.space);
    image->x0 = image->y0 = 0;
    image->x1 = kWidth;
    image->y1 = kHeight;
    for (int c = 0; c < shape.components; ++c) {
        opj_image_comp_t& comp = image->comps[c];
        for (std::uint32_t y = 0; y < comp.h; ++y)
            for (std::uint32_t x = 0; x < comp.w; ++x)
                comp.data[y * comp.w + x] =
                    Sample(x, y, c, PrecisionOf(shape, c)) - (shape.sgnd ? (1 << (PrecisionOf(shape, c) - 1)) : 0);
    }
    opj_cparameters_t params;
    opj_set_default_encoder_parameters(&params);
    params.numresolution = 3;
    if (shape.tile) {
        params.tile_size_on = OPJ_TRUE;
        params.cp_tdx = params.cp_tdy = shape.tile;
    }
    params.tcp_mct = shape.components >= 3 && shape.chromaStep == 1 && shape.steps.empty() ? 1 : 0;
    opj_codec_t* codec = opj_create_compress(shape.codec);
    opj_setup_encoder(codec, &params, image);
    Sink sink;
    opj_stream_t* stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_FALSE);
    opj_stream_set_user_data(stream, &sink, nullptr);
    opj_stream_set_write_function(stream, WriteSink);
    opj_stream_set_skip_function(stream, SkipSink);
    opj_stream_set_seek_function(stream, SeekSink);
    const bool ok =
        opj_start_compress(codec, image, stream) && opj_encode(codec, stream) && opj_end_compress(codec, stream);
    opj_stream_destroy(stream);
    opj_destroy_codec(codec);
    opj_image_destroy(image);
    EXPECT_TRUE(ok);
    return sink.bytes;
}

class Jpeg2000PixelsTest : public ::testing::TestWithParam<J2kShape> {};

TEST_P(Jpeg2000PixelsTest, DecodesPixels) {
    const J2kShape& shape = GetParam();
    const auto file = EncodeJ2k(shape);
    // The signature decides, whichever of the two format numbers is asked for.
    for (ImageFormat format : {FORMAT_JP2, FORMAT_JPC}) {
        Dib dib;
        const Status status = DecodeImage(file, format, dib);
        ASSERT_TRUE(status.ok()) << status.message();
        ASSERT_EQ(dib.Width(), kWidth);
        ASSERT_EQ(dib.Height(), kHeight);
        ASSERT_EQ(dib.BitsPerPixel(), shape.components >= 3 ? 24 : 8);
        const int shift = shape.precision > 8 ? shape.precision - 8 : 0;
        auto scaled = [&](std::uint32_t x, std::uint32_t y, int c) {
            const std::uint32_t step = (c == 1 || c == 2) ? shape.chromaStep : 1;
            const int v = Sample(x / step, y / step, c, shape.precision);
            return shape.precision < 8 ? v * 255 / ((1 << shape.precision) - 1) : v >> shift;
        };
        for (std::uint32_t y = 0; y < kHeight; ++y)
            for (std::uint32_t x = 0; x < kWidth; ++x) {
                const Rgb expected = shape.components >= 3 ? Rgb{scaled(x, y, 0), scaled(x, y, 1), scaled(x, y, 2)}
                                                           : Rgb{scaled(x, y, 0), scaled(x, y, 0), scaled(x, y, 0)};
                ASSERT_EQ(ColourAt(dib, x, y), expected) << "at " << x << "," << y;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, Jpeg2000PixelsTest,
                         ::testing::Values(J2kShape{"rgbCodeStream"}, J2kShape{"rgbJp2", OPJ_CODEC_JP2},
                                           J2kShape{"grey", OPJ_CODEC_J2K, 1, 8, false, 1, OPJ_CLRSPC_GRAY},
                                           J2kShape{"grey12", OPJ_CODEC_J2K, 1, 12, false, 1, OPJ_CLRSPC_GRAY},
                                           J2kShape{"grey4", OPJ_CODEC_JP2, 1, 4, false, 1, OPJ_CLRSPC_GRAY},
                                           J2kShape{"signedGrey", OPJ_CODEC_J2K, 1, 8, true, 1, OPJ_CLRSPC_GRAY},
                                           J2kShape{"rgb16", OPJ_CODEC_J2K, 3, 16},
                                           // Tiles of 16 leave partial tiles at the right and bottom.
                                           J2kShape{"rgbTiled", OPJ_CODEC_JP2, 3, 8, false, 1, OPJ_CLRSPC_SRGB, 16},
                                           J2kShape{"grey12Tiled", OPJ_CODEC_J2K, 1, 12, false, 1, OPJ_CLRSPC_GRAY,
                                                    16}),
                         [](const auto& info) { return info.param.name; });

TEST(Jpeg2000Decoder, ChromaSubsampledAlikeIsYccEvenWhenUndeclared) {
    for (OPJ_COLOR_SPACE space : {OPJ_CLRSPC_SYCC, OPJ_CLRSPC_UNSPECIFIED}) {
        J2kShape shape{"ycc", OPJ_CODEC_J2K, 3, 8, false, 2, space};
        auto file = EncodeJ2k(shape);
        Dib dib;
        ASSERT_TRUE(DecodeJpeg2000(file, dib).ok());
        ASSERT_EQ(dib.Width(), kWidth);
        // Chroma sample (x/2, y/2) covers pixel (x, y): check one pixel by hand.
        const int luma = Sample(5, 3, 0, 8);
        const int cb = Sample(2, 1, 1, 8) - 128, cr = Sample(2, 1, 2, 8) - 128;
        auto clamp = [](double v) { return std::max(0, std::min(255, static_cast<int>(v + 0.5))); };
        const Rgb expected{clamp(luma + 1.402 * cr), clamp(luma - 0.344136 * cb - 0.714136 * cr),
                           clamp(luma + 1.772 * cb)};
        EXPECT_PRED3(testing::Near, ColourAt(dib, 5, 3), expected, 1) << "colour space " << space;
    }
}

TEST(Jpeg2000Decoder, PlanesSubsampledEachTheirOwnWayAreColourAndAlphaAsStored) {
    const std::vector<std::pair<OPJ_UINT32, OPJ_UINT32>> steps = {{1, 1}, {2, 1}, {1, 2}, {2, 2}};
    J2kShape shape{"mixed", OPJ_CODEC_J2K, 4, 8, false, 1, OPJ_CLRSPC_UNSPECIFIED, 0, steps};
    Dib dib;
    ASSERT_TRUE(DecodeJpeg2000(EncodeJ2k(shape), dib).ok());
    ASSERT_EQ(dib.BitsPerPixel(), 24);
    for (std::uint32_t y = 0; y < kHeight; ++y)
        for (std::uint32_t x = 0; x < kWidth; ++x) {
            auto at = [&](int c) {
                const auto [dx, dy] = steps[static_cast<std::size_t>(c)];
                return Sample(x / dx, y / dy, c, 8);
            };
            auto over = [&](int v) { return (v * at(3) + 127) / 255; };
            ASSERT_EQ(ColourAt(dib, x, y), (Rgb{over(at(0)), over(at(1)), over(at(2))})) << "at " << x << "," << y;
        }
}

TEST(Jpeg2000Decoder, ReadsWideSamplesThatFollowAnOddSizedPlane) {
    // 7x5 one-byte grey samples, then 12-bit alpha in two-byte samples: in the tile
    // buffer the alpha plane starts at an odd address.
    J2kShape shape{"unaligned", OPJ_CODEC_J2K, 2, 8, false, 1, OPJ_CLRSPC_UNSPECIFIED, 0, {{6, 5}, {1, 1}}, {8, 12}};
    Dib dib;
    ASSERT_TRUE(DecodeJpeg2000(EncodeJ2k(shape), dib).ok());
    ASSERT_EQ(dib.BitsPerPixel(), 8);
    for (std::uint32_t y = 0; y < kHeight; ++y)
        for (std::uint32_t x = 0; x < kWidth; ++x) {
            const int v = (Sample(x / 6, y / 5, 0, 8) * (Sample(x, y, 1, 12) >> 4) + 127) / 255;
            ASSERT_EQ(ColourAt(dib, x, y), (Rgb{v, v, v})) << "at " << x << "," << y;
        }
}

TEST(Jpeg2000Decoder, RefusesBrokenFilesAndLeavesOutputAlone) {
    const auto codeStream = EncodeJ2k({"broken"});
    const auto jp2 = EncodeJ2k({"brokenJp2", OPJ_CODEC_JP2});
    auto huge = codeStream;
    // SIZ follows SOC: Xsiz and Ysiz at bytes 8..15 of the stream.
    for (std::size_t i = 8; i < 16; ++i) huge[i] = i % 4 == 0 ? 0x00 : 0xFF;
    const std::vector<std::vector<std::uint8_t>> cases = {
        {},
        {0xFF, 0x4F, 0xFF, 0x51},
        std::vector<std::uint8_t>(codeStream.begin(), codeStream.begin() + 30),
        std::vector<std::uint8_t>(jp2.begin(), jp2.begin() + 40),
        std::vector<std::uint8_t>(200, 0x6A),
        huge,
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Dib dib;
        EXPECT_FALSE(DecodeJpeg2000(cases[i], dib).ok()) << "case " << i;
        EXPECT_TRUE(dib.header.empty() && dib.bits.empty()) << "case " << i;
    }
}

// OpenJPEG's own whole-image decode at the same reduction is the reference for where each
// reduced sample lands, tiles and all.
opj_image_t* ReferenceDecode(const std::vector<std::uint8_t>& file, OPJ_CODEC_FORMAT codecFormat, int reduction) {
    struct Source {
        const std::vector<std::uint8_t>* bytes;
        std::size_t pos;
    } source{&file, 0};
    opj_stream_t* stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_TRUE);
    opj_stream_set_user_data(stream, &source, nullptr);
    opj_stream_set_user_data_length(stream, file.size());
    opj_stream_set_read_function(stream, [](void* buffer, OPJ_SIZE_T size, void* user) -> OPJ_SIZE_T {
        auto* s = static_cast<Source*>(user);
        if (s->pos >= s->bytes->size()) return static_cast<OPJ_SIZE_T>(-1);
        const std::size_t n = std::min(size, s->bytes->size() - s->pos);
        std::memcpy(buffer, s->bytes->data() + s->pos, n);
        s->pos += n;
        return n;
    });
    opj_stream_set_skip_function(stream, [](OPJ_OFF_T n, void* user) -> OPJ_OFF_T {
        static_cast<Source*>(user)->pos += static_cast<std::size_t>(n);
        return n;
    });
    opj_stream_set_seek_function(stream, [](OPJ_OFF_T n, void* user) -> OPJ_BOOL {
        static_cast<Source*>(user)->pos = static_cast<std::size_t>(n);
        return OPJ_TRUE;
    });
    opj_codec_t* codec = opj_create_decompress(codecFormat);
    opj_dparameters_t params;
    opj_set_default_decoder_parameters(&params);
    params.cp_reduce = static_cast<OPJ_UINT32>(reduction);
    opj_setup_decoder(codec, &params);
    opj_image_t* image = nullptr;
    const bool ok = opj_read_header(stream, codec, &image) && opj_decode(codec, stream, image) &&
                    opj_end_decompress(codec, stream);
    opj_stream_destroy(stream);
    opj_destroy_codec(codec);
    EXPECT_TRUE(ok);
    return image;
}

class Jpeg2000ReducedTest : public ::testing::TestWithParam<J2kShape> {};

TEST_P(Jpeg2000ReducedTest, ReducedDecodeMatchesTheLibrarysOwn) {
    const J2kShape& shape = GetParam();
    const auto file = EncodeJ2k(shape);
    for (int reduction = 1; reduction <= 2; ++reduction) {
        Dib dib;
        PictureScale scale;
        const Status status = DecodeJpeg2000Scaled(file, FixedReduction(reduction), dib, scale);
        ASSERT_TRUE(status.ok()) << status.message();
        EXPECT_EQ(scale.fullWidth, kWidth);
        EXPECT_EQ(scale.fullHeight, kHeight);
        ASSERT_EQ(scale.reduction, reduction);
        opj_image_t* reference = ReferenceDecode(file, shape.codec, reduction);
        ASSERT_NE(reference, nullptr);
        ASSERT_EQ(dib.Width(), reference->comps[0].w);
        ASSERT_EQ(dib.Height(), reference->comps[0].h);
        const int shift = shape.precision > 8 ? shape.precision - 8 : 0;
        for (std::uint32_t y = 0; y < dib.Height(); ++y)
            for (std::uint32_t x = 0; x < dib.Width(); ++x) {
                auto at = [&](int c) { return reference->comps[c].data[y * reference->comps[c].w + x] >> shift; };
                const Rgb expected = shape.components >= 3 ? Rgb{at(0), at(1), at(2)} : Rgb{at(0), at(0), at(0)};
                ASSERT_EQ(ColourAt(dib, x, y), expected) << "reduction " << reduction << " at " << x << "," << y;
            }
        opj_image_destroy(reference);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, Jpeg2000ReducedTest,
                         ::testing::Values(J2kShape{"rgbCodeStream"}, J2kShape{"rgbJp2", OPJ_CODEC_JP2},
                                           J2kShape{"rgbTiled", OPJ_CODEC_JP2, 3, 8, false, 1, OPJ_CLRSPC_SRGB, 16},
                                           J2kShape{"grey12Tiled", OPJ_CODEC_J2K, 1, 12, false, 1, OPJ_CLRSPC_GRAY,
                                                    16}),
                         [](const auto& info) { return info.param.name; });

// The streams here have three resolutions: two levels can go, a third cannot.
TEST(Jpeg2000Decoder, ReductionStopsAtTheStreamsLowestResolution) {
    Dib dib;
    PictureScale scale;
    ASSERT_TRUE(DecodeJpeg2000Scaled(EncodeJ2k({"rgb"}), FixedReduction(kMaxReduction), dib, scale).ok());
    EXPECT_EQ(scale.reduction, 2);
    EXPECT_EQ(dib.Width(), kWidth / 4);
    EXPECT_EQ(dib.Height(), kHeight / 4);
    // Subsampled chroma keeps its place on the reduced grid.
    J2kShape ycc{"ycc", OPJ_CODEC_J2K, 3, 8, false, 2, OPJ_CLRSPC_SYCC};
    ASSERT_TRUE(DecodeJpeg2000Scaled(EncodeJ2k(ycc), FixedReduction(1), dib, scale).ok());
    EXPECT_EQ(scale.reduction, 1);
    EXPECT_EQ(dib.Width(), kWidth / 2);
    Dib untouched;
    EXPECT_FALSE(DecodeJpeg2000Scaled(ByteSpan(), FixedReduction(1), untouched, scale).ok());
    EXPECT_TRUE(untouched.header.empty());
}

// The main header claims five decomposition levels; the one tile's own COD keeps the two
// it was coded with, so a reduction the header allows fails in the tile.
std::vector<std::uint8_t> WithFewerTileResolutions(std::vector<std::uint8_t> stream) {
    const auto find = [&](std::uint8_t marker) {
        for (std::size_t i = 0; i + 1 < stream.size(); ++i)
            if (stream[i] == 0xFF && stream[i + 1] == marker) return i;
        return stream.size();
    };
    const std::size_t cod = find(0x52);
    const std::size_t sot = find(0x90);
    if (cod + 9 >= stream.size() || sot + 12 > stream.size() || sot < cod) return {};
    const std::size_t codLength = 2u + (std::size_t{stream[cod + 2]} << 8 | stream[cod + 3]);
    const std::vector<std::uint8_t> tileCod(stream.begin() + static_cast<std::ptrdiff_t>(cod),
                                            stream.begin() + static_cast<std::ptrdiff_t>(cod + codLength));
    stream[cod + 9] = 5;
    // Psot counts the tile-part from its SOT on; 0 means up to the end of the stream.
    std::uint32_t psot = 0;
    for (int b = 0; b < 4; ++b) psot = psot << 8 | stream[sot + 6 + static_cast<std::size_t>(b)];
    if (psot != 0) {
        psot += static_cast<std::uint32_t>(codLength);
        for (int b = 0; b < 4; ++b)
            stream[sot + 6 + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(psot >> (24 - 8 * b));
    }
    stream.insert(stream.begin() + static_cast<std::ptrdiff_t>(sot + 12), tileCod.begin(), tileCod.end());
    return stream;
}

TEST(Jpeg2000Decoder, ATileWithFewerResolutionsThanTheHeaderPromisedIsDecodedWhole) {
    const std::vector<std::uint8_t> file = WithFewerTileResolutions(EncodeJ2k({"rgb"}));
    ASSERT_FALSE(file.empty());
    Dib whole;
    ASSERT_TRUE(DecodeJpeg2000(file, whole).ok()) << "the stream is sound at full size";
    Dib dib;
    PictureScale scale;
    ASSERT_TRUE(DecodeJpeg2000Scaled(file, FixedReduction(kMaxReduction), dib, scale).ok());
    EXPECT_EQ(scale.reduction, 0);
    EXPECT_EQ(dib.Width(), kWidth);
    EXPECT_EQ(dib.Height(), kHeight);
    EXPECT_EQ(scale.fullWidth, static_cast<std::uint32_t>(kWidth));
}

}  // namespace
}  // namespace imagelib
