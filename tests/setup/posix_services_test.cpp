// The POSIX backends the installer uses, on temporary folders.

#include "platform/posix/posix_drives.h"
#include "platform/posix/posix_file_operations.h"
#include "platform/posix/posix_registry.h"
#include "platform/posix/posix_shell_links.h"
#include "setup_test_env.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <vector>
#include <cstdlib>

namespace setup {
namespace {

class PosixOperations : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return temp.path() + "/" + name; }
    test::TempDir temp;
    platform::posix::PosixFileOperations ops;
};

TEST_F(PosixOperations, DirectoriesOneLevelAndOnlyEmpty) {
    EXPECT_TRUE(ops.CreateDirectory(Path("a")));
    EXPECT_FALSE(ops.CreateDirectory(Path("a")));
    EXPECT_FALSE(ops.CreateDirectory(Path("x/y")));
    EXPECT_TRUE(ops.CreateDirectory(Path("a/b/")));
    EXPECT_FALSE(ops.RemoveDirectory(Path("a")));
    EXPECT_TRUE(ops.RemoveDirectory(Path("a/b")));
    EXPECT_TRUE(ops.RemoveDirectory(Path("a")));
    EXPECT_FALSE(ops.Exists(Path("a")));
    EXPECT_FALSE(ops.Exists(""));
}

TEST_F(PosixOperations, CopyReplacesButNeverDestroysTheSource) {
    test::WriteFile(Path("src"), "new");
    test::WriteFile(Path("dst"), "old and longer");
    EXPECT_TRUE(ops.CopyFile(Path("src"), Path("dst")));
    EXPECT_EQ(test::ReadFile(Path("dst")), "new");
    // The same file under other names: refused, content kept.
    EXPECT_FALSE(ops.CopyFile(Path("src"), temp.path() + "//src"));
    ASSERT_EQ(::symlink(Path("src").c_str(), Path("link").c_str()), 0);
    EXPECT_FALSE(ops.CopyFile(Path("src"), Path("link")));
    ASSERT_EQ(::link(Path("src").c_str(), Path("hard").c_str()), 0);
    EXPECT_FALSE(ops.CopyFile(Path("hard"), Path("src")));
    EXPECT_EQ(test::ReadFile(Path("src")), "new");
    // Folders and missing files are not copied.
    test::MakeDirectories(Path("dir"));
    EXPECT_FALSE(ops.CopyFile(Path("dir"), Path("copy")));
    EXPECT_FALSE(ops.CopyFile(Path("missing"), Path("copy")));
    EXPECT_FALSE(ops.Exists(Path("copy")));
}

// Names in the folder other than those listed: what a copy left behind.
std::vector<std::string> Leftovers(const std::string& folder, std::vector<std::string> expected) {
    std::vector<std::string> extra;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (std::find(expected.begin(), expected.end(), name) == expected.end()) extra.push_back(name);
    }
    return extra;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST_F(PosixOperations, CopyReplacesALinkInsteadOfWritingThroughIt) {
    test::WriteFile(Path("src"), "new");
    test::MakeDirectories(Path("outside"));
    test::WriteFile(Path("outside/target"), "kept, longer than the copy");
    ASSERT_EQ(::chmod(Path("outside/target").c_str(), 0400), 0);
    ASSERT_EQ(::symlink(Path("outside/target").c_str(), Path("dst").c_str()), 0);
    ASSERT_EQ(::symlink(Path("nowhere").c_str(), Path("dangling").c_str()), 0);
    EXPECT_TRUE(ops.CopyFile(Path("src"), Path("dst")));
    EXPECT_TRUE(ops.CopyFile(Path("src"), Path("dangling")));
    EXPECT_FALSE(ops.IsLink(Path("dst")));
    EXPECT_FALSE(ops.IsLink(Path("dangling")));
    EXPECT_EQ(test::ReadFile(Path("dst")), "new");
    EXPECT_EQ(test::ReadFile(Path("dangling")), "new");
    EXPECT_EQ(test::ReadFile(Path("outside/target")), "kept, longer than the copy");
    EXPECT_EQ(ModeOf(Path("outside/target")), 0400u);
    EXPECT_FALSE(ops.Exists(Path("nowhere")));
    // Not even the mode goes through a link.
    ASSERT_EQ(::symlink(Path("outside/target").c_str(), Path("link").c_str()), 0);
    EXPECT_FALSE(ops.SetArchiveOnly(Path("link")));
    EXPECT_EQ(ModeOf(Path("outside/target")), 0400u);
    EXPECT_EQ(Leftovers(temp.path(), {"src", "dst", "dangling", "outside", "link"}),
              std::vector<std::string>{});
}

TEST_F(PosixOperations, CopyPermissionBits) {
    const mode_t saved = ::umask(022);
    test::WriteFile(Path("src"), "x");
    ASSERT_EQ(::chmod(Path("src").c_str(), 0777), 0);
    // A new file takes the source's bits, less the umask.
    EXPECT_TRUE(ops.CopyFile(Path("src"), Path("new")));
    EXPECT_EQ(ModeOf(Path("new")), 0755u);
    // A replaced file keeps its own, as it did when it was overwritten in place.
    test::WriteFile(Path("old"), "older");
    ASSERT_EQ(::chmod(Path("old").c_str(), 0640), 0);
    EXPECT_TRUE(ops.CopyFile(Path("src"), Path("old")));
    EXPECT_EQ(ModeOf(Path("old")), 0640u);
    EXPECT_EQ(test::ReadFile(Path("old")), "x");
    ::umask(saved);
}

TEST_F(PosixOperations, CopyRefusedOrCutShortLeavesTheDestinationAsItWas) {
    test::WriteFile(Path("src"), "payload");
    test::MakeDirectories(Path("dir"));
    EXPECT_FALSE(ops.CopyFile(Path("src"), Path("dir")));
    EXPECT_FALSE(ops.CopyFile(Path("src"), Path("dir/")));
    EXPECT_FALSE(ops.CopyFile(Path("src"), Path("missing/dst")));
    EXPECT_EQ(Leftovers(temp.path(), {"src", "dir"}), std::vector<std::string>{});
    EXPECT_EQ(Leftovers(Path("dir"), {}), std::vector<std::string>{});

    // A disk that fills during the copy: the older file stays whole, nothing is left beside it.
    const std::string mountPoint = Path("small");
    test::ScratchMount mount(mountPoint, 64, false);
    if (!mount.mounted()) GTEST_SKIP() << "mounting a small file system needs root";
    test::WriteFile(mountPoint + "/dst", "older");
    test::WriteFile(Path("big"), std::string(100 * 1024, 'x'));
    EXPECT_FALSE(ops.CopyFile(Path("big"), mountPoint + "/dst"));
    EXPECT_EQ(test::ReadFile(mountPoint + "/dst"), "older");
    EXPECT_EQ(Leftovers(mountPoint, {"dst"}), std::vector<std::string>{});
}

TEST_F(PosixOperations, CopyToTheLongestFileName) {
    const std::string name(255, 'n');
    test::WriteFile(Path("src"), "x");
    EXPECT_TRUE(ops.CopyFile(Path("src"), Path(name)));
    EXPECT_TRUE(ops.CopyFile(Path("src"), Path(name)));
    EXPECT_EQ(Leftovers(temp.path(), {"src", name}), std::vector<std::string>{});
}

TEST_F(PosixOperations, DeleteTakesFilesNotFolders) {
    test::WriteFile(Path("f"), "x");
    test::MakeDirectories(Path("d"));
    EXPECT_TRUE(ops.DeleteFile(Path("f")));
    EXPECT_FALSE(ops.DeleteFile(Path("f")));
    EXPECT_FALSE(ops.DeleteFile(Path("d")));
    EXPECT_TRUE(ops.Exists(Path("d")));
}

TEST_F(PosixOperations, ArchiveOnlyClearsReadOnly) {
    test::WriteFile(Path("f"), "x");
    ::chmod(Path("f").c_str(), 0444);
    EXPECT_TRUE(ops.SetArchiveOnly(Path("f")));
    struct stat st {};
    ASSERT_EQ(::stat(Path("f").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    EXPECT_FALSE(ops.SetArchiveOnly(Path("missing")));
}

TEST(PosixRegistry, StoreFolderFollowsTheEnvironment) {
    const char* saved = std::getenv(platform::posix::kRegistryRootVariable);
    const std::string keep = saved ? saved : "";
    ::setenv(platform::posix::kRegistryRootVariable, "/tmp/store", 1);
    EXPECT_EQ(platform::posix::DefaultRegistryDirectory(), "/tmp/store");
    ::unsetenv(platform::posix::kRegistryRootVariable);
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string keepXdg = xdg ? xdg : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/config", 1);
    EXPECT_EQ(platform::posix::DefaultRegistryDirectory(), "/tmp/config/Varnelle/registry");
    if (xdg) ::setenv("XDG_CONFIG_HOME", keepXdg.c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
    if (saved) ::setenv(platform::posix::kRegistryRootVariable, keep.c_str(), 1);
}

TEST(PosixRegistry, EnumeratesSortedAndKeepsParentsWithChildren) {
    test::TempDir temp;
    test::MakeDirectories(temp.path() + "/HKEY_CLASSES_ROOT/k/b");
    test::MakeDirectories(temp.path() + "/HKEY_CLASSES_ROOT/k/a/c");
    test::WriteFile(temp.path() + "/HKEY_CLASSES_ROOT/k/value", "");
    platform::posix::PosixRegistry store(temp.path());
    const auto root = store.Root(platform::RegistryRoot::ClassesRoot);
    platform::RegistryKey k = 0;
    ASSERT_EQ(store.OpenKey(root, "k", platform::KeyAccess::Read, &k), platform::kRegSuccess);
    std::string name;
    EXPECT_EQ(store.EnumKey(k, 0, 255, &name), platform::kRegSuccess);
    EXPECT_EQ(name, "a");
    EXPECT_EQ(store.EnumKey(k, 1, 255, &name), platform::kRegSuccess);
    EXPECT_EQ(name, "b");
    EXPECT_EQ(store.EnumKey(k, 2, 255, &name), platform::kRegNoMoreItems);
    EXPECT_EQ(store.EnumKey(k, 0, 1, &name), platform::kRegMoreData);
    EXPECT_EQ(store.DeleteKey(root, "k"), platform::kRegAccessDenied);
    EXPECT_EQ(store.DeleteKey(k, "b"), platform::kRegSuccess);
    EXPECT_EQ(store.CloseKey(k), platform::kRegSuccess);
    EXPECT_EQ(store.CloseKey(k), platform::kRegInvalidHandle);
    EXPECT_EQ(store.CloseKey(root), platform::kRegInvalidHandle);
    EXPECT_EQ(store.OpenKey(k, "a", platform::KeyAccess::Read, &k), platform::kRegInvalidHandle);
}

TEST(PosixRegistry, CreateMakesAMissingKeyOpensAnExistingOneAndRefusesPaths) {
    test::TempDir temp;
    test::MakeDirectories(temp.path() + "/HKEY_CURRENT_USER");
    platform::posix::PosixRegistry store(temp.path());
    const auto root = store.Root(platform::RegistryRoot::CurrentUser);
    platform::RegistryKey k = 0, again = 0, inner = 0;
    ASSERT_EQ(store.CreateKey(root, "Software", &k), platform::kRegSuccess);
    ASSERT_EQ(store.CreateKey(k, "Varnelle", &inner), platform::kRegSuccess);
    EXPECT_EQ(store.CreateKey(root, "Software", &again), platform::kRegSuccess);
    std::string name;
    EXPECT_EQ(store.EnumKey(again, 0, 255, &name), platform::kRegSuccess);
    EXPECT_EQ(name, "Varnelle");
    EXPECT_EQ(store.CreateKey(root, "a/b", &again), platform::kRegFileNotFound);
    EXPECT_EQ(store.CreateKey(root, "..", &again), platform::kRegFileNotFound);
}

// The machine's own mount table parses, whatever it holds.
TEST(PosixDrives, RootIsAmongTheMounts) {
    platform::posix::PosixDrives drives;
    const auto mounts = drives.Mounts();
    EXPECT_TRUE(std::any_of(mounts.begin(), mounts.end(), [](const auto& m) { return m.root == "/"; }));
    for (const auto& m : mounts) EXPECT_EQ(m.root.back(), '/') << m.root;
    platform::DiskSpace space;
    EXPECT_TRUE(drives.QueryFreeSpace("/", &space));
    EXPECT_GT(space.fragmentSize, 0u);
    EXPECT_FALSE(drives.QueryFreeSpace("/no/such/folder", &space));
}

TEST(DesktopEntry, QuotesTheCommand) {
    EXPECT_EQ(platform::posix::DesktopEntryText("/opt/My App/run $x", "/opt/My App/", "Line\nTwo"),
              "[Desktop Entry]\nType=Application\nName=Line\\nTwo\nExec=\"/opt/My App/run \\\\$x\"\n"
              "Path=/opt/My App/\n");
}

}  // namespace
}  // namespace setup
