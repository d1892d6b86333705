#pragma once

#include <string>

namespace platform {

// The file calls the installer makes beyond reading and writing: attributes, one-level
// directory creation and removal, copy with overwrite and delete. Each reports success.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    // True when the path's attributes can be read (it exists, links followed).
    virtual bool Exists(const std::string& path) const = 0;
    // True when the path itself is a symbolic link (the link is not followed).
    virtual bool IsLink(const std::string& path) const = 0;
    // Creates one directory level; fails when it exists or its parent does not.
    virtual bool CreateDirectory(const std::string& path) = 0;
    // Removes a directory only when it is empty.
    virtual bool RemoveDirectory(const std::string& path) = 0;
    // Copies a file, replacing an existing destination. Never truncates the source,
    // also when both paths name the same file by different texts.
    virtual bool CopyFile(const std::string& source, const std::string& destination) = 0;
    // Deletes a file (never a directory).
    virtual bool DeleteFile(const std::string& path) = 0;
    // Leaves the file with ordinary attributes only: read-only is cleared.
    virtual bool SetArchiveOnly(const std::string& path) = 0;
};

}  // namespace platform
