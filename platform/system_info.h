#pragma once

#include <string>

namespace platform {

// The version record the system name is derived from.
struct OsVersion {
    int platformId = 0;  // 0: 16-bit host with 32-bit extension, 1: 9x family, 2: NT family
    unsigned major = 0;
    unsigned minor = 0;
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // False when the system has no such version record (every POSIX system).
    virtual bool QueryVersion(OsVersion* version) const = 0;
    // The user holds administrator rights.
    virtual bool InAdministratorsGroup() const = 0;
    // Where installations go by default; ends with a separator.
    virtual std::string SystemDriveRoot() const = 0;
    // The system's own directory, ending with a separator; the Start-menu folders of
    // some systems live below it.
    virtual std::string WindowsDirectory() const = 0;
    // The folder that holds the application menu's folders, ending with a separator and
    // made when missing; empty where the system name picks the Start-menu folder instead.
    virtual std::string ProgramsMenuDirectory() const = 0;
};

}  // namespace platform
