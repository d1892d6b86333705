// HEIF, AVIF and WebP slides through the viewer's loader, whole and at the reduced scale the
// picture cache asks for, as imgdump and the view load them.
#include "viewer/document/image_loader.h"

#include "platform/fake/counting_heap.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/posix/posix_file_system.h"
#include "viewer/document/dib_layout.h"
#include "viewer/document/dib_pixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Fixture(const std::string& name) {
    const char* source = std::getenv("VARNELLE_SOURCE_DIR");
    return std::string(source ? source : ".") + "/tests/imagelib/modern/" + name;
}

class ModernSlides : public ::testing::Test {
protected:
    // The first row's pixels of a loaded slide, as 0xRRGGBB.
    std::vector<std::uint32_t> FirstRow(const std::string& file, int reduction, imagelib::PictureScale& scale) {
        DibImage dib;
        const bool loaded = reduction == 0 ? loader.LoadImageFile(Fixture(file), dib)
                                           : loader.LoadImageFile(Fixture(file), dib,
                                                                  imagelib::FixedReduction(reduction), scale);
        EXPECT_TRUE(loaded) << file;
        const auto layout = ReadDibLayout(dib.header, dib.bits);
        if (!loaded || !layout) return {};
        EXPECT_EQ(layout->bitsPerPixel, 24);
        EXPECT_FALSE(dib.palette.has_value());
        std::vector<std::uint32_t> row(layout->width);
        ReadRowRgb(*layout, dib, 0, row);
        return row;
    }

    platform::posix::PosixFileSystem fs;
    platform::fake::RecordingMessageSink sink;
    platform::fake::CountingHeap heap;
    CImageLoader loader{fs, sink, heap};
};

TEST_F(ModernSlides, EachNewExtensionLoadsAsATrueColourSlide) {
    imagelib::PictureScale unused;
    // The lossless files hold the source picture exactly: its top-left pixel is
    // (40, 30, 200) and its top-right one (220, 30, 110); rows come as 0xFFRRGGBB.
    for (const char* file : {"lossless.avif", "lossless.webp"}) {
        const std::vector<std::uint32_t> row = FirstRow(file, 0, unused);
        ASSERT_EQ(row.size(), 47u) << file;
        EXPECT_EQ(row.front(), 0xFF281EC8u) << file;
        EXPECT_EQ(row.back(), 0xFFDC1E6Eu) << file;
    }
    EXPECT_EQ(FirstRow("picture.heic", 0, unused).size(), 47u);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(ModernSlides, TheCachesReducedLoadKeepsTheFullSize) {
    for (const char* file : {"picture.heic", "lossless.avif", "lossless.webp"}) {
        imagelib::PictureScale scale;
        EXPECT_EQ(FirstRow(file, 2, scale).size(), 12u) << file;
        EXPECT_EQ(scale.fullWidth, 47u) << file;
        EXPECT_EQ(scale.fullHeight, 31u) << file;
        EXPECT_EQ(scale.reduction, 2) << file;
    }
}

}  // namespace
