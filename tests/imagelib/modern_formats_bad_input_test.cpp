// HEIF, AVIF and WebP files cut short, damaged, or declaring absurd sizes: each gives a
// clean refusal or a consistent picture, never a crash, a hang or a huge allocation
// (the asan build runs these under the sanitizers).
#include "tests/imagelib/modern_fixtures.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace imagelib_test {
namespace {

using imagelib::Dib;
using imagelib::PictureScale;

struct File {
    const char* name;
    ImageFormat format;
};

const File kFiles[] = {
    {"picture.heic", FORMAT_HEIF},      {"thumbnail.heic", FORMAT_HEIF},     {"transparent.heic", FORMAT_HEIF},
    {"picture.avif", FORMAT_AVIF},      {"transparent.avif", FORMAT_AVIF},   {"irot3-imir1.avif", FORMAT_AVIF},
    {"picture.webp", FORMAT_WEBP},      {"lossless.webp", FORMAT_WEBP},      {"transparent.webp", FORMAT_WEBP},
    {"animation.webp", FORMAT_WEBP},
};

// What a decoder that reports success must have made: a 24-bit picture whose blocks
// agree with its header, at the sides the scale states.
void ExpectConsistent(const Dib& dib, const PictureScale& scale) {
    ASSERT_FALSE(dib.header.empty());
    ASSERT_FALSE(dib.bits.empty());
    EXPECT_EQ(dib.bits.size(), std::size_t{dib.Stride()} * dib.Height());
    const std::uint32_t step = 1u << scale.reduction;
    EXPECT_EQ(dib.Width(), (scale.fullWidth + step - 1) / step);
    EXPECT_EQ(dib.Height(), (scale.fullHeight + step - 1) / step);
}

void DecodeEitherWay(const std::vector<std::uint8_t>& bytes, ImageFormat format) {
    for (int reduction : {0, 2}) {
        Dib dib;
        PictureScale scale;
        if (imagelib::DecodeImageScaled(Span(bytes), format, imagelib::FixedReduction(reduction), dib, scale).ok())
            ExpectConsistent(dib, scale);
    }
}

TEST(ModernFormatsBadInput, TruncatedFilesAreRefusedOrComeOutWhole) {
    for (const File& f : kFiles) {
        const std::vector<std::uint8_t> whole = Fixture(f.name);
        for (std::size_t length = 0; length < whole.size(); length += std::max<std::size_t>(1, whole.size() / 40)) {
            SCOPED_TRACE(std::string(f.name) + " cut at " + std::to_string(length));
            const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            DecodeEitherWay(cut, f.format);
        }
    }
}

TEST(ModernFormatsBadInput, DamagedBytesGiveARefusalOrAConsistentPicture) {
    for (const File& f : kFiles) {
        const std::vector<std::uint8_t> whole = Fixture(f.name);
        for (std::size_t at = 0; at < whole.size(); at += std::max<std::size_t>(1, whole.size() / 60)) {
            for (std::uint8_t value : {0x00, 0xFF, 0x7F}) {
                SCOPED_TRACE(std::string(f.name) + " byte " + std::to_string(at) + " set to " + std::to_string(value));
                std::vector<std::uint8_t> damaged = whole;
                damaged[at] = value;
                DecodeEitherWay(damaged, f.format);
            }
        }
    }
}

TEST(ModernFormatsBadInput, EachDecoderRefusesTheOthersFormats) {
    for (const File& f : kFiles)
        for (ImageFormat other : {FORMAT_HEIF, FORMAT_AVIF, FORMAT_WEBP}) {
            // libheif reads AVIF files too, as the same container.
            if (other == f.format || (other == FORMAT_HEIF && f.format == FORMAT_AVIF)) continue;
            SCOPED_TRACE(std::string(f.name) + " as format " + std::to_string(other));
            const std::vector<std::uint8_t> bytes = Fixture(f.name);
            Dib dib;
            EXPECT_FALSE(imagelib::DecodeImage(Span(bytes), other, dib).ok());
        }
}

// Where the four characters `tag` next occur from `from` on.
std::vector<std::uint8_t>::iterator Find(std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>::iterator from,
                                         const std::string& tag) {
    return std::search(from, bytes.end(), tag.begin(), tag.end());
}

// Rewrites the first `box` box's 32-bit fields after its version and flags.
void SetBoxFields(std::vector<std::uint8_t>& bytes, const char* box, std::uint32_t first, std::uint32_t second) {
    const auto at = Find(bytes, bytes.begin(), box);
    ASSERT_NE(at, bytes.end()) << box;
    std::uint8_t* fields = &*at + 8;
    for (std::uint32_t v : {first, second}) {
        fields[0] = static_cast<std::uint8_t>(v >> 24);
        fields[1] = static_cast<std::uint8_t>(v >> 16);
        fields[2] = static_cast<std::uint8_t>(v >> 8);
        fields[3] = static_cast<std::uint8_t>(v);
        fields += 4;
    }
}

TEST(ModernFormatsBadInput, AOneByHundredThousandHeifIsRefusedBeforeDecoding) {
    std::vector<std::uint8_t> bytes = Fixture("picture.heic");
    // Every image's spatial extent (the grid's and its tile's) claims 1 x 100000.
    for (auto at = bytes.begin(); (at = Find(bytes, at, "ispe")) != bytes.end(); at += 4)
        for (std::size_t i = 0; i < 8; ++i) at[8 + i] = std::array<std::uint8_t, 8>{0, 0, 0, 1, 0, 1, 0x86, 0xA0}[i];
    Dib dib;
    PictureScale scale;
    EXPECT_FALSE(imagelib::DecodeHeif(Span(bytes), dib).ok());
    EXPECT_FALSE(imagelib::DecodeHeifScaled(Span(bytes), imagelib::FixedReduction(3), dib, scale).ok());
}

TEST(ModernFormatsBadInput, AnAvifDeclaringAHugePictureIsRefusedBeforeDecoding) {
    std::vector<std::uint8_t> bytes = Fixture("picture.avif");
    SetBoxFields(bytes, "ispe", 60000, 60000);
    Dib dib;
    EXPECT_FALSE(imagelib::DecodeAvif(Span(bytes), dib).ok());
}

TEST(ModernFormatsBadInput, AWebpAnimationWithAHugeCanvasIsRefused) {
    std::vector<std::uint8_t> bytes = Fixture("animation.webp");
    // VP8X holds the canvas size less one, 24 bits each, after 4 bytes of flags.
    const auto at = Find(bytes, bytes.begin(), "VP8X");
    ASSERT_NE(at, bytes.end());
    const std::uint32_t side = 16000 - 1;
    for (int axis = 0; axis < 2; ++axis)
        for (int i = 0; i < 3; ++i) at[12 + 3 * axis + i] = static_cast<std::uint8_t>(side >> (8 * i));
    Dib dib;
    const imagelib::Status status = imagelib::DecodeWebp(Span(bytes), dib);
    EXPECT_FALSE(status.ok());
    EXPECT_STREQ(status.message(), "WebP canvas exceeds the limit");
}

}  // namespace
}  // namespace imagelib_test
