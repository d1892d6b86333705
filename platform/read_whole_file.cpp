#include "platform/file_system.h"

namespace platform {

FileCause ReadWholeFile(FileSystem& fs, const std::string& path, std::uint64_t maxBytes,
                        std::vector<unsigned char>* bytes) {
    bytes->clear();
    FileCause cause = FileCause::None;
    auto file = fs.Open(path, OpenMode::Read, false, &cause);
    if (!file) return cause;
    std::uint64_t size = 0;
    if ((cause = file->Size(&size)) != FileCause::None) return cause;
    if (size > maxBytes) return FileCause::Generic;
    bytes->resize(static_cast<std::size_t>(size));
    std::size_t got = 0;
    if ((cause = file->Read(bytes->data(), bytes->size(), &got)) != FileCause::None) return cause;
    if (got != bytes->size()) return FileCause::EndOfFile;
    return FileCause::None;
}

}  // namespace platform
