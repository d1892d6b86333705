#include "platform/win32/win32_file_operations.h"

#include "platform/win32/windows_api.h"

namespace platform::win32 {

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
    // The source is open for reading while the destination is opened for writing without
    // sharing, so a destination that is the source under another name fails instead of
    // being emptied.
    return ::CopyFileA(source.c_str(), destination.c_str(), FALSE) != 0;
}

bool Win32FileOperations::DeleteFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool Win32FileOperations::SetArchiveOnly(const std::string& path) {
    return ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE) != 0;
}

}  // namespace platform::win32
