// Any bytes as an image file through CImageLoader, as the viewer loads a slide, then the
// steps the viewer takes with a loaded picture: a resized private copy and reading its rows.
#include "platform/fake/fake_file_system.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/posix/posix_heap.h"
#include "viewer/document/dib_layout.h"
#include "viewer/document/dib_pixels.h"
#include "viewer/document/dib_tools.h"
#include "viewer/document/image_loader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kMaxCopiedBytes = 64u << 20;

constexpr const char* kSlideExtensions[] = {"tga", "jpg",  "jpeg", "bmp",  "gif",  "tif",  "tiff",
                                             "pcx", "ppm",  "ras",  "png",  "j2k",  "jp2",  "j2c",
                                             "jpc", "heic", "heif", "avif", "webp"};

bool At(const std::uint8_t* data, std::size_t size, std::size_t offset, const char (&text)[5]) {
    return size >= offset + 4 && std::memcmp(data + offset, text, 4) == 0;
}

// HEIF and AVIF files open with a box size and "ftyp", then their brand.
const char* ContainerExtension(const std::uint8_t* data, std::size_t size) {
    if (!At(data, size, 4, "ftyp")) return nullptr;
    return At(data, size, 8, "avif") || At(data, size, 8, "avis") ? "avif" : "heic";
}

// The first byte picks the extension. Where it starts a format's signature it picks that
// format, so the shared suites' files seed their own decoders; 0x00 and 0xFF, shared by two
// signatures each, look at the next bytes (0x00 also starts HEIF and AVIF files). Any other
// byte spreads over all slide extensions.
const char* ExtensionFor(const std::uint8_t* data, std::size_t size) {
    const auto next = [&](std::size_t i) { return i < size ? data[i] : 0; };
    switch (data[0]) {
    case 'B': return "bmp";
    case 0x89: return "png";
    case 'G': return "gif";
    case 'I':
    case 'M': return "tif";
    case 'P': return "ppm";
    case 0x59: return "ras";
    case 0x0A: return "pcx";
    case 0xFF: return next(1) == 0x4F ? "j2c" : "jpg";
    case 'R': return "webp";
    case 0x00:
        if (const char* container = ContainerExtension(data, size)) return container;
        return next(1) == 0 && next(2) == 0 && next(3) == 0x0C ? "jp2" : "tga";
    default: return kSlideExtensions[data[0] % std::size(kSlideExtensions)];
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string path = std::string("/fuzz/input.") + ExtensionFor(data, size);
    platform::fake::FakeFileSystem fs;
    fs.AddFile(path, std::string(reinterpret_cast<const char*>(data), size));
    platform::fake::RecordingMessageSink messages;
    platform::posix::PosixHeap heap;
    CImageLoader loader(fs, messages, heap);
    DibImage picture;
    if (!loader.LoadImageFile(path, picture)) return 0;

    CDibTools tools(messages, heap);
    DibImage copy;
    // A few bytes may declare a picture of a gigabyte; a copy of that would double the
    // memory of the run for no new code, so only smaller pictures are copied.
    if (picture.bits.size() <= kMaxCopiedBytes) {
        tools.CopyDib(picture, copy);
        tools.ResampleDib(copy, 7, 5);
    }
    const auto layout = ReadDibLayout(picture.header, picture.bits);
    if (layout) {
        // Rows spread over the picture: every row of a large picture would make one input
        // cost seconds under the sanitizers without reaching any new code.
        std::vector<std::uint32_t> row(layout->width);
        const std::uint32_t step = layout->height / 64 + 1;
        for (std::uint32_t y = 0; y < layout->height; y += step) ReadRowRgb(*layout, picture, y, row);
        ReadRowRgb(*layout, picture, layout->height - 1, row);
    }
    tools.FreeDib(copy);
    tools.FreeDib(picture);
    return 0;
}
