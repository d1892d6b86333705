#include "platform/file_system.h"

namespace platform {
namespace {

class HeapFileBytes final : public FileBytes {
public:
    explicit HeapFileBytes(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}
    const unsigned char* data() const override { return bytes_.data(); }
    std::size_t size() const override { return bytes_.size(); }

private:
    std::vector<unsigned char> bytes_;
};

}  // namespace

std::unique_ptr<FileBytes> FileSystem::ReadOnlyBytes(const std::string& path, std::uint64_t maxBytes,
                                                     FileCause* cause) {
    std::vector<unsigned char> bytes;
    *cause = ReadWholeFile(*this, path, maxBytes, &bytes);
    if (*cause != FileCause::None) return nullptr;
    return std::make_unique<HeapFileBytes>(std::move(bytes));
}

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
