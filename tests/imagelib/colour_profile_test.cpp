// Embedded colour profiles: pictures tagged Display P3 come out in sRGB, matching a
// conversion of the same pixels by the colour library itself; damaged profiles and
// pictures without one come out as stored.
#include "imagelib/decoders.h"
#include "tests/imagelib/dib_pixels.h"
#include "tests/imagelib/oriented_jpeg.h"

#include <gtest/gtest.h>
#include <lcms2.h>
#include <png.h>
#include <tiffio.h>
#include <unistd.h>
#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace imagelib {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The profile's bytes; closes it.
Bytes SavedProfile(cmsHPROFILE profile) {
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    Bytes bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

// Display P3: the P3 primaries, D65 white, the sRGB tone curve.
Bytes DisplayP3Profile() {
    const cmsCIExyY white = {0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries = {{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    const cmsFloat64Number srgbCurve[] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    const Bytes bytes = SavedProfile(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsFreeToneCurve(curve);
    return bytes;
}

Bytes GreyProfile() {
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 2.2);
    const Bytes bytes = SavedProfile(cmsCreateGrayProfile(cmsD50_xyY(), curve));
    cmsFreeToneCurve(curve);
    return bytes;
}

// The 24-bit picture's rows converted from Display P3 to sRGB by lcms directly.
std::vector<Bytes> ConvertedRows(Dib& dib) {
    const Bytes p3 = DisplayP3Profile();
    cmsHPROFILE in = cmsOpenProfileFromMem(p3.data(), static_cast<cmsUInt32Number>(p3.size()));
    cmsHPROFILE out = cmsCreate_sRGBProfile();
    cmsHTRANSFORM t = cmsCreateTransform(in, TYPE_BGR_8, out, TYPE_BGR_8, INTENT_PERCEPTUAL, 0);
    std::vector<Bytes> rows;
    for (std::uint32_t y = 0; y < dib.Height(); ++y) {
        Bytes row(dib.Width() * 3);
        cmsDoTransform(t, dib.RowFromTop(y), row.data(), dib.Width());
        rows.push_back(row);
    }
    cmsDeleteTransform(t);
    cmsCloseProfile(in);
    cmsCloseProfile(out);
    return rows;
}

int MaxDifference(Dib& dib, const std::vector<Bytes>& rows) {
    int worst = 0;
    for (std::uint32_t y = 0; y < dib.Height(); ++y)
        for (std::uint32_t i = 0; i < dib.Width() * 3; ++i)
            worst = std::max(worst, std::abs(int{dib.RowFromTop(y)[i]} - int{rows[y][i]}));
    return worst;
}

std::vector<Bytes> Rows(Dib& dib) {
    std::vector<Bytes> rows;
    for (std::uint32_t y = 0; y < dib.Height(); ++y)
        rows.emplace_back(dib.RowFromTop(y), dib.RowFromTop(y) + dib.Width() * 3);
    return rows;
}

// An APP2 body: the signature, sequence number, count and a piece of the profile.
Bytes IccChunk(int sequence, int count, const Bytes& profile, std::size_t from, std::size_t to) {
    Bytes body(std::begin("ICC_PROFILE"), std::end("ICC_PROFILE"));
    body.push_back(static_cast<std::uint8_t>(sequence));
    body.push_back(static_cast<std::uint8_t>(count));
    body.insert(body.end(), profile.begin() + static_cast<long>(from), profile.begin() + static_cast<long>(to));
    return body;
}

Bytes WithApp2(const Bytes& jpeg, const std::vector<Bytes>& bodies) { return testing::WithSegments(jpeg, 0xE2, bodies); }

// The profile in three chunks, stored out of order: joined by their numbers.
std::vector<Bytes> ThreeChunks(const Bytes& p) {
    const std::size_t a = p.size() / 3, b = 2 * p.size() / 3;
    return {IccChunk(2, 3, p, a, b), IccChunk(1, 3, p, 0, a), IccChunk(3, 3, p, b, p.size())};
}

class JpegProfile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(DecodeJpeg(plain_, stored_).ok()); }
    Dib Decode(const Bytes& file, int reduction = 0) {
        Dib dib;
        PictureScale scale;
        EXPECT_TRUE(DecodeJpegScaled(file, FixedReduction(reduction), dib, scale).ok());
        return dib;
    }
    const Bytes plain_ = testing::EncodeQuarteredJpeg();
    const Bytes p3_ = DisplayP3Profile();
    Dib stored_;
};

TEST_F(JpegProfile, DisplayP3PixelsAreConvertedToSrgbAtEveryScale) {
    const std::vector<Bytes> expected = ConvertedRows(stored_);
    ASSERT_GT(MaxDifference(stored_, expected), 10) << "the test colours must change in sRGB";
    for (const Bytes& file : {WithApp2(plain_, {IccChunk(1, 1, p3_, 0, p3_.size())}), WithApp2(plain_, ThreeChunks(p3_))}) {
        Dib dib = Decode(file);
        EXPECT_LE(MaxDifference(dib, expected), 1);
    }
    Dib reducedStored = Decode(plain_, 2);
    Dib reduced = Decode(WithApp2(plain_, ThreeChunks(p3_)), 2);
    EXPECT_LE(MaxDifference(reduced, ConvertedRows(reducedStored)), 1);
}

TEST_F(JpegProfile, DamagedOrForeignProfilesLeaveThePictureAsStored) {
    const std::size_t half = p3_.size() / 2, n = p3_.size();
    Bytes lying = p3_;
    lying[0] = 0x7F;  // declares far more than it holds
    const Bytes grey = GreyProfile();
    const std::vector<std::pair<const char*, std::vector<Bytes>>> cases = {
        {"truncated", {IccChunk(1, 1, p3_, 0, half)}},
        {"lying about its size", {IccChunk(1, 1, lying, 0, n)}},
        {"a chunk missing", {IccChunk(1, 2, p3_, 0, half)}},
        {"a number twice", {IccChunk(1, 2, p3_, 0, half), IccChunk(1, 2, p3_, half, n)}},
        {"a number beyond the count", {IccChunk(1, 2, p3_, 0, half), IccChunk(3, 2, p3_, half, n)}},
        {"number zero", {IccChunk(0, 2, p3_, 0, half), IccChunk(1, 2, p3_, half, n)}},
        {"counts disagree", {IccChunk(1, 2, p3_, 0, half), IccChunk(2, 3, p3_, half, n)}},
        {"zero chunks", {IccChunk(1, 0, p3_, 0, n)}},
        {"signature only", {Bytes(std::begin("ICC_PROFILE"), std::end("ICC_PROFILE"))}},
        {"not a profile", {IccChunk(1, 1, Bytes(200, 0x41), 0, 200)}},
        {"a grey profile", {IccChunk(1, 1, grey, 0, grey.size())}},
    };
    const std::vector<Bytes> stored = Rows(stored_);
    for (const auto& [name, chunks] : cases) {
        Dib dib = Decode(WithApp2(plain_, chunks));
        EXPECT_EQ(Rows(dib), stored) << name;
    }
}

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void NoFlush(png_structp) {}

constexpr std::uint32_t kSide = 16;

std::uint8_t Sample(std::uint32_t x, std::uint32_t y, int c) {
    return static_cast<std::uint8_t>((x * 37 + y * 101 + static_cast<unsigned>(c) * 71) % 256);
}

// An RGB PNG of Sample() values with `profile` in its iCCP chunk (none when empty).
Bytes EncodePng(const Bytes& profile) {
    Bytes file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, WriteToVector, NoFlush);
    png_set_IHDR(png, info, kSide, kSide, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!profile.empty())
        png_set_iCCP(png, info, "P3", PNG_COMPRESSION_TYPE_BASE, profile.data(), static_cast<png_uint_32>(profile.size()));
    png_write_info(png, info);
    Bytes row(kSide * 3);
    for (std::uint32_t y = 0; y < kSide; ++y) {
        for (std::uint32_t i = 0; i < kSide * 3; ++i) row[i] = Sample(i / 3, y, static_cast<int>(i % 3));
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return file;
}

// The stored pixels as the picture holds them (BGR, top row first).
Dib StoredPixels() {
    Dib dib;
    EXPECT_TRUE(AllocateDib(kSide, kSide, 24, 0, dib).ok());
    for (std::uint32_t y = 0; y < kSide; ++y)
        for (std::uint32_t x = 0; x < kSide; ++x)
            for (int c = 0; c < 3; ++c) dib.RowFromTop(y)[3 * x + 2 - c] = Sample(x, y, c);
    return dib;
}

// The first chunk of `type` in a PNG, by its offset.
std::size_t ChunkOffset(const Bytes& png, const char* type) {
    for (std::size_t at = 8; at + 8 <= png.size();) {
        const std::size_t length = (std::size_t{png[at]} << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
        if (std::memcmp(&png[at + 4], type, 4) == 0) return at;
        at += 12 + length;
    }
    return 0;
}

TEST(PngProfile, DisplayP3PixelsAreConvertedAndOthersKeptExactly) {
    Dib stored = StoredPixels();
    const std::vector<Bytes> converted = ConvertedRows(stored);
    Dib dib;
    ASSERT_TRUE(DecodePng(EncodePng(DisplayP3Profile()), dib).ok());
    EXPECT_LE(MaxDifference(dib, converted), 1);
    ASSERT_GT(MaxDifference(stored, converted), 10);

    ASSERT_TRUE(DecodePng(EncodePng({}), dib).ok());
    EXPECT_EQ(Rows(dib), Rows(stored)) << "no profile";
    // Damage inside the compressed profile, under a correct CRC so that libpng inflates it.
    Bytes damaged = EncodePng(DisplayP3Profile());
    const std::size_t iccp = ChunkOffset(damaged, "iCCP");
    ASSERT_NE(iccp, 0u);
    const std::size_t length = (std::size_t{damaged[iccp + 2]} << 8) | damaged[iccp + 3];
    damaged[iccp + 8 + length / 2] ^= 0x5A;
    const uLong crc = crc32(0, &damaged[iccp + 4], static_cast<uInt>(length + 4));
    for (int i = 0; i < 4; ++i) damaged[iccp + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    ASSERT_TRUE(DecodePng(damaged, dib).ok());
    EXPECT_EQ(Rows(dib), Rows(stored)) << "damaged iCCP";
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(TiffProfile, DisplayP3PixelsAreConverted) {
    const std::string path = ::testing::TempDir() + "colour_profile_" + std::to_string(getpid()) + ".tif";
    const Bytes p3 = DisplayP3Profile();
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tif, nullptr);
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kSide);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kSide);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ICCPROFILE, static_cast<std::uint32_t>(p3.size()), p3.data());
    Bytes row(kSide * 3);
    for (std::uint32_t y = 0; y < kSide; ++y) {
        for (std::uint32_t i = 0; i < kSide * 3; ++i) row[i] = Sample(i / 3, y, static_cast<int>(i % 3));
        TIFFWriteScanline(tif, row.data(), y, 0);
    }
    TIFFClose(tif);
    Dib stored = StoredPixels();
    Dib dib;
    const Status decoded = DecodeTiff(ReadFile(path), dib);
    ::unlink(path.c_str());
    ASSERT_TRUE(decoded.ok());
    EXPECT_LE(MaxDifference(dib, ConvertedRows(stored)), 1);
}

}  // namespace
}  // namespace imagelib
