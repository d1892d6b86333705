#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/file_system.h"

namespace platform::win32 {

// Directory searches with FindFirstFile/FindNextFile, files with CreateFile; paths in the
// system code page.
class Win32FileSystem final : public FileSystem {
public:
    bool Find(const std::string& path, DirEntry* entry) const override;
    FileCause List(const std::string& folder, std::vector<DirEntry>* entries) const override;
    std::string CurrentDirectory() const override;
    std::unique_ptr<File> Open(const std::string& path, OpenMode mode, bool exclusive,
                               FileCause* cause) override;
};

// folder + "\*.*", the separator left out after a folder that ends in one.
std::string SearchPattern(const std::string& folder);

}  // namespace platform::win32
