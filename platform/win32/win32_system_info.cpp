#include "platform/win32/win32_system_info.h"

#include "platform/file_system.h"

#include "platform/win32/windows_api.h"

#include <vector>

namespace platform::win32 {
namespace {

HANDLE OpenQueryToken() {
    HANDLE token = nullptr;
    if (::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) return token;
    if (::GetLastError() != ERROR_NO_TOKEN) return nullptr;
    return ::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token) ? token : nullptr;
}

bool TokenHoldsAdministrators(HANDLE token) {
    DWORD size = 0;
    if (::GetTokenInformation(token, TokenGroups, nullptr, 0, &size) ||
        ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return false;
    // TOKEN_GROUPS holds pointers: the buffer must be aligned for them.
    std::vector<void*> buffer(size / sizeof(void*) + 1);
    if (!::GetTokenInformation(token, TokenGroups, buffer.data(), size, &size)) return false;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                    0, 0, &administrators))
        return false;
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    bool found = false;
    for (DWORD i = 0; i < groups->GroupCount && !found; ++i)
        found = ::EqualSid(groups->Groups[i].Sid, administrators) != 0;
    ::FreeSid(administrators);
    return found;
}

}  // namespace

bool Win32SystemInfo::QueryVersion(OsVersion* version) const {
    OSVERSIONINFOEXA extended {};
    extended.dwOSVersionInfoSize = sizeof extended;
    OSVERSIONINFOA& info = reinterpret_cast<OSVERSIONINFOA&>(extended);
    if (!::GetVersionExA(&info)) {
        info = {};
        info.dwOSVersionInfoSize = sizeof info;
        if (!::GetVersionExA(&info)) return false;
    }
    version->platformId = static_cast<int>(info.dwPlatformId);
    version->major = info.dwMajorVersion;
    version->minor = info.dwMinorVersion;
    return true;
}

bool Win32SystemInfo::InAdministratorsGroup() const {
    const HANDLE token = OpenQueryToken();
    if (!token) return false;
    const bool holds = TokenHoldsAdministrators(token);
    ::CloseHandle(token);
    return holds;
}

std::string Win32SystemInfo::SystemDriveRoot() const { return WindowsDirectory().substr(0, 3); }

std::string Win32SystemInfo::WindowsDirectory() const {
    char buffer[kMaxPath];
    const UINT length = ::GetWindowsDirectoryA(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return {};
    return std::string(buffer, length) + kPathSeparator;
}

std::string Win32SystemInfo::ProgramsMenuDirectory() const { return {}; }

}  // namespace platform::win32
