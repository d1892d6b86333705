// The Exif orientation of JPEG files: every orientation comes out upright, at full and
// reduced scale, and a damaged tag leaves the picture as stored.
#include "imagelib/decoders.h"
#include "imagelib/orientation.h"
#include "tests/imagelib/oriented_jpeg.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace imagelib {
namespace {

using testing::ColourAt;
using testing::Corner;
using testing::ExifBody;
using testing::ExifTag;
using testing::kQuarteredHeight;
using testing::kQuarteredWidth;
using testing::Near;
using testing::QuarterColour;
using testing::WithApp1;
using enum testing::Corner;

// Which stored quarter each corner of the upright picture shows: top-left, top-right,
// bottom-left, bottom-right, for orientations 1 to 8.
constexpr Corner kUprightCorners[9][4] = {
    {},
    {kTopLeft, kTopRight, kBottomLeft, kBottomRight},
    {kTopRight, kTopLeft, kBottomRight, kBottomLeft},  // mirrored left to right
    {kBottomRight, kBottomLeft, kTopRight, kTopLeft},  // turned half round
    {kBottomLeft, kBottomRight, kTopLeft, kTopRight},  // mirrored top to bottom
    {kTopLeft, kBottomLeft, kTopRight, kBottomRight},  // transposed
    {kBottomLeft, kTopLeft, kBottomRight, kTopRight},  // stored a quarter turn anticlockwise
    {kBottomRight, kTopRight, kBottomLeft, kTopLeft},  // transposed the other way
    {kTopRight, kBottomRight, kTopLeft, kBottomLeft},  // stored a quarter turn clockwise
};

void ExpectCorners(Dib& dib, const Corner (&corners)[4]) {
    const std::uint32_t w = dib.Width() - 1, h = dib.Height() - 1;
    const std::uint32_t at[4][2] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
    for (int i = 0; i < 4; ++i)
        EXPECT_PRED3(Near, ColourAt(dib, at[i][0], at[i][1]), QuarterColour(corners[i]), 6) << "corner " << i;
}

void ExpectAsStored(Dib& dib) {
    ASSERT_EQ(dib.Width(), kQuarteredWidth);
    ASSERT_EQ(dib.Height(), kQuarteredHeight);
    ExpectCorners(dib, kUprightCorners[1]);
}

class JpegOrientationTest : public ::testing::TestWithParam<std::tuple<int, bool, int>> {};

TEST_P(JpegOrientationTest, ComesOutUprightWithItsSidesAndCorners) {
    const int orientation = std::get<0>(GetParam());
    const bool bigEndian = std::get<1>(GetParam());
    const int reduction = std::get<2>(GetParam());
    ExifTag tag;
    tag.value = static_cast<std::uint16_t>(orientation);
    tag.bigEndian = bigEndian;
    const auto file = WithApp1(testing::EncodeQuarteredJpeg(), {ExifBody(tag)});
    const bool swapped = orientation >= 5;
    const std::uint32_t uprightWidth = swapped ? kQuarteredHeight : kQuarteredWidth;
    const std::uint32_t uprightHeight = swapped ? kQuarteredWidth : kQuarteredHeight;

    Dib dib;
    PictureScale scale;
    std::uint32_t ruleWidth = 0, ruleHeight = 0;
    const ReductionRule rule = [&](std::uint32_t w, std::uint32_t h) {
        ruleWidth = w;
        ruleHeight = h;
        return reduction;
    };
    ASSERT_TRUE(DecodeJpegScaled(file, rule, dib, scale).ok());
    EXPECT_EQ(ruleWidth, uprightWidth);
    EXPECT_EQ(ruleHeight, uprightHeight);
    EXPECT_EQ(scale.fullWidth, uprightWidth);
    EXPECT_EQ(scale.fullHeight, uprightHeight);
    ASSERT_EQ(scale.reduction, reduction);
    ASSERT_EQ(dib.Width(), uprightWidth >> reduction);
    ASSERT_EQ(dib.Height(), uprightHeight >> reduction);
    ExpectCorners(dib, kUprightCorners[orientation]);

    if (reduction == 0) {
        Dib plain;
        ASSERT_TRUE(DecodeImage(file, FORMAT_JPEG, plain).ok());
        ASSERT_EQ(plain.Width(), uprightWidth);
        ExpectCorners(plain, kUprightCorners[orientation]);
    }
}

INSTANTIATE_TEST_SUITE_P(AllEight, JpegOrientationTest,
                         ::testing::Combine(::testing::Range(1, 9), ::testing::Bool(), ::testing::Values(0, 2)),
                         [](const auto& info) {
                             return "orientation" + std::to_string(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) ? "Motorola" : "Intel") + "Reduced" +
                                    std::to_string(std::get<2>(info.param));
                         });

TEST(JpegOrientation, FindsTheExifSegmentAfterAnotherApp1) {
    const std::string xmp = "http://ns.adobe.com/xap/1.0/";
    std::vector<std::uint8_t> other(xmp.begin(), xmp.end());
    other.push_back(0);
    ExifTag tag;
    tag.value = 6;
    Dib dib;
    ASSERT_TRUE(DecodeJpeg(WithApp1(testing::EncodeQuarteredJpeg(), {other, ExifBody(tag)}), dib).ok());
    ASSERT_EQ(dib.Width(), kQuarteredHeight);
    ExpectCorners(dib, kUprightCorners[6]);
}

struct DamagedTag {
    const char* name;
    ExifTag tag;
};

class DamagedExifTest : public ::testing::TestWithParam<DamagedTag> {};

// Each would turn the picture (orientation 6) if it were read as sound.
TEST_P(DamagedExifTest, LeavesThePictureAsStored) {
    ExifTag tag = GetParam().tag;
    if (tag.value == 1) tag.value = 6;
    const auto file = WithApp1(testing::EncodeQuarteredJpeg(), {ExifBody(tag)});
    Dib dib;
    ASSERT_TRUE(DecodeJpeg(file, dib).ok());
    ExpectAsStored(dib);
    Dib scaled;
    PictureScale scale;
    ASSERT_TRUE(DecodeJpegScaled(file, FixedReduction(1), scaled, scale).ok());
    EXPECT_EQ(scale.fullWidth, kQuarteredWidth);
    EXPECT_EQ(scaled.Width(), kQuarteredWidth / 2);
}

ExifTag Damaged(void (*change)(ExifTag&)) {
    ExifTag tag;
    change(tag);
    return tag;
}

INSTANTIATE_TEST_SUITE_P(
    Tags, DamagedExifTest,
    ::testing::Values(
        DamagedTag{"valueZero", Damaged([](ExifTag& t) { t.value = 0; })},
        DamagedTag{"valueNine", Damaged([](ExifTag& t) { t.value = 9; })},
        DamagedTag{"valueHuge", Damaged([](ExifTag& t) { t.value = 0xFFFF; })},
        DamagedTag{"longType", Damaged([](ExifTag& t) { t.type = 4; })},
        DamagedTag{"asciiType", Damaged([](ExifTag& t) { t.type = 2; })},
        DamagedTag{"countTwo", Damaged([](ExifTag& t) { t.count = 2; })},
        DamagedTag{"countHuge", Damaged([](ExifTag& t) { t.count = 0xFFFFFFFF; })},
        DamagedTag{"ifdOutsideSegment", Damaged([](ExifTag& t) { t.ifdOffset = 0x10000; })},
        DamagedTag{"ifdFarOutside", Damaged([](ExifTag& t) { t.ifdOffset = 0xFFFFFFF0; })},
        DamagedTag{"ifdInsideHeader", Damaged([](ExifTag& t) { t.ifdOffset = 0; })},
        DamagedTag{"entryCountHuge", Damaged([](ExifTag& t) { t.entryCount = 0xFFFF; })},
        DamagedTag{"cutInsideTheTag", Damaged([](ExifTag& t) { t.cutTo = 8 + 2 + 12 + 9; })},
        DamagedTag{"cutInsideTheHeader", Damaged([](ExifTag& t) { t.cutTo = 6; })},
        DamagedTag{"ifdChainLoops", Damaged([](ExifTag& t) {
                       t.inSecondIfd = true;
                       t.nextIfd = 8;
                   })},
        DamagedTag{"onlyInTheThumbnailIfd", Damaged([](ExifTag& t) { t.inSecondIfd = true; })},
        DamagedTag{"notExif", Damaged([](ExifTag& t) { t.prefix = "Exiv"; })}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TiffOrientationReader, ReadsBothByteOrdersAndRefusesMixedOnes) {
    for (bool big : {false, true}) {
        ExifTag tag;
        tag.value = 7;
        tag.bigEndian = big;
        const auto body = ExifBody(tag);
        EXPECT_EQ(ReadExifOrientation(body), 7) << big;
        EXPECT_EQ(ReadTiffOrientation(ByteSpan(body).subspan(6)), 7) << big;
        auto mixed = body;
        mixed[7] = big ? 'I' : 'M';
        EXPECT_EQ(ReadExifOrientation(mixed), kStoredUpright) << big;
    }
    EXPECT_EQ(ReadExifOrientation({}), kStoredUpright);
}

}  // namespace
}  // namespace imagelib
