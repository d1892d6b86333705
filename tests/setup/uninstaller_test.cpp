#include "setup/uninstaller.h"

#include "setup/setup_texts.h"
#include "setup_test_env.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace setup {
namespace {

// The folder an earlier install filled; Setup runs from it.
class UninstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = world.Root() + "/installed";
        test::MakeDirectories(home + "/bin");
        test::MakeDirectories(home + "/docs/images");
        test::WriteFile(home + "/bin/a.exe", "program");
        test::WriteFile(home + "/docs/images/p.ppm", "picture");
        test::WriteFile(world.Root() + "/victim.txt", "not ours");
        world.files.SetCurrentDirectory(home);
    }
    void WriteConfig(const std::string& dirdest, const std::string& dests, const std::string& links,
                     const std::string& linkdir = "", const std::string& keys = "") {
        test::WriteFile(home + "/config.cfg",
                        "[APPNAME]\r\nViewer;\r\n[DELREGKEY]\r\n" + keys + "[INSTSIZE]\r\n1;\r\n[LINKDIR]\r\n" +
                            linkdir + "[DIRDEST]\r\n" + dirdest + "[FILESOURCE]\r\nx;\r\n[FILEDEST]\r\n" +
                            dests + "[LINKDEST]\r\n" + links + "[LICAGREE]\r\n");
    }
    std::string UninstallLog() const { return test::ReadFile(home + "//Uninstall.log"); }

    test::SetupWorld world;
    std::string home;
};

TEST_F(UninstallerTest, RemovesFilesThenDirectoriesInListOrder) {
    WriteConfig("bin;\r\ndocs;\r\ndocs/images;\r\n", "bin/a.exe;\r\ndocs/images/p.ppm;\r\nnever.txt;\r\n",
                "*;*;*;");
    const auto before = test::TakeSnapshot(world.Root(), {home});
    CUninstaller uninstaller(world.services, "");
    EXPECT_TRUE(uninstaller.Valid());
    EXPECT_EQ(uninstaller.HomeDirectory(), home + "/");
    uninstaller.Run();
    const std::string h = home + "/";
    EXPECT_EQ(UninstallLog(), "Deleting the \"" + h + "bin/a.exe\" file...Success.\r\n"
                              "Deleting the \"" + h + "docs/images/p.ppm\" file...Success.\r\n"
                              "Deleting the \"" + h + "never.txt\" file...Failed.\r\n"
                              "Deleting the \"" + h + "bin\" directory...Success.\r\n"
                              "Deleting the \"" + h + "docs\" directory...Failed.\r\n"
                              "Deleting the \"" + h + "docs/images\" directory...Success.\r\n");
    EXPECT_TRUE(test::Exists(h + "docs"));  // the parent came before its child
    EXPECT_TRUE(test::Exists(h + "config.cfg"));
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text,
              "Setup was unable to delete all Viewer files.\nThere may be some files in its home "
              "directory that will need to be removed manually.");
    EXPECT_EQ(world.messages.shown[0].caption, "Note");
    EXPECT_EQ(test::TakeSnapshot(world.Root(), {home}), before);
}

TEST_F(UninstallerTest, InvalidOrUnsafeConfigurationChangesNothing) {
    const auto run = [&] {
        world.messages.shown.clear();
        const auto before = test::TakeSnapshot(world.Root());
        CUninstaller uninstaller(world.services, "WinXP");
        EXPECT_FALSE(uninstaller.Valid());
        uninstaller.Run();
        EXPECT_EQ(world.messages.Texts(), std::vector<std::string>{texts::kUninstallFilesCorrupted});
        EXPECT_EQ(world.messages.shown[0].caption, "Setup");
        EXPECT_EQ(test::TakeSnapshot(world.Root()), before);
        EXPECT_FALSE(test::Exists(home + "/Uninstall.log"));
    };
    run();  // no config.cfg at all
    WriteConfig("", "../victim.txt;", "*;");
    run();
    WriteConfig("", world.Root() + "/victim.txt;", "*;");
    run();
    WriteConfig("../" + world.Root().substr(world.Root().rfind('/') + 1) + ";", "bin/a.exe;", "*;");
    run();
    WriteConfig("", "bin/a.exe;", "../../victim;", "Menu;");
    run();
    WriteConfig("", "bin/a.exe;", "a;", "../../..;");
    run();
    WriteConfig("", "bin/a.exe;", "a;");  // a link without a link dir
    run();
}

TEST_F(UninstallerTest, RegistryAndShortcutsGoFirst) {
    const std::string programs = world.DriveRoot() + "Documents and Settings/All Users/Start Menu/Programs/";
    const std::string folder = programs + "Viewer Menu";
    test::MakeDirectories(folder);
    test::WriteFile(folder + "/Viewer.desktop", "[Desktop Entry]\n");
    world.AddKey("HKEY_CURRENT_USER/Software/Maker/Viewer/Settings");
    WriteConfig("bin;", "bin/a.exe;", "Viewer;", "Viewer Menu;",
                "HKEY_CURRENT_USER\\Software\\Maker\\Viewer;\r\nHKEY_LOCAL_MACHINE\\Software\\x;\r\n");
    CUninstaller uninstaller(world.services, "WinXP");
    EXPECT_EQ(uninstaller.ShortcutFolder(), folder);
    uninstaller.Run();
    const std::string h = home + "/";
    EXPECT_EQ(UninstallLog(),
              "Checking existance of the \"HKEY_CURRENT_USER\\Software\\Maker\\Viewer\" registry "
              "key...Success.\r\n"
              "Deleting the \"HKEY_CURRENT_USER\\Software\\Maker\\Viewer\" registry key...Success.\r\n"
              "Checking existance of the \"HKEY_LOCAL_MACHINE\\Software\\x\" registry key...Does not "
              "exist.\r\n"
              "Deleting the \"" + folder + "/Viewer\" shortcut...Success.\r\n"
              "Deleting the \"" + folder + "\" shortcut directory...Success.\r\n"
              "Deleting the \"" + h + "bin/a.exe\" file...Success.\r\n"
              "Deleting the \"" + h + "bin\" directory...Success.\r\n");
    EXPECT_EQ(world.messages.Texts(),
              (std::vector<std::string>{texts::kOtherRootUninstall,
                                        "Setup was unable to delete all Viewer files.\nThere may be "
                                        "some files in its home directory that will need to be "
                                        "removed manually."}));
    EXPECT_FALSE(world.HasKey("HKEY_CURRENT_USER/Software/Maker/Viewer"));
    EXPECT_TRUE(world.HasKey("HKEY_CURRENT_USER/Software/Maker"));
    EXPECT_TRUE(test::Exists(programs));
}

TEST_F(UninstallerTest, NothingIsDeletedThroughALinkPlantedInTheHomeDirectory) {
    const std::string outside = world.Root() + "/outside";
    test::MakeDirectories(outside + "/images");
    test::WriteFile(outside + "/a.exe", "someone else's");
    ASSERT_EQ(::symlink(outside.c_str(), (home + "/lib").c_str()), 0);
    WriteConfig("lib/images;\r\nlib;\r\n", "lib/a.exe;\r\nbin/a.exe;\r\n", "*;*;");
    CUninstaller uninstaller(world.services, "");
    ASSERT_TRUE(uninstaller.Valid());
    uninstaller.Run();
    const std::string h = home + "/";
    EXPECT_EQ(UninstallLog(), "Deleting the \"" + h + "lib/a.exe\" file...Failed.\r\n"
                              "Deleting the \"" + h + "bin/a.exe\" file...Success.\r\n"
                              "Deleting the \"" + h + "lib/images\" directory...Failed.\r\n"
                              "Deleting the \"" + h + "lib\" directory...Failed.\r\n");
    EXPECT_EQ(test::ReadFile(outside + "/a.exe"), "someone else's");
    EXPECT_TRUE(test::Exists(outside + "/images"));
}

}  // namespace
}  // namespace setup
