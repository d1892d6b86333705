#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Drive kinds, numbered as the system's drive-type query numbers them.
enum class DriveType : int {
    Unknown = 0,
    NotADrive = 1,  // no such root, or a pseudo file system
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// One mounted file system. `root` is its mount point with a trailing separator.
struct Mount {
    std::string root;
    DriveType type = DriveType::Unknown;
};

// Raw free-space figures of the file system holding a path.
struct DiskSpace {
    std::uint64_t freeBlocks = 0;    // blocks free to root, not only to the caller
    std::uint64_t fragmentSize = 0;  // bytes per counted block
    std::uint64_t blockSize = 0;     // preferred block size ("cluster")
};

class Drives {
public:
    virtual ~Drives() = default;
    // Every mount, pseudo file systems included (as NotADrive), in the table's order.
    virtual std::vector<Mount> Mounts() const = 0;
    virtual bool QueryFreeSpace(const std::string& path, DiskSpace* space) const = 0;
    // The volume serial number of the file system mounted at `root`; false when it cannot
    // be read (nothing mounted there, no medium). A backend that cannot tell says false.
    virtual bool QueryVolumeSerial(const std::string& root, std::uint32_t* serial) const {
        (void)root;
        (void)serial;
        return false;
    }
};

}  // namespace platform
