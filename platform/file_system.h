#pragma once

#include "platform/file_cause.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

#if defined(_WIN32)
// MAX_PATH and the backslash, as the system has them.
inline constexpr std::size_t kMaxPath = 260;
inline constexpr char kPathSeparator = '\\';
// The system takes the slash as a separator as well: a collage file written elsewhere
// names its slides with it.
inline constexpr const char* kPathSeparators = "\\/";
#else
// The platform's path length limit (the Windows design's MAX_PATH 260 maps to PATH_MAX).
inline constexpr std::size_t kMaxPath = 4096;
inline constexpr char kPathSeparator = '/';
inline constexpr const char* kPathSeparators = "/";
#endif

struct DirEntry {
    std::string name;
    bool isDirectory = false;
};

enum class OpenMode {
    Read,            // existing file, read only
    ReadCreate,      // read, creating an empty file when missing
    WriteCreate,     // write, creating when missing; content kept until Truncate
};

// An open file. Every call reports its cause; FileCause::None is success.
class File {
public:
    virtual ~File() = default;
    // Reads up to `size` bytes; `*got` is what arrived (0 at the end of the file).
    virtual FileCause Read(void* buffer, std::size_t size, std::size_t* got) = 0;
    virtual FileCause Write(const void* buffer, std::size_t size) = 0;
    virtual FileCause Seek(std::uint64_t offset) = 0;
    virtual FileCause Size(std::uint64_t* size) = 0;
    // Ends the file at the current position.
    virtual FileCause TruncateHere() = 0;
};

// A whole file's bytes, read-only, alive as long as this object.
class FileBytes {
public:
    virtual ~FileBytes() = default;
    virtual const unsigned char* data() const = 0;
    virtual std::size_t size() const = 0;
    // False when part of the file could not be read after the bytes were handed out
    // (a mapped file shortened or failing under the reader); what was read is then
    // not the file's content and must be thrown away.
    virtual bool Intact() const { return true; }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Looks the path up as a directory search would: false when nothing is found.
    virtual bool Find(const std::string& path, DirEntry* entry) const = 0;
    // Entries of a folder in the file system's own order, dot entries included.
    virtual FileCause List(const std::string& folder, std::vector<DirEntry>* entries) const = 0;
    virtual std::string CurrentDirectory() const = 0;
    // `exclusive` opens without sharing: another holder makes it fail with SharingViolation.
    virtual std::unique_ptr<File> Open(const std::string& path, OpenMode mode, bool exclusive,
                                       FileCause* cause) = 0;
    // A whole file for reading, refusing files larger than `maxBytes`; null on failure
    // with `*cause` set. Reads it into memory; a backend may map the file instead, so
    // that a large image file does not take heap memory beside its decoded picture.
    virtual std::unique_ptr<FileBytes> ReadOnlyBytes(const std::string& path, std::uint64_t maxBytes,
                                                     FileCause* cause);
};

// Reads a whole file into memory, refusing files larger than `maxBytes`.
FileCause ReadWholeFile(FileSystem& fs, const std::string& path, std::uint64_t maxBytes,
                        std::vector<unsigned char>* bytes);

}  // namespace platform
