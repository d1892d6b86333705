#include "setup_test_env.h"

#include <sys/mount.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace setup::test {

ScratchMount::ScratchMount(const std::string& path, std::size_t kilobytes, bool readOnly)
    : path_(path) {
    MakeDirectories(path);
    const std::string options = "size=" + std::to_string(kilobytes) + "k";
    mounted_ = ::mount("tmpfs", path.c_str(), "tmpfs", readOnly ? MS_RDONLY : 0, options.c_str()) == 0;
}

ScratchMount::~ScratchMount() {
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
}

SetupWorld::SetupWorld() : files(temp.path() + "/setup"), registry(temp.path() + "/registry") {
    MakeDirectories(SetupDir());
    MakeDirectories(DriveRoot());
    MakeDirectories(RegistryDir() + "/HKEY_CLASSES_ROOT");
    MakeDirectories(RegistryDir() + "/HKEY_CURRENT_USER/Software");
    drives.mounts = {{"/", platform::DriveType::Fixed}};
    system.systemDriveRoot = DriveRoot();
    system.windowsDirectory = DriveRoot() + "Windows/";
}

}  // namespace setup::test
