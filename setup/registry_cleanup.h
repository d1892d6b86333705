#pragma once

#include "platform/messages.h"
#include "platform/registry.h"
#include "setup/install_log.h"
#include "setup/system_checks.h"

#include <string>
#include <vector>

namespace setup {

// A key path has 2 to this many members; as many keys are held open at once.
inline constexpr std::size_t kMaxKeyMembers = 100;
// Subkey names are read into a buffer of this many characters, terminator included.
inline constexpr std::size_t kKeyNameBuffer = 255;

// Removes the DELREGKEY keys with their subtrees, logging into the caller's log. The
// install and the uninstall word one refusal differently and report failed deletes
// differently; `action` says which one runs.
class RegistryCleaner {
public:
    RegistryCleaner(platform::Registry& registry, platform::MessageSink& messages, SetupAction action,
                    InstallLog& log);

    void Run(const std::vector<std::string>& keyPaths);
    bool CheckRegistryKey(const std::string& path);
    bool DeleteRegistryKey(const std::string& path);
    long DeleteKeyTree(platform::RegistryKey parent, const std::string& name);

private:
    void Tell(const std::string& text);
    // Opens members 1.. of `members` below the root, stopping at the first failure.
    bool OpenMembers(const std::vector<std::string>& members, platform::KeyAccess access,
                     std::vector<platform::RegistryKey>* opened);
    void CloseMembers(std::vector<platform::RegistryKey>* opened);

    platform::Registry& registry_;
    platform::MessageSink& messages_;
    SetupAction action_;
    InstallLog& log_;
};

}  // namespace setup
