#include "platform/win32/win32_registry.h"

#include "platform/win32/windows_api.h"

#include <vector>

namespace platform::win32 {
namespace {

HKEY HandleOf(RegistryKey key) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key)); }
RegistryKey KeyOf(HKEY handle) { return static_cast<RegistryKey>(reinterpret_cast<ULONG_PTR>(handle)); }

REGSAM SamOf(KeyAccess access) {
    switch (access) {
    case KeyAccess::Read: return KEY_READ;
    case KeyAccess::WriteDelete: return KEY_WRITE | DELETE;
    case KeyAccess::DeleteEnumerate: return DELETE | KEY_ENUMERATE_SUB_KEYS;
    }
    return KEY_READ;
}

}  // namespace

RegistryKey Win32Registry::Root(RegistryRoot root) const {
    return KeyOf(root == RegistryRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER);
}

long Win32Registry::OpenKey(RegistryKey parent, const std::string& name, KeyAccess access, RegistryKey* key) {
    HKEY opened = nullptr;
    const LONG code = ::RegOpenKeyExA(HandleOf(parent), name.c_str(), 0, SamOf(access), &opened);
    *key = code == ERROR_SUCCESS ? KeyOf(opened) : 0;
    return code;
}

long Win32Registry::CreateKey(RegistryKey parent, const std::string& name, RegistryKey* key) {
    HKEY created = nullptr;
    const LONG code = ::RegCreateKeyExA(HandleOf(parent), name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &created, nullptr);
    *key = code == ERROR_SUCCESS ? KeyOf(created) : 0;
    return code;
}

long Win32Registry::CloseKey(RegistryKey key) { return ::RegCloseKey(HandleOf(key)); }

long Win32Registry::EnumKey(RegistryKey key, std::uint32_t index, std::size_t maxChars, std::string* name) {
    std::vector<char> buffer(maxChars + 1, '\0');
    const LONG code = ::RegEnumKeyA(HandleOf(key), index, buffer.data(), static_cast<DWORD>(maxChars));
    if (code == ERROR_SUCCESS) *name = buffer.data();
    return code;
}

long Win32Registry::DeleteKey(RegistryKey parent, const std::string& name) {
    return ::RegDeleteKeyA(HandleOf(parent), name.c_str());
}

}  // namespace platform::win32
