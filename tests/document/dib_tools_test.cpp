#include "viewer/document/dib_tools.h"

#include "tests/support/fake_bitmap_resources.h"

#include "platform/fake/counting_heap.h"
#include "platform/fake/recording_message_sink.h"
#include "tests/document/dib_builder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

using namespace dibheader;
using testsupport::HeaderField;
using testsupport::MakeDib;
using testsupport::StoredRow;
using testsupport::TableColour;

constexpr RgbColour kRed{255, 0, 0};
constexpr RgbColour kBlue{0, 0, 255};
constexpr RgbColour kWhite{255, 255, 255};

class DibToolsTest : public ::testing::Test {
protected:
    void ExpectOneInvalidPointerBox(const char* text) {
        ASSERT_EQ(sink.shown.size(), 1u);
        const platform::Message& m = sink.shown[0];
        EXPECT_EQ(m.text, text);
        EXPECT_EQ(m.caption, "Error");
        EXPECT_EQ(m.icon, platform::MessageIcon::None);
        EXPECT_EQ(m.buttons, platform::MessageButtons::Ok);
        EXPECT_TRUE(m.taskModal);
    }

    platform::fake::RecordingMessageSink sink;
    platform::fake::CountingHeap heap;
    CDibTools tools{sink, heap};
};

TEST(RowBytes, PadsEachDepthToFourBytes) {
    struct Case {
        std::uint16_t width, depth;
        std::uint32_t bytes;
    };
    const Case cases[] = {
        {3, 24, 12}, {1, 1, 4},   {10, 1, 4},   {33, 1, 8},      {5, 2, 4},      {17, 2, 8},
        {7, 4, 4},   {9, 4, 8},   {5, 8, 8},    {2, 32, 8},      {0, 8, 0},      {10, 16, 0},
        {10, 3, 0},  {65535, 1, 8192}, {65535, 24, 196608}, {65535, 32, 262140},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDibTools::RowBytes(c.width, c.depth), c.bytes) << c.width << " x " << c.depth;
}

TEST(PaletteSize, ColoursUsedOrDepthDefault) {
    struct Case {
        std::uint16_t depth;
        std::uint32_t used;
        int entries;
    };
    const Case cases[] = {
        {8, 0, 256}, {24, 0, 0}, {2, 0, -1}, {8, 300, -1}, {1, 0, 2},  {4, 0, 16},  {16, 0, 0},
        {32, 0, 0},  {4, 3, 3},  {24, 5, 5}, {2, 4, 4},    {8, 256, 256}, {8, 257, -1}, {0, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDibTools::PaletteSize(c.depth, c.used), c.entries) << c.depth << " bits, " << c.used << " used";
}

TEST_F(DibToolsTest, CopyDibTakesHeaderTableAndImageSizeOnly) {
    DibImage source = MakeDib(2, 2, 8, {kRed, kBlue, kWhite}, 2);
    source.bits.data()[0] = 7;
    source.palette = ColourPalette{};
    DibImage copy;
    tools.CopyDib(source, copy);
    // Two colours used: the third table entry is not part of the copy.
    ASSERT_EQ(copy.header.size(), 40u + 8u);
    EXPECT_EQ(std::memcmp(copy.header.data(), source.header.data(), 48), 0);
    ASSERT_EQ(copy.bits.size(), 8u);
    EXPECT_EQ(copy.bits.data()[0], 7);
    EXPECT_FALSE(copy.palette.has_value());
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(DibToolsTest, CopyDibLeavesTheDestinationAloneWhenItCannotCopy) {
    const DibImage valid = MakeDib(2, 2, 24);
    DibImage occupied = MakeDib(1, 1, 8, {kRed});
    const std::uint8_t* before = occupied.header.data();
    tools.CopyDib(valid, occupied);
    EXPECT_EQ(occupied.header.data(), before);

    DibImage badTable = MakeDib(2, 2, 8, {}, 300);
    DibImage noBits = MakeDib(2, 2, 24);
    noBits.bits.reset();
    // A header that promises more rows than the pixel block holds.
    DibImage overstated = MakeDib(2, 2, 24);
    Put32(overstated.header.data(), kImageSizeField, 4096);
    // An 8-bit header whose 256-entry table is not there.
    DibImage shortTable = MakeDib(2, 2, 8);
    for (const DibImage* source : {&badTable, &noBits, &overstated, &shortTable}) {
        DibImage copy;
        tools.CopyDib(*source, copy);
        EXPECT_TRUE(copy.header.empty());
        EXPECT_TRUE(copy.bits.empty());
    }
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(DibToolsTest, FreeDibEmptiesAllThreeParts) {
    DibImage dib = MakeDib(4, 4, 8, std::vector<RgbColour>(256));
    tools.CreateDibPalette(dib);
    ASSERT_TRUE(dib.palette.has_value());
    tools.FreeDib(dib);
    EXPECT_TRUE(dib.header.empty());
    EXPECT_TRUE(dib.bits.empty());
    EXPECT_FALSE(dib.palette.has_value());
    tools.FreeDib(dib);  // freeing an empty record is harmless
}

// Freed picture memory goes back to the system at once, one compaction for each block given
// up, so that the resident size falls as soon as a slide is released; a call that fails
// or finds nothing to release compacts nothing.
TEST_F(DibToolsTest, EveryReleasedBlockCompactsTheHeap) {
    DibImage dib = MakeDib(4, 4, 8, std::vector<RgbColour>(256));
    tools.FreeDib(dib);
    EXPECT_EQ(heap.compactions, 2);  // header and pixels
    tools.FreeDib(dib);
    EXPECT_EQ(heap.compactions, 2);

    DibImage oneBit = MakeDib(8, 1, 1, {kRed, kBlue});
    ASSERT_TRUE(tools.ExpandTo8Bits(oneBit));
    EXPECT_EQ(heap.compactions, 4);  // both blocks replaced
    ASSERT_TRUE(tools.ResampleDib(oneBit, 4, 1));
    EXPECT_EQ(heap.compactions, 5);  // the pixels only: the header is rewritten in place
    DibImage freshOneBit = MakeDib(8, 1, 1, {kRed, kBlue});
    ASSERT_TRUE(tools.ResampleDib(freshOneBit, 4, 1));
    EXPECT_EQ(heap.compactions, 8);  // expanded first, then resampled

    DibImage twentyFour = MakeDib(4, 2, 24);
    EXPECT_FALSE(tools.ResampleDib(twentyFour, 0, 5));
    EXPECT_FALSE(tools.ExpandTo8Bits(twentyFour));
    EXPECT_EQ(heap.compactions, 8);
}

TEST_F(DibToolsTest, CreateDibPaletteReadsTheTableAsRgb) {
    DibImage dib = MakeDib(1, 1, 8, {kRed, RgbColour{1, 2, 3}}, 2);
    tools.CreateDibPalette(dib);
    ASSERT_TRUE(dib.palette.has_value());
    EXPECT_EQ(dib.palette->version, 0x300);
    ASSERT_EQ(dib.palette->entries.size(), 2u);
    EXPECT_EQ(dib.palette->entries[1].red, 1);
    EXPECT_EQ(dib.palette->entries[1].green, 2);
    EXPECT_EQ(dib.palette->entries[1].blue, 3);
    EXPECT_EQ(dib.palette->entries[0].red, 255);
    EXPECT_EQ(dib.palette->entries[0].flags, 0);

    DibImage trueColour = MakeDib(1, 1, 24);
    tools.CreateDibPalette(trueColour);
    EXPECT_FALSE(trueColour.palette.has_value());
    EXPECT_TRUE(sink.shown.empty());

    DibImage empty;
    tools.CreateDibPalette(empty);
    ExpectOneInvalidPointerBox("Invalid image pointer. Error code:113.");
}

TEST_F(DibToolsTest, ExpandOneBitOfWidthTenGivesRowsOfTwelve) {
    DibImage dib = MakeDib(10, 2, 1, {kRed, kBlue});
    // Bottom row: pixels 0, 7, 8 and 9 set; top row: pixel 1 set.
    StoredRow(dib, 0)[0] = 0x81;
    StoredRow(dib, 0)[1] = 0xC0;
    StoredRow(dib, 1)[0] = 0x40;
    dib.palette = ColourPalette{};
    ASSERT_TRUE(tools.ExpandTo8Bits(dib));

    ASSERT_EQ(dib.bits.size(), 24u);
    const std::uint8_t bottom[12] = {1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0};
    const std::uint8_t top[12] = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(dib.bits.data(), bottom, 12), 0);
    EXPECT_EQ(std::memcmp(dib.bits.data() + 12, top, 12), 0);

    ASSERT_EQ(dib.header.size(), 40u + 1024u);
    EXPECT_EQ(HeaderField(dib, kSizeField), 40u);
    EXPECT_EQ(HeaderField(dib, kWidthField), 10u);
    EXPECT_EQ(HeaderField(dib, kHeightField), 2u);
    EXPECT_EQ(testsupport::Depth(dib), 8);
    EXPECT_EQ(HeaderField(dib, kImageSizeField), 24u);
    EXPECT_EQ(HeaderField(dib, kColoursUsedField), 256u);
    EXPECT_EQ(HeaderField(dib, kColoursImportantField), 0u);
    EXPECT_EQ(TableColour(dib, 0), kRed);
    EXPECT_EQ(TableColour(dib, 1), kBlue);
    for (std::size_t i = 2; i < 256; ++i) ASSERT_EQ(TableColour(dib, i), kWhite) << i;
    for (std::size_t i = 0; i < 256; ++i) ASSERT_EQ(dibheader::TableEntry(dib.header, i)[3], 0) << i;
    // The palette is the caller's to remake.
    EXPECT_TRUE(dib.palette.has_value());
}

TEST_F(DibToolsTest, ExpandTwoAndFourBitsLeftmostPixelInHighBits) {
    DibImage two = MakeDib(5, 1, 2, {kRed, kBlue, kWhite, RgbColour{9, 9, 9}}, 4);
    StoredRow(two, 0)[0] = 0x1B;  // 0 1 2 3
    StoredRow(two, 0)[1] = 0x80;  // 2
    ASSERT_TRUE(tools.ExpandTo8Bits(two));
    const std::uint8_t twoRow[8] = {0, 1, 2, 3, 2, 0, 0, 0};
    EXPECT_EQ(std::memcmp(two.bits.data(), twoRow, 8), 0);
    EXPECT_EQ(TableColour(two, 3), (RgbColour{9, 9, 9}));
    EXPECT_EQ(TableColour(two, 4), kWhite);

    DibImage four = MakeDib(3, 1, 4, std::vector<RgbColour>(16, kBlue));
    StoredRow(four, 0)[0] = 0xF3;
    StoredRow(four, 0)[1] = 0xA0;
    ASSERT_TRUE(tools.ExpandTo8Bits(four));
    const std::uint8_t fourRow[4] = {15, 3, 10, 0};
    EXPECT_EQ(std::memcmp(four.bits.data(), fourRow, 4), 0);
    EXPECT_EQ(TableColour(four, 15), kBlue);
    EXPECT_EQ(TableColour(four, 16), kWhite);
}

TEST_F(DibToolsTest, ExpandWithAShortTableLeavesMissingEntriesWhite) {
    // One colour used for a 1-bit picture: entry 1 does not exist in the header block.
    DibImage dib = MakeDib(8, 1, 1, {kRed}, 1);
    ASSERT_TRUE(tools.ExpandTo8Bits(dib));
    EXPECT_EQ(TableColour(dib, 0), kRed);
    EXPECT_EQ(TableColour(dib, 1), kWhite);
}

TEST_F(DibToolsTest, ExpandRefusesWhatItCannotConvert) {
    DibImage eight = MakeDib(4, 1, 8, std::vector<RgbColour>(256));
    DibImage tooFewBits = MakeDib(64, 4, 1, {kRed, kBlue});
    tooFewBits.bits = imagelib::HeapBlock::Allocate(8);
    // 134 MB of 1-bit rows would become more than the 1 GiB a pixel block may have.
    DibImage huge = MakeDib(65535, 16400, 1, {kRed, kBlue});
    for (DibImage* dib : {&eight, &tooFewBits, &huge}) EXPECT_FALSE(tools.ExpandTo8Bits(*dib));
    EXPECT_TRUE(sink.shown.empty());

    DibImage empty;
    EXPECT_FALSE(tools.ExpandTo8Bits(empty));
    ExpectOneInvalidPointerBox("Invalid image pointer. Error code:109.");
}

TEST_F(DibToolsTest, ResampleFourByTwoToTwoByOnePicksColumnsZeroAndTwo) {
    DibImage dib = MakeDib(4, 2, 24);
    for (std::uint32_t y = 0; y < 2; ++y)
        for (std::uint32_t x = 0; x < 4; ++x)
            std::memset(StoredRow(dib, y) + 3 * x, static_cast<int>(10 * y + x + 1), 3);
    ASSERT_TRUE(tools.ResampleDib(dib, 2, 1));
    EXPECT_EQ(HeaderField(dib, kWidthField), 2u);
    EXPECT_EQ(HeaderField(dib, kHeightField), 1u);
    EXPECT_EQ(HeaderField(dib, kImageSizeField), 8u);
    ASSERT_EQ(dib.bits.size(), 8u);
    const std::uint8_t row[8] = {1, 1, 1, 3, 3, 3, 0, 0};
    EXPECT_EQ(std::memcmp(dib.bits.data(), row, 8), 0);
}

TEST_F(DibToolsTest, ResampleEnlargesByRepeatingPixels) {
    DibImage dib = MakeDib(2, 1, 8, std::vector<RgbColour>(256));
    StoredRow(dib, 0)[0] = 5;
    StoredRow(dib, 0)[1] = 6;
    const std::vector<std::uint8_t> table(dib.header.data() + 40, dib.header.data() + 40 + 1024);
    ASSERT_TRUE(tools.ResampleDib(dib, 5, 3));
    const std::uint8_t row[8] = {5, 5, 5, 6, 6, 0, 0, 0};
    for (std::uint32_t y = 0; y < 3; ++y) EXPECT_EQ(std::memcmp(StoredRow(dib, y), row, 8), 0) << y;
    EXPECT_EQ(std::memcmp(dib.header.data() + 40, table.data(), 1024), 0);
}

TEST_F(DibToolsTest, ResampleExpandsLowDepthsFirst) {
    DibImage dib = MakeDib(8, 1, 1, {kRed, kBlue});
    StoredRow(dib, 0)[0] = 0x0F;
    ASSERT_TRUE(tools.ResampleDib(dib, 4, 1));
    EXPECT_EQ(testsupport::Depth(dib), 8);
    const std::uint8_t row[4] = {0, 0, 1, 1};
    EXPECT_EQ(std::memcmp(dib.bits.data(), row, 4), 0);
}

TEST_F(DibToolsTest, ResampleFailsSilentlyOnZeroSizeAndSixteenBits) {
    DibImage dib = MakeDib(4, 2, 24);
    EXPECT_FALSE(tools.ResampleDib(dib, 0, 5));
    EXPECT_FALSE(tools.ResampleDib(dib, 5, 0));
    EXPECT_EQ(HeaderField(dib, kWidthField), 4u);
    DibImage sixteen = MakeDib(4, 2, 16, {}, 0, 8);
    EXPECT_FALSE(tools.ResampleDib(sixteen, 2, 2));
    EXPECT_TRUE(sink.shown.empty());

    DibImage empty;
    EXPECT_FALSE(tools.ResampleDib(empty, 2, 2));
    ExpectOneInvalidPointerBox("Invalid image pointer. Error code:108.");
}

using testsupport::FakeResources;

// A packed bitmap: header, table and rows in one run of bytes, as a resource holds it.
std::vector<std::uint8_t> Packed(const DibImage& dib) {
    std::vector<std::uint8_t> bytes(dib.header.data(), dib.header.data() + dib.header.size());
    bytes.insert(bytes.end(), dib.bits.data(), dib.bits.data() + dib.bits.size());
    return bytes;
}

TEST_F(DibToolsTest, LoadDibResourceSplitsThePackedBitmap) {
    DibImage source = MakeDib(3, 2, 8, {kRed, kBlue}, 2);
    StoredRow(source, 0)[2] = 1;
    FakeResources resources;
    resources.bitmaps[377] = Packed(source);
    DibImage dib;
    ASSERT_TRUE(tools.LoadDibResource(resources, 377, dib));
    EXPECT_EQ(dib.header.size(), resources.bitmaps[377].size());  // the whole resource
    ASSERT_EQ(dib.bits.size(), 8u);
    EXPECT_EQ(dib.bits.data()[2], 1);
    EXPECT_TRUE(sink.shown.empty());

    EXPECT_FALSE(tools.LoadDibResource(resources, 377, dib));
    ExpectOneInvalidPointerBox("Invalid image pointer. Error code:133.");
}

TEST_F(DibToolsTest, MissingResourceShowsAWarningWithoutCaption) {
    FakeResources resources;
    DibImage dib;
    EXPECT_FALSE(tools.LoadDibResource(resources, 377, dib));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "Error in finding resource.");
    EXPECT_EQ(sink.shown[0].caption, "");
    EXPECT_EQ(sink.shown[0].icon, platform::MessageIcon::Warning);
    EXPECT_FALSE(sink.shown[0].taskModal);
    EXPECT_TRUE(dib.header.empty());
}

TEST_F(DibToolsTest, DamagedResourcesFailWithoutReadingPastThem) {
    std::vector<std::uint8_t> truncated = Packed(MakeDib(16, 16, 24));
    truncated.resize(truncated.size() - 1);
    std::vector<std::uint8_t> topDown = Packed(MakeDib(4, 4, 24));
    Put32(topDown.data(), kHeightField, static_cast<std::uint32_t>(-4));
    std::vector<std::uint8_t> badTable = Packed(MakeDib(4, 4, 8, {}, 999));
    std::vector<std::uint8_t> sixteen = Packed(MakeDib(4, 4, 16, {}, 0, 8));
    const std::vector<std::uint8_t> tiny(12, 0);
    FakeResources resources;
    resources.bitmaps = {{1, truncated}, {2, topDown}, {3, badTable}, {4, sixteen}, {5, tiny}};
    for (int number = 1; number <= 5; ++number) {
        DibImage dib;
        EXPECT_FALSE(tools.LoadDibResource(resources, number, dib)) << number;
        EXPECT_TRUE(dib.bits.empty()) << number;
    }
    EXPECT_TRUE(sink.shown.empty());
}

}  // namespace
