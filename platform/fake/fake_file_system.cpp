#include "platform/fake/fake_file_system.h"

#include <algorithm>
#include <cstring>

namespace platform::fake {
namespace {

class FakeFile final : public File {
public:
    explicit FakeFile(FakeFileSystem::Node& node) : node_(node) {}

    FileCause Read(void* buffer, std::size_t size, std::size_t* got) override {
        *got = 0;
        if (node_.readFailure != FileCause::None) return node_.readFailure;
        const std::size_t left = pos_ < node_.content.size() ? node_.content.size() - pos_ : 0;
        const std::size_t n = std::min(size, left);
        if (n) std::memcpy(buffer, node_.content.data() + pos_, n);
        pos_ += n;
        *got = n;
        return FileCause::None;
    }
    FileCause Write(const void* buffer, std::size_t size) override {
        if (node_.content.size() < pos_ + size) node_.content.resize(pos_ + size);
        if (size) std::memcpy(node_.content.data() + pos_, buffer, size);
        pos_ += size;
        return FileCause::None;
    }
    FileCause Seek(std::uint64_t offset) override {
        pos_ = static_cast<std::size_t>(offset);
        return FileCause::None;
    }
    FileCause Size(std::uint64_t* size) override {
        *size = node_.content.size();
        return FileCause::None;
    }
    FileCause TruncateHere() override {
        node_.content.resize(pos_);
        return FileCause::None;
    }

private:
    FakeFileSystem::Node& node_;
    std::size_t pos_ = 0;
};

}  // namespace

std::string FakeFileSystem::Normalize(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && p.back() == kPathSeparator) p.pop_back();
    // Doubled separators name the same entry, as on the real platform.
    std::string out;
    for (char c : p) {
        if (c == kPathSeparator && !out.empty() && out.back() == kPathSeparator) continue;
        out += c;
    }
    return out;
}

void FakeFileSystem::Attach(const std::string& path, bool isDirectory) {
    const std::string p = Normalize(path);
    if (nodes_.count(p)) return;
    const auto slash = p.find_last_of(kPathSeparator);
    if (slash != std::string::npos && p != "/") {
        const std::string parent = slash == 0 ? "/" : p.substr(0, slash);
        Attach(parent, true);
        nodes_[parent].children.push_back(p.substr(slash + 1));
    }
    nodes_[p].isDirectory = isDirectory;
}

void FakeFileSystem::AddFolder(const std::string& path) { Attach(path, true); }

void FakeFileSystem::AddFile(const std::string& path, std::string content) {
    Attach(path, false);
    nodes_[Normalize(path)].content = std::move(content);
}

void FakeFileSystem::Lock(const std::string& path, bool locked) { nodes_[Normalize(path)].locked = locked; }

void FakeFileSystem::FailReads(const std::string& path, FileCause cause) {
    nodes_[Normalize(path)].readFailure = cause;
}

std::string FakeFileSystem::Content(const std::string& path) const {
    const auto it = nodes_.find(Normalize(path));
    return it == nodes_.end() ? std::string() : it->second.content;
}

bool FakeFileSystem::Find(const std::string& path, DirEntry* entry) const {
    if (path.empty()) return false;
    const std::string p = Normalize(path);
    const auto it = nodes_.find(p);
    if (it == nodes_.end()) return false;
    if (entry) {
        entry->name = p.substr(p.find_last_of(kPathSeparator) + 1);
        entry->isDirectory = it->second.isDirectory;
    }
    return true;
}

FileCause FakeFileSystem::List(const std::string& folder, std::vector<DirEntry>* entries) const {
    entries->clear();
    const std::string p = Normalize(folder);
    const auto it = nodes_.find(p);
    if (it == nodes_.end()) return FileCause::FileNotFound;
    if (!it->second.isDirectory) return FileCause::BadPath;
    entries->push_back({".", true});
    entries->push_back({"..", true});
    for (const auto& name : it->second.children) {
        const std::string child = p == "/" ? "/" + name : p + "/" + name;
        entries->push_back({name, nodes_.at(child).isDirectory});
    }
    return FileCause::None;
}

std::unique_ptr<File> FakeFileSystem::Open(const std::string& path, OpenMode mode, bool exclusive,
                                           FileCause* cause) {
    const std::string p = Normalize(path);
    auto it = nodes_.find(p);
    if (it == nodes_.end()) {
        if (mode == OpenMode::Read) {
            *cause = FileCause::FileNotFound;
            return nullptr;
        }
        AddFile(p);
        it = nodes_.find(p);
    }
    if (it->second.isDirectory) {
        *cause = FileCause::AccessDenied;
        return nullptr;
    }
    if (exclusive && it->second.locked) {
        *cause = FileCause::SharingViolation;
        return nullptr;
    }
    *cause = FileCause::None;
    return std::make_unique<FakeFile>(it->second);
}

}  // namespace platform::fake
