#include "viewer/document/dib_pixels.h"

#include "tests/document/dib_builder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using testsupport::MakeDib;
using testsupport::StoredRow;

TEST(ReadRowRgb, CountsRowsFromTheTopAndLooksUpTheTable) {
    DibImage dib = MakeDib(3, 2, 8, {{10, 20, 30}, {40, 50, 60}}, 2);
    StoredRow(dib, 1)[0] = 1;  // top row
    StoredRow(dib, 1)[2] = 2;  // an index past the two-entry table
    const auto layout = ReadDibLayout(dib.header, dib.bits);
    ASSERT_TRUE(layout);
    std::vector<std::uint32_t> row(3);
    ReadRowRgb(*layout, dib, 0, row);
    EXPECT_EQ(row, (std::vector<std::uint32_t>{0xFF28323Cu, 0xFF0A141Eu, 0xFF000000u}));
    ReadRowRgb(*layout, dib, 1, row);
    EXPECT_EQ(row, (std::vector<std::uint32_t>(3, 0xFF0A141Eu)));
}

TEST(ReadRowRgb, TrueColourIsBlueGreenRed) {
    DibImage dib = MakeDib(2, 1, 24);
    const std::uint8_t bgr[6] = {1, 2, 3, 4, 5, 6};
    std::copy(bgr, bgr + 6, StoredRow(dib, 0));
    const auto layout = ReadDibLayout(dib.header, dib.bits);
    ASSERT_TRUE(layout);
    std::vector<std::uint32_t> row(2);
    ReadRowRgb(*layout, dib, 0, row);
    EXPECT_EQ(row, (std::vector<std::uint32_t>{0xFF030201u, 0xFF060504u}));
}

TEST(ReadDibLayout, RefusesHeadersTheBlocksDoNotBackUp) {
    DibImage fine = MakeDib(4, 4, 24);
    EXPECT_TRUE(ReadDibLayout(fine.header, fine.bits));
    DibImage shortBits = MakeDib(4, 4, 24);
    shortBits.bits = imagelib::HeapBlock::Allocate(47);
    DibImage wide = MakeDib(70000, 1, 8, std::vector<RgbColour>(256));
    DibImage topDown = MakeDib(4, 4, 24);
    dibheader::Put32(topDown.header.data(), dibheader::kHeightField, static_cast<std::uint32_t>(-4));
    DibImage compressed = MakeDib(4, 4, 8, std::vector<RgbColour>(256));
    dibheader::Put32(compressed.header.data(), dibheader::kCompressionField, 1);
    DibImage missingTable = MakeDib(4, 4, 4);
    for (const DibImage* dib : {&shortBits, &wide, &topDown, &compressed, &missingTable})
        EXPECT_FALSE(ReadDibLayout(dib->header, dib->bits));
}

TEST(MakeKeyTransparent, OnlyTheKeyColourBecomesTransparent) {
    std::vector<std::uint32_t> pixels = {0xFF000000u, 0xFF000001u, 0x00FFFFFFu, 0xFF010000u};
    MakeKeyTransparent(pixels, RgbColour{0, 0, 0});
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0u, 0xFF000001u, 0xFFFFFFFFu, 0xFF010000u}));
    std::vector<std::uint32_t> keyed = {0xFF102030u, 0xFF102031u};
    MakeKeyTransparent(keyed, RgbColour{0x10, 0x20, 0x30});
    EXPECT_EQ(keyed, (std::vector<std::uint32_t>{0u, 0xFF102031u}));
}

}  // namespace
