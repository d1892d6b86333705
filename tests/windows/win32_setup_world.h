#pragma once

// The installer world of tests/setup/setup_test_env.h over the win32 backend: real files in
// a temporary folder, the real registry (the sandbox's), real shell links. The system
// reports itself as Windows XP, so shortcuts go below the drive root's all-users Start menu.

#include "platform/fake/fake_display.h"
#include "platform/fake/fake_drives.h"
#include "platform/fake/fake_system_info.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/win32/win32_file_operations.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell_links.h"
#include "platform/win32/windows_api.h"
#include "setup/setup_services.h"
#include "tests/setup/setup_files.h"
#include "tests/support/temp_dir.h"

#include <string>

namespace setup::test {

// The real file system, with a current directory of the test's choosing.
class FolderFileSystem final : public platform::FileSystem {
public:
    explicit FolderFileSystem(std::string cwd) : cwd_(std::move(cwd)) {}
    bool Find(const std::string& path, platform::DirEntry* entry) const override { return real_.Find(path, entry); }
    platform::FileCause List(const std::string& folder, std::vector<platform::DirEntry>* entries) const override {
        return real_.List(folder, entries);
    }
    std::string CurrentDirectory() const override { return cwd_; }
    std::unique_ptr<platform::File> Open(const std::string& path, platform::OpenMode mode, bool exclusive,
                                         platform::FileCause* cause) override {
        return real_.Open(path, mode, exclusive, cause);
    }
    void SetCurrentDirectory(std::string cwd) { cwd_ = std::move(cwd); }

private:
    platform::win32::Win32FileSystem real_;
    std::string cwd_;
};

// The registry keys the sample configuration names, removed before and after each world.
inline void RemoveSampleKeys() {
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ".svw");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Sample Maker");
}

struct SetupWorld {
    static constexpr const char* kSystemName = "WinXP";

    SetupWorld() : files(SetupDir()) {
        RemoveSampleKeys();
        MakeDirectories(SetupDir());
        MakeDirectories(StartMenuPrograms());
        drives.mounts = {{temp.path().substr(0, 3), platform::DriveType::Fixed}};
        system.systemDriveRoot = DriveRoot();
        system.windowsDirectory = DriveRoot() + "WINDOWS\\";
    }
    ~SetupWorld() { RemoveSampleKeys(); }
    SetupWorld(const SetupWorld&) = delete;
    SetupWorld& operator=(const SetupWorld&) = delete;

    std::string Root() const { return temp.path(); }
    std::string SetupDir() const { return temp.path() + "\\setup\\"; }
    std::string DriveRoot() const { return temp.path() + "\\drive\\"; }
    std::string StartMenuPrograms() const {
        return DriveRoot() + "Documents and Settings\\All Users\\Start Menu\\Programs\\";
    }
    // Nothing of the registry lives in the folder.
    std::string RegistryDir() const { return temp.path() + "\\registry"; }
    // A key path written with '/', below one of the two roots.
    void AddKey(const std::string& relative) const {
        HKEY key = nullptr;
        const auto [root, path] = Split(relative);
        if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS)
            ::RegCloseKey(key);
    }
    bool HasKey(const std::string& relative) const {
        HKEY key = nullptr;
        const auto [root, path] = Split(relative);
        if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        ::RegCloseKey(key);
        return true;
    }

    testsupport::TempDir temp;
    FolderFileSystem files;
    platform::win32::Win32FileOperations operations;
    platform::fake::FakeDrives drives;
    platform::fake::FakeSystemInfo system;
    platform::win32::Win32Registry registry;
    platform::win32::Win32ShellLinks links;
    platform::fake::RecordingMessageSink messages;
    platform::fake::FakeDisplay display{32};
    SetupServices services{files, operations, drives, system, registry, links, messages, display};

private:
    static std::pair<HKEY, std::string> Split(std::string relative) {
        for (char& c : relative)
            if (c == '/') c = '\\';
        const std::size_t slash = relative.find('\\');
        const HKEY root = relative.compare(0, slash, "HKEY_CLASSES_ROOT") == 0 ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
        return {root, relative.substr(slash + 1)};
    }
};

}  // namespace setup::test
