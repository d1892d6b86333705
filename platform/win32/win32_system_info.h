#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/system_info.h"

namespace platform::win32 {

// GetVersionEx, the token's groups, GetWindowsDirectory.
class Win32SystemInfo final : public SystemInfo {
public:
    // The extended version record, else the basic one.
    bool QueryVersion(OsVersion* version) const override;
    // The built-in Administrators group (S-1-5-32-544) among the thread's or else the
    // process's token groups, whatever the group's attributes (deny-only included).
    bool InAdministratorsGroup() const override;
    // The first 3 characters of the Windows directory, such as "C:\".
    std::string SystemDriveRoot() const override;
    // GetWindowsDirectory followed by "\".
    std::string WindowsDirectory() const override;
    // Empty: the system name picks the Start-menu folder.
    std::string ProgramsMenuDirectory() const override;
};

}  // namespace platform::win32
