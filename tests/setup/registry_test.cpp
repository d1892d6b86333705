#include "setup/registry_cleanup.h"

#include "setup/setup_texts.h"
#include "setup_test_env.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace setup {
namespace {

class RegistryCleanup : public ::testing::Test {
protected:
    RegistryCleaner Cleaner(SetupAction action) {
        return RegistryCleaner(world.registry, world.messages, action, log);
    }
    test::Snapshot Everything() const { return test::TakeSnapshot(world.Root()); }

    test::SetupWorld world;
    InstallLog log;
};

TEST_F(RegistryCleanup, RefusedPathsShowTheirMessageAndTouchNothing) {
    struct Case {
        const char* path;
        const char* installText;
        const char* uninstallText;
    };
    const Case cases[] = {
        {"", texts::kSyntaxError, texts::kSyntaxError},
        {"HKEY_CLASSES_ROOT/x", texts::kSyntaxError, texts::kSyntaxError},
        {"HKEY_CLASSES_ROOT\\\\x", texts::kSyntaxError, texts::kSyntaxError},
        {"\\HKEY_CLASSES_ROOT\\x", texts::kSyntaxError, texts::kSyntaxError},
        {"HKEY_CLASSES_ROOT\\x\\", texts::kSyntaxError, texts::kSyntaxError},
        {"HKEY_CLASSES_ROOT", texts::kOneMember, texts::kOneMember},
        {"HKEY_LOCAL_MACHINE\\Software\\x", texts::kOtherRootInstall, texts::kOtherRootUninstall},
        {"hkey_classes_root\\x", texts::kOtherRootInstall, texts::kOtherRootUninstall},
        {"HKEY_CURRENT_USER\\Software", texts::kSoftwareKeyItself, texts::kSoftwareKeyItself},
        {"HKEY_CURRENT_USER\\Control Panel\\x", texts::kOtherSubkey, texts::kOtherSubkey},
        {"HKEY_CURRENT_USER\\software\\x", texts::kOtherSubkey, texts::kOtherSubkey},
    };
    world.AddKey("HKEY_CLASSES_ROOT/x");
    world.AddKey("HKEY_CURRENT_USER/Software/x");
    const auto before = Everything();
    for (const auto action : {SetupAction::Install, SetupAction::Uninstall}) {
        for (const auto& c : cases) {
            world.messages.shown.clear();
            EXPECT_FALSE(Cleaner(action).CheckRegistryKey(c.path)) << c.path;
            ASSERT_EQ(world.messages.shown.size(), 1u) << c.path;
            const auto& m = world.messages.shown[0];
            EXPECT_EQ(m.text, action == SetupAction::Install ? c.installText : c.uninstallText) << c.path;
            EXPECT_EQ(m.caption, "Setup");
            EXPECT_EQ(m.icon, platform::MessageIcon::Warning);
        }
    }
    EXPECT_EQ(Everything(), before);
}

TEST_F(RegistryCleanup, MemberCountIsLimited) {
    std::string path = "HKEY_CLASSES_ROOT";
    for (int i = 0; i < 99; ++i) path += "\\k";
    EXPECT_FALSE(Cleaner(SetupAction::Install).CheckRegistryKey(path));  // 100 members, absent
    EXPECT_TRUE(world.messages.shown.empty());
    path += "\\k";
    EXPECT_FALSE(Cleaner(SetupAction::Install).CheckRegistryKey(path));
    EXPECT_EQ(world.messages.Texts(), std::vector<std::string>{texts::kMemberCount});
}

TEST_F(RegistryCleanup, ExistenceWalksEveryMember) {
    world.AddKey("HKEY_CLASSES_ROOT/.vwr/shell");
    world.AddKey("HKEY_CURRENT_USER/Software/Maker/Viewer");
    auto cleaner = Cleaner(SetupAction::Uninstall);
    EXPECT_TRUE(cleaner.CheckRegistryKey("HKEY_CLASSES_ROOT\\.vwr"));
    EXPECT_TRUE(cleaner.CheckRegistryKey("HKEY_CLASSES_ROOT\\.vwr\\shell"));
    EXPECT_TRUE(cleaner.CheckRegistryKey("HKEY_CURRENT_USER\\Software\\Maker\\Viewer"));
    EXPECT_FALSE(cleaner.CheckRegistryKey("HKEY_CLASSES_ROOT\\.vwr\\open"));
    EXPECT_FALSE(cleaner.CheckRegistryKey("HKEY_CLASSES_ROOT\\.VWR"));
    EXPECT_TRUE(world.messages.shown.empty());
}

TEST_F(RegistryCleanup, DotMembersNeverLeaveTheStore) {
    world.AddKey("HKEY_CURRENT_USER/Software/a");
    test::MakeDirectories(world.Root() + "/outside/victim");
    const auto before = Everything();
    Cleaner(SetupAction::Uninstall)
        .Run({"HKEY_CURRENT_USER\\Software\\..\\..\\..\\outside", "HKEY_CURRENT_USER\\Software\\.",
              "HKEY_CLASSES_ROOT\\..\\HKEY_CURRENT_USER"});
    EXPECT_EQ(Everything(), before);
    EXPECT_EQ(log.Text(),
              "Checking existance of the \"HKEY_CURRENT_USER\\Software\\..\\..\\..\\outside\" registry "
              "key...Does not exist.\r\n"
              "Checking existance of the \"HKEY_CURRENT_USER\\Software\\.\" registry key...Does not "
              "exist.\r\n"
              "Checking existance of the \"HKEY_CLASSES_ROOT\\..\\HKEY_CURRENT_USER\" registry "
              "key...Does not exist.\r\n");
}

TEST_F(RegistryCleanup, DeepTreeGoesChildrenFirst) {
    std::string deep = "HKEY_CURRENT_USER/Software/Maker/Viewer";
    for (int i = 0; i < 50; ++i) deep += "/level" + std::to_string(i);
    world.AddKey(deep);
    world.AddKey("HKEY_CURRENT_USER/Software/Maker/Viewer/side/branch");
    world.AddKey("HKEY_CURRENT_USER/Software/Maker/Other");
    test::WriteFile(world.RegistryDir() + "/HKEY_CURRENT_USER/Software/Maker/Viewer/side/value", "1");
    Cleaner(SetupAction::Install).Run({"HKEY_CURRENT_USER\\Software\\Maker\\Viewer"});
    EXPECT_FALSE(world.HasKey("HKEY_CURRENT_USER/Software/Maker/Viewer"));
    EXPECT_TRUE(world.HasKey("HKEY_CURRENT_USER/Software/Maker/Other"));
    EXPECT_TRUE(world.messages.shown.empty());
    EXPECT_EQ(log.Text(),
              "Checking existance of the \"HKEY_CURRENT_USER\\Software\\Maker\\Viewer\" registry "
              "key...Success.\r\nDeleting the \"HKEY_CURRENT_USER\\Software\\Maker\\Viewer\" registry "
              "key...Success.\r\n");
}

TEST_F(RegistryCleanup, TwoMemberClassesRootKeyIsAccepted) {
    world.AddKey("HKEY_CLASSES_ROOT/.vwr/shell/open");
    Cleaner(SetupAction::Uninstall).Run({"HKEY_CLASSES_ROOT\\.vwr", "HKEY_CLASSES_ROOT\\.none"});
    EXPECT_FALSE(world.HasKey("HKEY_CLASSES_ROOT/.vwr"));
    EXPECT_TRUE(world.HasKey("HKEY_CLASSES_ROOT"));
    EXPECT_EQ(log.Text(),
              "Checking existance of the \"HKEY_CLASSES_ROOT\\.vwr\" registry key...Success.\r\n"
              "Deleting the \"HKEY_CLASSES_ROOT\\.vwr\" registry key...Success.\r\n"
              "Checking existance of the \"HKEY_CLASSES_ROOT\\.none\" registry key...Does not "
              "exist.\r\n");
}

// A subkey whose name does not fit the enumeration buffer stops the deletion.
TEST_F(RegistryCleanup, FailedDeletionIsReportedByVariant) {
    const std::string longName(255, 'n');
    for (const auto action : {SetupAction::Install, SetupAction::Uninstall}) {
        world.AddKey("HKEY_CLASSES_ROOT/.vwr/" + longName);
        world.messages.shown.clear();
        Cleaner(action).Run({"HKEY_CLASSES_ROOT\\.x", "HKEY_CLASSES_ROOT\\.vwr"});
        std::vector<std::string> expected = {"Bad Key #2. Cannot delete"};
        if (action == SetupAction::Install) expected.insert(expected.begin(), "Error deleting Key: .vwr.");
        EXPECT_EQ(world.messages.Texts(), expected);
        EXPECT_TRUE(world.HasKey("HKEY_CLASSES_ROOT/.vwr/" + longName));
    }
    EXPECT_NE(log.Text().find("Deleting the \"HKEY_CLASSES_ROOT\\.vwr\" registry key...Failed.\r\n"),
              std::string::npos);
}

TEST_F(RegistryCleanup, DeleteKeyTreeCodes) {
    auto cleaner = Cleaner(SetupAction::Install);
    const auto root = world.registry.Root(platform::RegistryRoot::ClassesRoot);
    EXPECT_EQ(cleaner.DeleteKeyTree(root, ""), platform::kRegBadKey);
    EXPECT_EQ(cleaner.DeleteKeyTree(root, "absent"), platform::kRegFileNotFound);
    world.AddKey("HKEY_CLASSES_ROOT/k/a/b");
    world.AddKey("HKEY_CLASSES_ROOT/k/c");
    EXPECT_EQ(cleaner.DeleteKeyTree(root, "k"), platform::kRegSuccess);
    EXPECT_FALSE(world.HasKey("HKEY_CLASSES_ROOT/k"));
}

// A link inside the store is neither followed nor taken for a key.
TEST_F(RegistryCleanup, LinksInTheStoreAreNotKeys) {
    test::MakeDirectories(world.Root() + "/outside/sub");
    world.AddKey("HKEY_CLASSES_ROOT/.vwr");
    std::filesystem::create_directory_symlink(world.Root() + "/outside",
                                              world.RegistryDir() + "/HKEY_CLASSES_ROOT/.vwr/link");
    std::filesystem::create_directory_symlink(world.Root() + "/outside",
                                              world.RegistryDir() + "/HKEY_CLASSES_ROOT/.lnk");
    Cleaner(SetupAction::Install).Run({"HKEY_CLASSES_ROOT\\.vwr", "HKEY_CLASSES_ROOT\\.lnk"});
    EXPECT_FALSE(world.HasKey("HKEY_CLASSES_ROOT/.vwr"));
    EXPECT_TRUE(test::Exists(world.Root() + "/outside/sub"));
    EXPECT_NE(log.Text().find(".lnk\" registry key...Does not exist."), std::string::npos);
}

}  // namespace
}  // namespace setup
