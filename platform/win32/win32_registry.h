#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/registry.h"

namespace platform::win32 {

// The system registry: RegOpenKeyEx, RegEnumKey, RegDeleteKey and RegCloseKey under
// HKEY_CLASSES_ROOT and HKEY_CURRENT_USER. Key handles are carried as RegistryKey values.
class Win32Registry final : public Registry {
public:
    RegistryKey Root(RegistryRoot root) const override;
    long OpenKey(RegistryKey parent, const std::string& name, KeyAccess access, RegistryKey* key) override;
    long CreateKey(RegistryKey parent, const std::string& name, RegistryKey* key) override;
    long CloseKey(RegistryKey key) override;
    long EnumKey(RegistryKey key, std::uint32_t index, std::size_t maxChars, std::string* name) override;
    long DeleteKey(RegistryKey parent, const std::string& name) override;
};

}  // namespace platform::win32
