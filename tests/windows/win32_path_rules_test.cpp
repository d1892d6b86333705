// The cores' path rules as they are on Windows: drive roots of 3 characters, backslashes,
// MAX_PATH, drive letters in the installer's directory check and Start-menu folders.

#include "platform/fake/fake_drives.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/win32/win32_file_system.h"
#include "setup/entry_paths.h"
#include "setup/install_engine.h"
#include "setup/shortcuts.h"
#include "tests/support/temp_dir.h"
#include "viewer/app/file_tools.h"
#include "viewer/app/opened_path.h"
#include "viewer/app/text_tools.h"
#include "viewer/res/texts.h"

#include <gtest/gtest.h>

namespace {

class ViewerPathRules : public ::testing::Test {
protected:
    platform::win32::Win32FileSystem fs;
    platform::fake::RecordingMessageSink messages;
    CFileTools tools{fs, messages};
};

TEST_F(ViewerPathRules, AnyThreeCharacterPathIsADriveRootFolderWithoutALookUp) {
    EXPECT_TRUE(tools.CheckFolderPath("Q:\\"));  // no such drive: never looked up
    EXPECT_FALSE(tools.CheckFilePath("C:\\"));
    EXPECT_FALSE(tools.CheckFolderPath("Q:\\x"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ViewerPathRules, PathsOverMaxPathAreRefusedWithTheMessage) {
    testsupport::TempDir temp;
    std::string atLimit = temp.path() + "\\";
    atLimit += std::string(260 - atLimit.size(), 'a');
    ASSERT_EQ(atLimit.size(), 260u);
    EXPECT_FALSE(tools.CheckFolderPath(atLimit));  // searched, not found
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(tools.CheckFolderPath(atLimit + "a"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, texts::kPathTooLong);
}

TEST_F(ViewerPathRules, ADriveRootsListingDoublesTheBackslash) {
    std::vector<std::string> paths;
    tools.ListFilePaths("V:\\", paths);  // the build folder's drive
    ASSERT_FALSE(paths.empty());
    for (const auto& p : paths) EXPECT_EQ(p.substr(0, 4), "V:\\\\") << p;
}

TEST_F(ViewerPathRules, FileNamesAndExtensionsFollowBackslashes) {
    CTextTools text;
    EXPECT_EQ(text.GetFileName("C:\\Photos\\Beach.JPG"), "Beach.JPG");
    EXPECT_EQ(text.GetFileName("C:\\"), "");
    // A collage file's slides written with slashes still show their names.
    EXPECT_EQ(text.GetFileName("samples/dawn.jpg"), "dawn.jpg");
    EXPECT_EQ(text.GetFileName("C:\\show/samples\\noon.png"), "noon.png");
    EXPECT_EQ(text.GetFileName("Beach.JPG"), "");
    EXPECT_EQ(text.GetExtension("C:\\Photos\\Beach.JPG"), "jpg");
    EXPECT_EQ(text.GetExtension("C:\\a.b\\file"), "b\\file");
}

TEST_F(ViewerPathRules, AnOpenedPictureStartsItsFolderAtItAndARootPictureItsDrive) {
    testsupport::TempDir temp;
    temp.Write("x.png", "");
    const auto opened = ReadOpenedPath({temp / "x.png"}, fs);
    ASSERT_TRUE(opened.has_value());
    EXPECT_EQ(opened->startPath, temp.path());
    EXPECT_EQ(opened->firstSlide, "x.png");
    const auto folder = ReadOpenedPath({temp.path()}, fs);
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(folder->startPath, temp.path());
    // A relative path or a lone switch keeps the two-token meaning.
    EXPECT_FALSE(ReadOpenedPath({"x.png"}, fs).has_value());
    EXPECT_FALSE(ReadOpenedPath({"1"}, fs).has_value());
    EXPECT_FALSE(ReadOpenedPath({"/x.png"}, fs).has_value());
}

TEST(SetupPathRules, TheDirectoryCheckTakesTheDriveFromTheFirstThreeCharacters) {
    const std::vector<platform::Mount> mounts = {{"C:\\", platform::DriveType::Fixed},
                                                 {"D:\\", platform::DriveType::CdRom}};
    EXPECT_TRUE(setup::IsInstallableDirectory(mounts, "C:\\Viewer"));
    EXPECT_TRUE(setup::IsInstallableDirectory(mounts, "c:\\Viewer\\"));
    EXPECT_TRUE(setup::IsInstallableDirectory(mounts, "C:\\x"));
    EXPECT_FALSE(setup::IsInstallableDirectory(mounts, "C:\\"));
    EXPECT_FALSE(setup::IsInstallableDirectory(mounts, "C:\\\\"));  // 4 characters ending in "\"
    EXPECT_FALSE(setup::IsInstallableDirectory(mounts, "C:Viewer"));
    EXPECT_FALSE(setup::IsInstallableDirectory(mounts, "C:/Viewer"));
    EXPECT_FALSE(setup::IsInstallableDirectory(mounts, "D:\\Viewer"));
    EXPECT_FALSE(setup::IsInstallableDirectory(mounts, "E:\\Viewer"));
    EXPECT_EQ(setup::WithTrailingSeparator("C:\\Viewer"), "C:\\Viewer\\");
    EXPECT_EQ(setup::WithTrailingSeparator("C:\\"), "C:\\");
}

TEST(SetupPathRules, StartMenuFoldersAreWrittenWithBackslashes) {
    EXPECT_EQ(setup::ShortcutDirectory("WinXP", "C:\\WINDOWS\\", "C:\\", "Viewer", ""),
              "C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Viewer");
    EXPECT_EQ(setup::ShortcutDirectory("WinNT", "C:\\WINNT\\", "C:\\", "Viewer", ""),
              "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Viewer");
    EXPECT_EQ(setup::ShortcutDirectory("Win98", "C:\\WINDOWS\\", "C:\\", "Viewer", ""),
              "C:\\WINDOWS\\Start Menu\\Programs\\Viewer");
    EXPECT_EQ(setup::ShortcutDirectory("", "C:\\WINDOWS\\", "C:\\", "Viewer", ""), "");
    EXPECT_EQ(setup::ShortcutPath("C:\\S\\Viewer", "Viewer"), "C:\\S\\Viewer\\Viewer.LNK");
}

}  // namespace
