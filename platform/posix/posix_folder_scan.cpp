#include "platform/posix/posix_folder_scan.h"

#include "platform/posix/errno_cause.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace platform::posix {
namespace {

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// A directory entry that is a directory, links followed as a directory search does.
bool IsFolder(DIR* dir, const dirent* d) {
    if (d->d_type == DT_DIR) return true;
    if (d->d_type != DT_LNK && d->d_type != DT_UNKNOWN) return false;
    struct stat st {};
    return ::fstatat(::dirfd(dir), d->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

// Calls `take` for each sub-folder until it says stop; the cause of a failed open.
template <typename Take>
FileCause EachFolder(const std::string& folder, Take take) {
    if (folder.empty()) return FileCause::FileNotFound;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return CauseFromErrno(errno);
    while (const dirent* d = ::readdir(dir)) {
        if (IsDotEntry(d->d_name) || !IsFolder(dir, d)) continue;
        if (!take(d->d_name)) break;
    }
    ::closedir(dir);
    return FileCause::None;
}

}  // namespace

FileCause PosixFolderScan::ListFolders(const std::string& folder, std::vector<std::string>* names) const {
    names->clear();
    return EachFolder(folder, [names](const char* name) {
        names->emplace_back(name);
        return true;
    });
}

bool PosixFolderScan::HasSubfolder(const std::string& folder) const {
    bool found = false;
    EachFolder(folder, [&found](const char*) {
        found = true;
        return false;
    });
    return found;
}

}  // namespace platform::posix
