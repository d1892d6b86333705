#include "platform/posix/posix_drives.h"
#include "platform/posix/posix_folder_scan.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace {

std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST(PosixFolderScan, ListsFoldersAndLinksToFoldersButNotFilesOrDotEntries) {
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir / "a/inner");
    std::filesystem::create_directory(dir / ".hidden");
    std::filesystem::create_directory(dir / "caf\xe9");  // not UTF-8: bytes kept
    dir.Write("file.jpg", "x");
    std::filesystem::create_directory_symlink(dir / "a", dir / "link");
    std::filesystem::create_symlink(dir / "file.jpg", dir / "filelink");
    std::filesystem::create_symlink(dir / "nowhere", dir / "dangling");

    const platform::posix::PosixFolderScan scan;
    std::vector<std::string> names;
    ASSERT_EQ(scan.ListFolders(dir.path(), &names), platform::FileCause::None);
    EXPECT_EQ(Sorted(names), (std::vector<std::string>{".hidden", "a", "caf\xe9", "link"}));
    EXPECT_TRUE(scan.HasSubfolder(dir.path()));
    EXPECT_TRUE(scan.HasSubfolder(dir / "link"));
    EXPECT_FALSE(scan.HasSubfolder(dir / "a/inner"));
    EXPECT_FALSE(scan.HasSubfolder(dir / "file.jpg"));
}

TEST(PosixFolderScan, MissingAndUnreadableFoldersFailWithTheirCause) {
    testsupport::TempDir dir;
    const platform::posix::PosixFolderScan scan;
    std::vector<std::string> names{"stale"};
    EXPECT_EQ(scan.ListFolders(dir / "gone", &names), platform::FileCause::FileNotFound);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(scan.ListFolders(std::string(platform::kMaxPath + 1, 'x'), &names), platform::FileCause::BadPath);
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
    std::filesystem::create_directories(dir / "locked/inside");
    ::chmod((dir / "locked").c_str(), 0);
    EXPECT_EQ(scan.ListFolders(dir / "locked", &names), platform::FileCause::AccessDenied);
    EXPECT_FALSE(scan.HasSubfolder(dir / "locked"));
    ::chmod((dir / "locked").c_str(), 0700);
}

TEST(PosixDrives, VolumeSerialOfAMountedRootAndNoneForAMissingOne) {
    const platform::posix::PosixDrives drives;
    std::uint32_t first = 0, again = 1;
    ASSERT_TRUE(drives.QueryVolumeSerial("/", &first));
    ASSERT_TRUE(drives.QueryVolumeSerial("/", &again));
    EXPECT_EQ(first, again);
    EXPECT_FALSE(drives.QueryVolumeSerial("/no/such/mount/", &again));
}

}  // namespace
