#include "platform/win32/win32_shell_links.h"

#include "platform/win32/windows_api.h"
#include <objbase.h>
#include <shlobj.h>

#include <vector>

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
        // IPersistFile takes the path in UTF-16; the text is in the system code page.
        std::vector<wchar_t> wide(linkPath.size() + 1, L'\0');
        if (::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide.data(), static_cast<int>(wide.size())) == 0)
            result = E_FAIL;
        else
            result = file->Save(wide.data(), TRUE);
        file->Release();
    }
    link->Release();
    return result;
}

}  // namespace

long Win32ShellLinks::SaveLink(const std::string& target, const std::string& workingDirectory,
                               const std::string& description, const std::string& linkPath) {
    const HRESULT initialised = ::CoInitialize(nullptr);
    if (FAILED(initialised)) return initialised;
    const long result = SaveThroughShell(target, workingDirectory, description, linkPath);
    ::CoUninitialize();
    return result;
}

}  // namespace platform::win32
