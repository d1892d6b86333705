#include "platform/win32/win32_folder_scan.h"

#include "platform/win32/error_cause.h"
#include "platform/win32/win32_file_system.h"

#include "platform/win32/windows_api.h"

#include <cstring>

namespace platform::win32 {
namespace {

bool IsSubfolder(const WIN32_FIND_DATAA& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && std::strcmp(data.cFileName, ".") != 0 &&
           std::strcmp(data.cFileName, "..") != 0;
}

// Calls `visit` for each sub-folder until it returns false.
template <typename Visit>
FileCause EachSubfolder(const std::string& folder, Visit visit) {
    WIN32_FIND_DATAA data {};
    const HANDLE search = ::FindFirstFileA(SearchPattern(folder).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? FileCause::None : CauseFromError(error);
    }
    bool more = true;
    do {
        if (IsSubfolder(data)) more = visit(data.cFileName);
    } while (more && ::FindNextFileA(search, &data));
    ::FindClose(search);
    return FileCause::None;
}

}  // namespace

FileCause Win32FolderScan::ListFolders(const std::string& folder, std::vector<std::string>* names) const {
    names->clear();
    return EachSubfolder(folder, [names](const char* name) {
        names->push_back(name);
        return true;
    });
}

bool Win32FolderScan::HasSubfolder(const std::string& folder) const {
    bool found = false;
    EachSubfolder(folder, [&found](const char*) {
        found = true;
        return false;
    });
    return found;
}

}  // namespace platform::win32
