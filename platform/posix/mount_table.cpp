#include "platform/posix/mount_table.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace platform::posix {
namespace {

const std::set<std::string>& PseudoTypes() {
    static const std::set<std::string> types = {
        "proc", "sysfs", "cgroup", "cgroup2", "devpts", "devtmpfs", "mqueue", "debugfs",
        "tracefs", "securityfs", "pstore", "bpf", "configfs", "fusectl", "hugetlbfs",
        "autofs", "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs", "selinuxfs", "nfsd",
        "fuse.gvfsd-fuse", "fuse.portal"};
    return types;
}

const std::set<std::string>& RemoteTypes() {
    static const std::set<std::string> types = {
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "fuse.sshfs", "afs", "ceph",
        "glusterfs", "fuse.glusterfs", "davfs", "fuse.davfs2", "fuse.rclone", "lustre",
        "ncpfs", "coda"};
    return types;
}

// mountinfo writes blanks, tabs, newlines and backslashes in paths as \ooo.
std::string Unescape(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
            if (isOctal(field[i + 1]) && isOctal(field[i + 2]) && isOctal(field[i + 3])) {
                out += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                                         (field[i + 3] - '0'));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

}  // namespace

DriveType ClassifyFileSystem(const std::string& type, const BlockDeviceInfo& device) {
    if (PseudoTypes().count(type)) return DriveType::NotADrive;
    if (type == "iso9660" || type == "udf") return DriveType::CdRom;
    if (RemoteTypes().count(type)) return DriveType::Remote;
    if (type == "tmpfs" || type == "ramfs") return DriveType::RamDisk;
    if (device.exists && device.removable) return DriveType::Removable;
    return DriveType::Fixed;
}

std::vector<Mount> ParseMountInfo(const std::string& text, const BlockDeviceLookup& lookup) {
    std::vector<Mount> mounts;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        // id parent major:minor root mount-point options [optional...] - type source ...
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        if (!(fields >> id >> parent >> device >> root >> point)) continue;
        std::string field, type;
        while (fields >> field && field != "-") {
        }
        if (field != "-" || !(fields >> type)) continue;
        Mount mount;
        mount.root = Unescape(point);
        if (mount.root.empty() || mount.root.front() != '/') continue;
        if (mount.root.back() != '/') mount.root += '/';
        const bool pseudo = PseudoTypes().count(type) != 0;
        mount.type = ClassifyFileSystem(type, pseudo ? BlockDeviceInfo{} : lookup(device));
        // Mounted over again: the later entry is the one in sight.
        mounts.erase(std::remove_if(mounts.begin(), mounts.end(),
                                    [&](const Mount& m) { return m.root == mount.root; }),
                     mounts.end());
        mounts.push_back(std::move(mount));
    }
    return mounts;
}

}  // namespace platform::posix
