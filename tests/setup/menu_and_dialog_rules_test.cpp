// The application menu folder that shortcuts go to without a system name, and the
// dialogs' rules that need no window.

#include "platform/posix/posix_system_info.h"
#include "setup/dialog_rules.h"
#include "setup/shortcuts.h"
#include "setup_test_env.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace setup {
namespace {

using platform::DriveType;

TEST(ShortcutFolder, WithoutASystemNameTheMenuFolderIsTheBase) {
    const std::string w = "/win/", r = "/drive/", menu = "/home/ann/.local/share/applications/";
    EXPECT_EQ(ShortcutDirectory("", w, r, "Viewer", menu), menu + "Viewer");
    EXPECT_EQ(ShortcutDirectory("", w, r, "", menu), "");
    EXPECT_EQ(ShortcutDirectory("", w, r, "Viewer", ""), "");
    // The named systems keep their own folders, or none.
    EXPECT_EQ(ShortcutDirectory("Win98", w, r, "Viewer", menu), w + "Start Menu/Programs/Viewer");
    for (const char* other : {"WinOS", "Win32"}) EXPECT_EQ(ShortcutDirectory(other, w, r, "M", menu), "");
}

// Runs `check` in a child process (its environment changes stay there), as an ordinary
// user (nobody) when the test runs as root; true when it passed.
bool AsOrdinaryUser(const std::function<bool()>& check) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const bool dropped = ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(ProgramsMenuFolder, FreedesktopApplicationsFolderMadeWhenMissing) {
    test::TempDir temp;
    ::chmod(temp.path().c_str(), 0777);
    const std::string home = temp.path() + "/home";
    const std::string data = temp.path() + "/data";
    test::MakeDirectories(home);
    test::MakeDirectories(data);
    ::chmod(home.c_str(), 0777);
    ::chmod(data.c_str(), 0777);
    const auto isPrivateFolder = [](const std::string& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & 0777) == 0700;
    };
    EXPECT_TRUE(AsOrdinaryUser([&] {
        ::setenv("HOME", home.c_str(), 1);
        ::unsetenv("XDG_DATA_HOME");
        const platform::posix::PosixSystemInfo system;
        const std::string byDefault = system.ProgramsMenuDirectory();
        if (byDefault != home + "/.local/share/applications/" || !isPrivateFolder(byDefault)) return false;
        ::setenv("XDG_DATA_HOME", (data + "/").c_str(), 1);
        if (system.ProgramsMenuDirectory() != data + "/applications/") return false;
        ::setenv("XDG_DATA_HOME", "relative/data", 1);  // not a valid setting: ignored
        return system.ProgramsMenuDirectory() == byDefault;
    }));
}

TEST(DialogRules, AccessCodeIsExactAndNeedsAWritableKindOfDrive) {
    const std::string setup = "/media/x/setup/";
    const auto unlocks = [&](DriveType type, const std::string& text) {
        return UnlocksEditor({{"/", DriveType::Fixed}, {"/media/x/", type}}, setup, text);
    };
    EXPECT_TRUE(unlocks(DriveType::Fixed, "tkvq!!"));
    EXPECT_TRUE(unlocks(DriveType::Removable, "tkvq!!"));
    EXPECT_TRUE(unlocks(DriveType::Remote, "tkvq!!"));
    EXPECT_FALSE(unlocks(DriveType::CdRom, "tkvq!!"));
    EXPECT_FALSE(unlocks(DriveType::RamDisk, "tkvq!!"));
    for (const char* near : {"Tkvq!!", "tkvq!", "tkvq!! ", " tkvq!!", ""})
        EXPECT_FALSE(unlocks(DriveType::Fixed, near)) << near;
}

TEST(DialogRules, ExploreFolderAndCrLfLineEnds) {
    EXPECT_EQ(ExploreFolder("/home/ann/setup/"), "/home/ann/setup");
    EXPECT_EQ(ExploreFolder("/"), "/");
    EXPECT_EQ(ExploreFolder("C:\\"), "C:\\");
    EXPECT_EQ(ExploreFolder("C:\\Setup\\"), "C:\\Setup");
    EXPECT_EQ(WithCrLf("a\nb\r\nc\rd\n\n"), "a\r\nb\r\nc\r\nd\r\n\r\n");
    EXPECT_EQ(WithCrLf("\r\r\n"), "\r\n\r\n");
    EXPECT_EQ(WithCrLf("no end"), "no end");
}

}  // namespace
}  // namespace setup
