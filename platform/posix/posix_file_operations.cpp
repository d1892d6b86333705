#include "platform/posix/posix_file_operations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform::posix {
namespace {

// Closes a descriptor when the copy leaves by any path.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Copies the rest of `in` to `out`, in the kernel where it can.
bool CopyContents(int in, int out) {
    bool kernelCopy = true;
    for (;;) {
        if (kernelCopy) {
            const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
            if (n > 0) continue;
            if (n == 0) return true;
            if (errno == EINTR) continue;
            if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
                return false;
            kernelCopy = false;  // this pair of file systems needs the plain loop
        }
        char buffer[1 << 16];
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return true;
        if (!WriteAll(out, buffer, static_cast<std::size_t>(n))) return false;
    }
}

}  // namespace

bool PosixFileOperations::Exists(const std::string& path) const {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool PosixFileOperations::IsLink(const std::string& path) const {
    struct stat st {};
    return !path.empty() && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool PosixFileOperations::CreateDirectory(const std::string& path) {
    return ::mkdir(path.c_str(), 0755) == 0;
}

bool PosixFileOperations::RemoveDirectory(const std::string& path) {
    return ::rmdir(path.c_str()) == 0;
}

bool PosixFileOperations::CopyFile(const std::string& source, const std::string& destination) {
    Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0) return false;
    struct stat from {};
    if (::fstat(in.get(), &from) != 0 || !S_ISREG(from.st_mode)) return false;
    // Opening the destination truncates it: when it is the source under another name,
    // that would destroy the file being copied.
    struct stat to {};
    if (::stat(destination.c_str(), &to) == 0 && to.st_dev == from.st_dev && to.st_ino == from.st_ino)
        return false;
    Descriptor out(::open(destination.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
                          from.st_mode & 0777));
    if (out.get() < 0) return false;
    if (!CopyContents(in.get(), out.get()) || !out.Close()) {
        // A partial copy is no copy: leave no truncated file that looks installed.
        ::unlink(destination.c_str());
        return false;
    }
    return true;
}

bool PosixFileOperations::DeleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool PosixFileOperations::SetArchiveOnly(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    if (st.st_mode & S_IWUSR) return true;  // already writable: spare the metadata write
    return ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

}  // namespace platform::posix
