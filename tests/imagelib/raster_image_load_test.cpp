// CRasterImage reading files through both file-system backends (the POSIX one maps them).
#include "imagelib/raster_image.h"
#include "platform/fake/fake_file_system.h"
#include "platform/posix/posix_file_system.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// A 1 x 1 GIF whose only pixel is colour 0, white.
const std::string kWhiteDot("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                            ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                            35);

std::string WriteTemp(const std::string& name, const std::string& content) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

void ExpectWhiteDot(const CRasterImage& image) {
    ASSERT_TRUE(image.IsValid()) << image.Error();
    const std::uint8_t* header = image.GetDIB();
    EXPECT_EQ(header[4], 1);    // width
    EXPECT_EQ(header[14], 8);   // bits per pixel
    const std::uint8_t index = image.GetRawData()[0];
    EXPECT_EQ(header[40 + 4 * index], 0xFF);  // blue of that colour-table entry
}

TEST(RasterImageLoad, MappedAndReadFilesDecodeAlike) {
    platform::posix::PosixFileSystem posix;
    const std::string path = WriteTemp("white_dot.gif", kWhiteDot);
    ExpectWhiteDot(CRasterImage(posix, path, FORMAT_GIF));
    std::remove(path.c_str());

    platform::fake::FakeFileSystem fake;
    fake.AddFolder("/p");
    fake.AddFile("/p/dot.gif", kWhiteDot);
    ExpectWhiteDot(CRasterImage(fake, "/p/dot.gif", FORMAT_GIF));
}

TEST(RasterImageLoad, UnreadableOrEmptyFilesAreNotValid) {
    platform::posix::PosixFileSystem posix;
    const std::string empty = WriteTemp("empty.gif", "");
    const CRasterImage fromEmpty(posix, empty, FORMAT_GIF);
    EXPECT_FALSE(fromEmpty.IsValid());
    std::remove(empty.c_str());

    const CRasterImage missing(posix, ::testing::TempDir() + "no_such_file.gif", FORMAT_GIF);
    EXPECT_FALSE(missing.IsValid());
    EXPECT_STREQ(missing.Error(), "Cannot read the file");
    const CRasterImage folder(posix, ::testing::TempDir(), FORMAT_GIF);
    EXPECT_FALSE(folder.IsValid());
}

}  // namespace
