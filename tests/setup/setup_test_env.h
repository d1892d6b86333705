#pragma once

// Real temporary folders for the installer tests: a setup folder the engines take as
// their current directory, a system drive root, a key store, and snapshots that show
// what changed anywhere below the temporary root.

#include "platform/fake/failing_file_operations.h"
#include "platform/fake/failing_shell_links.h"
#include "platform/fake/fake_display.h"
#include "platform/fake/fake_drives.h"
#include "platform/fake/fake_system_info.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/posix/posix_file_operations.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_registry.h"
#include "platform/posix/posix_shell_links.h"
#include "setup/setup_services.h"
#include "tests/setup/setup_files.h"
#include "tests/support/temp_dir.h"

#include <string>
#include <vector>

namespace setup::test {

using TempDir = testsupport::TempDir;

// The real file system, with a current directory of the test's choosing.
class FolderFileSystem final : public platform::FileSystem {
public:
    explicit FolderFileSystem(std::string cwd) : cwd_(std::move(cwd)) {}
    bool Find(const std::string& path, platform::DirEntry* entry) const override {
        return real_.Find(path, entry);
    }
    platform::FileCause List(const std::string& folder,
                             std::vector<platform::DirEntry>* entries) const override {
        return real_.List(folder, entries);
    }
    std::string CurrentDirectory() const override { return cwd_; }
    std::unique_ptr<platform::File> Open(const std::string& path, platform::OpenMode mode,
                                         bool exclusive, platform::FileCause* cause) override {
        return real_.Open(path, mode, exclusive, cause);
    }
    void SetCurrentDirectory(std::string cwd) { cwd_ = std::move(cwd); }

private:
    platform::posix::PosixFileSystem real_;
    std::string cwd_;
};

// A small file system mounted for the test, unmounted at the end. Mounting needs root;
// `mounted()` is false where the machine does not allow it.
class ScratchMount {
public:
    ScratchMount(const std::string& path, std::size_t kilobytes, bool readOnly);
    ~ScratchMount();
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;
    bool mounted() const { return mounted_; }

private:
    std::string path_;
    bool mounted_ = false;
};

// One installer world in a temporary folder:
//   <root>/setup/     the folder Setup runs from (holds config.cfg and the payload)
//   <root>/drive/     the system drive root, where the proposed directory goes
//   <root>/registry/  the key store
struct SetupWorld {
    // No version record here: no Start-menu shortcuts are made.
    static constexpr const char* kSystemName = "";

    SetupWorld();

    std::string Root() const { return temp.path(); }
    std::string SetupDir() const { return temp.path() + "/setup/"; }
    std::string DriveRoot() const { return temp.path() + "/drive/"; }
    std::string RegistryDir() const { return temp.path() + "/registry"; }
    void WriteConfig(const std::string& text) const { WriteFile(SetupDir() + "config.cfg", text); }
    void AddKey(const std::string& relative) const { MakeDirectories(RegistryDir() + "/" + relative); }
    bool HasKey(const std::string& relative) const { return Exists(RegistryDir() + "/" + relative); }

    TempDir temp;
    FolderFileSystem files;
    platform::posix::PosixFileOperations realOperations;
    platform::fake::FailingFileOperations operations{realOperations};
    platform::fake::FakeDrives drives;
    platform::fake::FakeSystemInfo system;
    platform::posix::PosixRegistry registry;
    platform::posix::PosixShellLinks realLinks;
    platform::fake::FailingShellLinks links{realLinks};
    platform::fake::RecordingMessageSink messages;
    platform::fake::FakeDisplay display{32};
    SetupServices services{files, operations, drives, system, registry, links, messages, display};
};

}  // namespace setup::test
