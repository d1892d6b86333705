// Shortcuts through the shell link object: the file is a shell link (its header starts with
// the link signature and class id) whose target, working directory and description read back.

#include "platform/win32/win32_shell_links.h"
#include "platform/win32/windows_api.h"
#include "setup/shortcuts.h"
#include "tests/support/temp_dir.h"

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

namespace platform::win32 {
namespace {

struct LinkFields {
    std::string path, workingDirectory, description;
};

LinkFields ReadLink(const std::string& linkPath) {
    LinkFields fields;
    ::CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                     reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            std::wstring wide(linkPath.begin(), linkPath.end());
            if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
                char text[MAX_PATH] = {};
                WIN32_FIND_DATAA data {};
                if (SUCCEEDED(link->GetPath(text, MAX_PATH, &data, SLGP_RAWPATH))) fields.path = text;
                if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) fields.workingDirectory = text;
                if (SUCCEEDED(link->GetDescription(text, MAX_PATH))) fields.description = text;
            }
            file->Release();
        }
        link->Release();
    }
    ::CoUninitialize();
    return fields;
}

TEST(Win32ShellLinks, SavesAShellLinkFileWhoseTargetResolves) {
    testsupport::TempDir temp;
    temp.Write("Viewer.exe", "MZ");
    Win32ShellLinks links;
    const std::string link = temp / "Viewer.LNK";
    ASSERT_EQ(links.SaveLink(temp / "Viewer.exe", temp.path(), "Viewer", link), kLinkOk);

    // HeaderSize 0x4C, then the link class {00021401-0000-0000-C000-000000000046}.
    const std::string header("\x4C\0\0\0\x01\x14\x02\0\0\0\0\0\xC0\0\0\0\0\0\0\x46", 20);
    EXPECT_EQ(temp.Read("Viewer.LNK").substr(0, 20), header);
    const LinkFields fields = ReadLink(link);
    EXPECT_EQ(fields.path, temp / "Viewer.exe");
    EXPECT_EQ(fields.workingDirectory, temp.path());
    EXPECT_EQ(fields.description, "Viewer");
}

TEST(Win32ShellLinks, ALinkInAMissingFolderFailsWithANegativeCode) {
    testsupport::TempDir temp;
    Win32ShellLinks links;
    EXPECT_LT(links.SaveLink(temp / "x.exe", temp.path(), "x", temp / "missing\\x.LNK"), 0);
    EXPECT_EQ(std::string(kShortcutExtension), ".LNK");
}

}  // namespace
}  // namespace platform::win32
