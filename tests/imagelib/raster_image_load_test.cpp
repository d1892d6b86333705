// CRasterImage reading files through both file-system backends (the POSIX one maps them).
#include "imagelib/raster_image.h"
#include "platform/fake/fake_file_system.h"
#include "platform/posix/posix_file_system.h"

#include <gtest/gtest.h>

#include <unistd.h>

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

// Hands the file's bytes over, then shortens the file on disk before the decoder reads
// them, as another program writing the file at that moment would.
class ShorteningFileSystem final : public platform::FileSystem {
public:
    explicit ShorteningFileSystem(off_t keep) : keep_(keep) {}
    bool Find(const std::string& path, platform::DirEntry* entry) const override { return posix_.Find(path, entry); }
    platform::FileCause List(const std::string& folder, std::vector<platform::DirEntry>* entries) const override {
        return posix_.List(folder, entries);
    }
    std::string CurrentDirectory() const override { return posix_.CurrentDirectory(); }
    std::unique_ptr<platform::File> Open(const std::string& path, platform::OpenMode mode, bool exclusive,
                                         platform::FileCause* cause) override {
        return posix_.Open(path, mode, exclusive, cause);
    }
    std::unique_ptr<platform::FileBytes> ReadOnlyBytes(const std::string& path, std::uint64_t maxBytes,
                                                       platform::FileCause* cause) override {
        auto bytes = posix_.ReadOnlyBytes(path, maxBytes, cause);
        if (::truncate(path.c_str(), keep_) != 0) ADD_FAILURE() << "cannot shorten " << path;
        return bytes;
    }

private:
    platform::posix::PosixFileSystem posix_;
    off_t keep_;
};

TEST(RasterImageLoad, FileShortenedDuringTheDecodeFailsThatLoadOnly) {
    // A 256 x 256 binary PPM: about 48 pages of pixel rows after its header.
    std::string ppm = "P6\n256 256\n255\n";
    ppm.append(256 * 256 * 3, '\x7f');
    for (const off_t keep : {off_t{0}, off_t{20}, off_t{100000}}) {
        const std::string path = WriteTemp("shortened.ppm", ppm);
        ShorteningFileSystem fs(keep);
        const CRasterImage image(fs, path, FORMAT_PNM);
        EXPECT_FALSE(image.IsValid()) << "kept " << keep;
        EXPECT_STREQ(image.Error(), "Cannot read the file") << "kept " << keep;
        std::remove(path.c_str());
    }
    // The process goes on, and the next, untouched file decodes.
    platform::posix::PosixFileSystem posix;
    const std::string path = WriteTemp("whole.ppm", ppm);
    EXPECT_TRUE(CRasterImage(posix, path, FORMAT_PNM).IsValid());
    std::remove(path.c_str());
}

}  // namespace
