#pragma once

#include "platform/posix/backend_guard.h"
#include "platform/drives.h"

#include <functional>
#include <string>
#include <vector>

namespace platform::posix {

// What sysfs says about the block device behind a mount ("major:minor").
struct BlockDeviceInfo {
    bool exists = false;     // a block device at all
    bool removable = false;  // its removable flag is 1, or it sits on USB
};
using BlockDeviceLookup = std::function<BlockDeviceInfo(const std::string& majorMinor)>;

// Drive kind of one file system type; `device` is consulted only for block devices.
DriveType ClassifyFileSystem(const std::string& type, const BlockDeviceInfo& device);

// Parses /proc/self/mountinfo text into drives. A mount point mounted over again
// keeps only its last (visible) entry.
std::vector<Mount> ParseMountInfo(const std::string& text, const BlockDeviceLookup& lookup);

}  // namespace platform::posix
