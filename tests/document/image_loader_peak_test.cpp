// Heap high-water mark of loading tiny files that declare huge pictures: the picture may
// be that large, but the loader must hold it once, handed over from the decoder.
// Built without sanitizers only: the counting allocator replaces malloc.
#include "viewer/document/image_loader.h"

#include "bench/counting_allocator.h"
#include "platform/fake/counting_heap.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/recording_message_sink.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::string Le16(std::uint32_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }
std::string Le32(std::uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

// An RLE8 bitmap of `side` x `side` whose only code ends the picture. Its table holds
// black, so the decoder leaves the zero-filled block untouched.
std::string EmptyRle8Bmp(std::uint32_t side) {
    const std::string table = Le32(0) + Le32(0x00FFFFFF);
    const std::string rle("\x00\x01", 2);
    const std::uint32_t pixelsAt = 14 + 40 + static_cast<std::uint32_t>(table.size());
    return "BM" + Le32(pixelsAt + 2) + Le32(0) + Le32(pixelsAt) + Le32(40) + Le32(side) + Le32(side) + Le16(1) +
           Le16(8) + Le32(1) + Le32(2) + Le32(0) + Le32(0) + Le32(2) + Le32(0) + table + rle;
}

// A GIF screen of `side` x `side` with a two-colour table and no image at all.
std::string EmptyGif(std::uint32_t side) {
    return "GIF89a" + Le16(side) + Le16(side) + std::string("\x80\x00\x00", 3) + std::string(3, '\0') +
           std::string(3, '\xFF') + ";";
}

struct Load {
    bool ok = false;
    std::size_t pictureBytes = 0, peakBytes = 0;
};

Load MeasureLoad(const std::string& name, const std::string& content) {
    platform::fake::FakeFileSystem fs;
    fs.AddFile("/" + name, content);
    platform::fake::RecordingMessageSink sink;
    platform::fake::CountingHeap heap;
    CImageLoader loader(fs, sink, heap);
    DibImage picture;
    const std::size_t before = bench::HeapInUse();
    bench::ResetHeapPeak();
    Load load;
    load.ok = loader.LoadImageFile("/" + name, picture);
    load.peakBytes = bench::HeapPeak() - before;
    load.pictureBytes = picture.bits.size();
    return load;
}

TEST(ImageLoaderPeak, HugePictureFromATinyFileIsHeldOnce) {
    constexpr std::uint32_t kSide = 8000;  // 64 MB at one byte a pixel
    const std::pair<const char*, std::string> files[] = {
        {"rle8.bmp", EmptyRle8Bmp(kSide)},
        {"empty.gif", EmptyGif(kSide)},
    };
    for (const auto& [name, content] : files) {
        ASSERT_LT(content.size(), 100u) << name;
        const Load load = MeasureLoad(name, content);
        ASSERT_TRUE(load.ok) << name;
        EXPECT_GE(load.pictureBytes, std::size_t{kSide} * kSide) << name;
        // The block, its header and table, and small change; a copy would double it.
        EXPECT_LT(load.peakBytes, load.pictureBytes + (1u << 20)) << name;
    }
}

}  // namespace
