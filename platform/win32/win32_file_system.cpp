#include "platform/win32/win32_file_system.h"

#include "platform/win32/error_cause.h"
#include "platform/win32/win32_file.h"

#include "platform/win32/windows_api.h"

namespace platform::win32 {

std::string SearchPattern(const std::string& folder) {
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != kPathSeparator) pattern += kPathSeparator;
    return pattern + "*.*";
}

bool Win32FileSystem::Find(const std::string& path, DirEntry* entry) const {
    if (path.empty()) return false;
    // A directory search never finds a drive root ("C:\\") itself: its attributes tell.
    if (path.size() == 3 && path[1] == ':' && path[2] == kPathSeparator) {
        const DWORD attributes = ::GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return false;
        if (entry) {
            entry->name = path;
            entry->isDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        }
        return true;
    }
    WIN32_FIND_DATAA data {};
    const HANDLE search = ::FindFirstFileA(path.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    ::FindClose(search);
    if (entry) {
        entry->name = data.cFileName;
        entry->isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    return true;
}

FileCause Win32FileSystem::List(const std::string& folder, std::vector<DirEntry>* entries) const {
    entries->clear();
    WIN32_FIND_DATAA data {};
    const HANDLE search = ::FindFirstFileA(SearchPattern(folder).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        // An existing folder with nothing in it (a drive root has no dot entries).
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ? FileCause::None
                                                                             : CauseFromError(error);
    }
    do {
        entries->push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileA(search, &data));
    const DWORD error = ::GetLastError();
    ::FindClose(search);
    return error == ERROR_NO_MORE_FILES ? FileCause::None : CauseFromError(error);
}

std::string Win32FileSystem::CurrentDirectory() const {
    char buffer[kMaxPath];
    const DWORD length = ::GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer) return {};
    return std::string(buffer, length);
}

std::unique_ptr<File> Win32FileSystem::Open(const std::string& path, OpenMode mode, bool exclusive,
                                            FileCause* cause) {
    DWORD access = GENERIC_READ;
    DWORD creation = OPEN_EXISTING;
    switch (mode) {
    case OpenMode::Read: break;
    case OpenMode::ReadCreate: access = GENERIC_READ | GENERIC_WRITE; creation = OPEN_ALWAYS; break;
    case OpenMode::WriteCreate: access = GENERIC_WRITE; creation = OPEN_ALWAYS; break;
    }
    const DWORD share = exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
    const HANDLE handle =
        ::CreateFileA(path.c_str(), access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        *cause = CauseFromError(::GetLastError());
        return nullptr;
    }
    *cause = FileCause::None;
    return std::make_unique<Win32File>(handle);
}

}  // namespace platform::win32
