// Feeds arbitrary bytes to the collage reader as the content of a file.
#include "viewer/document/collage_reader.h"

#include "platform/fake/fake_file_system.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::fake::FakeFileSystem fs;
    fs.AddFile("/show.lit", std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> slides;
    (void)ReadCollageFile(fs, "/show.lit", slides);
    return 0;
}
