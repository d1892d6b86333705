// The Win32 file system and file operations on Wine's real files: directory searches,
// the causes of failed opens (the sharing violation among them) and the copy rules.

#include "platform/win32/win32_file_operations.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_folder_scan.h"
#include "platform/win32/windows_api.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace platform::win32 {
namespace {

class Win32Files : public ::testing::Test {
protected:
    testsupport::TempDir temp;
    Win32FileSystem fs;
    Win32FileOperations ops;
};

TEST_F(Win32Files, SearchesFindEntriesWithTheirDirectoryAttribute) {
    temp.Write("a.txt", "x");
    ASSERT_TRUE(ops.CreateDirectory(temp / "sub"));
    DirEntry entry;
    ASSERT_TRUE(fs.Find(temp / "a.txt", &entry));
    EXPECT_EQ(entry.name, "a.txt");
    EXPECT_FALSE(entry.isDirectory);
    ASSERT_TRUE(fs.Find(temp / "sub", &entry));
    EXPECT_TRUE(entry.isDirectory);
    EXPECT_FALSE(fs.Find(temp / "missing", &entry));
    EXPECT_FALSE(fs.Find("", &entry));
    // A drive root, which a directory search never finds itself, is a folder when the drive exists.
    ASSERT_TRUE(fs.Find("C:\\", &entry));
    EXPECT_TRUE(entry.isDirectory);
    EXPECT_FALSE(fs.Find("Q:\\", &entry));

    std::vector<DirEntry> entries;
    ASSERT_EQ(fs.List(temp.path(), &entries), FileCause::None);
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.name + (e.isDirectory ? "/" : ""));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"../", "./", "a.txt", "sub/"}));
    // A separator already at the end is not doubled in the search pattern.
    EXPECT_EQ(SearchPattern("C:\\"), "C:\\*.*");
    EXPECT_EQ(SearchPattern("C:\\x"), "C:\\x\\*.*");
    EXPECT_EQ(fs.List(temp / "missing", &entries), FileCause::BadPath);

    Win32FolderScan scan;
    std::vector<std::string> folders;
    ASSERT_EQ(scan.ListFolders(temp.path(), &folders), FileCause::None);
    EXPECT_EQ(folders, (std::vector<std::string>{"sub"}));
    EXPECT_TRUE(scan.HasSubfolder(temp.path()));
    EXPECT_FALSE(scan.HasSubfolder(temp / "sub"));
}

TEST_F(Win32Files, FailedOpensReportTheFrameworkCauses) {
    FileCause cause = FileCause::None;
    EXPECT_EQ(fs.Open(temp / "missing.txt", OpenMode::Read, false, &cause), nullptr);
    EXPECT_EQ(cause, FileCause::FileNotFound);
    EXPECT_EQ(fs.Open(temp / "no\\such\\x.txt", OpenMode::Read, false, &cause), nullptr);
    EXPECT_EQ(cause, FileCause::BadPath);
    ASSERT_TRUE(ops.CreateDirectory(temp / "folder"));
    EXPECT_EQ(fs.Open(temp / "folder", OpenMode::Read, false, &cause), nullptr);
    EXPECT_EQ(cause, FileCause::AccessDenied);
}

TEST_F(Win32Files, AFileOpenedWithoutSharingRefusesEveryOtherOpenAsASharingViolation) {
    temp.Write("held.txt", "held");
    FileCause cause = FileCause::Generic;
    auto held = fs.Open(temp / "held.txt", OpenMode::Read, true, &cause);
    ASSERT_NE(held, nullptr);
    ASSERT_EQ(cause, FileCause::None);
    EXPECT_EQ(fs.Open(temp / "held.txt", OpenMode::Read, true, &cause), nullptr);
    EXPECT_EQ(cause, FileCause::SharingViolation);
    EXPECT_EQ(fs.Open(temp / "held.txt", OpenMode::WriteCreate, false, &cause), nullptr);
    EXPECT_EQ(cause, FileCause::SharingViolation);
    held.reset();
    EXPECT_NE(fs.Open(temp / "held.txt", OpenMode::Read, true, &cause), nullptr);
}

TEST_F(Win32Files, ReadWriteSeekAndTruncate) {
    FileCause cause = FileCause::Generic;
    auto file = fs.Open(temp / "f.bin", OpenMode::ReadCreate, false, &cause);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(file->Write("abcdef", 6), FileCause::None);
    ASSERT_EQ(file->Seek(2), FileCause::None);
    ASSERT_EQ(file->TruncateHere(), FileCause::None);
    std::uint64_t size = 0;
    ASSERT_EQ(file->Size(&size), FileCause::None);
    EXPECT_EQ(size, 2u);
    ASSERT_EQ(file->Seek(0), FileCause::None);
    char buffer[8] = {};
    std::size_t got = 0;
    ASSERT_EQ(file->Read(buffer, sizeof buffer, &got), FileCause::None);
    EXPECT_EQ(std::string(buffer, got), "ab");
}

TEST_F(Win32Files, TheCurrentDirectoryIsADrivePathWithBackslashes) {
    const std::string cwd = fs.CurrentDirectory();
    ASSERT_GE(cwd.size(), 3u);
    EXPECT_EQ(cwd.substr(1, 2), ":\\");
    EXPECT_EQ(cwd.find('/'), std::string::npos);
}

TEST_F(Win32Files, CopyReplacesTheDestinationButNeverTheSourceItself) {
    temp.Write("src.txt", "new");
    temp.Write("dst.txt", "old");
    ASSERT_TRUE(ops.CopyFile(temp / "src.txt", temp / "dst.txt"));
    EXPECT_EQ(temp.Read("dst.txt"), "new");
    // The same file by another spelling: refused, the source stays whole.
    EXPECT_FALSE(ops.CopyFile(temp / "src.txt", temp.path() + "\\\\src.txt"));
    EXPECT_FALSE(ops.CopyFile(temp / "src.txt", temp / "SRC.TXT"));
    EXPECT_EQ(temp.Read("src.txt"), "new");
    EXPECT_FALSE(ops.CopyFile(temp / "missing", temp / "x"));

    EXPECT_TRUE(ops.Exists(temp / "dst.txt"));
    EXPECT_FALSE(ops.IsLink(temp / "dst.txt"));
    // Files copied from read-only media become writable.
    ASSERT_TRUE(::SetFileAttributesA((temp / "dst.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(ops.SetArchiveOnly(temp / "dst.txt"));
    EXPECT_EQ(::GetFileAttributesA((temp / "dst.txt").c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_TRUE(ops.DeleteFile(temp / "dst.txt"));
    EXPECT_FALSE(ops.Exists(temp / "dst.txt"));
    EXPECT_FALSE(ops.DeleteFile(temp / "dst.txt"));

    ASSERT_TRUE(ops.CreateDirectory(temp / "d"));
    EXPECT_FALSE(ops.CreateDirectory(temp / "d"));
    temp.Write("d\\inside", "x");
    EXPECT_FALSE(ops.RemoveDirectory(temp / "d"));
    EXPECT_TRUE(ops.DeleteFile(temp / "d\\inside"));
    EXPECT_TRUE(ops.RemoveDirectory(temp / "d"));
}

}  // namespace
}  // namespace platform::win32
