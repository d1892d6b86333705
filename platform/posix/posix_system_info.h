#pragma once

#include "platform/system_info.h"

namespace platform::posix {

// No version record; installs go below the user's home, or /opt for root.
class PosixSystemInfo final : public SystemInfo {
public:
    bool QueryVersion(OsVersion* version) const override;
    bool InAdministratorsGroup() const override;
    std::string SystemDriveRoot() const override;
    std::string WindowsDirectory() const override;
};

// The user's home directory: $HOME, else the password database's entry.
std::string HomeDirectory();

}  // namespace platform::posix
