// Installs the sample application of samples/setup into a temporary drive and
// uninstalls it from the installation directory, comparing both logs byte for byte. It runs
// on both backends, each with its own separators; on Windows the sample's entries are written
// with backslashes and the system is Windows XP, so the Start-menu shortcut is made too.

#include "setup/install_engine.h"
#include "setup/uninstaller.h"
#include "tests/support/comma_locale.h"
#if defined(_WIN32)
#include "tests/windows/win32_setup_world.h"
#else
#include "tests/setup/setup_test_env.h"
#endif

#include <gtest/gtest.h>

#include <filesystem>

namespace setup {
namespace {

void InstallThenUninstallTheSampleApplication() {
    test::SetupWorld world;
    // Into the folder's name without its trailing separator, which MinGW's copy would take
    // for an empty name and copy nothing.
    std::filesystem::copy(SETUP_SAMPLE_DIR, std::filesystem::path(world.SetupDir()).parent_path(),
                          std::filesystem::copy_options::recursive);
    test::WriteFile(world.DriveRoot() + "neighbour.txt", "someone else's file");
    world.AddKey("HKEY_CLASSES_ROOT/.svw/shell/open/command");
    world.AddKey("HKEY_CURRENT_USER/Software/Sample Maker/Sample Viewer/Settings");
    world.AddKey("HKEY_CURRENT_USER/Software/Sample Maker/Other Product");

    InstallEngine engine(world.services, world.kSystemName);
    engine.SetUp();
    ASSERT_TRUE(engine.Valid());
    const char sep = platform::kPathSeparator;
    const std::string i = world.DriveRoot() + "Sample Viewer" + sep;
    // The shortcut folder and its one link (the second LINKDEST entry), on Windows only.
    std::string linksInstall, linksUninstall;
    if (*world.kSystemName) {
        const std::string folder =
            world.DriveRoot() + "Documents and Settings\\All Users\\Start Menu\\Programs\\Sample Viewer";
        // Shortcuts of an earlier install go first: here there are none.
        linksInstall = "Deleting the \"" + folder + "\\Sample Viewer\" shortcut...Failed.\r\n"
                       "Deleting the \"" + folder + "\" shortcut directory...Failed.\r\n"
                       "Creating the \"" + folder + "\" shortcut directory...Success.\r\n"
                       "Creating the \"Sample Viewer\" shortcut...Success.\r\n";
        linksUninstall = "Deleting the \"" + folder + "\\Sample Viewer\" shortcut...Success.\r\n"
                         "Deleting the \"" + folder + "\" shortcut directory...Success.\r\n";
    }
    EXPECT_EQ(engine.DirectoryText(), world.DriveRoot() + "Sample Viewer");
    EXPECT_EQ(engine.RequiredLabel(), "0 MB");
    std::vector<std::string> own = {i, world.RegistryDir()};
#if defined(_WIN32)
    own.push_back(world.StartMenuPrograms());
#endif
    const auto outsideBefore = test::TakeSnapshot(world.Root(), own);
    ASSERT_TRUE(engine.Install(engine.DirectoryText()));
    EXPECT_TRUE(world.messages.shown.empty());

    const std::string s = world.SetupDir();
    const std::string registryInstall =
        "Checking existance of the \"HKEY_CLASSES_ROOT\\.svw\" registry key...Success.\r\n"
        "Deleting the \"HKEY_CLASSES_ROOT\\.svw\" registry key...Success.\r\n"
        "Checking existance of the \"HKEY_CURRENT_USER\\Software\\Sample Maker\\Sample Viewer\" registry "
        "key...Success.\r\n"
        "Deleting the \"HKEY_CURRENT_USER\\Software\\Sample Maker\\Sample Viewer\" registry "
        "key...Success.\r\n"
        "Checking existance of the \"HKEY_CURRENT_USER\\Software\\Sample Maker\\Retired\" registry "
        "key...Does not exist.\r\n";
    // The log's own path doubles the separator, as the engine joins it.
    EXPECT_EQ(test::ReadFile(i + sep + "Install.log"),
              "Creating the \"" + i + "\" directory...Success.\r\n"
              "Creating the \"" + i + "bin\" directory...Success.\r\n"
              "Creating the \"" + i + "docs\" directory...Success.\r\n"
              "Creating the \"" + i + "docs" + sep + "images\" directory...Success.\r\n"
              "Copying \"" + s + "config.cfg\" to \"" + i + "config.cfg\"...Success.\r\n"
              "Copying \"" + s + "payload" + sep + "sample-viewer.sh\" to \"" + i + "bin" + sep +
              "sample-viewer.sh\"...Success.\r\n"
              "Copying \"" + s + "payload" + sep + "Readme.txt\" to \"" + i + "Readme.txt\"...Success.\r\n"
              "Copying \"" + s + "payload" + sep + "images" + sep + "one.ppm\" to \"" + i + "docs" + sep + "images" +
              sep + "one.ppm\"...Success.\r\n" +
              linksInstall + registryInstall);
    EXPECT_EQ(test::ReadFile(i + "docs" + sep + "images" + sep + "one.ppm"),
              test::ReadFile(s + "payload" + sep + "images" + sep + "one.ppm"));
    EXPECT_EQ(test::ReadFile(i + "config.cfg"), test::ReadFile(s + "config.cfg"));
    EXPECT_TRUE(world.HasKey("HKEY_CURRENT_USER/Software/Sample Maker/Other Product"));
    EXPECT_EQ(test::TakeSnapshot(world.Root(), own), outsideBefore);

    // The uninstall runs from a copy of Setup inside the installation directory.
    world.files.SetCurrentDirectory(world.DriveRoot() + "Sample Viewer");
    CUninstaller uninstaller(world.services, world.kSystemName);
    ASSERT_TRUE(uninstaller.Valid());
    uninstaller.Run();
    EXPECT_EQ(test::ReadFile(i + sep + "Uninstall.log"),
              "Checking existance of the \"HKEY_CLASSES_ROOT\\.svw\" registry key...Does not exist.\r\n"
              "Checking existance of the \"HKEY_CURRENT_USER\\Software\\Sample Maker\\Sample Viewer\" registry "
              "key...Does not exist.\r\n"
              "Checking existance of the \"HKEY_CURRENT_USER\\Software\\Sample Maker\\Retired\" registry "
              "key...Does not exist.\r\n" +
              linksUninstall +
              "Deleting the \"" + i + "config.cfg\" file...Success.\r\n"
              "Deleting the \"" + i + "bin" + sep + "sample-viewer.sh\" file...Success.\r\n"
              "Deleting the \"" + i + "Readme.txt\" file...Success.\r\n"
              "Deleting the \"" + i + "docs" + sep + "images" + sep + "one.ppm\" file...Success.\r\n"
              "Deleting the \"" + i + "bin\" directory...Success.\r\n"
              "Deleting the \"" + i + "docs\" directory...Failed.\r\n"
              "Deleting the \"" + i + "docs" + sep + "images\" directory...Success.\r\n");
    EXPECT_EQ(world.messages.shown.size(), 1u);
    // What stays: the home directory with the logs and the folder listed before its child.
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::recursive_directory_iterator(i)) left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Install.log", "Uninstall.log", "docs"}));
    EXPECT_EQ(test::TakeSnapshot(world.Root(), own), outsideBefore);
}

TEST(EndToEnd, InstallThenUninstallTheSampleApplication) { InstallThenUninstallTheSampleApplication(); }

// config.cfg, the labels and both logs are the same for a user whose locale writes decimal
// commas.
class EndToEndInACommaLocale : public testsupport::CommaLocaleTest {};

TEST_F(EndToEndInACommaLocale, InstallThenUninstallTheSampleApplication) { InstallThenUninstallTheSampleApplication(); }

}  // namespace
}  // namespace setup
