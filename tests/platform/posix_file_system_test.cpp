#include "platform/posix/errno_cause.h"
#include "platform/posix/posix_file_system.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

using platform::FileCause;
using platform::OpenMode;
using platform::posix::PosixFileSystem;

namespace {

std::vector<std::string> RawReaddir(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    while (const dirent* d = readdir(dir)) names.emplace_back(d->d_name);
    closedir(dir);
    return names;
}

TEST(PosixFileSystem, ListsInReaddirOrderWithDotEntries) {
    testsupport::TempDir dir;
    for (const char* name : {"b.jpg", "a.png", ".hidden", "C.TIF", "zz", "m.bmp"}) dir.Write(name, "x");
    std::filesystem::create_directory(dir / "sub.jpg");
    std::filesystem::create_directory_symlink(dir / "sub.jpg", dir / "link");

    PosixFileSystem fs;
    std::vector<platform::DirEntry> entries;
    ASSERT_EQ(fs.List(dir.path(), &entries), FileCause::None);
    std::vector<std::string> names;
    for (const auto& e : entries) {
        names.push_back(e.name);
        const bool dirLike = e.name == "." || e.name == ".." || e.name == "sub.jpg" || e.name == "link";
        EXPECT_EQ(e.isDirectory, dirLike) << e.name;
    }
    EXPECT_EQ(names, RawReaddir(dir.path()));
}

TEST(PosixFileSystem, FindFollowsLinksAndReportsDirectories) {
    testsupport::TempDir dir;
    dir.Write("f", "");
    PosixFileSystem fs;
    platform::DirEntry e;
    ASSERT_TRUE(fs.Find(dir / "f", &e));
    EXPECT_FALSE(e.isDirectory);
    ASSERT_TRUE(fs.Find(dir.path(), &e));
    EXPECT_TRUE(e.isDirectory);
    EXPECT_FALSE(fs.Find(dir / "missing", &e));
    EXPECT_FALSE(fs.Find("", &e));
}

TEST(PosixFileSystem, ExclusiveOpenOfAHeldFileIsASharingViolation) {
    testsupport::TempDir dir;
    dir.Write("held", "data");
    const int fd = ::open((dir / "held").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    PosixFileSystem fs;
    FileCause cause = FileCause::None;
    EXPECT_EQ(fs.Open(dir / "held", OpenMode::Read, true, &cause), nullptr);
    EXPECT_EQ(cause, FileCause::SharingViolation);
    EXPECT_NE(fs.Open(dir / "held", OpenMode::Read, false, &cause), nullptr);
    ::close(fd);
    EXPECT_NE(fs.Open(dir / "held", OpenMode::Read, true, &cause), nullptr);
}

TEST(PosixFileSystem, OpenFailuresCarryTheirCause) {
    testsupport::TempDir dir;
    dir.Write("file", "");
    PosixFileSystem fs;
    FileCause cause = FileCause::None;
    EXPECT_EQ(fs.Open(dir / "missing", OpenMode::Read, false, &cause), nullptr);
    EXPECT_EQ(cause, FileCause::FileNotFound);
    EXPECT_EQ(fs.Open(dir / "file/below", OpenMode::Read, false, &cause), nullptr);
    EXPECT_EQ(cause, FileCause::BadPath);
    EXPECT_EQ(fs.Open(dir.path(), OpenMode::Read, false, &cause), nullptr);
    EXPECT_EQ(cause, FileCause::AccessDenied);
}

TEST(PosixFileSystem, WriteThenTruncateEndsTheFileThere) {
    testsupport::TempDir dir;
    dir.Write("log", "0123456789");
    PosixFileSystem fs;
    FileCause cause = FileCause::None;
    auto file = fs.Open(dir / "log", OpenMode::WriteCreate, true, &cause);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(file->Write("abc", 3), FileCause::None);
    ASSERT_EQ(file->TruncateHere(), FileCause::None);
    file.reset();
    EXPECT_EQ(dir.Read("log"), "abc");
}

TEST(ErrnoCause, MapsTheDocumentedErrors) {
    using platform::posix::CauseFromErrno;
    const std::pair<int, FileCause> cases[] = {
        {ENOENT, FileCause::FileNotFound},     {ENOTDIR, FileCause::BadPath},
        {ENAMETOOLONG, FileCause::BadPath},    {ELOOP, FileCause::BadPath},
        {EMFILE, FileCause::TooManyOpenFiles}, {ENFILE, FileCause::TooManyOpenFiles},
        {EACCES, FileCause::AccessDenied},     {EPERM, FileCause::AccessDenied},
        {EROFS, FileCause::AccessDenied},      {EISDIR, FileCause::AccessDenied},
        {EBADF, FileCause::InvalidFile},       {EBUSY, FileCause::SharingViolation},
        {EWOULDBLOCK, FileCause::SharingViolation}, {EIO, FileCause::HardIO},
        {ENOSPC, FileCause::DiskFull},         {EDQUOT, FileCause::DiskFull},
        {EINVAL, FileCause::Generic},
    };
    for (const auto& [error, cause] : cases) EXPECT_EQ(CauseFromErrno(error), cause) << error;
}

}  // namespace
