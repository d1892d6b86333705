#pragma once

#include "platform/fake/backend_guard.h"
#include "platform/drives.h"

#include <map>

namespace platform::fake {

// Drives as the test lists them; free space per path, else `defaultSpace`; volume serial
// numbers per root.
class FakeDrives final : public Drives {
public:
    std::vector<Mount> Mounts() const override { return mounts; }
    bool QueryFreeSpace(const std::string& path, DiskSpace* space) const override {
        if (failFreeSpace) return false;
        const auto it = spaces.find(path);
        *space = it == spaces.end() ? defaultSpace : it->second;
        return true;
    }
    // A root missing from `serials` has no medium to read.
    bool QueryVolumeSerial(const std::string& root, std::uint32_t* serial) const override {
        const auto it = serials.find(root);
        if (it == serials.end()) return false;
        *serial = it->second;
        return true;
    }

    std::vector<Mount> mounts;
    std::map<std::string, std::uint32_t> serials;
    std::map<std::string, DiskSpace> spaces;
    DiskSpace defaultSpace{1u << 20, 4096, 4096};  // 4 GiB free
    bool failFreeSpace = false;
};

}  // namespace platform::fake
