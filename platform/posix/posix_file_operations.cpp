#include "platform/posix/posix_file_operations.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string>

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

// Unpredictable where the system offers it, so that names cannot be planted in advance.
unsigned RandomWord(unsigned attempt) {
    unsigned word = 0;
    if (::getrandom(&word, sizeof word, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof word)) return word;
    struct timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<unsigned>(now.tv_nsec) ^ (static_cast<unsigned>(::getpid()) << 12) ^ attempt;
}

// Creates a new file of its own in the folder of `path` (so that a rename onto `path`
// stays on one file system), named after it and hidden. The mode is filtered by the
// umask as any new file's is. Returns the descriptor, or -1.
int CreateTemporaryBeside(const std::string& path, mode_t mode, std::string* name) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    // A short stem keeps the name within the file-name limit whatever the original's length.
    const std::string stem = "." + path.substr(folder.size(), 64) + ".";
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", RandomWord(attempt));
        *name = folder + stem + suffix;
        // O_EXCL also refuses a link planted at the name.
        const int fd = ::open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
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
    // The source under another name (a doubled separator, a link to it) is a copy onto
    // itself and refused as one.
    struct stat target {};
    if (::stat(destination.c_str(), &target) == 0 && target.st_dev == from.st_dev &&
        target.st_ino == from.st_ino)
        return false;
    struct stat existing {};
    const bool replacing = ::lstat(destination.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode)) return false;

    // The copy goes to a new file beside the destination and is renamed over it: the
    // rename replaces a link at the destination instead of writing to where it points,
    // and a copy cut short never leaves a partial file under the destination's name.
    std::string temporary;
    Descriptor out(CreateTemporaryBeside(destination, from.st_mode & 0777, &temporary));
    if (out.get() < 0) return false;
    // A file that was replaced in place kept its permission bits; so does its successor.
    const bool keepBits = replacing && S_ISREG(existing.st_mode);
    const bool copied = CopyContents(in.get(), out.get()) &&
                        (!keepBits || ::fchmod(out.get(), existing.st_mode & 0777) == 0);
    if (!out.Close() || !copied || ::rename(temporary.c_str(), destination.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool PosixFileOperations::DeleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool PosixFileOperations::SetArchiveOnly(const std::string& path) {
    // A link is left alone: changing its target's mode would reach outside the folder.
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || S_ISLNK(st.st_mode)) return false;
    if (st.st_mode & S_IWUSR) return true;  // already writable: spare the metadata write
    return ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

}  // namespace platform::posix
