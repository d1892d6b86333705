// The registry procedure on Wine's real registry: a 50-level tree removed whole, and the
// refused paths, which leave existing keys of the other roots and subkeys alone.

#include "platform/fake/recording_message_sink.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/windows_api.h"
#include "setup/registry_cleanup.h"
#include "setup/setup_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace setup {
namespace {

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

// One level at a time: the system refuses a single path much longer than 255 characters.
void CreateKey(HKEY root, const std::string& path) {
    HKEY parent = root;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        HKEY key = nullptr;
        const std::string member = path.substr(start, end - start);
        ASSERT_EQ(::RegCreateKeyExA(parent, member.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS)
            << path;
        if (parent != root) ::RegCloseKey(parent);
        parent = key;
        start = end + 1;
    }
    if (parent != root) ::RegCloseKey(parent);
}

class Win32RegistryProcedure : public ::testing::Test {
protected:
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Varnelle Test"); }
    RegistryCleaner Cleaner(SetupAction action) { return RegistryCleaner(registry, messages, action, log); }

    platform::win32::Win32Registry registry;
    platform::fake::RecordingMessageSink messages;
    InstallLog log;
};

TEST_F(Win32RegistryProcedure, AFiftyLevelTreeIsFoundAndRemovedWhole) {
    std::string deepest = "Software\\Varnelle Test";
    for (int level = 1; level <= 50; ++level) {
        deepest += "\\level " + std::to_string(level);
        // A sibling at every tenth level, so that the walk takes several first subkeys.
        if (level % 10 == 0) CreateKey(HKEY_CURRENT_USER, deepest + " sibling\\child");
    }
    CreateKey(HKEY_CURRENT_USER, deepest);
    CreateKey(HKEY_CURRENT_USER, "Software\\Varnelle Neighbour");

    EXPECT_TRUE(Cleaner(SetupAction::Install).CheckRegistryKey("HKEY_CURRENT_USER\\" + deepest));
    Cleaner(SetupAction::Install).Run({"HKEY_CURRENT_USER\\Software\\Varnelle Test"});
    EXPECT_EQ(log.Text(),
              "Checking existance of the \"HKEY_CURRENT_USER\\Software\\Varnelle Test\" registry key...Success.\r\n"
              "Deleting the \"HKEY_CURRENT_USER\\Software\\Varnelle Test\" registry key...Success.\r\n");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Varnelle Test"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Varnelle Neighbour"));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Varnelle Neighbour");
}

TEST_F(Win32RegistryProcedure, TwoMembersUnderTheClassesRootAreAccepted) {
    CreateKey(HKEY_CLASSES_ROOT, ".varnelletest\\shell\\open");
    Cleaner(SetupAction::Uninstall).Run({"HKEY_CLASSES_ROOT\\.varnelletest", "HKEY_CLASSES_ROOT\\.varnelletest"});
    EXPECT_EQ(log.Text(),
              "Checking existance of the \"HKEY_CLASSES_ROOT\\.varnelletest\" registry key...Success.\r\n"
              "Deleting the \"HKEY_CLASSES_ROOT\\.varnelletest\" registry key...Success.\r\n"
              "Checking existance of the \"HKEY_CLASSES_ROOT\\.varnelletest\" registry key...Does not exist.\r\n");
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".varnelletest"));
}

TEST_F(Win32RegistryProcedure, RefusedPathsLeaveTheRealKeysAlone) {
    struct Case {
        std::string path;
        const char* text;
    };
    const Case cases[] = {
        {"", texts::kSyntaxError},
        {"HKEY_CURRENT_USER/Software/Wine", texts::kSyntaxError},
        {"HKEY_CURRENT_USER\\\\Software\\Wine", texts::kSyntaxError},
        {"\\HKEY_CURRENT_USER\\Software\\Wine", texts::kSyntaxError},
        {"HKEY_CURRENT_USER\\Software\\Wine\\", texts::kSyntaxError},
        {"HKEY_CURRENT_USER", texts::kOneMember},
        {"HKEY_LOCAL_MACHINE\\Software\\Wine", texts::kOtherRootInstall},
        {"hkey_current_user\\Software\\Wine", texts::kOtherRootInstall},
        {"HKEY_CURRENT_USER\\Software", texts::kSoftwareKeyItself},
        {"HKEY_CURRENT_USER\\Control Panel\\Desktop", texts::kOtherSubkey},
        {"HKEY_CURRENT_USER\\software\\Wine", texts::kOtherSubkey},
    };
    std::string tooDeep = "HKEY_CURRENT_USER\\Software";
    for (int i = 0; i < 99; ++i) tooDeep += "\\k";
    for (const auto& c : cases) {
        messages.shown.clear();
        EXPECT_FALSE(Cleaner(SetupAction::Install).CheckRegistryKey(c.path)) << c.path;
        ASSERT_EQ(messages.shown.size(), 1u) << c.path;
        EXPECT_EQ(messages.shown[0].text, c.text) << c.path;
    }
    messages.shown.clear();
    EXPECT_FALSE(Cleaner(SetupAction::Install).CheckRegistryKey(tooDeep));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, texts::kMemberCount);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Wine"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Wine"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Control Panel\\Desktop"));
}

TEST_F(Win32RegistryProcedure, AMissingKeyIsLoggedWithoutAMessage) {
    Cleaner(SetupAction::Install).Run({"HKEY_CURRENT_USER\\Software\\Varnelle Test\\Missing"});
    EXPECT_EQ(log.Text(), "Checking existance of the \"HKEY_CURRENT_USER\\Software\\Varnelle Test\\Missing\" "
                          "registry key...Does not exist.\r\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Win32RegistryProcedure, EnumerationStopsPastTheLastSubkeyAndDeleteRefusesAKeyWithSubkeys) {
    CreateKey(HKEY_CURRENT_USER, "Software\\Varnelle Test\\b");
    CreateKey(HKEY_CURRENT_USER, "Software\\Varnelle Test\\a\\inner");
    platform::RegistryKey key = 0;
    ASSERT_EQ(registry.OpenKey(registry.Root(platform::RegistryRoot::CurrentUser), "Software\\Varnelle Test",
                               platform::KeyAccess::DeleteEnumerate, &key),
              platform::kRegSuccess);
    std::string name;
    EXPECT_EQ(registry.EnumKey(key, 0, kKeyNameBuffer, &name), platform::kRegSuccess);
    EXPECT_EQ(name, "a");
    EXPECT_EQ(registry.EnumKey(key, 2, kKeyNameBuffer, &name), platform::kRegNoMoreItems);
    EXPECT_NE(registry.DeleteKey(key, "a"), platform::kRegSuccess);
    EXPECT_EQ(registry.DeleteKey(key, "b"), platform::kRegSuccess);
    EXPECT_EQ(registry.CloseKey(key), platform::kRegSuccess);
    platform::RegistryKey missing = 0;
    EXPECT_EQ(registry.OpenKey(registry.Root(platform::RegistryRoot::CurrentUser), "Software\\Varnelle Nothing",
                               platform::KeyAccess::Read, &missing),
              platform::kRegFileNotFound);
}

}  // namespace
}  // namespace setup
