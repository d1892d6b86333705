#pragma once

#include "platform/fake/backend_guard.h"
#include "platform/system_info.h"

namespace platform::fake {

class FakeSystemInfo final : public SystemInfo {
public:
    bool QueryVersion(OsVersion* out) const override {
        if (!hasVersion) return false;
        *out = version;
        return true;
    }
    bool InAdministratorsGroup() const override { return administrator; }
    std::string SystemDriveRoot() const override { return systemDriveRoot; }
    std::string WindowsDirectory() const override { return windowsDirectory; }
    std::string ProgramsMenuDirectory() const override { return programsMenuDirectory; }

    bool hasVersion = false;
    OsVersion version;
    bool administrator = true;
    std::string systemDriveRoot = "/";
    std::string windowsDirectory = "/";
    std::string programsMenuDirectory;
};

}  // namespace platform::fake
