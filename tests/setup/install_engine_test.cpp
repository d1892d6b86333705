#include "install_engine_fixture.h"

#include "setup/setup_texts.h"

#include <cstdint>
#include <utility>

namespace setup {
namespace {

using platform::DriveType;
using platform::MessageAnswer;
using test::Config;
using test::InstallEngineTest;

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

}  // namespace
}  // namespace setup
