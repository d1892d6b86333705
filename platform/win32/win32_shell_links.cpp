#include "platform/win32/win32_shell_links.h"

#include "platform/win32/windows_api.h"
#include <objbase.h>
#include <shlobj.h>


namespace platform::win32 {
namespace {

long SaveThroughShell(const std::string& target, const std::string& workingDirectory,
                      const std::string& description, const std::string& linkPath) {
    IShellLinkA* link = nullptr;
    HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                        reinterpret_cast<void**>(&link));
    if (FAILED(result)) return result;
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(workingDirectory.c_str());
    link->SetDescription(description.c_str());
    IPersistFile* file = nullptr;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(result)) {
        // IPersistFile takes the path in UTF-16, at most MAX_PATH characters with the
        // terminator; the text is in the system code page.
        wchar_t wide[MAX_PATH];
        if (::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH) == 0)
            result = E_FAIL;
        else
            result = file->Save(wide, TRUE);
        file->Release();
    }
    link->Release();
    return result;
}

}  // namespace

long Win32ShellLinks::SaveLink(const std::string& target, const std::string& workingDirectory,
                               const std::string& description, const std::string& linkPath) {
    // Initialised on every call and never undone: the thread keeps COM until it ends.
    ::CoInitialize(nullptr);
    return SaveThroughShell(target, workingDirectory, description, linkPath);
}

}  // namespace platform::win32
