#include "platform/posix/posix_file_system.h"

#include "platform/posix/errno_cause.h"
#include "platform/posix/mapping_fault_guard.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform::posix {
namespace {

// A read-only mapping whose bus errors are caught: a file shortened by another program
// (or a failing disk or network mount) while it is decoded yields zeros and marks the
// bytes as not intact instead of ending the process.
class MappedBytes final : public FileBytes {
public:
    MappedBytes(void* address, std::size_t size) : address_(address), size_(size) {}
    ~MappedBytes() override {
        guard_.Release();
        if (address_) ::munmap(address_, size_);
    }
    MappedBytes(const MappedBytes&) = delete;
    MappedBytes& operator=(const MappedBytes&) = delete;
    bool Guard() { return !address_ || guard_.Guard(address_, size_); }
    const unsigned char* data() const override { return static_cast<const unsigned char*>(address_); }
    std::size_t size() const override { return size_; }
    bool Intact() const override { return !guard_.Faulted(); }

private:
    void* address_;
    std::size_t size_;
    MappingFaultGuard guard_;
};

}  // namespace

std::unique_ptr<FileBytes> PosixFileSystem::ReadOnlyBytes(const std::string& path, std::uint64_t maxBytes,
                                                          FileCause* cause) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *cause = CauseFromErrno(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        *cause = FileCause::Generic;
        return nullptr;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    void* address = nullptr;
    if (size > 0) {
        // Decoders read every byte: mapping the pages in at once is cheaper than
        // taking a page fault for each of them.
        int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
        flags |= MAP_POPULATE;
#endif
        address = ::mmap(nullptr, size, PROT_READ, flags, fd, 0);
        if (address == MAP_FAILED) {
            ::close(fd);
            // Where mapping is not possible (some special files), read as usual.
            return FileSystem::ReadOnlyBytes(path, maxBytes, cause);
        }
    }
    ::close(fd);
    auto bytes = std::make_unique<MappedBytes>(address, size);
    // Without a guard slot a fault would end the process: read the file instead.
    if (!bytes->Guard()) return FileSystem::ReadOnlyBytes(path, maxBytes, cause);
    *cause = FileCause::None;
    return bytes;
}

}  // namespace platform::posix
