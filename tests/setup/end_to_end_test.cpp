// Installs the sample application of samples/setup into a temporary drive and
// uninstalls it from the installation directory, comparing both logs byte for byte.

#include "setup/install_engine.h"
#include "setup/uninstaller.h"
#include "setup_test_env.h"
#include "tests/support/comma_locale.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace setup {
namespace {

void InstallThenUninstallTheSampleApplication() {
    test::SetupWorld world;
    std::filesystem::copy(SETUP_SAMPLE_DIR, world.SetupDir(), std::filesystem::copy_options::recursive);
    test::WriteFile(world.DriveRoot() + "neighbour.txt", "someone else's file");
    world.AddKey("HKEY_CLASSES_ROOT/.svw/shell/open/command");
    world.AddKey("HKEY_CURRENT_USER/Software/Sample Maker/Sample Viewer/Settings");
    world.AddKey("HKEY_CURRENT_USER/Software/Sample Maker/Other Product");

    InstallEngine engine(world.services, "");
    engine.SetUp();
    ASSERT_TRUE(engine.Valid());
    const std::string i = world.DriveRoot() + "Sample Viewer/";
    EXPECT_EQ(engine.DirectoryText(), world.DriveRoot() + "Sample Viewer");
    EXPECT_EQ(engine.RequiredLabel(), "0 MB");
    const auto outsideBefore = test::TakeSnapshot(world.Root(), {i, world.RegistryDir()});
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
    EXPECT_EQ(test::ReadFile(i + "/Install.log"),
              "Creating the \"" + i + "\" directory...Success.\r\n"
              "Creating the \"" + i + "bin\" directory...Success.\r\n"
              "Creating the \"" + i + "docs\" directory...Success.\r\n"
              "Creating the \"" + i + "docs/images\" directory...Success.\r\n"
              "Copying \"" + s + "config.cfg\" to \"" + i + "config.cfg\"...Success.\r\n"
              "Copying \"" + s + "payload/sample-viewer.sh\" to \"" + i + "bin/sample-viewer.sh\"...Success.\r\n"
              "Copying \"" + s + "payload/Readme.txt\" to \"" + i + "Readme.txt\"...Success.\r\n"
              "Copying \"" + s + "payload/images/one.ppm\" to \"" + i + "docs/images/one.ppm\"...Success.\r\n" +
              registryInstall);
    EXPECT_EQ(test::ReadFile(i + "docs/images/one.ppm"), test::ReadFile(s + "payload/images/one.ppm"));
    EXPECT_EQ(test::ReadFile(i + "config.cfg"), test::ReadFile(s + "config.cfg"));
    EXPECT_TRUE(world.HasKey("HKEY_CURRENT_USER/Software/Sample Maker/Other Product"));
    EXPECT_EQ(test::TakeSnapshot(world.Root(), {i, world.RegistryDir()}), outsideBefore);

    // The uninstall runs from a copy of Setup inside the installation directory.
    world.files.SetCurrentDirectory(world.DriveRoot() + "Sample Viewer");
    CUninstaller uninstaller(world.services, "");
    ASSERT_TRUE(uninstaller.Valid());
    uninstaller.Run();
    EXPECT_EQ(test::ReadFile(i + "/Uninstall.log"),
              "Checking existance of the \"HKEY_CLASSES_ROOT\\.svw\" registry key...Does not exist.\r\n"
              "Checking existance of the \"HKEY_CURRENT_USER\\Software\\Sample Maker\\Sample Viewer\" registry "
              "key...Does not exist.\r\n"
              "Checking existance of the \"HKEY_CURRENT_USER\\Software\\Sample Maker\\Retired\" registry "
              "key...Does not exist.\r\n"
              "Deleting the \"" + i + "config.cfg\" file...Success.\r\n"
              "Deleting the \"" + i + "bin/sample-viewer.sh\" file...Success.\r\n"
              "Deleting the \"" + i + "Readme.txt\" file...Success.\r\n"
              "Deleting the \"" + i + "docs/images/one.ppm\" file...Success.\r\n"
              "Deleting the \"" + i + "bin\" directory...Success.\r\n"
              "Deleting the \"" + i + "docs\" directory...Failed.\r\n"
              "Deleting the \"" + i + "docs/images\" directory...Success.\r\n");
    EXPECT_EQ(world.messages.shown.size(), 1u);
    // What stays: the home directory with the logs and the folder listed before its child.
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::recursive_directory_iterator(i)) left.push_back(e.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Install.log", "Uninstall.log", "docs"}));
    EXPECT_EQ(test::TakeSnapshot(world.Root(), {i, world.RegistryDir()}), outsideBefore);
}

TEST(EndToEnd, InstallThenUninstallTheSampleApplication) { InstallThenUninstallTheSampleApplication(); }

// config.cfg, the labels and both logs are the same for a user whose locale writes decimal
// commas.
class EndToEndInACommaLocale : public testsupport::CommaLocaleTest {};

TEST_F(EndToEndInACommaLocale, InstallThenUninstallTheSampleApplication) { InstallThenUninstallTheSampleApplication(); }

}  // namespace
}  // namespace setup
