#pragma once

#include "platform/posix/backend_guard.h"
#include "platform/system_info.h"

namespace platform::posix {

// No version record; installs go below the user's home, or /opt for root.
class PosixSystemInfo final : public SystemInfo {
public:
    bool QueryVersion(OsVersion* version) const override;
    bool InAdministratorsGroup() const override;
    std::string SystemDriveRoot() const override;
    std::string WindowsDirectory() const override;
    // The freedesktop applications folder: $XDG_DATA_HOME/applications/ (by default
    // ~/.local/share/applications/), /usr/local/share/applications/ for root.
    std::string ProgramsMenuDirectory() const override;
};

// The user's home directory: $HOME, else the password database's entry.
std::string HomeDirectory();

}  // namespace platform::posix
