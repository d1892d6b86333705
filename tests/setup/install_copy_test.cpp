#include "install_engine_fixture.h"

#include "setup/setup_texts.h"

#include <sys/stat.h>

namespace setup {
namespace {

using platform::DriveType;
using test::Config;
using test::InstallEngineTest;

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

}  // namespace
}  // namespace setup
