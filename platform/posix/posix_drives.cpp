#include "platform/posix/posix_drives.h"

#include "platform/posix/mount_table.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#include <sstream>

namespace platform::posix {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ResolvedPath(const std::string& path) {
    char buffer[PATH_MAX];
    if (!::realpath(path.c_str(), buffer)) return {};
    return buffer;
}

BlockDeviceInfo LookUpBlockDevice(const std::string& majorMinor) {
    BlockDeviceInfo info;
    const std::string device = ResolvedPath("/sys/dev/block/" + majorMinor);
    if (device.empty()) return info;
    info.exists = true;
    // A partition has no flag of its own; its disk is the parent folder.
    std::string flag = ReadText(device + "/removable");
    if (flag.empty()) flag = ReadText(device + "/../removable");
    info.removable = (!flag.empty() && flag[0] == '1') || device.find("/usb") != std::string::npos;
    return info;
}

}  // namespace

std::vector<Mount> PosixDrives::Mounts() const {
    return ParseMountInfo(ReadText("/proc/self/mountinfo"), LookUpBlockDevice);
}

bool PosixDrives::QueryFreeSpace(const std::string& path, DiskSpace* space) const {
    struct statvfs vfs {};
    if (::statvfs(path.c_str(), &vfs) != 0) return false;
    space->freeBlocks = vfs.f_bfree;
    space->fragmentSize = vfs.f_frsize;
    space->blockSize = vfs.f_bsize;
    return true;
}

bool PosixDrives::QueryVolumeSerial(const std::string& root, std::uint32_t* serial) const {
    struct statvfs vfs {};
    if (::statvfs(root.c_str(), &vfs) != 0) return false;
    const auto fsid = static_cast<std::uint64_t>(vfs.f_fsid);
    *serial = static_cast<std::uint32_t>(fsid ^ (fsid >> 32));
    return true;
}

}  // namespace platform::posix
