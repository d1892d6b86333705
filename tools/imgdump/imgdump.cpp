// Developer tool: decodes an image file exactly as the viewer does (extension -> format,
// expansion to 8 bits, palette) and writes the picture top-down as a binary PPM.
//   imgdump FILE OUT.ppm
// Exit status: 0 written, 1 the loader refused the file, 2 bad arguments or unwritable output.

#include "platform/messages.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_heap.h"
#include "viewer/document/dib_layout.h"
#include "viewer/document/dib_pixels.h"
#include "viewer/document/image_loader.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The loader's message boxes become lines on stderr.
class StderrMessages final : public platform::MessageSink {
public:
    platform::MessageAnswer Show(const platform::Message& message) override {
        std::fprintf(stderr, "imgdump: %s\n", message.text.c_str());
        return platform::MessageAnswer::Ok;
    }
};

std::vector<std::uint8_t> PpmBytes(const DibLayout& layout, const DibImage& dib) {
    const std::string head = "P6\n" + std::to_string(layout.width) + " " + std::to_string(layout.height) + "\n255\n";
    std::vector<std::uint8_t> out(head.begin(), head.end());
    out.reserve(out.size() + static_cast<std::size_t>(layout.width) * layout.height * 3);
    std::vector<std::uint32_t> row(layout.width);
    for (std::uint32_t y = 0; y < layout.height; ++y) {
        ReadRowRgb(layout, dib, y, row);
        for (std::uint32_t p : row)
            out.insert(out.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                   static_cast<std::uint8_t>(p)});
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: imgdump FILE OUT.ppm\n");
        return 2;
    }
    platform::posix::PosixFileSystem fs;
    StderrMessages messages;
    platform::posix::PosixHeap heap;
    CImageLoader loader(fs, messages, heap);
    DibImage dib;
    const auto layout = loader.LoadImageFile(argv[1], dib) ? ReadDibLayout(dib.header, dib.bits) : std::nullopt;
    if (!layout) {
        std::fprintf(stderr, "imgdump: %s: not decoded\n", argv[1]);
        return 1;
    }
    const std::vector<std::uint8_t> bytes = PpmBytes(*layout, dib);
    platform::FileCause cause = platform::FileCause::None;
    auto file = fs.Open(argv[2], platform::OpenMode::WriteCreate, false, &cause);
    if (!file || file->Write(bytes.data(), bytes.size()) != platform::FileCause::None ||
        file->TruncateHere() != platform::FileCause::None) {
        std::fprintf(stderr, "imgdump: cannot write %s\n", argv[2]);
        return 2;
    }
    return 0;
}
