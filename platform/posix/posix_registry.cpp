#include "platform/posix/posix_registry.h"

#include "platform/posix/posix_system_info.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

namespace platform::posix {
namespace {

constexpr RegistryKey kClassesRoot = 1;
constexpr RegistryKey kCurrentUser = 2;

// A key name is one directory entry: "." and ".." would leave the key, "/" would
// reach below it.
bool IsKeyName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

bool IsRealDirectory(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Entries of a key directory split into subkeys (real directories) and values.
bool ListKey(const std::string& path, std::vector<std::string>* subkeys,
             std::vector<std::string>* values) {
    DIR* dir = ::opendir(path.c_str());
    if (!dir) return false;
    while (const dirent* d = ::readdir(dir)) {
        const std::string name = d->d_name;
        if (name == "." || name == "..") continue;
        if (IsRealDirectory(path + "/" + name)) subkeys->push_back(name);
        else if (values) values->push_back(name);
    }
    ::closedir(dir);
    return true;
}

}  // namespace

std::string DefaultRegistryDirectory() {
    if (const char* dir = std::getenv(kRegistryRootVariable); dir && *dir) return dir;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string base = config && *config ? std::string(config) : HomeDirectory() + "/.config";
    return base + "/Varnelle/registry";
}

PosixRegistry::PosixRegistry(std::string directory) : directory_(std::move(directory)) {
    open_[kClassesRoot] = directory_ + "/HKEY_CLASSES_ROOT";
    open_[kCurrentUser] = directory_ + "/HKEY_CURRENT_USER";
}

RegistryKey PosixRegistry::Root(RegistryRoot root) const {
    return root == RegistryRoot::ClassesRoot ? kClassesRoot : kCurrentUser;
}

const std::string* PosixRegistry::PathOf(RegistryKey key) const {
    const auto it = open_.find(key);
    return it == open_.end() ? nullptr : &it->second;
}

long PosixRegistry::OpenKey(RegistryKey parent, const std::string& name, KeyAccess,
                            RegistryKey* key) {
    const std::string* base = PathOf(parent);
    if (!base) return kRegInvalidHandle;
    if (!IsKeyName(name)) return kRegFileNotFound;
    std::string path = *base + "/" + name;
    if (!IsRealDirectory(path)) return kRegFileNotFound;
    *key = next_++;
    open_[*key] = std::move(path);
    return kRegSuccess;
}

long PosixRegistry::CreateKey(RegistryKey parent, const std::string& name, RegistryKey* key) {
    const std::string* base = PathOf(parent);
    if (!base) return kRegInvalidHandle;
    if (!IsKeyName(name)) return kRegFileNotFound;
    if (::mkdir((*base + "/" + name).c_str(), 0700) != 0 && errno != EEXIST) return kRegAccessDenied;
    return OpenKey(parent, name, KeyAccess::WriteDelete, key);
}

long PosixRegistry::CloseKey(RegistryKey key) {
    if (key == kClassesRoot || key == kCurrentUser || !open_.erase(key)) return kRegInvalidHandle;
    return kRegSuccess;
}

long PosixRegistry::EnumKey(RegistryKey key, std::uint32_t index, std::size_t maxChars,
                            std::string* name) {
    const std::string* path = PathOf(key);
    if (!path) return kRegInvalidHandle;
    std::vector<std::string> subkeys;
    if (!ListKey(*path, &subkeys, nullptr)) return kRegFileNotFound;
    std::sort(subkeys.begin(), subkeys.end());
    if (index >= subkeys.size()) return kRegNoMoreItems;
    if (subkeys[index].size() + 1 > maxChars) return kRegMoreData;
    *name = subkeys[index];
    return kRegSuccess;
}

long PosixRegistry::DeleteKey(RegistryKey parent, const std::string& name) {
    const std::string* base = PathOf(parent);
    if (!base) return kRegInvalidHandle;
    if (!IsKeyName(name)) return kRegFileNotFound;
    const std::string path = *base + "/" + name;
    if (!IsRealDirectory(path)) return kRegFileNotFound;
    std::vector<std::string> subkeys, values;
    if (!ListKey(path, &subkeys, &values)) return kRegAccessDenied;
    if (!subkeys.empty()) return kRegAccessDenied;
    for (const auto& value : values) {
        if (::unlink((path + "/" + value).c_str()) != 0) return kRegAccessDenied;
    }
    return ::rmdir(path.c_str()) == 0 ? kRegSuccess : kRegAccessDenied;
}

}  // namespace platform::posix
