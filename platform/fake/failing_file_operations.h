#pragma once

#include "platform/fake/backend_guard.h"
#include "platform/file_operations.h"

#include <set>
#include <string>

namespace platform::fake {

// Passes every call on to a real backend, except those the test made fail by path.
class FailingFileOperations final : public FileOperations {
public:
    explicit FailingFileOperations(FileOperations& real) : real_(real) {}

    bool Exists(const std::string& path) const override { return real_.Exists(path); }
    bool IsLink(const std::string& path) const override { return real_.IsLink(path); }
    bool CreateDirectory(const std::string& path) override {
        return !failCreate.count(path) && real_.CreateDirectory(path);
    }
    bool RemoveDirectory(const std::string& path) override {
        return !failRemove.count(path) && real_.RemoveDirectory(path);
    }
    bool CopyFile(const std::string& source, const std::string& destination) override {
        return !failCopy.count(destination) && real_.CopyFile(source, destination);
    }
    bool DeleteFile(const std::string& path) override {
        return !failDelete.count(path) && real_.DeleteFile(path);
    }
    bool SetArchiveOnly(const std::string& path) override { return real_.SetArchiveOnly(path); }

    std::set<std::string> failCreate, failRemove, failCopy, failDelete;

private:
    FileOperations& real_;
};

}  // namespace platform::fake
