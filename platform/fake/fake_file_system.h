#pragma once

#include "platform/fake/backend_guard.h"
#include "platform/file_system.h"

#include <map>
#include <string>
#include <vector>

namespace platform::fake {

// An in-memory file system for tests: folders list their entries in the order they
// were added, files can be locked (sharing violation) or made to fail on read.
class FakeFileSystem final : public FileSystem {
public:
    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, std::string content = {});
    void Lock(const std::string& path, bool locked = true);
    void FailReads(const std::string& path, FileCause cause);
    void SetCurrentDirectory(std::string path) { cwd_ = std::move(path); }
    std::string Content(const std::string& path) const;
    bool Exists(const std::string& path) const { return nodes_.count(path) != 0; }

    bool Find(const std::string& path, DirEntry* entry) const override;
    FileCause List(const std::string& folder, std::vector<DirEntry>* entries) const override;
    std::string CurrentDirectory() const override { return cwd_; }
    std::unique_ptr<File> Open(const std::string& path, OpenMode mode, bool exclusive,
                               FileCause* cause) override;

    struct Node {
        bool isDirectory = false;
        std::string content;
        std::vector<std::string> children;  // names, in insertion order
        bool locked = false;
        FileCause readFailure = FileCause::None;
    };

private:
    static std::string Normalize(const std::string& path);
    void Attach(const std::string& path, bool isDirectory);

    std::map<std::string, Node> nodes_;
    std::string cwd_ = "/";
};

}  // namespace platform::fake
