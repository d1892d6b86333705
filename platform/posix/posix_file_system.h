#pragma once

#include "platform/posix/backend_guard.h"
#include "platform/file_system.h"

namespace platform::posix {

class PosixFileSystem final : public FileSystem {
public:
    bool Find(const std::string& path, DirEntry* entry) const override;
    FileCause List(const std::string& folder, std::vector<DirEntry>* entries) const override;
    std::string CurrentDirectory() const override;
    std::unique_ptr<File> Open(const std::string& path, OpenMode mode, bool exclusive,
                               FileCause* cause) override;
    // Maps the file: its pages come from the page cache instead of the heap. A bus error
    // inside the mapping (the file shortened under it) marks the bytes as not intact.
    std::unique_ptr<FileBytes> ReadOnlyBytes(const std::string& path, std::uint64_t maxBytes,
                                             FileCause* cause) override;
};

}  // namespace platform::posix
