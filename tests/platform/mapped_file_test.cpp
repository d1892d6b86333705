// Image files are mapped; another program may shorten one while it is being read.
#include "platform/posix/posix_file_system.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <fcntl.h>
#include <unistd.h>

#include <numeric>
#include <vector>

using platform::FileCause;
using platform::posix::PosixFileSystem;

namespace {

constexpr std::size_t kFileBytes = 5 * 4096 + 123;

std::unique_ptr<platform::FileBytes> Map(PosixFileSystem& fs, const std::string& path) {
    FileCause cause = FileCause::Generic;
    auto bytes = fs.ReadOnlyBytes(path, 1u << 20, &cause);
    EXPECT_EQ(cause, FileCause::None);
    return bytes;
}

unsigned Sum(const platform::FileBytes& bytes) {
    return std::accumulate(bytes.data(), bytes.data() + bytes.size(), 0u);
}

TEST(MappedFile, ShortenedWhileReadGivesZerosAndIsNotIntact) {
    testsupport::TempDir dir;
    dir.Write("a.ppm", std::string(kFileBytes, '\x01'));
    dir.Write("b.ppm", std::string(kFileBytes, '\x02'));
    PosixFileSystem fs;
    const auto shortened = Map(fs, dir / "a.ppm");
    const auto untouched = Map(fs, dir / "b.ppm");
    ASSERT_TRUE(shortened && untouched);
    EXPECT_TRUE(shortened->Intact());

    ASSERT_EQ(::truncate((dir / "a.ppm").c_str(), 10), 0);
    // Every page past the first is gone from the file; reading them must not end the process.
    EXPECT_LT(Sum(*shortened), 4096u);
    EXPECT_EQ(shortened->data()[kFileBytes - 1], 0);
    EXPECT_FALSE(shortened->Intact());

    EXPECT_EQ(Sum(*untouched), 2 * kFileBytes);
    EXPECT_TRUE(untouched->Intact());
}

TEST(MappedFile, MoreOpenFilesThanGuardSlotsAreStillRead) {
    testsupport::TempDir dir;
    PosixFileSystem fs;
    std::vector<std::unique_ptr<platform::FileBytes>> open;
    for (int i = 0; i < 70; ++i) {
        const std::string name = "f" + std::to_string(i);
        dir.Write(name, std::string(100, static_cast<char>(i)));
        open.push_back(Map(fs, dir / name));
        ASSERT_TRUE(open.back());
        EXPECT_EQ(Sum(*open.back()), 100u * static_cast<unsigned>(i)) << name;
        EXPECT_TRUE(open.back()->Intact());
    }
}

// The guard catches faults in its own mappings only; any other bus error still ends
// the process instead of being retried forever.
TEST(MappedFileDeathTest, BusErrorsElsewhereStillEndTheProcess) {
    testsupport::TempDir dir;
    dir.Write("guarded", std::string(kFileBytes, '\x01'));
    dir.Write("raw", std::string(kFileBytes, '\x01'));
    PosixFileSystem fs;
    const auto guarded = Map(fs, dir / "guarded");
    ASSERT_TRUE(guarded);
    const std::string raw = dir / "raw";
    EXPECT_DEATH(
        {
            const int fd = ::open(raw.c_str(), O_RDONLY);
            auto* p = static_cast<volatile unsigned char*>(::mmap(nullptr, kFileBytes, PROT_READ, MAP_PRIVATE, fd, 0));
            if (::truncate(raw.c_str(), 0) == 0) (void)p[kFileBytes - 1];
            std::_Exit(0);
        },
        "");
}

}  // namespace
