#include "platform/win32/win32_file_operations.h"

#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

// True when both texts name one file (another spelling, a doubled separator, a link).
bool SameFile(const std::string& a, const std::string& b) {
    auto identity = [](const std::string& path, BY_HANDLE_FILE_INFORMATION* info) {
        const HANDLE h = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        const bool got = ::GetFileInformationByHandle(h, info) != 0;
        ::CloseHandle(h);
        return got;
    };
    BY_HANDLE_FILE_INFORMATION x {}, y {};
    return identity(a, &x) && identity(b, &y) && x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
           x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

}  // namespace

bool Win32FileOperations::Exists(const std::string& path) const {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileOperations::IsLink(const std::string& path) const {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool Win32FileOperations::CreateDirectory(const std::string& path) {
    return ::CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool Win32FileOperations::RemoveDirectory(const std::string& path) { return ::RemoveDirectoryA(path.c_str()) != 0; }

bool Win32FileOperations::CopyFile(const std::string& source, const std::string& destination) {
    // CopyFile onto the source itself would empty it on some file systems.
    if (SameFile(source, destination)) return false;
    return ::CopyFileA(source.c_str(), destination.c_str(), FALSE) != 0;
}

bool Win32FileOperations::DeleteFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool Win32FileOperations::SetArchiveOnly(const std::string& path) {
    return ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE) != 0;
}

}  // namespace platform::win32
