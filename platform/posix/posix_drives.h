#pragma once

#include "platform/posix/backend_guard.h"
#include "platform/drives.h"

namespace platform::posix {

// Drives from /proc/self/mountinfo and sysfs, free space from statvfs.
class PosixDrives final : public Drives {
public:
    std::vector<Mount> Mounts() const override;
    bool QueryFreeSpace(const std::string& path, DiskSpace* space) const override;
    // statvfs f_fsid, its two halves folded into 32 bits.
    bool QueryVolumeSerial(const std::string& root, std::uint32_t* serial) const override;
};

}  // namespace platform::posix
