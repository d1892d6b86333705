#include "platform/posix/posix_file_system.h"

#include "platform/posix/errno_cause.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace platform::posix {
namespace {

class PosixFile final : public File {
public:
    explicit PosixFile(int fd) : fd_(fd) {}
    ~PosixFile() override { ::close(fd_); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    FileCause Read(void* buffer, std::size_t size, std::size_t* got) override {
        auto* out = static_cast<unsigned char*>(buffer);
        std::size_t total = 0;
        while (total < size) {
            const ssize_t n = ::read(fd_, out + total, size - total);
            if (n < 0) {
                if (errno == EINTR) continue;
                *got = total;
                return CauseFromErrno(errno);
            }
            if (n == 0) break;
            total += static_cast<std::size_t>(n);
        }
        *got = total;
        return FileCause::None;
    }

    FileCause Write(const void* buffer, std::size_t size) override {
        const auto* in = static_cast<const unsigned char*>(buffer);
        std::size_t total = 0;
        while (total < size) {
            const ssize_t n = ::write(fd_, in + total, size - total);
            if (n < 0) {
                if (errno == EINTR) continue;
                return CauseFromErrno(errno);
            }
            total += static_cast<std::size_t>(n);
        }
        return FileCause::None;
    }

    FileCause Seek(std::uint64_t offset) override {
        if (offset > static_cast<std::uint64_t>(LLONG_MAX)) return FileCause::BadSeek;
        if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) return FileCause::BadSeek;
        return FileCause::None;
    }

    FileCause Size(std::uint64_t* size) override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) return CauseFromErrno(errno);
        *size = static_cast<std::uint64_t>(st.st_size);
        return FileCause::None;
    }

    FileCause TruncateHere() override {
        const off_t here = ::lseek(fd_, 0, SEEK_CUR);
        if (here < 0) return FileCause::BadSeek;
        if (::ftruncate(fd_, here) != 0) return CauseFromErrno(errno);
        return FileCause::None;
    }

private:
    int fd_;
};

}  // namespace

bool PosixFileSystem::Find(const std::string& path, DirEntry* entry) const {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;
    if (entry) {
        const auto slash = path.find_last_of(kPathSeparator);
        entry->name = slash == std::string::npos ? path : path.substr(slash + 1);
        entry->isDirectory = S_ISDIR(st.st_mode);
    }
    return true;
}

FileCause PosixFileSystem::List(const std::string& folder, std::vector<DirEntry>* entries) const {
    entries->clear();
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return CauseFromErrno(errno);
    std::string base = folder;
    if (base.empty() || base.back() != kPathSeparator) base += kPathSeparator;
    while (const dirent* d = ::readdir(dir)) {
        DirEntry e;
        e.name = d->d_name;
        struct stat st {};
        // stat follows links, as the directory attribute of the link's target.
        e.isDirectory = ::stat((base + e.name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        entries->push_back(std::move(e));
    }
    ::closedir(dir);
    return FileCause::None;
}

std::string PosixFileSystem::CurrentDirectory() const {
    char buffer[kMaxPath];
    if (!::getcwd(buffer, sizeof buffer)) return {};
    return buffer;
}

std::unique_ptr<File> PosixFileSystem::Open(const std::string& path, OpenMode mode, bool exclusive,
                                            FileCause* cause) {
    int flags = O_CLOEXEC;
    switch (mode) {
    case OpenMode::Read: flags |= O_RDONLY; break;
    case OpenMode::ReadCreate: flags |= O_RDWR | O_CREAT; break;
    case OpenMode::WriteCreate: flags |= O_WRONLY | O_CREAT; break;
    }
    const int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) {
        *cause = CauseFromErrno(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        *cause = FileCause::AccessDenied;
        return nullptr;
    }
    if (exclusive && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        *cause = error == EWOULDBLOCK ? FileCause::SharingViolation : CauseFromErrno(error);
        return nullptr;
    }
    *cause = FileCause::None;
    return std::make_unique<PosixFile>(fd);
}

}  // namespace platform::posix
