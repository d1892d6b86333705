// Uses the shared conformance images in ../shared/testdata/bmpsuite (skipped when absent):
// every valid BMP must come out of the loader, at 8 or 24 bits, with the reference colours.
#include "viewer/document/image_loader.h"

#include "platform/fake/counting_heap.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/posix/posix_file_system.h"
#include "viewer/document/dib_layout.h"
#include "viewer/document/dib_pixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string SuiteFolder() {
    const char* source = std::getenv("VARNELLE_SOURCE_DIR");
    return std::string(source ? source : ".") + "/../shared/testdata/bmpsuite";
}

struct Ppm {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
};

// The suite's references are plain "P6\nW H\n255\n" files.
bool ReadPpm(const std::string& path, Ppm& out) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    if (!(in >> magic >> out.width >> out.height >> maxval) || magic != "P6" || maxval != 255) return false;
    in.get();
    out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
    return static_cast<bool>(in.read(reinterpret_cast<char*>(out.rgb.data()), static_cast<std::streamsize>(out.rgb.size())));
}

TEST(ImageLoaderSuite, ValidBmpSuiteFilesMatchTheirReferences) {
    const std::string folder = SuiteFolder();
    std::ifstream expected(folder + "/EXPECTED.tsv");
    if (!expected) GTEST_SKIP() << "shared test images absent: " << folder;

    platform::posix::PosixFileSystem fs;
    platform::fake::RecordingMessageSink sink;
    platform::fake::CountingHeap heap;
    CImageLoader loader(fs, sink, heap);
    int checked = 0;
    std::string line;
    while (std::getline(expected, line)) {
        std::istringstream fields(line);
        std::string file, format, klass, imagemagick, reference;
        std::getline(fields, file, '\t');
        std::getline(fields, format, '\t');
        std::getline(fields, klass, '\t');
        std::getline(fields, imagemagick, '\t');
        std::getline(fields, reference, '\t');
        if (file.rfind("g/", 0) != 0 || klass != "valid") continue;
        SCOPED_TRACE(file);
        Ppm ppm;
        ASSERT_TRUE(ReadPpm(folder + "/" + reference, ppm));
        DibImage dib;
        ASSERT_TRUE(loader.LoadImageFile(folder + "/" + file, dib));
        const auto layout = ReadDibLayout(dib.header, dib.bits);
        ASSERT_TRUE(layout);
        EXPECT_TRUE(layout->bitsPerPixel == 8 || layout->bitsPerPixel == 24);
        EXPECT_EQ(dib.palette.has_value(), layout->bitsPerPixel == 8);
        ASSERT_EQ(layout->width, ppm.width);
        ASSERT_EQ(layout->height, ppm.height);
        std::vector<std::uint32_t> row(layout->width);
        int worst = 0;
        for (int y = 0; y < ppm.height; ++y) {
            ReadRowRgb(*layout, dib, static_cast<std::uint32_t>(y), row);
            for (int x = 0; x < ppm.width; ++x) {
                const std::uint8_t* want = &ppm.rgb[(static_cast<std::size_t>(y) * ppm.width + x) * 3];
                for (int c = 0; c < 3; ++c)
                    worst = std::max(worst, std::abs(static_cast<int>((row[x] >> (16 - 8 * c)) & 0xFF) - want[c]));
            }
        }
        // 5- and 6-bit fields may round either way.
        EXPECT_LE(worst, 1);
        ++checked;
    }
    EXPECT_GE(checked, 20);
    EXPECT_TRUE(sink.shown.empty());
}

}  // namespace
