#include "setup/install_engine.h"

#include "setup/setup_texts.h"
#include "setup/shortcuts.h"
#include "setup_test_env.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <utility>

namespace setup {
namespace {

using platform::DriveType;
using platform::MessageAnswer;

// Two files and one folder; `extra` lines replace the defaults where given.
std::string Config(const std::string& dirdest = "bin;\r\n",
                   const std::string& sources = "a.exe;\r\nb.txt;\r\n",
                   const std::string& dests = "bin/a.exe;\r\nb.txt;\r\n",
                   const std::string& linkdir = "", const std::string& links = "*;\r\n*;\r\n",
                   const std::string& size = "2048;\r\n", const std::string& keys = "") {
    return "[APPNAME]\r\nViewer;\r\n[DELREGKEY]\r\n" + keys + "[INSTSIZE]\r\n" + size +
           "[LINKDIR]\r\n" + linkdir + "[DIRDEST]\r\n" + dirdest + "[FILESOURCE]\r\n" + sources +
           "[FILEDEST]\r\n" + dests + "[LINKDEST]\r\n" + links + "[LICAGREE]\r\n";
}

class InstallEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteFile(world.SetupDir() + "a.exe", "program");
        test::WriteFile(world.SetupDir() + "b.txt", "text");
    }
    InstallEngine& Open(const std::string& config, std::string systemName = {}) {
        world.WriteConfig(config);
        engine = std::make_unique<InstallEngine>(world.services, std::move(systemName));
        engine->SetUp();
        return *engine;
    }
    std::string Target() const { return world.Root() + "/target"; }
    // Everything except the installation directory and the key store.
    test::Snapshot Outside(const std::string& installation) const {
        return test::TakeSnapshot(world.Root(), {installation, world.RegistryDir()});
    }
    std::string LogOf(const std::string& directory) const {
        return test::ReadFile(directory + "//Install.log");
    }

    test::SetupWorld world;
    std::unique_ptr<InstallEngine> engine;
};

TEST_F(InstallEngineTest, OpeningProposesADirectoryAndShowsTheValues) {
    world.drives.spaces[world.DriveRoot()] = {1000, 1024, 4096};  // 1000 KB free
    world.display.depth = 16;
    auto& e = Open(Config("bin;", "a.exe;b.txt;", "bin/a.exe;b.txt;", "", "*;*;", "5120;"));
    EXPECT_TRUE(e.Valid());
    EXPECT_EQ(e.DirectoryText(), world.DriveRoot() + "Viewer");
    EXPECT_EQ(e.InstallationDirectory(), world.DriveRoot() + "Viewer");
    EXPECT_EQ(e.SetupDirectory(), world.SetupDir());
    EXPECT_EQ(e.RequiredLabel(), "5 MB");
    EXPECT_EQ(e.AvailableLabel(), "0 MB");
    EXPECT_EQ(e.ColorDepthLabel(), "16 BPP");
    EXPECT_EQ(e.ShortcutFolder(), "");
    world.display.depth = 0;
    e.SetUp();
    EXPECT_EQ(e.ColorDepthLabel(), "N/A");
}

TEST_F(InstallEngineTest, InstallsIntoTheCheckedDirectory) {
    auto& e = Open(Config());
    const std::string dir = Target();
    const auto before = Outside(dir);
    ASSERT_TRUE(e.Install(dir));
    EXPECT_EQ(e.InstallationDirectory(), dir + "/");
    EXPECT_EQ(test::ReadFile(dir + "/bin/a.exe"), "program");
    EXPECT_EQ(test::ReadFile(dir + "/b.txt"), "text");
    const std::string s = world.SetupDir(), d = dir + "/";
    EXPECT_EQ(LogOf(dir), "Creating the \"" + d + "\" directory...Success.\r\n"
                          "Creating the \"" + d + "bin\" directory...Success.\r\n"
                          "Copying \"" + s + "a.exe\" to \"" + d + "bin/a.exe\"...Success.\r\n"
                          "Copying \"" + s + "b.txt\" to \"" + d + "b.txt\"...Success.\r\n");
    EXPECT_TRUE(world.messages.shown.empty());
    EXPECT_EQ(Outside(dir), before);
}

TEST_F(InstallEngineTest, InvalidOrUnsafeConfigurationTouchesNothing) {
    const std::string unsafe[] = {
        "[APPNAME]x;",
        Config("bin;", "a.exe;b.txt;", "../escaped;b.txt;"),
        Config("bin;", "a.exe;b.txt;", "/tmp/escaped;b.txt;"),
        Config("../up;"),
        Config("bin;", "a.exe;b.txt;", "bin/a.exe;b.txt;", "../../Menu;", "x;*;"),
        Config("bin;", "a.exe;b.txt;", "bin/a.exe;b.txt;", "Menu;", "../x;*;"),
    };
    for (const auto& config : unsafe) {
        auto& e = Open(config, "WinXP");
        world.messages.shown.clear();
        const auto before = test::TakeSnapshot(world.Root());
        EXPECT_FALSE(e.Install(Target()));
        EXPECT_EQ(world.messages.Texts(), std::vector<std::string>{texts::kSetupFilesCorrupted});
        EXPECT_EQ(world.messages.shown[0].caption, "Setup");
        EXPECT_EQ(test::TakeSnapshot(world.Root()), before) << config;
    }
}

TEST_F(InstallEngineTest, DirectoryMustLieBelowAFixedDriveRoot) {
    const std::string r = world.Root();
    world.drives.mounts = {{"/", DriveType::Fixed},
                           {r + "/ram/", DriveType::RamDisk},
                           {r + "/cd/", DriveType::CdRom},
                           {r + "/stick/", DriveType::Removable},
                           {r + "/net/", DriveType::Remote},
                           {r + "/second/", DriveType::Fixed}};
    const std::string refused[] = {"",  "/", "//", "relative/dir", r + "/ram/x", r + "/cd/x",
                                   r + "/stick/x", r + "/net/x", r + "/second/", r + "/second//",
                                   r + "/second", r + "/a/../b", r + "/./b"};
    auto& e = Open(Config());
    const auto before = test::TakeSnapshot(r);
    for (const auto& dir : refused) {
        world.messages.shown.clear();
        EXPECT_FALSE(e.Install(dir)) << dir;
        ASSERT_EQ(world.messages.shown.size(), 1u) << dir;
        EXPECT_EQ(world.messages.shown[0].text, texts::kInvalidDirectory);
        EXPECT_EQ(world.messages.shown[0].caption, "Invalid");
    }
    EXPECT_EQ(test::TakeSnapshot(r), before);
    test::MakeDirectories(r + "/second");
    EXPECT_TRUE(e.Install(r + "/second/app/"));
    EXPECT_EQ(e.InstallationDirectory(), r + "/second/app/");
}

TEST_F(InstallEngineTest, FullDriveQuestionUnlessRequiredIsBelowAvailable) {
    world.drives.spaces[world.DriveRoot()] = {2048, 1024, 4096};  // exactly the 2048 KB needed
    auto& e = Open(Config());
    const auto before = test::TakeSnapshot(world.Root());
    std::vector<bool> busy;
    e.SetBusyHandler([&](bool on) { busy.push_back(on); });
    world.messages.answers = {MessageAnswer::No};
    EXPECT_FALSE(e.Install(Target()));
    EXPECT_TRUE(busy.empty());  // refused before any work
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text, texts::kFullDriveQuestion);
    EXPECT_EQ(world.messages.shown[0].caption, "Full Drive");
    EXPECT_EQ(world.messages.shown[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(test::TakeSnapshot(world.Root()), before);
    world.messages.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(e.Install(Target()));
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    world.drives.spaces[world.DriveRoot()] = {2049, 1024, 4096};
    e.SetUp();
    world.messages.shown.clear();
    EXPECT_TRUE(e.Install(Target()));
    EXPECT_TRUE(world.messages.shown.empty());
}

// The free kilobytes are kept in 32 bits and read as unsigned, by the label and by the
// space check alike; above their range they stay at the largest figure.
TEST_F(InstallEngineTest, TebibytesFreeAreNotAFullDrive) {
    const std::uint64_t tebibyteBlocks = std::uint64_t{1} << 28;  // of 4096 bytes
    const std::pair<std::uint64_t, std::string> cases[] = {
        {3 * tebibyteBlocks, "3145728 MB"},
        {5 * tebibyteBlocks, "4194303 MB"},
        {64 * tebibyteBlocks, "4194303 MB"},  // would wrap to nothing
    };
    for (const auto& [blocks, label] : cases) {
        world.drives.spaces[world.DriveRoot()] = {blocks, 4096, 4096};
        auto& e = Open(Config("bin;", "a.exe;b.txt;", "bin/a.exe;b.txt;", "", "*;*;", "102400;"));
        EXPECT_EQ(e.AvailableLabel(), label);
        world.messages.shown.clear();
        EXPECT_TRUE(e.Install(Target())) << label;
        EXPECT_TRUE(world.messages.shown.empty()) << label;
    }
    // Still asked when the size needed is not below the largest figure.
    auto& e = Open(Config("bin;", "a.exe;b.txt;", "bin/a.exe;b.txt;", "", "*;*;", "4294967295;"));
    world.messages.answers = {MessageAnswer::No};
    world.messages.shown.clear();
    EXPECT_FALSE(e.Install(Target()));
    EXPECT_EQ(world.messages.Texts(), std::vector<std::string>{texts::kFullDriveQuestion});
}

TEST_F(InstallEngineTest, MissingSourceStopsBeforeAnyChange) {
    auto& e = Open(Config("bin;", "a.exe;missing.txt;"));
    const auto before = test::TakeSnapshot(world.Root());
    EXPECT_FALSE(e.Install(Target()));
    EXPECT_EQ(world.messages.Texts(), std::vector<std::string>{texts::kSourcesMissing});
    EXPECT_EQ(world.messages.shown[0].caption, "Incomplete Install");
    EXPECT_EQ(test::TakeSnapshot(world.Root()), before);
}

TEST_F(InstallEngineTest, FileWhereTheInstallationDirectoryShouldBe) {
    test::WriteFile(world.Root() + "/blocker", "a file");
    auto& e = Open(Config());
    const auto before = test::TakeSnapshot(world.Root());
    EXPECT_FALSE(e.Install(world.Root() + "/blocker/app"));
    EXPECT_EQ(world.messages.Texts(), std::vector<std::string>{texts::kCannotCreateInstallDirectory});
    EXPECT_EQ(world.messages.shown[0].caption, "Error");
    EXPECT_EQ(test::TakeSnapshot(world.Root()), before);  // and the log is lost with the folder
}

TEST_F(InstallEngineTest, FileWhereASubdirectoryShouldBeRollsBack) {
    const std::string dir = Target();
    test::MakeDirectories(dir);
    test::WriteFile(dir + "/bin", "a file named like the folder");
    auto& e = Open(Config("docs;\r\nbin/sub;\r\n", "a.exe;b.txt;", "docs/a.exe;b.txt;"));
    const auto before = Outside(dir);
    EXPECT_FALSE(e.Install(dir));
    EXPECT_EQ(world.messages.Texts(),
              std::vector<std::string>{"Setup was unable to create the \"bin/sub\" directory."});
    const std::string d = dir + "/";
    EXPECT_EQ(LogOf(dir), "Creating the \"" + d + "docs\" directory...Success.\r\n"
                          "Creating the \"" + d + "bin/sub\" directory...Failed.\r\n"
                          "Deleting the \"" + d + "docs\" directory...Success.\r\n"
                          "Deleting the \"" + d + "bin/sub\" directory...Failed.\r\n"
                          "Deleting the \"" + d + "\" directory...Failed.\r\n");
    EXPECT_FALSE(test::Exists(d + "docs"));
    EXPECT_FALSE(test::Exists(d + "b.txt"));
    EXPECT_EQ(Outside(dir), before);
}

TEST_F(InstallEngineTest, ParentListedAfterChildFailsAndRetryAppends) {
    const std::string dir = Target();
    test::MakeDirectories(dir);
    test::WriteFile(dir + "/keep.txt", "the folder is not empty");
    auto& e = Open(Config("docs/images;\r\ndocs;\r\n", "a.exe;b.txt;", "docs/a.exe;b.txt;"));
    const auto before = Outside(dir);
    EXPECT_FALSE(e.Install(dir));
    const std::string d = dir + "/";
    const std::string attempt = "Creating the \"" + d + "docs/images\" directory...Failed.\r\n"
                                "Deleting the \"" + d + "docs/images\" directory...Failed.\r\n"
                                "Deleting the \"" + d + "docs\" directory...Failed.\r\n"
                                "Deleting the \"" + d + "\" directory...Failed.\r\n";
    EXPECT_EQ(LogOf(dir), attempt);
    EXPECT_FALSE(e.Install(dir));
    EXPECT_EQ(LogOf(dir), attempt + attempt);
    EXPECT_EQ(world.messages.Texts(),
              std::vector<std::string>(2, "Setup was unable to create the \"docs/images\" directory."));
    EXPECT_EQ(Outside(dir), before);
}

TEST_F(InstallEngineTest, ReadOnlyDestinationFails) {
    const std::string mountPoint = world.Root() + "/readonly";
    test::ScratchMount mount(mountPoint, 64, true);
    if (!mount.mounted()) world.operations.failCreate.insert(mountPoint + "/app/");
    world.drives.mounts.push_back({mountPoint + "/", DriveType::Fixed});
    auto& e = Open(Config());
    const auto before = test::TakeSnapshot(world.Root());
    EXPECT_FALSE(e.Install(mountPoint + "/app"));
    EXPECT_EQ(world.messages.Texts(), std::vector<std::string>{texts::kCannotCreateInstallDirectory});
    EXPECT_EQ(test::TakeSnapshot(world.Root()), before);
}

TEST_F(InstallEngineTest, DiskFillingDuringTheCopyIsLoggedAndLeavesNoPartialFile) {
    const std::string mountPoint = world.Root() + "/small";
    test::ScratchMount mount(mountPoint, 64, false);
    const std::string dir = mountPoint + "/app";
    const std::string big(40 * 1024, 'x');
    test::WriteFile(world.SetupDir() + "one.bin", big);
    test::WriteFile(world.SetupDir() + "two.bin", big);
    if (!mount.mounted()) world.operations.failCopy.insert(dir + "/two.bin");
    world.drives.mounts.push_back({mountPoint + "/", DriveType::Fixed});
    auto& e = Open(Config("", "one.bin;two.bin;b.txt;", "one.bin;two.bin;b.txt;", "", "*;*;*;", "1;"));
    const auto before = Outside(dir);
    EXPECT_TRUE(e.Install(dir));  // a failed copy never stops the install
    const std::string s = world.SetupDir(), d = dir + "/";
    EXPECT_EQ(e.Log().Text(), "Creating the \"" + d + "\" directory...Success.\r\n"
                              "Copying \"" + s + "one.bin\" to \"" + d + "one.bin\"...Success.\r\n"
                              "Copying \"" + s + "two.bin\" to \"" + d + "two.bin\"...Failed.\r\n"
                              "Copying \"" + s + "b.txt\" to \"" + d + "b.txt\"...Success.\r\n");
    EXPECT_EQ(test::ReadFile(d + "one.bin"), big);
    EXPECT_FALSE(test::Exists(d + "two.bin"));
    EXPECT_EQ(test::ReadFile(world.SetupDir() + "two.bin"), big);
    EXPECT_EQ(Outside(dir), before);
}

TEST_F(InstallEngineTest, CopyOverSelfIsRefusedAndTheSourceKept) {
    auto& e = Open(Config("", "a.exe;b.txt;", "a.exe;b.txt;"));
    const std::string setupDir = world.Root() + "/setup";
    const auto before = test::TakeSnapshot(world.Root(), {world.SetupDir() + "Install.log"});
    ASSERT_TRUE(e.Install(setupDir));
    const std::string s = world.SetupDir();
    EXPECT_EQ(LogOf(setupDir), "Copying \"" + s + "a.exe\" to \"" + s + "a.exe\"...Can't copy over self.\r\n"
                               "Copying \"" + s + "b.txt\" to \"" + s + "b.txt\"...Can't copy over self.\r\n");
    // The same folder by another text: the copy fails instead of emptying the file.
    const std::string other = world.Root() + "//setup";
    ASSERT_TRUE(e.Install(other));
    EXPECT_NE(LogOf(setupDir).find("a.exe\" to \"" + other + "/a.exe\"...Failed.\r\n"), std::string::npos);
    EXPECT_EQ(test::TakeSnapshot(world.Root(), {world.SetupDir() + "Install.log"}), before);
}

TEST_F(InstallEngineTest, CopiedFilesBecomeWritableAndReplaceOldOnes) {
    ::chmod((world.SetupDir() + "a.exe").c_str(), 0555);
    const std::string dir = Target();
    test::MakeDirectories(dir + "/bin");
    test::WriteFile(dir + "/bin/a.exe", "an older program, longer than the new one");
    auto& e = Open(Config());
    ASSERT_TRUE(e.Install(dir));
    EXPECT_EQ(test::ReadFile(dir + "/bin/a.exe"), "program");
    struct stat st {};
    ASSERT_EQ(::stat((dir + "/bin/a.exe").c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IWUSR);
    EXPECT_EQ(e.Log().Records().front(), "Copying \"" + world.SetupDir() + "a.exe\" to \"" + dir +
                                             "/bin/a.exe\"...");  // existing folders are passed over
}

// A link planted in an existing installation folder must not carry the install outside it.
TEST_F(InstallEngineTest, LinkAtAFileDestinationIsReplacedNotWrittenThrough) {
    const std::string dir = Target();
    const std::string outside = world.Root() + "/outside";
    test::MakeDirectories(dir + "/bin");
    test::MakeDirectories(outside);
    test::WriteFile(outside + "/victim", "precious, and longer than the payload");
    ::chmod((outside + "/victim").c_str(), 0400);
    ASSERT_EQ(::symlink((outside + "/victim").c_str(), (dir + "/bin/a.exe").c_str()), 0);
    ASSERT_EQ(::symlink((outside + "/victim").c_str(), (dir + "/b.txt").c_str()), 0);
    world.operations.failCopy.insert(dir + "/b.txt");  // a failed copy leaves the link alone too
    auto& e = Open(Config());
    const auto before = test::TakeSnapshot(outside);
    ASSERT_TRUE(e.Install(dir));
    EXPECT_EQ(test::TakeSnapshot(outside), before);  // content and permission bits
    EXPECT_FALSE(world.realOperations.IsLink(dir + "/bin/a.exe"));
    EXPECT_EQ(test::ReadFile(dir + "/bin/a.exe"), "program");
    const std::string s = world.SetupDir(), d = dir + "/";
    EXPECT_EQ(LogOf(dir), "Copying \"" + s + "a.exe\" to \"" + d + "bin/a.exe\"...Success.\r\n"
                          "Copying \"" + s + "b.txt\" to \"" + d + "b.txt\"...Failed.\r\n");
}

TEST_F(InstallEngineTest, NothingIsCopiedThroughAFolderLink) {
    const std::string dir = Target();
    const std::string outside = world.Root() + "/outside";
    test::MakeDirectories(dir);
    test::MakeDirectories(outside);
    test::WriteFile(outside + "/a.exe", "precious");
    ASSERT_EQ(::symlink(outside.c_str(), (dir + "/bin").c_str()), 0);
    auto& e = Open(Config());
    const auto before = test::TakeSnapshot(outside);
    ASSERT_TRUE(e.Install(dir));
    EXPECT_EQ(test::TakeSnapshot(outside), before);
    const std::string s = world.SetupDir(), d = dir + "/";
    EXPECT_EQ(LogOf(dir), "Copying \"" + s + "a.exe\" to \"" + d + "bin/a.exe\"...Failed.\r\n"
                          "Copying \"" + s + "b.txt\" to \"" + d + "b.txt\"...Success.\r\n");
}

TEST_F(InstallEngineTest, ColorDepthNoteBelowSixteenBits) {
    for (const int depth : {8, 0, 16, 24, 32}) {
        world.display.depth = depth;
        auto& e = Open(Config());
        world.messages.shown.clear();
        ASSERT_TRUE(e.Install(Target()));
        if (depth == 8 || depth == 0) {
            ASSERT_EQ(world.messages.shown.size(), 1u) << depth;
            EXPECT_EQ(world.messages.shown[0].text,
                      "Your display adapter settings must be set to at least 65,536 colors (16 bit) for "
                      "your images to be viewed properly in Viewer.\n\nSee the Viewer \"Readme.txt\" "
                      "file for details.");
            EXPECT_EQ(world.messages.shown[0].caption, "Special Note");
        } else {
            EXPECT_TRUE(world.messages.shown.empty()) << depth;
        }
    }
}

TEST_F(InstallEngineTest, RegistryKeysAreRemovedDuringInstall) {
    world.AddKey("HKEY_CLASSES_ROOT/.vwr/shell");
    auto& e = Open(Config("bin;", "a.exe;b.txt;", "bin/a.exe;b.txt;", "", "*;*;", "1;",
                          "HKEY_CLASSES_ROOT\\.vwr;\r\nHKEY_LOCAL_MACHINE\\x;\r\n"));
    ASSERT_TRUE(e.Install(Target()));
    EXPECT_FALSE(world.HasKey("HKEY_CLASSES_ROOT/.vwr"));
    EXPECT_EQ(world.messages.Texts(), std::vector<std::string>{texts::kOtherRootInstall});
    EXPECT_NE(LogOf(Target()).find("Checking existance of the \"HKEY_LOCAL_MACHINE\\x\" registry "
                                   "key...Does not exist.\r\n"),
              std::string::npos);
}

TEST_F(InstallEngineTest, ChosenRootReplacesTheDriveRootOfTheBox) {
    const std::string second = world.Root() + "/second/";
    world.drives.mounts.push_back({second, DriveType::Fixed});
    world.drives.spaces[second] = {4096, 1024, 4096};
    auto& e = Open(Config());
    e.ChooseRoot(second, "/opt/Viewer");
    EXPECT_EQ(e.DirectoryText(), second + "opt/Viewer");
    EXPECT_EQ(e.InstallationDirectory(), second + "opt/Viewer");
    EXPECT_EQ(e.AvailableKB(), 4096);
    e.ChooseRoot("/", second + "Viewer");
    EXPECT_EQ(e.DirectoryText(), "/Viewer");
}

TEST_F(InstallEngineTest, EditedConfigurationIsReadAgain) {
    auto& e = Open(Config());
    ASSERT_TRUE(e.Valid());
    world.WriteConfig("[APPNAME]\r\nbroken");
    EXPECT_FALSE(e.ReadConfigAgain());
    EXPECT_FALSE(e.Install(Target()));
    EXPECT_EQ(world.messages.Texts(),
              (std::vector<std::string>{texts::kBadConfigFile, texts::kSetupFilesCorrupted}));
    world.WriteConfig(Config("bin;", "a.exe;b.txt;", "bin/a.exe;b.txt;", "", "*;*;", "10240;"));
    EXPECT_TRUE(e.ReadConfigAgain());
    EXPECT_EQ(e.RequiredLabel(), "10 MB");
    EXPECT_EQ(e.DirectoryText(), world.DriveRoot() + "Viewer");  // the proposal stays
}

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
