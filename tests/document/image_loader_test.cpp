#include "viewer/document/image_loader.h"

#include "platform/fake/counting_heap.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/recording_message_sink.h"
#include "tests/document/dib_builder.h"
#include "tests/imagelib/oriented_jpeg.h"
#include "viewer/view/picture_scale.h"
#include "viewer/view/slide_geometry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace dibheader;
using testsupport::HeaderField;
using testsupport::MakeDib;
using testsupport::StoredRow;
using testsupport::TableColour;

// A BMP file around a hand-made picture: file header, info header, table, rows.
std::string BmpFile(const DibImage& dib) {
    std::string file = "BM";
    const std::uint32_t pixelsAt = static_cast<std::uint32_t>(14 + dib.header.size());
    const std::uint32_t fields[] = {static_cast<std::uint32_t>(pixelsAt + dib.bits.size()), 0, pixelsAt};
    for (std::uint32_t v : fields)
        for (int i = 0; i < 4; ++i) file += static_cast<char>(v >> (8 * i));
    file.append(reinterpret_cast<const char*>(dib.header.data()), dib.header.size());
    file.append(reinterpret_cast<const char*>(dib.bits.data()), dib.bits.size());
    return file;
}

class ImageLoaderTest : public ::testing::Test {
protected:
    platform::fake::FakeFileSystem fs;
    platform::fake::RecordingMessageSink sink;
    platform::fake::CountingHeap heap;
    CImageLoader loader{fs, sink, heap};
};

TEST(FormatFromExtension, MapsEveryListedExtensionExactly) {
    const std::pair<const char*, ImageFormat> cases[] = {
        {"bmp", FORMAT_BMP},  {"jpg", FORMAT_JPEG}, {"jpeg", FORMAT_JPEG}, {"gif", FORMAT_GIF},
        {"png", FORMAT_PNG},  {"ico", FORMAT_ICO},  {"tiff", FORMAT_TIFF}, {"tif", FORMAT_TIFF},
        {"tga", FORMAT_TGA},  {"pcx", FORMAT_PCX},  {"wbmp", FORMAT_WBMP}, {"wmf", FORMAT_WMF},
        {"emf", FORMAT_WMF},  {"jp2", FORMAT_JP2},  {"j2k", FORMAT_JP2},   {"jpc", FORMAT_JPC},
        {"j2c", FORMAT_JPC},  {"pgx", FORMAT_PGX},  {"ras", FORMAT_RAS},   {"pnm", FORMAT_PNM},
        {"pgm", FORMAT_PNM},  {"ppm", FORMAT_PNM},  {"heic", FORMAT_HEIF}, {"heif", FORMAT_HEIF},
        {"avif", FORMAT_AVIF}, {"webp", FORMAT_WEBP}, {"HEIC", FORMAT_UNKNOWN}, {"hif", FORMAT_UNKNOWN},
        {"JPG", FORMAT_UNKNOWN}, {"jpe", FORMAT_UNKNOWN},
        {"", FORMAT_UNKNOWN}, {"bmp ", FORMAT_UNKNOWN}, {"pbm", FORMAT_UNKNOWN},
    };
    for (const auto& [extension, format] : cases)
        EXPECT_EQ(CImageLoader::FormatFromExtension(extension), format) << '"' << extension << '"';
}

TEST_F(ImageLoaderTest, OneBitFileComesOutAsEightBitsWithItsPalette) {
    DibImage source = MakeDib(10, 1, 1, {{255, 0, 0}, {0, 0, 255}}, 2);
    StoredRow(source, 0)[0] = 0x40;  // pixel 1 is colour 1
    fs.AddFile("/show/Slide.BMP", BmpFile(source));
    DibImage dib;
    ASSERT_TRUE(loader.LoadImageFile("/show/Slide.BMP", dib));
    EXPECT_EQ(testsupport::Depth(dib), 8);
    ASSERT_EQ(dib.bits.size(), 12u);
    const std::uint8_t row[12] = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(dib.bits.data(), row, 12), 0);
    EXPECT_EQ(TableColour(dib, 1), (RgbColour{0, 0, 255}));
    ASSERT_TRUE(dib.palette.has_value());
    ASSERT_EQ(dib.palette->entries.size(), 256u);
    EXPECT_EQ(dib.palette->entries[0].red, 255);
    EXPECT_EQ(dib.palette->entries[2].blue, 255);  // white beyond the file's two colours
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(ImageLoaderTest, TrueColourFileKeepsItsRowsAndHasNoPalette) {
    DibImage source = MakeDib(3, 2, 24);
    for (std::size_t i = 0; i < source.bits.size(); ++i) source.bits.data()[i] = static_cast<std::uint8_t>(i * 7);
    for (std::uint32_t y = 0; y < 2; ++y) std::memset(StoredRow(source, y) + 9, 0, 3);  // padding
    fs.AddFile("/show/a.bmp", BmpFile(source));
    DibImage dib;
    ASSERT_TRUE(loader.LoadImageFile("/show/a.bmp", dib));
    EXPECT_EQ(dib.header.size(), 40u);
    EXPECT_EQ(HeaderField(dib, kWidthField), 3u);
    EXPECT_EQ(HeaderField(dib, kImageSizeField), 24u);
    ASSERT_EQ(dib.bits.size(), 24u);
    EXPECT_EQ(std::memcmp(dib.bits.data(), source.bits.data(), 24), 0);
    EXPECT_FALSE(dib.palette.has_value());
}

TEST_F(ImageLoaderTest, SecondLoadWithoutFreeShows201AndKeepsTheFirstPicture) {
    fs.AddFile("/show/a.bmp", BmpFile(MakeDib(2, 2, 24)));
    fs.AddFile("/show/b.bmp", BmpFile(MakeDib(5, 5, 24)));
    DibImage dib;
    ASSERT_TRUE(loader.LoadImageFile("/show/a.bmp", dib));
    const std::uint8_t* bits = dib.bits.data();
    EXPECT_FALSE(loader.LoadImageFile("/show/b.bmp", dib));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "Invalid image pointer. Error code:201.");
    EXPECT_EQ(sink.shown[0].caption, "Error");
    EXPECT_EQ(sink.shown[0].icon, platform::MessageIcon::None);
    EXPECT_TRUE(sink.shown[0].taskModal);
    EXPECT_EQ(dib.bits.data(), bits);
    EXPECT_EQ(HeaderField(dib, kWidthField), 2u);
}

TEST_F(ImageLoaderTest, FilesThatCannotBeShownFailSilentlyAndLeaveTheTargetEmpty) {
    fs.AddFile("/show/noextension", BmpFile(MakeDib(2, 2, 24)));
    fs.AddFile("/show.d/file", BmpFile(MakeDib(2, 2, 24)));  // extension "d/file"
    fs.AddFile("/show/picture.xyz", BmpFile(MakeDib(2, 2, 24)));
    fs.AddFile("/show/broken.bmp", "BM not really a bitmap");
    fs.AddFile("/show/truncated.bmp", BmpFile(MakeDib(8, 8, 24)).substr(0, 60));
    fs.AddFile("/show/locked.bmp", BmpFile(MakeDib(2, 2, 24)));
    fs.FailReads("/show/locked.bmp", platform::FileCause::AccessDenied);
    for (const char* path : {"/show/noextension", "/show.d/file", "/show/picture.xyz", "/show/broken.bmp",
                             "/show/truncated.bmp", "/show/locked.bmp", "/show/missing.bmp"}) {
        DibImage dib;
        dib.palette = ColourPalette{};
        EXPECT_FALSE(loader.LoadImageFile(path, dib)) << path;
        EXPECT_TRUE(dib.header.empty()) << path;
        EXPECT_TRUE(dib.bits.empty()) << path;
        EXPECT_FALSE(dib.palette.has_value()) << path;
    }
    EXPECT_TRUE(sink.shown.empty());
}

// A portrait photo stored sideways: the first showing's reduction and fit come from the
// upright sides. From the stored ones, a 16 by 32 client would ask for a quarter-size
// picture and then show it at half size.
TEST_F(ImageLoaderTest, SidewaysPhotoIsFittedByItsUprightSize) {
    imagelib::testing::ExifTag tag;
    tag.value = 6;
    const auto jpeg = imagelib::testing::WithApp1(imagelib::testing::EncodeQuarteredJpeg(),
                                                  {imagelib::testing::ExifBody(tag)});
    fs.AddFile("/show/portrait.jpg", std::string(jpeg.begin(), jpeg.end()));
    const PictureNeed need = PictureNeed::Fit(16, 32);
    DibImage dib;
    imagelib::PictureScale scale;
    ASSERT_TRUE(loader.LoadImageFile("/show/portrait.jpg", dib,
                                     [&](std::uint32_t w, std::uint32_t h) { return ReductionFor(need, w, h); },
                                     scale));
    EXPECT_EQ(scale.fullWidth, imagelib::testing::kQuarteredHeight);
    EXPECT_EQ(scale.fullHeight, imagelib::testing::kQuarteredWidth);
    EXPECT_EQ(scale.reduction, 1);
    EXPECT_EQ(HeaderField(dib, kWidthField), 16u);
    EXPECT_EQ(HeaderField(dib, kHeightField), 32u);
    const SlideFit fit = FitToClient(static_cast<int>(scale.fullWidth), static_cast<int>(scale.fullHeight), 16, 32);
    EXPECT_EQ(fit.width, 16);
    EXPECT_EQ(fit.height, 32);
    EXPECT_DOUBLE_EQ(fit.zoom, 0.5);
}

}  // namespace
