#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/file_operations.h"

namespace platform::win32 {

// GetFileAttributes, CreateDirectory, RemoveDirectory, CopyFile, DeleteFile and
// SetFileAttributes in their system-code-page forms.
class Win32FileOperations final : public FileOperations {
public:
    bool Exists(const std::string& path) const override;
    bool IsLink(const std::string& path) const override;
    bool CreateDirectory(const std::string& path) override;
    bool RemoveDirectory(const std::string& path) override;
    bool CopyFile(const std::string& source, const std::string& destination) override;
    bool DeleteFile(const std::string& path) override;
    bool SetArchiveOnly(const std::string& path) override;
};

}  // namespace platform::win32
