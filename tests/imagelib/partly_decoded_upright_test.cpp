// A picture whose data ran out (its undecoded rows black) is turned upright from its
// decoded rows alone, with the same result as turning every row, at every depth and
// orientation.
#include "imagelib/orientation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <tuple>

namespace imagelib {
namespace {

// Odd sides, so the packed depths end mid-byte.
constexpr std::uint32_t kWidth = 13, kHeight = 9, kDecodedRows = 4;

Dib RandomDib(std::uint16_t depth, std::mt19937& random) {
    Dib dib;
    EXPECT_TRUE(AllocateDib(kWidth, kHeight, depth, depth == 24 ? 0 : 1u << depth, dib).ok());
    for (std::size_t i = 0; i < dib.bits.size(); ++i) dib.bits.data()[i] = static_cast<std::uint8_t>(random());
    return dib;
}

Dib Copy(const Dib& dib) {
    Dib copy;
    copy.header = HeapBlock::Allocate(dib.header.size());
    copy.bits = HeapBlock::Allocate(dib.bits.size());
    std::memcpy(copy.header.data(), dib.header.data(), dib.header.size());
    std::memcpy(copy.bits.data(), dib.bits.data(), dib.bits.size());
    return copy;
}

class PartlyDecodedUprightTest : public ::testing::TestWithParam<std::tuple<std::uint16_t, int>> {};

TEST_P(PartlyDecodedUprightTest, MatchesTheWholePictureWithBlackBelowTheData) {
    const auto [depth, orientation] = GetParam();
    std::mt19937 random(depth * 10u + static_cast<unsigned>(orientation));
    Dib whole = RandomDib(depth, random);
    for (std::uint32_t y = kDecodedRows; y < kHeight; ++y) std::memset(whole.RowFromTop(y), 0, whole.Stride());
    Dib partly = Copy(whole);

    ASSERT_TRUE(MakeUpright(partly, orientation, kDecodedRows).ok());
    ASSERT_TRUE(MakeUpright(whole, orientation).ok());
    ASSERT_EQ(partly.Width(), whole.Width());
    ASSERT_EQ(partly.Height(), whole.Height());
    // Padding past a row's last pixel is not part of the picture.
    const std::size_t used = (static_cast<std::size_t>(whole.Width()) * depth + 7) / 8;
    for (std::uint32_t y = 0; y < whole.Height(); ++y) {
        std::uint8_t last = 0xFF;
        if (const unsigned spare = static_cast<unsigned>(used * 8 - whole.Width() * depth)) last = static_cast<std::uint8_t>(0xFF << spare);
        EXPECT_EQ(0, std::memcmp(partly.RowFromTop(y), whole.RowFromTop(y), used - 1)) << "row " << y;
        EXPECT_EQ(partly.RowFromTop(y)[used - 1] & last, whole.RowFromTop(y)[used - 1] & last) << "row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDepthAndTurn, PartlyDecodedUprightTest,
                         ::testing::Combine(::testing::Values<std::uint16_t>(1, 4, 8, 24), ::testing::Range(2, 9)));

}  // namespace
}  // namespace imagelib
