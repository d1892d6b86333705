#include "setup/registry_cleanup.h"

#include "setup/setup_messages.h"
#include "setup/setup_texts.h"

namespace setup {
namespace {

constexpr const char* kClassesRoot = "HKEY_CLASSES_ROOT";
constexpr const char* kCurrentUser = "HKEY_CURRENT_USER";

std::vector<std::string> SplitMembers(const std::string& path) {
    std::vector<std::string> members;
    std::size_t start = 0;
    for (;;) {
        const auto slash = path.find('\\', start);
        members.push_back(path.substr(start, slash - start));
        if (slash == std::string::npos) return members;
        start = slash + 1;
    }
}

platform::RegistryRoot RootOf(const std::string& member) {
    return member == kClassesRoot ? platform::RegistryRoot::ClassesRoot
                                  : platform::RegistryRoot::CurrentUser;
}

}  // namespace

RegistryCleaner::RegistryCleaner(platform::Registry& registry, platform::MessageSink& messages,
                                 SetupAction action, InstallLog& log)
    : registry_(registry), messages_(messages), action_(action), log_(log) {}

void RegistryCleaner::Tell(const std::string& text) { messages_.Show(platform::Warning(text, texts::kProgramTitle)); }

void RegistryCleaner::Run(const std::vector<std::string>& keyPaths) {
    int number = 0;
    for (const auto& path : keyPaths) {
        ++number;
        log_.Add(texts::CheckKeyAction(path));
        if (!CheckRegistryKey(path)) {
            log_.Add(texts::kDoesNotExist);
            continue;
        }
        log_.Add(texts::kSuccess);
        log_.Add(texts::DeleteKeyAction(path));
        if (DeleteRegistryKey(path)) {
            log_.Add(texts::kSuccess);
        } else {
            log_.Add(texts::kFailed);
            Tell(texts::BadKey(number));
        }
    }
}

bool RegistryCleaner::OpenMembers(const std::vector<std::string>& members, platform::KeyAccess access,
                                  std::vector<platform::RegistryKey>* opened) {
    platform::RegistryKey parent = registry_.Root(RootOf(members[0]));
    for (std::size_t i = 1; i < members.size(); ++i) {
        platform::RegistryKey key = 0;
        if (registry_.OpenKey(parent, members[i], access, &key) != platform::kRegSuccess) return false;
        opened->push_back(key);
        parent = key;
    }
    return true;
}

void RegistryCleaner::CloseMembers(std::vector<platform::RegistryKey>* opened) {
    // opened[k] is member k + 1 of the path, the root being member 0 (#1 to the user).
    while (!opened->empty()) {
        const int level = static_cast<int>(opened->size()) + 1;
        if (registry_.CloseKey(opened->back()) != platform::kRegSuccess)
            Tell(texts::ErrorClosingKey(level));
        opened->pop_back();
    }
}

bool RegistryCleaner::CheckRegistryKey(const std::string& path) {
    if (path.empty() || path.find('/') != std::string::npos ||
        path.find("\\\\") != std::string::npos || path.front() == '\\' || path.back() == '\\') {
        Tell(texts::kSyntaxError);
        return false;
    }
    if (path.find('\\') == std::string::npos) {
        Tell(texts::kOneMember);
        return false;
    }
    const auto members = SplitMembers(path);
    if (members.size() < 2 || members.size() > kMaxKeyMembers) {
        Tell(texts::kMemberCount);
        return false;
    }
    if (members[0] != kClassesRoot && members[0] != kCurrentUser) {
        Tell(action_ == SetupAction::Install ? texts::kOtherRootInstall : texts::kOtherRootUninstall);
        return false;
    }
    if (members[0] == kCurrentUser) {
        if (members[1] != "Software") {
            Tell(texts::kOtherSubkey);
            return false;
        }
        if (members.size() == 2) {
            Tell(texts::kSoftwareKeyItself);
            return false;
        }
    }
    std::vector<platform::RegistryKey> opened;
    const bool exists = OpenMembers(members, platform::KeyAccess::Read, &opened);
    CloseMembers(&opened);
    return exists;
}

bool RegistryCleaner::DeleteRegistryKey(const std::string& path) {
    const auto members = SplitMembers(path);
    std::vector<platform::RegistryKey> opened;
    bool deleted = OpenMembers(members, platform::KeyAccess::WriteDelete, &opened);
    if (deleted) {
        const platform::RegistryKey parent =
            opened.size() >= 2 ? opened[opened.size() - 2] : registry_.Root(RootOf(members[0]));
        if (DeleteKeyTree(parent, members.back()) != platform::kRegSuccess) {
            deleted = false;
            if (action_ == SetupAction::Install) Tell(texts::ErrorDeletingKey(members.back()));
        }
    }
    CloseMembers(&opened);
    return deleted;
}

long RegistryCleaner::DeleteKeyTree(platform::RegistryKey parent, const std::string& name) {
    if (name.empty()) return platform::kRegBadKey;
    platform::RegistryKey key = 0;
    long code = registry_.OpenKey(parent, name, platform::KeyAccess::DeleteEnumerate, &key);
    if (code != platform::kRegSuccess) return code;
    for (;;) {
        std::string subkey;
        code = registry_.EnumKey(key, 0, kKeyNameBuffer, &subkey);
        if (code == platform::kRegNoMoreItems) {
            code = registry_.DeleteKey(parent, name);
            break;
        }
        if (code != platform::kRegSuccess) break;
        // Depth first, always the first remaining subkey; the key itself goes last.
        code = DeleteKeyTree(key, subkey);
        if (code != platform::kRegSuccess) break;
    }
    registry_.CloseKey(key);
    return code;
}

}  // namespace setup
