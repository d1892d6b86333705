#pragma once

#include "platform/posix/backend_guard.h"
#include "platform/registry.h"

#include <map>
#include <string>

namespace platform::posix {

// The environment variable that moves the key store (tests point it at a temporary folder).
inline constexpr const char* kRegistryRootVariable = "VARNELLE_REGISTRY_DIR";

// The store's folder: the variable when set, else ${XDG_CONFIG_HOME:-~/.config}/Varnelle/registry.
std::string DefaultRegistryDirectory();

// A key store of directories: one directory per key, below one folder per root.
// Files inside a key directory are its values and go with it when it is deleted.
class PosixRegistry final : public Registry {
public:
    explicit PosixRegistry(std::string directory = DefaultRegistryDirectory());

    RegistryKey Root(RegistryRoot root) const override;
    long OpenKey(RegistryKey parent, const std::string& name, KeyAccess access,
                 RegistryKey* key) override;
    long CloseKey(RegistryKey key) override;
    long EnumKey(RegistryKey key, std::uint32_t index, std::size_t maxChars,
                 std::string* name) override;
    long CreateKey(RegistryKey parent, const std::string& name, RegistryKey* key) override;
    long DeleteKey(RegistryKey parent, const std::string& name) override;

private:
    const std::string* PathOf(RegistryKey key) const;

    std::string directory_;
    std::map<RegistryKey, std::string> open_;  // open keys, predefined roots included
    RegistryKey next_ = 16;
};

}  // namespace platform::posix
