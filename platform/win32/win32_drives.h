#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/drives.h"

namespace platform::win32 {

// Drive letters from GetLogicalDrives with GetDriveType; free space from GetDiskFreeSpaceExA
// (looked up in kernel32.dll, absent from the oldest systems) and GetDiskFreeSpace.
class Win32Drives final : public Drives {
public:
    // "A:\" to "Z:\" for each letter the system reports, in letter order.
    std::vector<Mount> Mounts() const override;
    // The cluster figures of GetDiskFreeSpace in freeBlocks × blockSize; freeBlocks ×
    // fragmentSize is GetDiskFreeSpaceExA's total free bytes where that function exists.
    bool QueryFreeSpace(const std::string& path, DiskSpace* space) const override;
    bool QueryVolumeSerial(const std::string& root, std::uint32_t* serial) const override;
};

}  // namespace platform::win32
