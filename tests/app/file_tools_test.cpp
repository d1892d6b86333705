#include "viewer/app/file_tools.h"

#include "platform/fake/fake_file_system.h"
#include "platform/fake/recording_message_sink.h"

#include <gtest/gtest.h>

using platform::FileCause;
using platform::fake::FakeFileSystem;
using platform::fake::RecordingMessageSink;

namespace {

class FileToolsTest : public ::testing::Test {
protected:
    FakeFileSystem fs;
    RecordingMessageSink messages;
    CFileTools tools{fs, messages};
};

TEST_F(FileToolsTest, PathLimitWarnsAboveTheLimitOnly) {
    const std::string atLimit(platform::kMaxPath, 'a');
    const std::string overLimit(platform::kMaxPath + 1, 'a');
    EXPECT_FALSE(tools.CheckFolderPath(atLimit));
    EXPECT_FALSE(tools.CheckFilePath(atLimit));
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_FALSE(tools.CheckFolderPath(overLimit));
    EXPECT_FALSE(tools.CheckFilePath(overLimit));
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const auto& m : messages.shown) {
        EXPECT_EQ(m.text, "Path is too long.");
        EXPECT_EQ(m.caption, "");
        EXPECT_EQ(m.icon, platform::MessageIcon::Warning);
        EXPECT_EQ(m.buttons, platform::MessageButtons::Ok);
    }
}

TEST_F(FileToolsTest, RootIsAFolderWithoutLookupAndNeverAFile) {
    FakeFileSystem empty;  // the root does not even exist here
    CFileTools onEmpty(empty, messages);
    EXPECT_TRUE(onEmpty.CheckFolderPath("/"));
    EXPECT_FALSE(onEmpty.CheckFilePath("/"));
}

TEST_F(FileToolsTest, FolderAndFileChecks) {
    fs.AddFolder("/shows/holiday");
    fs.AddFile("/shows/a.lit");
    EXPECT_TRUE(tools.CheckFolderPath("/shows/holiday"));
    EXPECT_FALSE(tools.CheckFolderPath("/shows/a.lit"));
    EXPECT_FALSE(tools.CheckFolderPath("/shows/missing"));
    EXPECT_TRUE(tools.CheckFilePath("/shows/a.lit"));
    EXPECT_TRUE(tools.CheckFilePath("/shows/holiday"));  // any entry found
    EXPECT_FALSE(tools.CheckFilePath("/shows/missing"));
    EXPECT_FALSE(tools.CheckFilePath(""));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FileToolsTest, ListingKeepsFileSystemOrderAndSkipsFolders) {
    fs.AddFile("/f/z.jpg");
    fs.AddFolder("/f/sub.jpg");
    fs.AddFile("/f/.hidden.png");
    fs.AddFile("/f/a.txt");
    std::vector<std::string> names;
    tools.ListFileNames("/f", names);
    EXPECT_EQ(names, (std::vector<std::string>{"z.jpg", ".hidden.png", "a.txt"}));

    std::vector<std::string> paths{"stale"};
    tools.ListFilePaths("/f/", paths);
    EXPECT_EQ(paths, (std::vector<std::string>{"/f//z.jpg", "/f//.hidden.png", "/f//a.txt"}));
    tools.ListFilePaths("/missing", paths);
    EXPECT_TRUE(paths.empty());
}

TEST_F(FileToolsTest, RootListingDoublesTheSeparator) {
    fs.AddFile("/x.bmp");
    std::vector<std::string> paths;
    tools.ListFilePaths("/", paths);
    EXPECT_EQ(paths, (std::vector<std::string>{"//x.bmp"}));
}

TEST_F(FileToolsTest, FileErrorTexts) {
    const struct {
        int cause;
        const char* text;
    } cases[] = {
        {0, "No error occurred."},
        {2, "The file could not be located."},
        {5, "Access to the file was denied."},
        {11, "SHARE.EXE was not loaded, or a shared region was locked."},
        {14, "The end of file was reached."},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        tools.ShowFileError(static_cast<FileCause>(c.cause));
        ASSERT_EQ(messages.shown.size(), 1u) << c.cause;
        EXPECT_EQ(messages.shown[0].text, c.text);
        EXPECT_EQ(messages.shown[0].icon, platform::MessageIcon::Warning);
    }
    messages.shown.clear();
    tools.ShowFileError(static_cast<FileCause>(15));
    tools.ShowFileError(static_cast<FileCause>(-1));
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
