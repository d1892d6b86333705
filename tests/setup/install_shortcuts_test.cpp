#include "install_engine_fixture.h"

#include "setup/setup_texts.h"
#include "setup/shortcuts.h"

namespace setup {
namespace {

using test::Config;
using test::InstallEngineTest;

class ShortcutTest : public InstallEngineTest {
protected:
    std::string Programs() const {
        return world.DriveRoot() + "Documents and Settings/All Users/Start Menu/Programs/";
    }
    std::string Folder() const { return Programs() + "Viewer Menu"; }
    InstallEngine& OpenWithLinks() {
        test::MakeDirectories(Programs());
        return Open(Config("bin;", "a.exe;b.txt;", "bin/a.exe;b.txt;", "Viewer Menu;",
                           "Viewer;\r\nRead Me;\r\n"),
                    "WinXP");
    }
    test::Snapshot Outside(const std::string& installation) const {
        return test::TakeSnapshot(world.Root(), {installation, Folder(), world.RegistryDir()});
    }
};

TEST_F(ShortcutTest, ShortcutsGoToTheMenuFolder) {
    auto& e = OpenWithLinks();
    EXPECT_EQ(e.ShortcutFolder(), Folder());
    const std::string dir = Target();
    const auto before = Outside(dir);
    ASSERT_TRUE(e.Install(dir));
    const std::string f = Folder();
    const std::string install = LogOf(dir);
    const std::string shortcuts = "Deleting the \"" + f + "/Viewer\" shortcut...Failed.\r\n"
                                  "Deleting the \"" + f + "/Read Me\" shortcut...Failed.\r\n"
                                  "Deleting the \"" + f + "\" shortcut directory...Failed.\r\n"
                                  "Creating the \"" + f + "\" shortcut directory...Success.\r\n"
                                  "Creating the \"Viewer\" shortcut...Success.\r\n"
                                  "Creating the \"Read Me\" shortcut...Success.\r\n";
    EXPECT_NE(install.find(shortcuts), std::string::npos) << install;
    EXPECT_EQ(test::ReadFile(f + "/Viewer.desktop"),
              "[Desktop Entry]\nType=Application\nName=Viewer\nExec=\"" + dir + "/bin/a.exe\"\nPath=" +
                  dir + "/\n");
    EXPECT_TRUE(world.messages.shown.empty());
    EXPECT_EQ(Outside(dir), before);

    // A second install removes the earlier shortcuts first.
    e.SetUp();
    ASSERT_TRUE(e.Install(dir));
    EXPECT_NE(LogOf(dir).find("Deleting the \"" + f + "/Viewer\" shortcut...Success.\r\n"
                              "Deleting the \"" + f + "/Read Me\" shortcut...Success.\r\n"
                              "Deleting the \"" + f + "\" shortcut directory...Success.\r\n"),
              std::string::npos);
}

TEST_F(ShortcutTest, FailedShortcutIsReportedAndRolledBack) {
    auto& e = OpenWithLinks();
    world.links.failLink.insert(Folder() + "/Read Me.desktop");
    const std::string dir = Target();
    const auto before = Outside(dir);
    ASSERT_TRUE(e.Install(dir));
    EXPECT_EQ(world.messages.Texts(), std::vector<std::string>{texts::kShortcutsFailed});
    const std::string f = Folder();
    EXPECT_NE(LogOf(dir).find("Creating the \"Read Me\" shortcut...Failed.\r\n"
                              "Deleting the \"" + f + "/Viewer\" shortcut...Success.\r\n"
                              "Deleting the \"" + f + "/Read Me\" shortcut...Failed.\r\n"
                              "Deleting the \"" + f + "\" shortcut directory...Success.\r\n"),
              std::string::npos);
    EXPECT_FALSE(test::Exists(f));
    EXPECT_EQ(test::ReadFile(dir + "/b.txt"), "text");  // copied files stay
    EXPECT_EQ(Outside(dir), before);
}

TEST(ShortcutDirectory, BaseFolderBySystemName) {
    const std::string w = "/win/", r = "/root/";
    EXPECT_EQ(ShortcutDirectory("WinXP", w, r, "M"), r + "Documents and Settings/All Users/Start Menu/Programs/M");
    EXPECT_EQ(ShortcutDirectory("Win20", w, r, "M"), r + "Documents and Settings/All Users/Start Menu/Programs/M");
    EXPECT_EQ(ShortcutDirectory("WinME", w, r, "M"), r + "Documents and Settings/All Users/Start Menu/Programs/M");
    EXPECT_EQ(ShortcutDirectory("WinNT", w, r, "M"), w + "Profiles/All Users/Start Menu/Programs/M");
    EXPECT_EQ(ShortcutDirectory("Win98", w, r, "M"), w + "Start Menu/Programs/M");
    EXPECT_EQ(ShortcutDirectory("Win95", w, r, "M"), w + "Start Menu/Programs/M");
    for (const char* other : {"", "WinOS", "Win32", "winxp"}) EXPECT_EQ(ShortcutDirectory(other, w, r, "M"), "");
    EXPECT_EQ(ShortcutDirectory("WinXP", w, r, ""), "");
}

}  // namespace
}  // namespace setup
