// Feeds arbitrary bytes to the collage reader as the content of a file.
#include "viewer/document/collage_reader.h"

#include "platform/fake/fake_file_system.h"
#include "tests/support/heap_budget.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
// Far below the fuzzer's memory limit: a few thousand empty entries (inputs of tens of
// kilobytes, which the run allows) reach the reader's out-of-memory path.
constexpr std::size_t kReaderHeapBudget = 256u << 10;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::fake::FakeFileSystem fs;
    fs.AddFile("/show.lit", std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> slides;
    testsupport::HeapBudget budget(kReaderHeapBudget);
    (void)ReadCollageFile(fs, "/show.lit", slides);
    return 0;
}
