#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// A hierarchical key store with the two roots the installer may clean up.
enum class RegistryRoot { ClassesRoot, CurrentUser };

using RegistryKey = std::uint64_t;  // an open key; 0 is never a valid one

enum class KeyAccess { Read, WriteDelete, DeleteEnumerate };

// System error codes, as the store's callers expect them.
inline constexpr long kRegSuccess = 0;
inline constexpr long kRegFileNotFound = 2;
inline constexpr long kRegAccessDenied = 5;
inline constexpr long kRegInvalidHandle = 6;
inline constexpr long kRegMoreData = 234;
inline constexpr long kRegNoMoreItems = 259;
inline constexpr long kRegBadKey = 1010;

class Registry {
public:
    virtual ~Registry() = default;
    // The predefined, always open key of a root; never closed.
    virtual RegistryKey Root(RegistryRoot root) const = 0;
    virtual long OpenKey(RegistryKey parent, const std::string& name, KeyAccess access,
                         RegistryKey* key) = 0;
    // Opens the subkey `name` of `parent` for writing, made first when it is missing.
    virtual long CreateKey(RegistryKey parent, const std::string& name, RegistryKey* key) = 0;
    virtual long CloseKey(RegistryKey key) = 0;
    // The name of the subkey at `index` (sorted order) when it fits in `maxChars`
    // characters including a terminator; kRegNoMoreItems past the last one.
    virtual long EnumKey(RegistryKey key, std::uint32_t index, std::size_t maxChars,
                         std::string* name) = 0;
    // Deletes a subkey that has no subkeys of its own.
    virtual long DeleteKey(RegistryKey parent, const std::string& name) = 0;
};

}  // namespace platform
